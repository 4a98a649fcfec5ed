#pragma once
// The text records of an EMF file read straight from its bytes, for tests
// that check where a found word stands against what the file says.

#include <QByteArray>
#include <QPointF>
#include <QString>
#include <QtEndian>
#include <vector>

struct TTextRecord {
  std::uint32_t type = 0;  // 83 ExtTextOutA, 84 ExtTextOutW
  QPointF reference;
  QString text;
  std::vector<int> dx;

  // The advances of characters [from, to).
  double Advance(int from, int to) const {
    double sum = 0;
    for (int i = from; i < to; ++i) sum += dx[size_t(i)];
    return sum;
  }
};

inline std::vector<TTextRecord> TextRecords(const QByteArray& bytes) {
  auto i32 = [&](qsizetype at) { return qFromLittleEndian<std::int32_t>(bytes.constData() + at); };
  std::vector<TTextRecord> records;
  for (qsizetype at = 0; at + 8 <= bytes.size();) {
    const std::uint32_t type = std::uint32_t(i32(at));
    const qsizetype size = i32(at + 4);
    if (size < 8) break;
    if (type == 83 || type == 84) {
      TTextRecord r;
      r.type = type;
      r.reference = QPointF(i32(at + 36), i32(at + 40));
      const int chars = i32(at + 44), offString = i32(at + 48), offDx = i32(at + 72);
      for (int i = 0; i < chars; ++i) {
        r.text += type == 84 ? QChar(qFromLittleEndian<std::uint16_t>(bytes.constData() + at +
                                                                      offString + 2 * i))
                             : QChar(uchar(bytes[at + offString + i]));
        r.dx.push_back(i32(at + offDx + 4 * i));
      }
      records.push_back(r);
    }
    at += size;
  }
  return records;
}
