#pragma once
// What the preview command does with one entry, decided without a window:
// either the one message that refuses the entry, or the padded Folio and
// NoEco to write back into their boxes and the ten captions for the permit
// document. The window then clears and writes the captions, shows the legal
// notice (LegalNotice.h) and opens the preview.

#include <QString>
#include <optional>

#include "DateTimeTexts.h"
#include "PermitCaptions.h"
#include "PermitEntry.h"

namespace permit {

struct PreviewPlan {
  std::optional<QString> refusal;  // when set, nothing else is to change
  QString Folio;                   // padded, for the box
  QString NoEco;                   // padded, for the box
  PermitCaptions captions;
};

PreviewPlan PlanPreview(const PermitEntry& entry, const DateTimeTexts& texts);

}  // namespace permit
