#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include "platform/Numbers.h"
#include "qt/Binder.h"
#include "qt/QtFrontEnd.h"
#include "settings/Options.h"
#include "state/State.h"
#include "tests/ScratchDirectory.h"
#include "tests/app/ClippedTexts.h"
#include "ui/Application.h"
#include "window/Form.h"
#include "window/ProgramMain.h"
#include "window/Redraw.h"

namespace {

template <class W>
W* Shown(const ui::Control& control) {
  return qobject_cast<W*>(qtfront::Binder::WidgetOf(control));
}

TEST(OptionsDialog, OpensFromTheProcessingPageInFrontOfTheMainWindowAndShowsTheValuesTyped) {
  ScratchStartDirectory start;  // config.cfg of the start-up and shutdown
  qtfront::QtFrontEnd frontEnd;
  ui::Application.SetFrontEnd(&frontEnd);
  ui::Application.SetGuiThread();
  CreateForms();
  QWidget* window = frontEnd.BindForm(*Forma, true);
  QWidget* dialog = frontEnd.BindForm(*Option, false);
  Forma->Show();
  // Channel 1 carries 3 * k in frame k; one frame a millisecond.
  SampleData.DataChannels = 1;
  SampleData.DataRate = 1;
  SampleData.SampleBuffer.resize(100);
  for (int k = 0; k < 100; ++k) SampleData.SampleBuffer[k] = static_cast<int16_t>(3 * k);
  SampleData.FrameCount = SampleData.SampleCount = 100;
  ChartState.DataKind = kKindTimeData;
  Forma->ComboBoxX->SetItemIndex(1);
  Forma->ComboBoxY->SetItemIndex(1);
  RedrawChart();
  Forma->PageControl->SetActivePage(Forma->TabSheetFurie);
  QApplication::processEvents();

  ASSERT_FALSE(dialog->isVisible());
  Shown<QToolButton>(*Forma->SpeedButtonOption)->click();
  QApplication::processEvents();
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_TRUE(dialog->isWindow());
  EXPECT_EQ(dialog->windowType(), Qt::Dialog);
  EXPECT_EQ(dialog->parentWidget(), window) << "kept in front of the main window";
  EXPECT_EQ(dialog->windowModality(), Qt::NonModal);
  EXPECT_EQ(dialog->minimumSize(), QSize(400, 416));
  EXPECT_EQ(dialog->maximumSize(), QSize(400, 416));
  EXPECT_EQ(dialog->windowTitle().trimmed(), "Дополнительные настройки и опции");
  EXPECT_EQ(ClippedTexts(*dialog), std::vector<std::string>{});

  auto* position = Shown<QLineEdit>(*Option->EditZ);
  position->selectAll();
  QTest::keyClicks(position, "4x2");
  EXPECT_EQ(position->text(), "42");
  const ui::Series& series = *Forma->Series[0];
  const QStringList lines = Shown<QPlainTextEdit>(*Option->MemoZ)->toPlainText().split('\n');
  ASSERT_EQ(lines.size(), 4);
  EXPECT_EQ(lines[0], "Значение в этой точке существует!");
  EXPECT_EQ(lines[2].toStdString(), "1.   0:  зн. " + platform::FloatToStr(series.XValues()[42] * series.XMultiplier()) +
                                        "   рез. " + platform::FloatToStr(series.YValues()[42] * series.YMultiplier()));
  EXPECT_EQ(series.YValues()[42], 126);

  DestroyForms();
  ui::Application.SetFrontEnd(nullptr);
}

}  // namespace
