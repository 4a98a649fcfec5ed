#include "QRPrintable.h"

#include <QStringList>

#include "DesignValue.h"
#include "QRCustomBand.h"
#include "QRCustomReport.h"
#include "QRDeviceRect.h"
#include "QRPrinter.h"
#include "ReferenceCanvas.h"

namespace {
constexpr int kCornerMark = 5;  // pixels along each edge
}

const QStringList& AlignmentNames() {
  static const QStringList names{QStringLiteral("taLeftJustify"), QStringLiteral("taRightJustify"),
                                 QStringLiteral("taCenter")};
  return names;
}

TQRPrintable::TQRPrintable(TQRComponent* owner)
    : TQRControl(owner), size_(std::make_unique<TQRPrintableSize>(this)) {
  SetColor(0xFFFFFFFF);
  ApplyBounds(0, 0, kNewElementSize, kNewElementSize);
}

TQRPrintable::~TQRPrintable() { DestroyControls(); }

void TQRPrintable::SetAlignment(TAlignment alignment) {
  alignment_ = alignment;
  if (alignToBand_) ApplyBandAlignment();
  Invalidate();
}

void TQRPrintable::SetAlignToBand(bool alignToBand) {
  alignToBand_ = alignToBand;
  ApplyBandAlignment();
}

void TQRPrintable::SetParentReport(TQRCustomReport* report) {
  report_ = report;
  size_->SetParentReport(report);
}

void TQRPrintable::SetZoom(int zoom) {
  size_->SetZoom(zoom);
  if (!Loading()) size_->ResizeOwner();
}

bool TQRPrintable::IsPrintable() const { return Enabled() || !Visible(); }

int TQRPrintable::BandWidth() const {
  const auto* band = dynamic_cast<const TQRCustomBand*>(Parent());
  return band != nullptr ? band->Width() : -1;
}

void TQRPrintable::ApplyBandAlignment() {
  if (!alignToBand_ || aligning_) return;
  aligning_ = true;
  const int parentWidth = BandWidth();
  switch (alignment_) {
    case taLeftJustify:
      SetLeft(0);
      break;
    case taRightJustify:
      if (parentWidth >= 0) SetLeft(parentWidth - Width());
      break;
    case taCenter:
      if (parentWidth >= 0) SetLeft((parentWidth - Width()) / 2);  // toward zero
      break;
  }
  aligning_ = false;
}

void TQRPrintable::PrepareOutput() {
  inOutput_ = true;
  // A run that stopped while the element still had lines for a further page
  // must not make the next run start in the middle of its text.
  printDone_ = true;
  outputDevice_ = report_ != nullptr ? report_->QRPrinter : nullptr;
}

TQRPrinter* TQRPrintable::Device() const {
  if (outputDevice_ != nullptr) return outputDevice_;
  return report_ != nullptr ? report_->QRPrinter : nullptr;
}

bool TQRPrintable::FinalPass() const { return report_ == nullptr || report_->FinalPass; }

QRectF TQRPrintable::PageRect(int ofsX, int ofsY) const {
  using S = TQRPrintableSize;
  const long double left = ofsX + size_->StoredValue(S::kLeft);
  const long double top = ofsY + size_->StoredValue(S::kTop);
  return QRectF(double(left), double(top), double(size_->StoredValue(S::kWidth)),
                double(size_->StoredValue(S::kHeight)));
}

void TQRPrintable::PrintFrame(TQRPrinter& printer, const QRectF& r) const {
  if (!frame_.HasLines()) return;
  frame_.PaintFrame(
      printer.PageCanvas(),
      DeviceRect(printer, r.left(), r.top(), r.left() + r.width(), r.top() + r.height()),
      printer.ScaleX(), printer.ScaleY());
}

void TQRPrintable::PrintAt(int ofsX, int ofsY) {
  TQRPrinter* printer = Device();
  if (printer == nullptr || !FinalPass()) return;
  PrintFrame(*printer, PageRect(ofsX, ofsY));
}

void TQRPrintable::ReportNotification(TQRComponent*, TQRNotifyOperation operation) {
  if (operation == TQRNotifyOperation::BandResized) ApplyBandAlignment();
}

void TQRPrintable::FinishOutput() { inOutput_ = false; }

