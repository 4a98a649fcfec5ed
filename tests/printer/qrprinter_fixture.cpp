#include "qrprinter_fixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QRegularExpression>
#include <functional>

#include "LittleEndian.h"
#include "QRPrinter.h"

namespace {

TFontSpec MarkFont() {
  TFontSpec font;
  font.pointSize = 12;
  return font;
}

// Counts down one posted event per processing of the queue, then acts.
class TDelayedAction : public QObject {
 public:
  TDelayedAction(int processings, std::function<void()> action)
      : left_(processings), action_(std::move(action)) {
    Post();
  }

 protected:
  bool event(QEvent* e) override {
    if (e->type() != kKind) return QObject::event(e);
    if (--left_ <= 0) {
      action_();
    } else {
      Post();  // handled at the next processing, not in this one
    }
    return true;
  }

 private:
  static constexpr QEvent::Type kKind = static_cast<QEvent::Type>(QEvent::User + 500);
  void Post() { QCoreApplication::postEvent(this, new QEvent(kKind)); }
  int left_;
  std::function<void()> action_;
};

}  // namespace

QString PageMark(int page) { return QStringLiteral("page %1").arg(page); }

void DrawPageMark(TQRPrinter& printer, int page) {
  TCanvas& canvas = printer.PageCanvas();
  canvas.SelectFont(MarkFont());
  canvas.TextOut(printer.DeviceX(100), printer.DeviceY(100), TTextAnchor::Left, PageMark(page));
}

void DrawBusyPage(TQRPrinter& printer, int page) {
  DrawPageMark(printer, page);
  TCanvas& canvas = printer.PageCanvas();
  for (int line = 0; line < 60; ++line) {
    canvas.TextOut(printer.DeviceX(100), printer.DeviceY(200 + 30 * line), TTextAnchor::Left,
                   QStringLiteral("PERMISO DE CIRCULACION %1 RENGLON %2").arg(page).arg(line));
  }
}

QByteArray SaveToBytes(TQRPrinter& printer) {
  QTemporaryDir dir;
  const QString name = dir.filePath(QStringLiteral("saved.QRP"));
  printer.SavePrepared(name);
  return ReadAll(name);
}

int HeaderPageCount(const QByteArray& file) {
  if (file.size() < 12) return -1;
  return qrstore::GetI32(reinterpret_cast<const unsigned char*>(file.constData()) + 8);
}

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

void QRPrinterFixture::SetUp() {
  // Spilled stores go to a folder of this test's own.
  hadTmpDir_ = qEnvironmentVariableIsSet("TMPDIR");
  savedTmpDir_ = qgetenv("TMPDIR");
  temp_ = std::make_unique<QTemporaryDir>();
  ASSERT_TRUE(temp_->isValid());
  qputenv("TMPDIR", QFile::encodeName(temp_->path()));

  script = std::make_shared<TScriptedPrinterScript>();
  script->ppiX = script->ppiY = kDeviceDpi;
  script->offsetX = kLeftOffsetPixels;
  script->offsetY = kTopOffsetPixels;
  factory_ =
      std::make_unique<ScopedPrinterDeviceFactory>([this]() -> std::unique_ptr<TPrinterDevice> {
        auto device = std::make_unique<TScriptedPrinter>(script);
        lastDevice_ = device.get();
        return device;
      });
}

void QRPrinterFixture::TearDown() {
  delayed_.reset();
  factory_.reset();
  if (hadTmpDir_) {
    qputenv("TMPDIR", savedTmpDir_);
  } else {
    qunsetenv("TMPDIR");
  }
  temp_.reset();
}

TScriptedPrinter& QRPrinterFixture::Device() const {
  EXPECT_NE(lastDevice_, nullptr);
  return *lastDevice_;
}

QString QRPrinterFixture::TempPath(const QString& name) const { return temp_->filePath(name); }

QString QRPrinterFixture::WriteFile(const QString& name, const QByteArray& bytes) const {
  const QString path = TempPath(name);
  QFile f(path);
  EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  EXPECT_EQ(f.write(bytes), bytes.size());
  return path;
}

QStringList QRPrinterFixture::StoreFiles() const {
  static const QRegularExpression name(QStringLiteral("^QRP[0-9A-F]+\\.TMP$"));
  QStringList found;
  for (const QString& f : QDir(temp_->path()).entryList(QDir::Files))
    if (name.match(f).hasMatch()) found << f;
  return found;
}

void QRPrinterFixture::SetDriverPapers(const QVector<std::int16_t>& codes) {
  script->paperCodes = codes;
}

void QRPrinterFixture::SetNoPrinters() { script->printers.clear(); }

void QRPrinterFixture::CancelAfterPages(TQRPrinter& printer, int pages) {
  RunAtProcessing(pages, [&printer] { printer.CancelRun(); });
}

void QRPrinterFixture::RunAtProcessing(int processings, std::function<void()> action) {
  delayed_ = std::make_unique<TDelayedAction>(processings, std::move(action));
}

namespace {

QStringList JobJournal(const QString& title, int pages, const char* end) {
  QStringList j{QStringLiteral("SetTitle \"%1\"").arg(title), QStringLiteral("BeginDoc")};
  for (int i = 1; i < pages; ++i) j << QStringLiteral("NewPage");
  j << QString::fromLatin1(end);
  return j;
}

bool LogShows(const QStringList& log, const QString& mark) {
  const QString quoted = QLatin1Char('"') + mark + QLatin1Char('"');
  for (const QString& line : log)
    if (line.startsWith(QStringLiteral("TextOut ")) && line.endsWith(quoted)) return true;
  return false;
}

}  // namespace

void QRPrinterFixture::ExpectJob(const QString& title, const QStringList& marks) const {
  EXPECT_EQ(script->journal, JobJournal(title, int(marks.size()), "EndDoc"));
  ASSERT_EQ(script->pages.size(), std::size_t(marks.size()));
  for (qsizetype i = 0; i < marks.size(); ++i) {
    const QStringList& log = script->pages[std::size_t(i)];
    EXPECT_TRUE(LogShows(log, marks[i]))
        << "device page " << i + 1 << " lacks " << marks[i].toStdString() << ":\n"
        << log.join('\n').toStdString();
    for (qsizetype other = 0; other < marks.size(); ++other) {
      if (other == i) continue;
      EXPECT_FALSE(LogShows(log, marks[other]));
    }
  }
}

void QRPrinterFixture::ExpectStretchedJob(const QString& title, int count, int firstPage) const {
  QStringList marks;
  for (int i = 0; i < count; ++i) marks << PageMark(firstPage + i);
  ExpectJob(title, marks);
}

void QRPrinterFixture::ExpectNoJob() const {
  EXPECT_FALSE(script->journal.contains(QStringLiteral("BeginDoc")))
      << script->journal.join(", ").toStdString();
  EXPECT_TRUE(script->pages.empty());
}

void QRPrinterFixture::ExpectAborted() const {
  EXPECT_TRUE(script->journal.contains(QStringLiteral("Abort")))
      << script->journal.join(", ").toStdString();
  EXPECT_FALSE(script->journal.contains(QStringLiteral("EndDoc")));
}
