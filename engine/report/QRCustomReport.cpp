#include "QRCustomReport.h"

#include <QFont>
#include <QGuiApplication>
#include <QLocale>
#include <algorithm>
#include <climits>
#include <cstdint>

#include "CurrentPrinterPaper.h"
#include "DesignReader.h"
#include "QRBand.h"
#include "QRChildBand.h"
#include "QRController.h"
#include "QRPrintable.h"
#include "QRRound.h"
#include "QRRuler.h"
#include "ReferenceCanvas.h"

namespace {
constexpr QRgb kMarginColor = 0xFF7F8FBF;
constexpr QRgb kColumnColor = 0xFF9FAFCF;

const QStringList& UnitNames() {
  static const QStringList names{QStringLiteral("MM"), QStringLiteral("Inches"),
                                 QStringLiteral("Pixels"), QStringLiteral("Characters"),
                                 QStringLiteral("Native")};
  return names;
}

int ClampToInt(std::int64_t value) {
  return int(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX));
}

bool FullWidthType(TQRBandType type) {
  return type == rbTitle || type == rbPageHeader || type == rbPageFooter || type == rbSummary ||
         type == rbOverlay;
}

// The report font: Arial 10, except under a Japanese locale, where the
// toolkit's own font stays.
TFontSpec DefaultReportFont() {
  TFontSpec font;
  if (QLocale().language() == QLocale::Japanese &&
      qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
    font.face = QGuiApplication::font().family();
    if (QGuiApplication::font().pointSizeF() > 0)
      font.pointSize = QGuiApplication::font().pointSizeF();
  }
  return font;
}
}  // namespace

TQRCustomReport::TQRCustomReport(TQRComponent* owner)
    : TQRBasePanel(owner),
      page_(std::make_unique<TQRPage>()),
      controller_(std::make_unique<TQRCustomController>(this)),
      bands_(this),
      units_(LocaleDefaultUnits()) {
  SetColor(0xFFFFFFFF);
  SetFont(DefaultReportFont());
  referenceDevice_ = CreateReferenceCanvas();
  page_->SetParentReport(this);
  page_->SetUnits(units_);
  ApplyLocaleDefaults();
  FindNamedValues();
  // The current printer's paper, as a printer made for the moment reads it.
  page_->SetPaperSize(CurrentPrinterPaperSize());
}

TQRCustomReport::~TQRCustomReport() {
  BeginDestroy();
  // Bands and elements go while the report is whole; they see it destroying.
  DestroyControls();
  DestroyComponents();
  bandList_.clear();
}

void TQRCustomReport::ApplyLocaleDefaults() {
  const bool us = units_ == TQRUnit::Inches;
  page_->SetPaperSize(us ? TQRPaperSize::Letter : TQRPaperSize::A4);
  TUnitsScope units(*page_, us ? TQRUnit::Inches : TQRUnit::MM);
  const long double margin = us ? 0.5L : 10.0L;
  page_->SetTopMargin(margin);
  page_->SetBottomMargin(margin);
  page_->SetLeftMargin(margin);
  page_->SetRightMargin(margin);
  page_->SetColumnSpace(0);
}

void TQRCustomReport::FindNamedValues() {
  PageNumber = functions_.Find(QStringLiteral("PAGENUMBER"));
  ColumnNumber = functions_.Find(QStringLiteral("COLUMNNUMBER"));
  ReportTitleValue = functions_.Find(QStringLiteral("REPORTTITLE"));
}

void TQRCustomReport::ReplaceController(std::unique_ptr<TQRCustomController> controller) {
  controller_ = std::move(controller);
}

void TQRCustomReport::SetUnits(TQRUnit units) {
  units_ = units;
  page_->SetUnits(units);
  for (TQRCustomBand* band : bandList_) band->SetUnits(units);
  for (TQRControl* control : Controls())
    if (auto* element = dynamic_cast<TQRPrintable*>(control)) element->Size().SetUnits(units);
}

