// The monitor table: its download lines, the query conversation with the
// clear replies (and its time limit), uploads of entries and relays, the
// code-based accessors with their index checks, and the project-file record
// of every schema.

#include "amps/cmonitor.h"
#include "cmonitortestsupport.h"
#include "model/carchive.h"
#include "model/cprofile.h"
#include "model/cselectionprovider.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace monitortest;
using namespace zonetest;

namespace {

int MonitorCode(unsigned index, int field) { return static_cast<int>((index << 16) | static_cast<unsigned>(field)); }

class CMonitorTest : public TableTransferTest {
 protected:
  void SetUp() override {
    TableTransferTest::SetUp();
    monitor = CMonitor::EnsureIn(doc);
    ASSERT_NE(monitor, nullptr);
  }

  void SetClearToken(bool on) { CProfile::WriteInt("VMX7000", "MONI_CLR", on ? 1 : 0); }

  QStringList Download() {
    link.Clear();
    RunSteps(*monitor, false);
    return link.TakeLines();
  }

  QString Text(int code) const {
    QString out;
    return monitor->GetColumnText(out, code);
  }

  CMonitor* monitor = nullptr;
};

}  // namespace

TEST_F(CMonitorTest, EveryProjectHasTheMonitorUnderItsPath) {
  CSelvantisDoc fresh;
  ASSERT_TRUE(fresh.OnNewDocument());
  CMonitor* found = CMonitor::Find(&fresh);
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->GetID(), 1);
  EXPECT_EQ(found->GetPath(), "/MONI");
  EXPECT_EQ(found->GetName(), "Monitor");
  EXPECT_EQ(fresh.FindObjectByPath("/MONI"), found);

  // A project file without a monitor gets one when it is loaded.
  CSelvantisDoc bare;
  auto loaded = RoundTrip(bare);
  EXPECT_NE(CMonitor::Find(loaded.get()), nullptr);
}

TEST_F(CMonitorTest, DownloadWithoutTokenSendsEveryEntryAndSlot) {
  const QStringList lines = Download();
  ASSERT_EQ(lines.size(), 2 + 150 + 20);
  EXPECT_EQ(lines.mid(0, 5), (QStringList{"/MONI/CLEAR/TABLE ALL", "/MONI/CLEAR/RELAY ALL", "/MONI/TABLE1/SEL OFF",
                                          "/MONI/TABLE1/IDX 0", "/MONI/TABLE1/AMPCHAN 1"}));
  EXPECT_EQ(lines[2 + 149], "/MONI/TABLE50/AMPCHAN 1");
  EXPECT_EQ(lines[2 + 150], "/MONI/RELAY1 0");
  EXPECT_EQ(lines.last(), "/MONI/RELAY20 0");

  doc.SetUpgradeFlag(1);
  const QStringList big = Download();
  ASSERT_EQ(big.size(), 2 + 750 + 80);
  EXPECT_EQ(big[2 + 749], "/MONI/TABLE250/AMPCHAN 1");
  EXPECT_EQ(big.last(), "/MONI/RELAY80 0");
}

TEST_F(CMonitorTest, DownloadWritesAmplifierAddressInHexAndRelayNumbers) {
  AddKCM209Pad(doc, 17);
  ASSERT_TRUE(monitor->SetValue(MonitorCode(0, CMonitor::KC_AMP_OUT), 31 | (2 << 8)));
  ASSERT_TRUE(monitor->SetValue(MonitorCode(1, CMonitor::KC_IN), 3));
  ASSERT_TRUE(monitor->SetValue(MonitorCode(3, CMonitor::KC_EXT), 99));
  auto* pad = dynamic_cast<CControlPad*>(doc.GetIDManager().FindControlPadByKeyword("KCM209", 17));
  ASSERT_NE(pad, nullptr);
  ASSERT_TRUE(monitor->SetValue(MonitorCode(2, CMonitor::FIELD_RELAY), pad->GetID()));
  const QStringList lines = Download();
  EXPECT_EQ(lines.mid(2, 6), (QStringList{"/MONI/TABLE1/SEL AMP_OUT", "/MONI/TABLE1/IDX 1f", "/MONI/TABLE1/AMPCHAN 2",
                                          "/MONI/TABLE2/SEL IN", "/MONI/TABLE2/IDX 3", "/MONI/TABLE2/AMPCHAN 1"}));
  EXPECT_TRUE(lines.contains("/MONI/TABLE4/SEL EXT"));
  EXPECT_TRUE(lines.contains("/MONI/TABLE4/IDX 0"));
  EXPECT_TRUE(lines.contains("/MONI/RELAY3 17"));
}

