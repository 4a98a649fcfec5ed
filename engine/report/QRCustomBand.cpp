#include "QRCustomBand.h"

#include "DesignReader.h"
#include "QRChildBand.h"
#include "QRCustomReport.h"
#include "QRPrintable.h"
#include "QRRound.h"
#include "QRRuler.h"

namespace {
constexpr QRgb kBorderColor = 0xFF808080;
constexpr QRgb kCaptionColor = 0xFF606060;
const QString kCircularLinking = QStringLiteral("Circular linking not allowed");
}  // namespace

TQRCustomBand::TQRCustomBand(TQRComponent* owner)
    : TQRBasePanel(owner), size_(std::make_unique<TQRBandSize>(this)) {
  SetColor(0xFFFFFFFF);
  TUnitsScope pixels(*size_, TQRUnit::Pixels);
  size_->SetHeight(kNewBandHeight);
}

TQRCustomBand::~TQRCustomBand() {
  BeginDestroy();
  if (report_ != nullptr)
    for (TQRCustomBand* band : report_->BandList())
      if (band != this) band->ForgetBand(this);
  LeaveReport();
  DestroyControls();
}

QString TQRCustomBand::BandTypeCaption() const { return ::BandTypeCaption(bandType_); }

QString TQRCustomBand::BandComponentBaseName() const { return BandTypeComponentBase(bandType_); }

void TQRCustomBand::SetBandType(TQRBandType type) {
  bandType_ = type;
  if (report_ != nullptr) {
    report_->RebuildBandOrder();
    report_->LayoutBands();
  }
}

void TQRCustomBand::SetLinkBand(TQRCustomBand* band) {
  for (const TQRCustomBand* b = band; b != nullptr; b = b->linkBand_) {
    if (b == this) {
      if (Designing()) ShowDesignNotice(kCircularLinking);
      return;
    }
  }
  linkBand_ = band;
}

bool TQRCustomBand::HasChild() const {
  return report_ != nullptr && report_->ChildOf(this) != nullptr;
}

void TQRCustomBand::SetHasChild(bool hasChild) {
  if (hasChild == HasChild() || report_ == nullptr) return;
  if (hasChild) {
    auto* child = new TQRChildBand(Owner());
    child->SetParent(report_);
    child->SetParentBand(this);
    return;
  }
  TQRChildBand* child = report_->ChildOf(this);
  if (TQRChildBand* grandchild = report_->ChildOf(child)) grandchild->SetParentBand(this);
  delete child;
}

// Only stored heights are added: a linked band's on-screen pixels are not a
// measure of the page and would count the band twice in another unit.
long double TQRCustomBand::KeepTogetherHeight(bool followLinks) const {
  long double height = size_->Height();
  if (followLinks && linkBand_ != nullptr) height += linkBand_->KeepTogetherHeight(true);
  return height;
}

void TQRCustomBand::SetParentReport(TQRCustomReport* report) {
  report_ = report;
  size_->SetParentReport(report);
  for (TQRControl* control : Controls())
    if (auto* element = dynamic_cast<TQRPrintable*>(control)) element->SetParentReport(report);
}

TQRBandType TQRCustomBand::EffectiveBandType() const {
  const TQRCustomBand* band = this;
  // A chain of child bands cannot loop (circular parents are refused), but
  // stop after as many steps as the report has bands all the same.
  std::size_t steps = report_ != nullptr ? report_->BandList().size() + 1 : 1;
  while (band != nullptr && band->bandType_ == rbChild && steps-- > 0) {
    const auto* child = dynamic_cast<const TQRChildBand*>(band);
    band = child != nullptr ? child->ParentBand() : nullptr;
  }
  return band != nullptr ? band->bandType_ : rbChild;
}

void TQRCustomBand::SetUnits(TQRUnit units) {
  size_->SetUnits(units);
  for (TQRControl* control : Controls())
    if (auto* element = dynamic_cast<TQRPrintable*>(control)) element->Size().SetUnits(units);
}

void TQRCustomBand::LayoutAt(int left, int top, int width) {
  layingOut_ = true;
  ApplyBounds(left, top, TQRControl::Width(), TQRControl::Height());
  {
    TUnitsScope pixels(*size_, TQRUnit::Pixels);
    if (QRRound(size_->Width()) != width)
      size_->SetWidth(width);
    else
      size_->ResizeOwner();
  }
  layingOut_ = false;
}

void TQRCustomBand::LeaveReport() {
  if (report_ == nullptr) return;
  TQRCustomReport* previous = report_;
  SetParentReport(nullptr);
  previous->DetachBand(this);
}

void TQRCustomBand::SetParent(TQRControl* parent) {
  TQRControl* target = parent;
  // Bands stand directly on a report: a band dropped on a band joins its report.
  if (auto* band = dynamic_cast<TQRCustomBand*>(parent)) target = band->Parent();
  auto* report = dynamic_cast<TQRCustomReport*>(target);
  if (report == nullptr || report != report_) LeaveReport();
  TQRBasePanel::SetParent(target);
  if (report != nullptr && report != report_) {
    SetParentReport(report);
    SetUnits(report->Units());
    report->AttachBand(this);
    SetZoom(report->Zoom());
  }
}

