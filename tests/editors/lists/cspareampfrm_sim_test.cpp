// The backup-amplifier list's status poll on the real link and the
// simulated unit: the "replaces" column shows what a backup amplifier
// replaces, and an answer "OFF" leaves the cell as it was.
#include "amps/cspareamp.h"
#include "editors/lists/cspareampfrm.h"
#include "editors/lists/cspareampview.h"
#include "editors/lists/spareamplistmodel.h"
#include "model/cselvantisdoc.h"
#include "monitorhandlers.h"
#include "support/simlinktest.h"

#include <QHeaderView>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

class SpareAmpPollSimTest : public SimLinkTest {
 protected:
  void SetUp() override {
    StartSim(RegisterMonitorHandlers);
    doc.OnNewDocument();
    SetActiveDoc(&doc);
    CSpareAmp* spare = CSpareAmp::EnsureIn(doc);
    ASSERT_NE(spare, nullptr);
    ASSERT_TRUE(spare->SetEntry(0, QStringLiteral("Spare 1"), true, CSpareAmp::kTypeReadyInput, 1, 0));
  }
  void TearDown() override {
    frame.reset();
    SetActiveDoc(nullptr);
    SimLinkTest::TearDown();
  }

  std::unique_ptr<CSpareAmpFrm> frame;
};

}  // namespace

TEST_F(SpareAmpPollSimTest, AnOffAnswerLeavesTheReplacesCellAsItWas) {
  ASSERT_TRUE(Connect());
  frame = std::make_unique<CSpareAmpFrm>(HostFrameContext{&doc, nullptr, HostFrameKind::BackupAmplifiers});
  frame->resize(900, 400);
  frame->show();
  CSpareAmpView* entries = frame->GetEntryView();
  ASSERT_NE(entries, nullptr);
  ASSERT_EQ(entries->RowCount(), 1);
  // The user starts the poll with a click on the column's title.
  QHeaderView* header = entries->header();
  const int section = SpareAmpListModel::kReplaces;
  const QPoint title(header->sectionViewportPosition(section) + header->sectionSize(section) / 2, header->height() / 2);
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, title);
  ASSERT_TRUE(entries->IsPolling());

  sim.SetValue("/SPAREAMP/ENTRY1/REPLACE", "7");
  entries->PollStatus();
  EXPECT_EQ(entries->CellText(0, SpareAmpListModel::kReplaces), "7");
  // The backup amplifier replaces nothing now: the unit answers "OFF".
  sim.RemoveValue("/SPAREAMP/ENTRY1/REPLACE");
  sim.ClearLog();
  entries->PollStatus();
  EXPECT_EQ(sim.FullLines(), QStringList{"/SPAREAMP/ENTRY1/REPLACE ?"});
  EXPECT_EQ(entries->CellText(0, SpareAmpListModel::kReplaces), "7");
  entries->StopPoll();
  EXPECT_TRUE(messages.Requests().empty());
}
