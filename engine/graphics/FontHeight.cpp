#include "FontHeight.h"

#include <QGuiApplication>
#include <QHash>
#include <QMutex>
#include <QRawFont>
#include <algorithm>
#include <cmath>

int FontPixelHeight(double pointSize, int pixelsPerInch) {
  const double pixels = pointSize * pixelsPerInch / 72.0;
  const double rounded = pixels < 0 ? -std::floor(-pixels + 0.5) : std::floor(pixels + 0.5);
  return std::max(1, int(std::clamp(rounded, -1e6, 1e6)));
}

QFont MakeQFont(const TFontSpec& spec, int pixelHeight) {
  QFont font(spec.face);
  font.setPixelSize(std::max(1, pixelHeight));
  font.setBold(spec.style.bold);
  font.setItalic(spec.style.italic);
  font.setUnderline(spec.style.underline);
  font.setStrikeOut(spec.style.strikeOut);
  // Pixel-exact layout: the same advances on every surface of a given height.
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setKerning(false);
  return font;
}

int TextCellHeight(const QFontMetricsF& metrics) {
  return int(std::ceil(metrics.ascent()) + std::ceil(metrics.descent()));
}

namespace {

// Ascent plus descent per em of a face and style, from the font's design
// units; fonts are scalable, so one value serves every size.
double LineHeightPerEm(const TFontSpec& spec) {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return 0;
  static QMutex mutex;
  static QHash<QString, double> perEm;
  const QString key = spec.face + QLatin1Char(spec.style.bold ? 'b' : '-') +
                      QLatin1Char(spec.style.italic ? 'i' : '-');
  const QMutexLocker lock(&mutex);
  if (const auto it = perEm.constFind(key); it != perEm.constEnd()) return *it;
  double value = 0;
  QRawFont raw = QRawFont::fromFont(MakeQFont(spec, 64));
  if (raw.isValid() && raw.unitsPerEm() > 0) {
    // At one pixel per design unit the metrics are the font's own integers.
    const double em = raw.unitsPerEm();
    raw.setPixelSize(em);
    value = (raw.ascent() + raw.descent()) / em;
  } else {
    constexpr int kPixels = 4096;
    const QFontMetricsF metrics(MakeQFont(spec, kPixels));
    value = (metrics.ascent() + metrics.descent()) / kPixels;
  }
  perEm.insert(key, value);
  return value;
}

}  // namespace

double FontLineHeightPoints(const TFontSpec& spec) {
  if (!(spec.pointSize > 0)) return 0;
  return LineHeightPerEm(spec) * spec.pointSize;
}

int LineHeightPixels(double points, int pixelsPerInch) {
  const double pixels = points * pixelsPerInch / 72;
  if (!(pixels > 0)) return 0;
  // A line that is a whole number of pixels but for the last bits of the
  // arithmetic takes that number, not one more.
  return int(std::min(std::ceil(pixels - 1e-9), 1e6));
}
