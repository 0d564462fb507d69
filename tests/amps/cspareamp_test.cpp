// The backup amplifiers: their download lines with the zero-value skips,
// the query with and without the clear token (and its time limit), the
// clear reply and the entry and watch keys of an upload, the accessors with
// their index checks, and the project-file record.

#include "amps/cspareamp.h"
#include "cmonitortestsupport.h"
#include "logic/creadyinput.h"
#include "model/carchive.h"
#include "model/cprofile.h"
#include "model/cselectionprovider.h"

#include <gtest/gtest.h>

#include <functional>

using namespace monitortest;
using namespace zonetest;

namespace {

class CSpareAmpTest : public TableTransferTest {
 protected:
  void SetUp() override {
    TableTransferTest::SetUp();
    spare = CSpareAmp::EnsureIn(doc);
    ASSERT_NE(spare, nullptr);
  }

  void SetClearToken(bool on) { CProfile::WriteInt("VMX7000", "SPAREAMP_CLR", on ? 1 : 0); }

  QStringList Run(bool query) {
    link.Clear();
    EXPECT_GE(RunSteps(*spare, query), CSpareAmp::kStepCount);
    return link.TakeLines();
  }

  // Two AMV 5411 (4x1) on the bus at addresses 0 and 1: global channels 1..4
  // and 5..8.
  void AddBusAmplifiers() {
    first = AddAmplifier(doc, kAmpBus4);
    second = AddAmplifier(doc, kAmpBus4);
    ASSERT_TRUE(first && second);
    first->SetAddress(0, 0);
    second->SetAddress(0, 1);
  }

  struct WatchState {
    bool used = false;
    int type = -1;
    int value = -1;
    int out = -1;
    int in = -1;
  };
  WatchState Watch(int w, int n) const {
    WatchState s;
    s.used = spare->GetWatch(w, n, &s.type, &s.value, &s.out, &s.in);
    return s;
  }

  CSpareAmp* spare = nullptr;
  CAmplifier* first = nullptr;
  CAmplifier* second = nullptr;
};

}  // namespace

TEST_F(CSpareAmpTest, EveryProjectHasTheBackupAmplifiersUnderTheirPath) {
  CSelvantisDoc fresh;
  ASSERT_TRUE(fresh.OnNewDocument());
  CSpareAmp* found = CSpareAmp::Find(&fresh);
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->GetID(), 1);
  EXPECT_EQ(found->GetPath(), "/SPAREAMP");
  EXPECT_EQ(found->GetName(), "Backup Amplifier");
  for (int n = 0; n < 8; ++n) EXPECT_FALSE(found->GetEntry(n, nullptr, nullptr, nullptr, nullptr));

  CSelvantisDoc bare;
  auto loaded = RoundTrip(bare);
  EXPECT_NE(CSpareAmp::Find(loaded.get()), nullptr);
}

TEST_F(CSpareAmpTest, EmptyTableSendsOnlyTheClearAndEightIndexLines) {
  QStringList expected{"/SPAREAMP/CLEAR ALL"};
  for (int n = 1; n <= 8; ++n) expected << QString("/SPAREAMP/ENTRY%1/INDEX 0").arg(n);
  EXPECT_EQ(Run(false), expected);
  // The jump past the last entry ends at or beyond the count.
  spare->Download(false, -1);
  EXPECT_EQ(spare->Download(false, 1 + 7 * 43), 345);
}

