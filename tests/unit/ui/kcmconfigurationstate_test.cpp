// The card configuration's decisions: what the tree shows, what the offer
// list offers for each item, what a drop and the Delete key change in the
// project, and the pictures of expanded items.

#include "unit/ui/kcmconfigurationstate.h"
#include "amps/ccollectioncall.h"
#include "amps/crelais.h"
#include "amps/crelaistopology.h"
#include "amps/czone.h"
#include "model/cselvantisdoc.h"
#include "support/messagerecorder.h"
#include "unit/ccardbuseditor.h"
#include "unit/ccontrolpad.h"
#include "unit/ckcm.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using State = KCMConfigurationState;
using Node = State::Node;

class KCMConfigurationStateTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(doc.OnNewDocument());
    state.Fill();
  }

  CZone* AddZone() {
    auto zone = std::make_unique<CZone>();
    if (!zone->Create(0, 1, 1, QString(), QRect(0, 0, 32, 32), CAT_ZONES, CZone::kBitmap, 3, &doc)) return nullptr;
    return doc.Adopt(std::move(zone));
  }

  QStringList OfferTexts() const {
    QStringList texts;
    for (const State::Offer& offer : state.Offers()) texts << offer.text;
    return texts;
  }

  int RowOf(const QString& text) const {
    for (size_t i = 0; i < state.Offers().size(); ++i)
      if (state.Offers()[i].text == text) return static_cast<int>(i);
    return -1;
  }

  // Selects the node and drops the offer with that text on it.
  bool DropOn(Node* node, const QString& text) {
    state.Select(node);
    const int row = RowOf(text);
    EXPECT_GE(row, 0) << text.toStdString();
    return state.Drop(row, {});
  }

  Node* Child(Node* node, int index) {
    EXPECT_LT(static_cast<size_t>(index), node->children.size());
    return node->children[static_cast<size_t>(index)].get();
  }

  // A bus card with the given cards dropped on their groups.
  Node* AddBus() {
    EXPECT_TRUE(DropOn(state.Root(), QStringLiteral("KCM201")));
    return state.Root()->children.back().get();
  }

  MessageRecorder messages;
  CSelvantisDoc doc;
  State state{doc};
};

TEST_F(KCMConfigurationStateTest, EmptyProjectShowsOnlyTheRootAndOffersBusCard) {
  ASSERT_NE(state.Root(), nullptr);
  EXPECT_EQ(state.Root()->text, QStringLiteral("KCM Modules"));
  EXPECT_TRUE(state.Root()->children.empty());
  EXPECT_TRUE(state.Offers().empty());
  state.Select(state.Root());
  EXPECT_EQ(OfferTexts(), QStringList{QStringLiteral("KCM201")});
  EXPECT_EQ(state.Offers()[0].image, State::IMG_BUS);
  EXPECT_FALSE(state.IsMultiSelect());
}

TEST_F(KCMConfigurationStateTest, BusCardDropAddsCardWithGroupsAndGroupOffers) {
  Node* bus = AddBus();
  EXPECT_EQ(doc.GetIDManager().GetCount(DT_KCM201), 1);
  EXPECT_EQ(bus->text, QStringLiteral("KCM201-1"));
  EXPECT_TRUE(bus->expanded);
  EXPECT_EQ(bus->Image(), 1);
  ASSERT_EQ(bus->children.size(), 3u);
  EXPECT_EQ(Child(bus, 0)->text, QStringLiteral("Output modules"));
  EXPECT_EQ(Child(bus, 1)->text, QStringLiteral("Input modules"));
  EXPECT_EQ(Child(bus, 2)->text, QStringLiteral("Analog modules"));

  state.Select(Child(bus, 0));
  EXPECT_EQ(OfferTexts(), (QStringList{QStringLiteral("KCM208"), QStringLiteral("KCM209")}));
  state.Select(Child(bus, 1));
  EXPECT_EQ(OfferTexts(), QStringList{QStringLiteral("KCM212")});
  state.Select(Child(bus, 2));
  EXPECT_EQ(OfferTexts(), QStringList{QStringLiteral("KCM216")});
}

