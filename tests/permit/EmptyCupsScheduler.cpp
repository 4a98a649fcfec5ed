#include "EmptyCupsScheduler.h"

#include <cups/cups.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <cstring>

namespace {

bool WriteFile(const QString& path, const QByteArray& text) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size() &&
         file.flush();
}

// Whether something accepts connections on the local socket `path`.
bool Accepts(const QString& path) {
  const QByteArray name = path.toLocal8Bit();
  sockaddr_un address{};
  if (name.size() >= qsizetype(sizeof(address.sun_path))) return false;
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const bool connected =
      connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  close(fd);
  return connected;
}

}  // namespace

TEmptyCupsScheduler::TEmptyCupsScheduler() {
  hadServer_ = qEnvironmentVariableIsSet("CUPS_SERVER");
  previousServer_ = qgetenv("CUPS_SERVER");
  if (!dir_.isValid()) {
    error_ = QStringLiteral("no temporary folder");
    return;
  }
  if (!WriteConfiguration()) {
    error_ = QStringLiteral("cannot write the scheduler's configuration in ") + dir_.path();
    return;
  }
  cupsd_.setProcessChannelMode(QProcess::MergedChannels);
  cupsd_.start(QStringLiteral("/usr/sbin/cupsd"),
               {QStringLiteral("-f"), QStringLiteral("-c"), dir_.filePath("cupsd.conf"),
                QStringLiteral("-s"), dir_.filePath("cups-files.conf")});
  if (!cupsd_.waitForStarted(30000)) {
    error_ = QStringLiteral("cupsd did not start: ") + cupsd_.errorString();
    return;
  }
  if (!WaitUntilAnswering()) return;
  qputenv("CUPS_SERVER", dir_.filePath("cups.sock").toLocal8Bit());
  cupsSetServer(nullptr);  // libcups reads CUPS_SERVER again
  running_ = true;
}

TEmptyCupsScheduler::~TEmptyCupsScheduler() {
  if (hadServer_) {
    qputenv("CUPS_SERVER", previousServer_);
  } else {
    qunsetenv("CUPS_SERVER");
  }
  cupsSetServer(nullptr);
  if (cupsd_.state() != QProcess::NotRunning) {
    cupsd_.terminate();
    if (!cupsd_.waitForFinished(30000)) {
      cupsd_.kill();
      cupsd_.waitForFinished(30000);
    }
  }
}

bool TEmptyCupsScheduler::WriteConfiguration() {
  const QDir dir(dir_.path());
  for (const char* sub : {"spool", "spool/tmp", "cache", "state", "log"})
    if (!dir.mkpath(QString::fromLatin1(sub))) return false;
  const QByteArray root = dir_.path().toLocal8Bit();
  // Only a local socket, no browsing for network printers: no queue at all.
  // Every file of the scheduler's stays in the folder ('@').
  const QByteArray cupsd = QByteArray(
                               "Listen @/cups.sock\n"
                               "Browsing No\n"
                               "LogLevel warn\n"
                               "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n")
                               .replace('@', root);
  const QByteArray files = QByteArray(
                               "ServerRoot @\n"
                               "RequestRoot @/spool\n"
                               "TempDir @/spool/tmp\n"
                               "CacheDir @/cache\n"
                               "StateDir @/state\n"
                               "ErrorLog @/log/error_log\n"
                               "AccessLog @/log/access_log\n"
                               "PageLog @/log/page_log\n")
                               .replace('@', root);
  return WriteFile(dir.filePath("cupsd.conf"), cupsd) &&
         WriteFile(dir.filePath("cups-files.conf"), files);
}

// The scheduler answers once it accepts connections on its socket; it may
// also give up on its configuration, which its log then says why.
bool TEmptyCupsScheduler::WaitUntilAnswering() {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < 30000) {
    if (cupsd_.state() == QProcess::NotRunning) break;
    if (Accepts(dir_.filePath("cups.sock"))) return true;
    QThread::msleep(50);
  }
  QFile log(dir_.filePath("log/error_log"));
  error_ = QStringLiteral("the private scheduler does not answer: ") +
           QString::fromLocal8Bit(cupsd_.readAll()) +
           (log.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(log.readAll()) : QString());
  return false;
}
