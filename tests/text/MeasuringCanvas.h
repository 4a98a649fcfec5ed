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
  QSize TextExtent(const QString& text) override {
    measured.append(text);
    measuredFaces.append(selected.face);
    if (failing) return {-1, -1};
    return {10 * static_cast<int>(text.size()), textHeight};
  }
  void TextOut(int, int, TTextAnchor, const QString&, bool) override {}
  void SetPen(QRgb, int, TPenStyle) override {}
  void SetBrush(QRgb, TBrushStyle) override {}
  void FillRect(const QRect&) override {}
  void Rectangle(const QRect&) override {}
  void Ellipse(const QRect&) override {}
  void MoveTo(int, int) override {}
  void LineTo(int, int) override {}
  void IntersectClipRect(const QRect&) override {}
  void RemoveClip() override {}
  void StretchBitmap(const QRect&, const QImage&) override {}

  int ppi = 96;
  int textHeight = 16;
  bool failing = false;
  TFontSpec selected;
  QStringList measured;
  QStringList measuredFaces;
};