TEST_F(KCMConfigurationStateTest, RelayCardDropShowsFiveRelaysAndRelayOffers) {
  Node* bus = AddBus();
  ASSERT_TRUE(DropOn(Child(bus, 0), QStringLiteral("KCM208")));
  Node* card = Child(Child(bus, 0), 0);
  EXPECT_EQ(card->text, QStringLiteral("KCM208: 0"));
  EXPECT_EQ(card->Image(), 5);  // expanded
  ASSERT_EQ(card->children.size(), 5u);
  Node* relay = Child(card, 0);
  EXPECT_EQ(relay->Image(), State::IMG_RELAY);
  EXPECT_EQ(relay->text, relay->object->GetName());

  state.Select(relay);
  EXPECT_EQ(OfferTexts(), (QStringList{QStringLiteral("P relay"), QStringLiteral("Collection call"),
                                       QStringLiteral("Control relay"), QStringLiteral("Label")}));

  ASSERT_TRUE(DropOn(Child(bus, 0), QStringLiteral("KCM209")));
  Node* sCard = Child(Child(bus, 0), 1);
  EXPECT_EQ(sCard->Image(), 16);
  state.Select(Child(sCard, 0));
  EXPECT_EQ(OfferTexts(),
            (QStringList{QStringLiteral("P relay"), QStringLiteral("Control relay"), QStringLiteral("Label")}));
}

TEST_F(KCMConfigurationStateTest, PRelayCountsAsUsedUntilItsFunctionIsDeleted) {
  Node* bus = AddBus();
  ASSERT_TRUE(DropOn(Child(bus, 0), QStringLiteral("KCM208")));
  Node* card = Child(Child(bus, 0), 0);
  Node* relay = Child(card, 1);
  auto* r = dynamic_cast<CRelais*>(relay->object);
  ASSERT_NE(r, nullptr);
  ASSERT_TRUE(DropOn(relay, QStringLiteral("P relay")));
  EXPECT_EQ(r->GetKind(), CRelais::KIND_PRELAY);
  EXPECT_EQ(relay->Image(), State::IMG_PRELAY);
  EXPECT_EQ(card->text, QStringLiteral("KCM208: 2"));

  // Zones with a free priority-call output are offered, several at once.
  CZone* z1 = AddZone();
  CZone* z2 = AddZone();
  state.Select(relay);
  EXPECT_TRUE(state.IsMultiSelect());
  ASSERT_EQ(state.Offers().size(), 2u);
  ASSERT_TRUE(state.Drop(0, {0, 1}));
  ASSERT_EQ(relay->children.size(), 2u);
  EXPECT_EQ(z1->FindOutputConnection(CCardBusEditor::kZonePriorityOutput)->pPeer, r);
  EXPECT_EQ(z2->FindOutputConnection(CCardBusEditor::kZonePriorityOutput)->pPeer, r);
  EXPECT_TRUE(state.Offers().empty());  // both outputs taken now
  EXPECT_TRUE(relay->expanded);
  EXPECT_EQ(relay->Image(), State::IMG_PRELAY + 1);

  // Deleting one assignment frees that zone again.
  state.Select(Child(relay, 0));
  ASSERT_TRUE(state.DeleteSelected());
  EXPECT_EQ(relay->children.size(), 1u);
  EXPECT_EQ(z1->FindOutputConnection(CCardBusEditor::kZonePriorityOutput), nullptr);
  EXPECT_EQ(state.Selected(), relay);
  EXPECT_EQ(OfferTexts(), QStringList{z1->GetName()});

  // Deleting the function item returns the relay to its default.
  state.Select(relay);
  ASSERT_TRUE(state.DeleteSelected());
  EXPECT_EQ(r->GetKind(), CRelais::KIND_ZONE);
  EXPECT_TRUE(r->GetInputConnections().empty());
  EXPECT_EQ(relay->Image(), State::IMG_RELAY);
  EXPECT_TRUE(relay->children.empty());
  EXPECT_EQ(card->text, QStringLiteral("KCM208: 0"));
}

