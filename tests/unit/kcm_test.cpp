// Extension cards: type codes and pools by kind, renumbering after a
// removal (relays and bus places, never onto a taken place or into another
// module group), the repair of old input-card records, and the file record.

#include "amps/crelais.h"
#include "amps/crelaismanager.h"
#include "model/commandids.h"
#include "model/cselvantisdoc.h"
#include "model/modelstrings.h"
#include "support/messagerecorder.h"
#include "support/projectbytes.h"
#include "unit/ckcm.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

CKCM* AddCard(CSelvantisDoc& doc, int kind) {
  auto card = std::make_unique<CKCM>();
  const int pins = CKCM::InputCountOfKind(kind);
  if (!card->Create(kind, pins, pins, ModelString(uint32_t(kind)), QRect(), CAT_ENTRIES, 0, 3, &doc)) return nullptr;
  return doc.Adopt(std::move(card));
}

CKCM* AddCardOn(CSelvantisDoc& doc, int kind, CBaseDevice* bus, int input) {
  CKCM* card = AddCard(doc, kind);
  if (card != nullptr && bus != nullptr) CBaseDevice::Connect(card, 0, bus, input);
  return card;
}

CBaseDevice* Find(CSelvantisDoc& doc, int type, int id) { return doc.GetIDManager().FindBaseDevice(id, type); }

// Where a card sits: the bus card and its input, checked at both ends.
struct Place {
  const CBaseDevice* bus;
  int input;
};
Place PlaceOf(const CBaseDevice* card) {
  const ConnectionRecord* link = card->FindOutputConnection(0);
  if (link == nullptr) return Place{nullptr, -1};
  const ConnectionRecord* mirror = link->pPeer->FindInputConnection(link->nPeerPin);
  EXPECT_TRUE(mirror != nullptr && mirror->pPeer == card && mirror->nPeerPin == 0) << "mirror out of step";
  return Place{link->pPeer, link->nPeerPin};
}

// No bus input carries two cards.
void ExpectNoDoubleBooking(CSelvantisDoc& doc) {
  std::vector<CBaseDevice*> buses;
  doc.GetIDManager().GetBaseDeviceList(buses, DT_KCM201);
  for (const CBaseDevice* bus : buses) {
    for (int in = 0; in < CKCM::kBusInputs; ++in) {
      int count = 0;
      for (const ConnectionRecord& r : bus->GetInputConnections()) count += r.nOwnPin == in ? 1 : 0;
      EXPECT_LE(count, 1) << "bus " << bus->GetID() << " input " << in;
    }
  }
}

TEST(CKCMTest, KindDecidesTypeAndPool) {
  CSelvantisDoc doc;
  struct Row {
    int kind;
    int type;
    int pins;
  };
  for (const Row& row : {Row{CKCM::KIND_KCM201, 35, 19}, Row{CKCM::KIND_KCM208, 41, 5}, Row{CKCM::KIND_KCM209, 42, 5},
                         Row{CKCM::KIND_KCM212, 43, 5}, Row{CKCM::KIND_KCM216, 44, 8}}) {
    CKCM* first = AddCard(doc, row.kind);
    CKCM* second = AddCard(doc, row.kind);
    ASSERT_TRUE(first && second) << row.kind;
    EXPECT_EQ(first->GetType(), row.type);
    EXPECT_EQ(first->GetID(), 1);
    EXPECT_EQ(second->GetID(), 2);
    EXPECT_EQ(first->GetInputCount(), row.pins);
    EXPECT_TRUE(first->GetPath().isEmpty());  // cards have no command path
    EXPECT_EQ(CKCM::TypeOfKind(row.kind), row.type);
  }
  EXPECT_EQ(CKCM::TypeOfKind(12345), 0);
}

TEST(CKCMTest, NinthBusCardIsRefused) {
  CSelvantisDoc doc;
  for (int i = 0; i < 8; ++i) ASSERT_NE(AddCard(doc, CKCM::KIND_KCM201), nullptr);
  MessageRecorder messages;
  CKCM ninth;
  EXPECT_FALSE(ninth.Create(CKCM::KIND_KCM201, 19, 19, QString(), QRect(), CAT_ENTRIES, 0, 3, &doc));
  EXPECT_TRUE(messages.Saw(IDS_POOL_FULL));
  EXPECT_EQ(doc.GetIDManager().GetCount(DT_KCM201), 8);
  EXPECT_EQ(doc.GetObjectCount(CAT_ENTRIES), 8);
}

