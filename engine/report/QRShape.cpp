#include "QRShape.h"

#include <QStringList>

#include "DesignValue.h"
#include "QRDeviceRect.h"
#include "QRPrinter.h"

const QStringList& ShapeTypeNames() {
  static const QStringList names{
      QStringLiteral("qrsRectangle"),    QStringLiteral("qrsCircle"),
      QStringLiteral("qrsVertLine"),     QStringLiteral("qrsHorLine"),
      QStringLiteral("qrsTopAndBottom"), QStringLiteral("qrsRightAndLeft")};
  return names;
}

namespace {
const QStringList& BrushStyleNames() {
  static const QStringList names{QStringLiteral("bsSolid"), QStringLiteral("bsClear")};
  return names;
}
}  // namespace

TQRShape::TQRShape(TQRComponent* owner) : TQRPrintable(owner) {
  ApplyBounds(0, 0, kNewShapeSize, kNewShapeSize);
}

void TQRShape::SetShape(TQRShapeType shape) {
  if (shape == shape_) return;
  shape_ = shape;
  Invalidate();
}

void TQRShape::SetPen(const TQRPen& pen) {
  pen_ = pen;
  Invalidate();
}

void TQRShape::SetBrush(const TQRBrush& brush) {
  brush_ = brush;
  Invalidate();
}

void TQRShape::Draw(TCanvas& canvas, TQRShapeType shape, int x1, int y1, int x2, int y2, int xm,
                    int ym) {
  auto line = [&canvas](int ax, int ay, int bx, int by) {
    canvas.MoveTo(ax, ay);
    canvas.LineTo(bx, by);
  };
  switch (shape) {
    case qrsRectangle:
      canvas.Rectangle(QRect(x1, y1, x2 - x1, y2 - y1));
      break;
    case qrsCircle:
      canvas.Ellipse(QRect(x1, y1, x2 - x1, y2 - y1));
      break;
    case qrsVertLine:
      line(xm, y1, xm, y2);
      break;
    case qrsHorLine:
      line(x1, ym, x2, ym);
      break;
    case qrsTopAndBottom:
      line(x1, y1, x2, y1);
      line(x1, y2, x2, y2);
      break;
    case qrsRightAndLeft:
      line(x1, y1, x1, y2);
      line(x2, y1, x2, y2);
      break;
  }
}

void TQRShape::PrintAt(int ofsX, int ofsY) {
  TQRPrinter* printer = Device();
  if (printer == nullptr || !FinalPass() || !IsPrintable()) return;
  TCanvas& canvas = printer->PageCanvas();
  canvas.SetBrush(brush_.color, brush_.style);
  canvas.SetPen(pen_.color, pen_.width, pen_.style);
  const QRectF r = PageRect(ofsX, ofsY);
  const QRect d =
      DeviceRect(*printer, r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
  const int xm = printer->DeviceX(r.left() + r.width() / 2);
  const int ym = printer->DeviceY(r.top() + r.height() / 2);
  Draw(canvas, shape_, d.left(), d.top(), d.left() + d.width(), d.top() + d.height(), xm, ym);
}

void TQRShape::Paint(TCanvas& canvas, QPoint origin) {
  if (InOutput()) return;
  const int w = Width(), h = Height();
  const int x = origin.x(), y = origin.y();
  canvas.SetBrush(brush_.color, brush_.style);
  canvas.SetPen(pen_.color, pen_.width, pen_.style);
  // On screen the edge lines lie on the last pixel row and column.
  switch (shape_) {
    case qrsTopAndBottom:
      Draw(canvas, shape_, x, y, x + w, y + h - 1, 0, 0);
      break;
    case qrsRightAndLeft:
      Draw(canvas, shape_, x, y, x + w - 1, y + h, 0, 0);
      break;
    default:
      Draw(canvas, shape_, x, y, x + w, y + h, x + w / 2, y + h / 2);
      break;
  }
}

bool TQRShape::ReadProperty(const QString& name, const TDesignValue& value, TDesignReader& reader) {
  if (name == QLatin1String("Shape")) {
    SetShape(AsEnum<TQRShapeType>(value, ShapeTypeNames()));
  } else if (name == QLatin1String("Pen.Color")) {
    pen_.color = AsColor(value);
  } else if (name == QLatin1String("Pen.Width")) {
    pen_.width = AsInteger(value);
  } else if (name == QLatin1String("Pen.Style")) {
    pen_.style = AsEnum<TPenStyle>(value, PenStyleNames());
  } else if (name == QLatin1String("Pen.Mode")) {
    // Only the copy mode exists here.
    if (AsIdentifier(value) != QLatin1String("pmCopy"))
      throw EDesignError(value.Line(), QStringLiteral("only the pen mode pmCopy is supported"));
  } else if (name == QLatin1String("Brush.Color")) {
    brush_.color = AsColor(value);
  } else if (name == QLatin1String("Brush.Style")) {
    brush_.style = AsEnum<TBrushStyle>(value, BrushStyleNames());
  } else {
    return TQRPrintable::ReadProperty(name, value, reader);
  }
  return true;
}
