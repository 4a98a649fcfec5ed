#include "EmfPath.h"

#include <cmath>

namespace emf {

namespace {

// Twice the signed area of the figure's outline; positive when it turns
// clockwise on the page (y grows downwards).
double TwiceSignedArea(const QPolygonF& outline) {
  double sum = 0;
  for (qsizetype i = 0, n = outline.size(); i < n; ++i) {
    const QPointF& a = outline[i];
    const QPointF& b = outline[(i + 1) % n];
    sum += a.x() * b.y() - b.x() * a.y();
  }
  return sum;
}

}  // namespace

void TEmfPath::Clear() {
  path_ = QPainterPath();
  newFigure_ = true;
  lastClosed_ = false;
}

// Where GDI starts a new figure: at the current position, when the path is
// empty, after MOVETOEX, after a closed figure, or when the path's last
// point is not the current position (a plain poly record leaves the
// position where it was). Otherwise the drawing continues the figure from
// its last point.
void TEmfPath::Continue(const QPointF& position) {
  if (newFigure_ || lastClosed_ || Empty() || path_.currentPosition() != position) {
    path_.moveTo(position);
    lastClosed_ = false;
  }
  newFigure_ = false;
}

void TEmfPath::LinesTo(const QPointF& position, const QPolygonF& points) {
  if (points.isEmpty()) return;
  Continue(position);
  for (const QPointF& p : points) path_.lineTo(p);
}

void TEmfPath::BeziersTo(const QPointF& position, const QPolygonF& points) {
  if (points.size() < 3) return;
  Continue(position);
  for (qsizetype i = 0; i + 2 < points.size(); i += 3)
    path_.cubicTo(points[i], points[i + 1], points[i + 2]);
}

// The single poly records take the place of the figure a MOVETOEX asked
// for; the poly-poly records leave that mark for the next "To" drawing.
void TEmfPath::Lines(const QPolygonF& points, TMark mark) {
  if (points.isEmpty()) return;
  path_.moveTo(points.first());
  lastClosed_ = false;
  for (qsizetype i = 1; i < points.size(); ++i) path_.lineTo(points[i]);
  if (mark == TMark::Taken) newFigure_ = false;
}

void TEmfPath::Beziers(const QPolygonF& points) {
  if (points.isEmpty()) return;
  path_.moveTo(points.first());
  lastClosed_ = false;
  for (qsizetype i = 1; i + 2 < points.size(); i += 3)
    path_.cubicTo(points[i], points[i + 1], points[i + 2]);
  newFigure_ = false;
}

void TEmfPath::Polygon(const QPolygonF& points, TMark mark) {
  if (points.isEmpty()) return;
  path_.moveTo(points.first());
  for (qsizetype i = 1; i < points.size(); ++i) path_.lineTo(points[i]);
  path_.closeSubpath();
  lastClosed_ = true;
  if (mark == TMark::Taken) newFigure_ = false;
}

void TEmfPath::AddClosed(QPainterPath figure, TTurn turn) {
  const double area = TwiceSignedArea(figure.toFillPolygon());
  if ((area > 0) != (turn == TTurn::Clockwise)) figure = figure.toReversed();
  path_.addPath(figure);
  path_.closeSubpath();
  lastClosed_ = true;
}

void TEmfPath::Rectangle(const QRectF& area, TTurn turn) {
  QPainterPath figure;
  figure.addRect(area);
  AddClosed(figure, turn);
}

void TEmfPath::RoundRect(const QRectF& area, const QSizeF& corner, TTurn turn) {
  QPainterPath figure;
  // The record gives the corner ellipse's width and height.
  figure.addRoundedRect(area, std::abs(corner.width()) / 2, std::abs(corner.height()) / 2);
  AddClosed(figure, turn);
}

void TEmfPath::Ellipse(const QRectF& area, TTurn turn) {
  QPainterPath figure;
  figure.addEllipse(area);
  AddClosed(figure, turn);
}

void TEmfPath::CloseFigure() {
  if (Empty() || lastClosed_) return;
  path_.closeSubpath();
  lastClosed_ = true;
}

QPainterPath TEmfPath::Figures(bool windingFill) const {
  QPainterPath figures = path_;
  figures.setFillRule(windingFill ? Qt::WindingFill : Qt::OddEvenFill);
  return figures;
}

}  // namespace emf
