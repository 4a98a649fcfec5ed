// Draws every picture the program is built with into the resources folder
// given as the only argument: resources/pictures (the program's pictures)
// and resources/icons (the desktop icon at the usual sizes). The pictures a
// window shows are drawn a second time at twice the size, "<name>@2x", for
// screens of twice the density: the same drawing at the finer resolution,
// not the small picture enlarged. The files are committed; run this only to
// change a picture:
//   build/tools/draw-pictures/draw-pictures resources

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

#include "BitmapFile.h"
#include "JpegFile.h"

namespace {

// The 16 colours of the standard icon palette.
const QVector<QRgb> kIconPalette = {
    qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
    qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
    qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
};

QImage Blank(int w, int h, QColor fill) {
  QImage image(w, h, QImage::Format_ARGB32);
  image.fill(fill);
  return image;
}

// Traffic light: a dark housing with red, amber and green lamps, drawn on a
// 32-pixel grid. For the 16-colour icon it is drawn without smoothing, so
// that every pixel takes a colour of the icon palette; the desktop's sizes
// are smoothed.
enum class TEdges { Sharp, Smooth };
QImage TrafficLight(int size = 32, TEdges edges = TEdges::Sharp) {
  QImage image = Blank(size, size, Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, edges == TEdges::Smooth);
  p.scale(size / 32.0, size / 32.0);
  p.setPen(QColor(0, 0, 0));
  p.setBrush(QColor(128, 128, 128));
  p.drawRect(15, 26, 2, 5);  // post
  p.setBrush(QColor(0, 0, 0));
  p.drawRoundedRect(9, 1, 13, 26, 3, 3);
  const QColor lamps[] = {QColor(255, 0, 0), QColor(255, 255, 0), QColor(0, 255, 0)};
  for (int i = 0; i < 3; ++i) {
    p.setPen(QColor(128, 128, 128));
    p.setBrush(lamps[i]);
    p.drawEllipse(12, 3 + i * 8, 7, 7);
  }
  return image;
}

// The sizes desktop menus look for under share/icons/hicolor.
constexpr int kDesktopIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

QFont Font(int pixels, bool bold) {
  QFont f(QStringLiteral("Arial"));
  f.setPixelSize(pixels);
  f.setBold(bold);
  return f;
}

// The government emblem on black, 154 x 160 pixels times `scale`. Drawn on
// white first so that the antialiased edges blend towards the white panel
// it is shown on; the white background then becomes the black that the
// program draws transparent.
QImage Emblem(int scale = 1) {
  QImage image = Blank(154 * scale, 160 * scale, Qt::white);
  {
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    const QColor darkBlue(16, 32, 112), blue(24, 72, 168), teal(0, 128, 128);
    // Coat of arms: a shield with a quartered field, a crest and a scroll.
    QPainterPath shield;
    shield.moveTo(52, 14);
    shield.lineTo(102, 14);
    shield.lineTo(102, 48);
    shield.quadTo(102, 74, 77, 84);
    shield.quadTo(52, 74, 52, 48);
    shield.closeSubpath();
    p.setPen(QPen(darkBlue, 3));
    p.setBrush(QColor(220, 226, 240));
    p.drawPath(shield);
    p.setPen(QPen(darkBlue, 2));
    p.drawLine(77, 16, 77, 80);
    p.drawLine(54, 44, 100, 44);
    p.setBrush(darkBlue);
    p.drawEllipse(QPointF(64.5, 30), 6, 6);
    p.drawRect(82, 24, 14, 12);
    p.drawPolygon(QPolygonF({QPointF(58, 66), QPointF(70, 52), QPointF(74, 66)}));
    p.drawEllipse(QPointF(89, 58), 7, 5);
    p.drawPolygon(QPolygonF({QPointF(62, 12), QPointF(67, 3), QPointF(72, 9), QPointF(77, 1),
                             QPointF(82, 9), QPointF(87, 3), QPointF(92, 12)}));
    p.setPen(QPen(darkBlue, 3));
    p.drawArc(QRectF(36, 20, 24, 60), 100 * 16, 160 * 16);
    p.drawArc(QRectF(94, 20, 24, 60), -80 * 16, 160 * 16);

    p.setPen(blue);
    p.setFont(Font(26, true));
    p.drawText(QRect(0, 88, 154, 30), Qt::AlignCenter, QStringLiteral("QUELMORA"));
    p.setPen(teal);
    p.setFont(Font(10, true));
    p.drawText(QRect(0, 118, 154, 14), Qt::AlignCenter, QStringLiteral("GOBIERNO DEL ESTADO"));
    const QColor rule[] = {QColor(200, 30, 40), QColor(240, 180, 0), QColor(0, 150, 70),
                           QColor(24, 72, 168), QColor(130, 40, 150)};
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 5; ++i) p.fillRect(QRect(17 + i * 24, 135, 24, 3), rule[i]);
    p.setPen(darkBlue);
    p.setFont(Font(9, false));
    p.drawText(QRect(0, 141, 154, 14), Qt::AlignCenter, QStringLiteral("Trabajando por ti"));
  }
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) == qRgb(255, 255, 255)) image.setPixel(x, y, qRgb(0, 0, 0));
  return image;
}

