// Identifier pools: ranges, look-ups with and without messages, moves and
// renumbering, project limits, and the amplifier-channel and control-pad
// look-ups that later classes plug into.
#include "model/cidmanager.h"
#include "model/cselvantisdoc.h"
#include "modeltestdevices.h"
#include "support/messagerecorder.h"

#include <gtest/gtest.h>

TEST(CIDManagerTest, PoolRangesFollowTheTypes) {
  struct Row {
    int type;
    int first;
    int max;
  };
  const Row rows[] = {
      {DT_CONSOLE, 1, 16},   {DT_CONTROLPAD, 1, 512}, {DT_MACRO, 1, 250},       {DT_CONDITION, 1, 250},
      {DT_LOGICOUT, 1, 250}, {DT_MEMOFLAG, 1, 200},   {DT_ZONE, 1, 100},        {DT_GROUP, 0, 100},
      {DT_TRIGGER, 1, 100},  {DT_RELAY, 1, 960},      {DT_LANGROUP, 1, 64},     {DT_AMPLIFIER, 1, 64},
      {DT_KCM201, 1, 8},     {DT_KCM208, 1, 96},      {DT_KCM212, 1, 40},       {DT_KCM216, 1, 8},
      {DT_KCMEX, 1, 1},      {DT_INFOSLOT, 1, 1},     {DT_INTERNALSLOT, 1, 16}, {DT_VIRTCTRLITEM, 1, 40},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.type);
    EXPECT_EQ(CIDManager::GetFirstID(row.type), row.first);
    EXPECT_EQ(CIDManager::GetPoolMaxID(row.type), row.max);
  }
  EXPECT_EQ(CIDManager::GetPoolCapacity(DT_GROUP), 101);
  EXPECT_EQ(CIDManager::GetPoolMaxID(DT_RESERVED20), 0);
  EXPECT_EQ(CIDManager::GetPoolMaxID(0), 0);
  EXPECT_EQ(CIDManager::GetPoolMaxID(68), 0);
}

TEST(CIDManagerTest, ProjectLimitsRiseWithTheProjectSizeFlag) {
  struct Row {
    int type;
    int normal;
    int big;
  };
  const Row rows[] = {{DT_APPOINT, 20, 50}, {DT_DAYPROG, 10, 20},   {DT_HOLIDAY, 20, 50},
                      {DT_MACRO, 80, 250},  {DT_LOGICOUT, 30, 250}, {DT_ZONE, 0, 0}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.type);
    EXPECT_EQ(CIDManager::GetMaxDevices(row.type, false), row.normal);
    EXPECT_EQ(CIDManager::GetMaxDevices(row.type, true), row.big);
  }
  // No limit (0): the pool decides, so the first memo flag can be created.
  EXPECT_EQ(CIDManager::GetMaxDevices(DT_MEMOFLAG, false), 0);
  EXPECT_EQ(CIDManager::GetCreateLimit(DT_MEMOFLAG, false), 200);
  EXPECT_EQ(CIDManager::GetCreateLimit(DT_MACRO, false), 80);
  CIDManager ids;
  EXPECT_TRUE(ids.CanCreate(DT_MEMOFLAG, false));
}

TEST(CIDManagerTest, NewIsRefusedAtTheProjectLimitNotOnlyAtTheFullPool) {
  CSelvantisDoc doc;
  for (int i = 0; i < 80; ++i) ASSERT_NE(AddTestObject(doc, DT_MACRO, CAT_MACROS), nullptr);
  EXPECT_FALSE(doc.CanCreate(DT_MACRO));
  doc.SetUpgradeFlag(1);
  EXPECT_TRUE(doc.CanCreate(DT_MACRO));
}

TEST(CIDManagerTest, NextIdIsTheLowestFreeOneAndNoneWhenFull) {
  CIDManager ids;
  CModelTestDevice a(DT_KCM201), b(DT_KCM201);
  EXPECT_EQ(ids.GetNextID(DT_KCM201), 1);
  ASSERT_TRUE(ids.AddID(&a, DT_KCM201, 1));
  ASSERT_TRUE(ids.AddID(&b, DT_KCM201, 3));
  EXPECT_EQ(ids.GetNextID(DT_KCM201), 2);
  std::vector<std::unique_ptr<CModelTestDevice>> more;
  for (int id : {2, 4, 5, 6, 7, 8}) {
    more.push_back(std::make_unique<CModelTestDevice>(DT_KCM201));
    ASSERT_TRUE(ids.AddID(more.back().get(), DT_KCM201, id));
  }
  EXPECT_EQ(ids.GetNextID(DT_KCM201), 0);
  EXPECT_EQ(ids.GetCount(DT_KCM201), 8);
  EXPECT_EQ(ids.GetMaxID(DT_KCM201), 8);
  // The root group's identifier 0 is never handed out as a "next" one.
  EXPECT_EQ(ids.GetNextID(DT_GROUP), 1);
}

