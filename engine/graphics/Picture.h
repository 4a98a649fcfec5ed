#pragma once
// A picture container holding one graphic: nothing, a bitmap (TBitmap, with
// an optional transparent colour), a JPEG image (TJPEGImage) or a metafile
// (TMetafile). Copies share the graphic, which never changes once made, so a
// copy is cheap and assigning a picture copies it.

#include <QByteArray>
#include <QRect>
#include <QString>
#include <memory>

#include "Bitmap.h"
#include "Canvas.h"
#include "JpegImage.h"
#include "Metafile.h"

class TPicture {
 public:
  TPicture() = default;  // empty
  explicit TPicture(TBitmap bitmap);
  explicit TPicture(TJPEGImage jpeg);
  explicit TPicture(TMetafile metafile);

  // A bitmap ("BM"), a JPEG (FF D8 FF) or an enhanced metafile (" EMF" at
  // offset 40), told apart by signature. Throws EInvalidGraphic with a
  // message naming what is wrong for damaged or unknown data.
  static TPicture FromBytes(const QByteArray& bytes);
  // The same from a file; EFOpenError when the file cannot be read.
  static TPicture FromFile(const QString& path);

  bool Empty() const { return graphic_ == nullptr || graphic_->Empty(); }
  // Natural size in pixels; 0 x 0 when empty.
  int Width() const { return Empty() ? 0 : graphic_->Width(); }
  int Height() const { return Empty() ? 0 : graphic_->Height(); }

  // The graphic held; null when empty.
  const TGraphic* Graphic() const { return Empty() ? nullptr : graphic_.get(); }
  bool IsBitmap() const { return Bitmap() != nullptr; }
  const TBitmap* Bitmap() const { return dynamic_cast<const TBitmap*>(Graphic()); }
  const TJPEGImage* Jpeg() const { return dynamic_cast<const TJPEGImage*>(Graphic()); }
  const TMetafile* Metafile() const { return dynamic_cast<const TMetafile*>(Graphic()); }

  // Draws the whole graphic scaled into `dest`: bitmaps and decoded JPEGs
  // are stretched with a plain source copy, metafiles replay their records.
  void Draw(TCanvas& canvas, const QRect& dest) const;

 private:
  std::shared_ptr<const TGraphic> graphic_;
};

inline QString UnknownPictureMessage() { return QStringLiteral("Unknown picture format"); }
