#pragma once
// All-or-nothing output: files are staged in memory and written only once
// every one of them is ready; when one cannot be written, the ones already
// written (and a folder made for them) are removed again.

#include <QByteArray>
#include <QString>
#include <vector>

struct TOutputFile {
  QString path;
  QByteArray bytes;
};

// Writes every file, creating `folder` when it is missing (empty: the files
// name their own folders). Throws EFCreateError "Cannot create file ...".
void WriteAllOrNothing(const QString& folder, const std::vector<TOutputFile>& files);

// "page-0001.png" for page 1.
QString PageFileName(int page, const char* extension);
