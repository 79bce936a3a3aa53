#pragma once

#include <QImage>
#include <QSize>

#include "qt/ChartPlot.h"
#include "ui/Chart.h"

namespace qtfront {

// Shows the chart model in a plot: every series as its raw points times its multipliers, in its
// colour, shown while active; both axes by their current limits (zoom, fixed or automatic),
// scale and number pattern; the title and the legend. The plot is not replotted here.
void ShowChart(const ui::Chart& chart, ChartPlot& plot);

// An image of the chart on a white background, of the given size (the chart's own size when
// empty), drawn apart from any window so that the chart on screen stays as it is.
QImage RenderChartImage(const ui::Chart& chart, QSize size = QSize());

}  // namespace qtfront