// A sheet with lines of text and a blue magnifying glass across it, 32 x 32
// pixels times `scale`.
QImage PreviewButton(int scale = 1) {
  QImage image = Blank(32 * scale, 32 * scale, Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(scale, scale);
  QPainterPath sheet;
  sheet.moveTo(4.5, 1.5);
  sheet.lineTo(19.5, 1.5);
  sheet.lineTo(25.5, 7.5);
  sheet.lineTo(25.5, 29.5);
  sheet.lineTo(4.5, 29.5);
  sheet.closeSubpath();
  p.setPen(QPen(QColor(96, 96, 96), 1));
  p.setBrush(Qt::white);
  p.drawPath(sheet);
  p.drawPolyline(QPolygonF({QPointF(19.5, 1.5), QPointF(19.5, 7.5), QPointF(25.5, 7.5)}));
  p.setPen(QPen(QColor(128, 128, 128), 1));
  for (int y = 10; y <= 26; y += 3) p.drawLine(QPointF(7.5, y + 0.5), QPointF(22.5, y + 0.5));
  p.setPen(QPen(QColor(20, 60, 180), 3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(21, 21), QPointF(29, 29));
  p.setPen(QPen(QColor(30, 90, 220), 2));
  p.setBrush(QColor(200, 225, 255, 200));
  p.drawEllipse(QPointF(15, 15), 7, 7);
  return image;
}

// White speech bubble, dark outline, blue question mark, on olive, 32 x 32
// pixels times `scale`. The outline is not smoothed, so that no pixel
// between the bubble and the olive that is drawn transparent takes a colour
// between the two.
QImage ConfirmPicture(int scale = 1) {
  QImage image = Blank(32 * scale, 32 * scale, QColor(128, 128, 0));
  QPainter p(&image);
  p.scale(scale, scale);
  p.setPen(QColor(0, 0, 0));
  p.setBrush(Qt::white);
  p.drawEllipse(2, 2, 27, 21);
  p.drawPolygon(QPolygon({QPoint(8, 19), QPoint(5, 29), QPoint(15, 22)}));
  p.setPen(Qt::NoPen);
  p.drawRect(9, 19, 6, 3);
  p.setPen(QColor(0, 0, 255));
  p.setFont(Font(17, true));
  p.drawText(QRect(2, 2, 28, 21), Qt::AlignCenter, QStringLiteral("?"));
  return image;
}

// The emblem printed twice in the permit's header: a colour coat of arms
// with the state's name, the government's slogan and the name of its
// oversight office, on white, 65 x 74 pixels.
QImage PermitEmblem() {
  QImage image(65, 74, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  const QColor darkBlue(16, 32, 112), blue(24, 72, 168), red(180, 30, 40), gold(220, 170, 30),
      green(0, 120, 60);
  QPainterPath shield;
  shield.moveTo(19, 6);
  shield.lineTo(46, 6);
  shield.lineTo(46, 24);
  shield.quadTo(46, 38, 32.5, 44);
  shield.quadTo(19, 38, 19, 24);
  shield.closeSubpath();
  p.setPen(QPen(darkBlue, 1.5));
  p.setBrush(QColor(235, 238, 248));
  p.drawPath(shield);
  p.setPen(Qt::NoPen);
  p.setBrush(red);
  p.drawRect(QRectF(20, 7, 12, 12));
  p.setBrush(gold);
  p.drawRect(QRectF(33, 7, 12.5, 12));
  p.setBrush(green);
  p.drawPolygon(QPolygonF(
      {QPointF(21, 22), QPointF(44, 22), QPointF(44, 28), QPointF(32.5, 42), QPointF(21, 28)}));
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(32.5, 28), 4, 4);
  p.setPen(QPen(darkBlue, 1.2));
  p.setBrush(gold);
  p.drawPolygon(QPolygonF({QPointF(24, 5), QPointF(26, 1), QPointF(29, 4), QPointF(32.5, 0.5),
                           QPointF(36, 4), QPointF(39, 1), QPointF(41, 5)}));
  p.setPen(QPen(green, 1.5));
  p.drawArc(QRectF(12, 10, 12, 34), 110 * 16, 140 * 16);
  p.drawArc(QRectF(41, 10, 12, 34), -70 * 16, 140 * 16);

  p.setPen(blue);
  p.setFont(Font(10, true));
  p.drawText(QRect(0, 45, 65, 11), Qt::AlignCenter, QStringLiteral("QUELMORA"));
  p.setPen(darkBlue);
  p.setFont(Font(6, false));
  p.drawText(QRect(0, 56, 65, 7), Qt::AlignCenter, QStringLiteral("Trabajando por ti"));
  p.fillRect(QRect(6, 63, 53, 1), gold);
  p.setPen(red);
  p.setFont(Font(6, true));
  p.drawText(QRect(0, 65, 65, 8), Qt::AlignCenter, QStringLiteral("DORVANTIL"));
  return image;
}

bool Write(const QDir& folder, const QString& name, const QByteArray& bytes) {
  QFile file(folder.filePath(name));
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
    std::fprintf(stderr, "draw-pictures: cannot write %s\n", qPrintable(file.fileName()));
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: draw-pictures <output folder>\n");
    return 2;
  }
  const QDir resources(QString::fromLocal8Bit(argv[1]));
  if (!resources.mkpath(QStringLiteral("pictures")) || !resources.mkpath(QStringLiteral("icons"))) {
    std::fprintf(stderr, "draw-pictures: cannot make the folders in %s\n", argv[1]);
    return 1;
  }
  const QDir folder(resources.filePath(QStringLiteral("pictures")));
  bool ok =
      Write(folder, QStringLiteral("Permiso.ico"), Icon4(TrafficLight(), kIconPalette)) &&
      Write(folder, QStringLiteral("Permiso@2x.ico"), Icon4(TrafficLight(64), kIconPalette)) &&
      Write(folder, QStringLiteral("Emblem.bmp"), Bitmap24(Emblem())) &&
      Write(folder, QStringLiteral("Emblem@2x.bmp"), Bitmap24(Emblem(2))) &&
      Write(folder, QStringLiteral("Preliminar.bmp"), Bitmap32(PreviewButton())) &&
      Write(folder, QStringLiteral("Preliminar@2x.bmp"), Bitmap32(PreviewButton(2))) &&
      Write(folder, QStringLiteral("MSGDLG_CONFIRM.bmp"), Bitmap24(ConfirmPicture())) &&
      Write(folder, QStringLiteral("MSGDLG_CONFIRM@2x.bmp"), Bitmap24(ConfirmPicture(2))) &&
      Write(folder, QStringLiteral("Emblem.jpg"),
            Jpeg(PermitEmblem(),
                 {90, 96, QStringLiteral("Permiso draw-pictures"),
                  QStringLiteral("Escudo del Gobierno del Estado de Quelmora"), 5004}));
  const QDir icons(resources.filePath(QStringLiteral("icons")));
  for (int size : kDesktopIconSizes)
    ok = ok && TrafficLight(size, size == 32 ? TEdges::Sharp : TEdges::Smooth)
                   .save(icons.filePath(QStringLiteral("permiso-%1.png").arg(size)));
  return ok ? 0 : 1;
}
