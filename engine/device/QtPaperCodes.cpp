#include "QtPaperCodes.h"

#include <QSizeF>

#include "DeviceMode.h"

namespace {
constexpr std::int16_t kFolio = 14;           // 8.5 x 13 in, which Qt files as fan-fold legal
constexpr std::int16_t kUserDefined = 256;
}  // namespace

std::optional<QPageSize> PageSizeForPaperCode(std::int16_t code, int widthTenths, int lengthTenths) {
  if (code == kUserDefined) {
    if (widthTenths <= 0 || lengthTenths <= 0) return std::nullopt;
    return QPageSize(QSizeF(widthTenths / 10.0, lengthTenths / 10.0), QPageSize::Millimeter,
                     QString(), QPageSize::ExactMatch);
  }
  if (code == kFolio) return QPageSize(QPageSize::FanFoldGermanLegal);
  if (code <= 0) return std::nullopt;
  const QPageSize::PageSizeId id = QPageSize::id(code);
  if (id == QPageSize::Custom) return std::nullopt;
  return QPageSize(id);
}

std::int16_t PaperCodeForPageSize(const QPageSize& size) {
  if (!size.isValid()) return 0;
  if (size.id() == QPageSize::FanFoldGermanLegal) return kFolio;
  const int code = size.windowsId();
  // Qt answers 256 for sizes without a driver code of their own.
  return code > 0 && code < kUserDefined ? static_cast<std::int16_t>(code) : 0;
}
