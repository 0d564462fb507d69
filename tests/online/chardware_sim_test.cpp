// The hardware window on the real link and the simulated unit: it shows at
// once and fills its slots when the unit's answers arrive.
#include "link/ccommlink.h"
#include "link/linkmode.h"
#include "modulehandlers.h"
#include "online/chardwaredlgfrm.h"
#include "online/chardwaredlgtreeview.h"
#include "shell/controls/cframehostdialog.h"
#include "support/simlinktest.h"
#include "support/waituntil.h"

#include <QTreeWidget>

namespace {

class CHardwareSimTest : public SimLinkTest {
 protected:
  void SetUp() override {
    StartSim(RegisterModuleHandlers);
    doc.OnNewDocument();
    doc.SetUpgradeFlag(1);
    SetActiveDoc(&doc);
  }
  void TearDown() override {
    SetActiveDoc(nullptr);
    SimLinkTest::TearDown();
  }
};

TEST_F(CHardwareSimTest, TheSlotsFillInWhenTheUnitHasAnswered) {
  ASSERT_TRUE(Connect());
  for (int slot = 1; slot <= 5; ++slot) sim.SetValue(QStringLiteral("/SLOT%1/MODULE").arg(slot), "IN8");
  CFrameHostDialog host(&doc, HostFrameKind::Hardware);
  host.show();
  auto* frame = qobject_cast<CHardwareDlgFrm*>(host.GetFrame());
  ASSERT_NE(frame, nullptr);
  QTreeWidget* tree = frame->GetTreeView()->Tree();
  ASSERT_TRUE(WaitUntil([&] { return tree->topLevelItemCount() == 5; }));
  EXPECT_EQ(tree->topLevelItem(0)->text(0), "Slot1: IN8");
  EXPECT_EQ(link->GetLinkMode(), LINKMODE_NORMAL);
  EXPECT_TRUE(messages.Requests().empty());
  host.reject();
}

}  // namespace
