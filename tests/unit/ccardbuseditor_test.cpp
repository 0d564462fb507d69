// The card bus rules: bus places and their order, relays numbered after
// their card, labels on keyed terminal pins (beyond the drawn pin counts),
// relay functions and assignments, the card texts, and removal with its
// in-use test.

#include "unit/ccardbuseditor.h"
#include "amps/ccollectioncall.h"
#include "amps/crelais.h"
#include "amps/czone.h"
#include "model/commandids.h"
#include "model/cselvantisdoc.h"
#include "support/messagerecorder.h"
#include "unit/ccontrolpad.h"
#include "unit/cdigitalslot.h"
#include "unit/ckcm.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class CCardBusEditorTest : public testing::Test {
 protected:
  void SetUp() override { doc.OnNewDocument(); }

  CRelais* RelayOf(const CKCM* card, int pin) {
    const ConnectionRecord* r = card->FindInputConnection(pin);
    return r != nullptr ? dynamic_cast<CRelais*>(r->pPeer) : nullptr;
  }

  CZone* AddZone() {
    auto zone = std::make_unique<CZone>();
    if (!zone->Create(0, 1, 1, QString(), QRect(0, 0, 32, 32), CAT_ZONES, CZone::kBitmap, 3, &doc)) return nullptr;
    return doc.Adopt(std::move(zone));
  }

  int Count(int type) { return doc.GetIDManager().GetCount(type); }

  MessageRecorder messages;
  CSelvantisDoc doc;
  CCardBusEditor editor{doc};
};

TEST_F(CCardBusEditorTest, NinthBusCardIsRefused) {
  for (int i = 1; i <= 8; ++i) {
    CKCM* bus = editor.AddBusCard();
    ASSERT_NE(bus, nullptr);
    EXPECT_EQ(bus->GetInputCount(), 19);
    EXPECT_EQ(CCardBusEditor::BusCardText(*bus), QStringLiteral("KCM201-%1").arg(i));
  }
  EXPECT_EQ(editor.AddBusCard(), nullptr);
  EXPECT_TRUE(messages.Saw(CCardBusEditor::IDS_POOL_FULL));
  EXPECT_EQ(Count(DT_KCM201), 8);
}

TEST_F(CCardBusEditorTest, TwelveRelayCardsFillABusCard) {
  CKCM* bus = editor.AddBusCard();
  for (int i = 0; i < 12; ++i) {
    CKCM* card = editor.AddCard(*bus, i % 2 ? CKCM::KIND_KCM209 : CKCM::KIND_KCM208);
    ASSERT_NE(card, nullptr) << i;
    EXPECT_EQ(card->FindOutputConnection(0)->nPeerPin, i);
  }
  EXPECT_EQ(editor.AddCard(*bus, CKCM::KIND_KCM208), nullptr);
  EXPECT_TRUE(messages.Saw(CCardBusEditor::IDS_CANNOT_INSERT));
  EXPECT_EQ(Count(DT_KCM208), 6);
  // Input cards have places of their own.
  CKCM* input = editor.AddCard(*bus, CKCM::KIND_KCM212);
  ASSERT_NE(input, nullptr);
  EXPECT_EQ(input->FindOutputConnection(0)->nPeerPin, 12);
  CKCM* analog = editor.AddCard(*bus, CKCM::KIND_KCM216);
  ASSERT_NE(analog, nullptr);
  EXPECT_EQ(analog->FindOutputConnection(0)->nPeerPin, 17);
}

TEST_F(CCardBusEditorTest, CardsFillTheBusCardsInOrder) {
  CKCM* bus1 = editor.AddBusCard();
  CKCM* bus2 = editor.AddBusCard();
  ASSERT_NE(editor.AddCard(*bus2, CKCM::KIND_KCM208), nullptr);
  EXPECT_EQ(editor.AddCard(*bus1, CKCM::KIND_KCM208), nullptr);
  EXPECT_TRUE(messages.Saw(CCardBusEditor::IDS_CANNOT_INSERT));
  EXPECT_EQ(Count(DT_KCM208), 1);
  // Another model is not held back.
  EXPECT_NE(editor.AddCard(*bus1, CKCM::KIND_KCM209), nullptr);
}

