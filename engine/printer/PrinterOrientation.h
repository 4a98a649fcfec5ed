#pragma once
// Page orientation as reports and printer settings hold it.

enum class TPrinterOrientation { poPortrait = 0, poLandscape = 1 };
