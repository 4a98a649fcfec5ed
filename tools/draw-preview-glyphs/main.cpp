// Draws the pictures of the preview window's toolbar and writes them as PNG
// files into the folder given as the only argument (resources/preview):
// each at 16 x 16 pixels and, for screens of twice the density, at 32 x 32
// as "<name>@2x.png". The files are committed; run this only to change a
// picture:
//   build/tools/draw-preview-glyphs/draw-preview-glyphs resources/preview
//
// Every picture is drawn on a 16-unit grid. At 16 pixels it is pixel art,
// without antialiasing, so that every edge sits on a whole pixel; at 32
// pixels the same drawing is made again with antialiasing, each unit two
// pixels, so that slants and curves are drawn at the finer resolution
// rather than doubled.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <cstdio>

namespace {

const QColor kInk(0, 0, 0);
const QColor kShade(128, 128, 128);
const QColor kPaper(255, 255, 255);
const QColor kLight(192, 192, 192);
const QColor kBlue(0, 0, 128);
const QColor kBrightBlue(0, 64, 255);
const QColor kYellow(255, 216, 64);
const QColor kDarkYellow(176, 136, 0);
const QColor kGreen(0, 160, 0);
const QColor kGlass(200, 225, 255);

constexpr int kGrid = 16;

using TPaint = void (*)(QPainter&);

QImage Draw(TPaint paint, int scale) {
  QImage image(kGrid * scale, kGrid * scale, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  if (scale == 1) {
    p.setRenderHint(QPainter::Antialiasing, false);
  } else {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.scale(scale, scale);
    // A unit's pixel has its centre half a unit in: lines on whole units
    // then cover the pixels the 16-pixel drawing covers.
    p.translate(0.5, 0.5);
  }
  paint(p);
  return image;
}

// A sheet with a folded corner, outlined, filling (x, y) to (x+w-1, y+h-1).
void Sheet(QPainter& p, int x, int y, int w, int h) {
  p.setPen(kInk);
  p.setBrush(kPaper);
  p.drawPolygon(QPolygon({QPoint(x, y), QPoint(x + w - 4, y), QPoint(x + w - 1, y + 3),
                          QPoint(x + w - 1, y + h - 1), QPoint(x, y + h - 1)}));
  p.drawLine(x + w - 4, y, x + w - 4, y + 3);
  p.drawLine(x + w - 4, y + 3, x + w - 1, y + 3);
}

void TextLines(QPainter& p, int x0, int x1, int y0, int y1) {
  p.setPen(kShade);
  for (int y = y0; y <= y1; y += 2) p.drawLine(x0, y, x1, y);
}

void ZoomToFit(QPainter& p) {
  // Frame corners around the sheet.
  p.setPen(kBlue);
  for (const QPoint& c : {QPoint(0, 0), QPoint(15, 0), QPoint(0, 15), QPoint(15, 15)}) {
    const int dx = c.x() == 0 ? 1 : -1;
    const int dy = c.y() == 0 ? 1 : -1;
    p.drawLine(c, QPoint(c.x() + 3 * dx, c.y()));
    p.drawLine(c, QPoint(c.x(), c.y() + 3 * dy));
  }
  Sheet(p, 4, 2, 8, 12);
  TextLines(p, 6, 9, 6, 11);
}

void ZoomTo100(QPainter& p) {
  Sheet(p, 2, 0, 12, 16);
  p.setPen(kInk);
  TextLines(p, 4, 8, 3, 3);
  TextLines(p, 4, 11, 5, 13);
  p.setPen(kInk);
  p.drawLine(4, 5, 11, 5);
}

void ZoomToWidth(QPainter& p) {
  Sheet(p, 4, 1, 8, 14);
  TextLines(p, 6, 9, 4, 5);
  TextLines(p, 6, 9, 11, 12);
  // A double arrow across the sheet to both side edges.
  p.setPen(kBlue);
  p.drawLine(0, 8, 15, 8);
  p.drawLine(1, 7, 1, 9);
  p.drawLine(2, 6, 2, 10);
  p.drawLine(14, 7, 14, 9);
  p.drawLine(13, 6, 13, 10);
  p.drawLine(0, 7, 0, 9);
  p.drawLine(15, 7, 15, 9);
}

// A solid triangle pointing left (dir -1) or right (dir +1) with its tip at
// column `tip`, 9 rows high centred on row 7.
void Triangle(QPainter& p, int tip, int dir) {
  p.setPen(kInk);
  p.setBrush(kInk);
  p.drawPolygon(QPolygon({QPoint(tip, 7), QPoint(tip - dir * 4, 3), QPoint(tip - dir * 4, 11)}));
}

void Bar(QPainter& p, int x) {
  p.setPen(kInk);
  p.drawLine(x, 3, x, 11);
  p.drawLine(x + 1, 3, x + 1, 11);
}

void FirstPage(QPainter& p) {
  Bar(p, 3);
  Triangle(p, 6, -1);
}

void PreviousPage(QPainter& p) { Triangle(p, 5, -1); }
void NextPage(QPainter& p) { Triangle(p, 10, 1); }

void LastPage(QPainter& p) {
  Triangle(p, 9, 1);
  Bar(p, 11);
}

// A printer: paper in the feed, the body with a lamp, the output slot.
void Printer(QPainter& p) {
  p.setPen(kInk);
  p.setBrush(kPaper);
  p.drawRect(4, 1, 7, 5);  // paper in the feed
  p.setBrush(kLight);
  p.drawRect(1, 6, 13, 6);  // body
  p.setPen(kShade);
  p.drawLine(2, 11, 13, 11);
  p.setPen(kGreen);
  p.drawPoint(11, 8);
  p.setPen(kInk);
  p.setBrush(kPaper);
  p.drawRect(3, 12, 9, 2);  // printed sheet coming out
}

void Print(QPainter& p) { Printer(p); }

void PrinterSetup(QPainter& p) {
  Printer(p);
  // A spanner across the lower right corner: a handle and an open jaw.
  p.setPen(kBlue);
  p.drawLine(8, 15, 12, 11);
  p.drawLine(9, 15, 13, 11);
  p.drawLine(12, 10, 12, 8);
  p.drawLine(13, 11, 15, 11);
  p.drawLine(15, 10, 15, 9);
  p.drawLine(12, 8, 11, 7);
  p.setPen(kBrightBlue);
  p.drawPoint(13, 10);
}

void LoadReport(QPainter& p) {
  p.setPen(kInk);
  p.setBrush(kDarkYellow);
  // Back of the folder with its tab.
  p.drawPolygon(QPolygon(
      {QPoint(0, 3), QPoint(5, 3), QPoint(6, 4), QPoint(12, 4), QPoint(12, 13), QPoint(0, 13)}));
  // The open front flap, tilted.
  p.setBrush(kYellow);
  p.drawPolygon(QPolygon({QPoint(0, 13), QPoint(3, 7), QPoint(15, 7), QPoint(12, 13)}));
  // An arrow that says "open".
  p.setPen(kBlue);
  p.drawLine(9, 1, 13, 1);
  p.drawLine(13, 1, 13, 4);
  p.drawLine(12, 3, 14, 3);
}

void SaveReport(QPainter& p) {
  p.setPen(kInk);
  p.setBrush(kBlue);
  p.drawPolygon(
      QPolygon({QPoint(1, 1), QPoint(14, 1), QPoint(14, 14), QPoint(2, 14), QPoint(1, 13)}));
  p.setBrush(kPaper);
  p.drawRect(3, 1, 9, 6);  // label
  TextLines(p, 5, 10, 3, 5);
  p.setPen(kInk);
  p.setBrush(kLight);
  p.drawRect(4, 9, 7, 5);  // metal shutter
  p.setBrush(kBlue);
  p.drawRect(5, 10, 2, 3);
}

// A magnifying glass: a round lens with a handle.
void Find(QPainter& p) {
  p.setPen(QPen(kBlue, 2));
  p.drawLine(10, 10, 14, 14);
  p.setPen(kInk);
  p.setBrush(kGlass);
  p.drawEllipse(1, 1, 9, 9);
  p.setPen(kPaper);
  p.drawLine(4, 3, 3, 4);
}

// A side panel of small pages beside a large one.
void Thumbnails(QPainter& p) {
  p.setPen(kInk);
  p.setBrush(kPaper);
  for (int y : {0, 5, 10}) p.drawRect(0, y, 4, 4);
  p.setBrush(kLight);
  p.drawRect(0, 5, 4, 4);  // the page on view
  Sheet(p, 6, 0, 10, 16);
  TextLines(p, 8, 13, 4, 12);
}

struct TGlyph {
  const char* name;
  TPaint paint;
};

// In the order of the preview's image list.
const TGlyph kGlyphs[] = {
    {"ZoomToFit", ZoomToFit},   {"ZoomTo100", ZoomTo100},       {"ZoomToWidth", ZoomToWidth},
    {"FirstPage", FirstPage},   {"PreviousPage", PreviousPage}, {"NextPage", NextPage},
    {"LastPage", LastPage},     {"PrinterSetup", PrinterSetup}, {"Print", Print},
    {"LoadReport", LoadReport}, {"SaveReport", SaveReport},     {"Find", Find},
    {"Thumbnails", Thumbnails},
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: draw-preview-glyphs <output folder>\n");
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  for (const TGlyph& glyph : kGlyphs) {
    for (int scale : {1, 2}) {
      const QString name = QLatin1String(glyph.name) +
                           (scale == 1 ? QString() : QStringLiteral("@%1x").arg(scale)) +
                           QStringLiteral(".png");
      const QString path = folder.filePath(name);
      if (!Draw(glyph.paint, scale).save(path, "PNG")) {
        std::fprintf(stderr, "draw-preview-glyphs: cannot write %s\n", qPrintable(path));
        return 1;
      }
    }
  }
  return 0;
}
