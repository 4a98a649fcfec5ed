#pragma once
// The PDF export: every page a printer holds, on paper of its own size,
// drawn as vectors with its text as text in embedded fonts, by the same PDF
// writer that spools print jobs. Works on pages a run made and on pages
// loaded from a prepared report file alike, since it writes what is stored.

#include "QRExportFilter.h"

class TQRPdfFilter : public TQRExportFilter {
 public:
  QString Description() const override { return QStringLiteral("PDF file"); }
  QString Extension() const override { return QStringLiteral("pdf"); }
  void WritePages(TQRPrinter& printer, const QString& fileName) override;
};
