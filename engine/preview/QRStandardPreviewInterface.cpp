#include "QRStandardPreviewInterface.h"

#include <QDialog>
#include <QEventLoop>
#include <QMetaObject>
#include <QPointer>
#include <QWidget>

namespace {

TQRStandardPreviewConstructor g_constructor = nullptr;

// Modal run for a window that is not a dialog: wait until it is hidden or
// destroyed.
void RunModal(QWidget* window) {
  QPointer<QWidget> guard(window);
  QEventLoop loop;
  QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
  window->setWindowModality(Qt::ApplicationModal);
  window->show();
  while (guard && guard->isVisible()) loop.processEvents(QEventLoop::WaitForMoreEvents);
}

}  // namespace

void SetStandardPreviewConstructor(TQRStandardPreviewConstructor constructor) {
  g_constructor = constructor;
}

QWidget* TQRStandardPreviewInterface::OpenWindow(TQRPrinter* printer) {
  if (!g_constructor) return nullptr;
  QWidget* window = g_constructor(printer);
  if (!window) return nullptr;
  window->show();
  const int index = window->metaObject()->indexOfMethod("UpdatePageStatus()");
  if (index >= 0) QMetaObject::invokeMethod(window, "UpdatePageStatus");
  return window;
}

QWidget* TQRStandardPreviewInterface::OpenWindowModal(TQRPrinter* printer) {
  if (!g_constructor) return nullptr;
  QPointer<QWidget> window = g_constructor(printer);
  if (!window) return nullptr;
  if (auto* dialog = qobject_cast<QDialog*>(window.data())) {
    dialog->exec();
  } else {
    RunModal(window);
  }
  return window;
}

void InstallStandardPreviewInterface() {
  SetPreviewInterfaceClass(&MakePreviewInterface<TQRStandardPreviewInterface>);
}