void TQRCustomReport::SetZoom(int zoom) {
  if (zoom <= 0 || zoom > 300) return;
  TQRBasePanel::SetZoom(zoom);
  for (TQRControl* control : Controls()) {
    if (auto* element = dynamic_cast<TQRPrintable*>(control))
      element->SetZoom(zoom);
    else if (auto* band = dynamic_cast<TQRCustomBand*>(control))
      band->SetZoom(zoom);
  }
  page_->SetZoom(zoom);
  page_->ResizeOwner();
  LayoutBands();
}

void TQRCustomReport::AttachBand(TQRCustomBand* band) {
  if (band == nullptr) return;
  if (std::find(bandList_.begin(), bandList_.end(), band) == bandList_.end())
    bandList_.push_back(band);
  RebuildBandOrder();
  LayoutBands();
}

void TQRCustomReport::DetachBand(TQRCustomBand* band) {
  // Even while the report goes, a freed band leaves the list: the bands
  // still to go walk it to forget the ones they linked to.
  controller_->ForgetBand(band);
  auto it = std::find(bandList_.begin(), bandList_.end(), band);
  if (it != bandList_.end()) bandList_.erase(it);
  if (Destroying()) return;
  RebuildBandOrder();
  LayoutBands();
}

void TQRCustomReport::RebuildBandOrder() {
  // While a design loads the bands stay in the order they arrive; the
  // loaded step puts them in order.
  if (Loading()) return;
  controller_->SetBands(FindBandOfType(rbTitle), FindBandOfType(rbDetail),
                        FindBandOfType(rbSummary));
  controller_->BuildTree();

  std::vector<TQRCustomBand*> ordered;
  ordered.reserve(bandList_.size());
  // A band brings its chain of child bands directly after it.
  auto add = [this, &ordered](TQRCustomBand* band) {
    while (band != nullptr && !band->Destroying() &&
           std::find(ordered.begin(), ordered.end(), band) == ordered.end()) {
      ordered.push_back(band);
      band = ChildOf(band);
    }
  };
  const std::vector<TQRCustomBand*>& old = bandList_;
  for (TQRBandType type : {rbPageHeader, rbTitle, rbColumnHeader})
    for (TQRCustomBand* band : old)
      if (band->BandType() == type) add(band);
  for (TQRCustomBand* band : controller_->BandsInOrder()) add(band);
  for (TQRCustomBand* band : old)
    if (band->BandType() == rbPageFooter) add(band);
  for (TQRCustomBand* band : old) add(band);
  bandList_ = std::move(ordered);
}

void TQRCustomReport::LayoutBands() {
  if (page_ == nullptr || Destroying() || Loading()) return;
  TUnitsScope pixels(*page_, TQRUnit::Pixels);
  // Sums in 64 bits: absurd margins, gaps or column counts must not wrap.
  const std::int64_t fullWidth = std::max<std::int64_t>(
      0, std::int64_t(Width()) - QRRound(page_->LeftMargin() + page_->RightMargin()));
  const std::int64_t columns = page_->Columns();
  const std::int64_t columnWidth = std::max<std::int64_t>(
      0, (fullWidth - std::int64_t(QRRound(page_->ColumnSpace())) * (columns - 1)) / columns);
  const int left = QRRound(page_->LeftMargin());
  std::int64_t y = QRRound(page_->TopMargin());
  const std::vector<TQRCustomBand*> bands = bandList_;
  for (TQRCustomBand* band : bands) {
    if (band == nullptr || band->Destroying()) continue;
    const std::int64_t width = FullWidthType(band->EffectiveBandType()) ? fullWidth : columnWidth;
    band->LayoutAt(left, ClampToInt(y), ClampToInt(width));
    y += band->Height();
  }
}

TQRCustomBand* TQRCustomReport::FindBandOfType(TQRBandType type) const {
  for (TQRCustomBand* band : bandList_)
    if (band->BandType() == type) return band;
  return nullptr;
}

