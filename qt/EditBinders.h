#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>

#include <string>
#include <vector>

#include "qt/Binder.h"
#include "ui/Edits.h"

namespace qtfront {

// Turns the platform's edit mask ("!99999;1;_": 0 digit, 9 optional digit, L letter, ...) into
// Qt's input mask of the same meaning; an empty mask gives an empty one (free text).
QString ToQtInputMask(const std::string& editMask);

// One-line edits and masked edits: the operator's typing becomes Type(), losing focus Leave().
class EditBinder : public Binder {
  Q_OBJECT
 public:
  EditBinder(ui::Edit& edit, QLineEdit* line);

 protected:
  void Apply(ui::Property what) override;
  bool ColorIsBackground() const override { return true; }
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  ui::Edit& edit_;
  QLineEdit* line_;
  bool typing_ = false;
};

// The memo: lines appended by the program are appended to the widget (so the view follows the
// log without redrawing it all); anything else replaces the text.
class MemoBinder : public Binder {
  Q_OBJECT
 public:
  MemoBinder(ui::Memo& memo, QPlainTextEdit* text);

 protected:
  void Apply(ui::Property what) override;
  bool ColorIsBackground() const override { return true; }
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowLines();

  ui::Memo& memo_;
  QPlainTextEdit* text_;
  std::vector<std::string> shown_;
  bool showing_ = false;
  bool typing_ = false;
};

// Focus leaving for another control of the program, not the window losing focus to another
// program or to a popup: the platform's exit event fires only for the former.
bool IsLeaveEvent(QEvent* event);

}  // namespace qtfront
