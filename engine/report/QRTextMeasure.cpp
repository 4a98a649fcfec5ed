// The report's text measurer: widths and heights on the reference device,
// each (font, word) measured once for as long as the report lives.

#include "QRTextMeasure.h"

#include "QRCustomReport.h"
#include "TextMeasurer.h"

namespace {
TCanvas* g_measuringCanvas = nullptr;
}  // namespace

ScopedMeasuringCanvas::ScopedMeasuringCanvas(TCanvas* canvas) : previous_(g_measuringCanvas) {
  g_measuringCanvas = canvas;
}

ScopedMeasuringCanvas::~ScopedMeasuringCanvas() { g_measuringCanvas = previous_; }

TTextMeasurer& TQRCustomReport::TextMeasurer() {
  if (!textMeasurer_) {
    TCanvas& canvas = g_measuringCanvas != nullptr ? *g_measuringCanvas : *referenceDevice_;
    textMeasurer_ = std::make_shared<TTextMeasurer>(canvas);
  }
  return *textMeasurer_;
}
