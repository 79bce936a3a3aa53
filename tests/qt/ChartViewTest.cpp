#include <QApplication>
#include <QClipboard>
#include <QTest>

#include <gtest/gtest.h>

#include "BinderTestSupport.h"
#include "qt/ChartBinder.h"
#include "qt/QtFrontEnd.h"

namespace {

// A bound chart with two series, shown in a 400 x 300 window.
class ChartView : public ::testing::Test {
 protected:
  void SetUp() override {
    chart_ = form_.Model().Add<ui::Chart>("Chart", 0, 0, 400, 300);
    first_ = chart_->AddSeries();
    second_ = chart_->AddSeries();
    second_->SetColor(ui::clRed);
    for (int k = 0; k <= 100; ++k) {
      first_->AddXY(k, k * 2);
      second_->AddXY(k, -k);
    }
    form_.Show();
    binder_ = qobject_cast<qtfront::ChartBinder*>(qtfront::Binder::Of(*chart_));
    ASSERT_NE(binder_, nullptr);
    Show();
  }
  // Lets the view catch up with the model and lays the plot out.
  void Show() {
    QApplication::processEvents();
    Plot().replot(QCustomPlot::rpImmediateRefresh);
  }
  qtfront::ChartPlot& Plot() { return *binder_->Plot(); }

  BoundForm form_;
  ui::Chart* chart_ = nullptr;
  ui::Series* first_ = nullptr;
  ui::Series* second_ = nullptr;
  qtfront::ChartBinder* binder_ = nullptr;
};

TEST_F(ChartView, SeriesAreDrawnAsRawPointsTimesTheirMultipliersInTheirColour) {
  first_->SetXMultiplier(0.5);
  first_->SetYMultiplier(2.0);
  Show();
  QCPGraph* graph = Plot().graph(0);
  ASSERT_EQ(graph->data()->size(), 101);
  EXPECT_DOUBLE_EQ(graph->data()->at(10)->key, 5.0);
  EXPECT_DOUBLE_EQ(graph->data()->at(10)->value, 40.0);
  EXPECT_EQ(Plot().graph(1)->pen().color(), QColor(255, 0, 0));

  second_->SetActive(false);
  Show();
  EXPECT_FALSE(Plot().graph(1)->visible());
  EXPECT_TRUE(Plot().graph(0)->visible());
}

TEST_F(ChartView, AxesFollowLimitsScaleNumberPatternAndFontSize) {
  EXPECT_DOUBLE_EQ(Plot().yAxis->range().lower, -100);
  EXPECT_DOUBLE_EQ(Plot().yAxis->range().upper, 200);

  chart_->LeftAxis().SetAutomatic(false);
  chart_->LeftAxis().SetMinMax(-2605, 2600);
  chart_->BottomAxis().SetLogarithmic(true);
  Show();
  EXPECT_DOUBLE_EQ(Plot().yAxis->range().lower, -2605);
  EXPECT_DOUBLE_EQ(Plot().yAxis->range().upper, 2600);
  EXPECT_EQ(Plot().xAxis->scaleType(), QCPAxis::stLogarithmic);
  // The point at X 0 cannot be shown on a log axis; the range starts at the first positive one.
  EXPECT_DOUBLE_EQ(Plot().xAxis->range().lower, 1);
  EXPECT_DOUBLE_EQ(Plot().xAxis->range().upper, 100);

  chart_->BottomAxis().SetLogarithmic(false);
  for (int k = 0; k <= 100; ++k) first_->AddXY(k * 30, 0);
  chart_->BottomAxis().SetValueFormat("# ##0.######мс");
  chart_->BottomAxis().SetLabelFontSize(11);
  Show();
  EXPECT_EQ(Plot().xAxis->scaleType(), QCPAxis::stLinear);
  const QVector<QString> labels = Plot().xAxis->tickVectorLabels();
  EXPECT_TRUE(labels.contains("1 000мс")) << labels.join(" | ").toStdString();
  EXPECT_EQ(Plot().xAxis->tickLabelFont().pointSize(), 11);
}

// Whether any pixel of the plot as painted has the colour.
bool Paints(qtfront::ChartPlot& plot, const QColor& colour) {
  const QImage image = plot.toPixmap().toImage();
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixelColor(x, y) == colour) return true;
  return false;
}

// The series each legend entry names, top to bottom.
QList<QCPAbstractPlottable*> LegendOrder(qtfront::ChartPlot& plot) {
  QList<QCPAbstractPlottable*> order;
  for (int i = 0; i < plot.legend->itemCount(); ++i)
    if (auto* entry = qobject_cast<QCPPlottableLegendItem*>(plot.legend->item(i)))
      order << entry->plottable();
  return order;
}

