// Temporary page files and the end of the program, with real processes:
//  - a run killed with SIGKILL leaves its spilled store file, and the next
//    start of Permiso deletes it, while the file of a run still going on
//    stays;
//  - SIGTERM and SIGINT, in the middle of a run or while its preview shows,
//    end the program through its normal clean-up: it exits with 0 and the
//    file is gone.
// Every process gets a temporary folder and a home of the test's own.

#include <gtest/gtest.h>
#include <signal.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <memory>
#include <string>

namespace {

constexpr int kLimitMs = 60000;  // generous: the machine may be loaded

class Termination : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(tmp.isValid());
    ASSERT_TRUE(home.isValid());
  }

  std::unique_ptr<QProcess> Start(const QString& program, const QStringList& args) {
    auto p = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TMPDIR"), tmp.path());
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p->setProcessEnvironment(env);
    p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p->start(program, args);
    EXPECT_TRUE(p->waitForStarted(kLimitMs)) << program.toStdString();
    return p;
  }

  // The next line the process writes, or empty when it ends first.
  static QString NextLine(QProcess& p) {
    const QDeadlineTimer deadline(kLimitMs);
    while (!p.canReadLine()) {
      if (p.state() == QProcess::NotRunning || deadline.hasExpired()) return QString();
      p.waitForReadyRead(int(std::max<qint64>(1, deadline.remainingTime())));
    }
    return QString::fromUtf8(p.readLine()).trimmed();
  }

  // A spilling run started in `mode`; returns its store file.
  QString StartRun(std::unique_ptr<QProcess>& p, const char* mode) {
    p = Start(QStringLiteral(SPILLING_RUN_PATH), {QString::fromLatin1(mode)});
    const QString line = NextLine(*p);
    EXPECT_TRUE(line.startsWith(QLatin1String("spilled "))) << line.toStdString();
    const QString file = line.mid(8);
    EXPECT_TRUE(QFile::exists(file)) << file.toStdString();
    EXPECT_EQ(QFileInfo(file).absolutePath(), QFileInfo(tmp.path()).canonicalFilePath());
    return file;
  }

  static void Signal(QProcess& p, int signal) {
    ASSERT_EQ(::kill(pid_t(p.processId()), signal), 0);
  }

  // Ended of itself, through its own clean-up, with exit code 0.
  static void ExpectCleanExit(QProcess& p) {
    ASSERT_TRUE(p.waitForFinished(kLimitMs));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 0);
  }

  // Waits for the file to go, at most the limit.
  static bool Gone(const QString& file) {
    const QDeadlineTimer deadline(kLimitMs);
    while (QFile::exists(file)) {
      if (deadline.hasExpired()) return false;
      QThread::msleep(20);  // the file system tells no one: look again
    }
    return true;
  }

  QStringList StoreFiles() const {
    return QDir(tmp.path()).entryList({QStringLiteral("QRP*.TMP")}, QDir::Files);
  }

  QTemporaryDir tmp;
  QTemporaryDir home;
};

TEST_F(Termination, StartOfPermisoDeletesAKilledRunsFileAndKeepsALiveOne) {
  std::unique_ptr<QProcess> killed;
  const QString left = StartRun(killed, "in-run");
  Signal(*killed, SIGKILL);
  ASSERT_TRUE(killed->waitForFinished(kLimitMs));
  ASSERT_TRUE(QFile::exists(left)) << "a killed run cannot clean up";

  std::unique_ptr<QProcess> live;
  const QString held = StartRun(live, "in-preview");
  ASSERT_EQ(StoreFiles().size(), 2);

  std::unique_ptr<QProcess> permiso = Start(QStringLiteral(PERMISO_PATH), {});
  EXPECT_TRUE(Gone(left));
  // The clearing runs before Permiso handles any message; a terminated
  // Permiso has surely finished it.
  Signal(*permiso, SIGTERM);
  ExpectCleanExit(*permiso);
  EXPECT_TRUE(QFile::exists(held)) << "the live run's file was deleted";

  Signal(*live, SIGTERM);
  ExpectCleanExit(*live);
  EXPECT_TRUE(StoreFiles().isEmpty()) << StoreFiles().join(' ').toStdString();
}

struct EndCase {
  const char* name;
  const char* mode;
  int signal;
};

const EndCase kEndCases[] = {
    {"TermDuringTheRun", "in-run", SIGTERM},
    {"InterruptDuringTheRun", "in-run", SIGINT},
    {"TermWhileThePreviewShows", "in-preview", SIGTERM},
    {"InterruptWhileThePreviewShows", "in-preview", SIGINT},
};

class EndOnSignal : public Termination, public testing::WithParamInterface<EndCase> {};

TEST_P(EndOnSignal, ProgramEndsThroughItsCleanUpAndLeavesNoFile) {
  std::unique_ptr<QProcess> run;
  const QString file = StartRun(run, GetParam().mode);
  if (QLatin1String(GetParam().mode) == QLatin1String("in-preview"))
    ASSERT_EQ(NextLine(*run), QStringLiteral("showing"));
  Signal(*run, GetParam().signal);
  EXPECT_EQ(NextLine(*run), QStringLiteral("ended"));
  ExpectCleanExit(*run);
  EXPECT_FALSE(QFile::exists(file));
  EXPECT_TRUE(StoreFiles().isEmpty()) << StoreFiles().join(' ').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Signals, EndOnSignal, testing::ValuesIn(kEndCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