TEST_F(CMonitorTest, ClearTokenSkipsOffEntriesAndFreeSlots) {
  SetClearToken(true);
  ASSERT_TRUE(monitor->SetValue(MonitorCode(4, CMonitor::KC_OUT), 2));
  ASSERT_TRUE(Reply(doc, "/MONI/RELAY7 12"));  // no pad: only the number is kept
  EXPECT_EQ(Download(), (QStringList{"/MONI/CLEAR/TABLE ALL", "/MONI/CLEAR/RELAY ALL", "/MONI/TABLE5/SEL OUT",
                                     "/MONI/TABLE5/IDX 2", "/MONI/TABLE5/AMPCHAN 1", "/MONI/RELAY7 12"}));
}

TEST_F(CMonitorTest, FullOutputBufferRepeatsTheStep) {
  EXPECT_EQ(monitor->Download(false, -1), CMonitor::kStepCount);
  link.SetOutBufferCount(512);
  EXPECT_EQ(monitor->Download(false, 0), 0);
  EXPECT_EQ(monitor->Download(false, 2), 2);
  EXPECT_TRUE(link.Lines().isEmpty());
  link.SetOutBufferCount(511);
  EXPECT_EQ(monitor->Download(false, 0), 1);
  EXPECT_EQ(link.Lines(), QStringList{"/MONI/CLEAR/TABLE ALL"});
  // Steps beyond the count send nothing.
  EXPECT_EQ(monitor->Download(false, 900), 900);
  EXPECT_EQ(link.Lines().size(), 1);
}

TEST_F(CMonitorTest, QueryAsksForClearedEntriesAndQueuesTheUsedOnes) {
  SetClearToken(true);
  link.SetTimeSinceLastOutput(0);
  ASSERT_EQ(monitor->Download(true, -1), 802);
  EXPECT_EQ(monitor->Download(true, 0), 1);
  EXPECT_EQ(monitor->Download(true, 1), 1);
  EXPECT_EQ(monitor->Download(true, 1), 1);  // waits: nothing more is sent
  EXPECT_EQ(link.TakeLines(), (QStringList{"/MONI/CLEAR/TABLE ?", "/MONI/CLEAR/RELAY ?"}));

  // The relay reply alone is not enough: the table's queries would be lost.
  // (Queries are queued in the order the replies come.)
  ASSERT_TRUE(Reply(doc, "/MONI/CLEAR/RELAY 1-19", errorPath));
  EXPECT_EQ(monitor->Download(true, 1), 1);
  ASSERT_TRUE(Reply(doc, "/MONI/CLEAR/TABLE 1-48", errorPath));
  EXPECT_EQ(monitor->Download(true, 1), 2);

  int step = 2;
  int calls = 0;
  while (step < 802 && calls++ < 20) step = monitor->Download(true, step);
  EXPECT_EQ(step, 802);
  EXPECT_EQ(link.TakeLines(),
            (QStringList{"/MONI/RELAY20 ?", "/MONI/TABLE49/SEL ?", "/MONI/TABLE49/IDX ?", "/MONI/TABLE49/AMPCHAN ?",
                         "/MONI/TABLE50/SEL ?", "/MONI/TABLE50/IDX ?", "/MONI/TABLE50/AMPCHAN ?"}));
  EXPECT_TRUE(messages.Requests().empty());
}

TEST_F(CMonitorTest, ClearRepliesEmptyTheListedEntriesAndSlots) {
  ASSERT_TRUE(monitor->SetValue(MonitorCode(0, CMonitor::KC_IN), 1));
  ASSERT_TRUE(monitor->SetValue(MonitorCode(5, CMonitor::KC_OUT), 4));
  ASSERT_TRUE(Reply(doc, "/MONI/RELAY2 40"));
  ASSERT_TRUE(Reply(doc, "/MONI/RELAY3 41"));
  monitor->Download(true, -1);
  ASSERT_TRUE(Reply(doc, "/MONI/CLEAR/TABLE 1-5", errorPath));
  ASSERT_TRUE(Reply(doc, "/MONI/CLEAR/RELAY 2", errorPath));
  EXPECT_EQ(monitor->GetValue(MonitorCode(0, CMonitor::FIELD_CHOICE)), CMonitor::KC_OFF);
  EXPECT_EQ(monitor->GetValue(MonitorCode(5, CMonitor::FIELD_CHOICE)), MonitorCode(4, CMonitor::KC_OUT));
  EXPECT_EQ(monitor->GetValue(MonitorCode(1, CMonitor::FIELD_RELAY)), 0);
  EXPECT_EQ(monitor->GetValue(MonitorCode(2, CMonitor::FIELD_RELAY)), 41);
}

