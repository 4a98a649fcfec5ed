// The scrolling preview control: zoom formulas and their ignored values, the
// image's place, the resize rule, page numbers, page-ready notices, a printer
// that goes away, and mouse handlers that reach the page.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <cmath>

#include "QRNotices.h"
#include "QRPreview.h"
#include "QRPreviewImage.h"
#include "QRPrinter.h"
#include "preview_fixture.h"

namespace {

using TControlTest = PreviewFixture;

TEST_F(TControlTest, NewControlAsDesigned) {
  TQRPreview preview;
  EXPECT_EQ(preview.size(), QSize(250, 250));
  EXPECT_EQ(preview.PageNumber(), 1);
  EXPECT_EQ(preview.Zoom(), 100);
  EXPECT_EQ(preview.ZoomState(), TQRZoomState::Percent);
  EXPECT_EQ(preview.QRPrinter(), nullptr);
  EXPECT_FALSE(preview.OnPageAvailable);
  EXPECT_FALSE(preview.OnProgressUpdate);
  EXPECT_TRUE(preview.OnResize);
  EXPECT_TRUE(preview.horizontalScrollBar()->hasTracking());
  EXPECT_TRUE(preview.verticalScrollBar()->hasTracking());
  EXPECT_EQ(preview.PreviewImage()->pos(), QPoint(0, 0));
  EXPECT_EQ(preview.PreviewImage()->size(), QSize(100, 50));
  EXPECT_EQ(preview.PreviewImage()->PageNumber(), 1);
  EXPECT_EQ(preview.PreviewImage()->Zoom(), 100);
}

// Landscape Letter at 96 dpi: 1056 x 816 pixels at 100 %.
struct ZoomCase {
  const char* name;
  QSize control;
  std::function<void(TQRPreview&)> act;
  int zoom;
  TQRZoomState state;
  QRect image;  // where the image lies, unscrolled
};

class ZoomTest : public PreviewFixture, public ::testing::WithParamInterface<ZoomCase> {};

TEST_P(ZoomTest, SizesAndPlacesTheImage) {
  const ZoomCase& c = GetParam();
  auto printer = MakePrinter();
  RunPages(*printer, 1);
  TQRPreview preview;
  preview.SetQRPrinter(printer.get());
  preview.resize(c.control);
  c.act(preview);
  EXPECT_EQ(preview.Zoom(), c.zoom);
  EXPECT_EQ(preview.ZoomState(), c.state);
  EXPECT_EQ(preview.ImageRect(), c.image);
  EXPECT_EQ(preview.PreviewImage()->geometry(), c.image) << "scrolled to the corner";
  EXPECT_EQ(preview.PreviewImage()->Zoom(), c.zoom);
}

const ZoomCase kZoomCases[] = {
    // The page plus 4 pixels each way, centred in a larger control.
    {"hundred",
     {1200, 1000},
     [](TQRPreview& p) { p.SetZoom(100); },
     100,
     TQRZoomState::Percent,
     QRect(70, 90, 1060, 820)},
    // 2794 / 100 * 50 tenths -> 528 px; 2159 -> 408 px.
    {"fifty",
     {1200, 1000},
     [](TQRPreview& p) { p.SetZoom(50); },
     50,
     TQRZoomState::Percent,
     QRect(334, 294, 532, 412)},
    // Wider than the control: at the left edge, not centred.
    {"wider than the control",
     {800, 1000},
     [](TQRPreview& p) { p.SetZoom(100); },
     100,
     TQRZoomState::Percent,
     QRect(0, 90, 1060, 820)},
    // round(800 / 1056 * 90) = 68.
    {"page width",
     {800, 600},
     [](TQRPreview& p) { p.FitWidth(); },
     68,
     TQRZoomState::PageWidth,
     QRect(39, 20, 722, 559)},
    // min(round(800 / 1056 * 95) = 72, round(600 / 816 * 95) = 70).
    {"whole page",
     {800, 600},
     [](TQRPreview& p) { p.FitPage(); },
     70,
     TQRZoomState::WholePage,
     QRect(28, 12, 743, 575)},
    {"smallest zoom",
     {800, 600},
     [](TQRPreview& p) { p.SetZoom(2); },
     2,
     TQRZoomState::Percent,
     QRect(387, 290, 25, 20)},
    {"largest zoom",
     {800, 600},
     [](TQRPreview& p) { p.SetZoom(2000); },
     2000,
     TQRZoomState::Percent,
     QRect(0, 0, 21124, 16324)},
    {"below the range",
     {800, 600},
     [](TQRPreview& p) { p.SetZoom(50), p.SetZoom(1); },
     50,
     TQRZoomState::Percent,
     QRect(134, 94, 532, 412)},
    {"above the range",
     {800, 600},
     [](TQRPreview& p) { p.SetZoom(50), p.SetZoom(2001); },
     50,
     TQRZoomState::Percent,
     QRect(134, 94, 532, 412)},
    // round(10 / 1056 * 95) = 1 is ignored, but the mode is still set.
    {"fit to a tiny control",
     {10, 10},
     [](TQRPreview& p) { p.SetZoom(50), p.FitPage(); },
     50,
     TQRZoomState::WholePage,
     QRect(0, 0, 532, 412)},
};

INSTANTIATE_TEST_SUITE_P(Zoom, ZoomTest, ::testing::ValuesIn(kZoomCases), [](const auto& info) {
  std::string name = info.param.name;
  for (char& ch : name)
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  return name;
});

TEST_F(TControlTest, WithoutAPrinterZoomsALetterSizeInPixels) {
  TQRPreview preview;
  preview.resize(250, 400);
  preview.FitWidth();  // round(250 / 215.9 * 95) = 110
  EXPECT_EQ(preview.Zoom(), 110);
  EXPECT_EQ(preview.PreviewImage()->size(),
            QSize(241, 311));  // round(237.49) + 4, round(307.34) + 4
  preview.FitPage();           // min(110, round(400 / 279.4 * 95) = 136)
  EXPECT_EQ(preview.Zoom(), 110);
  EXPECT_EQ(preview.ZoomState(), TQRZoomState::WholePage);
}

TEST_F(TControlTest, ResizeFitsAgainByMode) {
  auto printer = MakePrinter();
  RunPages(*printer, 1);
  QWidget host;  // a child's resize arrives at once; a window's may come later
  TQRPreview& preview = *new TQRPreview(&host);
  preview.SetQRPrinter(printer.get());
  host.resize(1400, 1200);
  host.show();
  preview.resize(800, 600);
  preview.FitPage();
  preview.resize(500, 900);
  EXPECT_EQ(preview.ZoomState(), TQRZoomState::WholePage);
  EXPECT_EQ(preview.Zoom(), 45);  // min(round(500 / 1056 * 95), round(900 / 816 * 95))
  EXPECT_TRUE(preview.rect().contains(preview.ImageRect())) << "the whole page stays visible";

  preview.SetZoom(100);
  preview.resize(1300, 1100);
  EXPECT_EQ(preview.Zoom(), 100);
  EXPECT_EQ(preview.ImageRect(), QRect(120, 140, 1060, 820)) << "centred again";

  preview.FitWidth();
  preview.resize(1000, 1100);
  EXPECT_EQ(preview.ZoomState(), TQRZoomState::PageWidth);
  EXPECT_EQ(preview.Zoom(), 85);  // round(1000 / 1056 * 90)
}

TEST_F(TControlTest, ScrollsOverALargeImageAndReturnsToTheCorner) {
  auto printer = MakePrinter();
  RunPages(*printer, 2);
  QWidget host;
  TQRPreview& preview = *new TQRPreview(&host);
  preview.SetQRPrinter(printer.get());
  host.show();
  preview.resize(400, 300);
  preview.SetZoom(200);
  QScrollBar* h = preview.horizontalScrollBar();
  QScrollBar* v = preview.verticalScrollBar();
  EXPECT_EQ(h->maximum(), 2116 - preview.viewport()->width());
  EXPECT_EQ(v->maximum(), 1636 - preview.viewport()->height());
  h->setValue(300);
  v->setValue(200);
  EXPECT_EQ(preview.PreviewImage()->pos(), QPoint(-300, -200));
  preview.SetPageNumber(2);
  EXPECT_EQ(h->value(), 0);
  EXPECT_EQ(v->value(), 0);
  EXPECT_EQ(preview.PreviewImage()->pos(), QPoint(0, 0));
}

TEST_F(TControlTest, PageNumberStaysWithinThePagesBegun) {
  struct Case {
    const char* name;
    int request;
    int page;
  };
  const Case cases[] = {
      {"next", 2, 2}, {"last", 3, 3},      {"beyond the last", 4, 1},
      {"zero", 0, 1}, {"negative", -1, 1},
  };
  auto printer = MakePrinter();
  RunPages(*printer, 3);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TQRPreview preview;
    preview.SetQRPrinter(printer.get());
    preview.SetPageNumber(c.request);
    EXPECT_EQ(preview.PageNumber(), c.page);
    EXPECT_EQ(preview.PreviewImage()->PageNumber(), c.page);
    EXPECT_TRUE(preview.PreviewImage()->HoldsPage());
  }
  TQRPreview detached;
  detached.SetPageNumber(2);
  EXPECT_EQ(detached.PageNumber(), 1) << "no printer, no pages";
}