TEST_F(CSpareAmpTest, UsedEntrySendsItsWatchesAndSkipsFreeOnes) {
  AddBusAmplifiers();
  ASSERT_TRUE(spare->SetEntry(0, "Spare", true, CSpareAmp::kTypeAmpChannel, second->GetID(), 2));  // channel 7
  ASSERT_TRUE(spare->SetWatch(0, 0, 1, CSpareAmp::kTypeAmpChannel, first->GetID(), 2));            // channel 3
  ASSERT_TRUE(spare->SetWatchRelays(0, 0, 12, 3));
  ASSERT_TRUE(spare->SetWatch(2, 0, 1, CSpareAmp::kTypeReadyInput, 40000, 0));
  QStringList expected{"/SPAREAMP/CLEAR ALL",
                       "/SPAREAMP/ENTRY1/INDEX 7",
                       "/SPAREAMP/ENTRY1/REMOTE YES",
                       "/SPAREAMP/ENTRY1/WATCH1/INDEX 3",
                       "/SPAREAMP/ENTRY1/WATCH1/REMOTE YES",
                       "/SPAREAMP/ENTRY1/WATCH1/OUTRELAY 12",
                       "/SPAREAMP/ENTRY1/WATCH1/INPRELAY 3",
                       "/SPAREAMP/ENTRY1/WATCH2/INDEX 0",
                       "/SPAREAMP/ENTRY1/WATCH3/INDEX -25536",  // the unit's signed 16 bits
                       "/SPAREAMP/ENTRY1/WATCH3/REMOTE NO",
                       "/SPAREAMP/ENTRY1/WATCH3/OUTRELAY 0",
                       "/SPAREAMP/ENTRY1/WATCH3/INPRELAY 0"};
  for (int w = 4; w <= 10; ++w) expected << QString("/SPAREAMP/ENTRY1/WATCH%1/INDEX 0").arg(w);
  for (int n = 2; n <= 8; ++n) expected << QString("/SPAREAMP/ENTRY%1/INDEX 0").arg(n);
  const QStringList lines = Run(false);
  EXPECT_EQ(lines, expected);
  for (const QString& line : lines) EXPECT_FALSE(line.contains("REPLACE"));
}

TEST_F(CSpareAmpTest, FullOutputBufferRepeatsTheStep) {
  spare->Download(false, -1);
  link.SetOutBufferCount(600);
  EXPECT_EQ(spare->Download(false, 0), 0);
  EXPECT_EQ(spare->Download(false, 5), 5);
  EXPECT_TRUE(link.Lines().isEmpty());
}

TEST_F(CSpareAmpTest, QueryWithoutTokenAsksEverything) {
  SetClearToken(false);
  const QStringList lines = Run(true);
  ASSERT_EQ(lines.size(), 344);
  EXPECT_EQ(lines.mid(0, 4), (QStringList{"/SPAREAMP/ENTRY1/INDEX ?", "/SPAREAMP/ENTRY1/REMOTE ?",
                                          "/SPAREAMP/ENTRY1/REPLACE ?", "/SPAREAMP/ENTRY1/WATCH1/INDEX ?"}));
  EXPECT_EQ(lines.filter("/REPLACE ?").size(), 8);
  EXPECT_EQ(lines.last(), "/SPAREAMP/ENTRY8/WATCH10/INPRELAY ?");
  EXPECT_TRUE(messages.Requests().empty());
}

TEST_F(CSpareAmpTest, QueryWithTokenWaitsForTheClearReplyThenAsksTheUsedEntries) {
  SetClearToken(true);
  link.SetTimeSinceLastOutput(0);
  ASSERT_EQ(spare->Download(true, -1), 345);
  EXPECT_EQ(spare->Download(true, 0), 0);
  EXPECT_EQ(spare->Download(true, 0), 0);
  EXPECT_EQ(link.TakeLines(), QStringList{"/SPAREAMP/CLEAR ?"});
  ASSERT_TRUE(Reply(doc, "/SPAREAMP/CLEAR 1,3-8", errorPath));
  EXPECT_EQ(spare->Download(true, 0), 1);
  int step = 1;
  int calls = 0;
  while (step < 345 && calls++ < 400) step = spare->Download(true, step);
  const QStringList lines = link.TakeLines();
  ASSERT_EQ(lines.size(), 43);
  EXPECT_EQ(lines.first(), "/SPAREAMP/ENTRY2/INDEX ?");
  EXPECT_EQ(lines.last(), "/SPAREAMP/ENTRY2/WATCH10/INPRELAY ?");
}

