#include "StoreTestData.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <random>
#include <stdexcept>

#include "TQRPageList.h"

namespace storetest {
namespace {

void Put32(QByteArray& b, qsizetype at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>(v >> (8 * i));
}

void Append32(QByteArray& b, std::uint32_t v) {
  b.resize(b.size() + 4);
  Put32(b, b.size() - 4, v);
}

}  // namespace

QByteArray EmfLikePage(std::uint32_t seed, int approxSize) {
  std::mt19937 rng(seed);
  QByteArray b(108, '\0');
  Put32(b, 0, 1);
  Put32(b, 4, 108);
  Put32(b, 16, 1055);
  Put32(b, 20, 815);
  Put32(b, 32, 27940);
  Put32(b, 36, 21590);
  Put32(b, 40, 0x464D4520);  // " EMF"
  Put32(b, 44, 0x10000);
  Put32(b, 72, 1920);
  Put32(b, 76, 1080);
  while (b.size() < approxSize) {
    switch (rng() % 4) {
      case 0:  // rectangle
        Append32(b, 43);
        Append32(b, 24);
        for (int i = 0; i < 4; ++i) Append32(b, rng() % 1056);
        break;
      case 1:  // select a pen or brush
        Append32(b, 37);
        Append32(b, 12);
        Append32(b, 1 + rng() % 3);
        break;
      case 2: {  // text in UTF-16
        const char* words[] = {"PERMISO", "DE", "CIRCULACION", "VEHICULO", "PLACA", "2026"};
        const QString text = QString::fromLatin1(words[rng() % 6]);
        // The 76 bytes up to the string: nChars at +44, offString at +48.
        Append32(b, 84);
        Append32(b, static_cast<std::uint32_t>(76 + 2 * text.size() + (text.size() % 2) * 2));
        for (int i = 0; i < 17; ++i)
          Append32(b, i == 9 ? static_cast<std::uint32_t>(text.size()) : i == 10 ? 76 : 0);
        for (QChar c : text) {
          b.append(static_cast<char>(c.unicode()));
          b.append('\0');
        }
        if (text.size() % 2) b.append(2, '\0');
        break;
      }
      default:  // line
        Append32(b, 54);
        Append32(b, 16);
        Append32(b, rng() % 1056);
        Append32(b, rng() % 816);
    }
  }
  const char eof[] = {14, 0, 0, 0, 20, 0, 0, 0, 0, 0, 0, 0, 16, 0, 0, 0, 20, 0, 0, 0};
  b.append(eof, sizeof eof);
  Put32(b, 48, static_cast<std::uint32_t>(b.size()));
  return b;
}

QByteArray RandomBytes(std::uint32_t seed, int size) {
  std::mt19937 rng(seed);
  QByteArray b(size, Qt::Uninitialized);
  for (char& c : b) c = static_cast<char>(rng());
  return b;
}

QByteArray ReadFile(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) throw std::runtime_error("cannot read " + path.toStdString());
  return f.readAll();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
    throw std::runtime_error("cannot write " + path.toStdString());
}

QByteArray BuildStoreFile(const std::vector<QByteArray>& pages, bool compressed) {
  TQRPageList list;
  list.AttachStream(TQRStream::CreateStore(0));
  list.SetCompression(compressed);
  for (const QByteArray& p : pages) list.AppendPayload(p);
  list.WriteHeader();
  QBuffer out;
  out.open(QIODevice::WriteOnly);
  list.Stream()->CopyTo(out);
  return out.data();
}

QStringList StoreTempFiles(const QString& folder) {
  static const QRegularExpression name(QStringLiteral("^QRP[0-9A-F]+\\.TMP$"));
  QStringList found;
  for (const QString& f : QDir(folder).entryList(QDir::Files))
    if (name.match(f).hasMatch()) found << f;
  return found;
}

}  // namespace storetest
