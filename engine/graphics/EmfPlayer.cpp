#include "EmfPlayer.h"

void PlayEmfOnPainter(const QByteArray&, const emf::TEmfLayout&, QPainter&, const QRectF&) {}
void PlayEmfOnCanvas(const QByteArray&, const emf::TEmfLayout&, TCanvas&, const QRect&) {}
