// qrptool on prepared report files written by the page store itself: what
// each command prints or writes, and that every failure exits with status 1,
// the engine's message on stderr and no output left behind.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "LittleEndian.h"
#include "Metafile.h"
#include "TQRPageList.h"

namespace {

struct TRun {
  int status = -1;
  QByteArray out;
  QString err;
};

TRun RunTool(const QStringList& args, const QByteArray& input = QByteArray()) {
  QProcess tool;
  tool.start(QStringLiteral(QRPTOOL_PATH), args);
  EXPECT_TRUE(tool.waitForStarted());
  tool.write(input);
  tool.closeWriteChannel();
  EXPECT_TRUE(tool.waitForFinished(60000));
  TRun run;
  run.status = tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
  run.out = tool.readAllStandardOutput();
  // Qt's own notices about the environment are not the tool's.
  for (const QString& line : QString::fromLocal8Bit(tool.readAllStandardError()).split('\n'))
    if (line.startsWith(QLatin1String("qrptool"))) run.err += line;
  return run;
}

// A landscape Letter page at 96 dpi: its number as text and a black block
// whose place on the page differs from page to page.
TMetafile PermitLikePage(int page) {
  TMetafileCanvas canvas(1056, 816);
  TFontSpec font;
  font.pointSize = 14;
  canvas.SelectFont(font);
  canvas.TextOut(40, 40, TTextAnchor::Left, QStringLiteral("PERMISO %1").arg(page));
  canvas.SetBrush(0xFF000000, TBrushStyle::bsSolid);
  canvas.FillRect(QRect(100 * page, 400, 80, 80));
  return canvas.Close();
}

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class Qrptool : public ::testing::Test {
 protected:
  static constexpr int kPages = 3;

  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    TQRPageList list;
    list.AttachStream(TQRStream::CreateStore(0));
    list.SetCompression(true);
    for (int page = 1; page <= kPages; ++page) {
      pages.push_back(PermitLikePage(page).ToBytes());
      list.AppendPage(TMetafile::FromBytes(pages.back()));
    }
    list.WriteHeader();
    file = dir.filePath(QStringLiteral("permiso.QRP"));
    list.CopyToFile(file);
  }

  QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

  QTemporaryDir dir;
  QString file;
  std::vector<QByteArray> pages;
};

TEST_F(Qrptool, InfoListsTheHeaderAndEveryRecord) {
  const TRun run = RunTool({"info", file});
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  const QString text = QString::fromUtf8(run.out);
  for (const char* line : {"header size: 128\n", "format version: 3\n", "writer version: 309\n",
                           "page count: 3\n", "page records: 3\n", "compression: 1\n"})
    EXPECT_TRUE(text.contains(QLatin1String(line))) << line << "\n" << text.toStdString();
  static const QRegularExpression record(QStringLiteral(
      "page (\\d+): offset (\\d+), forward (\\d+), back (\\d+), payload (\\d+) bytes, "
      "metafile (\\d+) bytes, 1056 x 816 pixels\n"));
  qint64 expectedOffset = 128;
  int seen = 0;
  for (auto it = record.globalMatch(text); it.hasNext(); ++seen) {
    const auto m = it.next();
    EXPECT_EQ(m.captured(1).toInt(), seen + 1);
    EXPECT_EQ(m.captured(2).toLongLong(), expectedOffset);
    EXPECT_EQ(m.captured(4).toLongLong(), expectedOffset);
    EXPECT_EQ(m.captured(6).toLongLong(), pages[std::size_t(seen)].size());
    expectedOffset = m.captured(3).toLongLong();
  }
  EXPECT_EQ(seen, kPages);
  EXPECT_EQ(expectedOffset, QFileInfo(file).size()) << "the last forward link is the file size";
}

// Files whose header claims other pages than they hold: the tool shows the
// pages that are there, and leaves the file as it was.
struct ClaimCase {
  const char* name;
  std::int32_t headerCount;
  int cutInsidePage;  // 0: whole; else 100 bytes into that page
  int pagesHeld;
};

const ClaimCase kClaimCases[] = {
    {"ClaimsAMillion", 1000000, 0, 3},
    {"ClaimsOne", 1, 0, 3},
    {"CutInsideTheLastPage", 3, 3, 2},
    {"CutInsideTheFirstPage", 3, 1, 0},
};

class QrptoolClaims : public Qrptool, public ::testing::WithParamInterface<ClaimCase> {};

