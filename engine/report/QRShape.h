#pragma once
// A rectangle, an ellipse or lines over the element, drawn with the shape's
// own pen (width in device pixels, never scaled) and brush. Shapes print
// only in the final pass and draw no frame.

#include "QRPrintable.h"

enum TQRShapeType : int {
  qrsRectangle = 0,
  qrsCircle = 1,
  qrsVertLine = 2,
  qrsHorLine = 3,
  qrsTopAndBottom = 4,
  qrsRightAndLeft = 5,
};

struct TQRPen {
  QRgb color = 0xFF000000;
  int width = 1;  // device pixels
  TPenStyle style = TPenStyle::psSolid;
  bool operator==(const TQRPen&) const = default;
};

struct TQRBrush {
  QRgb color = 0xFFFFFFFF;
  TBrushStyle style = TBrushStyle::bsSolid;
  bool operator==(const TQRBrush&) const = default;
};

class TQRShape : public TQRPrintable {
 public:
  explicit TQRShape(TQRComponent* owner);

  QString ClassName() const override { return QStringLiteral("TQRShape"); }

  TQRShapeType Shape() const { return shape_; }
  void SetShape(TQRShapeType shape);
  const TQRPen& Pen() const { return pen_; }
  void SetPen(const TQRPen& pen);
  const TQRBrush& Brush() const { return brush_; }
  void SetBrush(const TQRBrush& brush);

  void PrintAt(int ofsX, int ofsY) override;
  void Paint(TCanvas& canvas, QPoint origin) override;
  bool ReadProperty(const QString& name, const TDesignValue& value, TDesignReader& reader) override;

 private:
  // The six drawings, in device pixels of the element's rectangle
  // (x1, y1)-(x2, y2) with centre lines at xm and ym.
  static void Draw(TCanvas& canvas, TQRShapeType shape, int x1, int y1, int x2, int y2, int xm,
                   int ym);

  TQRShapeType shape_ = qrsRectangle;
  TQRPen pen_;
  TQRBrush brush_;
};

inline constexpr int kNewShapeSize = 65;  // pixels, both ways

// qrsRectangle ... qrsRightAndLeft, as designs write them.
const QStringList& ShapeTypeNames();
