#include "qt/ReportPreview.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <algorithm>
#include <functional>

#include "qt/ChartPlot.h"
#include "qt/ChartRender.h"
#include "qt/Convert.h"

namespace qtfront {
namespace {

// The chart's rectangle in the form's coordinates.
QRectF PlaceOnForm(const ui::Control& control) {
  QPointF origin(control.Left(), control.Top());
  for (const ui::Control* p = control.Parent(); p != nullptr && p->Kind() != ui::ControlKind::Form;
       p = p->Parent())
    origin += QPointF(p->Left(), p->Top());
  return QRectF(origin, QSizeF(std::max(1, control.Width()), std::max(1, control.Height())));
}

void CollectCharts(const ui::Control& control, std::vector<const ui::Chart*>& charts) {
  for (const auto& child : control.Children()) {
    if (child->Kind() == ui::ControlKind::Chart)
      charts.push_back(static_cast<const ui::Chart*>(child.get()));
    CollectCharts(*child, charts);
  }
}

}  // namespace

std::vector<const ui::Chart*> ReportCharts(const ui::Form& report) {
  std::vector<const ui::Chart*> charts;
  CollectCharts(report, charts);
  std::stable_sort(charts.begin(), charts.end(), [](const ui::Chart* a, const ui::Chart* b) {
    return PlaceOnForm(*a).top() < PlaceOnForm(*b).top();
  });
  if (charts.size() > static_cast<size_t>(kReportCharts)) charts.resize(kReportCharts);
  return charts;
}

void RenderReport(const ui::Form& report, QCPPainter& painter, const QRectF& page) {
  const std::vector<const ui::Chart*> charts = ReportCharts(report);
  if (charts.empty()) return;
  QRectF used;
  for (const ui::Chart* chart : charts) used |= PlaceOnForm(*chart);
  // Form pixels to page units, keeping the proportions, the widest content filling the width.
  const double scale = std::min(page.width() / std::max(1.0, used.right()),
                                page.height() / std::max(1.0, used.bottom()));
  for (const ui::Chart* chart : charts) {
    const QRectF place = PlaceOnForm(*chart);
    ChartPlot plot;
    plot.resize(place.size().toSize());
    ShowChart(*chart, plot);
    plot.setBackground(Qt::white);
    plot.axisRect()->setBackground(Qt::white);
    plot.replot(QCustomPlot::rpImmediateRefresh);
    painter.save();
    painter.translate(page.topLeft() + place.topLeft() * scale);
    painter.scale(scale, scale);
    // Drawn as vectors, so that the printer's resolution is used.
    plot.toPainter(&painter, plot.width(), plot.height());
    painter.restore();
  }
}

void ShowReportPreview(const ui::Form& report, QWidget* parent) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                    QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
  printer.setDocName(ToQString(report.Caption()));
  QPrintPreviewDialog preview(&printer, parent);
  preview.setWindowTitle(ToQString(report.Caption()));
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&](QPrinter* target) {
    QCPPainter painter(target);
    RenderReport(report, painter, QRectF(QPointF(0, 0), target->pageRect(QPrinter::DevicePixel).size()));
  });
  preview.exec();
}

}  // namespace qtfront
