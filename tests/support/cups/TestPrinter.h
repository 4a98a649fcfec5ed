#pragma once
// The private CUPS scheduler that scripts/test-printer.sh runs the printing
// tests beside, with its cups-pdf queue "PDF": where the queue writes, and
// reading back what arrived.
//
//   ASSERT_TRUE(test_printer::Missing().isEmpty()) << test_printer::Missing().toStdString();
//   ...print a job titled `title` to "PDF"...
//   const QString pdf = test_printer::WaitForPdf(
//       [&](const QString& name) { return name.contains(title); });

#include <QString>
#include <functional>

namespace test_printer {

// The folder the queue writes its PDFs to, each named after its job's title;
// empty when the tests do not run beside the private scheduler.
QString PdfFolder();

// Empty when the printing tests can run; otherwise what is missing and the
// command that provides it. The tests never fall back on the machine's own
// scheduler: its queues are not theirs to print to.
QString Missing();

// The path of the first PDF in the queue's folder whose file name `wanted`
// accepts and that pdfinfo reads in full (cups-pdf writes it in steps);
// empty when none arrived within `limitMs`.
QString WaitForPdf(const std::function<bool(const QString& name)>& wanted,
                   int limitMs = 120000);

// The names of the PDFs in the queue's folder now.
QStringList Pdfs();

enum class TTextLayout { Reading, Physical };

// The text pdftotext reads from `path`, one form feed after each page.
QString PdfText(const QString& path, TTextLayout layout = TTextLayout::Reading);

}  // namespace test_printer
