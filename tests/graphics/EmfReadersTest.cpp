// Our EMF bytes are read by two independent readers from Debian: libEMF's
// printemf dumps every record without a read error, and libemf2svg converts
// the page, text included.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "TestPage.h"

namespace {

struct TRun {
  int exitCode = -1;
  QString out;
  QString err;
};

TRun RunTool(const QString& program, const QStringList& args) {
  TRun run;
  QProcess process;
  process.start(program, args);
  if (!process.waitForFinished(60000)) {
    process.kill();
    process.waitForFinished();
    run.err = QStringLiteral("timed out");
    return run;
  }
  run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  run.out = QString::fromUtf8(process.readAllStandardOutput());
  run.err = QString::fromUtf8(process.readAllStandardError());
  return run;
}

class IndependentReader : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    path_ = dir_.filePath(QStringLiteral("page.emf"));
    QFile file(path_);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_GT(file.write(TestPageEmf()), 0);
  }
  static void RequireTool(const char* name) {
    ASSERT_FALSE(QStandardPaths::findExecutable(QString::fromLatin1(name)).isEmpty())
        << name << " is missing: scripts/install-packages.sh test installs it";
  }

  QTemporaryDir dir_;
  QString path_;
};

TEST_F(IndependentReader, LibEmfDumpsEveryRecord) {
  RequireTool("printemf");
  const TRun run = RunTool(QStringLiteral("printemf"), {path_});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_FALSE(run.err.contains(QStringLiteral("read error"))) << run.err.toStdString();
  EXPECT_FALSE(run.err.contains(QStringLiteral("Error reading"))) << run.err.toStdString();
  // libEMF names the records it implements and warns about the standard
  // ones it does not (clip, blit, bitmap, comment and stretch-mode records).
  EXPECT_EQ(run.out.count(QStringLiteral("*EXTTEXTOUTW*")), 7);
  EXPECT_TRUE(run.out.contains(QStringLiteral("*ELLIPSE*")));
  EXPECT_TRUE(run.out.contains(QStringLiteral("*EOF*")));
  const QRegularExpression unknown(QStringLiteral("unknown record type (\\d+)"));
  for (auto match = unknown.globalMatch(run.err); match.hasNext();) {
    const int type = match.next().captured(1).toInt();
    EXPECT_TRUE(type == 21 || type == 30 || type == 70 || type == 75 || type == 76 || type == 81)
        << "record type " << type;
  }
}

TEST_F(IndependentReader, Emf2SvgConvertsThePageWithItsText) {
  RequireTool("emf2svg-conv");
  const QString svg = dir_.filePath(QStringLiteral("page.svg"));
  const TRun run = RunTool(QStringLiteral("emf2svg-conv"),
                           {QStringLiteral("-i"), path_, QStringLiteral("-o"), svg});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  QFile file(svg);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QString content = QString::fromUtf8(file.readAll());
  EXPECT_TRUE(content.contains(QStringLiteral("Right anchored text")));
  EXPECT_TRUE(content.contains(QStringLiteral("<image"))) << "the bitmaps";
}

}  // namespace
