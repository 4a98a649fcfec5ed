#pragma once
// Reads the text of a design into a tree of objects, each with its
// properties and nested objects in the order written. Syntax only: what the
// names mean is the loader's and the classes' business. Any fault raises
// EDesignError naming the line.
//
// The design format (UTF-8 text, one property per line by habit; line
// breaks and blanks are free except inside a text):
//
//   object QRSample: TQRReport            // the root: name, then class
//     Page.Orientation = poLandscape      // dotted names reach owned parts
//     Page.PaperSize = Letter
//     Page.Values = (100.0 2159.0 100.0 2794.0 100.0 100.0 0.0)
//     Options = [FirstPageHeader, LastPageFooter]
//     ReportTitle = 'Bob''s report'       // a quote inside a text is doubled
//     Color = $00FFFFFF                   // colours as $00BBGGRR or clName
//     Functions.Names = ('PAGENUMBER' 'COLUMNNUMBER' 'REPORTTITLE')
//     Functions.Values = ('0' '0' '''''')
//     object SummaryBand1: TQRBand        // nested objects are its children
//       BandType = rbSummary
//       Height = 739                      // pixels: the Size values below decide
//       Size.Values = (1955.2708333333333 2592.9166666666667)
//       AfterPrint = SummaryBand1AfterPrint   // a handler the root publishes
//     end
//   end
//
// Values: integers (decimal, or hexadecimal after $), numbers with a point
// or an exponent (read with every digit given, as extended precision),
// texts in single quotes on one line, names (enumeration values, True and
// False, colours, handlers, other objects of the design), sets of names in
// brackets separated by commas, and lists in parentheses whose items are
// separated by blanks or commas and may be lists themselves. A comment runs
// from // to the end of the line.
//
// The root's class is the class of the object the design is loaded into;
// nested objects are created by their class name, owned by the root and
// placed on the object they are nested in. Left, Top, Width and Height are
// the on-screen pixels: stored Values win over them, and they only fill in
// what the Values leave at 0 (a band takes a height other than 40 from them
// when it has no Values).
//
// Properties are applied in the order written, so a later one overrides
// what an earlier one set: a page gives Columns, Orientation and PaperSize
// before its Values. Measures are stored as Values lists in tenths of a
// millimetre: a page (BottomMargin, Length, TopMargin, Width, LeftMargin,
// RightMargin, ColumnSpace), a band's Size (Height, Width), an element's
// Size (Height, Left, Top, Width). The format is stable: new properties may
// be added, existing ones keep their spelling and meaning.

#include <QString>
#include <memory>
#include <optional>
#include <vector>

#include "DesignValue.h"

struct TDesignObject;

// One line of an object: a property with its value, or a nested object.
struct TDesignMember {
  int line = 0;
  QString property;
  std::optional<TDesignValue> value;
  std::unique_ptr<TDesignObject> object;
};

struct TDesignObject {
  int line = 0;
  QString name;
  QString className;
  std::vector<TDesignMember> members;
};

// Objects nest at most this deep; a list holds lists at most this deep.
inline constexpr int kMaxDesignDepth = 32;

TDesignObject ParseDesign(const QString& text);