TEST_F(KCMConfigurationStateTest, CollectionCallWithoutFreeCallIsRefused) {
  Node* bus = AddBus();
  ASSERT_TRUE(DropOn(Child(bus, 0), QStringLiteral("KCM208")));
  Node* relay = Child(Child(Child(bus, 0), 0), 0);
  std::vector<CBaseDevice*> calls;
  doc.GetIDManager().GetBaseDeviceList(calls, DT_COLLCALL);
  // Every call switches a relay already.
  ASSERT_TRUE(DropOn(Child(bus, 0), QStringLiteral("KCM208")));
  Node* spare = Child(Child(Child(bus, 0), 1), 0);
  for (CBaseDevice* call : calls) CBaseDevice::Connect(call, 0, spare->object, 0);
  EXPECT_FALSE(DropOn(relay, QStringLiteral("Collection call")));
  EXPECT_TRUE(messages.SawText(QStringLiteral("ERROR1287")));
  EXPECT_EQ(relay->Image(), State::IMG_RELAY);
}

TEST_F(KCMConfigurationStateTest, CollectionCallShowsTheCallAndDeleteFreesTheRelay) {
  CCollectionCall::EnsureAll(doc);
  Node* bus = AddBus();
  ASSERT_TRUE(DropOn(Child(bus, 0), QStringLiteral("KCM208")));
  Node* relay = Child(Child(Child(bus, 0), 0), 0);
  auto* r = dynamic_cast<CRelais*>(relay->object);
  ASSERT_TRUE(DropOn(relay, QStringLiteral("Collection call")));
  ASSERT_NE(relay->object, nullptr);
  EXPECT_EQ(relay->object->GetType(), DT_COLLCALL);
  EXPECT_EQ(relay->text, relay->object->GetName());
  EXPECT_EQ(relay->Image(), State::IMG_COLLCALL);
  EXPECT_TRUE(state.IsMultiSelect());  // zones and groups for the call

  // Expanded, the call keeps its picture: it must not pass for a label.
  state.SetExpanded(relay, true);
  EXPECT_EQ(relay->Image(), State::IMG_COLLCALL);

  state.Select(relay);
  ASSERT_TRUE(state.DeleteSelected());
  EXPECT_EQ(r->GetKind(), CRelais::KIND_ZONE);
  EXPECT_EQ(r->FindInputConnection(0), nullptr);
  EXPECT_EQ(relay->object, r);
  EXPECT_EQ(relay->Image(), State::IMG_RELAY);
}

TEST_F(KCMConfigurationStateTest, LabelOnSecondInputCardChannelAndItsRemoval) {
  Node* bus = AddBus();
  Node* inputs = Child(bus, 1);
  ASSERT_TRUE(DropOn(inputs, QStringLiteral("KCM212")));
  ASSERT_TRUE(DropOn(inputs, QStringLiteral("KCM212")));
  Node* card2 = Child(inputs, 1);
  EXPECT_EQ(card2->text, QStringLiteral("KCM212: 0"));
  ASSERT_EQ(card2->children.size(), 12u);
  Node* channel14 = Child(card2, 1);
  EXPECT_EQ(channel14->text, QStringLiteral("14"));
  EXPECT_EQ(channel14->Image(), State::IMG_CHANNEL);

  state.Select(channel14);
  EXPECT_EQ(OfferTexts(), QStringList{QStringLiteral("Label")});
  ASSERT_TRUE(state.Drop(0, {}));
  EXPECT_EQ(channel14->Image(), State::IMG_LABEL);
  ASSERT_NE(channel14->object, nullptr);
  EXPECT_EQ(channel14->object->GetType(), DT_CONTROLPAD);
  EXPECT_EQ(channel14->object->FindOutputConnection(0)->nPeerPin, 1);
  EXPECT_EQ(channel14->text, QStringLiteral("KCM212-14"));
  EXPECT_TRUE(card2->text.endsWith(QStringLiteral(": 14")));
  // A labelled channel takes no second label.
  EXPECT_TRUE(state.Offers().empty());

  const int pads = doc.GetIDManager().GetCount(DT_CONTROLPAD);
  ASSERT_TRUE(state.DeleteSelected());
  EXPECT_EQ(doc.GetIDManager().GetCount(DT_CONTROLPAD), pads - 1);
  EXPECT_EQ(channel14->text, QStringLiteral("14"));
  EXPECT_EQ(channel14->Image(), State::IMG_CHANNEL);
  EXPECT_EQ(channel14->object, nullptr);
  EXPECT_EQ(card2->text, QStringLiteral("KCM212: 0"));
}