TEST_F(CSpareAmpTest, QueryGivesUpWhenTheClearReplyDoesNotCome) {
  SetClearToken(true);
  link.SetTimeSinceLastOutput(0);
  spare->Download(true, -1);
  EXPECT_EQ(spare->Download(true, 0), 0);
  EXPECT_EQ(spare->Download(true, 0), 0);
  EXPECT_TRUE(messages.Requests().empty());
  link.SetTimeSinceLastOutput(CSpareAmp::kClearReplyTimeoutMs);
  EXPECT_EQ(spare->Download(true, 0), 345);
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_TRUE(messages.SawText("not uploaded"));
}

TEST_F(CSpareAmpTest, TokenSkipsUnnamedEntriesAtEveryStep) {
  SetClearToken(true);
  // Entry 2 unnamed without target, entry 3 unnamed with a target, entry 5
  // named, the others unnamed and empty.
  ASSERT_TRUE(spare->SetEntry(2, "", true, CSpareAmp::kTypeReadyInput, 9, 0));
  ASSERT_TRUE(spare->SetEntry(4, "Five", true, CSpareAmp::kTypeReadyInput, 4, 0));
  // Skipping from entry 1 reaches entry 3 with its target, which is taken;
  // its next sub-step is again an unnamed entry's and skips on to the same
  // sub-step of entry 5, whose index line is therefore not sent. This is the
  // unit's established step rule; the list names every entry it uses.
  QStringList expected{"/SPAREAMP/CLEAR ALL", "/SPAREAMP/ENTRY3/INDEX 9", "/SPAREAMP/ENTRY5/REMOTE NO"};
  for (int w = 1; w <= 10; ++w) expected << QString("/SPAREAMP/ENTRY5/WATCH%1/INDEX 0").arg(w);
  EXPECT_EQ(Run(false), expected);
  // A mid-entry step of an unnamed entry jumps to the same sub-step beyond it.
  spare->Download(false, -1);
  EXPECT_EQ(spare->Download(false, 1 + 5 * 43 + 3), 345 + 3);
  // A named entry is sent whole.
  ASSERT_TRUE(spare->SetEntry(2, "Three", true, CSpareAmp::kTypeReadyInput, 9, 0));
  const QStringList lines = Run(false);
  ASSERT_EQ(lines.size(), 1 + 12 + 12);
  EXPECT_EQ(lines[13], "/SPAREAMP/ENTRY5/INDEX 4");
}

TEST_F(CSpareAmpTest, ClearReplyEmptiesAndDisablesListedEntriesAndNamesTheOthers) {
  ASSERT_TRUE(spare->SetEntry(1, "Two", true, CSpareAmp::kTypeReadyInput, 5, 0));
  ASSERT_TRUE(spare->SetWatch(0, 1, 1, CSpareAmp::kTypeReadyInput, 3, 0));
  ASSERT_TRUE(spare->SetEntry(2, "Three", false, CSpareAmp::kTypeReadyInput, 6, 0));
  spare->Download(true, -1);
  ASSERT_TRUE(Reply(doc, "/SPAREAMP/CLEAR 2,5", errorPath));
  for (int n = 0; n < 8; ++n) {
    QString name;
    int type = 0;
    int value = -1;
    const bool enabled = spare->GetEntry(n, &name, &type, &value, nullptr);
    if (n == 1 || n == 4) {
      EXPECT_FALSE(enabled) << n;
      EXPECT_EQ(name, "") << n;
      EXPECT_EQ(value, 0) << n;
      EXPECT_EQ(type, CSpareAmp::kTypeAmpChannel) << n;
    } else {
      EXPECT_TRUE(enabled) << n;
      EXPECT_EQ(name, n == 2 ? QString("Three") : QString("Backup Amplifier %1").arg(n + 1)) << n;
    }
  }
  EXPECT_FALSE(Watch(0, 1).used);
  EXPECT_EQ(spare->Download(true, 0), 1);  // the reply counts as arrived
}

