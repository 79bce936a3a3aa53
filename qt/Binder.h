#pragma once

#include <QObject>
#include <QFont>
#include <QPointer>
#include <QWidget>

#include <vector>

#include "ui/Control.h"

namespace qtfront {

// Ties one control of the model to the Qt widget that shows it: mirrors every property change of
// the control into the widget, and turns what the operator does to the widget into the control's
// operator actions. A binder is a child object of its widget and dies with it; it lets go of the
// control when the control is destroyed. Children of the control are bound as they appear, so
// controls added to a page later show up without changes here.
class Binder : public QObject {
  Q_OBJECT
 public:
  ~Binder() override;

  // Creates the widget of `control` and of its whole subtree under `parent` (a top-level window
  // for a null parent). Returns the widget.
  static QWidget* Create(ui::Control& control, QWidget* parent);

  // The widget that shows a control, or null when the control is not bound. GUI thread only.
  static QWidget* WidgetOf(const ui::Control& control);
  static Binder* Of(const ui::Control& control);

  ui::Control* Model() const { return control_; }
  // Whether an operator action may go to the model now: the control is alive and no control is
  // being destroyed (a widget deleted with its control makes Qt emit signals, such as a tab
  // widget choosing another page, that are no operator's doing and would reach a parent control
  // that is itself half destroyed).
  bool CanOperate() const { return control_ != nullptr && tearingDown_ == 0; }
  QWidget* Widget() const { return widget_; }

  // Places the children's widgets by their bounds and alignment in this widget's area.
  void LayOutChildren();

 protected:
  Binder(ui::Control& control, QWidget* widget);

  // Mirrors one property of the control into the widget. Kinds handle their own properties and
  // pass the rest on to this base.
  virtual void Apply(ui::Property what);
  // Fits the widget's text to its width with the control's font (labels and buttons).
  void FitText();
  // The widget that holds the children's widgets.
  virtual QWidget* ChildHost() { return widget_; }
  // Whether the parent places this widget (pages of a page control place themselves).
  virtual bool PlacedByParent() const { return true; }
  // Whether Color is the background of this kind's widget.
  virtual bool ColorIsBackground() const { return false; }
  // Called after a child's widget was created.
  virtual void ChildBound(ui::Control& child, QWidget* widget);

  bool eventFilter(QObject* watched, QEvent* event) override;

  // The form-level position and size of a control's widget inside its parent's area.
  Binder* ParentBinder() const;
  void ApplyAll();

 private:
  void Observe(ui::Property what);
  void BindNewChildren();
  void ApplyBackground();

  ui::Control* control_;
  QPointer<QWidget> widget_;
  QFont font_;  // the control's font; the widget may show it narrowed to fit
  ui::ObserverId subscription_ = 0;
  size_t boundChildren_ = 0;
  static int tearingDown_;
};

}  // namespace qtfront