TEST_F(TControlTest, AskingForThePageOnViewFetchesItWhenItHadNoImage) {
  auto printer = MakePrinter();
  RunPages(*printer, 2, /*finish=*/false);
  TQRPreview preview;
  preview.SetQRPrinter(printer.get());
  preview.SetPageNumber(2);
  ASSERT_FALSE(preview.PreviewImage()->HoldsPage()) << "page 2 is still open";
  printer->NewPage();  // stores page 2
  preview.SetPageNumber(2);
  EXPECT_TRUE(preview.PreviewImage()->HoldsPage());
  printer->EndRun();
}

TEST_F(TControlTest, OnlyTheNoticeForThePageOnViewFetchesIt) {
  auto printer = MakePrinter();
  TQRPreview preview;
  preview.resize(800, 600);
  preview.SetQRPrinter(printer.get());
  QList<int> available;
  preview.OnPageAvailable = [&](QObject* sender, int page) {
    EXPECT_EQ(sender, &preview);
    available << page;
  };
  QList<int> progress;
  preview.OnProgressUpdate = [&](QObject*, int p) { progress << p; };

  RunPages(*printer, 2, /*finish=*/false);
  preview.SetZoom(100);
  QCoreApplication::postEvent(&preview, new TQRPageReadyNotice(2));  // not the page on view
  printer->SetProgressPercent(45);
  DeliverNotices();
  EXPECT_EQ(available, QList<int>({1, 2}));
  EXPECT_EQ(progress, QList<int>({45}));
  EXPECT_TRUE(preview.PreviewImage()->HoldsPage()) << "page 1 came with the first notice";
  EXPECT_EQ(preview.ZoomState(), TQRZoomState::PageWidth);

  preview.SetZoom(100);
  QCoreApplication::postEvent(&preview, new TQRPageReadyNotice(1 | 0x10000));  // low 16 bits count
  DeliverNotices();
  EXPECT_EQ(available.last(), 1);
  EXPECT_EQ(preview.ZoomState(), TQRZoomState::Percent)
      << "a page already held is not fitted again";
  printer->EndRun();
}

