#pragma once
// The preview window's image list: 16 x 16 pictures, each also drawn at
// 32 x 32 for screens of twice the density, built into the program from
// resources/preview. The first eleven are the toolbar's own; the find and
// thumbnail pictures follow them.

#include <QIcon>

enum class TQRPreviewGlyph {
  ZoomToFit = 0,     // a page inside a frame
  ZoomTo100 = 1,     // a page with lines of text
  ZoomToWidth = 2,   // a page with arrows to both side edges
  FirstPage = 3,     // a bar and a left-pointing triangle
  PreviousPage = 4,  // a left-pointing triangle
  NextPage = 5,      // a right-pointing triangle
  LastPage = 6,      // a right-pointing triangle and a bar
  PrinterSetup = 7,  // a printer with a setting tool
  Print = 8,         // a printer
  LoadReport = 9,    // an open folder
  SaveReport = 10,   // a diskette
  Find = 11,         // a magnifying glass
  Thumbnails = 12,   // small pages beside a large one
};

constexpr int kPreviewGlyphCount = 13;
constexpr int kPreviewGlyphSize = 16;  // pixels

// The resource path of a glyph, ":/preview/<name>.png", or of its picture
// at `scale` times the size, ":/preview/<name>@2x.png".
QString PreviewGlyphPath(TQRPreviewGlyph glyph, int scale = 1);
// Both pictures: a screen of device pixel ratio 2 shows the 32-pixel one.
QIcon PreviewGlyph(TQRPreviewGlyph glyph);
