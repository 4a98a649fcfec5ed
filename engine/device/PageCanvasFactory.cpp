#include "PageCanvasFactory.h"

#include "PainterPageCanvas.h"

namespace {
TPageCanvasFactory& Factory() {
  static TPageCanvasFactory factory = [](QPainter& painter, int pixelsPerInch) {
    return std::unique_ptr<TCanvas>(new TPainterPageCanvas(painter, pixelsPerInch));
  };
  return factory;
}
}  // namespace

const TPageCanvasFactory& PageCanvasFactory() { return Factory(); }

void SetPageCanvasFactory(TPageCanvasFactory factory) {
  if (factory) Factory() = std::move(factory);
}
