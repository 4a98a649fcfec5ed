#include "TextElementLayout.h"

TTextLayout LayoutTextElement(const TTextLayoutRequest& request, const TTextWidth& width,
                              int lineHeight, TGrowingLine* line) {
  const TLineLayoutOptions options{
      .width = request.bounds.width, .autoSize = request.autoSize, .wordWrap = request.wordWrap};
  TTextLayout result{.outputLines = {}, .bounds = request.bounds};
  if (request.source == TTextSource::Caption) {
    result.outputLines = LayoutCaption(request.outputText, options, width, line);
    if (request.resize) {
      result.bounds.height = RaisedToLineHeight(result.bounds.height, lineHeight);
    }
  } else {
    result.outputLines = LayoutMemoLines(request.memoLines, options, width, line);
  }
  if (request.autoSize && request.resize) {
    const TAlignment applied = AppliedAlignment(request.alignment, request.rightToLeftAlignment);
    result.bounds = AutoSizedBounds(result.bounds, WidestLine(result.outputLines, width),
                                    request.frame, applied, lineHeight);
  }
  return result;
}
