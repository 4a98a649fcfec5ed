#pragma once
// The text elements' base: the text that is laid out (OutputText of a label,
// Lines of a memo), its output lines, automatic size, stretching of the band
// and continuation on the next page, and the print event. Lines are broken
// by screen metrics on the report's reference device at the report's zoom;
// the output device only decides how tall a printed line is.

#include <QStringList>
#include <functional>
#include <optional>

#include "QRPrintable.h"

class TQRCustomBand;
class TQRPrinter;

// Lets the program change the text just before it prints.
using TQRLabelOnPrintEvent = std::function<void(TQRComponent* sender, QString& value)>;

enum class TBiDiMode {
  bdLeftToRight,
  bdRightToLeft,
  bdRightToLeftNoAlign,
  bdRightToLeftReadingOnly
};

class TQRCustomLabel : public TQRPrintable {
 public:
  explicit TQRCustomLabel(TQRComponent* owner);

  QString ClassName() const override { return QStringLiteral("TQRCustomLabel"); }

  // True when the text is the Caption (a label), False for a memo's Lines.
  virtual bool UsesCaption() const { return true; }
  // Breaks the text into OutputLines and, for an element of a report,
  // applies the automatic size and the one-line height.
  virtual void LayoutLines();

  const QString& Caption() const { return caption_; }
  // Caption and OutputText become `caption`, laid out at once.
  void SetCaption(const QString& caption);
  const QString& OutputText() const { return outputText_; }
  // A memo's text; changed in place or assigned, it is laid out at the
  // next LayoutLines (at the latest when the memo prints).
  QStringList& Lines() { return lines_; }
  const QStringList& Lines() const { return lines_; }
  void SetLines(const QStringList& lines);
  const QStringList& OutputLines() const { return outputLines_; }
  int NextLine() const { return nextLine_; }

  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool on);
  bool AutoStretch() const { return autoStretch_; }
  void SetAutoStretch(bool on);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool on);
  // The point size a design stored ("FontSize"); 0 means none. At the
  // loaded step it wins over the stored pixel height of the font.
  int FontSize() const { return fontSize_; }
  void SetFontSize(int points) { fontSize_ = points; }

  TBiDiMode BiDiMode() const { return biDiMode_; }
  void SetBiDiMode(TBiDiMode mode);
  bool ParentBiDiMode() const { return parentBiDiMode_; }
  void SetParentBiDiMode(bool on);
  // Right-to-left alignment swaps left and right; right-to-left reading
  // adds the device's reading order to the printed text.
  bool UseRightToLeftAlignment() const;
  bool UseRightToLeftReading() const;

  TQRLabelOnPrintEvent OnPrint;

  void SetAlignment(TAlignment alignment) override;
  void PrepareOutput() override;
  void PrintAt(int ofsX, int ofsY) override;
  void SetParent(TQRControl* parent) override;
  // An empty caption, or one equal to the old name, follows the new name.
  void SetName(const QString& name) override;
  void Loaded() override;
  void Paint(TCanvas& canvas, QPoint origin) override;
  bool ReadProperty(const QString& name, const TDesignValue& value, TDesignReader& reader) override;

 protected:
  void FontChanged() override;

 private:
  struct TPrintBox;
  // Raises OnPrint; when the handler replaced the text, the text it had
  // before, which comes back once the element has printed.
  std::optional<QString> RunPrintEvent(TQRPrinter& printer, TPrintBox& box);
  // Writes the lines from NextLine on while they fit, stretching the band
  // where it can, and sets PrintDone; returns the band expansion it saw.
  long double PrintLines(TQRPrinter& printer, const TPrintBox& box);
  // Layout width of a text in screen pixels: measured on the report's
  // reference device at its zoom, else the plain width on the screen.
  int TextWidth(QStringView text) const;
  // The band the element stretches, when its parent is one.
  TQRCustomBand* ParentBand() const;

  QString caption_;
  QString outputText_;
  QStringList lines_;
  QStringList outputLines_;
  int nextLine_ = 0;
  bool autoSize_ = true;
  bool autoStretch_ = false;
  bool wordWrap_ = true;
  int fontSize_ = 0;
  TBiDiMode biDiMode_ = TBiDiMode::bdLeftToRight;
  bool parentBiDiMode_ = true;
  bool updatingBounds_ = false;
};

const QStringList& BiDiModeNames();
