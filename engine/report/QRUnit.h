#pragma once
// The unit in which a program reads and writes every page, band and element
// measure. Whatever the unit, the value is stored in tenths of a millimetre.

enum class TQRUnit { MM = 0, Inches = 1, Pixels = 2, Characters = 3, Native = 4 };

// Which way a measure runs: Characters convert by the character width across
// and by the character height down.
enum class TQRDirection { Horizontal, Vertical };
