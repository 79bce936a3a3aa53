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

// Fonts sized in points grow with the paint device's resolution; the report is scaled from
// form pixels to the page as a whole, so its plots' fonts are fixed in form pixels (96 per inch)
// first, or a printer's 1200 dots per inch would make every text a dozen times too large.
QFont InFormPixels(QFont font) {
  if (font.pointSizeF() > 0) font.setPixelSize(std::max(1, static_cast<int>(font.pointSizeF() * 96 / 72 + 0.5)));
  return font;
}

void FontsInFormPixels(ChartPlot& plot) {
  for (QCPAxis* axis : plot.axisRect()->axes()) {
    axis->setTickLabelFont(InFormPixels(axis->tickLabelFont()));
    axis->setLabelFont(InFormPixels(axis->labelFont()));
  }
  if (QCPTextElement* title = plot.TitleElement()) title->setFont(InFormPixels(title->font()));
  plot.legend->setFont(InFormPixels(plot.legend->font()));
}

// The report's printed texts (its title).
void CollectLabels(const ui::Control& control, std::vector<const ui::Control*>& labels) {
  for (const auto& child : control.Children()) {
    if (child->Kind() == ui::ControlKind::Label && child->Visible() && !child->Caption().empty())
      labels.push_back(child.get());
    CollectLabels(*child, labels);
  }
}

// A label's caption in its font, the font's points taken at the form's 96 pixels per inch.
void DrawLabel(const ui::Control& label, QPainter& painter) {
  QFont font = ToQFont(label.Font(), painter.font());
  font.setPointSize(label.Font().Size);
  font = InFormPixels(font);
  painter.setFont(font);
  painter.setPen(ToQColor(label.Font().Color));
  painter.drawText(QRectF(QPointF(0, 0), PlaceOnForm(label).size()), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                   ToQString(label.Caption()));
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
  std::vector<const ui::Control*> labels;
  CollectLabels(report, labels);
  if (charts.empty() && labels.empty()) return;
  QRectF used;
  for (const ui::Chart* chart : charts) used |= PlaceOnForm(*chart);
  for (const ui::Control* label : labels) used |= PlaceOnForm(*label);
  // Form pixels to page units, keeping the proportions, the widest content filling the width.
  const double scale = std::min(page.width() / std::max(1.0, used.right()),
                                page.height() / std::max(1.0, used.bottom()));
  for (const ui::Chart* chart : charts) {
    const QRectF place = PlaceOnForm(*chart);
    ChartPlot plot;
    plot.resize(place.size().toSize());
    ShowChart(*chart, plot);
    FontsInFormPixels(plot);
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
  for (const ui::Control* label : labels) {
    painter.save();
    painter.translate(page.topLeft() + PlaceOnForm(*label).topLeft() * scale);
    painter.scale(scale, scale);
    DrawLabel(*label, painter);
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
