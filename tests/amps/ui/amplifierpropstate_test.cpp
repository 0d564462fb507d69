// The amplifier properties: which unit outputs feed the inputs, model
// changes, the address and what the dialog shows per model.

#include "amps/ui/amplifierpropstate.h"
#include "amps/camplifier.h"
#include "model/cselvantisdoc.h"
#include "support/messagerecorder.h"
#include "unit/caudiooutputslot.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr int kPropStateAmv5120 = 33007;      // 1 output, not addressable
constexpr int kPropStateAmv5410x4 = 33079;    // 4 outputs, not addressable
constexpr int kPropStateAmv5411_112 = 33077;  // 3 outputs (100, 100, 200 W), addressable
constexpr int kRowAmv5410x4 = 12;
constexpr int kRowAmv5120 = 0;

CAmplifier* PropStateAddAmp(CSelvantisDoc& doc, int kind) {
  auto amp = std::make_unique<CAmplifier>();
  if (!amp->Create(kind, 1, 1, QString(), QRect(0, 0, 60, 80), CAT_AMPLIFIERS, 0, CBaseDevice::TF_NAME, &doc))
    return nullptr;
  return doc.Adopt(std::move(amp));
}

CAudioOutputSlot* Slot(CSelvantisDoc& doc, int id) {
  return dynamic_cast<CAudioOutputSlot*>(doc.GetIDManager().FindBaseDevice(id, DT_AUDIOOUTPUTSLOT));
}

// The input record of the amplifier at pin and its mirror at the slot.
bool Wired(CAudioOutputSlot* slot, int pin, CAmplifier* amp, int input) {
  bool atAmp = false;
  for (const ConnectionRecord& r : amp->GetInputConnections())
    atAmp = atAmp || (r.pPeer == slot && r.nPeerPin == pin && r.nOwnPin == input && r.nPeerCategory == CAT_OUTPUTSLOTS);
  bool atSlot = false;
  for (const ConnectionRecord& r : slot->GetOutputConnections())
    atSlot = atSlot || (r.pPeer == amp && r.nPeerPin == input && r.nOwnPin == pin && r.nPeerCategory == CAT_AMPLIFIERS);
  return atAmp && atSlot;
}

class AmplifierPropStateTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_doc.OnNewDocument()); }
  CSelvantisDoc m_doc;
};

}  // namespace

TEST_F(AmplifierPropStateTest, OffersTheFourUnitOutputsAndNotUsed) {
  AmplifierPropState state(&m_doc);
  ASSERT_EQ(state.Sources().size(), 4u);
  EXPECT_EQ(state.ChannelTexts(), QStringList({"OUT1", "OUT2", "OUT3", "OUT4", "Not used"}));
  EXPECT_EQ(state.Sources()[3].slot, Slot(m_doc, 2));
  EXPECT_EQ(state.Sources()[3].pin, 1);
  const QStringList models = AmplifierPropState::ModelTexts();
  ASSERT_EQ(models.size(), 18);
  EXPECT_EQ(models.first(), "AMV5120");
  EXPECT_EQ(models.last(), "AMV 5411 (4x1)");
}

TEST_F(AmplifierPropStateTest, ModelDecidesRowsPowerAddressAndAdvanced) {
  CAmplifier* plain = PropStateAddAmp(m_doc, kPropStateAmv5120);
  CAmplifier* bus = PropStateAddAmp(m_doc, kPropStateAmv5411_112);
  AmplifierPropState state(&m_doc);

  state.SetAmplifier(plain);
  AmplifierPropState::View view = state.GetView();
  EXPECT_TRUE(view.hasAmplifier);
  EXPECT_EQ(view.modelRow, 0);
  EXPECT_FALSE(view.addressEnabled);
  EXPECT_FALSE(view.advancedEnabled);
  EXPECT_EQ(view.addressText, "Address");
  EXPECT_TRUE(view.channels[0].shown);
  EXPECT_EQ(view.channels[0].power, "200 W");
  EXPECT_FALSE(view.channels[1].shown);

  state.SetAmplifier(bus);
  view = state.GetView();
  EXPECT_TRUE(view.addressEnabled);
  EXPECT_TRUE(view.advancedEnabled);
  EXPECT_EQ(view.addressText, "Adr. 00");
  const char* powers[] = {"100 W", "100 W", "200 W"};
  for (int ch = 0; ch < 3; ++ch) {
    EXPECT_TRUE(view.channels[size_t(ch)].shown) << ch;
    EXPECT_EQ(view.channels[size_t(ch)].power, powers[ch]) << ch;
    EXPECT_EQ(view.channels[size_t(ch)].choice, AmplifierPropState::kNone) << ch;
  }
  EXPECT_FALSE(view.channels[3].shown);

  state.SetAmplifier(nullptr);
  EXPECT_FALSE(state.GetView().hasAmplifier);
}