void TQRPrintable::SetParent(TQRControl* parent) {
  TQRControl::SetParent(parent);
  if (auto* report = dynamic_cast<TQRCustomReport*>(parent)) {
    size_->SetUnits(report->Units());
    SetParentReport(report);
    SetZoom(report->Zoom());
    SetTop(Top());
    SetLeft(Left());
  } else if (auto* band = dynamic_cast<TQRCustomBand*>(parent)) {
    size_->SetUnits(band->Size().Units());
    if (TQRCustomReport* bandReport = band->ParentReport()) {
      SetParentReport(bandReport);
      SetZoom(bandReport->Zoom());
      SetTop(Top());
      SetLeft(Left());
    }
    SetTop(Top());
    SetLeft(Left());
  }
}

void TQRPrintable::SetBounds(int left, int top, int width, int height) {
  if (size_->UpdatingOwner()) {
    ApplyBounds(left, top, width, height);
    if (report_ != nullptr) report_->Invalidate();
  } else if (Loading()) {
    if (left != 0) loadedLeft_ = left;
    if (top != 0) loadedTop_ = top;
    if (width != 0) loadedWidth_ = width;
    if (height != 0) loadedHeight_ = height;
  } else {
    TUnitsScope pixels(*size_, TQRUnit::Pixels);
    if (height != size_->Height()) size_->SetHeight(height);
    if (width != size_->Width()) size_->SetWidth(width);
    if (top != size_->Top()) size_->SetTop(top);
    if (left != size_->Left()) size_->SetLeft(left);
  }
  if (alignToBand_ && !aligning_) ApplyBandAlignment();
}

void TQRPrintable::Loaded() {
  TQRControl::Loaded();
  size_->ResizeOwner();
  // The stored values win; the design's pixel values only fill in zeros.
  const int left = Left() == 0 ? loadedLeft_ : Left();
  const int top = Top() == 0 ? loadedTop_ : Top();
  const int width = Width() == 0 ? loadedWidth_ : Width();
  const int height = Height() == 0 ? loadedHeight_ : Height();
  if (left != Left() || top != Top() || width != Width() || height != Height())
    SetBounds(left, top, width, height);
}

void TQRPrintable::Paint(TCanvas& canvas, QPoint origin) {
  if (inOutput_) return;
  PaintBackground(canvas, origin);
  PaintOutline(canvas, origin);
}

void TQRPrintable::PaintBackground(TCanvas& canvas, QPoint origin) const {
  if (transparent_) return;
  canvas.SetBrush(0xFFFFFFFF, TBrushStyle::bsSolid);
  canvas.FillRect(QRect(origin, QSize(Width(), Height())));
}

void TQRPrintable::PaintOutline(TCanvas& canvas, QPoint origin) const {
  const int w = Width(), h = Height();
  canvas.SetPen(0xFF000000, 1, TPenStyle::psSolid);
  const int l = origin.x(), t = origin.y(), r = l + w - 1, b = t + h - 1;
  const int m = kCornerMark;
  const int corners[4][2] = {{l, t}, {r, t}, {l, b}, {r, b}};
  for (const auto& c : corners) {
    const int dx = c[0] == l ? m : -m;
    const int dy = c[1] == t ? m : -m;
    canvas.MoveTo(c[0] + dx, c[1]);
    canvas.LineTo(c[0], c[1]);
    canvas.LineTo(c[0], c[1] + dy);
  }
  const long double scale = size_->Zoom() * (ScreenPixelsPerInch() / 254.0L) / 100;
  frame_.PaintFrame(canvas, QRect(origin, QSize(w - 1, h - 1)), scale, scale);
}

bool TQRPrintable::ReadProperty(const QString& name, const TDesignValue& value,
                                TDesignReader& reader) {
  if (name == QLatin1String("Size.Values"))
    return size_->ReadProperty(QStringLiteral("Values"), value, reader);
  if (name.startsWith(QLatin1String("Frame.")) && frame_.ReadProperty(name.mid(6), value))
    return true;
  if (name == QLatin1String("Alignment")) {
    SetAlignment(AsEnum<TAlignment>(value, AlignmentNames()));
  } else if (name == QLatin1String("AlignToBand")) {
    SetAlignToBand(AsBoolean(value));
  } else if (name == QLatin1String("Transparent")) {
    SetTransparent(AsBoolean(value));
  } else {
    return TQRControl::ReadProperty(name, value, reader);
  }
  return true;
}
