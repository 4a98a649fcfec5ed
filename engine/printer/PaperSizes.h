#pragma once
// Paper sizes and paper sources as the report and the printer settings name
// them, with the driver codes each stands for and the portrait dimensions of
// every standard size. Report page setup and printer settings read the same
// table, so a page and the paper it is printed on always agree.

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>

enum class TQRPaperSize : std::uint8_t {
  Default, Letter, LetterSmall, Tabloid, Ledger, Legal, Statement, Executive,
  A3, A4, A4Small, A5, B4, B5, Folio, Quarto, qr10X14, qr11X17, Note,
  Env9, Env10, Env11, Env12, Env14, CSheet, DSheet, ESheet, Custom,
};
inline constexpr int kPaperSizeCount = 28;

enum class TQRBin : std::uint8_t {
  First, Upper, Lower, Middle, Manual, Envelope, EnvManual, Auto, Tractor,
  SmallFormat, LargeFormat, LargeCapacity, Cassette, Last,
};
inline constexpr int kBinCount = 14;

// Portrait dimensions of a standard paper size, millimetres.
struct TPaperDimensions {
  double widthMm;
  double lengthMm;
};

namespace paper_detail {
// Indexed by TQRPaperSize; Default and Custom have no dimensions of their own.
inline constexpr std::array<TPaperDimensions, kPaperSizeCount> kTable{{
    {0, 0},           // Default
    {215.9, 279.4},   // Letter
    {215.9, 279.4},   // LetterSmall
    {279.4, 431.8},   // Tabloid
    {431.8, 279.4},   // Ledger: wider than long, as drivers list it
    {215.9, 355.6},   // Legal
    {139.7, 215.9},   // Statement
    {190.5, 254.0},   // Executive
    {297.0, 420.0},   // A3
    {210.0, 297.0},   // A4
    {210.0, 297.0},   // A4Small
    {148.0, 210.0},   // A5
    {250.0, 354.0},   // B4
    {182.0, 257.0},   // B5
    {215.9, 330.2},   // Folio
    {215.0, 275.0},   // Quarto
    {254.0, 355.6},   // qr10X14
    {279.4, 431.8},   // qr11X17
    {215.9, 279.0},   // Note: 279.0, not Letter's 279.4
    {98.43, 225.4},   // Env9
    {104.8, 241.3},   // Env10
    {114.3, 263.5},   // Env11
    {101.6, 279.4},   // Env12
    {127.0, 292.1},   // Env14
    {100.0, 100.0},   // CSheet: the sheets carry 100 by 100
    {100.0, 100.0},   // DSheet
    {100.0, 100.0},   // ESheet
    {0, 0},           // Custom
}};

inline constexpr std::array<std::int16_t, kBinCount> kBinCodes{
    1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 14, 14};
}  // namespace paper_detail

inline constexpr std::int16_t kUserDefinedPaperCode = 256;

// True for the sizes with a row in the table (Letter to ESheet).
constexpr bool IsStandardPaperSize(TQRPaperSize size) {
  return size != TQRPaperSize::Default && size != TQRPaperSize::Custom;
}

// Portrait dimensions in millimetres; no value for Default and Custom.
constexpr std::optional<TPaperDimensions> PaperDimensions(TQRPaperSize size) {
  if (!IsStandardPaperSize(size)) return std::nullopt;
  return paper_detail::kTable[static_cast<std::size_t>(size)];
}

// Portrait dimensions in tenths of a millimetre, rounded half to even;
// 0 for Default and Custom.
inline int PaperWidthTenths(TQRPaperSize size) {
  auto d = PaperDimensions(size);
  return d ? static_cast<int>(std::nearbyint(d->widthMm * 10)) : 0;
}
inline int PaperLengthTenths(TQRPaperSize size) {
  auto d = PaperDimensions(size);
  return d ? static_cast<int>(std::nearbyint(d->lengthMm * 10)) : 0;
}

// Driver paper code: Default 0, Letter..ESheet 1..26, Custom 256.
constexpr std::int16_t PaperCode(TQRPaperSize size) {
  return size == TQRPaperSize::Custom ? kUserDefinedPaperCode
                                      : static_cast<std::int16_t>(size);
}

// The first size in enumeration order carrying `code`; none outside the table.
constexpr std::optional<TQRPaperSize> PaperSizeFromCode(std::int16_t code) {
  for (int i = 0; i < kPaperSizeCount; ++i) {
    auto size = static_cast<TQRPaperSize>(i);
    if (PaperCode(size) == code) return size;
  }
  return std::nullopt;
}

// Driver bin code (First and Upper 1 ... Cassette and Last 14).
constexpr std::int16_t BinCode(TQRBin bin) {
  return paper_detail::kBinCodes[static_cast<std::size_t>(bin)];
}

// The first bin in enumeration order carrying `code`, so 1 reads as First and
// 14 as Cassette; none for a code no bin carries.
constexpr std::optional<TQRBin> BinFromCode(std::int16_t code) {
  for (int i = 0; i < kBinCount; ++i) {
    if (paper_detail::kBinCodes[static_cast<std::size_t>(i)] == code) return static_cast<TQRBin>(i);
  }
  return std::nullopt;
}

static_assert(PaperCode(TQRPaperSize::ESheet) == 26);
static_assert(*PaperSizeFromCode(18) == TQRPaperSize::Note);
static_assert(*BinFromCode(14) == TQRBin::Cassette);