TEST_F(AmplifierPropStateTest, ApplyWiresTheChosenOutputAtBothEnds) {
  CAmplifier* amp = PropStateAddAmp(m_doc, kPropStateAmv5410x4);
  AmplifierPropState state(&m_doc);
  state.SetAmplifier(amp);
  state.SelectSource(0, 1);  // OUT2
  state.SelectSource(2, 2);  // OUT3
  EXPECT_TRUE(state.IsModified());
  state.Apply();
  EXPECT_FALSE(state.IsModified());
  EXPECT_TRUE(Wired(Slot(m_doc, 1), 1, amp, 0));
  EXPECT_TRUE(Wired(Slot(m_doc, 2), 0, amp, 2));
  EXPECT_EQ(amp->GetInputConnections().size(), 2u);
  EXPECT_EQ(amp->GetInputValue(0), 2);
  EXPECT_EQ(amp->GetInputValue(2), 3);

  // A fresh state finds the wiring again.
  AmplifierPropState again(&m_doc);
  again.SetAmplifier(amp);
  EXPECT_EQ(again.GetView().channels[0].choice, 1);
  EXPECT_EQ(again.GetView().channels[1].choice, AmplifierPropState::kNone);
  EXPECT_EQ(again.GetView().channels[2].choice, 2);

  // Another source replaces the old one; "Not used" removes it.
  again.SelectSource(0, 0);
  again.SelectSource(2, AmplifierPropState::kNone);
  again.Apply();
  EXPECT_TRUE(Wired(Slot(m_doc, 1), 0, amp, 0));
  EXPECT_FALSE(Wired(Slot(m_doc, 1), 1, amp, 0));
  EXPECT_FALSE(Wired(Slot(m_doc, 2), 0, amp, 2));
  EXPECT_TRUE(Slot(m_doc, 2)->GetOutputConnections().empty());
  EXPECT_EQ(amp->GetInputConnections().size(), 1u);
  EXPECT_EQ(amp->GetInputValue(0), 1);
  EXPECT_EQ(amp->GetInputValue(2), 3);  // "Not used" keeps the stored number
}

TEST_F(AmplifierPropStateTest, ModelChangeDropsTheOldWiringAndWiresTheNewChoices) {
  CAmplifier* amp = PropStateAddAmp(m_doc, kPropStateAmv5410x4);
  AmplifierPropState state(&m_doc);
  state.SetAmplifier(amp);
  for (int ch = 0; ch < 4; ++ch) state.SelectSource(ch, ch);
  state.Apply();
  ASSERT_EQ(amp->GetInputConnections().size(), 4u);

  state.SelectModel(kRowAmv5120);
  EXPECT_TRUE(state.GetView().channels[1].shown);  // the rows follow the model once applied
  state.SelectSource(0, 3);
  state.Apply();
  EXPECT_EQ(amp->GetKind(), kPropStateAmv5120);
  EXPECT_EQ(amp->GetInputCount(), 1);
  ASSERT_EQ(amp->GetInputConnections().size(), 1u);
  EXPECT_TRUE(Wired(Slot(m_doc, 2), 1, amp, 0));
  EXPECT_TRUE(Slot(m_doc, 1)->GetOutputConnections().empty());
  EXPECT_EQ(state.GetView().modelRow, kRowAmv5120);
  EXPECT_FALSE(state.GetView().channels[1].shown);

  // Back to four outputs with nothing chosen: no input is wired.
  state.SelectModel(kRowAmv5410x4);
  state.SelectSource(0, AmplifierPropState::kNone);
  state.Apply();
  EXPECT_TRUE(amp->GetInputConnections().empty());
  EXPECT_TRUE(Slot(m_doc, 2)->GetOutputConnections().empty());
}

