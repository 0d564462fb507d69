// Relays: numbers by kind, names by series, deletion, the project-file
// record, and the cards AttachToCard builds behind a numbered relay.

#include "amps/crelais.h"
#include "amps/crelaismanager.h"
#include "ampstestsupport.h"
#include "model/carchive.h"
#include "model/commandids.h"
#include "model/cselvantisdoc.h"
#include "model/modelstrings.h"
#include "support/messagerecorder.h"
#include "unit/ckcm.h"

#include <gtest/gtest.h>

#include <memory>

using ampstest::AddPeer;

namespace {

CRelais* RelaisAddRelay(CSelvantisDoc& doc, int kind) {
  auto relay = std::make_unique<CRelais>();
  if (!relay->Create(kind, 1, 1, QString(), QRect(), CAT_MISC, CRelais::kBitmap, 3, &doc)) return nullptr;
  return doc.Adopt(std::move(relay));
}

CKCM* AddCard(CSelvantisDoc& doc, int kind) {
  auto card = std::make_unique<CKCM>();
  const int pins = CKCM::InputCountOfKind(kind);
  if (!card->Create(kind, pins, pins, QString(), QRect(), CAT_ENTRIES, 0, 3, &doc)) return nullptr;
  return doc.Adopt(std::move(card));
}

// A relay numbered n in its series, ready for AttachToCard.
CRelais* NumberedRelay(CSelvantisDoc& doc, int kind, uint32_t number, bool rSeries) {
  CRelais* relay = RelaisAddRelay(doc, kind);
  if (relay != nullptr) relay->Renumber(number, rSeries);
  return relay;
}

CBaseDevice* Card(CSelvantisDoc& doc, int type, int id) { return doc.GetIDManager().FindBaseDevice(id, type); }

// Relay n sits on input (n - 1) mod 5 of card (n - 1) / 5 + 1, both ends
// recorded.
void ExpectOnItsCard(CSelvantisDoc& doc, CRelais* relay, uint32_t n, int cardType) {
  ASSERT_NE(relay, nullptr) << n;
  CBaseDevice* card = Card(doc, cardType, int((n - 1) / 5 + 1));
  ASSERT_NE(card, nullptr) << n;
  const ConnectionRecord* out = relay->FindOutputConnection(0);
  ASSERT_NE(out, nullptr) << n;
  EXPECT_EQ(out->pPeer, card) << n;
  EXPECT_EQ(out->nPeerPin, int((n - 1) % 5)) << n;
  const ConnectionRecord* in = card->FindInputConnection(int((n - 1) % 5));
  ASSERT_NE(in, nullptr) << n;
  EXPECT_EQ(in->pPeer, relay) << n;
  EXPECT_EQ(in->nPeerPin, 0) << n;
  EXPECT_EQ(relay->GetNumber(), n);
}

TEST(CRelaisTest, PlacedRelaysTakeANumberByKind) {
  CSelvantisDoc doc;
  CRelaisManager* manager = CRelaisManager::Of(&doc);
  struct Row {
    int kind;
    uint32_t number;
    bool inS;
  };
  for (const Row& row :
       {Row{CRelais::KIND_ZONE, 1, false}, Row{CRelais::KIND_COLLCALL, 2, false}, Row{CRelais::KIND_PRELAY, 3, false},
        Row{CRelais::KIND_KCM209, 1, true}, Row{CRelais::KIND_CONTROL, 0, false}}) {
    CRelais* relay = RelaisAddRelay(doc, row.kind);
    ASSERT_NE(relay, nullptr);
    EXPECT_EQ(relay->GetNumber(), row.number) << row.kind;
    if (row.number != 0) {
      EXPECT_EQ(row.inS ? manager->GetRelayS(row.number) : manager->GetRelayR(row.number), relay) << row.kind;
    }
  }
}

TEST(CRelaisTest, RelaySevenBuildsTwoCardsOnTheFirstBusCard) {
  CSelvantisDoc doc;
  CRelais* seven = NumberedRelay(doc, CRelais::KIND_ZONE, 7, true);
  ASSERT_NE(seven, nullptr);
  EXPECT_EQ(seven->AttachToCard(CRelais::KIND_ZONE, true), 1);

  CIDManager& ids = doc.GetIDManager();
  EXPECT_EQ(ids.GetCount(DT_KCM208), 2);
  EXPECT_EQ(ids.GetCount(DT_KCM201), 1);
  EXPECT_EQ(ids.GetCount(DT_KCM209), 0);
  EXPECT_EQ(ids.GetCount(DT_RELAY), 10);
  CRelaisManager* manager = CRelaisManager::Of(&doc);
  for (uint32_t n = 1; n <= 10; ++n) {
    CRelais* relay = manager->GetRelayR(n);
    ExpectOnItsCard(doc, relay, n, DT_KCM208);
    EXPECT_EQ(relay->GetKind(), CRelais::KIND_ZONE);
    EXPECT_TRUE(relay->GetRect().isNull());  // not on the canvas
  }
  EXPECT_EQ(manager->GetRelayR(7), seven);
  EXPECT_EQ(manager->GetRelayR(11), nullptr);
  std::vector<CRelais*> sRelays;
  manager->ListRelaysS(sRelays);
  EXPECT_TRUE(sRelays.empty());

  CBaseDevice* bus = Card(doc, DT_KCM201, 1);
  ASSERT_NE(bus, nullptr);
  EXPECT_EQ(bus->GetInputCount(), 19);
  EXPECT_EQ(bus->GetOutputCount(), 19);
  EXPECT_EQ(bus->GetCategory(), CAT_ENTRIES);
  for (int id = 1; id <= 2; ++id) {
    CBaseDevice* card = Card(doc, DT_KCM208, id);
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->GetName(), QStringLiteral("KCM208"));
    EXPECT_EQ(card->GetInputCount(), 5);
    const ConnectionRecord* link = card->FindOutputConnection(0);
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->pPeer, bus);
    EXPECT_EQ(link->nPeerPin, id - 1);
    const ConnectionRecord* mirror = bus->FindInputConnection(id - 1);
    ASSERT_NE(mirror, nullptr);
    EXPECT_EQ(mirror->pPeer, card);
  }
}

