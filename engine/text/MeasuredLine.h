#pragma once
// A line of a text element grown word by word on the report's text measurer:
// each word tried costs that word and its join with the line, so laying out a
// line costs in proportion to its words. Its widths are the measurer's
// LayoutWidth of the line's text.

#include "LineLayout.h"
#include "TextMeasurer.h"

class TMeasuredLine final : public TGrowingLine {
 public:
  TMeasuredLine(TTextMeasurer& measurer, const TFontSpec& font, int zoom)
      : measurer_(measurer), font_(font), zoom_(zoom) {}

  void Clear() override { line_ = {}; }
  int TryWord(QStringView word) override {
    return measurer_.LayoutWidthWith(font_, zoom_, line_, word, tried_);
  }
  void AcceptWord() override { line_ = tried_; }

 private:
  TTextMeasurer& measurer_;
  const TFontSpec font_;
  const int zoom_;
  TTextMeasurer::TLineExtent line_;
  TTextMeasurer::TLineExtent tried_;
};