TEST_F(CSpareAmpTest, UnreadableClearReplyChangesNothingAndQueriesAll) {
  SetClearToken(true);
  link.SetTimeSinceLastOutput(0);
  ASSERT_TRUE(spare->SetEntry(0, "One", true, CSpareAmp::kTypeReadyInput, 5, 0));
  spare->Download(true, -1);
  EXPECT_EQ(spare->Download(true, 0), 0);
  ASSERT_TRUE(Reply(doc, "/SPAREAMP/CLEAR 1-99", errorPath));
  QString name;
  EXPECT_TRUE(spare->GetEntry(0, &name, nullptr, nullptr, nullptr));
  EXPECT_EQ(name, "One");
  EXPECT_FALSE(spare->GetEntry(1, &name, nullptr, nullptr, nullptr));
  EXPECT_EQ(ErrorFile(), "Backup Amplifier 1 : /CLEAR 1-99 cannot be read; every entry is queried\r\n");
  link.Clear();
  int step = spare->Download(true, 0);
  int calls = 0;
  while (step < 345 && calls++ < 400) step = spare->Download(true, step);
  EXPECT_EQ(link.Lines().size(), 344);
}

TEST_F(CSpareAmpTest, UploadKeysReachTheirFields) {
  EXPECT_TRUE(Reply(doc, "/SPAREAMP/ENTRY3/WATCH10/INDEX 12"));
  EXPECT_TRUE(Reply(doc, "/SPAREAMP/ENTRY3/INDEX 21"));
  EXPECT_TRUE(Reply(doc, "/SPAREAMP/ENTRY3/REMOTE NO"));
  EXPECT_TRUE(Reply(doc, "/SPAREAMP/ENTRY3/WATCH10/REMOTE NO"));
  EXPECT_TRUE(Reply(doc, "/SPAREAMP/ENTRY3/WATCH10/OUTRELAY 7"));
  EXPECT_TRUE(Reply(doc, "/SPAREAMP/ENTRY3/WATCH10/INPRELAY -1"));
  int type = 0;
  int value = 0;
  spare->GetEntry(2, nullptr, &type, &value, nullptr);
  EXPECT_EQ(type, CSpareAmp::kTypeReadyInput);
  EXPECT_EQ(value, 21);
  WatchState w = Watch(9, 2);
  EXPECT_TRUE(w.used);
  EXPECT_EQ(w.type, CSpareAmp::kTypeReadyInput);
  EXPECT_EQ(w.value, 12);
  EXPECT_EQ(w.out, 7);
  EXPECT_EQ(w.in, 65535);

  // Ignored: entries beyond 8, watches beyond 10, the replacement, echoes,
  // other modes, text that is no number.
  EXPECT_FALSE(Reply(doc, "/SPAREAMP/ENTRY9/INDEX 1"));
  EXPECT_FALSE(Reply(doc, "/SPAREAMP/ENTRY0/INDEX 1"));
  EXPECT_FALSE(Reply(doc, "/SPAREAMP/ENTRY3/WATCH11/INDEX 1"));
  EXPECT_FALSE(Reply(doc, "/SPAREAMP/ENTRY3/REPLACE 4"));
  EXPECT_FALSE(Reply(doc, "/SPAREAMP/ENTRY3/INDEX ?"));
  EXPECT_FALSE(Reply(doc, "/SPAREAMP/ENTRY3/INDEX 5", QString(), LINKMODE_DOWNLOAD));
  EXPECT_FALSE(Reply(doc, "/SPAREAMP/ENTRY3/INDEX many"));
  spare->GetEntry(2, nullptr, nullptr, &value, nullptr);
  EXPECT_EQ(value, 21);

  // "OFF" is 0; REMOTE other than "NO" is an amplifier channel.
  EXPECT_TRUE(Reply(doc, "/SPAREAMP/ENTRY3/INDEX OFF"));
  EXPECT_TRUE(Reply(doc, "/SPAREAMP/ENTRY3/REMOTE YES"));
  EXPECT_TRUE(Reply(doc, "/SPAREAMP/ENTRY3/WATCH10/INDEX OFF"));
  EXPECT_TRUE(Reply(doc, "/SPAREAMP/ENTRY3/WATCH10/OUTRELAY OFF"));
  EXPECT_TRUE(Reply(doc, "/SPAREAMP/ENTRY3/WATCH10/INPRELAY OFF"));
  int channel = -1;
  spare->GetEntry(2, nullptr, &type, &value, &channel);
  EXPECT_EQ(type, CSpareAmp::kTypeAmpChannel);
  EXPECT_EQ(value, 0);
  EXPECT_EQ(channel, 0);
  EXPECT_FALSE(Watch(9, 2).used);
}

