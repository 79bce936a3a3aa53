#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "qt/ReportPreview.h"
#include "ui/Controls.h"

namespace {

// A report form like the frequency-response one: a band holding three charts one below another.
struct ReportForm {
  ReportForm() {
    auto* band = form.Add<ui::Panel>("QRBandDetail", 0, 40, 718, 1007);
    const char* names[] = {"QRDBChartAFC", "QRDBChartAmpl", "QRDBChartFFC"};
    const int tops[] = {320, 10, 630};
    for (int i = 0; i < 3; ++i) {
      charts[i] = band->Add<ui::Chart>(names[i], 0, tops[i], 718, 300);
      ui::Series* series = charts[i]->AddSeries();
      for (int k = 1; k <= 50; ++k) series->AddXY(k, k % 7);
    }
  }
  ui::Form form;
  ui::Chart* charts[3] = {};
};

int NonWhiteRows(const QImage& image, int from, int to) {
  int rows = 0;
  for (int y = from; y < to; ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixelColor(x, y) != QColor(Qt::white)) {
        ++rows;
        break;
      }
    }
  }
  return rows;
}

TEST(ReportPreview, ChartsAreTakenTopToBottomAndAtMostThree) {
  ReportForm report;
  report.form.Add<ui::Chart>("Extra", 0, 2000, 100, 100);
  const auto charts = qtfront::ReportCharts(report.form);
  ASSERT_EQ(charts.size(), 3u);
  EXPECT_EQ(charts[0]->Name(), "QRDBChartAmpl");
  EXPECT_EQ(charts[1]->Name(), "QRDBChartAFC");
  EXPECT_EQ(charts[2]->Name(), "QRDBChartFFC");
}

TEST(ReportPreview, PageShowsEachChartInItsPlaceScaledToThePage) {
  ReportForm report;
  QImage page(359, 600, QImage::Format_RGB32);  // half the form's scale
  page.fill(Qt::white);
  {
    QCPPainter painter(&page);
    qtfront::RenderReport(report.form, painter, QRectF(0, 0, 359, 600));
  }
  // Form tops 50, 360, 670 (band at 40) and height 300 become halves of that on the page.
  EXPECT_GT(NonWhiteRows(page, 25, 175), 100);
  EXPECT_GT(NonWhiteRows(page, 180, 330), 100);
  EXPECT_GT(NonWhiteRows(page, 335, 485), 100);
  EXPECT_EQ(NonWhiteRows(page, 0, 24), 0);
  EXPECT_EQ(NonWhiteRows(page, 487, 600), 0);
}

// The longest run of non-white pixels along one row.
int LongestRowRun(const QImage& image) {
  int longest = 0;
  for (int y = 0; y < image.height(); ++y) {
    int run = 0;
    for (int x = 0; x < image.width(); ++x) {
      run = image.pixelColor(x, y) != QColor(Qt::white) ? run + 1 : 0;
      longest = std::max(longest, run);
    }
  }
  return longest;
}

TEST(ReportPreview, AnUnderlinedTitleIsPrintedWithItsLine) {
  const auto printed = [](bool underline) {
    ui::Form form;
    auto* title = form.Add<ui::Label>("QRLabelTitle", 0, 0, 240, 26);
    title->SetCaption("Отчёт по АЧХ");
    title->SetFont({.Name = "Arial", .Size = 16, .Color = ui::clBlack, .Bold = true, .Underline = underline});
    QImage page(240, 26, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
      QCPPainter painter(&page);
      qtfront::RenderReport(form, painter, QRectF(0, 0, 240, 26));
    }
    return page;
  };
  // The line runs under the whole caption; no letter of it is that wide.
  const QImage plain = printed(false);
  const QImage underlined = printed(true);
  EXPECT_LT(LongestRowRun(plain), 40);
  EXPECT_GT(LongestRowRun(underlined), 100);
}

TEST(ReportPreview, TitleLabelIsPrintedAboveTheCharts) {
  ReportForm report;
  auto* title = report.form.Add<ui::Label>("QRLabelTitle", 242, 8, 240, 26);
  title->SetCaption("Отчёт");
  title->SetFont({.Name = "Arial", .Size = 16, .Color = ui::clBlack, .Bold = true});
  QImage page(718, 1047, QImage::Format_RGB32);
  page.fill(Qt::white);
  {
    QCPPainter painter(&page);
    qtfront::RenderReport(report.form, painter, QRectF(0, 0, 718, 1047));
  }
  EXPECT_GT(NonWhiteRows(page, 8, 40), 8);
  EXPECT_EQ(NonWhiteRows(page, 0, 6), 0);
}

}  // namespace
