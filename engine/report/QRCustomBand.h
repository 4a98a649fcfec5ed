#pragma once
// A band of a report: its stored size, its type, the page-break switches,
// the band kept on the same page with it (LinkBand) and its events. Bands
// are always direct children of a report; a band is laid out by the report
// and resizes its on-screen image from its size. A new band is 40 pixels
// high.

#include <QRect>
#include <memory>

#include "QRBandSize.h"
#include "QRBandType.h"
#include "QRBasePanel.h"
#include "QREvents.h"

class TQRCustomReport;
class TQRCustomController;

class TQRCustomBand : public TQRBasePanel {
 public:
  explicit TQRCustomBand(TQRComponent* owner);
  ~TQRCustomBand() override;

  QString ClassName() const override { return QStringLiteral("TQRCustomBand"); }
  virtual QString BandTypeCaption() const;
  virtual QString BandComponentBaseName() const;

  TQRBandType BandType() const { return bandType_; }
  // Stores the type; a band on a report has the band order and layout rebuilt.
  void SetBandType(TQRBandType type);

  // The band's stored Height and Width; Height() and Width() of the band
  // itself are its on-screen pixels.
  TQRBandSize& Size() { return *size_; }
  const TQRBandSize& Size() const { return *size_; }

  bool AlignToBottom() const { return alignToBottom_; }
  void SetAlignToBottom(bool on) { alignToBottom_ = on; }
  bool ForceNewColumn() const { return forceNewColumn_; }
  void SetForceNewColumn(bool on) { forceNewColumn_ = on; }
  bool ForceNewPage() const { return forceNewPage_; }
  void SetForceNewPage(bool on) { forceNewPage_ = on; }

  TQRCustomBand* LinkBand() const { return linkBand_; }
  // A band whose link chain would come back to this band is refused.
  void SetLinkBand(TQRCustomBand* band);

  // There is a child band continuing this one. Setting True creates one on
  // the band's report; False frees it, handing its own child to this band.
  bool HasChild() const;
  void SetHasChild(bool hasChild);

  // Height plus, with links followed, the linked band's keep-together
  // height (all in the band size's unit).
  long double KeepTogetherHeight(bool followLinks) const;

  TQRCustomReport* ParentReport() const { return report_; }
  virtual void SetParentReport(TQRCustomReport* report);
  // The type this band takes its width from: a child band's is that of the
  // first non-child band up its parent chain.
  TQRBandType EffectiveBandType() const;
  // Sets the unit of the band's size and of its elements' sizes.
  void SetUnits(TQRUnit units);

  // Report layout: place the band and give it `width` pixels.
  void LayoutAt(int left, int top, int width);

  void SetParent(TQRControl* parent) override;
  void SetBounds(int left, int top, int width, int height) override;
  void SetZoom(int zoom) override;
  void Loaded() override;
  void Notification(TQRComponent* component, TQROperation operation) override;
  void Paint(TCanvas& canvas, QPoint origin) override;
  void PaintRuler(TCanvas& canvas, QPoint origin, TQRUnit unit) override;
  bool ReadProperty(const QString& name, const TDesignValue& value, TDesignReader& reader) override;

  // Generation (QRBandRender.cpp): the band prints itself at the report's
  // current position, its elements stretching it by up to the space left.
  void Render();
  bool CanGrowBy(long double amount) const;
  bool GrowBy(long double amount, long double& newExpansion, bool& requested);

  TQRBandBeforePrintEvent BeforePrint;
  TQRBandAfterPrintEvent AfterPrint;

  // Run state, used by generation.
  long double Expansion = 0;  // extra height gained by stretching, native units
  QRect OutputRect;           // where the band printed last, device units
  TQRCustomController* DetailController = nullptr;  // set on detail bands only

 protected:
  // A band that the band being freed referred to is forgotten.
  virtual void ForgetBand(const TQRComponent* band);

 private:
  // Rendering steps (QRBandRender.cpp): the forced break or the space
  // check; the fill, the elements (again in the next column or page while
  // some have lines left) and the frame; one round of the elements, true
  // when all are done; the frame of the band as it stands on this page.
  void MakeRoom();
  void PrintContents();
  bool PrintElements(bool firstPass);
  void PaintFrameOnPage();

  void LeaveReport();
  void NotifyElementsResized();

  std::unique_ptr<TQRBandSize> size_;
  TQRBandType bandType_ = rbTitle;
  bool alignToBottom_ = false;
  bool forceNewColumn_ = false;
  bool forceNewPage_ = false;
  TQRCustomBand* linkBand_ = nullptr;
  TQRCustomReport* report_ = nullptr;
  int loadHeight_ = 0;      // a height other than 40 given while loading
  bool layingOut_ = false;  // the report is placing this band
};

inline constexpr int kNewBandHeight = 40;