TEST_F(KCMConfigurationStateTest, DaChannelLabelGoesToInputAbove100) {
  Node* bus = AddBus();
  ASSERT_TRUE(DropOn(Child(bus, 2), QStringLiteral("KCM216")));
  Node* card = Child(Child(bus, 2), 0);
  EXPECT_EQ(card->text, QStringLiteral("KCM216: AD0 DA0"));
  ASSERT_EQ(card->children.size(), 16u);
  EXPECT_EQ(Child(card, 0)->text, QStringLiteral("AD Channel1"));
  Node* da3 = Child(card, 10);
  EXPECT_EQ(da3->text, QStringLiteral("DA Channel3"));
  ASSERT_TRUE(DropOn(da3, QStringLiteral("Channel")));
  ASSERT_NE(da3->object, nullptr);
  EXPECT_EQ(da3->object->FindOutputConnection(0)->nPeerPin, 102);
  EXPECT_EQ(da3->object->GetKind(), CControlPad::kKindKCM216Output);
  EXPECT_EQ(card->text, QStringLiteral("KCM216: AD0 DA3"));

  state.Select(da3);
  ASSERT_TRUE(state.DeleteSelected());
  EXPECT_EQ(da3->text, QStringLiteral("DA Channel3"));
  EXPECT_EQ(card->text, QStringLiteral("KCM216: AD0 DA0"));
}

TEST_F(KCMConfigurationStateTest, RelayLabelIsEditableAndDeletedBackToTheRelay) {
  Node* bus = AddBus();
  ASSERT_TRUE(DropOn(Child(bus, 0), QStringLiteral("KCM208")));
  Node* card = Child(Child(bus, 0), 0);
  Node* relay = Child(card, 2);
  auto* r = dynamic_cast<CRelais*>(relay->object);
  EXPECT_FALSE(State::CanEditLabel(relay));
  ASSERT_TRUE(DropOn(relay, QStringLiteral("Label")));
  EXPECT_TRUE(State::CanEditLabel(relay));
  EXPECT_TRUE(relay->text.startsWith(QStringLiteral("70V relay ")));
  EXPECT_EQ(card->text, QStringLiteral("KCM208: 3"));

  // Another object's name gets a numeric suffix, with a message.
  const QString taken = card->object->GetName();
  EXPECT_TRUE(state.EndLabelEdit(relay, taken));
  EXPECT_EQ(relay->text, taken + QStringLiteral("_1"));
  EXPECT_EQ(relay->object->GetName(), relay->text);
  EXPECT_FALSE(messages.Requests().empty());

  state.Select(relay);
  ASSERT_TRUE(state.DeleteSelected());
  EXPECT_EQ(relay->object, r);
  EXPECT_EQ(relay->text, r->GetName());
  EXPECT_EQ(relay->Image(), State::IMG_RELAY);
  EXPECT_EQ(r->GetKind(), CRelais::KIND_ZONE);
  EXPECT_EQ(card->text, QStringLiteral("KCM208: 0"));
}

TEST_F(KCMConfigurationStateTest, CardsAndGroupsAreNotEditable) {
  Node* bus = AddBus();
  EXPECT_FALSE(State::CanEditLabel(state.Root()));
  EXPECT_FALSE(State::CanEditLabel(bus));
  EXPECT_FALSE(State::CanEditLabel(Child(bus, 0)));
  EXPECT_FALSE(state.EndLabelEdit(bus, QStringLiteral("X")));
  EXPECT_EQ(bus->object->GetName(), QStringLiteral("KCM201"));
}

