// The entry window's one command, PRELIMINAR: check the entry, pad the
// numbers, fill the permit document, show the legal notice and open the
// preview. It lives apart from the window's set-up because it is where the
// window reaches the permit document.

#include "Dialogs.h"
#include "LegalNotice.h"
#include "PreviewPlan.h"
#include "TFormPermiso.h"
#include "TQRPermiso.h"

void TFormPermiso::BtnPreliminarClick() {
  // Start-up makes the document right after the window's first paint; a
  // press that could come before it has nothing to fill yet.
  if (QRPermiso == nullptr) return;
  const permit::PreviewPlan plan = permit::PlanPreview(Entry(), permit::DateTimeTexts());
  if (plan.refusal) {
    ShowPlainMessage(*plan.refusal);
    return;
  }
  QRPermiso->ClearCaptions();
  Folio->setText(plan.Folio);
  NoEco->setText(plan.NoEco);
  QRPermiso->WriteCaptions(plan.captions);
  ShowNotice(permit::LegalNoticeText(), permit::LegalNoticeCaption());
  // Waits here, handling messages, until the preview window closes; a
  // preview already open is refilled by the report and no second one opens.
  QRPermiso->ShowPreview();
}
