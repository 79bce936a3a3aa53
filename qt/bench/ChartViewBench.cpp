// Cost of showing a full chart: sixteen series of 2402 points (the decimated drawing of a long
// record) copied into the plot and drawn, as after every zoom or scroll step.
#include <QApplication>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>

#include "qt/Binder.h"
#include "qt/ChartPlot.h"
#include "qt/ChartRender.h"
#include "ui/Chart.h"

namespace {

constexpr int kSeries = 16;
constexpr int kPoints = 2402;

void FillChart(ui::Chart& chart, bool coalesce) {
  if (coalesce) chart.BeginUpdate();
  for (int s = 0; s < kSeries; ++s) {
    ui::Series* series = s < chart.SeriesCount() ? &chart.SeriesAt(s) : chart.AddSeries();
    series->Clear();
    series->Reserve(kPoints);
    for (int k = 0; k < kPoints / 2; ++k) {
      const double level = 4000 * std::sin(k * 0.01 + s);
      series->AddXY(k * 2, level - 300);
      series->AddXY(k * 2, level + 300);
    }
    series->SetYMultiplier(0.3125);
  }
  if (coalesce) chart.EndUpdate();
}

void BM_ShowAndDrawChart(benchmark::State& state) {
  ui::Chart chart;
  FillChart(chart, true);
  qtfront::ChartPlot plot;
  plot.resize(966, 585);
  for (auto _ : state) {
    qtfront::ShowChart(chart, plot);
    plot.replot(QCustomPlot::rpImmediateRefresh);
  }
  state.SetItemsProcessed(state.iterations() * kSeries * kPoints);
}
BENCHMARK(BM_ShowAndDrawChart)->Unit(benchmark::kMillisecond);

// A redraw handler refilling a chart that is on screen, point by point without coalescing: every
// point notifies the view, which must only note that a redraw is due.
void BM_RefillShownChart(benchmark::State& state) {
  ui::Chart chart;
  chart.SetBounds(0, 0, 966, 585);
  QWidget* view = qtfront::Binder::Create(chart, nullptr);
  for (auto _ : state) {
    FillChart(chart, false);
    QApplication::processEvents();
  }
  state.SetItemsProcessed(state.iterations() * kSeries * kPoints);
  delete view;
}
BENCHMARK(BM_RefillShownChart)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