TEST_F(KCMConfigurationStateTest, ThirteenthRelayCardIsRefused) {
  Node* bus = AddBus();
  Node* outputs = Child(bus, 0);
  for (int i = 0; i < 12; ++i) ASSERT_TRUE(DropOn(outputs, QStringLiteral("KCM209"))) << i;
  EXPECT_FALSE(DropOn(outputs, QStringLiteral("KCM209")));
  EXPECT_TRUE(messages.Saw(CCardBusEditor::IDS_CANNOT_INSERT));
  EXPECT_EQ(outputs->children.size(), 12u);
}

TEST_F(KCMConfigurationStateTest, RemovingCardsRefillsTheTree) {
  Node* bus = AddBus();
  ASSERT_TRUE(DropOn(Child(bus, 0), QStringLiteral("KCM208")));
  // A bus card whose relay card has a relay in use cannot go.
  Node* relay = Child(Child(Child(bus, 0), 0), 0);
  ASSERT_TRUE(DropOn(relay, QStringLiteral("Label")));
  state.Select(bus);
  EXPECT_FALSE(state.DeleteSelected());
  EXPECT_TRUE(messages.Saw(CCardBusEditor::IDS_MODULE_IN_USE));
  EXPECT_EQ(doc.GetIDManager().GetCount(DT_KCM201), 1);

  // Without the label the relay card is idle and goes with its relays.
  state.Select(relay);
  ASSERT_TRUE(state.DeleteSelected());
  const int relays = doc.GetIDManager().GetCount(DT_RELAY);
  state.Select(Child(Child(bus, 0), 0));
  ASSERT_TRUE(state.DeleteSelected());
  EXPECT_EQ(doc.GetIDManager().GetCount(DT_KCM208), 0);
  EXPECT_EQ(doc.GetIDManager().GetCount(DT_RELAY), relays - 5);
  EXPECT_EQ(state.Selected(), nullptr);

  // A bus card carrying only idle input cards goes with them.
  bus = Child(state.Root(), 0);
  ASSERT_TRUE(DropOn(Child(bus, 1), QStringLiteral("KCM212")));
  state.Select(bus);
  ASSERT_TRUE(state.DeleteSelected());
  EXPECT_EQ(doc.GetIDManager().GetCount(DT_KCM201), 0);
  EXPECT_EQ(doc.GetIDManager().GetCount(DT_KCM212), 0);
  EXPECT_TRUE(state.Root()->children.empty());
}

TEST_F(KCMConfigurationStateTest, DeleteOnRootGroupsAndFreeChannelsDoesNothing) {
  Node* bus = AddBus();
  ASSERT_TRUE(DropOn(Child(bus, 1), QStringLiteral("KCM212")));
  const int objects = doc.GetTotalObjectCount();
  for (Node* node : {state.Root(), Child(bus, 0), Child(Child(Child(bus, 1), 0), 0)}) {
    state.Select(node);
    EXPECT_FALSE(state.DeleteSelected());
  }
  EXPECT_EQ(doc.GetTotalObjectCount(), objects);
}

TEST_F(KCMConfigurationStateTest, FillReadsTheBusBackFromTheDocument) {
  Node* bus = AddBus();
  ASSERT_TRUE(DropOn(Child(bus, 0), QStringLiteral("KCM208")));
  ASSERT_TRUE(DropOn(Child(Child(Child(bus, 0), 0), 1), QStringLiteral("Control relay")));
  ASSERT_TRUE(DropOn(Child(bus, 1), QStringLiteral("KCM212")));
  ASSERT_TRUE(DropOn(Child(Child(Child(bus, 1), 0), 4), QStringLiteral("Label")));

  state.Fill();
  Node* again = Child(state.Root(), 0);
  EXPECT_EQ(again->text, QStringLiteral("KCM201-1"));
  EXPECT_FALSE(again->expanded);
  Node* relayCard = Child(Child(again, 0), 0);
  EXPECT_EQ(relayCard->text, QStringLiteral("KCM208: 2"));
  EXPECT_EQ(Child(relayCard, 1)->Image(), State::IMG_CONTROL);
  Node* inputCard = Child(Child(again, 1), 0);
  EXPECT_EQ(inputCard->text, QStringLiteral("KCM212: 5"));
  EXPECT_EQ(Child(inputCard, 4)->Image(), State::IMG_LABEL);
  EXPECT_EQ(Child(inputCard, 4)->text, QStringLiteral("KCM212-5"));
}