TEST(CRelaisTest, SSeriesRelayBuildsAKcm209CardAndLeavesTheRSeriesAlone) {
  CSelvantisDoc doc;
  CRelais* three = NumberedRelay(doc, CRelais::KIND_KCM209, 3, false);
  ASSERT_NE(three, nullptr);
  EXPECT_EQ(three->AttachToCard(CRelais::KIND_KCM209, false), 1);
  CRelaisManager* manager = CRelaisManager::Of(&doc);
  for (uint32_t n = 1; n <= 5; ++n) ExpectOnItsCard(doc, manager->GetRelayS(n), n, DT_KCM209);
  EXPECT_EQ(manager->GetRelayS(3), three);
  std::vector<CRelais*> rRelays;
  manager->ListRelaysR(rRelays);
  EXPECT_TRUE(rRelays.empty());
  EXPECT_EQ(doc.GetIDManager().GetCount(DT_KCM208), 0);
  EXPECT_EQ(doc.GetIDManager().GetCount(DT_KCM209), 1);
  const ConnectionRecord* link = Card(doc, DT_KCM209, 1)->FindOutputConnection(0);
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(link->pPeer, Card(doc, DT_KCM201, 1));
  EXPECT_EQ(link->nPeerPin, 0);
  EXPECT_EQ(three->GetName(), QStringLiteral("s3 "));
}

TEST(CRelaisTest, FurtherKcm208CardsContinueOnTheBusCardOfThePreviousOne) {
  CSelvantisDoc doc;
  CRelais* five = NumberedRelay(doc, CRelais::KIND_ZONE, 5, true);
  ASSERT_NE(five, nullptr);
  ASSERT_EQ(five->AttachToCard(CRelais::KIND_ZONE, true), 1);
  // A KCM209 takes the next relay place of bus card 1.
  CRelais* s1 = NumberedRelay(doc, CRelais::KIND_KCM209, 1, false);
  ASSERT_EQ(s1->AttachToCard(CRelais::KIND_KCM209, false), 1);
  CRelaisManager* manager = CRelaisManager::Of(&doc);
  CRelais* twelve = NumberedRelay(doc, CRelais::KIND_PRELAY, 12, true);
  ASSERT_EQ(twelve->AttachToCard(CRelais::KIND_PRELAY, true), 1);
  EXPECT_EQ(doc.GetIDManager().GetCount(DT_KCM208), 3);
  EXPECT_EQ(Card(doc, DT_KCM208, 2)->FindOutputConnection(0)->nPeerPin, 2);
  EXPECT_EQ(Card(doc, DT_KCM208, 3)->FindOutputConnection(0)->nPeerPin, 3);
  for (uint32_t n = 1; n <= 15; ++n) ExpectOnItsCard(doc, manager->GetRelayR(n), n, DT_KCM208);
  // New relays take the kind asked for.
  EXPECT_EQ(manager->GetRelayR(11)->GetKind(), CRelais::KIND_PRELAY);
  EXPECT_EQ(manager->GetRelayR(1)->GetKind(), CRelais::KIND_ZONE);
}

