#pragma once
// Hands a finished PDF file to a CUPS queue as one job and reports what CUPS
// answered: the submission is the one spool step whose failure would
// otherwise go unseen.

#include <QString>

struct TCupsJobOptions {
  int copies = 1;
  QString media;  // CUPS media name, e.g. "Letter"; empty leaves the queue's default
  QString sides;  // "one-sided", "two-sided-long-edge", "two-sided-short-edge"; empty: default
};

// Returns the job id. Throws EPrinter with CUPS's reason when it refuses.
int SubmitCupsJob(const QString& destination, const QString& pdfPath, const QString& title,
                  const TCupsJobOptions& options);

// Extra facts CUPS keeps about a queue: its device URI and PPD file.
QString CupsDeviceUri(const QString& destination);
QString CupsPpdPath(const QString& destination);