TEST_F(CMonitorTest, ClearReplyZeroQueriesEveryEntry) {
  SetClearToken(true);
  link.SetTimeSinceLastOutput(0);
  monitor->Download(true, -1);
  ASSERT_TRUE(Reply(doc, "/MONI/CLEAR/TABLE 0", errorPath));
  ASSERT_TRUE(Reply(doc, "/MONI/CLEAR/RELAY 1-20", errorPath));
  link.Clear();
  int step = 2;
  int calls = 0;
  while (step < 802 && calls++ < 400) step = monitor->Download(true, step);
  const QStringList lines = link.TakeLines();
  ASSERT_EQ(lines.size(), 150);
  EXPECT_EQ(lines.last(), "/MONI/TABLE50/AMPCHAN ?");
}

TEST_F(CMonitorTest, UnreadableClearReplyClearsNothingAndIsNoted) {
  ASSERT_TRUE(monitor->SetValue(MonitorCode(2, CMonitor::KC_IN), 2));
  monitor->Download(true, -1);
  ASSERT_TRUE(Reply(doc, "/MONI/CLEAR/TABLE 1-x", errorPath));
  EXPECT_EQ(monitor->GetValue(MonitorCode(2, CMonitor::FIELD_CHOICE)), MonitorCode(2, CMonitor::KC_IN));
  EXPECT_EQ(ErrorFile(), "Monitor 1 : /CLEAR/TABLE 1-x cannot be read; every entry is queried\r\n");
  // Every entry is queried instead.
  link.Clear();
  ASSERT_TRUE(Reply(doc, "/MONI/CLEAR/RELAY 1-20", errorPath));
  int step = 2;
  int calls = 0;
  while (step < 802 && calls++ < 400) step = monitor->Download(true, step);
  EXPECT_EQ(link.Lines().size(), 150);
}

TEST_F(CMonitorTest, QueryGivesUpWhenTheClearRepliesDoNotCome) {
  SetClearToken(true);
  link.SetTimeSinceLastOutput(0);
  monitor->Download(true, -1);
  EXPECT_EQ(monitor->Download(true, 0), 1);
  EXPECT_EQ(monitor->Download(true, 1), 1);
  ASSERT_TRUE(Reply(doc, "/MONI/CLEAR/TABLE 1-10", errorPath));
  EXPECT_EQ(monitor->Download(true, 1), 1);
  EXPECT_TRUE(messages.Requests().empty());
  link.SetTimeSinceLastOutput(CMonitor::kClearReplyTimeoutMs);
  EXPECT_EQ(monitor->Download(true, 1), 802);
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_TRUE(messages.SawText("not uploaded completely"));
  // The queued queries are dropped with the run.
  link.Clear();
  EXPECT_EQ(monitor->Download(true, 2), 802);
  EXPECT_TRUE(link.Lines().isEmpty());
}

TEST_F(CMonitorTest, QueryWithoutTokenSendsNothingButSaysSo) {
  SetClearToken(false);
  RunSteps(*monitor, true);
  EXPECT_TRUE(link.Lines().isEmpty());
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_TRUE(messages.SawText("not uploaded"));

  // With an error file for the transfer the note goes there instead.
  messages.Clear();
  link.SetErrorFilePath(errorPath);
  RunSteps(*monitor, true);
  EXPECT_TRUE(messages.Requests().empty());
  EXPECT_TRUE(ErrorFile().startsWith("Monitor: the unit cannot report its cleared monitor entries"));
  EXPECT_TRUE(ErrorFile().endsWith("The monitor was not uploaded.\r\n"));
}

