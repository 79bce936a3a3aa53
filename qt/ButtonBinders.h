#pragma once

#include <QAbstractButton>

#include "qt/Binder.h"
#include "ui/Buttons.h"

namespace qtfront {

// Push buttons, speed buttons, check boxes and radio buttons. Qt changes a checkable button's
// state itself on a click; the model decides instead (a speed button that may not come up stays
// down, a radio button already checked stays checked), so after every click the widget is set
// back to what the model says.
class ButtonBinder : public Binder {
  Q_OBJECT
 public:
  ButtonBinder(ui::Control& control, QAbstractButton* button);

 protected:
  void Apply(ui::Property what) override;

 private:
  void Clicked();
  void ShowState();

  QAbstractButton* button_;
};

// The picture of a speed button that has one, chosen by the button's name; null when none.
QIcon SpeedButtonIcon(const std::string& name, const QStyle& style);

}  // namespace qtfront