TEST_F(CSpareAmpTest, SetEntryConvertsAmplifierChannelsAndKeepsTargetOnBadInput) {
  AddBusAmplifiers();
  CAmplifier* plain = AddAmplifier(doc, kAmpPlain2);
  ASSERT_NE(plain, nullptr);
  doc.SetModifiedFlag(false);
  ASSERT_TRUE(spare->SetEntry(0, "A", true, CSpareAmp::kTypeAmpChannel, second->GetID(), 1));
  EXPECT_TRUE(doc.IsModified());
  int type = 0;
  int value = 0;
  int channel = 0;
  EXPECT_TRUE(spare->GetEntry(0, nullptr, &type, &value, &channel));
  EXPECT_EQ(type, CSpareAmp::kTypeAmpChannel);
  EXPECT_EQ(value, 6);
  EXPECT_EQ(channel, 6);

  // No global channel (not on the bus), no such amplifier, no such channel:
  // the target stays.
  for (auto [id, ch] : {std::pair<int, int>{plain->GetID(), 0}, {99, 0}, {second->GetID(), 4}, {first->GetID(), -1}}) {
    ASSERT_TRUE(spare->SetEntry(0, "A", true, CSpareAmp::kTypeAmpChannel, id, ch));
    spare->GetEntry(0, nullptr, nullptr, &value, nullptr);
    EXPECT_EQ(value, 6) << id << "/" << ch;
  }

  // Disabling keeps the target and clears the watches.
  ASSERT_TRUE(spare->SetWatch(4, 0, 1, CSpareAmp::kTypeReadyInput, 3, 0));
  ASSERT_TRUE(spare->SetWatchRelays(4, 0, 1, 2));
  ASSERT_TRUE(spare->SetEntry(0, "A", false, CSpareAmp::kTypeAmpChannel, 99, 0));
  EXPECT_FALSE(spare->GetEntry(0, nullptr, nullptr, &value, nullptr));
  EXPECT_EQ(value, 6);
  for (int w = 0; w < 10; ++w) EXPECT_FALSE(Watch(w, 0).used) << w;
}

TEST_F(CSpareAmpTest, AccessorsRefuseIndexesOutsideTheTable) {
  ASSERT_TRUE(spare->SetEntry(7, "Eight", true, CSpareAmp::kTypeReadyInput, 2, 0));
  ASSERT_TRUE(spare->SetWatch(9, 7, 1, CSpareAmp::kTypeReadyInput, 2, 0));
  doc.SetModifiedFlag(false);
  EXPECT_FALSE(spare->SetEntry(8, "Nine", true, CSpareAmp::kTypeReadyInput, 2, 0));
  EXPECT_FALSE(spare->SetEntry(-1, "Nine", true, CSpareAmp::kTypeReadyInput, 2, 0));
  EXPECT_FALSE(spare->SetWatch(10, 7, 1, CSpareAmp::kTypeReadyInput, 2, 0));
  EXPECT_FALSE(spare->SetWatch(0, 8, 1, CSpareAmp::kTypeReadyInput, 2, 0));
  EXPECT_FALSE(spare->SetWatchRelays(10, 0, 1, 1));
  EXPECT_FALSE(doc.IsModified());
  QString name = "untouched";
  int value = -5;
  EXPECT_FALSE(spare->GetEntry(8, &name, nullptr, &value, nullptr));
  EXPECT_EQ(name, "untouched");
  EXPECT_EQ(value, -5);
  int type = -5;
  EXPECT_FALSE(spare->GetWatch(10, 0, &type, &value));
  EXPECT_FALSE(spare->GetWatch(0, -1, &type, &value));
  EXPECT_EQ(type, -5);
  EXPECT_TRUE(Watch(9, 7).used);

  // Another type frees the item.
  ASSERT_TRUE(spare->SetWatch(9, 7, 0, 0, 0, 0));
  const WatchState freed = Watch(9, 7);
  EXPECT_FALSE(freed.used);
  EXPECT_EQ(freed.value, 0);
  EXPECT_EQ(freed.type, CSpareAmp::kTypeAmpChannel);
}

