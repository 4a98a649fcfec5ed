// A long report of wrapped, stretching text gives the same pages wherever it
// goes: the page store of a preview (metafile pages at 96 dpi) and a print
// on a 600-dpi printer break it into the same number of pages, each
// starting with the same line. Text is measured on the real reference
// device, and the scripted printer's page gives the real fonts' line
// heights, as a printer does.

#include <QRegularExpression>
#include <algorithm>
#include <memory>

#include "FakeCanvas.h"
#include "GenerationFixture.h"
#include "Metafile.h"
#include "QRCustomBand.h"
#include "QRPrinter.h"

namespace {

QString FirstText(const QStringList& calls) {
  static const QRegularExpression textOut(QStringLiteral("^TextOut -?\\d+,-?\\d+ \\w+ \"(.*)\"$"));
  for (const QString& call : calls)
    if (const auto m = textOut.match(call); m.hasMatch()) return m.captured(1);
  return QStringLiteral("<no text>");
}

// Record r's text: one to five lines of words found nowhere else, so that a
// page's first line tells where the page starts.
QString RecordText(int r) {
  QString text = QStringLiteral("Record %1:").arg(r);
  const int words = 2 + (r * 7) % 31;
  for (int w = 1; w <= words; ++w) text += QStringLiteral(" r%1w%2").arg(r).arg(w);
  return text;
}

class SamePagesOnEveryDevice : public GenerationTest {
 protected:
  SamePagesOnEveryDevice() { script->lineHeight = TPageLogLineHeight::FontsOwn; }

  ScopedMeasuringCanvas referenceDevice_{nullptr};  // the report's own, not the fake
};

TEST_F(SamePagesOnEveryDevice, ThousandPagesOfWrappedTextBreakAlikeInTheStoreAndOnPaper) {
  constexpr int kRecords = 2500;
  TQRReport& report = NewReport();
  // Small pages, about fourteen lines of 16 points each, make many pages of
  // few records; a device whose lines were a few per cent taller or shorter
  // would fit a line more or less on them.
  report.Page().SetPaperSize(TQRPaperSize::Custom);
  report.Page().SetWidth(1200);
  report.Page().SetLength(1100);
  TQRCustomBand& detail = AddBand(report, rbDetail, 70);
  TQRLabel& label = AddLabel(detail, QString(), 0, 0, 1000, 70);
  TFontSpec font = label.Font();
  font.pointSize = 16;
  label.SetFont(font);
  label.SetAutoStretch(true);
  int record = 0;
  report.OnNeedData = [&](TQRCustomReport*, bool& more) {
    more = ++record <= kRecords;
    if (more) label.SetCaption(RecordText(record));
  };

  QStringList stored;  // the first line of every stored page
  TFakePreview::next.steps = {"hook", "print", "close"};
  TFakePreview::next.report = &report;
  TFakePreview::next.hook = [&] {
    TQRPrinter& printer = *report.QRPrinter;
    for (int n = 1; n <= printer.PageCount(); ++n) {
      const std::unique_ptr<TMetafile> page = printer.FetchPage(n);
      if (!page) {
        stored << QStringLiteral("<no page>");
        continue;
      }
      TFakeCanvas canvas;
      page->Draw(canvas, QRect(0, 0, page->Width(), page->Height()));
      stored << FirstText(canvas.Calls(QStringLiteral("TextOut")));
    }
    record = 0;  // the print runs the records again
  };
  report.ShowPreview();

  QStringList printed;  // the first line of every printed page
  for (const QStringList& page : script->pages) printed << FirstText(page);
  ASSERT_GE(stored.size(), 1000);
  EXPECT_EQ(printed.size(), stored.size());
  for (qsizetype i = 0; i < std::min(printed.size(), stored.size()); ++i)
    if (printed[i] != stored[i]) {
      ADD_FAILURE() << "page " << i + 1 << " starts with \"" << stored[i].toStdString()
                    << "\" in the store and with \"" << printed[i].toStdString() << "\" on paper";
      break;
    }
}

}  // namespace