TEST_F(CCardBusEditorTest, RelayCardsBringFiveRelaysNumberedAfterTheCard) {
  CKCM* bus = editor.AddBusCard();
  CKCM* first = editor.AddCard(*bus, CKCM::KIND_KCM208);
  CKCM* second = editor.AddCard(*bus, CKCM::KIND_KCM208);
  CKCM* s = editor.AddCard(*bus, CKCM::KIND_KCM209);
  ASSERT_TRUE(first && second && s);
  for (int pin = 0; pin < 5; ++pin) {
    CRelais* relay = RelayOf(second, pin);
    ASSERT_NE(relay, nullptr);
    EXPECT_EQ(relay->GetKind(), CRelais::KIND_ZONE);
    EXPECT_EQ(relay->GetSeriesNumber(), uint32_t(6 + pin));
    EXPECT_EQ(relay->GetCategory(), CAT_MISC);
    EXPECT_EQ(RelayOf(s, pin)->GetKind(), CRelais::KIND_KCM209);
    EXPECT_EQ(RelayOf(s, pin)->GetSeriesNumber(), uint32_t(1 + pin));
  }
  EXPECT_EQ(editor.CardText(*first), QStringLiteral("KCM208: 0"));
  EXPECT_EQ(editor.CardText(*s), QStringLiteral("KCM209: 0"));
}

TEST_F(CCardBusEditorTest, InputCardChannelLabelUsesTheChannelWithinTheCard) {
  CKCM* bus = editor.AddBusCard();
  CKCM* card1 = editor.AddCard(*bus, CKCM::KIND_KCM212);
  CKCM* card2 = editor.AddCard(*bus, CKCM::KIND_KCM212);
  ASSERT_TRUE(card1 && card2);
  EXPECT_EQ(editor.CardText(*card2), QStringLiteral("KCM212: 0"));
  CControlPad* pad = editor.AddChannelLabel(*card2, 14);
  ASSERT_NE(pad, nullptr);
  EXPECT_EQ(pad->GetKind(), CControlPad::kKindKCM212);
  EXPECT_EQ(pad->GetName(), QStringLiteral("KCM212-14"));
  EXPECT_EQ(pad->FindOutputConnection(0)->pPeer, card2);
  EXPECT_EQ(pad->FindOutputConnection(0)->nPeerPin, 1);
  EXPECT_EQ(pad->GetNumber(), 14);
  EXPECT_TRUE(editor.CardText(*card2).endsWith(QStringLiteral(": 14")));
  // Channel 12 sits on input 11, beyond the card's five drawn pins.
  CControlPad* last = editor.AddChannelLabel(*card1, 12);
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(last->FindOutputConnection(0)->nPeerPin, 11);
  // Another card's channel, or a labelled one, is refused.
  EXPECT_EQ(editor.AddChannelLabel(*card1, 14), nullptr);
  EXPECT_EQ(editor.AddChannelLabel(*card2, 14), nullptr);
}

TEST_F(CCardBusEditorTest, AnalogChannelLabelsUseTheirOwnPinRanges) {
  CKCM* bus = editor.AddBusCard();
  CKCM* card = editor.AddCard(*bus, CKCM::KIND_KCM216);
  ASSERT_NE(card, nullptr);
  EXPECT_EQ(editor.CardText(*card), QStringLiteral("KCM216: AD0 DA0"));
  CControlPad* da = editor.AddChannelLabel(*card, 3, true);
  ASSERT_NE(da, nullptr);
  EXPECT_EQ(da->GetKind(), CControlPad::kKindKCM216Output);
  EXPECT_EQ(da->GetName(), QStringLiteral("KCM216-DA Channel3"));
  EXPECT_EQ(da->FindOutputConnection(0)->nPeerPin, 102);
  EXPECT_EQ(editor.CardText(*card), QStringLiteral("KCM216: AD0 DA3"));
  CControlPad* ad = editor.AddChannelLabel(*card, 3, false);
  ASSERT_NE(ad, nullptr);
  EXPECT_EQ(ad->GetKind(), CControlPad::kKindKCM216Input);
  EXPECT_EQ(ad->FindOutputConnection(0)->nPeerPin, 2);
  EXPECT_EQ(editor.CardText(*card), QStringLiteral("KCM216: AD3 DA3"));
  ASSERT_TRUE(editor.RemoveLabel(*da));
  EXPECT_EQ(editor.CardText(*card), QStringLiteral("KCM216: AD3 DA0"));
}

