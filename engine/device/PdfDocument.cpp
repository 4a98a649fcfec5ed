#include "PdfDocument.h"

#include <QCryptographicHash>
#include <QFont>
#include <QIODevice>
#include <QtEndian>
#include <algorithm>
#include <cmath>

#include "Windows1252.h"

namespace {

// Tables a TrueType font needs to draw, be hinted and map characters.
const char* const kFontTables[] = {"OS/2", "cmap", "cvt ", "fpgm", "gasp", "glyf", "head",
                                   "hhea", "hmtx", "loca", "maxp", "name", "post", "prep"};

quint32 TableChecksum(const QByteArray& table) {
  quint32 sum = 0;
  QByteArray padded = table;
  while (padded.size() % 4 != 0) padded.append('\0');
  for (qsizetype i = 0; i < padded.size(); i += 4)
    sum += qFromBigEndian<quint32>(padded.constData() + i);
  return sum;
}

// The font's tables put together again as one TrueType file; empty when the
// font has no TrueType outlines (a CFF font) or no character map.
QByteArray TrueTypeFile(const QRawFont& font) {
  std::vector<std::pair<QByteArray, QByteArray>> tables;
  for (const char* tag : kFontTables) {
    const QByteArray data = font.fontTable(tag);
    if (!data.isEmpty()) tables.emplace_back(QByteArray(tag, 4), data);
  }
  const auto has = [&](const char* tag) {
    return std::any_of(tables.begin(), tables.end(), [&](const auto& t) { return t.first == tag; });
  };
  if (!has("glyf") || !has("loca") || !has("head") || !has("cmap") || !has("hmtx")) return {};

  const quint16 count = quint16(tables.size());
  quint16 power = 1, log2 = 0;
  while (power * 2 <= count) power *= 2, ++log2;
  QByteArray file;
  auto put32 = [&](quint32 v) {
    char b[4];
    qToBigEndian(v, b);
    file.append(b, 4);
  };
  auto put16 = [&](quint16 v) {
    char b[2];
    qToBigEndian(v, b);
    file.append(b, 2);
  };
  put32(0x00010000);
  put16(count);
  put16(quint16(power * 16));
  put16(log2);
  put16(quint16(count * 16 - power * 16));
  quint32 offset = 12 + 16u * count;
  qsizetype headAt = -1;
  for (auto& [tag, data] : tables) {
    if (tag == "head" && data.size() >= 12) std::fill(data.begin() + 8, data.begin() + 12, '\0');
    file.append(tag);
    put32(TableChecksum(data));
    put32(offset);
    put32(quint32(data.size()));
    offset += quint32((data.size() + 3) & ~qsizetype(3));
  }
  for (const auto& [tag, data] : tables) {
    if (tag == "head") headAt = file.size();
    file.append(data);
    while (file.size() % 4 != 0) file.append('\0');
  }
  // head.checkSumAdjustment makes the whole file sum to the magic number.
  if (headAt >= 0)
    qToBigEndian<quint32>(0xB1B0AFBAu - TableChecksum(file), file.data() + headAt + 8);
  return file;
}

QByteArray Compressed(const QByteArray& data) {
  // qCompress puts the length in front of a plain zlib stream.
  return qCompress(data, 6).mid(4);
}

QByteArray Name(const QString& face) {
  QByteArray name;
  for (QChar c : face)
    if (c.unicode() > 32 && c.unicode() < 127 && !QStringLiteral("()<>[]{}/%#").contains(c))
      name.append(char(c.unicode()));
  return name.isEmpty() ? QByteArray("Font") : name;
}

}  // namespace

QByteArray PdfNumber(double value) {
  if (!std::isfinite(value)) value = 0;
  value = std::clamp(value, -1e9, 1e9);
  QByteArray text = QByteArray::number(value, 'f', 3);
  while (text.contains('.') && (text.endsWith('0') || text.endsWith('.'))) text.chop(1);
  return text == "-0" ? QByteArray("0") : text;
}

