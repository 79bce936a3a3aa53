#pragma once

#include "qt/Binder.h"
#include "qt/ChartPlot.h"
#include "ui/Chart.h"

namespace qtfront {

// The chart: model changes (a refill of sixteen series reports every point) are gathered and
// shown once when the loop is next free; the operator's zoom, scroll and undo-zoom become the
// chart's operator actions, whose handlers redraw from the data.
class ChartBinder : public Binder {
  Q_OBJECT
 public:
  ChartBinder(ui::Chart& chart, ChartPlot* plot);

  // Shows the model now (what the loop would do next).
  void Sync();
  ChartPlot* Plot() const { return plot_; }

 protected:
  void Apply(ui::Property what) override;

 private:
  void Schedule();

  ui::Chart& chart_;
  ChartPlot* plot_;
  bool scheduled_ = false;
};

}  // namespace qtfront
