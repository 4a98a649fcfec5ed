// Designs: a test design loaded into a report (properties in order, pixel
// bounds only remembered, Values as given, band order and layout rebuilt at
// the end, a stored height other than 40 applied afterwards), and malformed
// designs failing with the line they stopped at, leaving nothing behind.

#include <QFile>
#include <QTemporaryDir>

#include "DesignClasses.h"
#include "DesignLoader.h"
#include "DesignParser.h"
#include "EDesignError.h"
#include "QRBand.h"
#include "QRChildBand.h"
#include "QRPrintable.h"
#include "ReportFixture.h"

namespace {

// The element base stands in for the element kinds, which are registered by
// their own library.
const bool kElementRegistered = [] {
  TQRDesignClasses::Instance().Register<TQRPrintable>(QStringLiteral("TTestElement"));
  return true;
}();

const char* const kSampleDesign = R"(// A report with its page, three bands and an element.
object Sample: TQRReport
  Left = 0
  Top = 0
  Width = 500
  Height = 300
  Units = MM
  Page.Columns = 1
  Page.Orientation = poLandscape
  Page.PaperSize = Letter
  Page.Values = (100.0 2159.0 100.0 2794.0 100.0 100.0 0.0)
  ReportTitle = 'Sample''s title'
  Options = [FirstPageHeader]
  PrintIfEmpty = False
  Description = ('first line', 'segunda línea')
  Functions.Names = ('PAGENUMBER' 'COLUMNNUMBER' 'REPORTTITLE')
  Functions.Values = ('0' '0' '''''')
  PrinterSettings.Copies = 2
  PrinterSettings.OutputBin = Cassette
  Frame.DrawTop = True
  Font.Name = 'Arial'
  Font.Size = 12
  AfterPrint = SampleAfterPrint
  object SummaryBand1: TQRBand
    Left = 38
    Top = 38
    Width = 980
    Height = 739
    BandType = rbSummary
    Color = $00C0FFFF
    Size.Values = (1955.2708333333333 2592.9166666666667)
    object Stamp: TTestElement
      Left = 5
      Top = 5
      Width = 50
      Height = 20
      Size.Values = (52.916666666666667 26.458333333333333 26.458333333333333 264.58333333333333)
    end
  end
  object PageHeaderBand1: TQRBand
    Height = 60
    BandType = rbPageHeader
    LinkBand = SummaryBand1
  end
  object HeaderChild: TQRChildBand
    ParentBand = PageHeaderBand1
  end
end
)";

class DesignLoaderTest : public ReportTest {
 protected:
  DesignLoaderTest() {
    report.PublishMethod(QStringLiteral("SampleAfterPrint"),
                         TQRAfterPrintEvent([this](TQRCustomReport*) { ++afterPrints; }));
  }

  TQRReport& report = NewReport();
  int afterPrints = 0;
};

