// Renders EMF files to PNG with the project's player, for looking at them
// beside other readers' renderings:
//   emf_render FILE.emf OUT.png [WIDTH]   play FILE scaled to WIDTH pixels
//   emf_render --test-page OUT.emf        write the readers' test page
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

#include "Errors.h"
#include "Metafile.h"
#include "TestPage.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments().mid(1);
  if (args.size() == 2 && args[0] == QLatin1String("--test-page")) {
    QFile out(args[1]);
    if (!out.open(QIODevice::WriteOnly) || out.write(TestPageEmf()) < 0) return 1;
    return 0;
  }
  if (args.size() < 2) {
    std::fprintf(stderr, "usage: emf_render FILE.emf OUT.png [WIDTH] | --test-page OUT.emf\n");
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
    metafile.Play(painter, QRectF(0, 0, width, height));
    painter.end();
    return image.save(args[1]) ? 0 : 1;
  } catch (const EError& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
}