TEST(CRelaisTest, NamesFollowTheSeriesAndTheKind) {
  CSelvantisDoc doc;
  CRelais* twelve = NumberedRelay(doc, CRelais::KIND_ZONE, 12, true);
  ASSERT_EQ(twelve->AttachToCard(CRelais::KIND_ZONE, true), 1);
  CRelaisManager* manager = CRelaisManager::Of(&doc);
  EXPECT_EQ(twelve->GetName(), QStringLiteral("r12 "));
  twelve->SetKind(CRelais::KIND_PRELAY);
  EXPECT_EQ(twelve->GetName(), QStringLiteral("r12 P relay"));
  manager->GetRelayR(5)->SetKind(CRelais::KIND_COLLCALL);
  EXPECT_EQ(manager->GetRelayR(5)->GetName(), QStringLiteral("r5 Collection call"));
  manager->GetRelayR(6)->SetKind(CRelais::KIND_CONTROL);
  EXPECT_EQ(manager->GetRelayR(6)->GetName(), QStringLiteral("r6 Control relay"));
  // The rebuilt name is the stored one: name searches find it.
  EXPECT_EQ(doc.FindObjectByName(QStringLiteral("r12 P relay")), twelve);

  CRelais* loose = RelaisAddRelay(doc, CRelais::KIND_ZONE);
  ASSERT_NE(loose, nullptr);
  const QString stored = loose->GetName();
  EXPECT_FALSE(stored.startsWith(QLatin1Char('r')));  // no card: the name stays
}

TEST(CRelaisTest, RelayThatSomethingFeedsIsNotDeleted) {
  CSelvantisDoc doc;
  CRelais* three = NumberedRelay(doc, CRelais::KIND_ZONE, 3, true);
  ASSERT_EQ(three->AttachToCard(CRelais::KIND_ZONE, true), 1);
  CBaseDevice* zone = AddPeer(doc, 13);
  ASSERT_NE(zone, nullptr);
  CBaseDevice::Connect(zone, 0, three, 0);
  EXPECT_FALSE(three->OnCommand(ID_DELETE_OBJECT));
  EXPECT_TRUE(doc.Contains(three));
  EXPECT_EQ(CRelaisManager::Of(&doc)->GetRelayR(3), three);
  EXPECT_FALSE(three->OnCommand(ID_SHOW_PROPERTIES));
}

TEST(CRelaisTest, FreeRelayIsDeletedAndItsNumberCanBeBuiltAgain) {
  CSelvantisDoc doc;
  CRelais* three = NumberedRelay(doc, CRelais::KIND_ZONE, 3, true);
  ASSERT_EQ(three->AttachToCard(CRelais::KIND_ZONE, true), 1);
  CRelaisManager* manager = CRelaisManager::Of(&doc);
  CBaseDevice* card = Card(doc, DT_KCM208, 1);
  ASSERT_NE(card, nullptr);

  EXPECT_TRUE(three->OnCommand(ID_DELETE_OBJECT));
  EXPECT_FALSE(doc.Contains(three));
  EXPECT_EQ(card->FindInputConnection(2), nullptr);
  EXPECT_EQ(manager->GetRelayR(3), nullptr);
  doc.PurgeDeleted();

  // The card exists: the new relay 3 goes onto its free input.
  CRelais* again = NumberedRelay(doc, CRelais::KIND_ZONE, 3, true);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->AttachToCard(CRelais::KIND_ZONE, true), 1);
  ExpectOnItsCard(doc, again, 3, DT_KCM208);
  EXPECT_EQ(doc.GetIDManager().GetCount(DT_KCM208), 1);
  EXPECT_EQ(doc.GetIDManager().GetCount(DT_RELAY), 5);
  EXPECT_EQ(again->GetName(), QStringLiteral("r3 "));
}