TEST_F(CMonitorTest, UploadTakesEntryFieldsInTheirRadix) {
  EXPECT_TRUE(Reply(doc, "/MONI/TABLE3/SEL AMP_IN"));
  EXPECT_TRUE(Reply(doc, "/MONI/TABLE3/IDX 31"));
  EXPECT_TRUE(Reply(doc, "/MONI/TABLE3/AMPCHAN a"));
  EXPECT_EQ(Text(MonitorCode(2, CMonitor::FIELD_KIND)), "AMP_IN");
  EXPECT_EQ(Text(MonitorCode(2, CMonitor::FIELD_VALUE_TEXT)), "1f");
  EXPECT_EQ(Text(MonitorCode(2, CMonitor::FIELD_CHANNEL_TEXT)), "10");
  EXPECT_EQ(monitor->GetValue(MonitorCode(2, CMonitor::FIELD_CHOICE)), MonitorCode(31 | (10 << 8), CMonitor::KC_AMP_IN));

  // Out of the table, echoes, other modes and unreadable numbers change nothing.
  EXPECT_FALSE(Reply(doc, "/MONI/TABLE251/SEL IN"));
  EXPECT_FALSE(Reply(doc, "/MONI/TABLE0/SEL IN"));
  EXPECT_FALSE(Reply(doc, "/MONI/TABLE3/SEL ?"));
  EXPECT_FALSE(Reply(doc, "/MONI/TABLE3/SEL IN", QString(), LINKMODE_DOWNLOAD));
  EXPECT_FALSE(Reply(doc, "/MONI/TABLE3/IDX many"));
  EXPECT_FALSE(Reply(doc, "/MONI/TABLE3/SEL"));
  EXPECT_EQ(monitor->GetValue(MonitorCode(2, CMonitor::FIELD_CHOICE)), MonitorCode(31 | (10 << 8), CMonitor::KC_AMP_IN));

  // A kind the unit invents is kept as text, and has no choice code.
  EXPECT_TRUE(Reply(doc, "/MONI/TABLE250/SEL FOO"));
  EXPECT_EQ(Text(MonitorCode(249, CMonitor::FIELD_KIND)), "FOO");
  EXPECT_EQ(monitor->GetValue(MonitorCode(249, CMonitor::FIELD_CHOICE)), 0);
}

TEST_F(CMonitorTest, RelayReplyLinksTheKCM209PadAtBothEnds) {
  CControlPad* pad = AddKCM209Pad(doc, 17);
  ASSERT_NE(pad, nullptr);
  ASSERT_EQ(pad->GetNumber(), 17);
  ASSERT_TRUE(Reply(doc, "/MONI/RELAY3 17", errorPath));
  EXPECT_EQ(monitor->GetValue(MonitorCode(2, CMonitor::FIELD_RELAY)), 17);
  const ConnectionRecord* out = monitor->FindOutputConnection(3);
  ASSERT_NE(out, nullptr);
  EXPECT_EQ(out->pPeer, pad);
  EXPECT_EQ(out->nPeerPin, 0);
  const ConnectionRecord* in = pad->FindInputConnection(0);
  ASSERT_NE(in, nullptr);
  EXPECT_EQ(in->pPeer, monitor);
  EXPECT_EQ(in->nPeerPin, 3);
  EXPECT_EQ(Text(MonitorCode(2, CMonitor::FIELD_RELAY)), pad->GetName());
  EXPECT_EQ(ErrorFile(), "");

  // "OFF": the link goes, the number stays.
  ASSERT_TRUE(Reply(doc, "/MONI/RELAY3 OFF", errorPath));
  EXPECT_EQ(monitor->FindOutputConnection(3), nullptr);
  EXPECT_EQ(pad->FindInputConnection(0), nullptr);
  EXPECT_EQ(monitor->GetValue(MonitorCode(2, CMonitor::FIELD_RELAY)), 17);

  // 0 (what a download sends for a free slot) frees it without an error line.
  ASSERT_TRUE(Reply(doc, "/MONI/RELAY3 17", errorPath));
  ASSERT_TRUE(Reply(doc, "/MONI/RELAY3 0", errorPath));
  EXPECT_EQ(monitor->GetValue(MonitorCode(2, CMonitor::FIELD_RELAY)), 0);
  EXPECT_EQ(monitor->FindOutputConnection(3), nullptr);
  EXPECT_EQ(ErrorFile(), "");

  EXPECT_FALSE(Reply(doc, "/MONI/RELAY81 17", errorPath));
  EXPECT_FALSE(Reply(doc, "/MONI/RELAY3X 17", errorPath));
}

TEST_F(CMonitorTest, RelayWithoutPadIsNotedInTheErrorFile) {
  ASSERT_TRUE(Reply(doc, "/MONI/RELAY3 17", errorPath));
  EXPECT_EQ(monitor->GetValue(MonitorCode(2, CMonitor::FIELD_RELAY)), 17);
  EXPECT_EQ(ErrorFile(), "Monitor 1 : KCM209 Label-17 is missing\r\n");
  EXPECT_EQ(Text(MonitorCode(2, CMonitor::FIELD_RELAY)), "17 *");
}

