#include "SystemPrintDialog.h"

#include "QtSystemPrintDialog.h"

namespace {
TSystemPrintDialog* g_dialog = nullptr;
}

TSystemPrintDialog& SystemPrintDialog() {
  static TQtSystemPrintDialog qtDialog;
  return g_dialog ? *g_dialog : qtDialog;
}

ScopedSystemPrintDialog::ScopedSystemPrintDialog(TSystemPrintDialog* dialog) : previous_(g_dialog) {
  g_dialog = dialog;
}

ScopedSystemPrintDialog::~ScopedSystemPrintDialog() { g_dialog = previous_; }
