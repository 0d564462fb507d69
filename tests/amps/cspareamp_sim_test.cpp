// The backup amplifiers against the simulated unit over the real link: a
// download lands in the unit's entries, and a query run with the clear token
// asks only for the entries the unit uses and takes their values back.

#include "amps/cspareamp.h"
#include "cmonitorsimfixture.h"
#include "link/ctransfer.h"

#include <gtest/gtest.h>

using namespace monitortest;
using namespace zonetest;

namespace {

using CSpareAmpSimTest = MonitorSimTest;

}  // namespace

TEST_F(CSpareAmpSimTest, EntriesGoToTheUnitAndComeBack) {
  CSpareAmp* spare = CSpareAmp::EnsureIn(doc);
  CAmplifier* first = AddAmplifier(doc, kAmpBus4);
  CAmplifier* second = AddAmplifier(doc, kAmpBus4);
  ASSERT_TRUE(spare && first && second);
  first->SetAddress(0, 0);
  second->SetAddress(0, 1);
  ASSERT_TRUE(spare->SetEntry(0, "Hall", true, CSpareAmp::kTypeAmpChannel, second->GetID(), 2));  // channel 7
  ASSERT_TRUE(spare->SetWatch(0, 0, 1, CSpareAmp::kTypeAmpChannel, first->GetID(), 2));           // channel 3
  ASSERT_TRUE(spare->SetWatchRelays(0, 0, 12, 3));
  ASSERT_TRUE(spare->SetEntry(2, "Stage", true, CSpareAmp::kTypeReadyInput, 5, 0));
  ASSERT_TRUE(Connect(true));

  CTransfer transfer;
  ASSERT_EQ(transfer.DownloadObject(*spare), CTransfer::Result::Done);
  EXPECT_EQ(sim.Value("/SPAREAMP/ENTRY1/INDEX"), "7");
  EXPECT_EQ(sim.Value("/SPAREAMP/ENTRY1/REMOTE"), "YES");
  EXPECT_EQ(sim.Value("/SPAREAMP/ENTRY1/WATCH1/INDEX"), "3");
  EXPECT_EQ(sim.Value("/SPAREAMP/ENTRY1/WATCH1/OUTRELAY"), "12");
  EXPECT_EQ(sim.Value("/SPAREAMP/ENTRY1/WATCH1/INPRELAY"), "3");
  EXPECT_EQ(sim.Value("/SPAREAMP/ENTRY3/INDEX"), "5");
  EXPECT_EQ(sim.Value("/SPAREAMP/ENTRY3/REMOTE"), "NO");
  EXPECT_FALSE(sim.HasValue("/SPAREAMP/ENTRY2/INDEX"));  // unnamed: skipped with the token
  EXPECT_TRUE(LinesUnder("/SPAREAMP/").filter("REPLACE").isEmpty());

  // On site an entry was added, and the project lost entry 1.
  sim.SetValue("/SPAREAMP/ENTRY4/INDEX", "2");
  sim.SetValue("/SPAREAMP/ENTRY4/REMOTE", "NO");
  ASSERT_TRUE(spare->SetEntry(0, "", false, CSpareAmp::kTypeReadyInput, 0, 0));
  sim.ClearLog();

  ASSERT_EQ(transfer.UploadObject(*spare), CTransfer::Result::Done);
  const QStringList asked = LinesUnder("/SPAREAMP/");
  ASSERT_FALSE(asked.isEmpty());
  EXPECT_EQ(asked.first(), "/SPAREAMP/CLEAR ?");
  EXPECT_EQ(asked.size(), 1 + 3 * 43);
  EXPECT_TRUE(asked.contains("/SPAREAMP/ENTRY1/REPLACE ?"));
  EXPECT_TRUE(asked.filter("/SPAREAMP/ENTRY2/").isEmpty());

  QString name;
  int type = 0;
  int value = 0;
  EXPECT_TRUE(spare->GetEntry(0, &name, &type, &value, nullptr));
  EXPECT_EQ(name, "Backup Amplifier 1");
  EXPECT_EQ(type, CSpareAmp::kTypeAmpChannel);
  EXPECT_EQ(value, 7);
  int out = 0;
  int in = 0;
  EXPECT_TRUE(spare->GetWatch(0, 0, &type, &value, &out, &in));
  EXPECT_EQ(value, 3);
  EXPECT_EQ(out, 12);
  EXPECT_EQ(in, 3);
  EXPECT_TRUE(spare->GetEntry(2, &name, &type, &value, nullptr));
  EXPECT_EQ(name, "Stage");
  EXPECT_EQ(type, CSpareAmp::kTypeReadyInput);
  EXPECT_TRUE(spare->GetEntry(3, &name, &type, &value, nullptr));
  EXPECT_EQ(name, "Backup Amplifier 4");
  EXPECT_EQ(value, 2);
  EXPECT_FALSE(spare->GetEntry(1, &name, nullptr, nullptr, nullptr));
  EXPECT_TRUE(messages.Requests().empty());
}
