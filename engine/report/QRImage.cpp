#include "QRImage.h"

#include "DesignValue.h"
#include "QRDeviceRect.h"
#include "QRPrinter.h"
#include "QRRound.h"
#include "ReferenceCanvas.h"

TQRImage::TQRImage(TQRComponent* owner) : TQRPrintable(owner) {
  ApplyBounds(0, 0, kNewImageSize, kNewImageSize);
}

void TQRImage::SetPicture(const TPicture& picture) {
  picture_ = picture;
  PictureChanged();
}

void TQRImage::SetAutoSize(bool on) {
  autoSize_ = on;
  PictureChanged();
}

void TQRImage::SetCenter(bool on) {
  if (on == center_) return;
  center_ = on;
  PictureChanged();
}

void TQRImage::SetStretch(bool on) {
  if (on == stretch_) return;
  stretch_ = on;
  PictureChanged();
}

void TQRImage::PictureChanged() {
  const int w = picture_.Width();
  const int h = picture_.Height();
  if (autoSize_ && w > 0 && h > 0) SetBounds(Left(), Top(), w, h);
  SetTransparent(!(picture_.IsBitmap() && w >= Width() && h >= Height()));
  Invalidate();
}

// The natural size on paper is the picture's pixels at the screen's
// resolution; a centred picture is shifted by half the difference, rounded
// toward zero, so one larger than the element moves up and left.
QRect TQRImage::PictureRect(const TQRPrinter& printer, const QRect& r) const {
  if (stretch_) return r;
  const long double ppi = ScreenPixelsPerInch();
  const int width = QRRound(picture_.Width() / ppi * 254 * printer.ScaleX());
  const int height = QRRound(picture_.Height() / ppi * 254 * printer.ScaleY());
  QRect natural(r.left(), r.top(), width, height);
  if (center_) {
    const int dx =
        (printer.DeviceWidth(double(Size().StoredValue(TQRPrintableSize::kWidth))) - width) / 2;
    const int dy =
        (printer.DeviceHeight(double(Size().StoredValue(TQRPrintableSize::kHeight))) - height) / 2;
    natural.translate(dx, dy);
  }
  return natural;
}

void TQRImage::PrintAt(int ofsX, int ofsY) {
  TQRPrinter* printer = Device();
  if (printer == nullptr) return;
  const QRectF page = PageRect(ofsX, ofsY);
  const QRect r = DeviceRect(*printer, page.left(), page.top(), page.left() + page.width(),
                             page.top() + page.height());
  if (!picture_.Empty()) {
    TCanvas& canvas = printer->PageCanvas();
    if (stretch_) {
      picture_.Draw(canvas, r);
    } else {
      canvas.IntersectClipRect(r);
      picture_.Draw(canvas, PictureRect(*printer, r));
      canvas.RemoveClip();
    }
  }
  TQRPrintable::PrintAt(ofsX, ofsY);
}

void TQRImage::Paint(TCanvas& canvas, QPoint origin) {
  if (InOutput()) return;
  const QRect client(origin, QSize(Width(), Height()));
  if (Designing()) {
    canvas.SetPen(0xFF000000, 1, TPenStyle::psDash);
    canvas.SetBrush(0xFFFFFFFF, TBrushStyle::bsClear);
    canvas.Rectangle(client);
  }
  if (picture_.Empty()) return;
  const int zoom = Size().Zoom();
  const int w = picture_.Width() * zoom / 100;
  const int h = picture_.Height() * zoom / 100;
  QRect dest(origin, QSize(w, h));
  if (stretch_) {
    dest = client;
  } else if (center_) {
    dest.translate((Width() - w) / 2, (Height() - h) / 2);
  }
  canvas.IntersectClipRect(client);
  picture_.Draw(canvas, dest);
  canvas.RemoveClip();
}

bool TQRImage::ReadProperty(const QString& name, const TDesignValue& value, TDesignReader& reader) {
  if (name == QLatin1String("AutoSize")) {
    SetAutoSize(AsBoolean(value));
  } else if (name == QLatin1String("Center")) {
    SetCenter(AsBoolean(value));
  } else if (name == QLatin1String("Stretch")) {
    SetStretch(AsBoolean(value));
  } else if (name == QLatin1String("Picture")) {
    // A file or resource path (":/..."); a picture that cannot be read
    // fails the design at this line.
    try {
      SetPicture(TPicture::FromFile(AsString(value)));
    } catch (const EError& e) {
      throw EDesignError(value.Line(), e.Message());
    }
  } else {
    return TQRPrintable::ReadProperty(name, value, reader);
  }
  return true;
}