TQRCustomBand* TQRCustomReport::CreateBandOfType(TQRBandType type) {
  TQRComponent* owner = Owner() != nullptr ? Owner() : this;
  auto* band = new TQRBand(owner);
  band->SetBandType(type);
  const QString base = band->BandComponentBaseName();
  for (int n = 1;; ++n) {
    const QString name = base + QString::number(n);
    if (owner->FindComponent(name) == nullptr) {
      band->SetName(name);
      break;
    }
  }
  band->SetParent(this);
  return band;
}

TQRChildBand* TQRCustomReport::ChildOf(const TQRCustomBand* band) const {
  if (band == nullptr) return nullptr;
  for (TQRCustomBand* b : bandList_)
    if (auto* child = dynamic_cast<TQRChildBand*>(b); child && child->ParentBand() == band)
      return child;
  return nullptr;
}

int TQRCustomReport::MeasureHeight(const TFontSpec& font, const QString&) {
  if (referenceDevice_ == nullptr) return 0;
  referenceDevice_->SelectFont(font);
  const QSize extent = referenceDevice_->TextExtent(QStringLiteral("A"));
  referenceDevice_->SelectFont(referenceFont_);
  return extent.height() > 0 ? extent.height() : 0;
}

int TQRCustomReport::MeasureWidth(const TFontSpec& font, const QString& text) {
  if (referenceDevice_ == nullptr) return 0;
  referenceDevice_->SelectFont(font);
  const QSize extent = referenceDevice_->TextExtent(text);
  referenceDevice_->SelectFont(referenceFont_);
  return extent.width() >= 0 ? extent.width() + 1 : 0;
}

void TQRCustomReport::Loaded() {
  TQRBasePanel::Loaded();
  page_->Loaded();
  // The page decides the report's pixel size, whatever pixels the design gave.
  page_->ResizeOwner();
  FindNamedValues();
  RebuildBandOrder();
  LayoutBands();
}

QRect TQRCustomReport::MarginRect(QPoint origin) const {
  const TQRPage& page = *page_;
  const int left = page.RoundedPixels(TQRPage::kLeftMargin, TQRDirection::Horizontal);
  const int top = page.RoundedPixels(TQRPage::kTopMargin, TQRDirection::Vertical);
  const int right = Width() - page.RoundedPixels(TQRPage::kRightMargin, TQRDirection::Horizontal);
  const int bottom = Height() - page.RoundedPixels(TQRPage::kBottomMargin, TQRDirection::Vertical);
  return QRect(origin.x() + left, origin.y() + top, std::max(0, right - left),
               std::max(0, bottom - top));
}

void TQRCustomReport::Paint(TCanvas& canvas, QPoint origin) {
  canvas.SetBrush(PaintColor(), TBrushStyle::bsSolid);
  canvas.FillRect(QRect(origin, QSize(Width(), Height())));
  if (page_->Ruler()) PaintRuler(canvas, origin, units_);
  for (TQRCustomBand* band : bandList_)
    band->Paint(canvas, origin + QPoint(band->Left(), band->Top()));
  for (TQRControl* control : Controls())
    if (dynamic_cast<TQRPrintable*>(control) != nullptr)
      control->Paint(canvas, origin + QPoint(control->Left(), control->Top()));
  PaintMarginRect(canvas, origin);
  PaintFrame(canvas, origin);
  if (page_->Columns() > 1) PaintColumns(canvas, origin);
  ClearNeedsRepaint();
}

void TQRCustomReport::PaintRuler(TCanvas& canvas, QPoint origin, TQRUnit unit) {
  PaintRulerGrid(canvas, QRect(origin, QSize(Width(), Height())), *page_, unit,
                 TRulerStyle{true, RulerFontSize()});
}

void TQRCustomReport::PaintMarginRect(TCanvas& canvas, QPoint origin) {
  const QRect margins = MarginRect(origin);
  canvas.SetPen(kMarginColor, 1, TPenStyle::psDash);
  canvas.SetBrush(0xFFFFFFFF, TBrushStyle::bsClear);
  // One pixel outside the printable area, so the bands' own borders stay visible.
  canvas.Rectangle(margins.adjusted(-1, -1, 1, 1));
}

