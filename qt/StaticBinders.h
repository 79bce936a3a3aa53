#pragma once

#include <QHBoxLayout>
#include <QLabel>
#include <QWidget>

#include <vector>

#include "qt/Binder.h"
#include "ui/Static.h"

namespace qtfront {

// A label that reports clicks: the colour labels of the channel panel open the colour dialog.
class ClickableLabel : public QLabel {
  Q_OBJECT
 public:
  using QLabel::QLabel;
 signals:
  void Clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

class LabelBinder : public Binder {
  Q_OBJECT
 public:
  LabelBinder(ui::Label& label, ClickableLabel* widget);

 protected:
  void Apply(ui::Property what) override;
  bool ColorIsBackground() const override { return true; }

 private:
  ClickableLabel* label_;
};

// A circle or rectangle filled with the control's colour, outlined in black.
class ShapeWidget : public QWidget {
  Q_OBJECT
 public:
  explicit ShapeWidget(QWidget* parent) : QWidget(parent) {}
  void SetLook(ui::ShapeType type, QColor brush, int penWidth);
  QColor Brush() const { return brush_; }
  ui::ShapeType Type() const { return type_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  ui::ShapeType type_ = ui::ShapeType::Rectangle;
  QColor brush_ = Qt::white;
  int penWidth_ = 1;
};

class ShapeBinder : public Binder {
  Q_OBJECT
 public:
  ShapeBinder(ui::Shape& shape, ShapeWidget* widget);

 protected:
  void Apply(ui::Property what) override;

 private:
  ui::Shape& shape_;
  ShapeWidget* widget_;
};

// The status bar: one sunken box per panel, of the panel's width, text aligned as it says.
class StatusBarBinder : public Binder {
  Q_OBJECT
 public:
  StatusBarBinder(ui::StatusBar& bar, QWidget* widget);
  QLabel* PanelLabel(int index) const;

 protected:
  void Apply(ui::Property what) override;

 private:
  void ShowPanels();

  ui::StatusBar& bar_;
  QHBoxLayout* layout_;
  std::vector<QLabel*> panels_;
};

}  // namespace qtfront
