#include "BenchPages.h"

#include <QString>
#include <random>

namespace storebench {
namespace {

void Append32(QByteArray& b, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b.append(static_cast<char>(v >> (8 * i)));
}

void Put32(QByteArray& b, qsizetype at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>(v >> (8 * i));
}

}  // namespace

// Records in the proportions a permit page has: many small state records
// (pens, brushes, fonts selected again and again), rectangles and lines on a
// 1056 x 816 page, and UTF-16 texts.
QByteArray MetafilePage(std::uint32_t seed, int approxSize) {
  std::mt19937 rng(seed);
  QByteArray b(108, '\0');
  Put32(b, 0, 1);
  Put32(b, 4, 108);
  Put32(b, 40, 0x464D4520);
  Put32(b, 44, 0x10000);
  static const char* words[] = {"PERMISO DE CIRCULACIÓN",
                                "VEHÍCULO",
                                "PLACA",
                                "CONDUCTOR",
                                "DEPENDENCIA",
                                "VIGENCIA",
                                "DEL",
                                "AL",
                                "FOLIO 0001"};
  while (b.size() < approxSize) {
    switch (rng() % 5) {
      case 0:
        Append32(b, 43);
        Append32(b, 24);
        for (int i = 0; i < 4; ++i) Append32(b, rng() % 1056);
        break;
      case 1:
        Append32(b, 37);
        Append32(b, 12);
        Append32(b, 1 + rng() % 4);
        break;
      case 2:
        Append32(b, 24);
        Append32(b, 12);
        Append32(b, (rng() % 2) ? 0 : 0x00800000);
        break;
      case 3: {
        const QString text = QString::fromUtf8(words[rng() % 9]);
        Append32(b, 84);
        Append32(b, static_cast<std::uint32_t>(76 + 2 * text.size() + (text.size() % 2) * 2 +
                                               4 * text.size()));
        Append32(b, 0);
        Append32(b, 0);
        Append32(b, 1056);
        Append32(b, 816);
        Append32(b, 1);
        Append32(b, 0x3F800000);
        Append32(b, 0x3F800000);
        Append32(b, rng() % 1056);
        Append32(b, rng() % 816);
        Append32(b, static_cast<std::uint32_t>(text.size()));
        Append32(b, 76);
        for (int i = 0; i < 6; ++i) Append32(b, 0);
        for (QChar c : text) {
          b.append(static_cast<char>(c.unicode() & 0xFF));
          b.append(static_cast<char>(c.unicode() >> 8));
        }
        if (text.size() % 2) b.append(2, '\0');
        for (int i = 0; i < text.size(); ++i) Append32(b, 6 + rng() % 4);
        break;
      }
      default:
        Append32(b, 54);
        Append32(b, 16);
        Append32(b, rng() % 1056);
        Append32(b, rng() % 816);
    }
  }
  Put32(b, 48, static_cast<std::uint32_t>(b.size()));
  return b;
}

const QByteArray& MetafileCorpus() {
  static const QByteArray corpus = [] {
    QByteArray c;
    for (std::uint32_t i = 0; c.size() < 4 * 1024 * 1024; ++i) c.append(MetafilePage(i, 40000));
    return c;
  }();
  return corpus;
}

}  // namespace storebench