TEST_P(QrptoolClaims, InfoAndPngShowThePagesTheFileHolds) {
  const ClaimCase& c = GetParam();
  QByteArray bytes = ReadAll(file);
  qrstore::PutI32(reinterpret_cast<unsigned char*>(bytes.data()) + 8, c.headerCount);
  if (c.cutInsidePage > 0) {
    TQRPageList list;
    list.AttachFile(file);
    bytes.truncate(qsizetype(list.RecordInfo(c.cutInsidePage).offset + 100));
  }
  const QString claimed = Path("claimed.QRP");
  {
    QFile f(claimed);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }
  const TRun info = RunTool({"info", claimed});
  ASSERT_EQ(info.status, 0) << info.err.toStdString();
  const QString text = QString::fromUtf8(info.out);
  EXPECT_TRUE(text.contains(QStringLiteral("page count: %1\n").arg(c.headerCount)));
  EXPECT_TRUE(text.contains(QStringLiteral("page records: %1\n").arg(c.pagesHeld)))
      << text.toStdString();
  EXPECT_EQ(text.count(QRegularExpression(QStringLiteral("^page \\d+: "),
                                          QRegularExpression::MultilineOption)),
            c.pagesHeld);

  const TRun png = RunTool({"png", claimed, Path("png")});
  ASSERT_EQ(png.status, 0) << png.err.toStdString();
  EXPECT_EQ(QDir(Path("png")).entryList(QDir::Files).size(), c.pagesHeld);
  EXPECT_EQ(ReadAll(claimed), bytes) << "the file was changed";
}

