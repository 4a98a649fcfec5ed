#include "PermitRunFixture.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPointer>
#include <QRegularExpression>
#include <QTimer>

#include "EmfLayout.h"
#include "FakeCanvas.h"
#include "Metafile.h"
#include "ProgramIdentity.h"
#include "QRPrintable.h"
#include "QRPrinter.h"
#include "QRStandardPreview.h"
#include "TMemo.h"
#include "TQRPermiso.h"
#include "Termination.h"

void PermitRun::SetUp() {
  ASSERT_TRUE(home_.isValid());
  oldHome_ = qgetenv("HOME");
  qputenv("HOME", home_.path().toLocal8Bit());
  platform::SetProgramFile(QStringLiteral("/usr/local/bin/Permiso"));
  if (scriptedPrinter_)
    printers_ = std::make_unique<ScopedPrinterDeviceFactory>(ScriptedPrinterFactory(script_));
  form_ = std::make_unique<TFormPermiso>();
  FormPermiso = form_.get();
  document_ = std::make_unique<TQRPermiso>();
  QRPermiso = document_.get();
  form_->show();
  form_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
}

void PermitRun::TearDown() {
  if (platform::TerminationRequested()) {
    // Qt refuses nested loops after exit() until the main loop ran again.
    platform::ClearTermination();
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    qApp->exec();
  }
  for (TQRStandardPreview* preview : Previews()) preview->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  document_.reset();
  form_.reset();
  printers_.reset();
  platform::SetProgramFile(QStringLiteral("Permiso"));
  qputenv("HOME", oldHome_);
}

void PermitRun::Fill() {
  form_->Dependencia->setEditText(QStringLiteral("SECRETARÍA DE OBRAS PÚBLICAS"));
  form_->Folio->setText(QStringLiteral("7"));
  form_->Comision->SetText(QStringLiteral("SUPERVISIÓN DE LA OBRA DEL PUENTE EN EL KM 12"));
  form_->Destino->setEditText(QStringLiteral("QUELMORA"));
  form_->Conductor->setText(QStringLiteral("JUAN PÉREZ"));
  form_->Placa->setText(QStringLiteral("ABC123"));
  form_->NoEco->setText(QStringLiteral("15"));
  form_->Marca->setEditText(QStringLiteral("NISSAN"));
  form_->Tipo->setText(QStringLiteral("PICK UP"));
  form_->Modelo->setEditText(QStringLiteral("2004"));
  form_->Color->setEditText(QStringLiteral("BLANCO"));
  form_->Admon->setText(QStringLiteral("MARÍA LÓPEZ"));
  form_->Titular->setText(QStringLiteral("ING. LUIS NÚÑEZ"));
  form_->Fecha1->SetDate(QDateTime(QDate(2026, 12, 10), QTime()));
  form_->Fecha2->SetDate(QDateTime(QDate(2026, 12, 11), QTime()));
  form_->Hora1->SetTime(QDateTime(QDate(), QTime(8, 30)));
  form_->Hora2->SetTime(QDateTime(QDate(), QTime(18, 0)));
}

QList<TQRStandardPreview*> PermitRun::Previews() {
  QList<TQRStandardPreview*> previews;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* p = qobject_cast<TQRStandardPreview*>(w); p && p->isVisible()) previews << p;
  return previews;
}

bool PermitRun::Preliminar(const std::function<void(TQRStandardPreview&)>& whileOpen) {
  // Timers die with this object when PRELIMINAR returns.
  QObject context;
  bool showed = false;
  // A limit in time, not in tries: on a busy machine the page takes as long
  // as it takes, however often the check runs meanwhile.
  QElapsedTimer waited;
  waited.start();
  std::function<void()> poll = [&] {
    const QList<TQRStandardPreview*> previews = Previews();
    TQRStandardPreview* preview = previews.isEmpty() ? nullptr : previews.front();
    if (preview && preview->QRPrinter() &&
        preview->QRPrinter()->RunState() == TQRPrinterRunState::Complete &&
        preview->PanelText(1) == QStringLiteral("Page 1 of 1")) {
      showed = true;
      QPointer<TQRStandardPreview> guard(preview);
      if (whileOpen) whileOpen(*preview);
      if (guard) guard->close();
      return;
    }
    if (waited.elapsed() > 60000) {
      ADD_FAILURE() << "the preview did not show its page";
      for (TQRStandardPreview* p : previews) p->close();
      return;
    }
    QTimer::singleShot(1, &context, poll);
  };
  QTimer::singleShot(0, &context, poll);
  form_->BtnPreliminar->click();
  return showed;
}

