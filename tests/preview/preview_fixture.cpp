#include "preview_fixture.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>

#include "Canvas.h"
#include "PrinterOrientation.h"
#include "QRPrinter.h"
#include "QRStandardPreview.h"
#include "TQRPageList.h"
#include "TQRStream.h"

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

void DrawLines(TQRPrinter& printer, const QStringList& lines) {
  TCanvas& canvas = printer.PageCanvas();
  TFontSpec font;
  font.pointSize = 12;
  canvas.SelectFont(font);
  int top = 254;
  for (const QString& line : lines) {
    canvas.TextOut(printer.DeviceX(254), printer.DeviceY(top), TTextAnchor::Left, line);
    top += 80;
  }
}

void RunTextPages(TQRPrinter& printer, const std::vector<QStringList>& pages, bool finish) {
  printer.BeginRun();
  for (const QStringList& lines : pages) {
    printer.NewPage();
    DrawLines(printer, lines);
  }
  if (finish) printer.EndRun();
}

void WriteStoreFile(const QString& path, const std::vector<QByteArray>& pages) {
  TQRPageList list;
  list.AttachStream(TQRStream::CreateStore(0));
  for (const QByteArray& page : pages) list.AppendPayload(page);
  list.WriteHeader();
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  list.Stream()->CopyTo(file);
}

QByteArray WindowsMadePage() {
  QFile file(QStringLiteral(PERMISO_GRAPHICS_FIXTURES "/emf/test-001.emf"));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly));
  return file.readAll();
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
