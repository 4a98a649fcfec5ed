#pragma once
// Plays checked EMF records: onto a QPainter (every record GDI commonly
// writes, with text placed by its recorded advances), or through a TCanvas
// (the operations a canvas offers, coordinates rounded to its pixels).
// The picture frame is mapped onto `dest`. Unknown records are skipped.
// `cache` (may be null) keeps decoded bitmaps and fonts between replays.

#include <QByteArray>
#include <QPainter>
#include <QRect>

#include "Canvas.h"
#include "EmfInterpreter.h"
#include "EmfLayout.h"

void PlayEmfOnPainter(const QByteArray& bytes, const emf::TEmfLayout& layout, QPainter& painter,
                      const QRectF& dest, emf::TPlaybackCache* cache = nullptr);
void PlayEmfOnCanvas(const QByteArray& bytes, const emf::TEmfLayout& layout, TCanvas& canvas,
                     const QRect& dest, emf::TPlaybackCache* cache = nullptr);
