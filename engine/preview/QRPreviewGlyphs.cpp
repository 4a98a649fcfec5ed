#include "QRPreviewGlyphs.h"

#include <QtGlobal>

// Resources of a static library are registered by hand.
static void RegisterPreviewGlyphs() { Q_INIT_RESOURCE(PreviewGlyphs); }

namespace {

const char* const kNames[kPreviewGlyphCount] = {
    "ZoomToFit", "ZoomTo100",    "ZoomToWidth", "FirstPage",  "PreviousPage", "NextPage",
    "LastPage",  "PrinterSetup", "Print",       "LoadReport", "SaveReport",
};

}  // namespace

QString PreviewGlyphPath(TQRPreviewGlyph glyph) {
  static const bool registered = (RegisterPreviewGlyphs(), true);
  (void)registered;
  return QStringLiteral(":/preview/%1.png").arg(QLatin1String(kNames[static_cast<int>(glyph)]));
}

QIcon PreviewGlyph(TQRPreviewGlyph glyph) { return QIcon(PreviewGlyphPath(glyph)); }
