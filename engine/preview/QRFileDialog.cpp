#include "QRFileDialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

namespace {

class TQtFileDialog : public TQRFileDialog {
 public:
  TQRFileDialogAnswer RunSave(const TQRFileDialogRequest& request) override {
    return Run(request, QFileDialog::AcceptSave);
  }
  TQRFileDialogAnswer RunOpen(const TQRFileDialogRequest& request) override {
    return Run(request, QFileDialog::AcceptOpen);
  }

 private:
  static TQRFileDialogAnswer Run(const TQRFileDialogRequest& request,
                                 QFileDialog::AcceptMode mode) {
    QFileDialog dialog(request.owner, request.title);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                       : QFileDialog::ExistingFile);
    const QStringList filters = QtNameFilters(request.filter);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(request.defaultExtension);
    // A name typed without an extension takes the chosen entry's: "x" saved
    // as a PDF file is "x.pdf", not "x.QRP".
    if (!request.defaultExtension.isEmpty())
      QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& chosen) {
        const QString extension = FilterExtension(chosen);
        dialog.setDefaultSuffix(extension.isEmpty() ? request.defaultExtension : extension);
      });
    TQRFileDialogAnswer answer;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return answer;
    answer.confirmed = true;
    answer.fileName = dialog.selectedFiles().constFirst();
    answer.filterIndex = std::max(0, int(filters.indexOf(dialog.selectedNameFilter()))) + 1;
    return answer;
  }
};

TQRFileDialog* g_installed = nullptr;

}  // namespace

TQRFileDialog& FileDialog() {
  static TQtFileDialog qtDialog;
  return g_installed ? *g_installed : qtDialog;
}

ScopedFileDialog::ScopedFileDialog(TQRFileDialog* dialog) : previous_(g_installed) {
  g_installed = dialog;
}
ScopedFileDialog::~ScopedFileDialog() { g_installed = previous_; }

QStringList QtNameFilters(const QString& filter) {
  const QStringList parts = filter.split(u'|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString& description = parts[i];
    const QString pattern = parts[i + 1].trimmed();
    // Qt takes the pattern from the parentheses that end the entry.
    const bool namesItsPattern = description.trimmed().endsWith(u'(' + pattern + u')');
    // Several patterns are separated by ';' in the engine's form, by blanks in Qt's.
    filters << (namesItsPattern ? description
                                : description + QStringLiteral(" (") +
                                      QString(pattern).replace(u';', u' ') + u')');
  }
  return filters;
}

QString FilterExtension(const QString& nameFilter) {
  static const QRegularExpression pattern(QStringLiteral("\\(\\*\\.(\\w+)\\)\\s*$"));
  const QRegularExpressionMatch match = pattern.match(nameFilter);
  return match.hasMatch() ? match.captured(1) : QString();
}

QString WithDefaultExtension(const QString& fileName, const QString& extension) {
  if (extension.isEmpty() || fileName.isEmpty()) return fileName;
  if (!QFileInfo(fileName).fileName().contains(u'.')) return fileName + u'.' + extension;
  return fileName;
}
