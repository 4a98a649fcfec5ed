// Opens the preview window on landscape Letter test pages and saves what
// the screen shows at page width, at 100 %, whole and at 400 %, then with
// the page pictures beside a report of twelve pages and with the find bar
// marking a word, for a person to look at:
//
//   xvfb-run -s "-screen 0 1280x1024x24" sh -c
//     "openbox & sleep 1; build/tests/preview/preview_screenshots /tmp/shots"
//
// (A window manager maximises the window; without one it keeps its
// restored size.)
//
// Not a test: it checks nothing and writes preview-width.png,
// preview-100.png, preview-fit.png, preview-400.png, preview-thumbnails.png
// and preview-find.png into the folder given. Run it with QT_SCALE_FACTOR=2
// to see the window on a desktop of twice the density.

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <cstdio>
#include <memory>

#include "Canvas.h"
#include "PrinterOrientation.h"
#include "QRFindBar.h"
#include "QRPreview.h"
#include "QRPrinter.h"
#include "QRStandardPreview.h"
#include "ScriptedPrinter.h"

namespace {

// A title block, a large number, labelled lines and three signature lines,
// roughly where a permit puts them.
void DrawTestPage(TQRPrinter& printer, int page = 1) {
  TCanvas& c = printer.PageCanvas();
  auto x = [&](int tenths) { return printer.DeviceX(tenths); };
  auto y = [&](int tenths) { return printer.DeviceY(tenths); };
  c.SetPen(qRgb(0, 0, 0), 1, TPenStyle::psSolid);
  c.SetBrush(qRgb(255, 255, 255), TBrushStyle::bsClear);
  c.Rectangle(QRect(QPoint(x(100), y(100)), QPoint(x(2694), y(2059))));
  c.SetBrush(qRgb(200, 220, 255), TBrushStyle::bsSolid);
  c.Rectangle(QRect(QPoint(x(100), y(100)), QPoint(x(2694), y(400))));
  TFontSpec title;
  title.pointSize = 20;
  title.style.bold = true;
  c.SelectFont(title);
  c.TextOut(x(1397), y(180), TTextAnchor::Center, QStringLiteral("PERMISO DE CIRCULACIÓN"));
  TFontSpec big;
  big.pointSize = 48;
  big.style.bold = true;
  big.color = qRgb(160, 0, 0);
  c.SelectFont(big);
  c.TextOut(x(2300), y(500), TTextAnchor::Center, QString::number(14 + page));
  TFontSpec body;
  body.pointSize = 11;
  c.SelectFont(body);
  const QString lines[] = {
      QStringLiteral("Dependencia: Secretaría de Obras Públicas"),
      QStringLiteral(
          "Comisión: revisión de la obra del puente en el kilómetro 42 de la carretera estatal"),
      QStringLiteral("Destino: Municipio de Valle Alto, hoja %1").arg(page),
      QStringLiteral("Vehículo: Nissan Tsuru 2019, blanco, placa ABC-1234, económico 0042"),
      QStringLiteral("Conductor: Juan Pérez López"),
      QStringLiteral("Vigencia: del 10/12/2026 08:00 al 24/12/2026 18:00"),
  };
  int top = 500;
  for (const QString& line : lines) {
    c.TextOut(x(200), y(top), TTextAnchor::Left, line);
    top += 90;
  }
  for (int i = 0; i < 3; ++i) {
    const int left = 250 + i * 850;
    c.MoveTo(x(left), y(1800));
    c.LineTo(x(left + 650), y(1800));
    c.TextOut(x(left + 325), y(1830), TTextAnchor::Center, QStringLiteral("Firma %1").arg(i + 1));
  }
}

void Save(QWidget* window, const QString& path) {
  // Time for the window manager to maximise and for the repaint.
  QEventLoop settle;
  QTimer::singleShot(500, &settle, &QEventLoop::quit);
  settle.exec();
  QScreen* screen = window->screen();
  const QPixmap shot = screen->grabWindow(0);  // the whole screen, as a person sees it
  if (!shot.save(path)) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: preview_screenshots <folder>\n");
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  auto script = std::make_shared<TScriptedPrinterScript>();
  ScopedPrinterDeviceFactory factory(ScriptedPrinterFactory(script));
  TQRPrinter printer;
  printer.SetOrientation(TPrinterOrientation::poLandscape);
  auto* window = new TQRStandardPreview(nullptr, &printer);
  window->show();
  window->UpdatePageStatus();
  printer.BeginRun();
  printer.NewPage();
  DrawTestPage(printer);
  printer.EndRun();
  Save(window, folder.filePath(QStringLiteral("preview-width.png")));
  window->Zoom100->click();
  Save(window, folder.filePath(QStringLiteral("preview-100.png")));
  window->ZoomFit->click();
  Save(window, folder.filePath(QStringLiteral("preview-fit.png")));
  window->QRPreview->SetZoom(400);
  // The title block's left end, where the text is largest.
  window->QRPreview->horizontalScrollBar()->setValue(1500);
  window->QRPreview->verticalScrollBar()->setValue(100);
  Save(window, folder.filePath(QStringLiteral("preview-400.png")));
  delete window;

  TQRPrinter report;
  report.SetOrientation(TPrinterOrientation::poLandscape);
  window = new TQRStandardPreview(nullptr, &report);
  window->show();
  report.BeginRun();
  for (int page = 1; page <= 12; ++page) {
    report.NewPage();
    DrawTestPage(report, page);
  }
  report.EndRun();
  window->ToolButton2->click();
  window->ToolButton2->click();
  Save(window, folder.filePath(QStringLiteral("preview-thumbnails.png")));
  window->FindButton->click();
  window->FindBar->FindText->setText(QStringLiteral("vehículo"));
  window->FindNextClick();
  Save(window, folder.filePath(QStringLiteral("preview-find.png")));
  delete window;
  return 0;
}