TEST_F(ChartView, TitleAndLegendShowOnlyWhenVisibleAndTheLegendKeepsTheSeriesOrder) {
  chart_->SetTitleText("Сбор данных");
  chart_->SetTitleFontSize(13);
  ui::Font titleFont = chart_->TitleFont();
  titleFont.Color = ui::clFuchsia;  // a colour nothing else of the chart paints
  chart_->SetTitleFont(titleFont);
  const QColor titleColour(255, 0, 255);
  Show();
  EXPECT_TRUE(Plot().TitleShown());
  EXPECT_EQ(Plot().TitleElement()->text(), "Сбор данных");
  EXPECT_EQ(Plot().TitleElement()->font().pointSize(), 13);
  EXPECT_TRUE(Paints(Plot(), titleColour));

  chart_->SetTitleVisible(false);
  chart_->SetLegendVisible(false);
  Show();
  EXPECT_FALSE(Plot().TitleShown());
  EXPECT_FALSE(Paints(Plot(), titleColour));
  EXPECT_FALSE(Plot().legend->visible());

  chart_->SetTitleVisible(true);
  chart_->SetLegendVisible(true);
  Show();
  EXPECT_TRUE(Paints(Plot(), titleColour));
  EXPECT_TRUE(Plot().legend->visible());
  EXPECT_EQ(Plot().legend->itemCount(), 2);  // each series with its last value

  first_->SetActive(false);  // a channel unticked and ticked again keeps its place
  Show();
  EXPECT_EQ(LegendOrder(Plot()), QList<QCPAbstractPlottable*>{Plot().graph(1)});
  first_->SetActive(true);
  Show();
  EXPECT_EQ(LegendOrder(Plot()), (QList<QCPAbstractPlottable*>{Plot().graph(0), Plot().graph(1)}));
}

TEST_F(ChartView, RectangleDraggedDownRightZoomsWithTheBottomLimitsAlreadySet) {
  const double x0 = Plot().xAxis->pixelToCoord(100);
  const double x1 = Plot().xAxis->pixelToCoord(200);
  const double yTop = Plot().yAxis->pixelToCoord(80);
  const double yBottom = Plot().yAxis->pixelToCoord(180);
  int zooms = 0;
  double seenMin = 0, seenMax = 0;
  chart_->OnZoom = [&](ui::Control*) {
    ++zooms;
    seenMin = chart_->BottomAxis().CurrentMinimum();
    seenMax = chart_->BottomAxis().CurrentMaximum();
  };
  QTest::mousePress(&Plot(), Qt::LeftButton, {}, QPoint(100, 80));
  QTest::mouseMove(&Plot(), QPoint(200, 180));
  QTest::mouseRelease(&Plot(), Qt::LeftButton, {}, QPoint(200, 180));
  EXPECT_EQ(zooms, 1);
  EXPECT_DOUBLE_EQ(seenMin, x0);
  EXPECT_DOUBLE_EQ(seenMax, x1);
  EXPECT_DOUBLE_EQ(chart_->LeftAxis().CurrentMinimum(), yBottom);
  EXPECT_DOUBLE_EQ(chart_->LeftAxis().CurrentMaximum(), yTop);
  Show();
  EXPECT_DOUBLE_EQ(Plot().xAxis->range().lower, x0);
  EXPECT_DOUBLE_EQ(Plot().xAxis->range().upper, x1);
}

TEST_F(ChartView, RectangleDraggedUpLeftOrADoubleClickUndoesTheZoom) {
  chart_->ZoomTo(10, 20, 0, 50);
  int undos = 0, zooms = 0;
  chart_->OnUndoZoom = [&](ui::Control*) { ++undos; };
  chart_->OnZoom = [&](ui::Control*) { ++zooms; };
  Show();

  QTest::mousePress(&Plot(), Qt::LeftButton, {}, QPoint(200, 180));
  QTest::mouseRelease(&Plot(), Qt::LeftButton, {}, QPoint(120, 100));
  EXPECT_EQ(undos, 1);
  EXPECT_FALSE(chart_->BottomAxis().Zoomed());

  QTest::mouseDClick(&Plot(), Qt::LeftButton, {}, QPoint(150, 150));
  EXPECT_EQ(undos, 2);  // raised even with nothing zoomed
  EXPECT_EQ(zooms, 0);

  QTest::mouseClick(&Plot(), Qt::LeftButton, {}, QPoint(150, 150));  // a click is no rectangle
  EXPECT_EQ(undos, 2);
  EXPECT_EQ(zooms, 0);
}

TEST_F(ChartView, RightButtonDragScrollsByWhatTheMouseMoved) {
  const double before = Plot().xAxis->range().lower;
  const double perPixel = Plot().xAxis->pixelToCoord(201) - Plot().xAxis->pixelToCoord(200);
  int scrolls = 0;
  chart_->OnScroll = [&](ui::Control*) { ++scrolls; };
  QTest::mousePress(&Plot(), Qt::RightButton, {}, QPoint(200, 150));
  QTest::mouseMove(&Plot(), QPoint(250, 150));
  QTest::mouseRelease(&Plot(), Qt::RightButton, {}, QPoint(250, 150));
  EXPECT_EQ(scrolls, 1);
  EXPECT_NEAR(chart_->BottomAxis().CurrentMinimum(), before - 50 * perPixel, 1e-9);
}

TEST_F(ChartView, CopyPutsAWhiteImageOfTheChartsSizeOnTheClipboardAndLeavesTheChart) {
  chart_->SetColor(ui::clSilver);
  Show();
  qtfront::QtFrontEnd frontEnd;
  frontEnd.CopyChartToClipboard(*chart_);
  const QImage image = QApplication::clipboard()->image();
  EXPECT_EQ(image.size(), Plot().size());
  EXPECT_EQ(image.pixelColor(2, 2), QColor(Qt::white));
  EXPECT_EQ(first_->Count(), 101);
  EXPECT_EQ(Plot().graph(0)->data()->size(), 101);
  EXPECT_EQ(Plot().axisRect()->backgroundBrush().color(), QColor(192, 192, 192));
}

}  // namespace
