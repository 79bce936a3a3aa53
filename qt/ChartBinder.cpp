#include "qt/ChartBinder.h"

#include "qt/ChartRender.h"
#include "qt/Convert.h"

namespace qtfront {

ChartBinder::ChartBinder(ui::Chart& chart, ChartPlot* plot)
    : Binder(chart, plot), chart_(chart), plot_(plot) {
  connect(plot_, &ChartPlot::ZoomRequested, this, [this](double x0, double x1, double y0, double y1) {
    if (CanOperate()) Operate([&] { chart_.ZoomTo(x0, x1, y0, y1); });
  });
  connect(plot_, &ChartPlot::ScrollRequested, this, [this](double x0, double x1, double y0, double y1) {
    if (CanOperate()) Operate([&] { chart_.Scroll(x0, x1, y0, y1); });
  });
  connect(plot_, &ChartPlot::UndoZoomRequested, this, [this] {
    if (CanOperate()) Operate([&] { chart_.UndoZoom(); });
  });
}

void ChartBinder::Schedule() {
  if (scheduled_) return;
  scheduled_ = true;
  QMetaObject::invokeMethod(this, &ChartBinder::Sync, Qt::QueuedConnection);
}

void ChartBinder::Sync() {
  scheduled_ = false;
  if (!CanOperate()) return;
  ShowChart(chart_, *plot_);
  plot_->replot(QCustomPlot::rpQueuedReplot);
}

void ChartBinder::Apply(ui::Property what) {
  switch (what) {
    case ui::Property::SeriesData:
    case ui::Property::SeriesStyle:
    case ui::Property::Axis:
    case ui::Property::Title:
    case ui::Property::Legend:
    case ui::Property::Color:
      Schedule();
      break;
    default:
      Binder::Apply(what);
  }
}

}  // namespace qtfront