TEST(CRelaisTest, RelayWithoutANumberOrOfAnotherKindBuildsNothing) {
  CSelvantisDoc doc;
  CRelais* control = RelaisAddRelay(doc, CRelais::KIND_CONTROL);  // takes no number
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(control->GetNumber(), 0u);
  EXPECT_EQ(control->AttachToCard(CRelais::KIND_CONTROL, true), 1);
  CRelais* big = NumberedRelay(doc, CRelais::KIND_KCM209, 101, false);  // beyond the "s" series
  EXPECT_EQ(big->AttachToCard(CRelais::KIND_KCM209, false), 1);
  CRelais* other = NumberedRelay(doc, CRelais::KIND_ZONE, 4, true);
  EXPECT_EQ(other->AttachToCard(12345, true), 1);
  EXPECT_EQ(other->AttachToCard(CRelais::KIND_KCM209, true), 1);  // not the card kind of "r"
  EXPECT_EQ(doc.GetObjectCount(CAT_ENTRIES), 0);
  EXPECT_EQ(control->FindOutputConnection(0), nullptr);
}

TEST(CRelaisTest, CardWithoutAFreeBusPlaceStaysOffTheBus) {
  CSelvantisDoc doc;
  // Eight bus cards whose relay places are all taken.
  for (int b = 0; b < CKCM::kMaxBusCards; ++b) {
    CKCM* bus = AddCard(doc, CKCM::KIND_KCM201);
    ASSERT_NE(bus, nullptr);
    CBaseDevice* filler = AddPeer(doc, 12);
    ASSERT_NE(filler, nullptr);
    for (int in = 0; in <= 11; ++in) CBaseDevice::Connect(filler, in, bus, in);
  }
  CRelais* one = NumberedRelay(doc, CRelais::KIND_ZONE, 1, true);
  EXPECT_EQ(one->AttachToCard(CRelais::KIND_ZONE, true), 1);
  CBaseDevice* card = Card(doc, DT_KCM208, 1);
  ASSERT_NE(card, nullptr);
  EXPECT_EQ(card->FindOutputConnection(0), nullptr);
  EXPECT_EQ(doc.GetIDManager().GetCount(DT_KCM201), CKCM::kMaxBusCards);
  ExpectOnItsCard(doc, one, 1, DT_KCM208);
}

TEST(CRelaisTest, RelayBeyondTheLastCardIsRefusedBeforeBuilding) {
  CSelvantisDoc doc;
  MessageRecorder messages;
  // "r" 481..500 would need KCM208 cards 97..100: the pool ends at 96.
  CRelais* last = NumberedRelay(doc, CRelais::KIND_ZONE, 500, true);
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(last->AttachToCard(CRelais::KIND_ZONE, true), 0);
  EXPECT_TRUE(messages.Saw(IDS_POOL_FULL));
  EXPECT_EQ(last->FindOutputConnection(0), nullptr);
  EXPECT_EQ(doc.GetObjectCount(CAT_ENTRIES), 0);
  EXPECT_EQ(doc.GetIDManager().GetCount(DT_RELAY), 1);
  CRelais* fits = NumberedRelay(doc, CRelais::KIND_ZONE, 480, true);
  messages.Clear();
  EXPECT_EQ(fits->AttachToCard(CRelais::KIND_ZONE, true), 1);
  EXPECT_FALSE(messages.Saw(IDS_POOL_FULL));
  EXPECT_EQ(doc.GetIDManager().GetCount(DT_KCM208), 96);
  ExpectOnItsCard(doc, fits, 480, DT_KCM208);
  // 96 cards of twelve places fill all eight bus cards.
  EXPECT_EQ(doc.GetIDManager().GetCount(DT_KCM201), 8);
  EXPECT_NE(Card(doc, DT_KCM208, 96)->FindOutputConnection(0), nullptr);
}

