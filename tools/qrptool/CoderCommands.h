#pragma once
// The page coder on a pipe: the bytes of stdin packed or unpacked to stdout.

#include <QByteArray>

QByteArray CompressInput(const QByteArray& plain);
// `count` is the number of bytes to unpack, as L before a compressed page.
// Throws "Stream read error" when the input ends before them.
QByteArray ExpandInput(const QByteArray& packed, qint64 count);
