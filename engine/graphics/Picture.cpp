#include "Picture.h"

#include <QFile>

#include "EmfBytes.h"
#include "EmfRecords.h"
#include "Errors.h"

namespace {

bool IsBitmapData(const QByteArray& bytes) { return bytes.startsWith("BM"); }

bool IsMetafileData(const QByteArray& bytes) {
  return bytes.size() >= 44 && emf::LoadU32(bytes.constData()) == emf::kHeader &&
         emf::LoadU32(bytes.constData() + 40) == emf::kSignature;
}

}  // namespace

TPicture::TPicture(TBitmap bitmap) : graphic_(std::make_shared<TBitmap>(std::move(bitmap))) {}

TPicture::TPicture(TJPEGImage jpeg) : graphic_(std::make_shared<TJPEGImage>(std::move(jpeg))) {}

TPicture::TPicture(TMetafile metafile)
    : graphic_(std::make_shared<TMetafile>(std::move(metafile))) {}

TPicture TPicture::FromBytes(const QByteArray& bytes) {
  if (IsBitmapData(bytes)) return TPicture(TBitmap::FromBytes(bytes));
  if (IsJpegData(bytes)) return TPicture(TJPEGImage::FromBytes(bytes));
  if (IsMetafileData(bytes)) return TPicture(TMetafile::FromBytes(bytes));
  throw EInvalidGraphic(UnknownPictureMessage());
}

TPicture TPicture::FromFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    throw EFOpenError(QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString()));
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) throw EReadError();
  return FromBytes(bytes);
}

void TPicture::Draw(TCanvas& canvas, const QRect& dest) const {
  if (const TGraphic* graphic = Graphic()) canvas.DrawGraphic(dest, *graphic);
}
