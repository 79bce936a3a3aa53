#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include "ui/FrontEnd.h"
#include "ui/Containers.h"

namespace qtfront {

// The station shown with Qt: real message boxes and dialogs, the system clipboard, the print
// preview of the report, the forms as windows, and synchronous calls of workers served by Qt's
// event loop (a modal dialog's loop included).
class QtFrontEnd : public QObject, public ui::FrontEnd {
  Q_OBJECT
 public:
  QtFrontEnd();
  ~QtFrontEnd() override;

  int MessageBox(const std::string& text, const std::string& caption, int flags) override;
  bool ExecuteFileDialog(ui::FileDialog& dialog) override;
  bool ExecuteColorDialog(ui::ColorDialog& dialog) override;
  void CopyChartToClipboard(const ui::Chart& chart) override;
  void WakeGui() override;
  void ProcessEvents() override;
  void PreviewReport(const ui::Form& report) override;

  // Creates the window of a form and of all its controls. Closing the main window ends the
  // message loop; other windows hide when closed. A dialog-style form bound after the main window
  // belongs to it: it stays in front of the main window and goes when it goes.
  QWidget* BindForm(ui::Form& form, bool mainWindow);
  // Runs Qt's loop until the main window is closed or the application is terminated.
  void RunMessageLoop();

 private:
  void ServeWorkers();
  QWidget* DialogParent() const;

  QPointer<QWidget> mainWindow_;
};

}  // namespace qtfront
