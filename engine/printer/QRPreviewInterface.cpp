#include "QRPreviewInterface.h"

QWidget* TQRPreviewInterface::OpenWindow(TQRPrinter*) { return nullptr; }
QWidget* TQRPreviewInterface::OpenWindowModal(TQRPrinter*) { return nullptr; }

namespace {
TQRPreviewInterfaceClass g_previewClass = &MakePreviewInterface<TQRPreviewInterface>;
}

TQRPreviewInterfaceClass PreviewInterfaceClass() { return g_previewClass; }

void SetPreviewInterfaceClass(TQRPreviewInterfaceClass factoryClass) {
  g_previewClass = factoryClass ? factoryClass : &MakePreviewInterface<TQRPreviewInterface>;
}
