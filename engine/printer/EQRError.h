#pragma once
// Misuse of a report printer: a run begun twice, a page asked for outside a
// run. The message is the printer's own English text.

#include "Errors.h"

class EQRError : public EError {
 public:
  using EError::EError;
};

inline QString QRPrinterNotReadyMessage() { return QStringLiteral("QRPrinter not ready"); }
inline QString IllegalNewPageMessage() { return QStringLiteral("Illegal call to NewPage"); }
