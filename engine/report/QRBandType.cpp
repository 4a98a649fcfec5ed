#include "QRBandType.h"

#include <array>

namespace {
struct TBandTypeTexts {
  const char* name;
  const char* caption;
  const char* componentBase;
};
constexpr std::array<TBandTypeTexts, kBandTypeCount> kTexts{{
    {"rbTitle", "Title", "TitleBand"},
    {"rbPageHeader", "Page Header", "PageHeaderBand"},
    {"rbDetail", "Detail", "DetailBand"},
    {"rbPageFooter", "Page Footer", "PageFooterBand"},
    {"rbSummary", "Summary", "SummaryBand"},
    {"rbGroupHeader", "Group Header", "GroupHeaderBand"},
    {"rbGroupFooter", "Group Footer", "GroupFooterBand"},
    {"rbSubDetail", "Sub Detail", "SubDetailBand"},
    {"rbColumnHeader", "Column Header", "ColumnHeaderBand"},
    {"rbOverlay", "Overlay", "OverlayBand"},
    {"rbChild", "Child", "ChildBand"},
}};

const TBandTypeTexts& Texts(TQRBandType type) {
  const int i = int(type);
  return kTexts[std::size_t(i >= 0 && i < kBandTypeCount ? i : int(rbChild))];
}
}  // namespace

QString BandTypeCaption(TQRBandType type) { return QString::fromLatin1(Texts(type).caption); }

QString BandTypeComponentBase(TQRBandType type) {
  return QString::fromLatin1(Texts(type).componentBase);
}

const QStringList& BandTypeNames() {
  static const QStringList names = [] {
    QStringList list;
    for (const TBandTypeTexts& t : kTexts) list.append(QString::fromLatin1(t.name));
    return list;
  }();
  return names;
}
