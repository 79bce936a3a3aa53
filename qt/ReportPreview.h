#pragma once

#include <qcustomplot.h>

#include <QRectF>
#include <QWidget>

#include <vector>

#include "ui/Chart.h"
#include "ui/Containers.h"

namespace qtfront {

// The report holds up to three charts; their places on the page follow their places on the
// report form, scaled to the page's width.
inline constexpr int kReportCharts = 3;

// The report's charts in the order they stand on the form (top to bottom), at most three.
std::vector<const ui::Chart*> ReportCharts(const ui::Form& report);

// Draws the report onto a page area (device units): its charts and its texts (labels) where the
// form has them.
void RenderReport(const ui::Form& report, QCPPainter& painter, const QRectF& page);

// A4 portrait, 10 mm margins; shows a modal print preview of the report.
void ShowReportPreview(const ui::Form& report, QWidget* parent);

}  // namespace qtfront
