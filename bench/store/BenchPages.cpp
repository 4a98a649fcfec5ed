#include "BenchPages.h"

#include <QImage>
#include <QPainter>
#include <QString>
#include <random>

#include "Metafile.h"

namespace storebench {
namespace {

constexpr int kDistinctPages = 24;

QImage Emblem() {
  QImage image(120, 120, QImage::Format_RGB888);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  for (int r = 58; r > 0; r -= 8) {
    p.setBrush(QColor::fromHsv((r * 5) % 360, 120, 200));
    p.drawEllipse(QPoint(60, 60), r, r);
  }
  return image;
}

TFontSpec Font(double points, bool bold) {
  TFontSpec f;
  f.pointSize = points;
  f.style.bold = bold;
  return f;
}

}  // namespace

QByteArray PermitPage(std::uint32_t seed) {
  std::mt19937 rng(seed);
  static const char* const kLabels[] = {
      "DEPENDENCIA", "COMISION", "DESTINO",  "CONDUCTOR", "PLACA", "No. ECONOMICO", "MARCA", "TIPO",
      "MODELO",      "COLOR",    "VIGENCIA", "DEL",       "AL",    "RESERVADA"};
  static const char* const kWords[] = {
      "SECRETARIA", "DE",     "ADMINISTRACION", "FINANZAS", "TRASLADO", "OFICINA", "CENTRAL",
      "REGIONAL",   "NISSAN", "BLANCO",         "PICK UP",  "GARCIA",   "LOPEZ"};
  auto words = [&](int n) {
    QString s;
    for (int i = 0; i < n; ++i) s += QString::fromLatin1(kWords[rng() % 13]) + QLatin1Char(' ');
    return s.trimmed();
  };
  TMetafileCanvas c(1056, 816);
  c.SetPen(0xFF000000, 1, TPenStyle::psSolid);
  c.SetBrush(0xFFFFFFFF, TBrushStyle::bsClear);
  c.Rectangle(QRect(38, 38, 980, 740));
  c.StretchBitmap(QRect(50, 50, 90, 90), Emblem());
  c.SelectFont(Font(16, true));
  c.TextOut(528, 60, TTextAnchor::Center, QStringLiteral("PERMISO DE CIRCULACION"));
  c.SelectFont(Font(48, true));
  c.TextOut(900, 120, TTextAnchor::Center, QString::number(1 + rng() % 30));
  c.SelectFont(Font(12, true));
  c.TextOut(800, 60, TTextAnchor::Left,
            QStringLiteral("FOLIO %1").arg(rng() % 10000, 4, 10, QLatin1Char('0')));
  int y = 180;
  for (const char* label : kLabels) {
    c.SelectFont(Font(9, true));
    c.TextOut(60, y, TTextAnchor::Left, QString::fromLatin1(label));
    c.SelectFont(Font(11, false));
    c.TextOut(220, y, TTextAnchor::Left, words(2 + int(rng() % 5)));
    c.MoveTo(220, y + 18);
    c.LineTo(1000, y + 18);
    y += 34;
  }
  for (int i = 0; i < 3; ++i) {
    c.MoveTo(80 + 320 * i, 740);
    c.LineTo(340 + 320 * i, 740);
    c.SelectFont(Font(8, false));
    c.TextOut(210 + 320 * i, 746, TTextAnchor::Center, words(3));
  }
  return c.Close().ToBytes();
}

const std::vector<QByteArray>& PageSet() {
  static const std::vector<QByteArray> pages = [] {
    std::vector<QByteArray> p;
    for (int i = 0; i < kDistinctPages; ++i) p.push_back(PermitPage(std::uint32_t(i)));
    return p;
  }();
  return pages;
}

}  // namespace storebench