TEST(CKCMTest, TwentyFirstKcm209IsRefusedLikeAFullPool) {
  CSelvantisDoc doc;
  for (int i = 0; i < 20; ++i) ASSERT_NE(AddCard(doc, CKCM::KIND_KCM209), nullptr);
  MessageRecorder messages;
  EXPECT_EQ(AddCard(doc, CKCM::KIND_KCM209), nullptr);
  EXPECT_TRUE(messages.Saw(IDS_POOL_FULL));
  EXPECT_EQ(doc.GetIDManager().GetCount(DT_KCM209), 20);
}

TEST(CKCMTest, UnknownKindIsReportedAtCreation) {
  CSelvantisDoc doc;
  MessageRecorder messages;
  CKCM card;
  EXPECT_FALSE(card.Create(12345, 5, 5, QString(), QRect(), CAT_ENTRIES, 0, 3, &doc));  // no type: no pool
  EXPECT_TRUE(messages.SawText(QStringLiteral("Internal Message kcm:2")));
}

TEST(CKCMTest, RemovingARelayCardRenumbersTheNextOneWithItsRelays) {
  CSelvantisDoc doc;
  CRelais* fifteen = nullptr;
  {
    auto relay = std::make_unique<CRelais>();
    ASSERT_TRUE(relay->Create(CRelais::KIND_ZONE, 1, 1, QString(), QRect(), CAT_MISC, 313, 3, &doc));
    fifteen = doc.Adopt(std::move(relay));
    fifteen->Renumber(15, true);
    ASSERT_EQ(fifteen->AttachToCard(CRelais::KIND_ZONE, true), 1);
  }
  CRelaisManager* manager = CRelaisManager::Of(&doc);
  CBaseDevice* bus = Find(doc, DT_KCM201, 1);
  CBaseDevice* card2 = Find(doc, DT_KCM208, 2);
  CBaseDevice* card3 = Find(doc, DT_KCM208, 3);
  ASSERT_TRUE(bus && card2 && card3);
  EXPECT_EQ(PlaceOf(card3).input, 2);
  CRelais* firstOfCard3 = manager->GetRelayR(11);
  ASSERT_NE(firstOfCard3, nullptr);

  EXPECT_TRUE(card2->OnCommand(ID_DELETE_OBJECT));

  EXPECT_EQ(card3->GetID(), 2);
  EXPECT_EQ(Find(doc, DT_KCM208, 2), card3);
  EXPECT_EQ(Find(doc, DT_KCM208, 3), nullptr);
  EXPECT_EQ(manager->GetRelayR(6), firstOfCard3);
  EXPECT_EQ(firstOfCard3->GetNumber(), 6u);
  EXPECT_EQ(manager->GetRelayR(10), fifteen);
  EXPECT_EQ(manager->GetRelayR(11), nullptr);
  EXPECT_EQ(firstOfCard3->GetName(), QStringLiteral("r6 "));
  const Place place = PlaceOf(card3);
  EXPECT_EQ(place.bus, bus);
  EXPECT_EQ(place.input, 1);
  EXPECT_EQ(bus->FindInputConnection(2), nullptr);
  ExpectNoDoubleBooking(doc);
  doc.PurgeDeleted();  // the removed card is freed now; nothing may touch it
  EXPECT_EQ(card3->GetID(), 2);
}