TPdfDocument::TPdfDocument(QIODevice& out) : out_(out) {
  Write("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
  pagesObject_ = Reserve();
  resourcesObject_ = Reserve();
}

TPdfDocument::~TPdfDocument() = default;

int TPdfDocument::Reserve() {
  offsets_.push_back(-1);
  return int(offsets_.size() - 1);
}

void TPdfDocument::Write(const QByteArray& bytes) {
  if (!ok_) return;
  if (out_.write(bytes) != bytes.size()) ok_ = false;
  position_ += bytes.size();
}

void TPdfDocument::WriteObject(int number, const QByteArray& body) {
  offsets_[size_t(number)] = position_;
  Write(QByteArray::number(number) + " 0 obj\n" + body + "\nendobj\n");
}

void TPdfDocument::WriteStream(int number, const QByteArray& dictionary, const QByteArray& data) {
  offsets_[size_t(number)] = position_;
  Write(QByteArray::number(number) + " 0 obj\n<<" + dictionary + " /Length " +
        QByteArray::number(data.size()) + ">>\nstream\n");
  Write(data);
  Write("\nendstream\nendobj\n");
}

void TPdfDocument::BeginPage(const QSizeF& paperPoints, int pixelsPerInch,
                             const QPointF& printableOffset) {
  if (pageOpen_) EndPage();
  pageOpen_ = true;
  paper_ = paperPoints;
  const double s = 72.0 / std::max(1, pixelsPerInch);
  // Device pixels, y down, from the printable area's corner.
  content_ = PdfNumber(s) + " 0 0 " + PdfNumber(-s) + " " + PdfNumber(printableOffset.x() * s) +
             " " + PdfNumber(paperPoints.height() - printableOffset.y() * s) + " cm\n";
}

void TPdfDocument::EndPage() {
  if (!pageOpen_) return;
  pageOpen_ = false;
  const int contents = Reserve();
  WriteStream(contents, " /Filter /FlateDecode", Compressed(content_));
  content_.clear();
  const int page = Reserve();
  WriteObject(page, "<< /Type /Page /Parent " + QByteArray::number(pagesObject_) +
                        " 0 R /MediaBox [0 0 " + PdfNumber(paper_.width()) + " " +
                        PdfNumber(paper_.height()) + "] /Resources " +
                        QByteArray::number(resourcesObject_) + " 0 R /Contents " +
                        QByteArray::number(contents) + " 0 R >>");
  pages_.push_back(page);
}

const TPdfFont& TPdfDocument::Font(const QString& face, bool bold, bool italic) {
  auto& slot = fonts_[{face, bold, italic}];
  if (slot) return *slot;
  slot = std::make_unique<TPdfFont>();
  slot->resourceName = "F" + QByteArray::number(qsizetype(fonts_.size()));
  QFont font(face.isEmpty() ? QStringLiteral("Arial") : face);
  font.setPixelSize(1000);
  font.setBold(bold);
  font.setItalic(italic);
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setKerning(false);
  slot->design = QRawFont::fromFont(font);
  slot->embeddable = slot->design.isValid() && !TrueTypeFile(slot->design).isEmpty();
  if (slot->embeddable) slot->object = Reserve();
  return *slot;
}

// Pages replayed from their records decode their bitmaps afresh each time,
// so the same picture on every page arrives as another image with the same
// pixels; it is written once all the same.
QByteArray TPdfDocument::ImageKey(const QImage& image) {
  QCryptographicHash hash(QCryptographicHash::Sha1);
  const int header[] = {image.width(), image.height(), int(image.format())};
  hash.addData(QByteArrayView(reinterpret_cast<const char*>(header), sizeof header));
  for (int y = 0; y < image.height(); ++y)
    hash.addData(QByteArrayView(reinterpret_cast<const char*>(image.constScanLine(y)),
                                image.bytesPerLine()));
  for (QRgb c : image.colorTable())
    hash.addData(QByteArrayView(reinterpret_cast<const char*>(&c), sizeof c));
  return hash.result();
}

QByteArray TPdfDocument::Image(const QImage& image) {
  const QByteArray key = ImageKey(image);
  const auto found = images_.find(key);
  if (found != images_.end()) return found->second.first;
  const QByteArray name = "Im" + QByteArray::number(qsizetype(images_.size() + 1));
  const int object = Reserve();
  images_[key] = {name, object};

  const int w = image.width(), h = image.height();
  QByteArray dictionary = " /Type /XObject /Subtype /Image /Width " + QByteArray::number(w) +
                          " /Height " + QByteArray::number(h) + " /Filter /FlateDecode";
  QByteArray pixels;
  if (image.format() == QImage::Format_Mono || image.format() == QImage::Format_MonoLSB) {
    const QImage mono = image.convertToFormat(QImage::Format_Mono);
    QByteArray palette;
    for (int i = 0; i < 2; ++i) {
      const QRgb c =
          i < mono.colorCount() ? mono.color(i) : (i ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
      palette += QByteArray::number(qRed(c) | 0x100, 16).mid(1) +
                 QByteArray::number(qGreen(c) | 0x100, 16).mid(1) +
                 QByteArray::number(qBlue(c) | 0x100, 16).mid(1);
    }
    dictionary += " /ColorSpace [/Indexed /DeviceRGB 1 <" + palette + ">] /BitsPerComponent 1";
    for (int y = 0; y < h; ++y)
      pixels.append(reinterpret_cast<const char*>(mono.constScanLine(y)), (w + 7) / 8);
  } else {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    dictionary += " /ColorSpace /DeviceRGB /BitsPerComponent 8";
    for (int y = 0; y < h; ++y)
      pixels.append(reinterpret_cast<const char*>(rgb.constScanLine(y)), 3 * w);
    if (image.hasAlphaChannel()) {
      // See-through pixels (the halves of a mask pair) as a soft mask.
      const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
      QByteArray alpha;
      alpha.reserve(qsizetype(w) * h);
      for (int y = 0; y < h; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < w; ++x) alpha.append(char(qAlpha(line[x])));
      }
      const int mask = Reserve();
      WriteStream(mask,
                  " /Type /XObject /Subtype /Image /Width " + QByteArray::number(w) + " /Height " +
                      QByteArray::number(h) +
                      " /ColorSpace /DeviceGray /BitsPerComponent 8 /Filter /FlateDecode",
                  Compressed(alpha));
      dictionary += " /SMask " + QByteArray::number(mask) + " 0 R";
    }
  }
  WriteStream(object, dictionary, Compressed(pixels));
  return name;
}

void TPdfDocument::WriteFont(const TPdfFont& font) {
  const QRawFont& raw = font.design;
  const QByteArray file = TrueTypeFile(raw);
  const int fileObject = Reserve();
  WriteStream(fileObject, " /Length1 " + QByteArray::number(file.size()) + " /Filter /FlateDecode",
              Compressed(file));
  QByteArray widths;
  for (int code = 32; code <= 255; ++code) {
    const QString text = platform::DecodeWindows1252(QByteArray(1, char(code)));
    const QList<quint32> glyphs = raw.glyphIndexesForString(text);
    const double advance = glyphs.isEmpty() ? 0 : raw.advancesForGlyphIndexes(glyphs).value(0).x();
    widths += PdfNumber(advance) + (code % 16 == 15 ? "\n" : " ");
  }
  const QRectF box = raw.boundingRect(raw.glyphIndexesForString(QStringLiteral("W")).value(0));
  const QByteArray name = Name(raw.familyName()) + (raw.weight() >= QFont::Bold ? "-Bold" : "") +
                          (raw.style() != QFont::StyleNormal ? "-Italic" : "");
  const int descriptor = Reserve();
  WriteObject(descriptor,
              "<< /Type /FontDescriptor /FontName /" + name + " /Flags " +
                  QByteArray::number(32 | (raw.style() != QFont::StyleNormal ? 64 : 0)) +
                  " /FontBBox [-1000 " + PdfNumber(-raw.descent() * 1.5) + " 2000 " +
                  PdfNumber(raw.ascent() * 1.5) + "] /ItalicAngle " +
                  (raw.style() != QFont::StyleNormal ? "-12" : "0") + " /Ascent " +
                  PdfNumber(raw.ascent()) + " /Descent " + PdfNumber(-raw.descent()) +
                  " /CapHeight " + PdfNumber(box.isValid() ? -box.top() : raw.ascent()) +
                  " /StemV 80 /FontFile2 " + QByteArray::number(fileObject) + " 0 R >>");
  WriteObject(font.object, "<< /Type /Font /Subtype /TrueType /BaseFont /" + name +
                               " /FirstChar 32 /LastChar 255 /Widths [" + widths +
                               "] /Encoding /WinAnsiEncoding /FontDescriptor " +
                               QByteArray::number(descriptor) + " 0 R >>");
}

bool TPdfDocument::Finish(const QString& title) {
  if (pageOpen_) EndPage();
  QByteArray fontEntries, imageEntries;
  for (const auto& [key, font] : fonts_) {
    if (!font->embeddable) continue;
    WriteFont(*font);
    fontEntries += " /" + font->resourceName + " " + QByteArray::number(font->object) + " 0 R";
  }
  for (const auto& [key, image] : images_)
    imageEntries += " /" + image.first + " " + QByteArray::number(image.second) + " 0 R";
  WriteObject(resourcesObject_, "<< /ProcSet [/PDF /Text /ImageB /ImageC] /Font <<" + fontEntries +
                                    " >> /XObject <<" + imageEntries + " >> >>");
  QByteArray kids;
  for (int page : pages_) kids += QByteArray::number(page) + " 0 R ";
  WriteObject(pagesObject_, "<< /Type /Pages /Kids [" + kids + "] /Count " +
                                QByteArray::number(qsizetype(pages_.size())) + " >>");
  const int catalog = Reserve();
  WriteObject(catalog, "<< /Type /Catalog /Pages " + QByteArray::number(pagesObject_) + " 0 R >>");
  QByteArray titleHex;
  for (QChar c : title) titleHex += QByteArray::number(c.unicode() | 0x10000, 16).mid(1);
  const int info = Reserve();
  WriteObject(info, "<< /Title <FEFF" + titleHex + "> /Creator (Permiso) >>");

  const qint64 xref = position_;
  QByteArray table =
      "xref\n0 " + QByteArray::number(qsizetype(offsets_.size())) + "\n0000000000 65535 f \n";
  for (size_t i = 1; i < offsets_.size(); ++i) {
    // An object reserved but never written (an image whose write failed)
    // stays a free entry.
    if (offsets_[i] < 0)
      table += "0000000000 65535 f \n";
    else
      table += QByteArray::number(offsets_[i]).rightJustified(10, '0') + " 00000 n \n";
  }
  Write(table);
  Write("trailer\n<< /Size " + QByteArray::number(qsizetype(offsets_.size())) + " /Root " +
        QByteArray::number(catalog) + " 0 R /Info " + QByteArray::number(info) +
        " 0 R >>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n");
  return ok_;
}
