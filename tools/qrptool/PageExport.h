#pragma once
// Pages of a prepared report file written out as files: PNG images at a
// chosen resolution, one vector PDF, or the metafiles themselves.

#include <QString>

void ExportPng(const QString& fileName, const QString& folder, int dotsPerInch);
void ExportPdf(const QString& fileName, const QString& pdfName);
void ExportEmf(const QString& fileName, const QString& folder);