TEST(CKCMTest, InputCardsNeverMoveOntoATakenPlace) {
  // Bus 1 holds KCM212 1..5 on 12..16, bus 2 holds 6 and 7 on 12 and 13.
  CSelvantisDoc doc;
  CKCM* bus1 = AddCard(doc, CKCM::KIND_KCM201);
  CKCM* bus2 = AddCard(doc, CKCM::KIND_KCM201);
  std::vector<CKCM*> cards;
  for (int i = 0; i < 5; ++i) cards.push_back(AddCardOn(doc, CKCM::KIND_KCM212, bus1, 12 + i));
  cards.push_back(AddCardOn(doc, CKCM::KIND_KCM212, bus2, 12));
  cards.push_back(AddCardOn(doc, CKCM::KIND_KCM212, bus2, 13));

  EXPECT_TRUE(cards[2]->OnCommand(ID_DELETE_OBJECT));  // ID 3

  ExpectNoDoubleBooking(doc);
  EXPECT_EQ(PlaceOf(cards[3]).input, 14);  // old 4, now 3
  EXPECT_EQ(PlaceOf(cards[4]).input, 15);
  EXPECT_EQ(PlaceOf(cards[5]).bus, bus2);  // already on 12
  EXPECT_EQ(PlaceOf(cards[5]).input, 12);
  EXPECT_EQ(PlaceOf(cards[6]).bus, bus2);  // 12 is taken: it stays
  EXPECT_EQ(PlaceOf(cards[6]).input, 13);
  EXPECT_EQ(cards[6]->GetID(), 6);
  doc.PurgeDeleted();
}

TEST(CKCMTest, AnalogCardsStayInTheirGroup) {
  CSelvantisDoc doc;
  CKCM* bus1 = AddCard(doc, CKCM::KIND_KCM201);
  CKCM* bus2 = AddCard(doc, CKCM::KIND_KCM201);
  CKCM* a = AddCardOn(doc, CKCM::KIND_KCM216, bus1, 17);
  CKCM* b = AddCardOn(doc, CKCM::KIND_KCM216, bus1, 18);
  CKCM* c = AddCardOn(doc, CKCM::KIND_KCM216, bus2, 17);  // the whole bus below 17 is free
  CKCM* d = AddCardOn(doc, CKCM::KIND_KCM216, bus2, 18);
  ASSERT_TRUE(a && b && c && d);
  AddCardOn(doc, CKCM::KIND_KCM212, bus2, 16);

  EXPECT_TRUE(a->OnCommand(ID_DELETE_OBJECT));

  EXPECT_EQ(PlaceOf(b).bus, bus1);
  EXPECT_EQ(PlaceOf(b).input, 17);  // 18 -> 17, free
  EXPECT_EQ(PlaceOf(c).bus, bus2);
  EXPECT_EQ(PlaceOf(c).input, 17);  // never into the input-card group
  EXPECT_EQ(PlaceOf(d).input, 18);  // 17 taken
  EXPECT_EQ(d->GetID(), 3);
  ExpectNoDoubleBooking(doc);
  doc.PurgeDeleted();
}

TEST(CKCMTest, CardWithoutBusLinkIsOnlyRenumbered) {
  CSelvantisDoc doc;
  CKCM* a = AddCard(doc, CKCM::KIND_KCM212);
  CKCM* b = AddCard(doc, CKCM::KIND_KCM212);
  CKCM* c = AddCard(doc, CKCM::KIND_KCM208);
  CKCM* d = AddCard(doc, CKCM::KIND_KCM208);
  ASSERT_TRUE(a && b && c && d);
  EXPECT_TRUE(a->OnCommand(ID_DELETE_OBJECT));
  EXPECT_TRUE(c->OnCommand(ID_DELETE_OBJECT));
  EXPECT_EQ(b->GetID(), 1);
  EXPECT_EQ(d->GetID(), 1);
  EXPECT_EQ(b->FindOutputConnection(0), nullptr);
  doc.PurgeDeleted();
}

TEST(CKCMTest, RemovingABusCardLeavesItsCardsOffTheBus) {
  CSelvantisDoc doc;
  CKCM* bus1 = AddCard(doc, CKCM::KIND_KCM201);
  CKCM* bus2 = AddCard(doc, CKCM::KIND_KCM201);
  CKCM* relayCard = AddCardOn(doc, CKCM::KIND_KCM208, bus1, 0);
  CKCM* onSecond = AddCardOn(doc, CKCM::KIND_KCM212, bus2, 12);
  ASSERT_TRUE(bus1 && bus2 && relayCard && onSecond);
  EXPECT_TRUE(bus1->OnCommand(ID_DELETE_OBJECT));
  doc.PurgeDeleted();
  EXPECT_EQ(relayCard->FindOutputConnection(0), nullptr);
  EXPECT_EQ(bus2->GetID(), 1);
  EXPECT_EQ(PlaceOf(onSecond).bus, bus2);
  EXPECT_EQ(PlaceOf(onSecond).input, 12);
  EXPECT_EQ(relayCard->GetID(), 1);
}

