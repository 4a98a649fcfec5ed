#include "preview_fixture.h"

#include <QCoreApplication>
#include <QEvent>

#include "Canvas.h"
#include "PrinterOrientation.h"
#include "QRPrinter.h"
#include "QRStandardPreview.h"

int TRecordingDialogs::ExecMessageDialog(const platform::MessageDialogRequest& request) {
  shown << request.title + QStringLiteral(": ") + request.text;
  return static_cast<int>(TMsgDlgBtn::OK);
}

void TRecordingDialogs::ExecMessageBox(const platform::MessageBoxRequest& request) {
  shown << request.caption + QStringLiteral(": ") + request.text;
}

TQRFileDialogAnswer TScriptedFileDialog::Next() {
  if (answers.empty()) return {};
  TQRFileDialogAnswer answer = answers.front();
  answers.pop_front();
  return answer;
}

TQRFileDialogAnswer TScriptedFileDialog::RunSave(const TQRFileDialogRequest& request) {
  saveRequests << request;
  return Next();
}

TQRFileDialogAnswer TScriptedFileDialog::RunOpen(const TQRFileDialogRequest& request) {
  openRequests << request;
  return Next();
}

void DrawPage(TQRPrinter& printer, int page) {
  TCanvas& canvas = printer.PageCanvas();
  canvas.SetBrush(qRgb(0, 0, 0), TBrushStyle::bsSolid);
  canvas.FillRect(
      QRect(QPoint(printer.DeviceX(kBlockTenths.left()), printer.DeviceY(kBlockTenths.top())),
            QPoint(printer.DeviceX(kBlockTenths.left() + kBlockTenths.width()),
                   printer.DeviceY(kBlockTenths.top() + kBlockTenths.height())))
          .adjusted(0, 0, -1, -1));
  TFontSpec font;
  font.pointSize = 12;
  canvas.SelectFont(font);
  canvas.TextOut(printer.DeviceX(100), printer.DeviceY(100), TTextAnchor::Left,
                 QStringLiteral("page %1").arg(page));
}

void RunPages(TQRPrinter& printer, int pages, bool finish) {
  printer.BeginRun();
  for (int page = 1; page <= pages; ++page) {
    printer.NewPage();
    DrawPage(printer, page);
  }
  if (finish) printer.EndRun();
}

void DeliverNotices() {
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents();
}

void PreviewFixture::SetUp() {
  ASSERT_TRUE(temp_.isValid());
  printers_ = std::make_unique<ScopedPrinterDeviceFactory>(ScriptedPrinterFactory(script));
  dialogScope_ = std::make_unique<platform::ScopedDialogBackend>(&dialogs);
  fileScope_ = std::make_unique<ScopedFileDialog>(&files);
}

void PreviewFixture::TearDown() {
  for (const QPointer<TQRStandardPreview>& window : windows_) delete window.data();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  fileScope_.reset();
  dialogScope_.reset();
  printers_.reset();
}

std::unique_ptr<TQRPrinter> PreviewFixture::MakePrinter() const {
  auto printer = std::make_unique<TQRPrinter>();
  printer->SetOrientation(TPrinterOrientation::poLandscape);
  return printer;
}

TQRStandardPreview* PreviewFixture::OpenWindow(TQRPrinter& printer) {
  auto* window = new TQRStandardPreview(nullptr, &printer);
  windows_ << window;
  window->show();
  window->UpdatePageStatus();
  return window;
}

TQRStandardPreview* PreviewFixture::OpenOnPages(TQRPrinter& printer, int pages) {
  TQRStandardPreview* window = OpenWindow(printer);
  RunPages(printer, pages);
  DeliverNotices();
  return window;
}
