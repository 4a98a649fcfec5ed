#pragma once
// PDF content operators as this project writes them: numbers with at most
// three decimals, colours, rectangles, paths, transforms and text shown
// with per-glyph advances. Coordinates are whatever the page's current
// transform makes them (device pixels, y down, for our pages).

#include <QByteArray>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QRgb>
#include <QTransform>
#include <vector>

// "r g b" of a colour, 0 to 1.
QByteArray PdfColour(QRgb colour);
// "x y w h re ".
QByteArray PdfRect(const QRectF& rect);
// "x y".
QByteArray PdfPoint(const QPointF& point);
// The path's subpaths as m, l and c operators (no painting operator).
QByteArray PdfPath(const QPainterPath& path);
// "a b c d e f" of a transform, as cm and Tm take it.
QByteArray PdfMatrix(const QTransform& transform);

// "[<codes> adjust <codes> ...] TJ": one code per glyph, each followed by
// the adjustment (thousandths of the font size, subtracted from the pen's
// advance) that puts the next glyph where it belongs. `adjustments` holds
// one value per code; a zero adds nothing.
QByteArray PdfShowText(const QByteArray& codes, const std::vector<double>& adjustments);
