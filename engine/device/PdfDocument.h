#pragma once
// The PDF file a print job is spooled to before it goes to CUPS. Written by
// us rather than by Qt's PDF engine because of how text survives CUPS: Qt
// embeds each font as a CID subset without a character map or glyph names,
// and a PostScript queue's filters (Ghostscript's ps2write) turn such fonts
// into bitmap glyphs with the text lost. Here every font is a whole
// TrueType font with the Windows code-page encoding, so the printer gets
// outline fonts and the text stays text.
//
// Pages are drawn in device pixels of the job's resolution, measured from
// the corner of the printable area, y growing downwards.

#include <QByteArray>
#include <QImage>
#include <QRawFont>
#include <QSizeF>
#include <QString>
#include <map>
#include <memory>
#include <tuple>
#include <vector>

class QIODevice;

// A font of the document: a whole TrueType font file with the code-page
// encoding, or, for a font that cannot be embedded so, nothing (its text is
// drawn as glyph outlines).
struct TPdfFont {
  QByteArray resourceName;  // "F1"
  int object = 0;           // the font dictionary
  QRawFont design;          // at 1000 pixels: advances in thousandths of an em
  bool embeddable = false;
};

class TPdfDocument {
 public:
  // `out` must be open for writing; the document writes nothing before
  // BeginPage.
  explicit TPdfDocument(QIODevice& out);
  ~TPdfDocument();
  TPdfDocument(const TPdfDocument&) = delete;
  TPdfDocument& operator=(const TPdfDocument&) = delete;

  // A page of `paperPoints` (1/72 inch), whose device pixels at
  // `pixelsPerInch` start at `printableOffset` (device pixels) from the
  // paper's top-left corner.
  void BeginPage(const QSizeF& paperPoints, int pixelsPerInch, const QPointF& printableOffset);
  // Content of the open page, in PDF operators over device pixels.
  QByteArray& Content() { return content_; }
  void EndPage();
  bool PageOpen() const { return pageOpen_; }

  // Resources the open page uses, made once per document.
  const TPdfFont& Font(const QString& face, bool bold, bool italic);
  // The image's resource name ("Im1"); an image of the same pixels drawn
  // again is written once.
  QByteArray Image(const QImage& image);

  // Writes what is left (fonts, page tree, cross-reference table). False
  // when any write to the device failed.
  bool Finish(const QString& title);
  bool Ok() const { return ok_; }

 private:
  int Reserve();
  void WriteObject(int number, const QByteArray& body);
  void WriteStream(int number, const QByteArray& dictionary, const QByteArray& data);
  void Write(const QByteArray& bytes);
  void WriteFont(const TPdfFont& font);
  // What tells images apart: size, format and pixels.
  static QByteArray ImageKey(const QImage& image);

  QIODevice& out_;
  qint64 position_ = 0;
  bool ok_ = true;
  std::vector<qint64> offsets_{0};  // by object number; 0 unused
  int pagesObject_ = 0;
  int resourcesObject_ = 0;
  std::vector<int> pages_;
  bool pageOpen_ = false;
  QSizeF paper_;
  QByteArray content_;
  std::map<std::tuple<QString, bool, bool>, std::unique_ptr<TPdfFont>> fonts_;
  std::map<QByteArray, std::pair<QByteArray, int>> images_;  // by ImageKey
};

// A number as PDF writes it: at most three decimals, no exponent.
QByteArray PdfNumber(double value);
