#pragma once

#include <QApplication>
#include <QWidget>

#include <memory>

#include "qt/Binder.h"
#include "ui/Controls.h"

// A form of the model shown through the binders, torn down model first as the program does.
class BoundForm {
 public:
  BoundForm() : form_(std::make_unique<ui::Form>()) { form_->SetBounds(0, 0, 408, 327); }
  ~BoundForm() { form_.reset(); }

  ui::Form& Model() { return *form_; }
  // Binds the form (and everything added so far) and shows it.
  QWidget* Show() {
    QWidget* window = qtfront::Binder::Create(*form_, nullptr);
    form_->Show();
    QApplication::processEvents();
    return window;
  }
  template <class W>
  static W* WidgetOf(const ui::Control& control) {
    return qobject_cast<W*>(qtfront::Binder::WidgetOf(control));
  }

 private:
  std::unique_ptr<ui::Form> form_;
};

// Counts the runs of an event handler.
struct Counter {
  int runs = 0;
  ui::NotifyEvent Handler() {
    return [this](ui::Control*) { ++runs; };
  }
};