TEST_F(CMonitorTest, SetValueChecksOperationsAndIndexes) {
  // Operation 3 takes only the entry kinds 4..10.
  for (int low : {0, 1, 2, 3, 11, 0xFFFF}) {
    EXPECT_FALSE(monitor->SetValue(MonitorCode(0, CMonitor::FIELD_CHOICE), MonitorCode(5, low))) << low;
  }
  for (unsigned i = 0; i < 250; ++i) EXPECT_EQ(monitor->GetValue(MonitorCode(i, CMonitor::FIELD_CHOICE)), CMonitor::KC_OFF);
  EXPECT_FALSE(monitor->SetValue(MonitorCode(250, CMonitor::KC_IN), 1));
  EXPECT_FALSE(monitor->SetValue(MonitorCode(0xFFFF, CMonitor::KC_AMP_IN), 1));
  EXPECT_FALSE(monitor->SetValue(MonitorCode(80, CMonitor::FIELD_RELAY), 1));
  EXPECT_TRUE(monitor->SetValue(-1, 1));  // operation 0xFFFF: nothing to do
  EXPECT_TRUE(monitor->SetValue(MonitorCode(3, 1), 7));
  EXPECT_TRUE(monitor->SetValue(MonitorCode(3, 12), 7));
  EXPECT_EQ(monitor->GetValue(MonitorCode(250, CMonitor::FIELD_CHOICE)), 0);
  EXPECT_EQ(monitor->GetValue(MonitorCode(80, CMonitor::FIELD_RELAY)), 0);
  EXPECT_EQ(monitor->GetValue(-1), 0);

  // Operation 3 fills the first "OFF" entry below the limit, then refuses.
  for (int i = 0; i < 50; ++i) ASSERT_TRUE(monitor->SetValue(CMonitor::FIELD_CHOICE, MonitorCode(i + 1, CMonitor::KC_IN)));
  EXPECT_EQ(monitor->GetValue(MonitorCode(49, CMonitor::FIELD_CHOICE)), MonitorCode(50, CMonitor::KC_IN));
  EXPECT_FALSE(monitor->SetValue(CMonitor::FIELD_CHOICE, MonitorCode(1, CMonitor::KC_EXT)));
  EXPECT_EQ(monitor->GetValue(MonitorCode(50, CMonitor::FIELD_CHOICE)), CMonitor::KC_OFF);

  // Operation 2 takes the first free slot, even when the pad is missing, and
  // refuses when all 20 are used.
  CControlPad* pad = AddKCM209Pad(doc, 9);
  EXPECT_TRUE(monitor->SetValue(CMonitor::OP_ADD_RELAY, pad->GetID()));
  EXPECT_EQ(monitor->GetValue(MonitorCode(0, CMonitor::FIELD_RELAY)), 9);
  EXPECT_TRUE(monitor->SetValue(CMonitor::OP_ADD_RELAY, 999));
  EXPECT_EQ(monitor->GetValue(MonitorCode(1, CMonitor::FIELD_RELAY)), 0);
  for (int slot = 1; slot < 20; ++slot) ASSERT_TRUE(Reply(doc, QString("/MONI/RELAY%1 50").arg(slot + 1)));
  EXPECT_FALSE(monitor->SetValue(CMonitor::OP_ADD_RELAY, pad->GetID()));

  // Operation 0 frees the slot and stores the pad's number, or leaves it free.
  EXPECT_TRUE(monitor->SetValue(MonitorCode(4, CMonitor::FIELD_RELAY), pad->GetID()));
  EXPECT_EQ(monitor->GetValue(MonitorCode(4, CMonitor::FIELD_RELAY)), 9);
  EXPECT_FALSE(monitor->SetValue(MonitorCode(4, CMonitor::FIELD_RELAY), 0));
  EXPECT_EQ(monitor->GetValue(MonitorCode(4, CMonitor::FIELD_RELAY)), 0);
}

TEST_F(CMonitorTest, EntryOperationsSetKindValueAndChannel) {
  doc.SetModifiedFlag(false);
  ASSERT_TRUE(monitor->SetValue(MonitorCode(7, CMonitor::KC_AMP_IN), 0x1234 | (0x0305 << 16)));
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(Text(MonitorCode(7, CMonitor::FIELD_VALUE_TEXT)), "34");
  EXPECT_EQ(Text(MonitorCode(7, CMonitor::FIELD_CHANNEL_TEXT)), "18");
  ASSERT_TRUE(monitor->SetValue(MonitorCode(7, CMonitor::KC_REL), 4));
  EXPECT_EQ(monitor->GetValue(MonitorCode(7, CMonitor::FIELD_CHOICE)), MonitorCode(4, CMonitor::KC_REL));
  EXPECT_EQ(Text(MonitorCode(7, CMonitor::FIELD_CHANNEL_TEXT)), "1");
  ASSERT_TRUE(monitor->SetValue(MonitorCode(7, CMonitor::KC_OFF), 55));
  EXPECT_EQ(monitor->GetValue(MonitorCode(7, CMonitor::FIELD_CHOICE)), CMonitor::KC_OFF);
  EXPECT_EQ(Text(MonitorCode(7, CMonitor::FIELD_VALUE_TEXT)), "0");
}

