#include "QRProgressWindowClass.h"

namespace {
TQRProgressWindowClass g_progressWindowClass = nullptr;
}  // namespace

TQRProgressWindowClass ProgressWindowClass() { return g_progressWindowClass; }

void SetProgressWindowClass(TQRProgressWindowClass windowClass) {
  g_progressWindowClass = windowClass;
}

std::unique_ptr<QObject> MakeProgressWindow(TQRPrinter* printer, bool show) {
  if (g_progressWindowClass == nullptr) return nullptr;
  return g_progressWindowClass(printer, show);
}
