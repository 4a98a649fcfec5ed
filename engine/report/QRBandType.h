#pragma once
// The kinds of band, with the caption the on-screen layout shows and the
// base of the names the engine gives the bands it creates.

#include <QString>
#include <QStringList>

enum TQRBandType : int {
  rbTitle = 0,
  rbPageHeader = 1,
  rbDetail = 2,
  rbPageFooter = 3,
  rbSummary = 4,
  rbGroupHeader = 5,
  rbGroupFooter = 6,
  rbSubDetail = 7,
  rbColumnHeader = 8,
  rbOverlay = 9,
  rbChild = 10,
};
inline constexpr int kBandTypeCount = 11;

QString BandTypeCaption(TQRBandType type);        // "Summary"
QString BandTypeComponentBase(TQRBandType type);  // "SummaryBand"
// rbTitle ... rbChild in their order, as designs write them.
const QStringList& BandTypeNames();