TEST(CRelaisTest, SetNumberWorksInTheTableOfItsSeries) {
  CSelvantisDoc doc;
  CRelais* one = NumberedRelay(doc, CRelais::KIND_KCM209, 1, false);
  ASSERT_EQ(one->AttachToCard(CRelais::KIND_KCM209, false), 1);
  CRelaisManager* manager = CRelaisManager::Of(&doc);
  one->SetNumber(42);
  EXPECT_EQ(manager->GetRelayS(1), nullptr);
  EXPECT_EQ(manager->GetRelayS(42), one);
  EXPECT_EQ(manager->GetRelayR(42), nullptr);
  // A taken number is not overwritten; the relay keeps it in its own field.
  one->SetNumber(2);
  EXPECT_EQ(one->GetNumber(), 2u);
  EXPECT_NE(manager->GetRelayS(2), one);
  EXPECT_EQ(manager->GetRelayS(42), nullptr);
}

TEST(CRelaisTest, ProjectFileKeepsTheNumberAndReclaimsIt) {
  CSelvantisDoc doc;
  CRelais* eight = NumberedRelay(doc, CRelais::KIND_PRELAY, 8, true);
  ASSERT_EQ(eight->AttachToCard(CRelais::KIND_PRELAY, true), 1);
  CRelais* s2 = NumberedRelay(doc, CRelais::KIND_KCM209, 2, false);
  ASSERT_EQ(s2->AttachToCard(CRelais::KIND_KCM209, false), 1);

  auto back = RoundTrip(doc);
  CRelaisManager* manager = CRelaisManager::Of(back.get());
  for (uint32_t n = 1; n <= 10; ++n) ExpectOnItsCard(*back, manager->GetRelayR(n), n, DT_KCM208);
  for (uint32_t n = 1; n <= 5; ++n) ExpectOnItsCard(*back, manager->GetRelayS(n), n, DT_KCM209);
  CRelais* loaded = manager->GetRelayR(8);
  EXPECT_EQ(loaded->GetKind(), CRelais::KIND_PRELAY);
  EXPECT_EQ(loaded->GetName(), QStringLiteral("r8 P relay"));
  EXPECT_EQ(loaded->GetCategory(), CAT_MISC);
  EXPECT_EQ(loaded->GetBitmapID(), CRelais::kBitmap);
}

TEST(CRelaisTest, TwoLoadedRelaysWithOneNumberDoNotCollide) {
  CSelvantisDoc doc;
  CKCM* card = AddCard(doc, CKCM::KIND_KCM208);
  CRelais* a = RelaisAddRelay(doc, CRelais::KIND_ZONE);
  CRelais* b = RelaisAddRelay(doc, CRelais::KIND_ZONE);
  ASSERT_TRUE(card && a && b);
  CBaseDevice::Connect(a, 0, card, 0);
  CBaseDevice::Connect(b, 0, card, 1);
  a->StoreNumber(4);
  b->StoreNumber(4);

  auto back = RoundTrip(doc);
  CRelaisManager* manager = CRelaisManager::Of(back.get());
  CRelais* first = manager->GetRelayR(4);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->FindOutputConnection(0)->nPeerPin, 0);  // the first in list order wins
  std::vector<CRelais*> listed;
  manager->ListRelaysR(listed);
  EXPECT_EQ(listed.size(), 1u);
}

TEST(CRelaisTest, SchemaOneRecordHasNoNumber) {
  CSelvantisDoc doc;
  CKCM* card = AddCard(doc, CKCM::KIND_KCM208);
  auto old = std::make_unique<ampstest::RecordStandIn>("CRelais", DT_RELAY);
  ASSERT_TRUE(old->Create(CRelais::KIND_ZONE, 1, 1, QStringLiteral("old relay"), QRect(), CAT_MISC, 313, 3, &doc));
  CBaseDevice* relay = doc.Adopt(std::move(old));
  CBaseDevice::Connect(relay, 0, card, 0);
  QByteArray bytes = SaveProject(doc);
  ASSERT_TRUE(PatchSchema(bytes, "CRelais", 1));
  auto back = LoadProject(bytes);
  auto* loaded = dynamic_cast<CRelais*>(back->GetIDManager().FindBaseDevice(1, DT_RELAY));
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->GetNumber(), 0u);
  std::vector<CRelais*> listed;
  CRelaisManager::Of(back.get())->ListRelaysR(listed);
  EXPECT_TRUE(listed.empty());
}

}  // namespace
