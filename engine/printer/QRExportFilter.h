#pragma once
// Export formats that the preview's save dialog offers after the prepared
// report file: each has a description and an extension ("PDF file", "pdf")
// and writes the pages a printer holds into a file of its format. The
// program registers the filters it offers when it starts; a test registers
// its own for as long as it runs.
//
//   TQRPdfFilter pdf;
//   TQRExportFilterRegistration offered(&pdf);  // listed while this lives

#include <QString>
#include <vector>

class TQRPrinter;

class TQRExportFilter {
 public:
  virtual ~TQRExportFilter() = default;
  virtual QString Description() const = 0;
  // Without the dot.
  virtual QString Extension() const = 0;
  // Writes every page `printer` holds into `fileName`, which is replaced
  // only by a complete file. Throws the platform's "Cannot create file"
  // error, and the errors of pages that cannot be read.
  virtual void WritePages(TQRPrinter& printer, const QString& fileName) = 0;
};

// The registered filters, in the order of their registration.
const std::vector<TQRExportFilter*>& ExportFilters();

// Lists `filter` (not owned) among the export filters while it lives.
class TQRExportFilterRegistration {
 public:
  explicit TQRExportFilterRegistration(TQRExportFilter* filter);
  ~TQRExportFilterRegistration();
  TQRExportFilterRegistration(const TQRExportFilterRegistration&) = delete;
  TQRExportFilterRegistration& operator=(const TQRExportFilterRegistration&) = delete;

 private:
  TQRExportFilter* filter_;
};
