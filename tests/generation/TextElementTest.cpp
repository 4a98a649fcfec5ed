// Labels and memos on a report: the line layout and automatic size as the
// element applies them (measured on the 10-pixel fake canvas: a text of n
// characters is 10 n + 1 wide, one line is 16 + 1 = 17 pixels high), and
// how a text element prints (device runs on the scripted printer, text 16
// device pixels high, so one line is LH = 16 / (600 / 254) tenths).

#include <string>
#include <vector>

#include "DesignLoader.h"
#include "GenerationFixture.h"
#include "QRCustomBand.h"
#include "QRMemo.h"
#include "QRPrinter.h"

namespace {

constexpr double kLineHeight = 16 / (600.0 / 254);  // LH in tenths

class TextElementTest : public GenerationTest {
 protected:
  TextElementTest() : report(NewReport()), band(AddBand(report, rbSummary, 1000)) {}

  // A label given in screen pixels, as a design surface would; its caption
  // comes last.
  TQRLabel& PixelLabel(int left, int width, int height, bool autoSize, bool wordWrap = true,
                       TAlignment alignment = taLeftJustify) {
    auto* label = new TQRLabel(&form);
    label->SetAutoSize(autoSize);
    label->SetWordWrap(wordWrap);
    label->SetAlignment(alignment);
    label->SetParent(&band);
    label->SetBounds(left, 0, width, height);
    return *label;
  }

  // "TextOut x,y <anchor> \"text\"" at page position (x, y).
  static QString At(double x, double y, const char* anchor, const QString& text) {
    return QStringLiteral("TextOut %1,%2 %3 \"%4\"")
        .arg(DevX(x))
        .arg(DevY(y))
        .arg(QString::fromLatin1(anchor), text);
  }