TEST(CKCMTest, ConnectedInputNumberCountsWholeCards) {
  CSelvantisDoc doc;
  AddCard(doc, CKCM::KIND_KCM212);
  AddCard(doc, CKCM::KIND_KCM212);
  CKCM* third = AddCard(doc, CKCM::KIND_KCM212);
  CKCM* other = AddCard(doc, CKCM::KIND_KCM208);
  CKCM* unconnected = AddCard(doc, CKCM::KIND_KCM208);
  ASSERT_TRUE(third && other && unconnected);
  CBaseDevice::Connect(other, 1, third, 2);
  EXPECT_EQ(third->GetConnectedInputNumber(other), 18);  // 3 x 5 + 2 + 1
  EXPECT_EQ(third->GetConnectedInputNumber(unconnected), 0);
  EXPECT_EQ(third->GetConnectedInputNumber(nullptr), 0);
}

TEST(CKCMTest, ProjectFileKeepsCardsAndTheirBusPlaces) {
  CSelvantisDoc doc;
  CKCM* bus = AddCard(doc, CKCM::KIND_KCM201);
  CKCM* analog = AddCardOn(doc, CKCM::KIND_KCM216, bus, 18);
  CKCM* input = AddCardOn(doc, CKCM::KIND_KCM212, bus, 13);
  ASSERT_TRUE(analog && input);
  input->SetName(QString());  // an empty name becomes the model's name

  auto back = RoundTrip(doc);
  CBaseDevice* bus2 = Find(*back, DT_KCM201, 1);
  CBaseDevice* analog2 = Find(*back, DT_KCM216, 1);
  CBaseDevice* input2 = Find(*back, DT_KCM212, 1);
  ASSERT_TRUE(bus2 && analog2 && input2);
  EXPECT_EQ(analog2->GetKind(), CKCM::KIND_KCM216);
  EXPECT_EQ(analog2->GetName(), QStringLiteral("KCM216"));
  EXPECT_EQ(analog2->GetInputCount(), 8);
  EXPECT_EQ(PlaceOf(analog2).bus, bus2);
  EXPECT_EQ(PlaceOf(analog2).input, 18);
  EXPECT_EQ(PlaceOf(input2).input, 13);  // a schema-2 record is left as it was
  EXPECT_EQ(input2->GetName(), QStringLiteral("KCM212"));
  EXPECT_EQ(back->GetIDManager().GetCount(DT_KCM201), 1);
}

TEST(CKCMTest, CardOfUnknownKindStillLoads) {
  CSelvantisDoc doc;
  CKCM* card = AddCard(doc, CKCM::KIND_KCM208);
  ASSERT_NE(card, nullptr);
  card->SetKind(12345);
  MessageRecorder messages;
  auto back = RoundTrip(doc);
  int shown = 0;
  for (const MessageRequest& r : messages.Requests())
    shown += r.text == QStringLiteral("Internal Message kcm:1") ? 1 : 0;
  EXPECT_EQ(shown, 1);
  CBaseDevice* loaded = Find(*back, DT_KCM208, 1);  // keeps the stored type
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->GetKind(), 12345);
}