void PermitRun::Print(TQRStandardPreview& preview) {
  const std::size_t before = dialogs_.Shown().size();
  preview.PrintClick();
  // The print request is posted to the report; the record's message comes
  // at the end of the run.
  QElapsedTimer timer;
  timer.start();
  while (dialogs_.Shown().size() == before && timer.elapsed() < 60000)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  QCoreApplication::processEvents();
}

QByteArray PermitRun::ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QStringList PermitRun::DataFiles() const {
  return QDir(DataFolder())
      .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

QRectF PermitRun::PageRect(const TQRPrintable& element) const {
  const TQRPage& page = document_->Page();
  const TQRPrintableSize& size = element.Size();
  return QRectF(double(page.StoredValue(TQRPage::kLeftMargin) + size.StoredValue(size.kLeft)),
                double(page.StoredValue(TQRPage::kTopMargin) + size.StoredValue(size.kTop)),
                double(size.StoredValue(size.kWidth)), double(size.StoredValue(size.kHeight)));
}

QStringList PermitRun::StoredLines(const TMetafile& page, const QSizeF& paperTenths,
                                   const TQRPrintable& element) const {
  const QRectF area = PageRect(element);
  const double origin = element.Alignment() == taCenter ? area.center().x() : area.left();
  TFakeCanvas canvas;
  page.Draw(canvas, QRect(QPoint(0, 0), paperTenths.toSize()));
  static const QRegularExpression textOut(
      QStringLiteral("^TextOut (-?\\d+),(-?\\d+) \\w+ \"(.*)\"$"));
  QStringList lines;
  for (const QString& call : canvas.Calls(QStringLiteral("TextOut"))) {
    const auto m = textOut.match(call);
    if (!m.hasMatch()) continue;
    const int x = m.captured(1).toInt();
    const int y = m.captured(2).toInt();
    // Slack for a page of whole pixels at 96 dpi: 2.6 tenths each.
    if (std::abs(x - origin) <= 3 && y >= area.top() - 1 && y < area.bottom())
      if (const QString s = m.captured(3).simplified(); !s.isEmpty()) lines << s;
  }
  return lines;
}

namespace {

// A printer's page as a preview shows it: the paper it frames at zoom 100,
// and the recording it replays on it.
void ExpectWholeLandscapeLetter(TQRPrinter& printer) {
  EXPECT_EQ(printer.PageCount(), 1);
  EXPECT_EQ(printer.PaperSize(), TQRPaperSize::Letter);
  EXPECT_EQ(printer.Orientation(), TPrinterOrientation::poLandscape);
  EXPECT_EQ(printer.DeviceWidth(printer.OrientedPaperWidth()), 1056);
  EXPECT_EQ(printer.DeviceHeight(printer.OrientedPaperLength()), 816);
  const std::unique_ptr<TMetafile> page = printer.FetchPage(1);
  ASSERT_TRUE(page);
  EXPECT_EQ(page->Width(), 1056);
  EXPECT_EQ(page->Height(), 816);
  // The smallest box around everything drawn, inclusive: on the page, and
  // reaching the header block's right edge at 268 mm (1013 pixels).
  const std::int32_t* drawn = page->Layout().bounds;
  EXPECT_GE(drawn[0], 0);
  EXPECT_GE(drawn[1], 0);
  EXPECT_LT(drawn[2], page->Width());
  EXPECT_LT(drawn[3], page->Height());
  EXPECT_GE(drawn[2], 1010);
}

}  // namespace

void PermitRun::ExpectLandscapeLetterPreviewedSavedAndLoaded() {
  const QString saved = home_.path() + QStringLiteral("/permiso.QRP");
  EXPECT_TRUE(Preliminar([&](TQRStandardPreview& preview) {
    {
      SCOPED_TRACE("the preview's page");
      ExpectWholeLandscapeLetter(*preview.QRPrinter());
    }
    preview.QRPrinter()->SavePrepared(saved);
  }));
  TQRPrinter loaded;
  loaded.LoadPrepared(saved);
  SCOPED_TRACE("the saved page, loaded");
  ExpectWholeLandscapeLetter(loaded);
}