  TQRReport& report;
  TQRCustomBand& band;
};

struct LayoutCase {
  const char* name;
  const char* text;
  int width;  // pixels
  bool autoSize;
  bool wordWrap;
  TAlignment alignment;
  std::vector<std::string> lines;
  int left, widthAfter;  // pixel bounds after the layout (left starts at 100)
};

const LayoutCase kLayoutCases[] = {
    // «XXX » is 41 and fits 45; «XXX YYY» (71) does not.
    {"TwoWords", "XXX YYY", 45, false, true, taLeftJustify, {"XXX ", "YYY"}, 100, 45},
    // «YYYYYYY» (71) is cut from its end to «YYYY» (41); the emptied line ends the text.
    {"TooWideWord", "XXX YYYYYYY", 45, false, true, taLeftJustify, {"XXX ", "YYYY", ""}, 100, 45},
    // Characters are taken while the width stays below 45; the rest is lost.
    {"SingleTooWideWord", "ZZZZZZZZ", 45, false, true, taLeftJustify, {"ZZZZ", ""}, 100, 45},
    // A hyphen ends a word and stays with it.
    {"Hyphen", "AUTO-MOVIL", 61, false, true, taLeftJustify, {"AUTO-", "MOVIL"}, 100, 61},
    {"CrLfBreaks", "X\r\nY", 100, false, true, taLeftJustify, {"X", "Y"}, 100, 100},
    {"LfDeleted", "X\nY", 100, false, true, taLeftJustify, {"XY"}, 100, 100},
    {"TrailingCr", "X\r", 100, false, true, taLeftJustify, {"X", ""}, 100, 100},
    // Without word wrap a source text gives only the words up to the first misfit.
    {"NoWordWrap", "XXX YYY ZZZ WWW", 45, false, false, taLeftJustify, {"XXX "}, 100, 45},
    // Automatic size never wraps and takes the width of the text: 141.
    {"AutoSizeLeft", "LONG TEXT HERE", 50, true, true, taLeftJustify, {"LONG TEXT HERE"}, 100, 141},
    // ... keeping the right edge (150) with right alignment,
    {"AutoSizeRight", "LONG TEXT HERE", 50, true, true, taRightJustify, {"LONG TEXT HERE"}, 9, 141},
    // ... and the centre with centre alignment: (50 - 141) div 2 = -45, toward zero.
    {"AutoSizeCentre", "LONG TEXT HERE", 50, true, true, taCenter, {"LONG TEXT HERE"}, 55, 141},
};

class LabelLayoutTable : public TextElementTest, public testing::WithParamInterface<LayoutCase> {};

TEST_P(LabelLayoutTable, CaptionIsLaidOutOnTheReferenceDevice) {
  const LayoutCase& c = GetParam();
  TQRLabel& label = PixelLabel(100, c.width, 5, c.autoSize, c.wordWrap, c.alignment);
  label.SetCaption(QString::fromLatin1(c.text));

  QStringList expected;
  for (const std::string& line : c.lines) expected << QString::fromStdString(line);
  EXPECT_EQ(label.OutputLines(), expected);
  EXPECT_EQ(label.Left(), c.left);
  EXPECT_EQ(label.Width(), c.widthAfter);
  // A label's height is raised to one line (17), never beyond.
  EXPECT_EQ(label.Height(), 17);
  // The stored size follows the pixels.
  TUnitsScope pixels(label.Size(), TQRUnit::Pixels);
  EXPECT_DOUBLE_EQ(double(label.Size().Width()), c.widthAfter);
}

INSTANTIATE_TEST_SUITE_P(TenPixelCanvas, LabelLayoutTable, testing::ValuesIn(kLayoutCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TextElementTest, WordsAreMeasuredOncePerFont) {
  TQRLabel& label = PixelLabel(0, 45, 20, false);
  label.SetCaption(QStringLiteral("AB AB AB AB"));
  const int measured = int(measuring.Calls(QStringLiteral("TextExtent")).size());
  label.SetCaption(QStringLiteral("AB AB AB"));
  EXPECT_EQ(int(measuring.Calls(QStringLiteral("TextExtent")).size()), measured);
}

TEST_F(TextElementTest, MemoLaysOutEachLineAndOnlyAtTheNextLayout) {
  auto* memo = new TQRMemo(&form);
  memo->SetAutoSize(false);
  memo->SetParent(&band);
  memo->SetBounds(0, 0, 45, 40);
  memo->Lines() = QStringList{"XXX YYY", "Z"};
  EXPECT_TRUE(memo->OutputLines().isEmpty());  // changed in place: not laid out yet
  memo->LayoutLines();
  EXPECT_EQ(memo->OutputLines(), QStringList({"XXX ", "YYY", "Z"}));
  EXPECT_EQ(memo->Height(), 40);  // a memo has no one-line height rule of its own

  memo->SetAutoSize(true);  // automatic size copies the lines unchanged
  memo->LayoutLines();
  EXPECT_EQ(memo->OutputLines(), QStringList({"XXX YYY", "Z"}));
  EXPECT_EQ(memo->Width(), 71);
}

TEST_F(TextElementTest, NameBecomesTheCaptionUntilACaptionIsGiven) {
  TQRLabel& label = PixelLabel(0, 100, 20, true);
  label.SetName(QStringLiteral("QRLabel7"));
  EXPECT_EQ(label.Caption(), "QRLabel7");
  label.SetName(QStringLiteral("QRLabel8"));
  EXPECT_EQ(label.Caption(), "QRLabel8");
  label.SetCaption(QStringLiteral("Folio"));
  label.SetName(QStringLiteral("QRFolio"));
  EXPECT_EQ(label.Caption(), "Folio");
}

TEST_F(TextElementTest, StoredFontSizeWinsOverThePixelHeight) {
  auto* design = new TQRReport(&form);
  LoadDesign(*design, QStringLiteral(R"(object Sample: TQRReport
  object SummaryBand9: TQRBand
    BandType = rbSummary
    Size.Values = (500.0 2000.0)
    object Sized: TQRLabel
      Font.Height = -27
      FontSize = 14
      Caption = 'X'
    end
    object Unsized: TQRLabel
      Font.Height = -27
      Caption = 'Y'
    end
  end
end
)"));
  auto* sized = dynamic_cast<TQRLabel*>(design->FindComponent(QStringLiteral("Sized")));
  auto* unsized = dynamic_cast<TQRLabel*>(design->FindComponent(QStringLiteral("Unsized")));
  ASSERT_NE(sized, nullptr);
  ASSERT_NE(unsized, nullptr);
  EXPECT_EQ(sized->Font().pointSize, 14);
  EXPECT_EQ(unsized->Font().pointSize, 20);  // 27 px at 96 pixels per inch
}

// ---- printing ---------------------------------------------------------------

TEST_F(TextElementTest, LinesBeyondTheHeightAreCutWithoutStretching) {
  // 14 tenths hold two lines of 6.77 (with the tenth of tolerance), not
  // three. On screen a line is 5 pixels here, so the 5-pixel label keeps
  // its height.
  measuring.SetTextHeight(4);
  TQRLabel& label = AddLabel(band, QStringLiteral("A\rB\rC"), 10, 20, 500, 14);
  report.PrintToPrinter();
  EXPECT_EQ(TextOutsOnPage(1),
            QStringList({At(110, 120, "Left", "A"), At(110, 120 + kLineHeight, "Left", "B")}));
  EXPECT_TRUE(label.PrintDone());
  EXPECT_EQ(label.NextLine(), 2);
}

TEST_F(TextElementTest, OpaqueBackgroundThenTextThenFrame) {
  TQRLabel& label = AddLabel(band, QStringLiteral("A"), 10, 20, 500, 50);
  label.SetColor(0xFFFFFF00);
  label.Frame().SetDrawTop(true);
  label.Frame().SetDrawLeft(true);
  report.PrintToPrinter();
  // The frame width of one point is round(254 / 72) = 4 tenths: the text
  // starts that much lower and further right, and so does the frame.
  const QStringList page = script->pages.at(0);
  const qsizetype text = page.indexOf(At(114, 124, "Left", "A"));
  ASSERT_GE(text, 0);
  const QString background = QStringLiteral("FillRect %1,%2,%3,%4")
                                 .arg(DevX(110))
                                 .arg(DevY(120))
                                 .arg(DevX(610))
                                 .arg(DevY(170));
  const QString topLine = QStringLiteral("FillRect %1,%2,%3,%4")
                              .arg(DevX(114))
                              .arg(DevY(124))
                              .arg(DevX(614))
                              .arg(DevY(124) + 8);
  EXPECT_LT(page.indexOf(background), text);
  EXPECT_GT(page.indexOf(topLine), text);
  EXPECT_LT(page.indexOf("SetBrush #ffff00 0"), page.indexOf(background));
}

TEST_F(TextElementTest, HairlineFrameMovesTheTextByNothing) {
  TQRLabel& label = AddLabel(band, QStringLiteral("A"), 10, 20, 500, 50);
  label.Frame().SetWidth(-1);
  label.Frame().SetDrawTop(true);
  label.Frame().SetDrawLeft(true);
  report.PrintToPrinter();
  EXPECT_EQ(TextOutsOnPage(1), QStringList{At(110, 120, "Left", "A")});
  EXPECT_TRUE(CallsOnPage(1, "FillRect")
                  .contains(QStringLiteral("FillRect %1,%2,%3,%4")
                                .arg(DevX(110))
                                .arg(DevY(120))
                                .arg(DevX(610))
                                .arg(DevY(120) + 1)));
}

struct AnchorCase {
  const char* name;
  TAlignment alignment;
  TBiDiMode biDiMode;
  QString expected;  // the TextOut line
};

// The label stands at page X 110 with a width of 500, its text at Y 120.
const AnchorCase kAnchorCases[] = {
    {"Left", taLeftJustify, TBiDiMode::bdLeftToRight,
     QStringLiteral("TextOut %1,%2 Left \"A\"").arg(DevX(110)).arg(DevY(120))},
    {"Right", taRightJustify, TBiDiMode::bdLeftToRight,
     QStringLiteral("TextOut %1,%2 Right \"A\"").arg(DevX(610)).arg(DevY(120))},
    {"Centre", taCenter, TBiDiMode::bdLeftToRight,
     QStringLiteral("TextOut %1,%2 Center \"A\"").arg(DevX(360)).arg(DevY(120))},
    // Right-to-left alignment swaps left and right and reads right to left.
    {"RightToLeft", taLeftJustify, TBiDiMode::bdRightToLeft,
     QStringLiteral("TextOut %1,%2 Right \"A\" rtl").arg(DevX(610)).arg(DevY(120))},
    // Reading order alone keeps the alignment.
    {"ReadingOnly", taLeftJustify, TBiDiMode::bdRightToLeftReadingOnly,
     QStringLiteral("TextOut %1,%2 Left \"A\" rtl").arg(DevX(110)).arg(DevY(120))},
};

class AnchorTable : public TextElementTest, public testing::WithParamInterface<AnchorCase> {};

TEST_P(AnchorTable, TextIsAnchoredByTheAppliedAlignment) {
  TQRLabel& label = AddLabel(band, QStringLiteral("A"), 10, 20, 500, 50);
  label.SetAlignment(GetParam().alignment);
  label.SetBiDiMode(GetParam().biDiMode);
  report.PrintToPrinter();
  EXPECT_EQ(TextOutsOnPage(1), QStringList{GetParam().expected});
}

INSTANTIATE_TEST_SUITE_P(Label, AnchorTable, testing::ValuesIn(kAnchorCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TextElementTest, PrintHandlerReplacesTheTextForOnePrint) {
  TQRLabel& label = AddLabel(band, QStringLiteral("OLD"), 10, 20, 500, 50);
  label.OnPrint = [](TQRComponent*, QString& value) { value = QStringLiteral("NEW"); };
  report.PrintToPrinter();
  EXPECT_EQ(TextsOnPage(1), QStringList{"NEW"});
  EXPECT_EQ(label.OutputText(), "OLD");
  EXPECT_EQ(label.OutputLines(), QStringList{"NEW"});  // until the next layout
}

TEST_F(TextElementTest, MemoRaisesNoPrintEventAndShowsItsNameAfterwards) {
  auto* memo = new TQRMemo(&form);
  memo->SetName(QStringLiteral("QRVehiculo"));
  memo->SetAutoSize(false);
  memo->SetParent(&band);
  memo->Size().SetUnits(TQRUnit::Native);
  memo->Size().SetWidth(500);
  memo->Size().SetHeight(50);
  memo->SetLines({QStringLiteral("NISSAN")});
  bool raised = false;
  memo->OnPrint = [&raised](TQRComponent*, QString&) { raised = true; };
  report.PrintToPrinter();
  EXPECT_EQ(TextsOnPage(1), QStringList{"NISSAN"});
  EXPECT_FALSE(raised);
  EXPECT_EQ(memo->Caption(), "QRVehiculo");
}

TEST_F(TextElementTest, BackgroundAndFrameFollowTheTextThePrintEventWidened) {
  // An automatically sized label whose print handler gives it a longer text
  // widens leftwards (right alignment keeps its right edge); its background
  // and frame go where its text goes.
  TQRLabel& label = AddLabel(band, QStringLiteral("A"), 1000, 0, 100, 50, true);
  label.SetAlignment(taRightJustify);
  label.SetColor(0xFFFFFF00);
  label.Frame().SetDrawLeft(true);
  using S = TQRPrintableSize;
  double rightEdge = 0;  // on the page, before the handler runs
  label.OnPrint = [&rightEdge](TQRComponent* sender, QString& value) {
    const TQRPrintableSize& size = static_cast<TQRLabel*>(sender)->Size();
    rightEdge = 100 + double(size.StoredValue(S::kLeft) + size.StoredValue(S::kWidth));
    value = QStringLiteral("ABCDEFGHIJ");
  };
  report.PrintToPrinter();

  // The replaced text's layout stays until the next one: 101 pixels wide.
  const double width = double(label.Size().StoredValue(S::kWidth));
  const double bottom = 100 + double(label.Size().StoredValue(S::kHeight));
  const double left = rightEdge - width;
  const QStringList fills = CallsOnPage(1, "FillRect");
  ASSERT_EQ(fills.size(), 3);  // band, label background, frame line
  EXPECT_EQ(fills[1], QStringLiteral("FillRect %1,%2,%3,%4")
                          .arg(DevX(left))
                          .arg(DevY(100))
                          .arg(DevX(left + width))
                          .arg(DevY(bottom)));
  EXPECT_EQ(fills[2], QStringLiteral("FillRect %1,%2,%3,%4")
                          .arg(DevX(left + 4))
                          .arg(DevY(100))
                          .arg(DevX(left + 4) + 8)
                          .arg(DevY(bottom)));
  EXPECT_EQ(TextOutsOnPage(1), QStringList{At(rightEdge + 4, 100, "Right", "ABCDEFGHIJ")});
}

TEST_F(TextElementTest, StretchingLabelGrowsItsBandAndFillsTheStrip) {
  // Three lines in a height of one: the band grows twice by LH, the opaque
  // label fills each new strip below its own height, and the frame covers
  // the stretched height.
  measuring.SetTextHeight(1);  // a 2-pixel screen line: the 3-pixel label keeps its height
  TQRLabel& label = AddLabel(band, QStringLiteral("A\rB\rC"), 10, 20, 500, 7);
  label.SetAutoStretch(true);
  label.Frame().SetDrawBottom(true);
  report.PrintToPrinter();
  EXPECT_EQ(TextsOnPage(1), QStringList({"A", "B", "C"}));
  EXPECT_DOUBLE_EQ(double(band.Expansion), 2 * kLineHeight);
  const QStringList fills = CallsOnPage(1, "FillRect");
  // band fill, label background, two strips, frame line
  ASSERT_EQ(fills.size(), 5);
  EXPECT_EQ(fills[2], QStringLiteral("FillRect %1,%2,%3,%4")
                          .arg(DevX(110))
                          .arg(DevY(127))
                          .arg(DevX(610))
                          .arg(DevY(127 + kLineHeight)));
  EXPECT_EQ(fills[4], QStringLiteral("FillRect %1,%2,%3,%4")
                          .arg(DevX(110))
                          .arg(DevY(127 + 2 * kLineHeight) - 8)
                          .arg(DevX(610))
                          .arg(DevY(127 + 2 * kLineHeight)));
  EXPECT_TRUE(label.PrintDone());
}

}  // namespace