TEST_F(CCardBusEditorTest, RelayFunctionCountsAsUseUntilDeleted) {
  CKCM* bus = editor.AddBusCard();
  CKCM* card = editor.AddCard(*bus, CKCM::KIND_KCM208);
  CRelais* relay = RelayOf(card, 2);
  ASSERT_TRUE(editor.SetRelayFunction(*relay, CRelais::KIND_PRELAY));
  EXPECT_EQ(relay->GetKind(), CRelais::KIND_PRELAY);
  EXPECT_EQ(editor.CardText(*card), QStringLiteral("KCM208: 3"));
  // A relay with a function takes no second one.
  EXPECT_FALSE(editor.SetRelayFunction(*relay, CRelais::KIND_CONTROL));
  CZone* zone = AddZone();
  ASSERT_TRUE(editor.AssignObject(*relay, *zone, CCardBusEditor::EntryRole::Zone));
  ASSERT_NE(zone->FindOutputConnection(11), nullptr);
  EXPECT_EQ(zone->FindOutputConnection(11)->pPeer, relay);
  EXPECT_EQ(zone->FindOutputConnection(11)->nPeerPin, 0);
  EXPECT_FALSE(editor.AssignObject(*relay, *zone, CCardBusEditor::EntryRole::Zone));
  editor.ResetRelayFunction(*relay);
  EXPECT_EQ(relay->GetKind(), CRelais::KIND_ZONE);
  EXPECT_TRUE(relay->GetInputConnections().empty());
  EXPECT_EQ(zone->FindOutputConnection(11), nullptr);
  EXPECT_EQ(editor.CardText(*card), QStringLiteral("KCM208: 0"));
}

TEST_F(CCardBusEditorTest, RelayNumbersBeyondOneHundredStayInTheText) {
  CKCM* bus = nullptr;
  CKCM* card = nullptr;
  for (int i = 0; i < 21; ++i) {
    if (i % 12 == 0) bus = editor.AddBusCard();
    card = editor.AddCard(*bus, CKCM::KIND_KCM208);
    ASSERT_NE(card, nullptr);
  }
  CRelais* relay = RelayOf(card, 4);
  EXPECT_EQ(relay->GetSeriesNumber(), 105u);
  ASSERT_TRUE(editor.SetRelayFunction(*relay, CRelais::KIND_CONTROL));
  EXPECT_EQ(editor.CardText(*card), QStringLiteral("KCM208: 105"));
}

TEST_F(CCardBusEditorTest, RelayLabelAndItsRemoval) {
  CKCM* bus = editor.AddBusCard();
  CKCM* card = editor.AddCard(*bus, CKCM::KIND_KCM209);
  CRelais* relay = RelayOf(card, 0);
  CControlPad* pad = editor.AddRelayLabel(*relay);
  ASSERT_NE(pad, nullptr);
  EXPECT_EQ(pad->GetKind(), CControlPad::kKindKCM209);
  EXPECT_EQ(pad->GetName(), QStringLiteral("24V relay s1"));
  EXPECT_EQ(relay->FindInputConnection(0)->pPeer, pad);
  EXPECT_EQ(editor.CardText(*card), QStringLiteral("KCM209: 1"));
  EXPECT_EQ(editor.AddRelayLabel(*relay), nullptr);
  ASSERT_TRUE(editor.RemoveLabel(*pad));
  EXPECT_FALSE(doc.Contains(pad));
  EXPECT_EQ(relay->GetKind(), CRelais::KIND_KCM209);
  EXPECT_EQ(editor.CardText(*card), QStringLiteral("KCM209: 0"));
}

