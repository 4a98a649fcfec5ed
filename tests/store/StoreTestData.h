#pragma once
// Bytes shaped like the pages a run stores: EMF records with small integers,
// repeated pens and brushes, UTF-16 text. Deterministic for a seed.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

namespace storetest {

// An EMF-shaped byte string of about `approxSize` bytes: a header record with
// " EMF" at offset 40 and the total size at 48, drawing records, an EOF.
QByteArray EmfLikePage(std::uint32_t seed, int approxSize);

QByteArray RandomBytes(std::uint32_t seed, int size);

QByteArray ReadFile(const QString& path);
void WriteFile(const QString& path, const QByteArray& bytes);

// The bytes of a prepared report file holding `pages`, written through a
// page list in memory.
QByteArray BuildStoreFile(const std::vector<QByteArray>& pages, bool compressed);

// Temporary-folder files whose names read "QRP" + hex + ".TMP".
QStringList StoreTempFiles(const QString& folder);

}  // namespace storetest