TEST_F(CSpareAmpTest, RoundTripKeepsEntriesAndNamesAndDisablesUnnamed) {
  AddBusAmplifiers();
  ASSERT_TRUE(spare->SetEntry(0, "Hall", true, CSpareAmp::kTypeAmpChannel, first->GetID(), 3));
  ASSERT_TRUE(spare->SetWatch(9, 0, 1, CSpareAmp::kTypeAmpChannel, second->GetID(), 0));
  ASSERT_TRUE(spare->SetWatchRelays(9, 0, 500, 100));
  ASSERT_TRUE(spare->SetEntry(6, "", true, CSpareAmp::kTypeReadyInput, 65535, 0));
  ASSERT_TRUE(spare->SetWatch(1, 6, 1, CSpareAmp::kTypeReadyInput, 7, 0));
  // (The list names every entry it disables "", so a named disabled entry
  // does not occur; it comes back enabled.)
  ASSERT_TRUE(spare->SetEntry(3, "Off", false, CSpareAmp::kTypeReadyInput, 1, 0));

  auto loaded = RoundTrip(doc);
  CSpareAmp* copy = CSpareAmp::Find(loaded.get());
  ASSERT_NE(copy, nullptr);
  for (int n = 0; n < 8; ++n) {
    QString a;
    QString b;
    int ta = 0, tb = 0, va = 0, vb = 0;
    const bool ea = spare->GetEntry(n, &a, &ta, &va, nullptr);
    const bool eb = copy->GetEntry(n, &b, &tb, &vb, nullptr);
    EXPECT_EQ(a, b) << n;
    EXPECT_EQ(ta, tb) << n;
    EXPECT_EQ(va, vb) << n;
    // The flags are not stored: a name means in use.
    EXPECT_EQ(eb, !a.isEmpty()) << n;
    if (n != 6 && n != 3) {
      EXPECT_EQ(ea, eb) << n;
    }
    for (int w = 0; w < 10; ++w) {
      int wa[4] = {};
      int wb[4] = {};
      EXPECT_EQ(spare->GetWatch(w, n, &wa[0], &wa[1], &wa[2], &wa[3]),
                copy->GetWatch(w, n, &wb[0], &wb[1], &wb[2], &wb[3]));
      for (int f = 0; f < 4; ++f) EXPECT_EQ(wa[f], wb[f]) << n << "/" << w << "/" << f;
    }
  }
  EXPECT_TRUE(spare->GetEntry(6, nullptr, nullptr, nullptr, nullptr));
  EXPECT_FALSE(copy->GetEntry(6, nullptr, nullptr, nullptr, nullptr));
  const WatchState w = [&] {
    WatchState s;
    s.used = copy->GetWatch(9, 0, &s.type, &s.value, &s.out, &s.in);
    return s;
  }();
  EXPECT_EQ(w.value, 5);
  EXPECT_EQ(w.out, 500);
  EXPECT_EQ(w.in, 100);
}

namespace {

// A spare-amplifier record of an older schema: entry 1 has target 4, then
// the given names.
QByteArray SpareAmpOldRecord(int schema, const QStringList& names, bool withNames) {
  CSelvantisDoc old;
  auto standIn = std::make_unique<ampstest::RecordStandIn>("CSpareAmp", DT_SPAREAMP, [=](CArchive& ar) {
    if (schema < 2) return;
    for (int n = 0; n < 8; ++n) {
      ar << uint16_t(n == 0 ? 4 : 0) << uint16_t(0);
      for (int w = 0; w < 10; ++w)
        ar << uint16_t(w == 0 && n == 0 ? 9 : 0) << uint16_t(0) << uint16_t(0) << uint16_t(0);
    }
    if (withNames) ar << names;
  });
  EXPECT_TRUE(standIn->CreateWithID(CSpareAmp::kKind, "Backup Amplifier", 1, CAT_MODULES, &old));
  old.Adopt(std::move(standIn));
  QByteArray bytes = SaveProject(old);
  EXPECT_TRUE(PatchSchema(bytes, "CSpareAmp", schema));
  return bytes;
}

}  // namespace

