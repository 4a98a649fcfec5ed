#pragma once
// The page setup of one report: margins, paper length and width, column
// gap (Values items 0 to 6, in this order), the column count, orientation,
// paper size and the on-screen ruler switch. Length and Width follow the
// paper size table unless the paper size is Custom.

#include <QStringList>

#include "PaperSizes.h"
#include "PrinterOrientation.h"
#include "QRUnitBase.h"

class TQRPage : public TQRUnitBase {
 public:
  enum ValueIndex {
    kBottomMargin,
    kLength,
    kTopMargin,
    kWidth,
    kLeftMargin,
    kRightMargin,
    kColumnSpace,
    kValueCount
  };

  TQRPage();

  long double BottomMargin() const { return Get(kBottomMargin, TQRDirection::Vertical); }
  long double Length() const { return Get(kLength, TQRDirection::Vertical); }
  long double TopMargin() const { return Get(kTopMargin, TQRDirection::Vertical); }
  long double Width() const { return Get(kWidth, TQRDirection::Horizontal); }
  long double LeftMargin() const { return Get(kLeftMargin, TQRDirection::Horizontal); }
  long double RightMargin() const { return Get(kRightMargin, TQRDirection::Horizontal); }
  long double ColumnSpace() const { return Get(kColumnSpace, TQRDirection::Horizontal); }

  void SetBottomMargin(long double value);
  // Accepted only while the paper size is Custom.
  void SetLength(long double value);
  void SetWidth(long double value);
  void SetTopMargin(long double value);
  void SetLeftMargin(long double value);
  void SetRightMargin(long double value);
  void SetColumnSpace(long double value);

  int Columns() const { return columns_; }
  // Values not above 0, or equal to the current one, are ignored.
  void SetColumns(int columns);
  TPrinterOrientation Orientation() const { return orientation_; }
  // Re-applies the paper size, so a standard size swaps its dimensions.
  void SetOrientation(TPrinterOrientation orientation);
  TQRPaperSize PaperSize() const { return paperSize_; }
  // A standard size sets Width and Length from the table in the current
  // orientation; Default and Custom keep the dimensions there are.
  void SetPaperSize(TQRPaperSize paperSize);
  bool Ruler() const { return ruler_; }
  void SetRuler(bool ruler) { ruler_ = ruler; }

  // Gives the report control the pixel size of Width and Length.
  void ResizeOwner() override;
  // Also marks the report's on-screen image for repainting.
  void SetUnits(TQRUnit units) override;
  void ReadValues(const std::vector<long double>& values) override;
  bool ReadProperty(const QString& name, const TDesignValue& value, TDesignReader& reader) override;

 private:
  void LayoutReport();
  void RepaintReport();

  int columns_ = 1;
  TPrinterOrientation orientation_ = TPrinterOrientation::poPortrait;
  TQRPaperSize paperSize_ = TQRPaperSize::A4;
  bool ruler_ = true;
};

// Names of the paper sizes and orientations in their order, as designs write them.
const QStringList& PaperSizeNames();
const QStringList& OrientationNames();