INSTANTIATE_TEST_SUITE_P(Files, QrptoolClaims, ::testing::ValuesIn(kClaimCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Qrptool, EmfWritesEachPagesMetafileAsStored) {
  const QString out = Path("emf");
  const TRun run = RunTool({"emf", file, out});
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(QDir(out).entryList(QDir::Files),
            (QStringList{"page-0001.emf", "page-0002.emf", "page-0003.emf"}));
  for (int page = 1; page <= kPages; ++page)
    EXPECT_EQ(ReadAll(QDir(out).filePath(
                  QStringLiteral("page-%1.emf").arg(page, 4, 10, QLatin1Char('0')))),
              pages[std::size_t(page - 1)]);
}

TEST_F(Qrptool, PngDrawsEachPageAtTheAskedResolution) {
  const QString out = Path("png");
  const TRun run = RunTool({"png", file, out, "--dpi", "48"});
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  for (int page = 1; page <= kPages; ++page) {
    const QImage image(QDir(out).filePath(QStringLiteral("page-000%1.png").arg(page)));
    ASSERT_EQ(image.size(), QSize(528, 408)) << page;
    // The page's block (at half scale) is black, the paper around it white.
    EXPECT_EQ(qGray(image.pixel(50 * page + 20, 220)), 0) << page;
    EXPECT_EQ(qGray(image.pixel(50 * page + 20, 300)), 255) << page;
  }
}

TEST_F(Qrptool, PdfHasOneLetterLandscapePagePerPage) {
  const QString out = Path("permiso.pdf");
  const TRun run = RunTool({"pdf", file, out});
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  const QByteArray pdf = ReadAll(out);
  ASSERT_TRUE(pdf.startsWith("%PDF-"));
  static const QRegularExpression page(QStringLiteral("/Type\\s*/Page\\b"));
  EXPECT_EQ(QString::fromLatin1(pdf).count(page), kPages);
  // 279.4 x 215.9 mm are 792 x 612 points.
  static const QRegularExpression box(
      QStringLiteral("/MediaBox\\s*\\[0 0 792(\\.0+)? 612(\\.0+)?\\]"));
  EXPECT_EQ(QString::fromLatin1(pdf).count(box), kPages);
  // Vector text: a font is embedded, the page is not one picture.
  EXPECT_TRUE(pdf.contains("/Font"));
}

struct CoderCase {
  const char* name;
  QStringList args;
  QByteArray input;
  QByteArray output;
};

class QrptoolCoder : public ::testing::TestWithParam<CoderCase> {};

TEST_P(QrptoolCoder, RunsThePageCoderOnAPipe) {
  const TRun run = RunTool(GetParam().args, GetParam().input);
  EXPECT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(run.out, GetParam().output);
}

const CoderCase kCoderCases[] = {
    {"CompressZero", {"compress"}, QByteArray(1, '\0'), "\x80"},
    {"CompressAbc", {"compress"}, "abc", "\x46\x3D\x01"},
    {"ExpandAbc", {"expand", "3"}, "\x46\x3D\x01", "abc"},
    {"ExpandTwoZeros", {"expand", "2"}, "\x80\x0F", QByteArray(2, '\0')},
};

INSTANTIATE_TEST_SUITE_P(Commands, QrptoolCoder, ::testing::ValuesIn(kCoderCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Each failing call: its arguments (FILE, DAMAGED, SHORT and OUT stand for
// the paths of the fixture), stdin, the message, and the output that must not
// exist afterwards.
struct FailureCase {
  const char* name;
  QStringList args;
  QByteArray input;
  const char* message;
};

class QrptoolFailure : public Qrptool, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(QrptoolFailure, ExitsWithTheMessageAndWritesNothing) {
  // Page 2's metafile signature broken, page 1 sound: nothing of page 1 may
  // be written either.
  TQRPageList plain;
  plain.AttachStream(TQRStream::CreateStore(0));
  for (const QByteArray& p : pages) plain.AppendPayload(p);
  plain.WriteHeader();
  plain.CopyToFile(Path("damaged.QRP"));
  const qint64 signature = plain.RecordInfo(2).offset + 8 + 40;
  {
    QFile damaged(Path("damaged.QRP"));
    ASSERT_TRUE(damaged.open(QIODevice::ReadWrite) && damaged.seek(signature));
    damaged.write("XXXX");
    QFile truncated(Path("short.QRP"));
    ASSERT_TRUE(truncated.open(QIODevice::WriteOnly));
    truncated.write(ReadAll(file).left(150));
  }
  QFile(Path("blocker")).open(QIODevice::WriteOnly);  // a file where a folder is wanted

  QStringList args;
  for (const QString& a : GetParam().args) {
    QString v = a;
    v.replace(QLatin1String("FILE"), file);
    v.replace(QLatin1String("DAMAGED"), Path("damaged.QRP"));
    v.replace(QLatin1String("SHORT"), Path("short.QRP"));
    v.replace(QLatin1String("OUT"), Path("out"));
    v.replace(QLatin1String("BLOCKED"), Path("blocker") + QStringLiteral("/sub"));
    args << v;
  }
  const TRun run = RunTool(args, GetParam().input);
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(
      run.err.startsWith(QStringLiteral("qrptool: ") + QString::fromUtf8(GetParam().message)))
      << run.err.toStdString();
  EXPECT_TRUE(run.out.isEmpty());
  EXPECT_FALSE(QFileInfo::exists(Path("out")));
  EXPECT_FALSE(QFileInfo::exists(Path("out.pdf")));
}

const FailureCase kFailures[] = {
    {"InfoMissingFile", {"info", "FILE.none"}, {}, "Cannot open file \""},
    {"InfoTooShort", {"info", "SHORT"}, {}, "Stream read error"},
    {"InfoDamagedPage", {"info", "DAMAGED"}, {}, "Metafile is not valid"},
    {"PngDamagedPage", {"png", "DAMAGED", "OUT"}, {}, "Metafile is not valid"},
    {"PdfDamagedPage", {"pdf", "DAMAGED", "OUT.pdf"}, {}, "Metafile is not valid"},
    {"EmfDamagedPage", {"emf", "DAMAGED", "OUT"}, {}, "Metafile is not valid"},
    {"EmfFolderUnderAFile", {"emf", "FILE", "BLOCKED"}, {}, "Cannot create file \""},
    // 26400 x 20400 pixels would take two gigabytes.
    {"PngTooLarge", {"png", "FILE", "OUT", "--dpi", "2400"}, {}, "A page of 26400 x 20400 pixels"},
    {"PngBadResolution", {"png", "FILE", "OUT", "--dpi", "x"}, {}, "Invalid resolution"},
    {"ExpandPastTheInput", {"expand", "100"}, "\x46\x3D\x01", "Stream read error"},
    {"ExpandMoreThanBitsCanHold", {"expand", "2000000000"}, "\x46", "Stream read error"},
    {"ExpandBadCount", {"expand", "-1"}, {}, "Invalid count"},
    {"UnknownCommand", {"print", "FILE"}, {}, "Unknown command: print"},
    {"NoCommand", {}, {}, "No command given"},
};

INSTANTIATE_TEST_SUITE_P(Commands, QrptoolFailure, ::testing::ValuesIn(kFailures),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(QrptoolHelp, ListsEveryCommand) {
  const TRun run = RunTool({"--help"});
  EXPECT_EQ(run.status, 0);
  for (const char* command : {"info FILE", "png FILE OUTDIR [--dpi N]", "pdf FILE OUT.pdf",
                              "emf FILE OUTDIR", "compress", "expand COUNT"})
    EXPECT_TRUE(run.out.contains(command)) << command;
}

}  // namespace