TEST(CIDManagerTest, AddIdRefusesTakenAndOutOfRangeIdentifiers) {
  CIDManager ids;
  CModelTestDevice a(DT_ZONE), b(DT_ZONE);
  EXPECT_TRUE(ids.AddID(&a, DT_ZONE, 5));
  EXPECT_TRUE(ids.AddID(&a, DT_ZONE, 5));  // the same object again
  EXPECT_FALSE(ids.AddID(&b, DT_ZONE, 5));
  EXPECT_FALSE(ids.AddID(&b, DT_ZONE, 0));
  EXPECT_FALSE(ids.AddID(&b, DT_ZONE, 101));
  EXPECT_FALSE(ids.AddID(&b, DT_RESERVED26, 1));
  EXPECT_EQ(ids.GetCount(DT_ZONE), 1);
  EXPECT_FALSE(ids.RemoveID(&b, DT_ZONE, 5));  // not b's
  EXPECT_TRUE(ids.RemoveID(&a, DT_ZONE, 5));
  EXPECT_EQ(ids.GetCount(DT_ZONE), 0);
}

TEST(CIDManagerTest, GetBaseDeviceReportsBadTypesAndIdentifiersOutsideThePool) {
  MessageRecorder messages;
  CIDManager ids;
  CModelTestDevice zone(DT_ZONE);
  ids.AddID(&zone, DT_ZONE, 7);

  EXPECT_EQ(ids.GetBaseDevice(7, DT_ZONE), &zone);
  EXPECT_EQ(ids.GetBaseDevice(8, DT_ZONE), nullptr);
  EXPECT_EQ(ids.GetBaseDevice(0, DT_ZONE), nullptr);  // identifier 0: no message
  EXPECT_TRUE(messages.Requests().empty());

  EXPECT_EQ(ids.GetBaseDevice(101, DT_ZONE), nullptr);
  EXPECT_EQ(ids.GetBaseDevice(1, 68), nullptr);
  EXPECT_EQ(ids.GetBaseDevice(-1, DT_ZONE), nullptr);
  ASSERT_EQ(messages.Requests().size(), 3u);
  EXPECT_EQ(messages.Requests()[0].text, QStringLiteral("IDManager: GetBaseDevice 101,23\n"));
  EXPECT_EQ(messages.Requests()[1].text, QStringLiteral("IDManager: GetBaseDevice 1,68\n"));

  messages.Clear();
  EXPECT_EQ(ids.FindBaseDevice(101, DT_ZONE), nullptr);
  EXPECT_EQ(ids.FindBaseDevice(1, 68), nullptr);
  EXPECT_TRUE(messages.Requests().empty());
}

TEST(CIDManagerTest, ListsComeInIdentifierOrderAndByKind) {
  CIDManager ids;
  CModelTestDevice a(DT_MACRO), b(DT_MACRO), c(DT_MACRO);
  a.SetKind(1);
  b.SetKind(2);
  c.SetKind(1);
  ids.AddID(&c, DT_MACRO, 9);
  ids.AddID(&a, DT_MACRO, 2);
  ids.AddID(&b, DT_MACRO, 5);
  std::vector<CBaseDevice*> all;
  ids.GetBaseDeviceList(all, DT_MACRO);
  EXPECT_EQ(all, (std::vector<CBaseDevice*>{&a, &b, &c}));
  std::vector<CBaseDevice*> kind1;
  ids.GetBaseDeviceListByKind(kind1, DT_MACRO, 1);
  EXPECT_EQ(kind1, (std::vector<CBaseDevice*>{&a, &c}));
  EXPECT_EQ(ids.GetCount(99), -1);
}

TEST(CIDManagerTest, RemoveIdAndShiftMovesHigherObjectsDownInAscendingOrder) {
  CSelvantisDoc doc;
  std::vector<CModelTestDevice*> cards;
  for (int i = 0; i < 5; ++i) cards.push_back(AddTestObject(doc, DT_KCM208, CAT_ENTRIES));
  ASSERT_EQ(cards[4]->GetID(), 5);
  // A gap at 4 stays a gap until the shift reaches it.
  doc.DeleteObject(cards[3]);
  doc.DeleteObject(cards[1]);
  ASSERT_TRUE(doc.GetIDManager().RemoveIDAndShift(DT_KCM208, 2));
  EXPECT_EQ(cards[0]->GetID(), 1);
  EXPECT_EQ(cards[2]->GetID(), 2);
  EXPECT_EQ(cards[4]->GetID(), 4);
  EXPECT_EQ(cards[2]->m_idHistory, std::vector<int>{2});
  EXPECT_EQ(cards[4]->m_idHistory, std::vector<int>{4});
  EXPECT_EQ(doc.GetIDManager().FindBaseDevice(4, DT_KCM208), cards[4]);
  EXPECT_EQ(doc.GetIDManager().FindBaseDevice(5, DT_KCM208), nullptr);
  // Refused while the identifier is still held.
  EXPECT_FALSE(doc.GetIDManager().RemoveIDAndShift(DT_KCM208, 1));
}

