// A valid page that asks much of the player's caches: the letter W at 20
// sizes from 61 to 400 pixels, each in 1024 colours (about 2 MB of
// records), loaded with Load Report and painted at 100 %, 200 % and 400 %.
// Memory grows by a bounded amount while it paints, whatever the page
// holds, and goes back when the preview closes; the process's own
// accounting (/proc/self/status) says how much.

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPointer>
#include <QToolButton>
#include <cstring>

#include "EmfBuilder.h"
#include "QRPreview.h"
#include "QRPreviewImage.h"
#include "QRPrinter.h"
#include "QRStandardPreview.h"
#include "TQRPageList.h"
#include "TQRStream.h"
#include "preview_fixture.h"

namespace {

constexpr qint64 kPeakGrowthLimitKb = 100 * 1024;
constexpr qint64 kLeftAfterClosingLimitKb = 24 * 1024;

// Under AddressSanitizer the process's figures say what its allocator keeps
// (freed blocks held back to catch late use, shadow memory), not what the
// player keeps; there the page is still painted and checked, its memory not.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kMemoryFiguresMeaningful = false;
#else
constexpr bool kMemoryFiguresMeaningful = true;
#endif

qint64 StatusKb(const char* field) {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith(field))
      return line.mid(qsizetype(std::strlen(field))).trimmed().split(' ')[0].toLongLong();
  return -1;
}

// Resets the peak resident memory, so that what the test did before does
// not count (writing 5 to clear_refs).
void ResetPeak() {
  QFile clear(QStringLiteral("/proc/self/clear_refs"));
  ASSERT_TRUE(clear.open(QIODevice::WriteOnly) && clear.write("5") == 1)
      << "the peak resident memory cannot be reset";
}

// The page, landscape Letter at 96 pixels per inch as the permit's: at 100 %
// the glyphs are 61 to 400 screen pixels high.
QByteArray GlyphsPage() {
  enum : std::uint32_t {
    kSetBkMode = 18,
    kSelectObject = 37,
    kSetTextColor = 24,
    kCreateFont = 82,
    kTextW = 84
  };
  constexpr int kSizes = 20, kColours = 1024;
  TEmfBuilder b(1056, 816, kSizes + 1);
  b.Record(kSetBkMode, {1});  // transparent: every glyph shows
  for (int i = 0; i < kSizes; ++i) {
    const int pixels = 61 + (400 - 61) * i / (kSizes - 1);
    // LOGFONTW: height, width, escapement, orientation, weight, the four
    // style bytes, the four precision bytes, then "Arial".
    std::vector<std::int64_t> font = {i + 1, -pixels, 0, 0, 0, 400, 0, 0};
    const QString face = QStringLiteral("Arial");
    for (int c = 0; c < 32; c += 2)
      font.push_back(std::int64_t(c < face.size() ? face[c].unicode() : 0) |
                     std::int64_t(c + 1 < face.size() ? face[c + 1].unicode() : 0) << 16);
    b.Record(kCreateFont, font);
  }
  for (int i = 0; i < kSizes; ++i) {
    b.Record(kSelectObject, {i + 1});
    for (int c = 0; c < kColours; ++c) {
      b.Record(kSetTextColor, {std::int64_t((c * 2654435761u) & 0xFFFFFF)});
      b.Raw(kTextW, TextPayload(20 + (c % 32) * 31, 10 + i * 38 + (c / 32) % 4, QStringLiteral("W"),
                                61 + 17 * i));
    }
  }
  // A reference device of 96 pixels per inch, as a page the preview made:
  // 960 pixels on 254 mm, the frame 1056 x 816 such pixels.
  QByteArray bytes = b.Bytes();
  for (const auto& [at, value] : {std::pair{32, 27940}, {36, 21590}, {72, 960}, {76, 960},
                                  {80, 254}, {84, 254}, {100, 254000}, {104, 254000}})
    qToLittleEndian<std::int32_t>(value, bytes.data() + at);
  return bytes;
}

void WritePreparedFile(const QString& path, const QByteArray& page) {
  TQRPageList list;
  list.AttachStream(TQRStream::CreateStore(0));
  list.AppendPayload(page);
  list.WriteHeader();
  list.CopyToFile(path);
}

bool ShowsColouredInk(const QImage& image) {
  for (int y = 0; y < image.height(); y += 3)
    for (int x = 0; x < image.width(); x += 3) {
      const QColor c = image.pixelColor(x, y);
      if (c.saturation() > 120 && c.value() > 60) return true;
    }
  return false;
}

using LargeGlyphPage = PreviewFixture;

TEST_F(LargeGlyphPage, PaintsAtEveryZoomWithinBoundedMemoryAndGivesItBackOnClosing) {
  const QByteArray page = GlyphsPage();
  ASSERT_GT(page.size(), 1900000);
  const QString path = TempPath(QStringLiteral("glyphs.QRP"));
  WritePreparedFile(path, page);

  auto printer = MakePrinter();
  QPointer<TQRStandardPreview> window = OpenOnPages(*printer, 1);
  window->resize(1280, 960);
  QApplication::processEvents();
  const qint64 before = StatusKb("VmRSS:");
  ResetPeak();

  files.Answer(path);
  window->LoadReport->click();
  ASSERT_TRUE(printer->LoadedFromFile());
  ASSERT_TRUE(window->QRPreview->PreviewImage()->HoldsPage());
  for (const int zoom : {100, 200, 400}) {
    window->QRPreview->SetZoom(zoom);
    const QImage shown = window->grab().toImage();
    EXPECT_TRUE(ShowsColouredInk(shown)) << "at " << zoom << " %";
    const qint64 grown = StatusKb("VmHWM:") - before;
    RecordProperty(QStringLiteral("peak_growth_kb_%1").arg(zoom).toStdString(), int(grown));
    if (kMemoryFiguresMeaningful) {
      EXPECT_LT(grown, kPeakGrowthLimitKb) << "at " << zoom << " %";
    }
  }

  window->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  printer.reset();
  QApplication::processEvents();
  const qint64 left = StatusKb("VmRSS:") - before;
  RecordProperty("left_after_closing_kb", int(left));
  if (kMemoryFiguresMeaningful) {
    EXPECT_LT(left, kLeftAfterClosingLimitKb);
  }
}

}  // namespace
