#pragma once
// Hand-written EMF pages whose shapes are paths as Windows programs write
// them, on a 100 x 100 pixel frame:
// - a frame as one path of two figures: an outer rounded rectangle with its
//   corners as PolyBezierTo records (16- or 32-bit), turning clockwise, and
//   an inner rectangle: outer box 10..90, inner hole 30..70, corner radius
//   10. When the inner figure turns the other way, either fill mode leaves
//   the hole, as Windows programs draw frames; when it turns the same way,
//   only the alternate mode does. The path is filled, stroked, or both, or
//   made the clip (SelectClipPath) for a rectangle over the whole frame
//   filled with the brush;
// - a disc of radius 40 about (50, 50) as four Bézier quarters, drawn with
//   PolyBezierTo16 from a MoveToEx, or with one plain PolyBezier16 that
//   starts at its own first point.
// The brush is black; the pen is red, one pixel wide.

#include <QByteArray>
#include <QString>
#include <vector>

namespace pathfixtures {

enum class TFillRecord { FillPath, StrokeAndFillPath, StrokePath, SelectClipPath };
enum class TPolyFill { Alternate = 1, Winding = 2 };
enum class TInner { TurningBack, TurningAlong };

QByteArray Ring(TFillRecord record, TPolyFill mode, bool wideCorners = false,
                TInner inner = TInner::TurningBack);
QByteArray DiscFromMoveTo();
QByteArray DiscOfOnePolyBezier();

// Every page above with a file name, for the fuzzer's corpus.
std::vector<std::pair<QString, QByteArray>> All();

}  // namespace pathfixtures