TEST_F(CSpareAmpTest, NamesListsOfAnyLengthLoadAsEightNames) {
  const QStringList five{"a", "b", "", "d", "e"};
  QStringList twelve;
  for (int i = 0; i < 12; ++i) twelve << QString("n%1").arg(i);
  for (const QStringList& names : {five, twelve}) {
    auto loaded = LoadProject(SpareAmpOldRecord(3, names, true));
    CSpareAmp* copy = CSpareAmp::Find(loaded.get());
    ASSERT_NE(copy, nullptr);
    for (int n = 0; n < 8; ++n) {
      QString name = "x";
      const bool enabled = copy->GetEntry(n, &name, nullptr, nullptr, nullptr);
      EXPECT_EQ(name, names.value(n)) << n;
      EXPECT_EQ(enabled, !names.value(n).isEmpty()) << n;
    }
    int value = 0;
    copy->GetEntry(0, nullptr, nullptr, &value, nullptr);
    EXPECT_EQ(value, 4);
    // Saved again, the record holds exactly eight names.
    auto again = RoundTrip(*loaded);
    QString name;
    EXPECT_EQ(CSpareAmp::Find(again.get())->GetEntry(7, &name, nullptr, nullptr, nullptr), !names.value(7).isEmpty());
  }
}

TEST_F(CSpareAmpTest, OlderSchemasReadWhatTheyHold) {
  auto entriesOnly = LoadProject(SpareAmpOldRecord(2, {}, false));
  CSpareAmp* copy = CSpareAmp::Find(entriesOnly.get());
  ASSERT_NE(copy, nullptr);
  int value = 0;
  QString name = "x";
  EXPECT_FALSE(copy->GetEntry(0, &name, nullptr, &value, nullptr));
  EXPECT_EQ(value, 4);
  EXPECT_EQ(name, "");
  int watched = 0;
  EXPECT_TRUE(copy->GetWatch(0, 0, nullptr, &watched));
  EXPECT_EQ(watched, 9);

  auto baseOnly = LoadProject(SpareAmpOldRecord(1, {}, false));
  copy = CSpareAmp::Find(baseOnly.get());
  ASSERT_NE(copy, nullptr);
  copy->GetEntry(0, nullptr, nullptr, &value, nullptr);
  EXPECT_EQ(value, 0);
}

TEST_F(CSpareAmpTest, SelectionDialogOffersBusChannelsAndReadyInputs) {
  AddBusAmplifiers();
  AddAmplifier(doc, kAmpPlain2);  // not on the bus: no global channels
  CBaseDevice* input = doc.CreateObject(DT_READYINPUT, CReadyInput::kKindReadyInput);
  ASSERT_NE(input, nullptr);
  for (uint32_t kind : {34370u, 34383u}) {
    SelectionRequest request;
    request.kind = kind;
    const SelectionList list = CSelectionProvider::Global().ListChoices(&doc, request);
    ASSERT_EQ(list.choices.size(), 8u + 1u) << kind;
    const SelectionChoice& seventh = list.choices[6];
    EXPECT_EQ(seventh.type, CSpareAmp::kTypeAmpChannel);
    EXPECT_EQ(seventh.value, second->GetID());
    EXPECT_EQ(seventh.channel, 2);
    EXPECT_EQ(seventh.columns.value(0), second->GetName() + " CH3");
    EXPECT_EQ(list.choices.back().type, CSpareAmp::kTypeReadyInput);
    EXPECT_EQ(list.choices.back().value, input->GetID());
    // What the list does with a chosen row.
    ASSERT_TRUE(spare->SetEntry(0, "A", true, seventh.type, seventh.value, seventh.channel));
    int value = 0;
    spare->GetEntry(0, nullptr, nullptr, &value, nullptr);
    EXPECT_EQ(value, 7);
  }
}