void TQRCustomBand::SetBounds(int left, int top, int width, int height) {
  if (size_->UpdatingOwner()) {
    ApplyBounds(left, top, width, height);
    if (report_ != nullptr && !layingOut_) report_->LayoutBands();
    NotifyElementsResized();
    return;
  }
  if (Loading()) {
    if (height != kNewBandHeight) loadHeight_ = height;
    ApplyBounds(left, top, width, height);
    return;
  }
  // A change from outside, as a user dragging the band: the height becomes
  // the stored height; the width is the report layout's unless there is none.
  const bool moved = left != Left() || top != Top();
  {
    TUnitsScope pixels(*size_, TQRUnit::Pixels);
    if (height != TQRControl::Height()) size_->SetHeight(height);
    if (report_ == nullptr && width != TQRControl::Width()) size_->SetWidth(width);
  }
  if (moved) {
    ApplyBounds(left, top, TQRControl::Width(), TQRControl::Height());
    if (report_ != nullptr) report_->LayoutBands();
  }
  if (report_ != nullptr) report_->Invalidate();
}

void TQRCustomBand::NotifyElementsResized() {
  for (TQRControl* control : Controls())
    if (auto* element = dynamic_cast<TQRPrintable*>(control); element && element->AlignToBand())
      element->ReportNotification(this, TQRNotifyOperation::BandResized);
}

void TQRCustomBand::SetZoom(int zoom) {
  TQRBasePanel::SetZoom(zoom);
  for (TQRControl* control : Controls())
    if (auto* element = dynamic_cast<TQRPrintable*>(control)) element->SetZoom(zoom);
  size_->SetZoom(zoom);
  size_->ResizeOwner();
}

void TQRCustomBand::Loaded() {
  TQRBasePanel::Loaded();
  size_->ResizeOwner();
  if (TQRControl::Height() == kNewBandHeight && loadHeight_ != 0)
    SetBounds(Left(), Top(), TQRControl::Width(), loadHeight_);
  loadHeight_ = 0;
}

void TQRCustomBand::ForgetBand(const TQRComponent* band) {
  if (linkBand_ == band) linkBand_ = nullptr;
}

void TQRCustomBand::Notification(TQRComponent* component, TQROperation operation) {
  TQRBasePanel::Notification(component, operation);
  if (operation == TQROperation::opRemove) ForgetBand(component);
}

void TQRCustomBand::Paint(TCanvas& canvas, QPoint origin) {
  const QRect rect(origin, QSize(TQRControl::Width(), TQRControl::Height()));
  canvas.SetBrush(PaintColor(), TBrushStyle::bsSolid);
  canvas.FillRect(rect);
  if (report_ != nullptr && report_->Page().Ruler()) PaintRuler(canvas, origin, report_->Units());
  Frame().PaintFrame(canvas, rect, ScreenScale(), ScreenScale());
  for (TQRControl* control : Controls())
    control->Paint(canvas, origin + QPoint(control->Left(), control->Top()));
  canvas.SetPen(kBorderColor, 1, TPenStyle::psSolid);
  canvas.SetBrush(PaintColor(), TBrushStyle::bsClear);
  canvas.Rectangle(rect);
  TFontSpec captionFont;
  captionFont.pointSize = 7;
  captionFont.color = kCaptionColor;
  canvas.SelectFont(captionFont);
  const QString caption = BandTypeCaption();
  const int textHeight = canvas.TextExtent(caption).height();
  canvas.TextOut(rect.left() + 3, rect.top() + rect.height() - textHeight - 2, TTextAnchor::Left,
                 caption);
}

void TQRCustomBand::PaintRuler(TCanvas& canvas, QPoint origin, TQRUnit unit) {
  const QRect rect(origin, QSize(TQRControl::Width(), TQRControl::Height()));
  PaintRulerGrid(canvas, rect, *size_, unit, TRulerStyle{false, RulerFontSize()});
}

bool TQRCustomBand::ReadProperty(const QString& name, const TDesignValue& value,
                                 TDesignReader& reader) {
  if (name == QLatin1String("Size.Values"))
    return size_->ReadProperty(QStringLiteral("Values"), value, reader);
  if (name == QLatin1String("AlignToBottom")) {
    SetAlignToBottom(AsBoolean(value));
  } else if (name == QLatin1String("ForceNewColumn")) {
    SetForceNewColumn(AsBoolean(value));
  } else if (name == QLatin1String("ForceNewPage")) {
    SetForceNewPage(AsBoolean(value));
  } else if (name == QLatin1String("LinkBand")) {
    const int line = value.Line();
    reader.Reference(value, [this, line](TQRComponent* target) {
      auto* band = dynamic_cast<TQRCustomBand*>(target);
      if (band == nullptr)
        throw EDesignError(line, QStringLiteral("LinkBand %1 is not a band").arg(target->Name()));
      SetLinkBand(band);
      if (linkBand_ != band) throw EDesignError(line, kCircularLinking);
    });
  } else if (name == QLatin1String("BeforePrint")) {
    BeforePrint = reader.Method<TQRBandBeforePrintEvent>(value);
  } else if (name == QLatin1String("AfterPrint")) {
    AfterPrint = reader.Method<TQRBandAfterPrintEvent>(value);
  } else {
    return TQRBasePanel::ReadProperty(name, value, reader);
  }
  return true;
}