TEST_F(AmplifierPropStateTest, OutOfRangeChoicesAndForeignWiringAreHarmless) {
  CAmplifier* amp = PropStateAddAmp(m_doc, kPropStateAmv5410x4);
  // A connection beyond the four inputs and one from an object that is no
  // unit output: neither is shown, neither is touched.
  CBaseDevice::Connect(Slot(m_doc, 1), 0, amp, 7);
  CBaseDevice::Connect(amp, 0, amp, 1);
  AmplifierPropState state(&m_doc);
  state.SetAmplifier(amp);
  for (const AmplifierPropState::ChannelView& row : state.GetView().channels)
    EXPECT_EQ(row.choice, AmplifierPropState::kNone);
  state.SelectSource(9, 0);
  state.SelectSource(0, 17);
  state.SelectSource(1, -5);
  EXPECT_EQ(state.GetSelectedSource(0), AmplifierPropState::kNone);
  state.SelectModel(99);
  EXPECT_EQ(state.GetSelectedModel(), kRowAmv5410x4);
  state.Apply();
  EXPECT_EQ(amp->GetInputConnections().size(), 2u);
}

TEST_F(AmplifierPropStateTest, AddressTakesOnlyBusAddresses) {
  CAmplifier* amp = PropStateAddAmp(m_doc, kPropStateAmv5411_112);
  AmplifierPropState state(&m_doc);
  state.SetAmplifier(amp);
  EXPECT_EQ(state.AddressSelection(), "0");
  EXPECT_TRUE(state.SetAddress(0x2a));
  EXPECT_EQ(amp->GetAddress(), 0x2a);
  EXPECT_EQ(state.AddressText(), "Adr. 2a");
  EXPECT_EQ(state.AddressSelection(), "2a");
  EXPECT_FALSE(state.SetAddress(64));
  EXPECT_FALSE(state.SetAddress(-1));
  EXPECT_EQ(amp->GetAddress(), 0x2a);
}

TEST_F(AmplifierPropStateTest, TwentiethInputOnOneOutputWarns) {
  MessageRecorder messages;
  AmplifierPropState state(&m_doc);
  for (int i = 0; i < 20; ++i) {
    CAmplifier* amp = PropStateAddAmp(m_doc, kPropStateAmv5120);
    ASSERT_NE(amp, nullptr);
    state.SetAmplifier(amp);
    state.SelectSource(0, 0);
    state.Apply();
    EXPECT_EQ(messages.Saw(32790), i == 19) << i;
  }
  EXPECT_TRUE(messages.SawText("OUT1 is connected to 20 amplifier inputs"));
}

TEST_F(AmplifierPropStateTest, ForgetsARemovedAmplifierOrSlot) {
  CAmplifier* amp = PropStateAddAmp(m_doc, kPropStateAmv5120);
  AmplifierPropState state(&m_doc);
  state.SetAmplifier(amp);
  state.SelectSource(0, 0);
  state.Forget(Slot(m_doc, 1));
  EXPECT_EQ(state.GetSelectedSource(0), AmplifierPropState::kNone);
  state.SelectSource(0, 1);  // a source without its slot cannot be chosen
  EXPECT_EQ(state.GetSelectedSource(0), AmplifierPropState::kNone);
  state.Forget(amp);
  EXPECT_EQ(state.GetAmplifier(), nullptr);
  state.Apply();  // nothing to do
}
