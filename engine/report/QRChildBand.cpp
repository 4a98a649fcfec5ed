#include "QRChildBand.h"

#include "DesignReader.h"
#include "QRCustomReport.h"

TQRChildBand::TQRChildBand(TQRComponent* owner) : TQRCustomBand(owner) { SetBandType(rbChild); }

void TQRChildBand::SetParentBand(TQRCustomBand* band) {
  if (band == parentBand_) return;
  TQRCustomReport* report = ParentReport();
  if (report == nullptr) return;
  for (const TQRCustomBand* b = band; b != nullptr;) {
    if (b == this) {
      if (Designing()) ShowDesignNotice(QStringLiteral("Circular linking not allowed"));
      return;
    }
    const auto* child = dynamic_cast<const TQRChildBand*>(b);
    b = child != nullptr ? child->parentBand_ : nullptr;
  }
  parentBand_ = band;
  if (!report->Destroying()) {
    report->RebuildBandOrder();
    report->LayoutBands();
  }
}

void TQRChildBand::ForgetBand(const TQRComponent* band) {
  TQRCustomBand::ForgetBand(band);
  if (parentBand_ == band) parentBand_ = nullptr;
}

bool TQRChildBand::ReadProperty(const QString& name, const TDesignValue& value,
                                TDesignReader& reader) {
  if (name != QLatin1String("ParentBand")) return TQRCustomBand::ReadProperty(name, value, reader);
  const int line = value.Line();
  reader.Reference(value, [this, line](TQRComponent* target) {
    auto* band = dynamic_cast<TQRCustomBand*>(target);
    if (band == nullptr)
      throw EDesignError(line, QStringLiteral("ParentBand %1 is not a band").arg(target->Name()));
    SetParentBand(band);
    if (parentBand_ != band)
      throw EDesignError(line, QStringLiteral("ParentBand %1 refused: the band is not on a report "
                                              "or the chain comes back to it")
                                   .arg(target->Name()));
  });
  return true;
}
