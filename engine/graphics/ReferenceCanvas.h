#pragma once
// The reference device: a memory surface compatible with the screen, on
// which a report measures text in screen pixels. One per report. Drawing on
// it is allowed and lands on a one-pixel surface nobody sees.

#include <memory>

#include "Canvas.h"

// The screen's logical pixels per inch (96 under the offscreen platform or
// without a GUI application).
int ScreenPixelsPerInch();

std::unique_ptr<TCanvas> CreateReferenceCanvas();
