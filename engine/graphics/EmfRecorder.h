#pragma once
// Writes the EMF records of a page being drawn: the 108-byte header (its
// sizes filled in when the recording closes), one record per canvas call,
// and EOF. Coordinates are the reference device's pixels (MM_TEXT). Text
// carries its advances measured on the reference device, so a replay at any
// scale keeps the recorded layout.

#include <QByteArray>
#include <QFont>
#include <QRect>
#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "Canvas.h"

class TEmfRecorder {
 public:
  TEmfRecorder(int widthPx, int heightPx);
  ~TEmfRecorder();

  int PixelsPerInch() const { return ppi_; }
  // The whole file; nothing may be recorded afterwards.
  QByteArray Finish();
  bool Finished() const { return finished_; }

  void SelectFont(const TFontSpec& font);
  double LineHeightPoints() const { return lineHeight_; }
  QSize TextExtent(const QString& text);
  void TextOut(int x, int y, TTextAnchor anchor, const QString& text, bool rightToLeft);
  void SetPen(QRgb color, int width, TPenStyle style);
  void SetBrush(QRgb color, TBrushStyle style);
  void FillRect(const QRect& r);
  void Rectangle(const QRect& r);
  void Ellipse(const QRect& r);
  void FillPolygons(const std::vector<QPolygon>& polygons, TFillMode mode);
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void IntersectClipRect(const QRect& r);
  void IntersectClipRegion(const QRegion& region);
  void RemoveClip();
  void StretchBitmap(const QRect& dest, const QImage& bits);

 private:
  enum class TSlotKind { Pen, Brush, Font };

  void BeginRecord(std::uint32_t type);
  void EndRecord();
  std::uint32_t TakeSlot();
  // Creates the new object's record has been written into `slot`: select it
  // and delete the one it replaces.
  void SelectReplacing(std::uint32_t slot, std::uint32_t& current);
  void WriteRect(const QRect& r);
  std::optional<QRect> PolygonPath(const std::vector<QPolygon>& polygons);
  void Include(const QRect& deviceBounds);
  std::vector<int> Advances(const QString& text);
  void MeasureWith(const TFontSpec& font);

  QByteArray out_;
  qsizetype recordStart_ = 0;
  std::uint32_t records_ = 0;
  int width_;
  int height_;
  int ppi_;
  bool finished_ = false;
  QRect bounds_;  // union of what was drawn, right/bottom excluded

  std::vector<bool> slotUsed_{false};  // slot 0 belongs to the metafile
  std::uint32_t pen_ = 0;
  std::uint32_t brush_ = 0;
  std::uint32_t font_ = 0;
  int penWidth_ = 1;
  // What the selected objects were made from: selecting the same again
  // records nothing.
  TFontSpec fontSpec_;
  struct TPenSpec {
    QRgb color;
    int width;
    TPenStyle style;
    bool operator==(const TPenSpec&) const = default;
  } penSpec_{};
  struct TBrushSpec {
    QRgb color;
    TBrushStyle style;
    bool operator==(const TBrushSpec&) const = default;
  } brushSpec_{};
  std::uint32_t textAlign_ = 0;
  std::uint32_t polyFillMode_ = 1;  // ALTERNATE, as on a new device context
  std::uint32_t textColor_ = 0;  // COLORREF, black as on a new device context
  QPoint position_;

  QFont qfont_;
  std::unique_ptr<class QFontMetricsF> metrics_;
  std::array<float, 256> latinAdvance_{};  // < 0: not measured yet
  int fontHeight_ = 16;
  double lineHeight_ = 0;  // points, of the font measured with
};
