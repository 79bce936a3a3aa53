#include <QApplication>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "qt/QtFrontEnd.h"
#include "tests/ScratchDirectory.h"
#include "tests/app/ClippedTexts.h"
#include "settings/Options.h"
#include "threads/WorkerSlot.h"
#include "ui/Application.h"
#include "window/Form.h"
#include "window/ProgramMain.h"
#include "window/Redraw.h"

namespace {

TEST(MainWindow, EveryTextFitsItsWidgetOnEveryPage) {
  ScratchStartDirectory start;  // config.cfg of the start-up and shutdown
  qtfront::QtFrontEnd frontEnd;
  ui::Application.SetFrontEnd(&frontEnd);
  ui::Application.SetGuiThread();
  CreateForms();
  QWidget* window = frontEnd.BindForm(*Forma, true);
  Forma->Show();
  RedrawChart();  // the status bar's texts
  QApplication::processEvents();
  auto* pages = window->findChild<QTabWidget*>();
  ASSERT_NE(pages, nullptr);
  for (int page = 0; page < pages->count(); ++page) {
    pages->setCurrentIndex(page);
    QApplication::processEvents();
    for (const std::string& text : ClippedTexts(*window))
      ADD_FAILURE() << pages->tabText(page).toStdString() << ": " << text;
  }
  DestroyForms();
  ui::Application.SetFrontEnd(nullptr);
}

}  // namespace
