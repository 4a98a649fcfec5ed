#include "QRZoomSteps.h"

#include <QRegularExpression>

int ZoomStep(int zoom, int direction) {
  if (direction > 0) {
    for (int step : kZoomSteps)
      if (step > zoom) return step;
  } else if (direction < 0) {
    for (auto it = kZoomSteps.rbegin(); it != kZoomSteps.rend(); ++it)
      if (*it < zoom) return *it;
  }
  return zoom;
}

std::optional<int> ParseZoom(const QString& text) {
  static const QRegularExpression pattern(QStringLiteral("^\\s*(\\d{1,9})\\s*%?\\s*$"));
  const QRegularExpressionMatch match = pattern.match(text);
  if (!match.hasMatch()) return std::nullopt;
  return match.captured(1).toInt();
}

QString ZoomText(int zoom) { return QString::number(zoom) + u'%'; }
