#pragma once
// Page bytes for the benchmarks: metafile-shaped pages like a run stores.

#include <QByteArray>
#include <cstdint>

namespace storebench {

QByteArray MetafilePage(std::uint32_t seed, int approxSize);
// About 4 MB of such pages back to back.
const QByteArray& MetafileCorpus();

}  // namespace storebench
