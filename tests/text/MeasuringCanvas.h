#pragma once
// A canvas that only measures: every character is 10 pixels wide and the
// text height is settable, like the shared fake canvas; it also counts its
// measurements, remembers the texts and fonts it measured, and can be told
// to fail them.

#include <QStringList>

#include "Canvas.h"

class TMeasuringCanvas : public TCanvas {
 public:
  int PixelsPerInchX() const override { return ppi; }
  int PixelsPerInchY() const override { return ppi; }
  void SelectFont(const TFontSpec& font) override { selected = font; }
  double LineHeightPoints() override { return textHeight * 72.0 / ppi; }
  QSize TextExtent(const QString& text) override {
    measured.append(text);
    measuredFaces.append(selected.face);
    if (failing) return {-1, -1};
    return {10 * static_cast<int>(text.size()) - Kerning(text), textHeight};
  }
  QSizeF TextExtentF(const QString& text) override { return QSizeF(TextExtent(text)); }
  void TextOut(int, int, TTextAnchor, const QString&, bool) override {}
  void SetPen(QRgb, int, TPenStyle) override {}
  void SetBrush(QRgb, TBrushStyle) override {}
  void FillRect(const QRect&) override {}
  void Rectangle(const QRect&) override {}
  void Ellipse(const QRect&) override {}
  void FillPolygons(const std::vector<QPolygon>&, TFillMode) override {}
  void MoveTo(int, int) override {}
  void LineTo(int, int) override {}
  void IntersectClipRect(const QRect&) override {}
  void IntersectClipRegion(const QRegion&) override {}
  void RemoveClip() override {}
  void StretchBitmap(const QRect&, const QImage&) override {}

  // Each occurrence of one of these two-character pairs is 3 pixels
  // narrower, as a font that kerns them.
  QStringList kernedPairs;
  int Kerning(const QString& text) const {
    int kerning = 0;
    for (const QString& pair : kernedPairs) kerning += 3 * int(text.count(pair));
    return kerning;
  }

  int ppi = 96;
  int textHeight = 16;
  bool failing = false;
  TFontSpec selected;
  QStringList measured;
  QStringList measuredFaces;
};
