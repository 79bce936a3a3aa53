#include "qt/ContainerBinders.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QSignalBlocker>
#include <QTabBar>

#include "qt/Convert.h"

namespace qtfront {

PanelWidget::PanelWidget(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  setLineWidth(1);
}

void PanelWidget::SetCaption(const QString& caption) {
  caption_ = caption;
  update();
}

void PanelWidget::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  if (caption_.isEmpty()) return;
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(contentsRect(), Qt::AlignCenter, caption_);
}

PanelBinder::PanelBinder(ui::Control& panel, PanelWidget* widget)
    : Binder(panel, widget), panel_(widget) {}

void PanelBinder::Apply(ui::Property what) {
  if (what == ui::Property::Caption) {
    panel_->SetCaption(ToQString(Model()->Caption()));
    return;
  }
  Binder::Apply(what);
}

GroupBoxBinder::GroupBoxBinder(ui::GroupBox& group, QGroupBox* box) : Binder(group, box), box_(box) {}

void GroupBoxBinder::Apply(ui::Property what) {
  if (what == ui::Property::Caption) {
    box_->setTitle(ToQString(Model()->Caption()));
    FitText();
    return;
  }
  Binder::Apply(what);
}

PageControlBinder::PageControlBinder(ui::PageControl& pages, QTabWidget* tabs)
    : Binder(pages, tabs), pages_(pages), tabs_(tabs) {
  tabs_->setUsesScrollButtons(true);
  // Eight captions share the width of the top panel, as on the instrument. The style sheet goes
  // on the tab row alone: on the tab widget it would reach every control of the pages, and a
  // style sheet's polish drops the palette that carries a control's font colour.
  tabs_->tabBar()->setStyleSheet("QTabBar::tab { padding: 3px 6px; }");
  connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
    if (showing_ || !CanOperate()) return;
    Operate([&] { pages_.Select(index); });
    if (Model() != nullptr) ShowActivePage();
  });
}

void PageControlBinder::ChildBound(ui::Control& child, QWidget* widget) {
  if (child.Kind() != ui::ControlKind::TabSheet) return;
  showing_ = true;
  const int index = static_cast<ui::TabSheet&>(child).PageIndex();
  tabs_->insertTab(index, widget, ToQString(child.Caption()));
  tabs_->setTabToolTip(index, ToQString(child.Hint()));
  tabs_->setTabVisible(index, child.Visible());
  showing_ = false;
  ShowActivePage();
}

void PageControlBinder::ShowActivePage() {
  showing_ = true;
  const int index = pages_.ActivePageIndex();
  if (index >= 0 && index < tabs_->count()) tabs_->setCurrentIndex(index);
  showing_ = false;
}

void PageControlBinder::Apply(ui::Property what) {
  if (what == ui::Property::ActivePage) {
    ShowActivePage();
    return;
  }
  Binder::Apply(what);
}

TabSheetBinder::TabSheetBinder(ui::TabSheet& sheet, QWidget* page) : Binder(sheet, page), sheet_(sheet) {}

QTabWidget* TabSheetBinder::Tabs() const {
  if (sheet_.Parent() == nullptr) return nullptr;
  return qobject_cast<QTabWidget*>(Binder::WidgetOf(*sheet_.Parent()));
}

void TabSheetBinder::Apply(ui::Property what) {
  QTabWidget* tabs = Tabs();
  const int index = tabs ? tabs->indexOf(Widget()) : -1;
  switch (what) {
    case ui::Property::Caption:
      if (index >= 0) tabs->setTabText(index, ToQString(sheet_.Caption()));
      break;
    case ui::Property::Hint:
      Binder::Apply(what);
      if (index >= 0) tabs->setTabToolTip(index, ToQString(sheet_.Hint()));
      break;
    case ui::Property::Visible:
      if (index >= 0) tabs->setTabVisible(index, sheet_.Visible());
      break;
    default:
      Binder::Apply(what);
  }
}

void FormWidget::closeEvent(QCloseEvent* event) {
  emit CloseRequested();
  event->accept();
}

FormBinder::FormBinder(ui::Form& form, FormWidget* widget)
    : Binder(form, widget), form_(form), window_(widget) {
  if (form_.BorderStyle() == ui::FormBorderStyle::Dialog) {
    // A caption with a close button, no resizing, minimising or maximising.
    window_->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  }
  connect(window_, &FormWidget::CloseRequested, this, [this] {
    if (main_) {
      QCoreApplication::quit();
    } else if (CanOperate()) {
      form_.Hide();
    }
  });
}

void FormBinder::ShowBounds() {
  const QSize client(std::max(1, form_.Width() - kFrameWidth), std::max(1, form_.Height() - kFrameHeight));
  if (form_.BorderStyle() == ui::FormBorderStyle::Dialog) {
    window_->setFixedSize(client);
  } else {
    window_->resize(client);
  }
  if (form_.Position() == ui::FormPosition::ScreenCenter) {
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
      const QRect free = screen->availableGeometry();
      window_->move(free.x() + std::max(0, (free.width() - form_.Width()) / 2),
                    free.y() + std::max(0, (free.height() - form_.Height()) / 2));
    }
  } else {
    window_->move(form_.Left(), form_.Top());
  }
}

void FormBinder::Apply(ui::Property what) {
  switch (what) {
    case ui::Property::Caption:
      window_->setWindowTitle(ToQString(form_.Caption()));
      break;
    case ui::Property::Bounds:
      ShowBounds();
      break;
    case ui::Property::Visible:
      if (!placed_) {
        ShowBounds();
        placed_ = true;
      }
      window_->setVisible(form_.Visible());
      break;
    default:
      Binder::Apply(what);
  }
}

}  // namespace qtfront
