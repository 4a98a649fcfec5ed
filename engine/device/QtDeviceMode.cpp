#include "QtDeviceMode.h"

#include <QPageLayout>
#include <QPrinter>

#include <algorithm>
#include <cmath>
#include <limits>

#include "QtPaperCodes.h"

namespace {

constexpr std::int16_t kUserDefinedPaper = 256;

// Bin codes 1..11 follow Qt's sources in order; cassette is 14, form 15.
std::int16_t BinCodeForSource(QPrinter::PaperSource source) {
  if (source == QPrinter::Cassette) return 14;
  if (source == QPrinter::FormSource) return 15;
  if (source <= QPrinter::LargeCapacity) return static_cast<std::int16_t>(source + 1);
  return 7;  // automatic
}

std::optional<QPrinter::PaperSource> SourceForBinCode(std::int16_t code) {
  const int bin = code & 0xFF;  // 256 marks a user-defined bin
  if (bin >= 1 && bin <= 11) return static_cast<QPrinter::PaperSource>(bin - 1);
  if (bin == 14) return QPrinter::Cassette;
  if (bin == 15) return QPrinter::FormSource;
  return std::nullopt;
}

std::int16_t DuplexCode(QPrinter::DuplexMode mode) {
  switch (mode) {
    case QPrinter::DuplexNone: return DMDUP_SIMPLEX;
    case QPrinter::DuplexShortSide: return DMDUP_HORIZONTAL;
    default: return DMDUP_VERTICAL;  // long side, or the printer's own choice
  }
}

QPrinter::DuplexMode DuplexForCode(std::int16_t code) {
  if (code == DMDUP_VERTICAL) return QPrinter::DuplexLongSide;
  if (code == DMDUP_HORIZONTAL) return QPrinter::DuplexShortSide;
  return QPrinter::DuplexNone;
}

std::int16_t Tenths(qreal mm) {
  const double t = std::nearbyint(mm * 10);
  return static_cast<std::int16_t>(std::clamp(t, 0.0, double(std::numeric_limits<std::int16_t>::max())));
}

void ApplyPaper(QPrinter& printer, const TDeviceMode& mode, std::uint32_t fields) {
  const QSizeF current = printer.pageLayout().pageSize().size(QPageSize::Millimeter);
  const bool byDimensions = (fields & (DM_PAPERLENGTH | DM_PAPERWIDTH)) &&
                            (!(fields & DM_PAPERSIZE) || mode.paperSize == kUserDefinedPaper);
  std::optional<QPageSize> size;
  if (byDimensions) {
    const int width = (fields & DM_PAPERWIDTH) ? mode.paperWidth : Tenths(current.width());
    const int length = (fields & DM_PAPERLENGTH) ? mode.paperLength : Tenths(current.height());
    size = PageSizeForPaperCode(kUserDefinedPaper, width, length);
  } else if (fields & DM_PAPERSIZE) {
    size = PageSizeForPaperCode(mode.paperSize, mode.paperWidth, mode.paperLength);
  }
  // A driver keeps its paper when asked for one it cannot name.
  if (size) printer.setPageSize(*size);
}

}  // namespace

TDeviceMode ReadDeviceMode(const QPrinter& printer, std::uint32_t supported) {
  TDeviceMode mode;
  mode.fields = supported;
  const QPageLayout layout = printer.pageLayout();
  mode.orientation = layout.orientation() == QPageLayout::Landscape ? DMORIENT_LANDSCAPE
                                                                    : DMORIENT_PORTRAIT;
  const QPageSize size = layout.pageSize();
  const std::int16_t code = PaperCodeForPageSize(size);
  mode.paperSize = code ? code : kUserDefinedPaper;
  const QSizeF mm = size.size(QPageSize::Millimeter);  // portrait
  mode.paperWidth = Tenths(mm.width());
  mode.paperLength = Tenths(mm.height());
  mode.copies = static_cast<std::int16_t>(std::clamp(printer.copyCount(), 1, 32767));
  mode.defaultSource = BinCodeForSource(printer.paperSource());
  mode.duplex = DuplexCode(printer.duplex());
  return mode;
}

void ApplyDeviceMode(QPrinter& printer, const TDeviceMode& mode, std::uint32_t supported) {
  const std::uint32_t fields = mode.fields & supported;
  ApplyPaper(printer, mode, fields);
  if (fields & DM_ORIENTATION) {
    printer.setPageOrientation(mode.orientation == DMORIENT_LANDSCAPE ? QPageLayout::Landscape
                                                                      : QPageLayout::Portrait);
  }
  if (fields & DM_COPIES) printer.setCopyCount(std::max<int>(1, mode.copies));
  if (fields & DM_DEFAULTSOURCE) {
    if (auto source = SourceForBinCode(mode.defaultSource)) printer.setPaperSource(*source);
  }
  if (fields & DM_DUPLEX) printer.setDuplex(DuplexForCode(mode.duplex));
}