TEST_F(CCardBusEditorTest, CollectionCallTakesTheFirstFreeOne) {
  CCollectionCall::EnsureAll(doc);
  CKCM* bus = editor.AddBusCard();
  CKCM* card = editor.AddCard(*bus, CKCM::KIND_KCM208);
  CBaseDevice* call = editor.AssignCollectionCall(*RelayOf(card, 0));
  ASSERT_NE(call, nullptr);
  EXPECT_EQ(call->GetID(), 1);
  EXPECT_EQ(RelayOf(card, 0)->GetKind(), CRelais::KIND_COLLCALL);
  CBaseDevice* next = editor.AssignCollectionCall(*RelayOf(card, 1));
  ASSERT_NE(next, nullptr);
  EXPECT_EQ(next->GetID(), 2);
  // Zones reach a collection call from their output 10.
  CZone* zone = AddZone();
  ASSERT_TRUE(editor.AssignObject(*call, *zone, CCardBusEditor::EntryRole::Zone));
  EXPECT_EQ(zone->FindOutputConnection(10)->pPeer, call);
  EXPECT_EQ(editor.RemoveAssignment(*call, *zone), 1);
  EXPECT_EQ(zone->FindOutputConnection(10), nullptr);
}

TEST_F(CCardBusEditorTest, NoFreeCollectionCallIsReported) {
  std::vector<CBaseDevice*> calls;
  doc.GetIDManager().GetBaseDeviceList(calls, DT_COLLCALL);
  CKCM* bus = editor.AddBusCard();
  CKCM* card = editor.AddCard(*bus, CKCM::KIND_KCM208);
  CKCM* spare = editor.AddCard(*bus, CKCM::KIND_KCM208);
  for (CBaseDevice* call : calls) CBaseDevice::Connect(call, 0, RelayOf(spare, 0), 0);
  EXPECT_EQ(editor.AssignCollectionCall(*RelayOf(card, 0)), nullptr);
  EXPECT_TRUE(messages.SawText(QStringLiteral("ERROR1287")));
  EXPECT_EQ(RelayOf(card, 0)->GetKind(), CRelais::KIND_ZONE);
}

TEST_F(CCardBusEditorTest, CardInUseIsNotRemoved) {
  CKCM* bus = editor.AddBusCard();
  CKCM* card = editor.AddCard(*bus, CKCM::KIND_KCM208);
  ASSERT_TRUE(editor.SetRelayFunction(*RelayOf(card, 3), CRelais::KIND_PRELAY));
  CZone* zone = AddZone();
  ASSERT_TRUE(editor.AssignObject(*RelayOf(card, 3), *zone, CCardBusEditor::EntryRole::Zone));
  const int relays = Count(DT_RELAY);
  EXPECT_FALSE(editor.RemoveCard(*card));
  EXPECT_TRUE(messages.Saw(CCardBusEditor::IDS_MODULE_IN_USE));
  EXPECT_TRUE(doc.Contains(card));
  EXPECT_EQ(Count(DT_RELAY), relays);
}

TEST_F(CCardBusEditorTest, IdleRelayCardGoesWithItsRelays) {
  CKCM* bus = editor.AddBusCard();
  CKCM* first = editor.AddCard(*bus, CKCM::KIND_KCM208);
  CKCM* second = editor.AddCard(*bus, CKCM::KIND_KCM208);
  ASSERT_EQ(Count(DT_RELAY), 10);
  ASSERT_TRUE(editor.RemoveCard(*first));
  EXPECT_FALSE(doc.Contains(first));
  EXPECT_EQ(Count(DT_RELAY), 5);
  // The remaining card is card 1 now with relays 1..5.
  EXPECT_EQ(second->GetID(), 1);
  EXPECT_EQ(RelayOf(second, 0)->GetSeriesNumber(), 1u);
  // The renumbering never moves a card onto bus input 0.
  EXPECT_EQ(bus->FindInputConnection(0), nullptr);
  EXPECT_EQ(bus->FindInputConnection(1)->pPeer, second);
}