TEST(CKCMTest, OldInputCardRecordIsPutOnANewBusCard) {
  CSelvantisDoc doc;
  CKCM* card = AddCard(doc, CKCM::KIND_KCM212);
  ASSERT_NE(card, nullptr);
  QByteArray bytes = SaveProject(doc);
  ASSERT_TRUE(PatchSchema(bytes, "CKCM", 1));

  auto back = LoadProject(bytes);
  EXPECT_EQ(back->GetIDManager().GetCount(DT_KCM201), 1);
  CBaseDevice* bus = Find(*back, DT_KCM201, 1);
  CBaseDevice* loaded = Find(*back, DT_KCM212, 1);
  ASSERT_TRUE(bus && loaded);
  EXPECT_EQ(bus->GetInputCount(), 19);
  EXPECT_EQ(bus->GetOutputCount(), 19);
  EXPECT_EQ(bus->GetName(), QStringLiteral("KCM201"));
  EXPECT_EQ(bus->GetCategory(), CAT_ENTRIES);
  EXPECT_EQ(PlaceOf(loaded).bus, bus);
  EXPECT_EQ(PlaceOf(loaded).input, 12);  // ID + 11

  // The same project written by this version stays as it is.
  auto current = RoundTrip(doc);
  EXPECT_EQ(current->GetIDManager().GetCount(DT_KCM201), 0);
  EXPECT_EQ(Find(*current, DT_KCM212, 1)->FindOutputConnection(0), nullptr);
}

TEST(CKCMTest, OldInputCardsBeyondTheInputGroupStayOffTheBus) {
  CSelvantisDoc doc;
  for (int i = 0; i < 6; ++i) ASSERT_NE(AddCard(doc, CKCM::KIND_KCM212), nullptr);
  QByteArray bytes = SaveProject(doc);
  ASSERT_TRUE(PatchSchema(bytes, "CKCM", 1));
  auto back = LoadProject(bytes);
  EXPECT_EQ(back->GetIDManager().GetCount(DT_KCM201), 1);
  for (int id = 1; id <= 5; ++id) EXPECT_EQ(PlaceOf(Find(*back, DT_KCM212, id)).input, id + 11) << id;
  CBaseDevice* sixth = Find(*back, DT_KCM212, 6);
  ASSERT_NE(sixth, nullptr);
  EXPECT_EQ(sixth->FindOutputConnection(0), nullptr);  // not on the analog place 17
  ExpectNoDoubleBooking(*back);
}

// An old input card goes to the place its identifier gives on the first bus
// card (card n on input n + 11), not to the first free one; where that
// place is taken it takes the first free one.
TEST(CKCMTest, OldInputCardTakesThePlaceOfItsIdentifier) {
  struct Case {
    int firstOn;   // where input card 1 sits already
    int expected;  // where input card 2 goes
  } cases[] = {{15, 13}, {12, 13}, {13, 12}};
  for (const Case& c : cases) {
    CSelvantisDoc doc;
    CKCM* bus = AddCard(doc, CKCM::KIND_KCM201);
    ASSERT_NE(AddCardOn(doc, CKCM::KIND_KCM212, bus, c.firstOn), nullptr);
    ASSERT_NE(AddCard(doc, CKCM::KIND_KCM212), nullptr);
    QByteArray bytes = SaveProject(doc);
    ASSERT_TRUE(PatchSchema(bytes, "CKCM", 1));
    auto back = LoadProject(bytes);
    EXPECT_EQ(back->GetIDManager().GetCount(DT_KCM201), 1);
    CBaseDevice* first = Find(*back, DT_KCM212, 1);
    CBaseDevice* second = Find(*back, DT_KCM212, 2);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(PlaceOf(first).input, c.firstOn);
    EXPECT_EQ(PlaceOf(second).bus, Find(*back, DT_KCM201, 1)) << c.firstOn;
    EXPECT_EQ(PlaceOf(second).input, c.expected) << c.firstOn;
    ExpectNoDoubleBooking(*back);
  }
}

TEST(CKCMTest, ReportHasNameAndId) {
  CSelvantisDoc doc;
  CKCM* card = AddCard(doc, CKCM::KIND_KCM209);
  ASSERT_NE(card, nullptr);
  std::vector<ReportColumn> columns;
  EXPECT_EQ(card->GetReportColumns(columns), 1);
  ASSERT_EQ(columns.size(), 2u);
  EXPECT_EQ(columns[0].position, 2);
  EXPECT_EQ(columns[1].position, 30);
  EXPECT_EQ(columns[1].value, 0);
  QStringList header, row;
  EXPECT_EQ(card->GetReportLine(header, true), 2);
  EXPECT_EQ(header, QStringList({"Name", "ID"}));
  EXPECT_EQ(card->GetReportLine(row, false), 2);
  EXPECT_EQ(row, QStringList({"KCM209", "1"}));
}

}  // namespace
