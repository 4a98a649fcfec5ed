#pragma once
// Makes the canvas of a printer page from the painter active on the job.
// Kept behind one replaceable function so the job code does not depend on
// which painter canvas draws the page.

#include <QPainter>

#include <functional>
#include <memory>

#include "Canvas.h"

using TPageCanvasFactory =
    std::function<std::unique_ptr<TCanvas>(QPainter& painter, int pixelsPerInch)>;

// The factory the printer jobs use.
const TPageCanvasFactory& PageCanvasFactory();
void SetPageCanvasFactory(TPageCanvasFactory factory);
