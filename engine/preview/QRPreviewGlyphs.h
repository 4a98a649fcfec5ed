#pragma once
// The preview window's image list: eleven 16 x 16 pictures, built into the
// program from resources/preview.

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
};

constexpr int kPreviewGlyphCount = 11;
constexpr int kPreviewGlyphSize = 16;  // pixels

// The resource path of a glyph, ":/preview/<name>.png".
QString PreviewGlyphPath(TQRPreviewGlyph glyph);
QIcon PreviewGlyph(TQRPreviewGlyph glyph);
