#pragma once

#include <qcustomplot.h>

#include <QPoint>
#include <QRubberBand>

namespace qtfront {

// The plot widget with the instrument's mouse handling: a rectangle dragged down-right with the
// left button zooms to it, a rectangle dragged any other way (or a double-click) undoes the zoom,
// and the right button drags the view. The widget changes no range itself: it reports what the
// operator asked for and the chart model decides.
class ChartPlot : public QCustomPlot {
  Q_OBJECT
 public:
  explicit ChartPlot(QWidget* parent = nullptr);

  // The title line above the plot; an empty or hidden title takes no room.
  void SetTitle(const QString& text, const QFont& font, const QColor& colour, bool visible);
  QCPTextElement* TitleElement() const { return title_; }
  bool TitleShown() const;

 signals:
  void ZoomRequested(double xMin, double xMax, double yMin, double yMax);
  void ScrollRequested(double xMin, double xMax, double yMin, double yMax);
  void UndoZoomRequested();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  enum class Drag { None, Zoom, Scroll };
  // Axis limits after moving the view by a pixel offset; works on linear and log axes alike.
  static QCPRange ShiftedRange(const QCPAxis* axis, double pixels);

  Drag drag_ = Drag::None;
  QPoint origin_;
  QPoint lastScroll_;
  QRubberBand* band_;
  QCPTextElement* title_;
};

}  // namespace qtfront
