#pragma once
// The base of every element placed on a band or on the report: its stored
// position and size (Size), its frame, the band alignment, and the output
// state a generation run uses. The pixel bounds are the on-screen image of
// the stored values; while a design loads they are only remembered, and at
// the loaded step the stored values win, pixel values filling in zeros.
// Element kinds (text, shapes, pictures) derive from this class.

#include <QRectF>
#include <memory>

#include "QRControl.h"
#include "QRFrame.h"
#include "QRPrintableSize.h"
#include "TextAlignment.h"

class TQRCustomReport;
class TQRPrinter;

// What a band or report tells its elements.
enum class TQRNotifyOperation : int { BandResized = 2 };

class TQRPrintable : public TQRControl {
 public:
  explicit TQRPrintable(TQRComponent* owner);
  ~TQRPrintable() override;

  QString ClassName() const override { return QStringLiteral("TQRPrintable"); }

  TQRPrintableSize& Size() { return *size_; }
  const TQRPrintableSize& Size() const { return *size_; }
  TQRFrame& Frame() { return frame_; }
  const TQRFrame& Frame() const { return frame_; }

  TAlignment Alignment() const { return alignment_; }
  virtual void SetAlignment(TAlignment alignment);
  bool AlignToBand() const { return alignToBand_; }
  void SetAlignToBand(bool alignToBand);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent) { transparent_ = transparent; }

  TQRCustomReport* ParentReport() const { return report_; }
  void SetParentReport(TQRCustomReport* report);
  // The report's zoom, for the on-screen image.
  void SetZoom(int zoom);

  // True unless the element is visible and disabled.
  virtual bool IsPrintable() const;
  // Keeps the element at its band's left edge, right edge or centre.
  virtual void ApplyBandAlignment();
  // Before a run: the element is in output and takes the report's printer.
  virtual void PrepareOutput();
  // Prints the element offset by the band's position on the page (tenths of
  // a millimetre). The base draws the frame lines in the final pass; the
  // element kinds draw themselves first.
  virtual void PrintAt(int ofsX, int ofsY);
  virtual void ReportNotification(TQRComponent* sender, TQRNotifyOperation operation);
  virtual void FinishOutput();

  void SetParent(TQRControl* parent) override;
  void SetBounds(int left, int top, int width, int height) override;
  void Loaded() override;
  void Paint(TCanvas& canvas, QPoint origin) override;
  bool ReadProperty(const QString& name, const TDesignValue& value, TDesignReader& reader) override;

  // Output state of a run.
  TQRPrinter* OutputDevice() const { return outputDevice_; }
  bool PrintDone() const { return printDone_; }
  void SetPrintDone(bool done) { printDone_ = done; }
  bool InOutput() const { return inOutput_; }

  // Pixel bounds a design gave while loading (0: none given).
  int LoadedLeft() const { return loadedLeft_; }
  int LoadedTop() const { return loadedTop_; }
  int LoadedWidth() const { return loadedWidth_; }
  int LoadedHeight() const { return loadedHeight_; }

 protected:
  // Parent width for alignment, when the parent is a band; -1 otherwise.
  int BandWidth() const;

  // The printer a run draws on: the one taken at PrepareOutput, else the
  // owning report's current one; none outside a run.
  TQRPrinter* Device() const;
  // Fills and frames are drawn only in the final pass (not in an export run).
  bool FinalPass() const;
  // The element's rectangle on the page, offset by the band's position:
  // stored tenths of a millimetre, whatever unit Size reads in.
  QRectF PageRect(int ofsX, int ofsY) const;
  // The frame over the element's device rectangle, at the printer's scale.
  void PrintFrame(TQRPrinter& printer, const QRectF& pageRect) const;

  // On-screen drawing: the white client area of an opaque element, and the
  // corner marks with the frame.
  void PaintBackground(TCanvas& canvas, QPoint origin) const;
  void PaintOutline(TCanvas& canvas, QPoint origin) const;

 private:
  std::unique_ptr<TQRPrintableSize> size_;
  TQRFrame frame_;
  TAlignment alignment_ = taLeftJustify;
  bool alignToBand_ = false;
  bool transparent_ = true;  // not opaque; text elements make themselves opaque
  TQRCustomReport* report_ = nullptr;
  TQRPrinter* outputDevice_ = nullptr;
  bool printDone_ = true;
  bool inOutput_ = false;
  int loadedLeft_ = 0, loadedTop_ = 0, loadedWidth_ = 0, loadedHeight_ = 0;
  bool aligning_ = false;
};

inline constexpr int kNewElementSize = 10;  // pixels, both ways

// taLeftJustify, taRightJustify, taCenter, as designs write them.
const QStringList& AlignmentNames();
