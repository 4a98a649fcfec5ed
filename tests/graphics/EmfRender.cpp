// Renders EMF files to PNG with the project's player, for looking at them
// beside other readers' renderings:
//   emf_render FILE.emf OUT.png [WIDTH]   play FILE scaled to WIDTH pixels
//   emf_render --canvas FILE.emf OUT.png [WIDTH]
//                                         the same through the canvas calls,
//                                         as a printer page plays it
//   emf_render --test-page OUT.emf        write the readers' test page
//   emf_render --path-fixtures OUTDIR     write the hand-written path pages
//                                         (rings and discs) as .emf files
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

#include "Errors.h"
#include "ForwardingCanvas.h"
#include "Metafile.h"
#include "PathFixtures.h"
#include "QPainterCanvas.h"
#include "TestPage.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QStringList args = app.arguments().mid(1);
  const bool throughCanvas = !args.isEmpty() && args[0] == QLatin1String("--canvas");
  if (throughCanvas) args.removeFirst();
  if (args.size() == 2 && args[0] == QLatin1String("--test-page")) {
    QFile out(args[1]);
    if (!out.open(QIODevice::WriteOnly) || out.write(TestPageEmf()) < 0) return 1;
    return 0;
  }
  if (args.size() == 2 && args[0] == QLatin1String("--path-fixtures")) {
    const QDir dir(args[1]);
    for (const auto& [name, bytes] : pathfixtures::All()) {
      QFile out(dir.filePath(name));
      if (!out.open(QIODevice::WriteOnly) || out.write(bytes) < 0) return 1;
    }
    return 0;
  }
  if (args.size() < 2) {
    std::fprintf(stderr,
                 "usage: emf_render [--canvas] FILE.emf OUT.png [WIDTH] | --test-page OUT.emf\n");
    return 2;
  }
  QFile in(args[0]);
  if (!in.open(QIODevice::ReadOnly)) return 1;
  try {
    const TMetafile metafile = TMetafile::FromBytes(in.readAll());
    const int width = args.size() > 2 ? args[2].toInt() : metafile.Width();
    const int height =
        std::max(1, int(double(width) * metafile.Height() / std::max(1, metafile.Width())));
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    if (throughCanvas) {
      TQPainterCanvas painterCanvas(painter, 96);
      TForwardingCanvas canvas(painterCanvas);
      metafile.Draw(canvas, QRect(0, 0, width, height));
    } else {
      metafile.Play(painter, QRectF(0, 0, width, height));
    }
    painter.end();
    return image.save(args[1]) ? 0 : 1;
  } catch (const EError& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
}
