#include "EmfPlayer.h"

#include "EmfCanvasPlayer.h"
#include "EmfPainterPlayer.h"

void PlayEmfOnPainter(const QByteArray& bytes, const emf::TEmfLayout& layout, QPainter& painter,
                      const QRectF& dest, emf::TPlaybackCache* cache) {
  if (!painter.isActive() || dest.isEmpty()) return;
  emf::TEmfPainterPlayer(bytes, layout, painter, dest, cache).Play();
}

void PlayEmfOnCanvas(const QByteArray& bytes, const emf::TEmfLayout& layout, TCanvas& canvas,
                     const QRect& dest, emf::TPlaybackCache* cache) {
  if (dest.isEmpty()) return;
  emf::TEmfCanvasPlayer(bytes, layout, canvas, dest, cache).Play();
}