TEST_F(CMonitorTest, ColumnTextsOfChoices) {
  CAmplifier* amp = AddAmplifier(doc, kAmpBus2);
  ASSERT_NE(amp, nullptr);
  amp->SetAddress(0, 31);
  EXPECT_EQ(Text(MonitorCode(31 | (2 << 8), CMonitor::KC_AMP_IN)), amp->GetName() + " - 2 IN");
  EXPECT_EQ(Text(MonitorCode(30 | (1 << 8), CMonitor::KC_AMP_OUT)), "30 * - 1 OUT");
  EXPECT_EQ(Text(MonitorCode(3, CMonitor::KC_IN)), "IN3");
  EXPECT_EQ(Text(MonitorCode(4, CMonitor::KC_OUT)), "OUT4");
  EXPECT_EQ(Text(CMonitor::KC_OFF), "No entry");
  EXPECT_EQ(Text(CMonitor::KC_EXT), "EXT");
  EXPECT_EQ(Text(MonitorCode(0, CMonitor::KC_REL)), "0 *");
  EXPECT_EQ(Text(MonitorCode(21, CMonitor::KC_REL)), "21 *");
  ASSERT_TRUE(Reply(doc, "/MONI/RELAY1 17"));
  EXPECT_EQ(Text(MonitorCode(1, CMonitor::KC_REL)), "17 *");
  EXPECT_EQ(Text(MonitorCode(0, CMonitor::FIELD_RELAY)), "17 *");
  CControlPad* pad = AddKCM209Pad(doc, 17);
  EXPECT_EQ(Text(MonitorCode(1, CMonitor::KC_REL)), pad->GetName());
  EXPECT_EQ(Text(MonitorCode(0, 2)), "");
  EXPECT_EQ(Text(MonitorCode(0, 13)), "");
  EXPECT_EQ(Text(MonitorCode(250, CMonitor::FIELD_KIND)), "");
}

TEST_F(CMonitorTest, ChoicesListUnitPortsUsedSlotsAndBusAmplifiersInIdOrder) {
  CAmplifier* first = AddAmplifier(doc, kAmpBus2);    // ID 1, monitors 4 channels
  CAmplifier* plain = AddAmplifier(doc, kAmpPlain2);  // not on the bus
  CAmplifier* second = AddAmplifier(doc, kAmpBus4);   // ID 3
  ASSERT_TRUE(first && plain && second);
  first->SetAddress(0, 9);
  second->SetAddress(0, 2);
  ASSERT_TRUE(Reply(doc, "/MONI/RELAY2 33"));
  std::vector<int> choices;
  EXPECT_EQ(monitor->ListChoices(CMonitor::FIELD_KIND, &choices), 0);
  std::vector<int> expected = {CMonitor::KC_OFF};
  for (unsigned n = 1; n <= 4; ++n) expected.push_back(MonitorCode(n, CMonitor::KC_IN));
  for (unsigned n = 1; n <= 4; ++n) expected.push_back(MonitorCode(n, CMonitor::KC_OUT));
  expected.push_back(MonitorCode(2, CMonitor::KC_REL));
  for (unsigned address : {9u, 2u}) {
    for (int kind : {CMonitor::KC_AMP_IN, CMonitor::KC_AMP_OUT})
      for (unsigned channel = 1; channel <= 4; ++channel) expected.push_back(MonitorCode(address | (channel << 8), kind));
  }
  EXPECT_EQ(choices, expected);

  std::vector<int> none;
  monitor->ListChoices(0, &none);
  EXPECT_TRUE(none.empty());
  monitor->ListChoices(CMonitor::FIELD_KIND, nullptr);
}

TEST_F(CMonitorTest, LimitsComeFromTheMonitorsOwnProject) {
  CSelvantisDoc other;
  other.SetUpgradeFlag(1);
  SetActiveDoc(&other);
  EXPECT_EQ(monitor->GetMaxEntries(), 50);
  EXPECT_EQ(monitor->GetMaxRelays(), 20);
  SetActiveDoc(nullptr);
  doc.SetUpgradeFlag(1);
  EXPECT_EQ(monitor->GetMaxEntries(), 250);
  EXPECT_EQ(monitor->GetMaxRelays(), 80);
}