TEST_F(KCMConfigurationStateTest, ZonesOfAProgramPageTopologyTellWhichRelayIsWhich) {
  Node* bus = AddBus();
  ASSERT_TRUE(DropOn(Child(bus, 0), QStringLiteral("KCM208")));
  Node* card = Child(Child(bus, 0), 0);
  CBaseDevice* background = Child(card, 0)->object;
  CBaseDevice* page = Child(card, 1)->object;
  CBaseDevice* plain = Child(card, 2)->object;
  ASSERT_TRUE(background && page && plain);

  auto topology = std::make_unique<CRelaisTopology>();
  ASSERT_TRUE(topology->Create(CRelaisTopology::KIND_PROGPAGE,
                               CRelaisTopology::InputCountOfKind(CRelaisTopology::KIND_PROGPAGE), 1, QString(),
                               QRect(10, 20, 0, 0), CAT_TOPOLOGIES, 0, 3, &doc));
  CRelaisTopology* progPage = doc.Adopt(std::move(topology));
  ASSERT_NE(progPage, nullptr);
  CZone* zone = progPage->GetZoneOnPin(0);
  ASSERT_NE(zone, nullptr);
  for (int pin = 1; pin <= 2; ++pin) zone->DisconnectOutputPin(pin);
  CBaseDevice::Connect(zone, 1, background, 0);
  CBaseDevice::Connect(zone, 2, page, 0);
  // A zone outside such a topology is shown by its name alone.
  CZone* other = AddZone();
  ASSERT_NE(other, nullptr);
  CBaseDevice::Connect(other, 1, plain, 0);

  state.Fill();
  Node* again = Child(Child(Child(state.Root(), 0), 0), 0);
  ASSERT_EQ(Child(again, 0)->children.size(), 1u);
  EXPECT_EQ(Child(Child(again, 0), 0)->text, zone->GetName() + QStringLiteral(" Background"));
  EXPECT_EQ(Child(Child(again, 0), 0)->Image(), State::IMG_ZONE);
  ASSERT_EQ(Child(again, 1)->children.size(), 1u);
  EXPECT_EQ(Child(Child(again, 1), 0)->text, zone->GetName() + QStringLiteral(" Page"));
  ASSERT_EQ(Child(again, 2)->children.size(), 1u);
  EXPECT_EQ(Child(Child(again, 2), 0)->text, other->GetName());
  EXPECT_EQ(again->text, QStringLiteral("KCM208: 1-3"));
}

TEST_F(KCMConfigurationStateTest, ExpandingSwitchesPairedPicturesOnly) {
  Node* bus = AddBus();
  ASSERT_TRUE(DropOn(Child(bus, 0), QStringLiteral("KCM208")));
  Node* card = Child(Child(bus, 0), 0);
  state.SetExpanded(card, false);
  EXPECT_EQ(card->Image(), 4);
  state.SetExpanded(card, true);
  EXPECT_EQ(card->Image(), 5);
  Node* relay = Child(card, 0);
  ASSERT_TRUE(DropOn(relay, QStringLiteral("Label")));
  state.SetExpanded(relay, true);
  EXPECT_EQ(relay->Image(), State::IMG_LABEL);
}

TEST_F(KCMConfigurationStateTest, DropWithoutSelectionOrBadRowChangesNothing) {
  const int objects = doc.GetTotalObjectCount();
  EXPECT_FALSE(state.Drop(0, {}));
  state.Select(state.Root());
  EXPECT_FALSE(state.Drop(5, {}));
  EXPECT_FALSE(state.Drop(-1, {}));
  EXPECT_EQ(doc.GetTotalObjectCount(), objects);
}

}  // namespace
