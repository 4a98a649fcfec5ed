#include "QRPage.h"

#include <QStringList>
#include <cmath>

#include "DesignValue.h"
#include "QRCustomReport.h"

const QStringList& PaperSizeNames() {
  static const QStringList names =
      QStringLiteral(
          "Default Letter LetterSmall Tabloid Ledger Legal Statement Executive A3 A4 A4Small A5 B4 "
          "B5 Folio Quarto qr10X14 qr11X17 Note Env9 Env10 Env11 Env12 Env14 CSheet DSheet ESheet "
          "Custom")
          .split(QLatin1Char(' '));
  return names;
}

const QStringList& OrientationNames() {
  static const QStringList names{QStringLiteral("poPortrait"), QStringLiteral("poLandscape")};
  return names;
}

TQRPage::TQRPage() : TQRUnitBase(kValueCount) {}

void TQRPage::LayoutReport() {
  if (ParentReport() != nullptr) ParentReport()->LayoutBands();
}

void TQRPage::RepaintReport() {
  if (ParentReport() != nullptr) ParentReport()->Invalidate();
}

void TQRPage::SetUnits(TQRUnit units) {
  TQRUnitBase::SetUnits(units);
  RepaintReport();
}

void TQRPage::SetBottomMargin(long double value) {
  Put(kBottomMargin, TQRDirection::Vertical, value);
  ResizeOwner();
  LayoutReport();
}

void TQRPage::SetLength(long double value) {
  if (paperSize_ != TQRPaperSize::Custom) return;
  Put(kLength, TQRDirection::Vertical, value);
  ResizeOwner();
  LayoutReport();
}

void TQRPage::SetWidth(long double value) {
  if (paperSize_ != TQRPaperSize::Custom) return;
  Put(kWidth, TQRDirection::Horizontal, value);
  ResizeOwner();
  LayoutReport();
}

void TQRPage::SetTopMargin(long double value) {
  Put(kTopMargin, TQRDirection::Vertical, value);
  LayoutReport();
  RepaintReport();
}

void TQRPage::SetLeftMargin(long double value) {
  Put(kLeftMargin, TQRDirection::Horizontal, value);
  LayoutReport();
  RepaintReport();
}

void TQRPage::SetRightMargin(long double value) {
  Put(kRightMargin, TQRDirection::Horizontal, value);
  LayoutReport();
  RepaintReport();
}

void TQRPage::SetColumnSpace(long double value) {
  Put(kColumnSpace, TQRDirection::Horizontal, value);
  LayoutReport();
  RepaintReport();
}

void TQRPage::SetColumns(int columns) {
  if (columns <= 0 || columns == columns_) return;
  columns_ = columns;
  LayoutReport();
  RepaintReport();
}

void TQRPage::SetOrientation(TPrinterOrientation orientation) {
  orientation_ = orientation;
  SetPaperSize(paperSize_);
}

void TQRPage::SetPaperSize(TQRPaperSize paperSize) {
  if (const auto size = PaperDimensions(paperSize)) {
    SwitchToPixels();
    SetUnits(TQRUnit::MM);
    paperSize_ = TQRPaperSize::Custom;  // for a moment, so that the setters accept
    // The table's millimetres to the nearest hundredth, as it lists them.
    const long double widthMm = std::nearbyint(size->widthMm * 100) / 100.0L;
    const long double lengthMm = std::nearbyint(size->lengthMm * 100) / 100.0L;
    const bool landscape = orientation_ == TPrinterOrientation::poLandscape;
    SetWidth(landscape ? lengthMm : widthMm);
    SetLength(landscape ? widthMm : lengthMm);
    RestoreUnits();
    LayoutReport();
  }
  paperSize_ = paperSize;
}

void TQRPage::ResizeOwner() {
  TQRCustomReport* report = ParentReport();
  if (report == nullptr || UpdatingOwner()) return;
  TUpdatingOwner updating(*this);
  report->SetBounds(report->Left(), report->Top(), RoundedPixels(kWidth, TQRDirection::Horizontal),
                    RoundedPixels(kLength, TQRDirection::Vertical));
}

void TQRPage::ReadValues(const std::vector<long double>& values) {
  TQRUnitBase::ReadValues(values);
  ResizeOwner();
  LayoutReport();
}

bool TQRPage::ReadProperty(const QString& name, const TDesignValue& value, TDesignReader& reader) {
  if (name == QLatin1String("Columns")) {
    const int columns = AsInteger(value);
    if (columns < 1) throw EDesignError(value.Line(), QStringLiteral("Columns must be at least 1"));
    SetColumns(columns);
  } else if (name == QLatin1String("Orientation")) {
    SetOrientation(AsEnum<TPrinterOrientation>(value, OrientationNames()));
  } else if (name == QLatin1String("PaperSize")) {
    SetPaperSize(AsEnum<TQRPaperSize>(value, PaperSizeNames()));
  } else if (name == QLatin1String("Ruler")) {
    SetRuler(AsBoolean(value));
  } else {
    return TQRUnitBase::ReadProperty(name, value, reader);
  }
  return true;
}
