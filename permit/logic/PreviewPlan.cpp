#include "PreviewPlan.h"

#include "EntryChecks.h"
#include "ZeroPad.h"

namespace permit {

PreviewPlan PlanPreview(const PermitEntry& entry, const DateTimeTexts& texts) {
  PreviewPlan plan;
  plan.refusal = FirstEntryRefusal(entry);
  if (plan.refusal) return plan;
  PermitEntry padded = entry;
  padded.Folio = ZeroPadded(entry.Folio);
  padded.NoEco = ZeroPadded(entry.NoEco);
  plan.Folio = padded.Folio;
  plan.NoEco = padded.NoEco;
  plan.captions = ComposeCaptions(padded, texts);
  return plan;
}

}  // namespace permit
