#include "QRCustomLabel.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <algorithm>
#include <optional>

#include "DesignReader.h"
#include "FontHeight.h"
#include "MeasuredLine.h"
#include "QRCustomBand.h"
#include "QRCustomReport.h"
#include "QRDeviceRect.h"
#include "QRPrinter.h"
#include "QRRound.h"
#include "ReferenceCanvas.h"
#include "TextElementLayout.h"
#include "TextMeasurer.h"

namespace {

// Plain text widths for an element outside any report, in screen pixels;
// nothing can be measured without a GUI application.
int PlainScreenWidth(const TFontSpec& font, QStringView text) {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return 0;
  const QFontMetrics metrics(
      MakeQFont(font, FontPixelHeight(font.pointSize, ScreenPixelsPerInch())));
  return std::max(0, metrics.horizontalAdvance(text.toString()));
}

// The frame lines take room beside the text only when they are drawn.
TFrameSides FrameSides(const TQRFrame& frame) {
  return {frame.Width(), frame.DrawLeft(), frame.DrawRight()};
}

// Frame width in points as tenths of a millimetre. A hairline (-1) is one
// device pixel and moves the text by nothing, never outward.
int FrameInset(const TQRFrame& frame) {
  return frame.Width() > 0 ? QRRound(frame.Width() / 72.0L * 254) : 0;
}

class TFlagScope {
 public:
  explicit TFlagScope(bool& flag) : flag_(flag), previous_(flag) { flag_ = true; }
  ~TFlagScope() { flag_ = previous_; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

 private:
  bool& flag_;
  bool previous_;
};

}  // namespace

const QStringList& BiDiModeNames() {
  static const QStringList names{QStringLiteral("bdLeftToRight"), QStringLiteral("bdRightToLeft"),
                                 QStringLiteral("bdRightToLeftNoAlign"),
                                 QStringLiteral("bdRightToLeftReadingOnly")};
  return names;
}

TQRCustomLabel::TQRCustomLabel(TQRComponent* owner) : TQRPrintable(owner) { SetTransparent(false); }

// ---- text -----------------------------------------------------------------

void TQRCustomLabel::SetCaption(const QString& caption) {
  caption_ = caption;
  outputText_ = caption;
  LayoutLines();
  Invalidate();
}

void TQRCustomLabel::SetLines(const QStringList& lines) {
  lines_ = lines;
  Invalidate();
}

void TQRCustomLabel::SetAutoSize(bool on) {
  autoSize_ = on;
  Invalidate();
}

void TQRCustomLabel::SetAutoStretch(bool on) {
  autoStretch_ = on;
  Invalidate();
}

void TQRCustomLabel::SetWordWrap(bool on) {
  wordWrap_ = on;
  Invalidate();
}

void TQRCustomLabel::SetBiDiMode(TBiDiMode mode) {
  biDiMode_ = mode;
  parentBiDiMode_ = false;
  Invalidate();
}

// No band or report carries a reading order of its own here, so following
// the parent is left to right.
void TQRCustomLabel::SetParentBiDiMode(bool on) {
  parentBiDiMode_ = on;
  if (on) biDiMode_ = TBiDiMode::bdLeftToRight;
  Invalidate();
}

bool TQRCustomLabel::UseRightToLeftAlignment() const {
  return biDiMode_ == TBiDiMode::bdRightToLeft;
}

bool TQRCustomLabel::UseRightToLeftReading() const { return biDiMode_ != TBiDiMode::bdLeftToRight; }

void TQRCustomLabel::SetAlignment(TAlignment alignment) {
  TQRPrintable::SetAlignment(alignment);
  LayoutLines();
}

void TQRCustomLabel::FontChanged() { LayoutLines(); }

void TQRCustomLabel::SetParent(TQRControl* parent) {
  TQRPrintable::SetParent(parent);
  LayoutLines();
}

void TQRCustomLabel::SetName(const QString& name) {
  const QString oldName = Name();
  TQRPrintable::SetName(name);  // a refused name changes nothing
  if (caption_.isEmpty() || caption_ == oldName) SetCaption(name);
}

void TQRCustomLabel::Loaded() {
  TQRPrintable::Loaded();
  if (fontSize_ > 0) {
    TFontSpec font = Font();
    font.pointSize = fontSize_;
    SetFont(font);  // lays the text out again
  } else {
    LayoutLines();
  }
}

void TQRCustomLabel::PrepareOutput() {
  TQRPrintable::PrepareOutput();
  SetCaption(caption_);
}

// ---- layout ---------------------------------------------------------------

TQRCustomBand* TQRCustomLabel::ParentBand() const { return dynamic_cast<TQRCustomBand*>(Parent()); }

int TQRCustomLabel::TextWidth(QStringView text) const {
  if (TQRCustomReport* report = ParentReport())
    return report->TextMeasurer().LayoutWidth(Font(), Size().Zoom(), text);
  return PlainScreenWidth(Font(), text);
}

void TQRCustomLabel::LayoutLines() {
  if (Parent() == nullptr) return;
  TQRCustomReport* report = ParentReport();
  const bool measured = report != nullptr;

  TTextLayoutRequest request;
  request.source = UsesCaption() ? TTextSource::Caption : TTextSource::MemoLines;
  request.outputText = outputText_;
  request.memoLines = lines_;
  // An empty memo on a design surface shows its name, for display only.
  if (!UsesCaption() && lines_.isEmpty() && Designing()) request.memoLines = {Name()};
  request.autoSize = autoSize_;
  request.wordWrap = wordWrap_;
  request.bounds = {Left(), Width(), Height()};
  request.alignment = Alignment();
  request.rightToLeftAlignment = UseRightToLeftAlignment();
  request.frame = FrameSides(Frame());
  // Pixel bounds given while a design loads are only remembered; the text
  // sizes the element once it is loaded.
  request.resize = measured && !updatingBounds_ && !Loading();

  const int lineHeight =
      request.resize ? report->TextMeasurer().LineHeight(Font(), Size().Zoom()) : 0;
  std::optional<TMeasuredLine> line;
  if (measured) line.emplace(report->TextMeasurer(), Font(), Size().Zoom());
  const TTextLayout layout = LayoutTextElement(
      request, [this](QStringView text) { return TextWidth(text); }, lineHeight,
      line ? &*line : nullptr);
  outputLines_ = layout.outputLines;
  if (request.resize && !(layout.bounds == request.bounds)) {
    TFlagScope updating(updatingBounds_);
    SetBounds(layout.bounds.left, Top(), layout.bounds.width, layout.bounds.height);
  }
}

// ---- printing -------------------------------------------------------------

namespace {

// Line height, tenths of a millimetre: the selected font's own, which every
// canvas gives alike. Taken from the device's pixels it would differ from
// the screen's page to each printer's resolution, and so would which lines
// fit and where pages break.
long double LineHeight(TCanvas& canvas) {
  const double points = canvas.LineHeightPoints();
  return points > 0 ? points * 254.0L / 72 : 0.0L;
}

// How far an automatically sized element's left edge moved when its width
// went from W0 to W in the layout of this print (a print event replaced its
// text): right alignment keeps the right edge, centre the centre.
long double AutoSizeShift(TAlignment alignment, bool autoSize, long double width0,
                          long double width) {
  if (!autoSize) return 0;
  if (alignment == taRightJustify) return width - width0;
  if (alignment == taCenter) return (width - width0) / 2;
  return 0;
}

// Where the lines are written from, and by which edge, in an element whose
// left edge is `left`.
struct TTextOrigin {
  long double x = 0;
  TTextAnchor anchor = TTextAnchor::Left;
};

TTextOrigin TextOrigin(TAlignment alignment, long double left, long double width) {
  switch (alignment) {
    case taRightJustify:
      return {left + width, TTextAnchor::Right};
    case taCenter:
      return {left + width / 2, TTextAnchor::Center};
    case taLeftJustify:
      break;
  }
  return {left, TTextAnchor::Left};
}

void FillPageRect(TQRPrinter& printer, QRgb color, long double left, long double top,
                  long double right, long double bottom) {
  TCanvas& canvas = printer.PageCanvas();
  canvas.SetBrush(color, TBrushStyle::bsSolid);
  canvas.FillRect(DeviceRect(printer, left, top, right, bottom));
}

}  // namespace

// Where one print writes, tenths of a millimetre on the page.
struct TQRCustomLabel::TPrintBox {
  long double left = 0;  // L: where the element stands, then inset by the left frame line
  long double top = 0;   // T, likewise inset by the top frame line
  long double width = 0;
  long double height = 0;
  long double lineHeight = 0;  // LH
  TTextOrigin origin;
};

void TQRCustomLabel::PrintAt(int ofsX, int ofsY) {
  if (!IsPrintable()) return;
  TQRPrinter* printer = Device();
  if (printer == nullptr) return;
  TCanvas& canvas = printer->PageCanvas();
  using S = TQRPrintableSize;

  canvas.SelectFont(Font());
  TPrintBox box;
  box.left = ofsX + Size().StoredValue(S::kLeft);
  box.top = ofsY + Size().StoredValue(S::kTop);
  box.height = Size().StoredValue(S::kHeight);
  box.lineHeight = LineHeight(canvas);
  const long double width0 = Size().StoredValue(S::kWidth);

  const std::optional<QString> textBeforeEvent = RunPrintEvent(*printer, box);
  LayoutLines();
  box.width = Size().StoredValue(S::kWidth);
  // The background and the frame stand where the lines go, also when the
  // layout just moved the element.
  const TAlignment alignment = AppliedAlignment(Alignment(), UseRightToLeftAlignment());
  box.left -= AutoSizeShift(alignment, autoSize_, width0, box.width);

  if (FinalPass() && !Transparent())
    FillPageRect(*printer, Color(), box.left, box.top, box.left + box.width, box.top + box.height);
  if (Frame().HasLines()) {
    const int inset = FrameInset(Frame());
    if (Frame().DrawTop()) box.top += inset;
    if (Frame().DrawLeft()) box.left += inset;
  }
  box.origin = TextOrigin(alignment, box.left, box.width);
  const long double expansion = PrintLines(*printer, box);

  canvas.RemoveClip();
  if (textBeforeEvent) outputText_ = *textBeforeEvent;
  if (FinalPass() && Frame().HasLines())
    PrintFrame(*printer, QRectF(double(box.left), double(box.top), double(box.width),
                                double(box.height + expansion)));
}

std::optional<QString> TQRCustomLabel::RunPrintEvent(TQRPrinter& printer, TPrintBox& box) {
  if (outputText_.isEmpty() || !OnPrint) return std::nullopt;
  const QString remembered = outputText_;
  QString value = outputText_;
  OnPrint(this, value);
  // The handler may have changed the font or the size.
  TCanvas& canvas = printer.PageCanvas();
  canvas.SelectFont(Font());
  box.height = Size().StoredValue(TQRPrintableSize::kHeight);
  box.lineHeight = LineHeight(canvas);
  if (value == outputText_) return std::nullopt;
  outputText_ = value;
  LayoutLines();
  return remembered;
}

long double TQRCustomLabel::PrintLines(TQRPrinter& printer, const TPrintBox& box) {
  TCanvas& canvas = printer.PageCanvas();
  const bool finalPass = FinalPass();
  const long double lh = box.lineHeight;
  const long double bottom = box.top + box.height;
  long double bottomLimit = bottom + 1;  // a tenth of a millimetre of tolerance
  long double y = box.top;

  const bool continuing = !PrintDone();
  if (!continuing) nextLine_ = 0;
  const int firstLine = nextLine_;
  bool requested = false;         // this print has asked the band to grow
  long double seenExpansion = 0;  // the band's expansion as this element last saw it
  while (nextLine_ < outputLines_.size()) {
    if (y + lh > bottomLimit) {
      TQRCustomBand* band = ParentBand();
      if (!autoStretch_ || band == nullptr || !band->CanGrowBy(lh)) break;
      long double expansion = 0;
      band->GrowBy(lh, expansion, requested);
      bottomLimit = bottom + 1 + expansion;
      if (finalPass && !Transparent() && expansion > seenExpansion)
        FillPageRect(printer, Color(), box.left, bottom + seenExpansion, box.left + box.width,
                     bottom + expansion);
      seenExpansion = expansion;
      continue;  // the line fits now, or the band grows once more
    }
    const QString& line = outputLines_[nextLine_];
    if (finalPass && !line.isEmpty())
      canvas.TextOut(printer.DeviceX(double(box.origin.x)), printer.DeviceY(double(y)),
                     box.origin.anchor, line, UseRightToLeftReading());
    y += lh;
    ++nextLine_;
  }
  bool linesLeft = nextLine_ < outputLines_.size();
  // A continuation that places no line at the top of a fresh page or column
  // never will: its remaining lines are dropped instead of starting page
  // after empty page.
  if (continuing && linesLeft && nextLine_ == firstLine) linesLeft = false;
  SetPrintDone(!(linesLeft && autoStretch_));
  return seenExpansion;
}

// ---- on-screen drawing ----------------------------------------------------

void TQRCustomLabel::Paint(TCanvas& canvas, QPoint origin) {
  if (InOutput()) return;
  const int w = Width(), h = Height();
  if (!Transparent()) {
    canvas.SetBrush(Color(), TBrushStyle::bsSolid);
    canvas.FillRect(QRect(origin, QSize(w, h)));
  }
  TFontSpec font = Font();
  const int zoom = Size().Zoom();
  font.pointSize = QRRound(font.pointSize * zoom / 100.0L);
  canvas.SelectFont(font);
  int inset = 0;
  if (Frame().Width() > 0)
    inset = QRRound(zoom * Frame().Width() / 72.0L * ScreenPixelsPerInch() / 100);
  const int left = origin.x() + (Frame().DrawLeft() ? inset : 0);
  int y = origin.y() + (Frame().DrawTop() ? inset : 0);
  const TAlignment alignment = AppliedAlignment(Alignment(), UseRightToLeftAlignment());
  int x = left;
  TTextAnchor anchor = TTextAnchor::Left;
  if (alignment == taRightJustify) {
    anchor = TTextAnchor::Right;
    x += w;
  } else if (alignment == taCenter) {
    anchor = TTextAnchor::Center;
    x += w / 2;
  }
  const int lineHeight = canvas.TextExtent(QStringLiteral("W")).height();
  for (const QString& line : outputLines_) {
    canvas.TextOut(x, y, anchor, line, UseRightToLeftReading());
    y += lineHeight;
  }
  PaintOutline(canvas, origin);
}

// ---- design ---------------------------------------------------------------

bool TQRCustomLabel::ReadProperty(const QString& name, const TDesignValue& value,
                                  TDesignReader& reader) {
  if (name == QLatin1String("Caption")) {
    SetCaption(AsString(value));
  } else if (name == QLatin1String("Lines")) {
    SetLines(AsStrings(value));
  } else if (name == QLatin1String("AutoSize")) {
    SetAutoSize(AsBoolean(value));
  } else if (name == QLatin1String("AutoStretch")) {
    SetAutoStretch(AsBoolean(value));
  } else if (name == QLatin1String("WordWrap")) {
    SetWordWrap(AsBoolean(value));
  } else if (name == QLatin1String("FontSize")) {
    const int points = AsInteger(value);
    if (points < 0) throw EDesignError(value.Line(), QStringLiteral("FontSize below 0"));
    SetFontSize(points);
  } else if (name == QLatin1String("BiDiMode")) {
    SetBiDiMode(AsEnum<TBiDiMode>(value, BiDiModeNames()));
  } else if (name == QLatin1String("ParentBiDiMode")) {
    SetParentBiDiMode(AsBoolean(value));
  } else if (name == QLatin1String("OnPrint")) {
    OnPrint = reader.Method<TQRLabelOnPrintEvent>(value);
  } else {
    return TQRPrintable::ReadProperty(name, value, reader);
  }
  return true;
}
