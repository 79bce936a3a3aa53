#include "qt/ChartRender.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "qt/Convert.h"
#include "qt/NumberPattern.h"
#include "qt/PatternTicker.h"

namespace qtfront {
namespace {

// The smallest positive and the largest shown value of the active series along one axis: what a
// logarithmic automatic axis can show.
bool PositiveExtent(const ui::Chart& chart, bool horizontal, double& lo, double& hi) {
  lo = std::numeric_limits<double>::infinity();
  hi = 0.0;
  for (int i = 0; i < chart.SeriesCount(); ++i) {
    const ui::Series& s = chart.SeriesAt(i);
    if (!s.Active()) continue;
    const auto& values = horizontal ? s.XValues() : s.YValues();
    const double multiplier = horizontal ? s.XMultiplier() : s.YMultiplier();
    for (double v : values) {
      const double shown = v * multiplier;
      if (shown > 0 && std::isfinite(shown)) {
        lo = std::min(lo, shown);
        hi = std::max(hi, shown);
      }
    }
  }
  return hi > 0;
}

// A range QCustomPlot can show: ordered, finite, not empty, positive on a log axis.
QCPRange ShowableRange(double lo, double hi, bool logarithmic) {
  if (!std::isfinite(lo) || !std::isfinite(hi)) lo = hi = 0;
  if (lo > hi) std::swap(lo, hi);
  if (logarithmic) {
    if (hi <= 0) return QCPRange(1, 10);
    if (lo <= 0) lo = hi / 1000;
    if (lo == hi) return QCPRange(lo / 10, hi * 10);
    return QCPRange(lo, hi);
  }
  if (lo == hi) {
    const double pad = lo == 0 ? 1.0 : std::abs(lo) * 0.1;
    return QCPRange(lo - pad, hi + pad);
  }
  return QCPRange(lo, hi);
}

void ShowAxis(const ui::Chart& chart, const ui::Axis& model, QCPAxis& axis) {
  const bool log = model.Logarithmic();
  axis.setScaleType(log ? QCPAxis::stLogarithmic : QCPAxis::stLinear);
  if (log) {
    auto ticker = axis.ticker().dynamicCast<LogPatternTicker>();
    if (!ticker) {
      ticker.reset(new LogPatternTicker);
      ticker->setLogBase(10);
      axis.setTicker(ticker);
    }
    ticker->SetPattern(model.ValueFormat());
  } else {
    auto ticker = axis.ticker().dynamicCast<LinearPatternTicker>();
    if (!ticker) {
      ticker.reset(new LinearPatternTicker);
      axis.setTicker(ticker);
    }
    ticker->SetPattern(model.ValueFormat());
  }
  QFont font = axis.tickLabelFont();
  if (model.LabelFontSize() > 0) font.setPointSize(model.LabelFontSize());
  axis.setTickLabelFont(font);

  double lo = model.CurrentMinimum();
  double hi = model.CurrentMaximum();
  if (log && model.Automatic() && !model.Zoomed()) PositiveExtent(chart, model.Horizontal(), lo, hi);
  axis.setRange(ShowableRange(lo, hi, log));
}

QString LegendText(const ui::Series& series, const ui::Axis& left) {
  QString text = ToQString(series.Title());
  if (series.Count() > 0) {
    if (!text.isEmpty()) text += ' ';
    text += ToQString(FormatByPattern(series.YValues().back() * series.YMultiplier(),
                                      left.ValueFormat()));
  }
  return text;
}

void ShowSeries(const ui::Chart& chart, ChartPlot& plot) {
  while (plot.graphCount() < chart.SeriesCount()) plot.addGraph(plot.xAxis, plot.yAxis);
  // Refilled in series order: a series shown again takes its own place, not the last one.
  plot.legend->clearItems();
  QVector<QCPGraphData> points;
  for (int i = 0; i < chart.SeriesCount(); ++i) {
    const ui::Series& series = chart.SeriesAt(i);
    QCPGraph* graph = plot.graph(i);
    const auto& xs = series.XValues();
    const auto& ys = series.YValues();
    const size_t n = std::min(xs.size(), ys.size());
    points.resize(static_cast<qsizetype>(n));
    bool sorted = true;
    for (size_t k = 0; k < n; ++k) {
      QCPGraphData& p = points[static_cast<qsizetype>(k)];
      p.key = xs[k] * series.XMultiplier();
      p.value = ys[k] * series.YMultiplier();
      if (k > 0 && p.key < points[static_cast<qsizetype>(k - 1)].key) sorted = false;
    }
    graph->data()->set(points, sorted);
    graph->setPen(QPen(ToQColor(series.Color()), 1));
    graph->setVisible(series.Active());
    graph->setName(LegendText(series, chart.LeftAxis()));
    if (series.Active() && series.Count() > 0) graph->addToLegend();
  }
}

}  // namespace

void ShowChart(const ui::Chart& chart, ChartPlot& plot) {
  const QColor background = ToQColor(chart.Color());
  plot.setBackground(background);
  plot.axisRect()->setBackground(background);
  ShowSeries(chart, plot);
  ShowAxis(chart, chart.BottomAxis(), *plot.xAxis);
  ShowAxis(chart, chart.LeftAxis(), *plot.yAxis);

  const ui::Font& font = chart.TitleFont();
  plot.SetTitle(ToQString(chart.TitleText()), ToQFont(font, plot.font()), ToQColor(font.Color),
                chart.TitleVisible());
  plot.legend->setVisible(chart.LegendVisible());
}

QImage RenderChartImage(const ui::Chart& chart, QSize size) {
  if (size.isEmpty()) size = QSize(std::max(1, chart.Width()), std::max(1, chart.Height()));
  ChartPlot plot;
  plot.resize(size);
  ShowChart(chart, plot);
  plot.setBackground(Qt::white);
  plot.axisRect()->setBackground(Qt::white);
  return plot.toPixmap(size.width(), size.height()).toImage();
}

}  // namespace qtfront