TEST_F(CMonitorTest, RoundTripKeepsEveryEntryAndAllEightySlots) {
  doc.SetUpgradeFlag(1);
  ASSERT_TRUE(monitor->SetValue(MonitorCode(0, CMonitor::KC_AMP_OUT), 31 | (2 << 8)));
  ASSERT_TRUE(monitor->SetValue(MonitorCode(120, CMonitor::KC_IN), 4));
  ASSERT_TRUE(Reply(doc, "/MONI/TABLE250/SEL FOO"));
  ASSERT_TRUE(Reply(doc, "/MONI/TABLE250/IDX -7"));
  ASSERT_TRUE(Reply(doc, "/MONI/TABLE250/AMPCHAN ff"));
  ASSERT_TRUE(Reply(doc, "/MONI/RELAY1 5"));
  ASSERT_TRUE(Reply(doc, "/MONI/RELAY51 61"));
  ASSERT_TRUE(Reply(doc, "/MONI/RELAY80 100"));

  auto loaded = RoundTrip(doc);
  CMonitor* copy = CMonitor::Find(loaded.get());
  ASSERT_NE(copy, nullptr);
  ASSERT_NE(copy, monitor);
  for (unsigned i = 0; i < 250; ++i) {
    for (int field : {CMonitor::FIELD_KIND, CMonitor::FIELD_VALUE_TEXT, CMonitor::FIELD_CHANNEL_TEXT}) {
      QString a;
      QString b;
      ASSERT_EQ(copy->GetColumnText(a, MonitorCode(i, field)), monitor->GetColumnText(b, MonitorCode(i, field))) << i;
    }
  }
  for (unsigned slot = 0; slot < 80; ++slot)
    EXPECT_EQ(copy->GetValue(MonitorCode(slot, 0)), monitor->GetValue(MonitorCode(slot, 0))) << slot;
  EXPECT_EQ(copy->GetValue(MonitorCode(50, 0)), 61);
  EXPECT_EQ(copy->GetValue(MonitorCode(79, 0)), 100);
  EXPECT_EQ(copy->GetValue(MonitorCode(0, CMonitor::FIELD_CHOICE)), MonitorCode(31 | (2 << 8), CMonitor::KC_AMP_OUT));
  EXPECT_EQ(copy->GetPath(), "/MONI");
}

TEST_F(CMonitorTest, RoundTripKeepsAChannelOfZero) {
  // Only the old schema-3 records used 0 for "no channel"; a current record keeps it.
  ASSERT_TRUE(monitor->SetValue(MonitorCode(0, CMonitor::KC_AMP_IN), 0x2A));
  ASSERT_EQ(monitor->GetValue(MonitorCode(0, CMonitor::FIELD_CHOICE)), 0x002A0008);
  auto loaded = RoundTrip(doc);
  CMonitor* copy = CMonitor::Find(loaded.get());
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->GetValue(MonitorCode(0, CMonitor::FIELD_CHOICE)), 0x002A0008);
}

namespace {

// One entry as the old records wrote it.
void WriteEntry(CArchive& ar, const QString& kind, int value, bool channel, int channelValue) {
  ar << kind << int32_t(value) << int32_t(0);
  if (channel) ar << int32_t(channelValue);
}

// A monitor record of an older schema under identifier 1 in a fresh project.
QByteArray OldRecord(int schema, const std::function<void(CArchive&)>& extra,
                     const std::function<void(CSelvantisDoc&, CBaseDevice&)>& wire = {}) {
  CSelvantisDoc old;
  auto standIn = std::make_unique<ampstest::RecordStandIn>("CMonitor", DT_MONITOR, extra);
  EXPECT_TRUE(standIn->CreateWithID(CMonitor::kKind, "Monitor", 1, CAT_MODULES, &old));
  CBaseDevice* record = old.Adopt(std::move(standIn));
  if (wire) wire(old, *record);
  QByteArray bytes = SaveProject(old);
  EXPECT_TRUE(PatchSchema(bytes, "CMonitor", schema));
  return bytes;
}

}  // namespace

