#include "qt/ChartPlot.h"

#include <QMouseEvent>

#include <cstdlib>

namespace qtfront {
namespace {

// A press that moves less than this is a click, not a rectangle.
constexpr int kMinimumDrag = 4;

}  // namespace

ChartPlot::ChartPlot(QWidget* parent)
    : QCustomPlot(parent),
      band_(new QRubberBand(QRubberBand::Rectangle, this)),
      title_(new QCPTextElement(this)) {
  setInteractions(QCP::Interactions());  // the chart's own zoom and drag would bypass the model
  // Sixteen series of a few thousand points are redrawn on every zoom and scroll step.
  setPlottingHints(QCP::phFastPolylines | QCP::phCacheLabels);
  setNotAntialiasedElements(QCP::aeAll);
  legend->setFont(QFont(font().family(), 8));
  band_->hide();
}

bool ChartPlot::TitleShown() const { return title_->layout() != nullptr; }

void ChartPlot::SetTitle(const QString& text, const QFont& font, const QColor& colour,
                         bool visible) {
  title_->setText(text);
  title_->setFont(font);
  title_->setTextColor(colour);
  const bool show = visible && !text.isEmpty();
  // Out of the layout the element would still paint where it last stood.
  title_->setVisible(show);
  if (show == TitleShown()) return;
  if (show) {
    plotLayout()->insertRow(0);
    plotLayout()->addElement(0, 0, title_);
  } else {
    plotLayout()->take(title_);
    plotLayout()->simplify();
  }
}

QCPRange ChartPlot::ShiftedRange(const QCPAxis* axis, double pixels) {
  const QCPRange range = axis->range();
  const double lower = axis->pixelToCoord(axis->coordToPixel(range.lower) - pixels);
  const double upper = axis->pixelToCoord(axis->coordToPixel(range.upper) - pixels);
  return QCPRange(lower, upper);
}

void ChartPlot::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (event->button() == Qt::LeftButton) {
    drag_ = Drag::Zoom;
    origin_ = at;
    band_->setGeometry(QRect(origin_, QSize()));
    band_->show();
  } else if (event->button() == Qt::RightButton) {
    drag_ = Drag::Scroll;
    lastScroll_ = at;
  }
  event->accept();
}

void ChartPlot::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (drag_ == Drag::Zoom) {
    band_->setGeometry(QRect(origin_, at).normalized());
  } else if (drag_ == Drag::Scroll && at != lastScroll_) {
    const QPoint delta = at - lastScroll_;
    lastScroll_ = at;
    const QCPRange x = ShiftedRange(xAxis, delta.x());
    const QCPRange y = ShiftedRange(yAxis, delta.y());
    emit ScrollRequested(x.lower, x.upper, y.lower, y.upper);
  }
  event->accept();
}

void ChartPlot::mouseReleaseEvent(QMouseEvent* event) {
  const Drag finished = drag_;
  drag_ = Drag::None;
  band_->hide();
  if (finished != Drag::Zoom || event->button() != Qt::LeftButton) return;
  const QPoint end = event->position().toPoint();
  const QPoint delta = end - origin_;
  if (std::abs(delta.x()) < kMinimumDrag && std::abs(delta.y()) < kMinimumDrag) return;
  if (delta.x() > 0 && delta.y() > 0) {
    emit ZoomRequested(xAxis->pixelToCoord(origin_.x()), xAxis->pixelToCoord(end.x()),
                       yAxis->pixelToCoord(end.y()), yAxis->pixelToCoord(origin_.y()));
  } else {
    emit UndoZoomRequested();
  }
}

void ChartPlot::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit UndoZoomRequested();
  event->accept();
}

}  // namespace qtfront
