#pragma once
// The path a playing EMF device context builds between BEGINPATH and
// ENDPATH, held as GDI holds it: one path of figures. A figure ends only at
// MOVETOEX, CLOSEFIGURE or the end of the path; every drawing record in
// between adds to it. The "To" records go on from the current position (a
// new figure starts there after BEGINPATH, MOVETOEX, a closed figure, or
// when the path ended elsewhere); the other poly records begin a figure at
// their own first point; polygons,
// rectangles and ellipses add closed figures of their own. Filling then takes
// all figures together under the polygon fill mode, so that a frame drawn as
// an outer and an inner figure fills only the ring between them.

#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>

namespace emf {

class TEmfPath {
 public:
  // An empty path (BEGINPATH, ABORTPATH, or after the path was used).
  void Clear();
  bool Empty() const { return path_.elementCount() == 0; }

  // MOVETOEX: the next "To" drawing starts a new figure.
  void MoveTo() { newFigure_ = true; }
  // LINETO, POLYLINETO: lines from `position`, the current position.
  void LinesTo(const QPointF& position, const QPolygonF& points);
  // POLYBEZIERTO: cubic curves from `position`, three points each.
  void BeziersTo(const QPointF& position, const QPolygonF& points);
  // Whether a poly record takes the place of the new figure a MOVETOEX
  // asked for (POLYLINE, POLYGON), or leaves it to the next "To" drawing
  // (each figure of POLYPOLYLINE, POLYPOLYGON), as GDI does.
  enum class TMark { Taken, Left };
  // POLYLINE, POLYBEZIER: an open run from the record's own first point.
  void Lines(const QPolygonF& points, TMark mark = TMark::Taken);
  void Beziers(const QPolygonF& points);
  // POLYGON: a closed figure of its own.
  void Polygon(const QPolygonF& points, TMark mark = TMark::Taken);
  // RECTANGLE, ROUNDRECT, ELLIPSE over `area` (edges included), turning the
  // way the arc direction says, as GDI adds them.
  enum class TTurn { CounterClockwise, Clockwise };
  void Rectangle(const QRectF& area, TTurn turn);
  void RoundRect(const QRectF& area, const QSizeF& corner, TTurn turn);
  void Ellipse(const QRectF& area, TTurn turn);
  // CLOSEFIGURE: a line back to the figure's start.
  void CloseFigure();

  // Every figure, in record coordinates, to be filled with `windingFill`
  // (WINDING) or the odd-even rule (ALTERNATE).
  QPainterPath Figures(bool windingFill) const;

 private:
  void Continue(const QPointF& position);
  void AddClosed(QPainterPath figure, TTurn turn);

  QPainterPath path_;
  bool newFigure_ = true;
  bool lastClosed_ = false;
};

}  // namespace emf
