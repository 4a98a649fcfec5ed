#pragma once
// The page the independent EMF readers check: text in three alignments, a
// rectangle, an ellipse, lines, clipped text, a stretched bitmap and a JPEG,
// drawn at the permit's page size (landscape Letter at 96 pixels per inch).

#include <QByteArray>

#include "Canvas.h"

constexpr int kTestPageWidth = 1056;
constexpr int kTestPageHeight = 816;

void DrawTestPage(TCanvas& canvas);

// The test page recorded as EMF bytes.
QByteArray TestPageEmf();
