#pragma once
// A picture on a band: stretched into the element, or at its natural size
// on paper (optionally centred), cut to the element. A picture prints in
// every pass; its frame follows in the final pass.

#include "Picture.h"
#include "QRPrintable.h"

class TQRImage : public TQRPrintable {
 public:
  explicit TQRImage(TQRComponent* owner);

  QString ClassName() const override { return QStringLiteral("TQRImage"); }

  const TPicture& Picture() const { return picture_; }
  // Copies the picture; a new picture runs the picture-changed step.
  void SetPicture(const TPicture& picture);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool on);
  bool Center() const { return center_; }
  void SetCenter(bool on);
  bool Stretch() const { return stretch_; }
  void SetStretch(bool on);

  void PrintAt(int ofsX, int ofsY) override;
  void Paint(TCanvas& canvas, QPoint origin) override;
  bool ReadProperty(const QString& name, const TDesignValue& value, TDesignReader& reader) override;

 private:
  // With AutoSize the element takes the picture's pixel size; on screen it
  // is opaque only behind a bitmap that covers it.
  void PictureChanged();
  // Where the picture goes inside the element's device rectangle `r`.
  QRect PictureRect(const TQRPrinter& printer, const QRect& r) const;

  TPicture picture_;
  bool autoSize_ = false;
  bool center_ = false;
  bool stretch_ = false;
};

inline constexpr int kNewImageSize = 105;  // pixels, both ways
