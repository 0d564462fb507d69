// The relay manager's three number tables: hand-out, claims that never
// overwrite, releases of exactly the relay named, and the document hooks.

#include "amps/crelaismanager.h"
#include "amps/crelais.h"
#include "model/commandids.h"
#include "model/cselvantisdoc.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

std::vector<std::unique_ptr<CRelais>> MakeRelays(int count) {
  std::vector<std::unique_ptr<CRelais>> relays;
  for (int i = 0; i < count; ++i) relays.push_back(std::make_unique<CRelais>());
  return relays;
}

TEST(CRelaisManagerTest, RSeriesHandsOutUpTo499AndClaims500) {
  CRelaisManager manager;
  auto relays = MakeRelays(501);
  std::vector<CRelais*> listed;
  manager.ListRelaysR(listed);
  EXPECT_TRUE(listed.empty());
  EXPECT_EQ(manager.GetRelayR(1), nullptr);

  for (uint32_t n = 1; n <= 499; ++n) ASSERT_EQ(manager.AddRelayR(relays[n - 1].get()), n);
  EXPECT_EQ(manager.AddRelayR(relays[499].get()), 0u);
  EXPECT_EQ(manager.GetFreeRelayR(), 0u);

  EXPECT_EQ(manager.ClaimRelayR(relays[499].get(), 500), 1);
  EXPECT_EQ(manager.ClaimRelayR(relays[500].get(), 500), 0);  // taken: not overwritten
  EXPECT_EQ(manager.GetRelayR(500), relays[499].get());
  manager.ListRelaysR(listed);
  ASSERT_EQ(listed.size(), 500u);
  EXPECT_EQ(listed.back(), relays[499].get());
  EXPECT_EQ(listed.front(), relays[0].get());

  EXPECT_EQ(manager.GetRelayR(0), nullptr);
  EXPECT_EQ(manager.GetRelayR(501), nullptr);
  EXPECT_EQ(manager.ClaimRelayR(relays[500].get(), 0), 0);
  EXPECT_EQ(manager.ClaimRelayR(relays[500].get(), 501), 0);

  EXPECT_EQ(manager.RemoveRelayR(relays[499].get()), 1);
  EXPECT_EQ(manager.GetRelayR(500), nullptr);
  std::vector<CRelais*> sList;
  manager.ListRelaysS(sList);
  EXPECT_TRUE(sList.empty());  // "r" relays never show in the "s" series
}

TEST(CRelaisManagerTest, SSeriesHandsOutUpTo99AndClaims100) {
  CRelaisManager manager;
  auto relays = MakeRelays(101);
  for (uint32_t n = 1; n <= 99; ++n) ASSERT_EQ(manager.AddRelayS(relays[n - 1].get()), n);
  EXPECT_EQ(manager.AddRelayS(relays[99].get()), 0u);
  EXPECT_EQ(manager.ClaimRelayS(relays[99].get(), 100), 1);
  EXPECT_EQ(manager.ClaimRelayS(relays[100].get(), 100), 0);
  std::vector<CRelais*> listed;
  manager.ListRelaysS(listed);
  ASSERT_EQ(listed.size(), 100u);
  EXPECT_EQ(listed.back(), relays[99].get());
  EXPECT_EQ(manager.GetRelayS(0), nullptr);
  EXPECT_EQ(manager.GetRelayS(101), nullptr);
  EXPECT_EQ(manager.ClaimRelayS(relays[100].get(), 101), 0);
  std::vector<CRelais*> rList;
  manager.ListRelaysR(rList);
  EXPECT_TRUE(rList.empty());
}

TEST(CRelaisManagerTest, ReleaseFreesOnlyTheRelayNamed) {
  CRelaisManager manager;
  auto relays = MakeRelays(2);
  ASSERT_EQ(manager.ClaimRelayR(relays[0].get(), 7), 1);
  EXPECT_EQ(manager.ReleaseRelayR(relays[1].get(), 7), 0);
  EXPECT_EQ(manager.ReleaseRelayR(relays[0].get(), 8), 0);
  EXPECT_EQ(manager.ReleaseRelayR(relays[0].get(), 0), 0);
  EXPECT_EQ(manager.ReleaseRelayR(relays[0].get(), 7), 1);
  EXPECT_EQ(manager.GetRelayR(7), nullptr);
  ASSERT_EQ(manager.ClaimRelayS(relays[0].get(), 100), 1);
  EXPECT_EQ(manager.ReleaseRelayS(relays[0].get(), 101), 0);
  EXPECT_EQ(manager.ReleaseRelayS(relays[0].get(), 100), 1);
}

