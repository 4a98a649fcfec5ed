#pragma once
// The canvas a report's text measurer is bound to: the report's reference
// device, unless a test installs another for the reports it builds (a canvas
// whose every character is 10 pixels wide shows the layout rules plainly).
// The installed canvas must outlive those reports.

class TCanvas;

class ScopedMeasuringCanvas {
 public:
  explicit ScopedMeasuringCanvas(TCanvas* canvas);
  ~ScopedMeasuringCanvas();
  ScopedMeasuringCanvas(const ScopedMeasuringCanvas&) = delete;
  ScopedMeasuringCanvas& operator=(const ScopedMeasuringCanvas&) = delete;

 private:
  TCanvas* previous_;
};