TEST_F(DesignLoaderTest, LoadsTheSampleDesign) {
  LoadDesign(report, QString::fromUtf8(kSampleDesign));

  EXPECT_EQ(report.Name(), QStringLiteral("Sample"));
  EXPECT_FALSE(report.Loading());
  EXPECT_EQ(report.Units(), TQRUnit::MM);
  EXPECT_EQ(report.ReportTitle(), QStringLiteral("Sample's title"));
  EXPECT_EQ(report.Options(), TQRReportOptions{TQRReportOption::FirstPageHeader});
  EXPECT_FALSE(report.PrintIfEmpty());
  EXPECT_EQ(report.Description(), QStringList({"first line", "segunda línea"}));
  EXPECT_EQ(report.Functions().Find(QStringLiteral("REPORTTITLE"))->value, QStringLiteral("''"));
  EXPECT_EQ(report.PrinterSettings().Copies, 2);
  EXPECT_EQ(report.PrinterSettings().OutputBin, TQRBin::Cassette);
  EXPECT_TRUE(report.Frame().DrawTop());
  EXPECT_EQ(report.Font().pointSize, 12);
  ASSERT_TRUE(report.AfterPrint);
  report.AfterPrint(&report);
  EXPECT_EQ(afterPrints, 1);

  // The page as its Values give it; the report's pixels follow the page.
  const TQRPage& page = report.Page();
  EXPECT_EQ(page.WriteValues(), (std::vector<long double>{100, 2159, 100, 2794, 100, 100, 0}));
  EXPECT_EQ(page.PaperSize(), TQRPaperSize::Letter);
  EXPECT_EQ(page.Orientation(), TPrinterOrientation::poLandscape);
  EXPECT_EQ(report.Width(), 1056);
  EXPECT_EQ(report.Height(), 816);

  // Band order rebuilt at the end: page header and its child first.
  auto* summary = dynamic_cast<TQRBand*>(report.FindComponent(QStringLiteral("SummaryBand1")));
  auto* header = dynamic_cast<TQRBand*>(report.FindComponent(QStringLiteral("PageHeaderBand1")));
  auto* child = dynamic_cast<TQRChildBand*>(report.FindComponent(QStringLiteral("HeaderChild")));
  ASSERT_TRUE(summary && header && child);
  EXPECT_EQ(report.BandList(), (std::vector<TQRCustomBand*>{header, child, summary}));
  EXPECT_EQ(child->ParentBand(), header);
  EXPECT_EQ(header->LinkBand(), summary);
  EXPECT_EQ(summary->Color(), qRgb(0xFF, 0xFF, 0xC0));

  // A pixel height other than 40 without Values is applied after loading
  // and becomes the stored height; the summary's Values win over its pixels.
  EXPECT_EQ(header->Height(), 60);
  EXPECT_NEAR(double(header->Size().StoredValue(TQRBandSize::kHeight)), 60 * 254 / 96.0, 1e-9);
  EXPECT_EQ(QRect(header->Left(), header->Top(), header->Width(), header->Height()),
            QRect(38, 38, 980, 60));
  EXPECT_EQ(QRect(child->Left(), child->Top(), child->Width(), child->Height()),
            QRect(38, 98, 980, 40));
  EXPECT_EQ(QRect(summary->Left(), summary->Top(), summary->Width(), summary->Height()),
            QRect(38, 138, 980, 739));
  EXPECT_EQ(summary->Size().StoredValue(TQRBandSize::kHeight), 1955.2708333333333L);
}

// The element's pixel geometry says (5, 5, 50, 20); its Values say 10 pixels
// from the band's corner, 100 wide and 20 high. The Values place it.
TEST_F(DesignLoaderTest, ValuesPlaceTheElementWhenThePixelsDisagree) {
  LoadDesign(report, QString::fromUtf8(kSampleDesign));
  auto* stamp = dynamic_cast<TQRPrintable*>(report.FindComponent(QStringLiteral("Stamp")));
  ASSERT_NE(stamp, nullptr);
  EXPECT_EQ(stamp->Parent(), report.FindComponent(QStringLiteral("SummaryBand1")));
  EXPECT_EQ(QRect(stamp->Left(), stamp->Top(), stamp->Width(), stamp->Height()),
            QRect(10, 10, 100, 20));
  EXPECT_EQ(stamp->Size().WriteValues(),
            (std::vector<long double>{52.916666666666667L, 26.458333333333333L, 26.458333333333333L,
                                      264.58333333333333L}));
  EXPECT_EQ(stamp->ParentReport(), &report);
}

// Properties apply in the order written: a paper size after the Values
// sets the dimensions again.
TEST_F(DesignLoaderTest, LaterPropertiesOverrideEarlierOnes) {
  LoadDesign(report, QStringLiteral("object R: TQRReport\n"
                                    "  Page.Values = (50 2159 50 2794 50 50 0)\n"
                                    "  Page.PaperSize = A4\n"
                                    "end\n"));
  EXPECT_EQ(report.Page().WriteValues(), (std::vector<long double>{50, 2970, 50, 2100, 50, 50, 0}));
}

