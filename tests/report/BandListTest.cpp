// The band list: creation and naming, the presence switches, print order
// with child chains, circular links refused, the on-screen layout of the
// bands, zoom, keep-together heights and text measuring.

#include <QRegularExpression>

#include "QRBand.h"
#include "QRChildBand.h"
#include "QRPrintable.h"
#include "ReferenceCanvas.h"
#include "ReportFixture.h"

namespace {

QStringList Names(const std::vector<TQRCustomBand*>& bands) {
  QStringList names;
  for (const TQRCustomBand* band : bands) names << band->Name();
  return names;
}

TQRChildBand* AddChild(TQRComponent& owner, TQRCustomReport& report, TQRCustomBand* parent,
                       const QString& name) {
  auto* child = new TQRChildBand(&owner);
  child->SetName(name);
  child->SetParent(&report);
  child->SetParentBand(parent);
  return child;
}

// Collects what a refused action shows while designing.
QStringList g_notices;
void CollectNotice(const QString& message) { g_notices << message; }

class BandListTest : public ReportTest {
 protected:
  BandListTest() {
    g_notices.clear();
    SetDesignNoticeSink(&CollectNotice);
  }
  ~BandListTest() override { SetDesignNoticeSink(nullptr); }

  TQRReport& report = NewReport();
};

TEST_F(BandListTest, CreatedBandsTakeTheSmallestFreeNumber) {
  TQRCustomBand* first = report.CreateBandOfType(rbSummary);
  TQRCustomBand* second = report.CreateBandOfType(rbSummary);
  EXPECT_EQ(first->Name(), QStringLiteral("SummaryBand1"));
  EXPECT_EQ(second->Name(), QStringLiteral("SummaryBand2"));
  EXPECT_EQ(first->Owner(), &form) << "owned by the report's owner";
  EXPECT_EQ(first->Parent(), &report);
  EXPECT_EQ(first->BandType(), rbSummary);
  delete first;
  EXPECT_EQ(report.CreateBandOfType(rbSummary)->Name(), QStringLiteral("SummaryBand1"));
  // Any component of the owner holds its name, band or not.
  TQRComponent other(&form);
  other.SetName(QStringLiteral("pageheaderband1"));
  EXPECT_EQ(report.CreateBandOfType(rbPageHeader)->Name(), QStringLiteral("PageHeaderBand2"));
}

TEST_F(BandListTest, ReportWithoutOwnerOwnsTheBandsItCreates) {
  TQRReport lone(nullptr);
  TQRCustomBand* band = lone.CreateBandOfType(rbDetail);
  EXPECT_EQ(band->Owner(), &lone);
  EXPECT_EQ(band->Name(), QStringLiteral("DetailBand1"));
}

TEST_F(BandListTest, CaptionsAndBaseNamesFollowTheType) {
  const struct {
    TQRBandType type;
    const char* caption;
    const char* base;
  } kTypes[] = {
      {rbTitle, "Title", "TitleBand"},
      {rbPageHeader, "Page Header", "PageHeaderBand"},
      {rbDetail, "Detail", "DetailBand"},
      {rbPageFooter, "Page Footer", "PageFooterBand"},
      {rbSummary, "Summary", "SummaryBand"},
      {rbGroupHeader, "Group Header", "GroupHeaderBand"},
      {rbGroupFooter, "Group Footer", "GroupFooterBand"},
      {rbSubDetail, "Sub Detail", "SubDetailBand"},
      {rbColumnHeader, "Column Header", "ColumnHeaderBand"},
      {rbOverlay, "Overlay", "OverlayBand"},
      {rbChild, "Child", "ChildBand"},
  };
  for (const auto& t : kTypes) {
    TQRBand band(&form);
    band.SetBandType(t.type);
    EXPECT_EQ(band.BandTypeCaption(), QLatin1String(t.caption));
    EXPECT_EQ(band.BandComponentBaseName(), QLatin1String(t.base));
  }
  EXPECT_EQ(TQRChildBand(&form).BandType(), rbChild);
}

TEST_F(BandListTest, SwitchesCreateAndFreeTheirBand) {
  TQRReportBands& bands = report.Bands();
  const struct {
    TQRBandType type;
    bool (TQRReportBands::*has)() const;
    void (TQRReportBands::*set)(bool);
  } kSwitches[] = {
      {rbTitle, &TQRReportBands::HasTitle, &TQRReportBands::SetHasTitle},
      {rbPageHeader, &TQRReportBands::HasPageHeader, &TQRReportBands::SetHasPageHeader},
      {rbColumnHeader, &TQRReportBands::HasColumnHeader, &TQRReportBands::SetHasColumnHeader},
      {rbDetail, &TQRReportBands::HasDetail, &TQRReportBands::SetHasDetail},
      {rbPageFooter, &TQRReportBands::HasPageFooter, &TQRReportBands::SetHasPageFooter},
      {rbSummary, &TQRReportBands::HasSummary, &TQRReportBands::SetHasSummary},
  };
  for (const auto& s : kSwitches) {
    SCOPED_TRACE(BandTypeCaption(s.type).toStdString());
    EXPECT_FALSE((bands.*s.has)());
    (bands.*s.set)(true);
    EXPECT_TRUE((bands.*s.has)());
    TQRCustomBand* band = report.FindBandOfType(s.type);
    ASSERT_NE(band, nullptr);
    const std::size_t count = report.BandList().size();
    (bands.*s.set)(true);  // already there: nothing new
    EXPECT_EQ(report.BandList().size(), count);
    EXPECT_EQ(report.FindBandOfType(s.type), band);
  }
  for (const auto& s : kSwitches) {
    (bands.*s.set)(false);
    EXPECT_FALSE((bands.*s.has)());
  }
  EXPECT_TRUE(report.BandList().empty());
  EXPECT_TRUE(form.Components().size() == 1) << "only the report is left";
}

TEST_F(BandListTest, BandOrderFollowsThePrintRoles) {
  // Created in a scrambled order on purpose.
  TQRCustomBand* overlay = report.CreateBandOfType(rbOverlay);
  TQRCustomBand* footer = report.CreateBandOfType(rbPageFooter);
  TQRCustomBand* summary = report.CreateBandOfType(rbSummary);
  TQRCustomBand* detail = report.CreateBandOfType(rbDetail);
  TQRCustomBand* secondSummary = report.CreateBandOfType(rbSummary);
  report.CreateBandOfType(rbColumnHeader);
  report.CreateBandOfType(rbTitle);
  TQRCustomBand* header = report.CreateBandOfType(rbPageHeader);
  TQRChildBand* detailChild = AddChild(form, report, detail, QStringLiteral("DetailChild"));
  AddChild(form, report, detailChild, QStringLiteral("DetailGrandchild"));
  AddChild(form, report, header, QStringLiteral("HeaderChild"));
  AddChild(form, report, footer, QStringLiteral("FooterChild"));
  AddChild(form, report, secondSummary, QStringLiteral("SecondSummaryChild"));
  (void)overlay;
  (void)summary;

  EXPECT_EQ(Names(report.BandList()),
            QStringList({"PageHeaderBand1", "HeaderChild", "TitleBand1", "ColumnHeaderBand1",
                         "DetailBand1", "DetailChild", "DetailGrandchild", "SummaryBand1",
                         "PageFooterBand1", "FooterChild", "OverlayBand1", "SummaryBand2",
                         "SecondSummaryChild"}));
  // Generation takes the first band of a type in this order.
  EXPECT_EQ(report.FindBandOfType(rbSummary), summary);
  EXPECT_EQ(report.ChildOf(detail), detailChild);
  EXPECT_TRUE(detail->HasChild());
  EXPECT_FALSE(summary->HasChild());
}

TEST_F(BandListTest, ChangingTheTypeMovesTheBand) {
  TQRCustomBand* detail = report.CreateBandOfType(rbDetail);
  TQRCustomBand* band = report.CreateBandOfType(rbSummary);
  band->SetBandType(rbPageHeader);
  EXPECT_EQ(report.BandList().front(), band);
  EXPECT_EQ(report.FindBandOfType(rbDetail), detail);
}

TEST_F(BandListTest, HasChildCreatesAndFreesTheChild) {
  TQRCustomBand* detail = report.CreateBandOfType(rbDetail);
  detail->SetHasChild(true);
  TQRChildBand* child = report.ChildOf(detail);
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(child->Owner(), detail->Owner());
  EXPECT_EQ(child->Parent(), &report);
  EXPECT_TRUE(child->Name().isEmpty());
  child->SetHasChild(true);
  TQRChildBand* grandchild = report.ChildOf(child);
  ASSERT_NE(grandchild, nullptr);
  // Freeing the child hands its own child to the band.
  detail->SetHasChild(false);
  EXPECT_EQ(report.ChildOf(detail), grandchild);
  EXPECT_EQ(grandchild->ParentBand(), detail);
  EXPECT_EQ(report.BandList(), (std::vector<TQRCustomBand*>{detail, grandchild}));
}

TEST_F(BandListTest, FreedParentOrLinkBandIsForgotten) {
  TQRCustomBand* detail = report.CreateBandOfType(rbDetail);
  TQRCustomBand* summary = report.CreateBandOfType(rbSummary);
  TQRChildBand* child = AddChild(form, report, detail, QStringLiteral("Child"));
  summary->SetLinkBand(detail);
  delete detail;
  EXPECT_EQ(child->ParentBand(), nullptr);
  EXPECT_EQ(summary->LinkBand(), nullptr);
  EXPECT_EQ(report.BandList(), (std::vector<TQRCustomBand*>{summary, child}));
}

TEST_F(BandListTest, ParentBandNeedsTheChildOnAReport) {
  TQRCustomBand* detail = report.CreateBandOfType(rbDetail);
  TQRChildBand loose(&form);
  loose.SetParentBand(detail);
  EXPECT_EQ(loose.ParentBand(), nullptr);
}

struct CircularCase {
  const char* name;
  bool designing;
};

class CircularLinks : public BandListTest, public ::testing::WithParamInterface<CircularCase> {};

TEST_P(CircularLinks, AreRefusedAndNamedOnlyWhileDesigning) {
  const bool designing = GetParam().designing;
  TQRCustomBand* a = report.CreateBandOfType(rbDetail);
  TQRCustomBand* b = report.CreateBandOfType(rbSummary);
  TQRCustomBand* c = report.CreateBandOfType(rbTitle);
  for (TQRCustomBand* band : {a, b, c}) band->SetDesigning(designing);
  a->SetLinkBand(b);
  b->SetLinkBand(c);
  c->SetLinkBand(a);  // a -> b -> c -> a
  EXPECT_EQ(c->LinkBand(), nullptr);
  a->SetLinkBand(a);
  EXPECT_EQ(a->LinkBand(), b);

  TQRChildBand* first = AddChild(form, report, a, QStringLiteral("First"));
  TQRChildBand* second = AddChild(form, report, first, QStringLiteral("Second"));
  first->SetDesigning(designing);
  first->SetParentBand(second);  // first -> second -> first
  EXPECT_EQ(first->ParentBand(), a);
  first->SetParentBand(first);
  EXPECT_EQ(first->ParentBand(), a);

  const QStringList expected =
      designing ? QStringList(4, QStringLiteral("Circular linking not allowed")) : QStringList();
  EXPECT_EQ(g_notices, expected);
}

INSTANTIATE_TEST_SUITE_P(Modes, CircularLinks,
                         ::testing::Values(CircularCase{"Designing", true},
                                           CircularCase{"Running", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(BandListTest, KeepTogetherHeightAddsLinkedBands) {
  report.SetUnits(TQRUnit::Native);
  TQRCustomBand* a = report.CreateBandOfType(rbDetail);
  TQRCustomBand* b = report.CreateBandOfType(rbSummary);
  TQRCustomBand* c = report.CreateBandOfType(rbTitle);
  a->Size().SetHeight(100);
  b->Size().SetHeight(50.5L);
  c->Size().SetHeight(25);
  a->SetLinkBand(b);
  b->SetLinkBand(c);
  EXPECT_EQ(a->KeepTogetherHeight(true), 175.5L);
  EXPECT_EQ(a->KeepTogetherHeight(false), 100.0L);
  EXPECT_EQ(c->KeepTogetherHeight(true), 25.0L);
}

TEST_F(BandListTest, NewBandIsFortyPixelsHighAndWhite) {
  TQRCustomBand* band = report.CreateBandOfType(rbDetail);
  EXPECT_EQ(band->Height(), 40);
  EXPECT_EQ(band->Color(), 0xFFFFFFFFu);
  EXPECT_TRUE(band->Enabled());
  EXPECT_TRUE(band->ParentFont());
  TUnitsScope pixels(band->Size(), TQRUnit::Pixels);
  EXPECT_NEAR(double(band->Size().Height()), 40, 1e-12);
}

// The permit's page: landscape Letter, 10 mm margins, one summary band of
// 1955.2708333333333 tenths at 96 pixels per inch.
TEST_F(BandListTest, LayoutPlacesThePermitBandAtTheMargins) {
  SetPermitPage(report);
  TQRCustomBand* band = report.CreateBandOfType(rbSummary);
  band->Size().SetUnits(TQRUnit::Native);
  band->Size().SetHeight(1955.2708333333333L);
  EXPECT_EQ(band->Left(), 38);
  EXPECT_EQ(band->Top(), 38);
  EXPECT_EQ(band->Width(), 980);
  EXPECT_EQ(band->Height(), 739);
  TUnitsScope pixels(band->Size(), TQRUnit::Pixels);
  EXPECT_NEAR(double(band->Size().Width()), 980, 1e-9) << "the layout width is stored";
}

TEST_F(BandListTest, LayoutStacksBandsAndSplitsColumns) {
  SetPermitPage(report);
  report.Page().SetColumns(2);
  {
    TUnitsScope native(report.Page(), TQRUnit::Native);
    report.Page().SetColumnSpace(52.9166666666L);  // 20 pixels
  }
  TQRCustomBand* header = report.CreateBandOfType(rbPageHeader);
  TQRCustomBand* detail = report.CreateBandOfType(rbDetail);
  TQRChildBand* child = AddChild(form, report, detail, QStringLiteral("DetailChild"));
  TQRCustomBand* summary = report.CreateBandOfType(rbSummary);
  TQRChildBand* summaryChild = AddChild(form, report, summary, QStringLiteral("SummaryChild"));
  header->SetHeight(30);  // dragged on the surface: becomes the stored height

  const struct {
    TQRCustomBand* band;
    int top, width;
  } kExpected[] = {
      {header, 38, 980},    // full width
      {detail, 68, 480},    // (980 - 20) div 2
      {child, 108, 480},    // a child takes its parent's width
      {summary, 148, 980},  //
      {summaryChild, 188, 980},
  };
  for (const auto& e : kExpected) {
    SCOPED_TRACE(e.band->Name().toStdString());
    EXPECT_EQ(e.band->Left(), 38);
    EXPECT_EQ(e.band->Top(), e.top);
    EXPECT_EQ(e.band->Width(), e.width);
  }
  TUnitsScope pixels(header->Size(), TQRUnit::Pixels);
  EXPECT_NEAR(double(header->Size().Height()), 30, 1e-9);
}

TEST_F(BandListTest, MovingABandOnTheSurfaceSnapsBackToTheLayout) {
  TQRCustomBand* band = report.CreateBandOfType(rbDetail);
  const QRect before(band->Left(), band->Top(), band->Width(), band->Height());
  report.ClearNeedsRepaint();
  band->SetBounds(before.left() + 15, before.top() + 7, before.width() - 50, before.height());
  EXPECT_EQ(QRect(band->Left(), band->Top(), band->Width(), band->Height()), before);
  EXPECT_TRUE(report.NeedsRepaint());
}

TEST_F(BandListTest, ZoomOutsideOneTo300IsIgnored) {
  for (int ignored : {0, -5, 301}) {
    report.SetZoom(ignored);
    EXPECT_EQ(report.Zoom(), 100);
  }
  for (int accepted : {1, 300}) {
    report.SetZoom(accepted);
    EXPECT_EQ(report.Zoom(), accepted);
  }
}

TEST_F(BandListTest, ZoomReachesPageBandsAndElements) {
  SetPermitPage(report);
  TQRCustomBand* band = report.CreateBandOfType(rbSummary);
  band->Size().SetUnits(TQRUnit::Native);
  band->Size().SetHeight(1955.2708333333333L);
  auto* element = new TQRPrintable(&form);
  element->SetParent(band);
  element->Size().SetUnits(TQRUnit::Native);
  element->Size().SetWidth(254);  // 96 pixels at zoom 100
  report.SetZoom(200);
  EXPECT_EQ(report.Page().Zoom(), 200);
  EXPECT_EQ(band->Zoom(), 200);
  EXPECT_EQ(band->Size().Zoom(), 200);
  EXPECT_EQ(element->Size().Zoom(), 200);
  EXPECT_EQ(report.Width(), 2112);
  EXPECT_EQ(band->Left(), 76);
  EXPECT_EQ(band->Top(), 76);
  EXPECT_EQ(band->Width(), 1961);  // 2112 - round(151.18)
  EXPECT_EQ(band->Height(), 1478);
  EXPECT_EQ(element->Width(), 192);
  // Zoom changes only the on-screen image.
  EXPECT_EQ(band->Size().Height(), 1955.2708333333333L);
  EXPECT_EQ(element->Size().Width(), 254.0L);
}

TEST_F(BandListTest, MeasuresTextOnTheScreenReferenceDevice) {
  TFontSpec font;
  font.pointSize = 24;
  auto reference = CreateReferenceCanvas();
  reference->SelectFont(font);
  const int heightOfA = reference->TextExtent(QStringLiteral("A")).height();
  const int width = reference->TextExtent(QStringLiteral("Permiso")).width();
  ASSERT_GT(heightOfA, 20);
  // The text does not matter for the height: it is always that of "A".
  EXPECT_EQ(report.MeasureHeight(font, QStringLiteral("gy")), heightOfA);
  EXPECT_EQ(report.MeasureWidth(font, QStringLiteral("Permiso")), width + 1);
  TFontSpec small = font;
  small.pointSize = 8;
  EXPECT_LT(report.MeasureHeight(small, QString()), heightOfA);
  // Measuring leaves nothing selected behind: the same call gives the same.
  EXPECT_EQ(report.MeasureWidth(font, QStringLiteral("Permiso")), width + 1);
}

TEST_F(BandListTest, DestroyingAReportWithLinkedBandsFreesEverything) {
  TQRReport* lone = new TQRReport(nullptr);
  TQRCustomBand* a = lone->CreateBandOfType(rbDetail);
  TQRCustomBand* b = lone->CreateBandOfType(rbSummary);
  a->SetLinkBand(b);
  b->SetHasChild(true);
  a->SetHasChild(true);
  delete lone;  // the sanitizer build checks nothing is touched after it is freed
  SUCCEED();
}

}  // namespace
