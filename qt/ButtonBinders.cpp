#include "qt/ButtonBinders.h"

#include <QCheckBox>
#include <QPainter>
#include <QPainterPath>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>

#include <cmath>
#include <map>

#include "qt/Convert.h"

namespace qtfront {
namespace {

enum class Wave { Constant, Sine, Square, Saw };

// The metrology page's signal buttons show the signal itself.
QIcon WaveIcon(Wave wave) {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(0, 0, 128), 2));
  QPainterPath path;
  switch (wave) {
    case Wave::Constant:
      path.moveTo(3, 12);
      path.lineTo(29, 12);
      break;
    case Wave::Sine:
      path.moveTo(3, 16);
      for (int x = 3; x <= 29; ++x) path.lineTo(x, 16 - 10 * std::sin((x - 3) * 2 * M_PI / 26));
      break;
    case Wave::Square:
      path.moveTo(3, 26);
      for (const QPointF corner : {QPointF(3, 6), QPointF(10, 6), QPointF(10, 26), QPointF(16, 26),
                                   QPointF(16, 6), QPointF(23, 6), QPointF(23, 26), QPointF(29, 26)})
        path.lineTo(corner);
      break;
    case Wave::Saw:
      path.moveTo(3, 26);
      path.lineTo(11, 6);
      path.lineTo(19, 26);
      path.lineTo(27, 6);
      break;
  }
  painter.drawPath(path);
  return QIcon(pixmap);
}

}  // namespace

QIcon SpeedButtonIcon(const std::string& name, const QStyle& style) {
  static const std::map<std::string, QStyle::StandardPixmap> kStandard = {
      {"SpeedButtonOpen", QStyle::SP_DialogOpenButton},
      {"SpeedButtonSave", QStyle::SP_DialogSaveButton},
      {"SpeedButtonChartToBuffer", QStyle::SP_FileDialogContentsView},
      {"SpeedButtonQuev", QStyle::SP_BrowserReload},
      {"SpeedButtonRecord", QStyle::SP_MediaPlay},
      {"SpeedButtonBRun", QStyle::SP_MediaPlay},
      {"SpeedButtonMetRecord", QStyle::SP_MediaPlay},
      {"SpeedButtonMetPlay", QStyle::SP_MediaSeekForward},
      {"SpeedButtonSPlay", QStyle::SP_MediaPlay},
      {"SpeedButtonSRecord", QStyle::SP_ComputerIcon},
      {"SpeedButtonSShow", QStyle::SP_MediaSkipForward},
      {"SpeedButtonSPause", QStyle::SP_MediaPause},
      {"SpeedButtonEnter", QStyle::SP_ArrowDown},
      {"SpeedButtonSpace", QStyle::SP_ArrowRight},
      {"SpeedButtonDelete", QStyle::SP_TrashIcon},
      {"SpeedButtonAFFC", QStyle::SP_MediaPlay},
      {"SpeedButtonAFFCshow", QStyle::SP_FileDialogInfoView},
      {"SpeedButtonFFTReal", QStyle::SP_MediaSeekForward},
  };
  static const std::map<std::string, Wave> kWaves = {
      {"SpeedButtonMetConst", Wave::Constant},
      {"SpeedButtonMetSin", Wave::Sine},
      {"SpeedButtonMetSquare", Wave::Square},
      {"SpeedButtonMetPila", Wave::Saw},
  };
  if (const auto it = kStandard.find(name); it != kStandard.end())
    return style.standardIcon(it->second);
  if (const auto it = kWaves.find(name); it != kWaves.end()) return WaveIcon(it->second);
  return QIcon();
}

ButtonBinder::ButtonBinder(ui::Control& control, QAbstractButton* button)
    : Binder(control, button), button_(button) {
  if (auto* tool = qobject_cast<QToolButton*>(button)) {
    tool->setToolButtonStyle(Qt::ToolButtonTextOnly);
    const QIcon icon = SpeedButtonIcon(control.Name(), *tool->style());
    if (!icon.isNull()) {
      tool->setIcon(icon);
      tool->setToolButtonStyle(Qt::ToolButtonIconOnly);
      const int side = std::max(16, std::min(control.Width(), control.Height()) - 10);
      tool->setIconSize(QSize(side, side));
    }
  }
  if (auto* radio = qobject_cast<QRadioButton*>(button)) radio->setAutoExclusive(false);
  connect(button_, &QAbstractButton::clicked, this, &ButtonBinder::Clicked);
}

void ButtonBinder::Clicked() {
  if (!CanOperate()) return;
  Operate([&] { Model()->Click(); });
  if (Model() != nullptr) ShowState();
}

void ButtonBinder::ShowState() {
  const QSignalBlocker block(button_);
  ui::Control* model = Model();
  switch (model->Kind()) {
    case ui::ControlKind::SpeedButton: {
      auto* speed = static_cast<ui::SpeedButton*>(model);
      button_->setCheckable(speed->GroupIndex() != 0);
      button_->setChecked(speed->Down());
      break;
    }
    case ui::ControlKind::CheckBox:
      button_->setChecked(static_cast<ui::CheckBox*>(model)->Checked());
      break;
    case ui::ControlKind::RadioButton:
      button_->setChecked(static_cast<ui::RadioButton*>(model)->Checked());
      break;
    default:
      break;
  }
}

void ButtonBinder::Apply(ui::Property what) {
  switch (what) {
    case ui::Property::Caption:
      button_->setText(ToQString(Model()->Caption()));
      FitText();
      break;
    case ui::Property::Checked:
    case ui::Property::Down:
    case ui::Property::Group:
      ShowState();
      break;
    case ui::Property::Enabled:
      Binder::Apply(what);
      ShowState();
      break;
    default:
      Binder::Apply(what);
  }
}

}  // namespace qtfront