TEST_F(DesignLoaderTest, LoadsFromAFile) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath(QStringLiteral("sample.design"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(kSampleDesign);
  file.close();
  LoadDesignFile(report, path);
  EXPECT_EQ(report.BandList().size(), 3u);
  EXPECT_THROW(LoadDesignFile(report, dir.filePath(QStringLiteral("missing.design"))), EError);
}

struct MalformedCase {
  const char* name;
  const char* text;
  int line;
  const char* reason;  // part of the message after "Design error at line N: "
};

const MalformedCase kMalformed[] = {
    {"WrongRootClass", "object R: TQRBand\nend\n", 1, "the design is a TQRBand, not a TQRReport"},
    {"UnknownClass", "object R: TQRReport\n  object B: TNoSuchBand\n  end\nend\n", 2,
     "unknown class TNoSuchBand"},
    {"UnknownProperty", "object R: TQRReport\n  Colour = clRed\nend\n", 2,
     "TQRReport has no property Colour"},
    {"MalformedNumber", "object R: TQRReport\n  Zoom = 1.2.3\nend\n", 2, "malformed number 1.2.3"},
    {"NumberOutOfRange", "object R: TQRReport\n  Page.Values = (1e99999 0 0 0 0 0 0)\nend\n", 2,
     "number 1e99999 cannot be read"},
    // A kilometre of paper is taken for a damaged design.
    {"MeasureOutOfRange", "object R: TQRReport\n  Page.Values = (0 2970 0 1e8 0 0 0)\nend\n", 2,
     "Values holds a number out of range"},
    {"FontSizeOutOfRange", "object R: TQRReport\n  Font.Size = -2147483648\nend\n", 2,
     "font size -2147483648 out of range"},
    {"UnclosedText", "object R: TQRReport\n  ReportTitle = 'abc\nend\n", 2,
     "text not closed by a quote"},
    {"MissingEnd", "object R: TQRReport\n  Zoom = 100\n", 3,
     "expected a property, object or end, found the end of the design"},
    {"TextAfterEnd", "object R: TQRReport\nend\nend\n", 3, "text after the closing end"},
    {"MissingValue", "object R: TQRReport\n  Zoom =\nend\n", 3, "expected a value"},
    {"ValuesCount", "object R: TQRReport\n\n  Page.Values = (1 2 3)\nend\n", 3,
     "Values holds 3 numbers; 7 expected"},
    {"BandValuesCount",
     "object R: TQRReport\n  object B: TQRBand\n    Size.Values = (40)\n  end\nend\n", 3,
     "Values holds 1 numbers; 2 expected"},
    {"UnknownEnumeration", "object R: TQRReport\n  Page.PaperSize = Letterr\nend\n", 2,
     "unknown value Letterr"},
    {"WrongKind", "object R: TQRReport\n  PrintIfEmpty = 'yes'\nend\n", 2,
     "expected True or False, found a text \"yes\""},
    {"ZoomOutOfRange", "object R: TQRReport\n  Zoom = 301\nend\n", 2, "Zoom must be from 1 to 300"},
    {"UnknownHandler", "object R: TQRReport\n  AfterPrint = Nobody\nend\n", 2,
     "no handler named Nobody"},
    {"DuplicateName",
     "object R: TQRReport\n  object B: TQRBand\n  end\n  object B: TQRBand\n  end\nend\n", 4,
     "A component named B already exists"},
    {"UnknownReference",
     "object R: TQRReport\n  object B: TQRBand\n    LinkBand = Nowhere\n  end\nend\n", 3,
     "no component named Nowhere"},
    {"CircularParents",
     "object R: TQRReport\n"
     "  object A: TQRChildBand\n    ParentBand = B\n  end\n"
     "  object B: TQRChildBand\n    ParentBand = A\n  end\nend\n",
     6, "ParentBand A refused"},
    {"CircularLinks",
     "object R: TQRReport\n"
     "  object A: TQRBand\n    LinkBand = B\n  end\n"
     "  object B: TQRBand\n    LinkBand = A\n  end\nend\n",
     6, "Circular linking not allowed"},
    {"NestedTooDeep", nullptr, 33, "objects nested too deep"},
};

QString MalformedText(const MalformedCase& c) {
  if (c.text != nullptr) return QString::fromUtf8(c.text);
  QString text = QStringLiteral("object R: TQRReport\n");
  for (int i = 0; i < kMaxDesignDepth; ++i) text += QStringLiteral("object B%1: TQRBand\n").arg(i);
  return text;
}

class MalformedDesign : public DesignLoaderTest,
                        public ::testing::WithParamInterface<MalformedCase> {};

TEST_P(MalformedDesign, FailsNamingTheLineAndLeavesNothingBehind) {
  const MalformedCase& c = GetParam();
  try {
    LoadDesign(report, MalformedText(c));
    FAIL() << "the design was accepted";
  } catch (const EDesignError& e) {
    EXPECT_EQ(e.Line(), c.line);
    EXPECT_TRUE(e.Message().startsWith(QStringLiteral("Design error at line %1: ").arg(c.line)))
        << e.Message().toStdString();
    EXPECT_TRUE(e.Reason().contains(QLatin1String(c.reason))) << e.Reason().toStdString();
  }
  EXPECT_TRUE(report.Components().empty());
  EXPECT_TRUE(report.BandList().empty());
  EXPECT_TRUE(report.Controls().empty());
  EXPECT_FALSE(report.Loading());
}

INSTANTIATE_TEST_SUITE_P(Table, MalformedDesign, ::testing::ValuesIn(kMalformed),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
