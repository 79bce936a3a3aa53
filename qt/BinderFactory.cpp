#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "qt/Binder.h"
#include "qt/ButtonBinders.h"
#include "qt/ChartBinder.h"
#include "qt/ChooserBinders.h"
#include "qt/ContainerBinders.h"
#include "qt/EditBinders.h"
#include "qt/StaticBinders.h"
#include "ui/Controls.h"

namespace qtfront {
namespace {

template <class Model>
Model& As(ui::Control& control) {
  return static_cast<Model&>(control);
}

Binder* MakeBinder(ui::Control& c, QWidget* parent) {
  using K = ui::ControlKind;
  switch (c.Kind()) {
    case K::Form: return new FormBinder(As<ui::Form>(c), new FormWidget());
    case K::Panel: return new PanelBinder(c, new PanelWidget(parent));
    case K::GroupBox: return new GroupBoxBinder(As<ui::GroupBox>(c), new QGroupBox(parent));
    case K::Label: return new LabelBinder(As<ui::Label>(c), new ClickableLabel(parent));
    case K::Edit:
    case K::MaskEdit: return new EditBinder(As<ui::Edit>(c), new QLineEdit(parent));
    case K::Memo: return new MemoBinder(As<ui::Memo>(c), new QPlainTextEdit(parent));
    case K::Button: return new ButtonBinder(c, new QPushButton(parent));
    case K::SpeedButton: return new ButtonBinder(c, new QToolButton(parent));
    case K::CheckBox: return new ButtonBinder(c, new QCheckBox(parent));
    case K::RadioButton: return new ButtonBinder(c, new QRadioButton(parent));
    case K::ComboBox: return new ComboBoxBinder(As<ui::ComboBox>(c), new QComboBox(parent));
    case K::TrackBar: return new TrackBarBinder(As<ui::TrackBar>(c), new QSlider(parent));
    case K::Shape: return new ShapeBinder(As<ui::Shape>(c), new ShapeWidget(parent));
    case K::StatusBar: return new StatusBarBinder(As<ui::StatusBar>(c), new QWidget(parent));
    case K::PageControl: return new PageControlBinder(As<ui::PageControl>(c), new QTabWidget(parent));
    case K::TabSheet: return new TabSheetBinder(As<ui::TabSheet>(c), new QWidget(parent));
    case K::Chart: return new ChartBinder(As<ui::Chart>(c), new ChartPlot(parent));
  }
  return new PanelBinder(c, new PanelWidget(parent));
}

}  // namespace

QWidget* Binder::Create(ui::Control& control, QWidget* parent) {
  if (Binder* existing = Of(control)) return existing->Widget();
  Binder* binder = MakeBinder(control, parent);
  binder->ApplyAll();
  return binder->Widget();
}

}  // namespace qtfront
