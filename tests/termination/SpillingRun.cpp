// A program on the report engine whose page store spills to a temporary
// file, for the tests of what a run leaves behind when its program ends.
//
//   spilling-run in-run       waits inside its run once the store has spilled
//   spilling-run in-preview   finishes its run and waits in the preview,
//                             saying "showing"
//
// It prints "spilled <path>" when its store has moved to its temporary file
// (the path found among its own open files), and "ended" once the program
// has come back from the preview, before it frees its windows. SIGTERM and
// SIGINT reach it as they reach Permiso.

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPointer>
#include <QTimer>
#include <cstdio>

#include "Bitmap.h"
#include "Picture.h"
#include "QRBand.h"
#include "QRImage.h"
#include "QRLabel.h"
#include "QRReport.h"
#include "QRStandardPreview.h"
#include "Termination.h"

namespace {

// The store file among this process's open files, or nothing yet.
QString OwnStoreFile() {
  const QString folder = QFileInfo(QDir::tempPath()).canonicalFilePath();
  const QDir fds(QStringLiteral("/proc/self/fd"));
  for (const QFileInfo& fd : fds.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot)) {
    const QFileInfo target(fd.symLinkTarget());
    if (target.absolutePath() == folder && target.fileName().startsWith(QLatin1String("QRP")) &&
        target.fileName().endsWith(QLatin1String(".TMP")))
      return target.absoluteFilePath();
  }
  return QString();
}

void Say(const QString& line) {
  std::fputs(qPrintable(line + QLatin1Char('\n')), stdout);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const bool waitInRun = app.arguments().value(1) == QLatin1String("in-run");
  platform::TTerminationSignals endOnSignal;
  InstallStandardPreview();

  TQRComponent form(nullptr);
  auto* report = new TQRReport(&form);
  report->SetShowProgress(false);
  TQRCustomBand* detail = report->CreateBandOfType(rbDetail);
  detail->Size().SetHeight(detail->Size().Height() * 4);
  // 40 000 bytes of picture a page: the store spills on its third page.
  auto* image = new TQRImage(&form);
  image->SetParent(detail);
  image->SetAutoSize(true);
  QImage bits(115, 115, QImage::Format_RGB32);
  bits.fill(Qt::darkBlue);
  image->SetPicture(TPicture(TBitmap(bits)));
  detail->SetForceNewPage(true);

  QString spilled;
  int records = 0;
  report->OnNeedData = [&](TQRCustomReport*, bool& more) {
    ++records;
    if (spilled.isEmpty()) {
      spilled = OwnStoreFile();
      if (!spilled.isEmpty()) Say(QStringLiteral("spilled ") + spilled);
    }
    if (!spilled.isEmpty() && waitInRun) {
      // A data source that has nothing more yet: the run waits, messages
      // are handled, and only the end of the program ends the wait.
      while (!platform::TerminationRequested())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    more = spilled.isEmpty() || waitInRun || records < 10;
    // The run completes right after this last record: once messages are
    // handled again, the preview has all its pages.
    if (!more) QTimer::singleShot(0, [] { Say(QStringLiteral("showing")); });
  };
  report->ShowPreview();
  Say(QStringLiteral("ended"));
  // As Permiso does: the windows still open go, then the report with its
  // printer and pages.
  std::vector<QPointer<QWidget>> windows;
  for (QWidget* window : QApplication::topLevelWidgets()) windows.emplace_back(window);
  for (const QPointer<QWidget>& window : windows) delete window.data();
  return 0;
}
