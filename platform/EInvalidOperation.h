#pragma once
// Misuse of a service by its caller ("Too many buttons specified for message
// box"); shown in the error box like every other escaped error.

#include "Errors.h"

class EInvalidOperation : public EError {
 public:
  using EError::EError;
};