TEST(CRelaisManagerTest, CountFreeRelaysWalksUpToTheEndOfTheSeries) {
  CRelaisManager manager;
  auto relays = MakeRelays(3);
  struct Row {
    int first;
    uint32_t count;
    int expected;
  };
  // 498..500 free.
  for (const Row& row : {Row{498, 3, 1}, Row{498, 4, 0}, Row{-1, 3, 0}, Row{-1, 0, 0}, Row{600, 0, 1}, Row{1, 0, 1},
                         Row{0, 500, 1}, Row{0, 501, 0}, Row{501, 1, 0}})
    EXPECT_EQ(manager.CountFreeRelaysR(row.first, row.count), row.expected) << row.first << " " << row.count;

  ASSERT_EQ(manager.ClaimRelayR(relays[0].get(), 500), 1);
  EXPECT_EQ(manager.CountFreeRelaysR(498, 3), 0);
  EXPECT_EQ(manager.CountFreeRelaysR(498, 2), 1);
  // Free slots need not be adjacent.
  ASSERT_EQ(manager.ClaimRelayR(relays[1].get(), 11), 1);
  EXPECT_EQ(manager.CountFreeRelaysR(10, 3), 1);
  // There is no slot 0: from 0 the walk meets the 498 free slots of 1..500.
  EXPECT_EQ(manager.CountFreeRelaysR(0, 498), 1);
  EXPECT_EQ(manager.CountFreeRelaysR(0, 499), 0);
}

TEST(CRelaisManagerTest, CollectionCallNumbersRunFrom1To10) {
  CRelaisManager manager;
  CRelais topology;  // any object will do
  CRelais other;
  EXPECT_EQ(manager.ClaimTopology(&topology, 10), 1);
  EXPECT_EQ(manager.ClaimTopology(&other, 10), 0);
  EXPECT_EQ(manager.GetTopology(10), &topology);
  EXPECT_EQ(manager.ClaimTopology(&other, 0), 0);
  EXPECT_EQ(manager.ClaimTopology(&other, 11), 0);
  EXPECT_EQ(manager.GetTopology(11), nullptr);
  EXPECT_EQ(manager.RemoveTopology(&topology), 1);
  EXPECT_EQ(manager.GetTopology(10), nullptr);
}

TEST(CRelaisManagerTest, EachDocumentHasItsOwnManager) {
  CSelvantisDoc a, b;
  CRelaisManager* ma = CRelaisManager::Of(&a);
  ASSERT_NE(ma, nullptr);
  EXPECT_EQ(CRelaisManager::Of(&a), ma);
  EXPECT_NE(CRelaisManager::Of(&b), ma);
  EXPECT_EQ(CRelaisManager::Of(nullptr), nullptr);
}

TEST(CRelaisManagerTest, ObjectsLeavingTheDocumentLeaveTheTables) {
  CSelvantisDoc doc;
  auto made = std::make_unique<CRelais>();
  ASSERT_TRUE(made->Create(CRelais::KIND_ZONE, 1, 1, QString(), QRect(), CAT_MISC, CRelais::kBitmap, 3, &doc));
  CRelais* relay = doc.Adopt(std::move(made));
  ASSERT_NE(relay, nullptr);
  CRelaisManager* manager = CRelaisManager::Of(&doc);
  ASSERT_EQ(manager->GetRelayR(1), relay);
  manager->ClaimTopology(relay, 3);
  // Freed later, but its numbers are free at once.
  EXPECT_TRUE(relay->OnCommand(ID_DELETE_OBJECT));
  EXPECT_EQ(manager->GetRelayR(1), nullptr);
  EXPECT_EQ(manager->GetTopology(3), nullptr);
  doc.PurgeDeleted();

  auto second = std::make_unique<CRelais>();
  ASSERT_TRUE(second->Create(CRelais::KIND_ZONE, 1, 1, QString(), QRect(), CAT_MISC, CRelais::kBitmap, 3, &doc));
  CRelais* kept = doc.Adopt(std::move(second));
  ASSERT_EQ(manager->GetRelayR(1), kept);
  doc.OnNewDocument();  // a new project starts with empty tables
  EXPECT_EQ(manager->GetRelayR(1), nullptr);
}

TEST(CRelaisManagerTest, RelayMadeButNeverAddedLeavesNoTraceWhenFreed) {
  CSelvantisDoc doc;
  CRelaisManager* manager = CRelaisManager::Of(&doc);
  {
    CRelais relay;
    ASSERT_TRUE(relay.Create(CRelais::KIND_PRELAY, 1, 1, QString(), QRect(), CAT_MISC, CRelais::kBitmap, 3, &doc));
    EXPECT_EQ(manager->GetRelayR(1), &relay);
  }
  EXPECT_EQ(manager->GetRelayR(1), nullptr);
}

}  // namespace