TEST(CIDManagerTest, MovedObjectsTakeTheirCommandPathAlong) {
  CSelvantisDoc doc;
  CModelTestDevice* zone = AddTestObject(doc, DT_ZONE, CAT_ZONES);
  ASSERT_EQ(zone->GetPath(), QStringLiteral("/VMX/ZONE1"));
  ASSERT_TRUE(doc.GetIDManager().MoveID(zone, 42));
  EXPECT_EQ(zone->GetID(), 42);
  EXPECT_EQ(zone->GetPath(), QStringLiteral("/VMX/ZONE42"));
  EXPECT_EQ(doc.FindObjectByPath("/VMX/ZONE42"), zone);
  EXPECT_EQ(doc.FindObjectByPath("/VMX/ZONE1"), nullptr);
  CModelTestDevice* other = AddTestObject(doc, DT_ZONE, CAT_ZONES);
  EXPECT_EQ(other->GetID(), 1);
  EXPECT_FALSE(doc.GetIDManager().MoveID(zone, 1));
  EXPECT_FALSE(doc.GetIDManager().MoveID(zone, 101));
  EXPECT_EQ(zone->GetID(), 42);
}

TEST(CIDManagerTest, AmplifierChannelsAreNumberedByBusAddress) {
  CSelvantisDoc doc;
  auto makeAmp = [&doc](const QString& name, int address, int channels, bool addressable) {
    auto amp = std::make_unique<CModelTestAmp>();
    amp->m_address = address;
    amp->m_channels = channels;
    amp->m_addressable = addressable;
    amp->Create(0, 1, channels, name, QRect(), CAT_AMPLIFIERS, 0, 0, &doc);
    return doc.Adopt(std::move(amp));
  };
  makeAmp("B", 5, 4, true);   // identifier 1, address 5: channels 3..6
  makeAmp("A", 2, 2, true);   // identifier 2, address 2: channels 1..2
  makeAmp("X", 1, 4, false);  // not on the bus
  makeAmp("C", 9, 1, true);   // channel 7

  std::vector<CBaseDevice*> amps;
  doc.GetIDManager().GetAmplifiersByTableRow(amps);
  ASSERT_EQ(amps.size(), 3u);
  EXPECT_EQ(amps[0]->GetName(), QStringLiteral("A"));
  EXPECT_EQ(amps[2]->GetName(), QStringLiteral("C"));

  const CIDManager& ids = doc.GetIDManager();
  EXPECT_EQ(ids.GetAmpChannelName(1), QStringLiteral("A CH1"));
  EXPECT_EQ(ids.GetAmpChannelName(2), QStringLiteral("A CH2"));
  EXPECT_EQ(ids.GetAmpChannelName(3), QStringLiteral("B CH1"));
  EXPECT_EQ(ids.GetAmpChannelName(6), QStringLiteral("B CH4"));
  EXPECT_EQ(ids.GetAmpChannelName(7), QStringLiteral("C CH1"));
  EXPECT_EQ(ids.GetAmpChannelName(8), QStringLiteral("8 *"));
  EXPECT_EQ(ids.GetAmpChannelName(0), QStringLiteral("0 *"));
}

TEST(CIDManagerTest, ControlPadsAreFoundByKeywordAndNumberInIdentifierOrder) {
  CSelvantisDoc doc;
  std::vector<CModelTestPad*> pads;
  for (int i = 0; i < 3; ++i) {
    auto pad = std::make_unique<CModelTestPad>();
    pad->m_keyword = i == 0 ? "IN" : "KCM208";
    pad->m_number = i == 0 ? 3 : 7;
    pad->Create(0, 1, 1, QString(), QRect(), CAT_ENTRIES, 0, 0, &doc);
    pads.push_back(doc.Adopt(std::move(pad)));
  }
  const CIDManager& ids = doc.GetIDManager();
  EXPECT_EQ(ids.FindControlPadByKeyword("IN", 3), pads[0]);
  EXPECT_EQ(ids.FindControlPadByKeyword("KCM208", 7), pads[1]);
  EXPECT_EQ(ids.FindControlPadByKeyword("KCM208", 8), nullptr);
}