TEST_F(CCardBusEditorTest, BusCardCarryingARelayCardCannotBeRemoved) {
  CKCM* bus = editor.AddBusCard();
  ASSERT_NE(editor.AddCard(*bus, CKCM::KIND_KCM209), nullptr);
  EXPECT_FALSE(editor.RemoveCard(*bus));
  EXPECT_TRUE(doc.Contains(bus));
}

TEST_F(CCardBusEditorTest, IdleBusCardGoesWithItsCardsAndTheirLabels) {
  CKCM* bus = editor.AddBusCard();
  CKCM* input = editor.AddCard(*bus, CKCM::KIND_KCM212);
  CKCM* analog = editor.AddCard(*bus, CKCM::KIND_KCM216);
  CControlPad* label = editor.AddChannelLabel(*input, 5);
  ASSERT_TRUE(input && analog && label);
  ASSERT_TRUE(editor.RemoveCard(*bus));
  EXPECT_FALSE(doc.Contains(bus));
  EXPECT_FALSE(doc.Contains(input));
  EXPECT_FALSE(doc.Contains(analog));
  // No label is left behind without its terminal.
  EXPECT_FALSE(doc.Contains(label));
  EXPECT_EQ(Count(DT_KCM212), 0);
}

TEST_F(CCardBusEditorTest, LabelOnChannelOneMakesTheCardUsed) {
  CKCM* bus = editor.AddBusCard();
  CKCM* input = editor.AddCard(*bus, CKCM::KIND_KCM212);
  ASSERT_NE(editor.AddChannelLabel(*input, 1), nullptr);
  EXPECT_FALSE(editor.RemoveCard(*bus));
  EXPECT_TRUE(doc.Contains(input));
}

TEST_F(CCardBusEditorTest, LabelLinkedByTheLogicKeepsItsCard) {
  CKCM* bus = editor.AddBusCard();
  CKCM* input = editor.AddCard(*bus, CKCM::KIND_KCM212);
  CControlPad* label = editor.AddChannelLabel(*input, 7);
  CZone* user = AddZone();
  CBaseDevice::Connect(label, 0, user, 0);
  EXPECT_FALSE(editor.RemoveCard(*input));
  EXPECT_TRUE(doc.Contains(label));
  EXPECT_NE(user->FindInputConnection(0), nullptr);
}

TEST_F(CCardBusEditorTest, DigitalSlotOutputLabels) {
  CDigitalSlot* slot = CDigitalSlot::Find(&doc);
  ASSERT_NE(slot, nullptr);
  CControlPad* pad = editor.AddDigitalOutputLabel(*slot, 4);
  ASSERT_NE(pad, nullptr);
  EXPECT_EQ(pad->GetKind(), CControlPad::kKindDigitalOutput);
  EXPECT_EQ(pad->GetName(), QStringLiteral("Output 4"));
  EXPECT_EQ(slot->FindOutputConnection(3)->pPeer, pad);
  EXPECT_EQ(pad->GetNumber(), 4);
  CControlPad* clock = editor.AddDigitalOutputLabel(*slot, 1);
  ASSERT_NE(clock, nullptr);
  EXPECT_EQ(clock->GetKind(), CControlPad::kKindSlaveClock);
  EXPECT_EQ(editor.AddDigitalOutputLabel(*slot, 4), nullptr);
  EXPECT_EQ(editor.AddDigitalOutputLabel(*slot, 9), nullptr);
  // Zones on a digital-slot label: priority from output 11, control from 12,
  // both to the pad's input 1.
  CZone* zone = AddZone();
  ASSERT_TRUE(editor.AssignObject(*pad, *zone, CCardBusEditor::EntryRole::ControlZone));
  EXPECT_EQ(zone->FindOutputConnection(12)->pPeer, pad);
  EXPECT_EQ(zone->FindOutputConnection(12)->nPeerPin, 1);
  ASSERT_TRUE(editor.RemoveLabel(*pad));
  EXPECT_EQ(slot->FindOutputConnection(3), nullptr);
  EXPECT_EQ(zone->FindOutputConnection(12), nullptr);
}

}  // namespace
