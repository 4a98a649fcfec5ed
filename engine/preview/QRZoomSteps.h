#pragma once
// The zoom steps that Ctrl+wheel, Ctrl+plus and Ctrl+minus go through, and
// the zoom box's reading of a typed percentage.

#include <QString>
#include <array>
#include <optional>

inline constexpr std::array<int, 8> kZoomSteps = {25, 50, 75, 100, 150, 200, 300, 400};

// The next step above `zoom` (direction > 0) or below it (direction < 0);
// `zoom` itself beyond the last step that way.
int ZoomStep(int zoom, int direction);

// A typed zoom, "150" or "150%" with blanks around; none for anything else.
// Whether the preview takes it (2 to 2000) is the preview's rule.
std::optional<int> ParseZoom(const QString& text);

// "150%".
QString ZoomText(int zoom);