TEST_F(TControlTest, AttachingSwitchesPrintersAndTheirPreviewFlags) {
  auto first = MakePrinter();
  auto second = MakePrinter();
  RunPages(*first, 2);
  RunPages(*second, 1);
  int firstDone = 0;
  first->OnPreviewDone = [&](TQRPrinter*) { ++firstDone; };
  TQRPreview preview;
  preview.SetQRPrinter(first.get());
  preview.SetPageNumber(2);
  EXPECT_TRUE(first->PreviewShowing());
  EXPECT_EQ(first->Listener(), &preview);

  preview.SetQRPrinter(second.get());
  EXPECT_FALSE(first->PreviewShowing());
  EXPECT_EQ(first->Listener(), nullptr);
  EXPECT_EQ(firstDone, 1);
  EXPECT_TRUE(second->PreviewShowing());
  EXPECT_EQ(second->Listener(), &preview);
  EXPECT_EQ(preview.PageNumber(), 1);
  EXPECT_EQ(preview.PreviewImage()->QRPrinter(), second.get());
  EXPECT_TRUE(preview.PreviewImage()->HoldsPage());
}

TEST_F(TControlTest, AFreedPrinterIsForgottenAndLateNoticesAreHarmless) {
  auto printer = MakePrinter();
  TQRPreview preview;
  preview.SetQRPrinter(printer.get());
  RunPages(*printer, 1);  // a page-ready notice is now waiting
  int available = 0;
  preview.OnPageAvailable = [&](QObject*, int) { ++available; };
  printer.reset();
  EXPECT_EQ(preview.QRPrinter(), nullptr);
  EXPECT_EQ(preview.PreviewImage()->QRPrinter(), nullptr);
  DeliverNotices();
  EXPECT_EQ(available, 1);
  EXPECT_FALSE(preview.PreviewImage()->HoldsPage());
}

TEST_F(TControlTest, MouseHandlersReachThePageAndTheSpaceBesideIt) {
  auto printer = MakePrinter();
  RunPages(*printer, 1);
  TQRPreview preview;
  preview.resize(1200, 1000);
  QList<QObject*> clicks;
  QList<QPoint> downs;
  TQRMouseHandlers handlers;
  handlers.OnClick = [&](QObject* sender) { clicks << sender; };
  handlers.OnMouseDown = [&](QObject*, Qt::MouseButton, Qt::KeyboardModifiers, QPoint at) {
    downs << at;
  };
  preview.SetMouseHandlers(handlers);
  preview.SetQRPrinter(printer.get());  // copies them to the image
  preview.SetZoom(100);
  preview.show();

  auto click = [](QWidget* target, QPoint at) {
    QMouseEvent press(QEvent::MouseButtonPress, at, target->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, target->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
    QCoreApplication::sendEvent(target, &release);
  };
  click(preview.PreviewImage(), QPoint(10, 20));
  click(preview.viewport(), QPoint(5, 5));
  EXPECT_EQ(clicks, QList<QObject*>({preview.PreviewImage(), &preview}));
  EXPECT_EQ(downs, QList<QPoint>({QPoint(10, 20), QPoint(5, 5)}));
}

}  // namespace
