#pragma once
// A failure of the tool itself (bad arguments, an output it cannot write).
// Errors of the engine (EError) keep their own messages.

#include "Errors.h"

class EToolError : public EError {
 public:
  using EError::EError;
};
