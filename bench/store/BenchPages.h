#pragma once
// Pages for the benchmarks, recorded as real metafiles the way a run records
// them: a landscape Letter page at screen resolution with the permit's kind
// of content (framed blocks, some forty texts in four sizes, lines and one
// emblem bitmap). Recording needs a QGuiApplication (fonts).

#include <QByteArray>
#include <cstdint>
#include <vector>

namespace storebench {

// The metafile bytes of one page; the texts vary with the seed.
QByteArray PermitPage(std::uint32_t seed);
// Distinct pages, recorded once and reused.
const std::vector<QByteArray>& PageSet();

}  // namespace storebench
