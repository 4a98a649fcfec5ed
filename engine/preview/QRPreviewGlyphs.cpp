#include "QRPreviewGlyphs.h"

#include <QtGlobal>

// Resources of a static library are registered by hand.
static void RegisterPreviewGlyphs() { Q_INIT_RESOURCE(PreviewGlyphs); }

namespace {

const char* const kNames[kPreviewGlyphCount] = {
    "ZoomToFit",  "ZoomTo100", "ZoomToWidth",  "FirstPage", "PreviousPage",
    "NextPage",   "LastPage",  "PrinterSetup", "Print",     "LoadReport",
    "SaveReport", "Find",      "Thumbnails",
};

}  // namespace

QString PreviewGlyphPath(TQRPreviewGlyph glyph, int scale) {
  static const bool registered = (RegisterPreviewGlyphs(), true);
  (void)registered;
  const QString name = QLatin1String(kNames[static_cast<int>(glyph)]);
  return scale == 1 ? QStringLiteral(":/preview/%1.png").arg(name)
                    : QStringLiteral(":/preview/%1@%2x.png").arg(name).arg(scale);
}

QIcon PreviewGlyph(TQRPreviewGlyph glyph) {
  QIcon icon;
  icon.addFile(PreviewGlyphPath(glyph), QSize(kPreviewGlyphSize, kPreviewGlyphSize));
  icon.addFile(PreviewGlyphPath(glyph, 2), QSize(2 * kPreviewGlyphSize, 2 * kPreviewGlyphSize));
  return icon;
}
