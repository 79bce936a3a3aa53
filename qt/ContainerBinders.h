#pragma once

#include <QFrame>
#include <QGroupBox>
#include <QTabWidget>
#include <QWidget>

#include "qt/Binder.h"
#include "ui/Containers.h"

namespace qtfront {

// A raised panel that shows its caption in the middle, as the platform's panels do.
class PanelWidget : public QFrame {
  Q_OBJECT
 public:
  explicit PanelWidget(QWidget* parent);
  void SetCaption(const QString& caption);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString caption_;
};

class PanelBinder : public Binder {
  Q_OBJECT
 public:
  PanelBinder(ui::Control& panel, PanelWidget* widget);

 protected:
  void Apply(ui::Property what) override;
  bool ColorIsBackground() const override { return true; }

 private:
  PanelWidget* panel_;
};

class GroupBoxBinder : public Binder {
  Q_OBJECT
 public:
  GroupBoxBinder(ui::GroupBox& group, QGroupBox* box);

 protected:
  void Apply(ui::Property what) override;

 private:
  QGroupBox* box_;
};

// Pages are the tab sheets among the children; the operator's choice of a tab becomes Select.
class PageControlBinder : public Binder {
  Q_OBJECT
 public:
  PageControlBinder(ui::PageControl& pages, QTabWidget* tabs);

 protected:
  void Apply(ui::Property what) override;
  void ChildBound(ui::Control& child, QWidget* widget) override;

 private:
  void ShowActivePage();

  ui::PageControl& pages_;
  QTabWidget* tabs_;
  bool showing_ = false;
};

// A page: its tab shows its caption and hint; the page control places it.
class TabSheetBinder : public Binder {
  Q_OBJECT
 public:
  TabSheetBinder(ui::TabSheet& sheet, QWidget* page);

 protected:
  void Apply(ui::Property what) override;
  bool PlacedByParent() const override { return false; }

 private:
  QTabWidget* Tabs() const;

  ui::TabSheet& sheet_;
};

// A top-level window. Its bounds are the outer size of the window, as the platform counts them;
// the client area is smaller by the frame and the caption bar.
class FormWidget : public QWidget {
  Q_OBJECT
 public:
  FormWidget() = default;
 signals:
  void CloseRequested();

 protected:
  void closeEvent(QCloseEvent* event) override;
};

class FormBinder : public Binder {
  Q_OBJECT
 public:
  FormBinder(ui::Form& form, FormWidget* widget);

  // Closing the main window ends the program's message loop; closing another hides it.
  void SetMainWindow(bool main) { main_ = main; }

  static constexpr int kFrameWidth = 8;
  static constexpr int kFrameHeight = 27;

 protected:
  void Apply(ui::Property what) override;
  bool PlacedByParent() const override { return false; }
  bool ColorIsBackground() const override { return true; }

 private:
  void ShowBounds();

  ui::Form& form_;
  FormWidget* window_;
  bool main_ = false;
  bool placed_ = false;
};

}  // namespace qtfront
