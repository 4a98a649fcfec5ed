#include "QRMemo.h"

void TQRMemo::PrintAt(int ofsX, int ofsY) {
  SetCaption(QString());
  struct TNameAsCaption {
    TQRMemo& memo;
    ~TNameAsCaption() { memo.SetCaption(memo.Name()); }
  } nameAsCaption{*this};
  TQRCustomLabel::PrintAt(ofsX, ofsY);
}

// The memo's lines, cut to the element on screen.
void TQRMemo::Paint(TCanvas& canvas, QPoint origin) {
  if (InOutput()) return;
  canvas.IntersectClipRect(QRect(origin, QSize(Width(), Height())));
  TQRCustomLabel::Paint(canvas, origin);
  canvas.RemoveClip();
}

// A memo publishes neither Caption nor OnPrint.
bool TQRMemo::ReadProperty(const QString& name, const TDesignValue& value, TDesignReader& reader) {
  if (name == QLatin1String("Caption") || name == QLatin1String("OnPrint")) return false;
  return TQRCustomLabel::ReadProperty(name, value, reader);
}
