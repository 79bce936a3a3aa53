#include "qt/QtFrontEnd.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QFontDatabase>
#include <QMessageBox>

#include "qt/Binder.h"
#include "qt/ChartRender.h"
#include "qt/ContainerBinders.h"
#include "qt/Convert.h"
#include "qt/FileDialogBox.h"
#include "qt/ReportPreview.h"
#include "ui/Application.h"
#include "ui/Chart.h"
#include "ui/Dialogs.h"
#include "ui/MessageFlags.h"

namespace qtfront {
namespace {

QMessageBox::Icon IconOf(int flags) {
  switch (flags & 0xF0) {
    case ui::MB_ICONSTOP: return QMessageBox::Critical;
    case ui::MB_ICONQUESTION: return QMessageBox::Question;
    case ui::MB_ICONWARNING: return QMessageBox::Warning;
    case ui::MB_ICONINFORMATION: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

}  // namespace

QtFrontEnd::QtFrontEnd() {
  // The windows were laid out for the platform's compact sans-serif fonts; where those are
  // missing, fonts of the same widths keep the captions inside their controls.
  const QStringList sameWidths = {"Liberation Sans", "Arimo", "Nimbus Sans", "DejaVu Sans"};
  for (const char* family : {"MS Sans Serif", "Arial"})
    if (!QFontDatabase::hasFamily(family)) QFont::insertSubstitutions(family, sameWidths);
}
QtFrontEnd::~QtFrontEnd() = default;

QWidget* QtFrontEnd::DialogParent() const {
  if (QWidget* active = QApplication::activeWindow()) return active;
  return nullptr;
}

int QtFrontEnd::MessageBox(const std::string& text, const std::string& caption, int flags) {
  QMessageBox box(IconOf(flags), ToQString(caption), ToQString(text), QMessageBox::NoButton,
                  DialogParent());
  switch (flags & 0x0F) {
    case ui::MB_OKCANCEL:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      break;
    case ui::MB_YESNO:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      break;
    default:
      box.setStandardButtons(QMessageBox::Ok);
  }
  switch (box.exec()) {
    case QMessageBox::Cancel: return ui::IDCANCEL;
    case QMessageBox::Yes: return ui::IDYES;
    case QMessageBox::No: return ui::IDNO;
    case QMessageBox::Ok: return ui::IDOK;
    default:
      // Closed with the window's button or Escape.
      return (flags & 0x0F) == ui::MB_OK ? ui::IDOK : ui::IDCANCEL;
  }
}

bool QtFrontEnd::ExecuteFileDialog(ui::FileDialog& dialog) {
  FileDialogBox box(DialogParent(), dialog);
  if (box.exec() != QDialog::Accepted) return false;
  const QString path = box.ChosenPath();
  if (path.isEmpty()) return false;
  dialog.FileName = ToStdString(path);
  if (const int chosen = box.ChosenFilter(); chosen >= 0) dialog.FilterIndex = chosen + 1;
  return true;
}

bool QtFrontEnd::ExecuteColorDialog(ui::ColorDialog& dialog) {
  const QColor chosen = QColorDialog::getColor(ToQColor(dialog.Color), DialogParent());
  if (!chosen.isValid()) return false;
  dialog.Color = ToTColor(chosen);
  return true;
}

void QtFrontEnd::CopyChartToClipboard(const ui::Chart& chart) {
  // The chart as the operator sees it: the size of its window when it has one.
  QSize size;
  if (QWidget* shown = Binder::WidgetOf(chart); shown != nullptr && !shown->size().isEmpty())
    size = shown->size();
  QApplication::clipboard()->setImage(RenderChartImage(chart, size));
}

void QtFrontEnd::WakeGui() {
  // Any thread: posting to an object of the GUI thread is safe, and the call runs in whatever
  // loop the GUI thread is in, a modal dialog's included.
  QMetaObject::invokeMethod(this, &QtFrontEnd::ServeWorkers, Qt::QueuedConnection);
}

void QtFrontEnd::ServeWorkers() {
  ui::Application.ServePendingCalls();
  if (ui::Application.Terminated()) QCoreApplication::quit();
}

void QtFrontEnd::ProcessEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void QtFrontEnd::PreviewReport(const ui::Form& report) { ShowReportPreview(report, DialogParent()); }

QWidget* QtFrontEnd::BindForm(ui::Form& form, bool mainWindow) {
  QWidget* window = Binder::Create(form, nullptr);
  if (auto* binder = qobject_cast<FormBinder*>(Binder::Of(form))) binder->SetMainWindow(mainWindow);
  if (mainWindow) {
    mainWindow_ = window;
  } else if (form.BorderStyle() == ui::FormBorderStyle::Dialog && mainWindow_ && window != mainWindow_) {
    // Reparenting keeps the window flags given, so it stays a window of its own; it hides the
    // window, which is shown again when the form is visible.
    window->setParent(mainWindow_, window->windowFlags());
    window->setVisible(form.Visible());
  }
  return window;
}

void QtFrontEnd::RunMessageLoop() {
  // Calls queued before the loop started would wait for the next wake-up otherwise.
  ServeWorkers();
  if (ui::Application.Terminated()) return;
  QApplication::setQuitOnLastWindowClosed(false);
  QApplication::exec();
}

}  // namespace qtfront
