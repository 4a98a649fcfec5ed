// The permit on a machine whose CUPS scheduler has no queue at all (a
// scheduler of the test's own): previewing needs no printer, and the
// preview, a file saved from it and that file loaded again all show the
// design's landscape Letter paper with the whole permit on it.

#include "EmptyCupsScheduler.h"
#include "PermitRunFixture.h"
#include "PrinterDevice.h"

namespace {

class PermitWithoutQueues : public PermitRun {
 protected:
  void SetUp() override {
    ASSERT_TRUE(cups_.Running()) << cups_.Error().toStdString();
    scriptedPrinter_ = false;
    PermitRun::SetUp();
  }

  TEmptyCupsScheduler cups_;
};

TEST_F(PermitWithoutQueues, PreviewSaveAndReloadShowTheDesignsPaper) {
  ASSERT_EQ(CreatePrinterDevice()->Printers(), QStringList());
  Fill();
  ExpectLandscapeLetterPreviewedSavedAndLoaded();
}

}  // namespace
