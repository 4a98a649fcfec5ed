#pragma once
// Kinds and buttons of the message dialogs. Values are fixed: a kind is its
// position in TMsgDlgType, a button's code is its bit in TMsgDlgButtons.

#include <cstdint>
#include <initializer_list>
#include <vector>

enum class TMsgDlgType { Plain = 0, Information = 1, Warning = 2, Error = 3, Confirmation = 4 };

enum class TMsgDlgBtn { OK = 1, Cancel = 2, Yes = 3, No = 4, Abort = 5, Retry = 6, Ignore = 7 };

class TMsgDlgButtons {
 public:
  constexpr TMsgDlgButtons() = default;
  constexpr TMsgDlgButtons(std::initializer_list<TMsgDlgBtn> buttons) {
    for (TMsgDlgBtn b : buttons) bits_ |= Bit(b);
  }
  constexpr bool Contains(TMsgDlgBtn b) const { return (bits_ & Bit(b)) != 0; }
  constexpr std::uint32_t Bits() const { return bits_; }
  constexpr bool operator==(const TMsgDlgButtons&) const = default;

  // The buttons as shown, left to right.
  std::vector<TMsgDlgBtn> InShownOrder() const;

 private:
  static constexpr std::uint32_t Bit(TMsgDlgBtn b) { return 1u << static_cast<int>(b); }
  std::uint32_t bits_ = 0;
};

// Result of a message dialog: the chosen button's code, or this when nothing
// was shown or the dialog was closed without a button.
inline constexpr int kNoDialogResult = -1;
