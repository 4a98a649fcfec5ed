#pragma once
// The report options, a set drawn from three values in this order.

#include <QStringList>

#include <cstdint>

enum class TQRReportOption : std::uint8_t { FirstPageHeader, LastPageFooter, Compression };

class TQRReportOptions {
 public:
  constexpr TQRReportOptions() = default;
  constexpr TQRReportOptions(std::initializer_list<TQRReportOption> options) {
    for (TQRReportOption o : options) Include(o);
  }
  constexpr bool Contains(TQRReportOption o) const { return (bits_ & Bit(o)) != 0; }
  constexpr void Include(TQRReportOption o) { bits_ |= Bit(o); }
  constexpr void Exclude(TQRReportOption o) { bits_ &= std::uint8_t(~Bit(o)); }
  constexpr bool operator==(const TQRReportOptions&) const = default;

 private:
  static constexpr std::uint8_t Bit(TQRReportOption o) { return std::uint8_t(1u << unsigned(o)); }
  std::uint8_t bits_ = 0;
};

inline const QStringList& ReportOptionNames() {
  static const QStringList names{QStringLiteral("FirstPageHeader"),
                                 QStringLiteral("LastPageFooter"), QStringLiteral("Compression")};
  return names;
}
