#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "qt/QtFrontEnd.h"
#include "settings/Options.h"
#include "threads/WorkerSlot.h"
#include "ui/Application.h"
#include "window/Form.h"
#include "window/ProgramMain.h"
#include "window/Redraw.h"

namespace {

// Texts of labels, buttons, check boxes and radios that need more width than their widget has.
std::vector<std::string> ClippedTexts(QWidget& window) {
  std::vector<std::string> clipped;
  const auto check = [&](QWidget* widget, const QString& text) {
    if (!widget->isVisible() || text.isEmpty()) return;
    if (widget->sizeHint().width() > widget->width())
      clipped.push_back(text.toStdString() + " (" + std::to_string(widget->sizeHint().width()) + " > " +
                        std::to_string(widget->width()) + ")");
  };
  for (QLabel* label : window.findChildren<QLabel*>()) check(label, label->text());
  for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) check(button, button->text());
  return clipped;
}

TEST(MainWindow, EveryTextFitsItsWidgetOnEveryPage) {
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
