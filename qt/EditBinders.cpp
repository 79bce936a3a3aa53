#include "qt/EditBinders.h"

#include <QFocusEvent>
#include <QPointer>
#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>
#include <functional>

#include "qt/Convert.h"

namespace qtfront {

QString ToQtInputMask(const std::string& editMask) {
  const QString picture = ToQString(editMask.substr(0, editMask.find(';')));
  static const QString kQtSpecial = QStringLiteral("AaNnXx90Dd#HhBb><!\\{}[]");
  QString mask;
  for (qsizetype i = 0; i < picture.size(); ++i) {
    const QChar c = picture[i];
    switch (c.unicode()) {
      case '0': mask += '9'; break;  // digit required
      case '9': mask += '0'; break;  // digit optional
      case '#': mask += '#'; break;  // digit or sign, optional
      case 'L': mask += 'A'; break;  // letter required
      case 'l': mask += 'a'; break;
      case 'A': mask += 'N'; break;  // letter or digit required
      case 'a': mask += 'n'; break;
      case 'C': mask += 'X'; break;  // any character required
      case 'c': mask += 'x'; break;
      case '>': mask += '>'; break;
      case '<': mask += '<'; break;
      case '!': break;  // where blanks are kept: Qt has no such switch
      case '\\':
        if (i + 1 < picture.size()) {
          mask += '\\';
          mask += picture[++i];
        }
        break;
      default:
        if (kQtSpecial.contains(c)) mask += '\\';
        mask += c;
    }
  }
  return mask;
}

bool IsLeaveEvent(QEvent* event) {
  if (event->type() != QEvent::FocusOut) return false;
  const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
  return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

namespace {

// Hands the operator's typing to the model with `typing` set meanwhile, so that what its handlers
// set is shown with the cursor left where the operator's last key put it. A handler that destroys
// the control takes the widget and its binder along.
void OperateTyping(Binder* binder, bool& typing, const std::function<void()>& type) {
  const QPointer<Binder> alive(binder);
  typing = true;
  Operate(type);
  if (alive) typing = false;
}

}  // namespace

EditBinder::EditBinder(ui::Edit& edit, QLineEdit* line)
    : Binder(edit, line), edit_(edit), line_(line) {
  connect(line_, &QLineEdit::textEdited, this, [this](const QString& text) {
    if (!CanOperate()) return;
    OperateTyping(this, typing_, [&] { edit_.Type(ToStdString(text)); });
  });
}

bool EditBinder::eventFilter(QObject* watched, QEvent* event) {
  if (watched == line_ && IsLeaveEvent(event) && CanOperate())
    Operate([&] { edit_.Leave(); });
  return Binder::eventFilter(watched, event);
}

void EditBinder::Apply(ui::Property what) {
  switch (what) {
    case ui::Property::Text: {
      const QString text = ToQString(edit_.Text());
      if (line_->text() != text) {
        const QSignalBlocker block(line_);
        const int cursor = line_->cursorPosition();
        line_->setText(text);
        // A handler's text while the operator types: the next key goes where the last one went.
        if (typing_) line_->setCursorPosition(std::min(cursor, static_cast<int>(text.size())));
        FitText();
      }
      break;
    }
    case ui::Property::EditMask:
      if (edit_.Kind() == ui::ControlKind::MaskEdit) {
        const QSignalBlocker block(line_);
        line_->setInputMask(ToQtInputMask(static_cast<ui::MaskEdit&>(edit_).EditMask()));
        line_->setText(ToQString(edit_.Text()));
      }
      break;
    default:
      Binder::Apply(what);
  }
}

MemoBinder::MemoBinder(ui::Memo& memo, QPlainTextEdit* text)
    : Binder(memo, text), memo_(memo), text_(text) {
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  connect(text_, &QPlainTextEdit::textChanged, this, [this] {
    if (showing_ || !CanOperate()) return;
    const std::string typed = ToStdString(text_->toPlainText());
    // The widget already shows the typed lines: only lines a handler makes of them are shown
    // again, so the text and the cursor stay as the operator left them.
    ui::StringList typedLines;
    typedLines.SetText(typed);
    shown_ = typedLines.Strings();
    OperateTyping(this, typing_, [&] { memo_.Type(typed); });
  });
  text_->viewport()->installEventFilter(this);
  text_->installEventFilter(this);
}

bool MemoBinder::eventFilter(QObject* watched, QEvent* event) {
  if (watched == text_ && IsLeaveEvent(event) && CanOperate())
    Operate([&] { memo_.Leave(); });
  return Binder::eventFilter(watched, event);
}

void MemoBinder::ShowLines() {
  const std::vector<std::string>& lines = memo_.Lines().Strings();
  if (lines == shown_) return;
  showing_ = true;
  const bool appended =
      !shown_.empty() && lines.size() > shown_.size() &&
      std::equal(shown_.begin(), shown_.end(), lines.begin());
  if (appended) {
    for (size_t i = shown_.size(); i < lines.size(); ++i)
      text_->appendPlainText(ToQString(lines[i]));
  } else {
    QString all;
    for (size_t i = 0; i < lines.size(); ++i) {
      if (i > 0) all += '\n';
      all += ToQString(lines[i]);
    }
    const int cursor = text_->textCursor().position();
    text_->setPlainText(all);
    if (typing_) {
      // A handler's lines while the operator types: the next key goes where the last one went.
      QTextCursor kept = text_->textCursor();
      kept.setPosition(std::min(cursor, static_cast<int>(all.size())));
      text_->setTextCursor(kept);
    }
  }
  showing_ = false;
  shown_ = lines;
}

void MemoBinder::Apply(ui::Property what) {
  if (what == ui::Property::Lines || what == ui::Property::Text) {
    ShowLines();
    return;
  }
  Binder::Apply(what);
}

}  // namespace qtfront
