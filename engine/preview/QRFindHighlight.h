#pragma once
// The marks over the words found on the page on view: a see-through layer
// over the page image, which maps each outline from the page's picture
// pixels onto the image exactly as the page is played into it, so that a
// mark covers its word at any zoom. The current match stands out.

#include <QPolygonF>
#include <QWidget>
#include <vector>

class TQRPreviewImage;

class TQRFindHighlight : public QWidget {
 public:
  // Lies over `image` and follows its size.
  explicit TQRFindHighlight(TQRPreviewImage* image);

  // Outlines in the page's picture pixels (PageText.h); `current` is the
  // index of the one that stands out, -1 for none.
  void ShowMatches(std::vector<QPolygonF> outlines, int current);
  void Clear() { ShowMatches({}, -1); }

  const std::vector<QPolygonF>& Outlines() const { return outlines_; }
  int CurrentOutline() const { return current_; }
  // Where an outline lies on the image, image pixels; empty without a page.
  QRectF OnImage(const QPolygonF& outline) const;

  static const QColor kMatchColour;
  static const QColor kCurrentColour;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QTransform PictureToImage() const;

  TQRPreviewImage* image_;
  std::vector<QPolygonF> outlines_;
  int current_ = -1;
};