void TQRCustomReport::PaintFrame(TCanvas& canvas, QPoint origin) {
  Frame().PaintFrame(canvas, MarginRect(origin), ScreenScale(), ScreenScale());
}

void TQRCustomReport::PaintColumns(TCanvas& canvas, QPoint origin) {
  const QRect margins = MarginRect(origin);
  const int columns = page_->Columns();
  const int space = page_->RoundedPixels(TQRPage::kColumnSpace, TQRDirection::Horizontal);
  const int columnWidth = std::max(0, (margins.width() - space * (columns - 1)) / columns);
  canvas.SetPen(kColumnColor, 1, TPenStyle::psDot);
  for (int i = 1; i < columns; ++i) {
    const int end = margins.left() + i * columnWidth + (i - 1) * space;
    for (int x : {end, end + space}) {
      canvas.MoveTo(x, margins.top());
      canvas.LineTo(x, margins.top() + margins.height());
      if (space == 0) break;
    }
  }
}

bool TQRCustomReport::ReadProperty(const QString& name, const TDesignValue& value,
                                   TDesignReader& reader) {
  if (name.startsWith(QLatin1String("Page.")))
    return page_->ReadProperty(name.mid(5), value, reader);
  if (name.startsWith(QLatin1String("PrinterSettings.")))
    return printerSettings_.ReadProperty(name.mid(16), value);
  if (name.startsWith(QLatin1String("Functions.")))
    return functions_.ReadProperty(name.mid(10), value);
  if (name == QLatin1String("Units")) {
    SetUnits(AsEnum<TQRUnit>(value, UnitNames()));
  } else if (name == QLatin1String("Zoom")) {
    const int zoom = AsInteger(value);
    if (zoom < 1 || zoom > 300)
      throw EDesignError(value.Line(), QStringLiteral("Zoom must be from 1 to 300"));
    SetZoom(zoom);
  } else if (name == QLatin1String("Options")) {
    TQRReportOptions options;
    AsIdentifierSet(value);  // a set of names, nothing else
    for (const TDesignValue& item : value.Items())
      options.Include(AsEnum<TQRReportOption>(item, ReportOptionNames()));
    SetOptions(options);
  } else if (name == QLatin1String("PrintIfEmpty")) {
    SetPrintIfEmpty(AsBoolean(value));
  } else if (name == QLatin1String("ShowProgress")) {
    SetShowProgress(AsBoolean(value));
  } else if (name == QLatin1String("SnapToGrid")) {
    SetSnapToGrid(AsBoolean(value));
  } else if (name == QLatin1String("ReportTitle")) {
    SetReportTitle(AsString(value));
  } else if (name == QLatin1String("Description")) {
    description_ = AsStrings(value);
  } else if (name == QLatin1String("AfterPrint")) {
    AfterPrint = reader.Method<TQRAfterPrintEvent>(value);
  } else if (name == QLatin1String("AfterPreview")) {
    AfterPreview = reader.Method<TQRAfterPreviewEvent>(value);
  } else if (name == QLatin1String("BeforePrint")) {
    BeforePrint = reader.Method<TQRReportBeforePrintEvent>(value);
  } else if (name == QLatin1String("OnEndPage")) {
    OnEndPage = reader.Method<TQRNotifyEvent>(value);
  } else if (name == QLatin1String("OnNeedData")) {
    OnNeedData = reader.Method<TQROnNeedDataEvent>(value);
  } else if (name == QLatin1String("OnPreview")) {
    OnPreview = reader.Method<TQRPreviewEvent>(value);
  } else if (name == QLatin1String("OnStartPage")) {
    OnStartPage = reader.Method<TQRNotifyEvent>(value);
  } else {
    return TQRBasePanel::ReadProperty(name, value, reader);
  }
  return true;
}
