// The hardware scan on the real link and the simulated unit: the unit
// answers every slot query with the slot's module, so no protocol text
// ("ERROR /SLOT1/MODULE") ever becomes a module name.
#include "link/ccommlink.h"
#include "modulehandlers.h"
#include "online/chardwarescan.h"
#include "support/simlinktest.h"

#include <QCoreApplication>
#include <QElapsedTimer>

namespace {

class CHardwareScanSimTest : public SimLinkTest {
 protected:
  void SetUp() override { StartSim(RegisterModuleHandlers); }
  // Connected, with the echoes of the connection's own lines received: the
  // scan's exchange counts only its own answers.
  bool ConnectQuiet() {
    if (!Connect()) return false;
    QElapsedTimer limit;
    limit.start();
    // The unit echoes every line: input after the last output, then quiet.
    while (link->OutBufferCount() > 0 || link->GetTimeSinceLastInput() >= link->GetTimeSinceLastOutput() ||
           link->GetTimeSinceLastInput() < 300) {
      if (limit.elapsed() > 20000) return false;
      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
  }
};

TEST_F(CHardwareScanSimTest, SlotsShowTheUnitsModules) {
  ASSERT_TRUE(ConnectQuiet());
  sim.SetValue("/SLOT1/MODULE", "IN4");
  sim.SetValue("/SLOT2/MODULE", "OUT8");
  CHardwareScan scan(link.get());
  scan.ScanSlots();
  QStringList texts;
  for (const CHardwareScan::Item& item : scan.Items()) texts << item.text;
  EXPECT_EQ(texts, (QStringList{"Slot1: IN4", "Slot2: OUT8", "Slot3: NONE", "Slot4: NONE", "Slot5: NONE"}));
}

TEST_F(CHardwareScanSimTest, AvailabilityQueriesAreAnswered) {
  ASSERT_TRUE(ConnectQuiet());
  sim.SetValue("/AMP/AVLBL", "1-2");
  CHardwareScan scan(link.get());
  scan.ScanAmplifiers();
  ASSERT_EQ(scan.Items().size(), 2u);
  EXPECT_EQ(scan.Items()[0].text, "Amplifier 01");
  scan.ScanCards();
  ASSERT_EQ(scan.Items().size(), 1u);
  EXPECT_EQ(scan.Items()[0].text, "No KCM cards present!");
  scan.ScanConsoles();
  ASSERT_EQ(scan.Items().size(), 1u);
  EXPECT_EQ(scan.Items()[0].text, "No Consoles present!!");
}

}  // namespace
