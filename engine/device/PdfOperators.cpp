#include "PdfOperators.h"

#include "PdfDocument.h"

QByteArray PdfColour(QRgb c) {
  return PdfNumber(qRed(c) / 255.0) + " " + PdfNumber(qGreen(c) / 255.0) + " " +
         PdfNumber(qBlue(c) / 255.0);
}

QByteArray PdfRect(const QRectF& r) {
  return PdfNumber(r.x()) + " " + PdfNumber(r.y()) + " " + PdfNumber(r.width()) + " " +
         PdfNumber(r.height()) + " re ";
}

QByteArray PdfPoint(const QPointF& p) { return PdfNumber(p.x()) + " " + PdfNumber(p.y()); }

QByteArray PdfPath(const QPainterPath& path) {
  QByteArray out;
  for (int i = 0; i < path.elementCount(); ++i) {
    const QPainterPath::Element e = path.elementAt(i);
    if (e.isMoveTo()) {
      out += PdfPoint(e) + " m\n";
    } else if (e.isLineTo()) {
      out += PdfPoint(e) + " l\n";
    } else if (e.isCurveTo() && i + 2 < path.elementCount()) {
      out += PdfPoint(e) + " " + PdfPoint(path.elementAt(i + 1)) + " " +
             PdfPoint(path.elementAt(i + 2)) + " c\n";
      i += 2;
    }
  }
  return out;
}

QByteArray PdfMatrix(const QTransform& t) {
  return PdfNumber(t.m11()) + " " + PdfNumber(t.m12()) + " " + PdfNumber(t.m21()) + " " +
         PdfNumber(t.m22()) + " " + PdfNumber(t.dx()) + " " + PdfNumber(t.dy());
}

QByteArray PdfShowText(const QByteArray& codes, const std::vector<double>& adjustments) {
  QByteArray out = "[<";
  for (qsizetype i = 0; i < codes.size(); ++i) {
    out += QByteArray(1, codes[i]).toHex().toUpper();
    const double adjust = size_t(i) < adjustments.size() ? adjustments[size_t(i)] : 0.0;
    const QByteArray number = PdfNumber(adjust);
    if (number != "0" && i + 1 < codes.size()) out += "> " + number + " <";
  }
  return out + ">] TJ";
}