TEST_F(CMonitorTest, SchemaThreeRecordTakesChannelsAndRelaysFromOldPins) {
  CControlPad* oldPad = nullptr;
  const QByteArray bytes = OldRecord(
      3,
      [](CArchive& ar) {
        WriteEntry(ar, "AMP_IN", 7, true, 0);  // 0 meant "no channel"
        WriteEntry(ar, "OUT", 2, true, 3);
        for (int i = 2; i < 50; ++i) WriteEntry(ar, "OFF", 0, true, 0);
      },
      [&oldPad](CSelvantisDoc& old, CBaseDevice& record) {
        oldPad = AddKCM209Pad(old, 17);
        CBaseDevice::Connect(&record, 2, oldPad, 0);
        CBaseDevice::Connect(&record, 20, AddKCM209Pad(old, 4), 0);
      });
  auto loaded = LoadProject(bytes);
  CMonitor* copy = CMonitor::Find(loaded.get());
  ASSERT_NE(copy, nullptr);
  QString text;
  EXPECT_EQ(copy->GetColumnText(text, MonitorCode(0, CMonitor::FIELD_CHANNEL_TEXT)), "1");
  EXPECT_EQ(copy->GetColumnText(text, MonitorCode(1, CMonitor::FIELD_CHANNEL_TEXT)), "3");
  EXPECT_EQ(copy->GetValue(MonitorCode(0, CMonitor::FIELD_CHOICE)), MonitorCode(7 | (1 << 8), CMonitor::KC_AMP_IN));
  EXPECT_EQ(copy->GetValue(MonitorCode(1, 0)), 17);
  EXPECT_EQ(copy->GetValue(MonitorCode(19, 0)), 4);
  EXPECT_EQ(copy->GetValue(MonitorCode(0, 0)), 0);
  EXPECT_TRUE(copy->GetOutputConnections().empty());
  for (CBaseDevice* pad : loaded->GetObjectList(CAT_ENTRIES)) {
    for (const ConnectionRecord& r : pad->GetInputConnections()) EXPECT_NE(r.pPeer, copy);
  }
  EXPECT_EQ(copy->GetName(), "Monitor");
}

TEST_F(CMonitorTest, OlderRecordsReadTheirTables) {
  struct Row {
    int schema;
    int entries;
    bool channel;
    int slotCount;
  };
  for (const Row& row : {Row{0, 20, false, 0}, Row{1, 20, false, 0}, Row{2, 50, false, 0}, Row{4, 50, true, 20},
                         Row{5, 250, true, 50}}) {
    const QByteArray bytes = OldRecord(row.schema, [row](CArchive& ar) {
      for (int i = 0; i < row.entries; ++i) WriteEntry(ar, "IN", i + 1, row.channel, 2);
      for (int s = 0; s < row.slotCount; ++s) ar << int32_t(100 + s);
    });
    auto loaded = LoadProject(bytes);
    CMonitor* copy = CMonitor::Find(loaded.get());
    ASSERT_NE(copy, nullptr) << row.schema;
    QString text;
    const unsigned last = static_cast<unsigned>(row.entries - 1);
    EXPECT_EQ(copy->GetValue(MonitorCode(last, CMonitor::FIELD_CHOICE)), MonitorCode(row.entries, CMonitor::KC_IN)) << row.schema;
    if (row.entries < 250) {
      EXPECT_EQ(copy->GetValue(MonitorCode(last + 1, CMonitor::FIELD_CHOICE)), CMonitor::KC_OFF) << row.schema;
    }
    EXPECT_EQ(copy->GetColumnText(text, MonitorCode(0, CMonitor::FIELD_CHANNEL_TEXT)), row.channel ? "2" : "1");
    if (row.slotCount > 0) {
      EXPECT_EQ(copy->GetValue(MonitorCode(static_cast<unsigned>(row.slotCount - 1), 0)), 100 + row.slotCount - 1);
      EXPECT_EQ(copy->GetValue(MonitorCode(static_cast<unsigned>(row.slotCount), 0)), 0);
    }
  }
}

TEST_F(CMonitorTest, TruncatedRecordIsRefused) {
  const QByteArray bytes = OldRecord(6, [](CArchive& ar) {
    for (int i = 0; i < 10; ++i) WriteEntry(ar, "IN", 1, true, 1);
  });
  CSelvantisDoc target;
  EXPECT_FALSE(TryLoadProject(target, bytes).ok);
}

TEST_F(CMonitorTest, SelectionDialogOffersTheChoicesWithTheirTexts) {
  CAmplifier* amp = AddAmplifier(doc, kAmpBus2);
  amp->SetAddress(0, 4);
  SelectionRequest request;
  request.kind = CMonitor::kKind;
  const SelectionList list = CSelectionProvider::Global().ListChoices(&doc, request);
  ASSERT_EQ(list.choices.size(), 1u + 4 + 4 + 8);
  EXPECT_EQ(list.choices[0].columns.value(0), "No entry");
  EXPECT_EQ(list.choices[0].number, CMonitor::KC_OFF);
  EXPECT_EQ(list.choices[1].columns.value(0), "IN1");
  EXPECT_EQ(list.choices[9].columns.value(0), amp->GetName() + " - 1 IN");
  EXPECT_EQ(list.choices[9].number, MonitorCode(4 | (1 << 8), CMonitor::KC_AMP_IN));
}
