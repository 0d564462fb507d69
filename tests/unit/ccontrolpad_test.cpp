// Control pads: the number each kind works out from its terminal
// connection, the keyword table, Matches and the look-up by keyword.
#include "unit/ccontrolpad.h"
#include "model/carchive.h"
#include "model/cselectionprovider.h"
#include "model/cselvantisdoc.h"
#include "support/projectbytes.h"

#include <QRect>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

// Whatever a pad is wired to (slot, card, relay): a type code and nothing else.
class CPadTestTerminal final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CPadTestTerminal)

 public:
  CPadTestTerminal() = default;
  explicit CPadTestTerminal(int type) { SetType(type); }
};

class CControlPadTest : public ::testing::Test {
 protected:
  void SetUp() override { m_doc.OnNewDocument(); }

  CBaseDevice* Terminal(int type, int id) {
    // A new project already has its fixed terminals (the interface slot).
    if (CBaseDevice* fixed = m_doc.GetIDManager().FindBaseDevice(id, type)) return fixed;
    auto object = std::make_unique<CPadTestTerminal>(type);
    if (!object->CreateWithID(0, QStringLiteral("t%1_%2").arg(type).arg(id), id, CAT_ENTRIES, &m_doc)) return nullptr;
    return m_doc.AddObject(std::move(object));
  }
  CControlPad* Pad(int kind) {
    auto pad = std::make_unique<CControlPad>();
    if (!pad->Create(kind, 1, 1, QString(), QRect(), CAT_ENTRIES, 0, 9, &m_doc)) return nullptr;
    return m_doc.Adopt(std::move(pad));
  }

  CSelvantisDoc m_doc;
};

TEST_F(CControlPadTest, NumbersFromTheTerminalConnection) {
  CBaseDevice* digital = Terminal(DT_DIGITALSLOT, 1);
  CBaseDevice* interface = Terminal(DT_INTERFACESLOT, 1);
  CBaseDevice* kcm212 = Terminal(DT_KCM212, 2);
  CBaseDevice* kcm216 = Terminal(DT_KCM216, 3);

  CControlPad* input = Pad(CControlPad::kKindDigitalInput);
  CBaseDevice::Connect(input, 0, digital, 6);
  EXPECT_EQ(input->GetNumber(), 7);

  CControlPad* output = Pad(CControlPad::kKindDigitalOutput);
  CBaseDevice::Connect(digital, 3, output, 0);
  EXPECT_EQ(output->GetNumber(), 4);

  CControlPad* inp2 = Pad(CControlPad::kKindInterfaceInput);
  CBaseDevice::Connect(inp2, 0, interface, 3);
  EXPECT_EQ(inp2->GetNumber(), 2);

  // Channel 14 of the second KCM212 sits on its input 1.
  CControlPad* channel = Pad(CControlPad::kKindKCM212);
  CBaseDevice::Connect(channel, 0, kcm212, 1);
  EXPECT_EQ(channel->GetNumber(), 14);

  CControlPad* analogIn = Pad(CControlPad::kKindKCM216);
  CBaseDevice::Connect(analogIn, 0, kcm216, 2);
  EXPECT_EQ(analogIn->GetNumber(), 19);
  EXPECT_EQ(analogIn->GetKeyword(), "KCM216IN");
  CControlPad* analogOut = Pad(CControlPad::kKindKCM216Output);
  CBaseDevice::Connect(analogOut, 0, kcm216, 102);
  EXPECT_EQ(analogOut->GetNumber(), 19);

  // An unwired pad stands for nothing.
  EXPECT_EQ(Pad(CControlPad::kKindDigitalInput)->GetNumber(), 0);
}

TEST_F(CControlPadTest, RelayPadsGiveTheRelayNumberOfTheirCard) {
  CBaseDevice* card = Terminal(DT_KCM209, 3);
  CBaseDevice* relay = Terminal(DT_RELAY, 40);
  CBaseDevice::Connect(relay, 0, card, 2);
  CControlPad* pad = Pad(CControlPad::kKindKCM209);
  CBaseDevice::Connect(pad, 0, relay, 0);
  // Card 3 holds relays 11..15; input 2 is relay 13.
  EXPECT_EQ(pad->GetNumber(), 13);
  // Other connections on the pad (logic outputs, ready inputs) change nothing.
  CBaseDevice* other = Terminal(DT_LOGICOUT, 1);
  CBaseDevice::Connect(pad, 0, other, 0);
  EXPECT_EQ(pad->GetNumber(), 13);
  EXPECT_TRUE(pad->Matches(QStringLiteral("KCM209"), 13));
  EXPECT_FALSE(pad->Matches(QStringLiteral("KCM208"), 13));
  EXPECT_FALSE(pad->Matches(QStringLiteral("KCM209"), 12));
  EXPECT_EQ(m_doc.GetIDManager().FindControlPadByKeyword(QStringLiteral("KCM209"), 13), pad);
  EXPECT_EQ(m_doc.GetIDManager().FindControlPadByKeyword(QStringLiteral("KCM209"), 14), nullptr);
}

TEST_F(CControlPadTest, KindTable) {
  EXPECT_EQ(CControlPad::KeywordOfKind(32796), "KCM208");
  EXPECT_EQ(CControlPad::KeywordOfKind(32797), "KCM209");
  EXPECT_EQ(CControlPad::KeywordOfKind(34136), "KCM212");
  EXPECT_EQ(CControlPad::KeywordOfKind(12345), "");
  EXPECT_TRUE(CControlPad::IsInputKind(CControlPad::kKindDigitalInput));
  EXPECT_TRUE(CControlPad::IsOutputKind(CControlPad::kKindKCM208));
  EXPECT_FALSE(CControlPad::IsSourceKind(0));
  // A pad of a kind the unit does not address never matches.
  CControlPad* odd = Pad(4711);
  EXPECT_FALSE(odd->Matches(QString(), 0));
}

TEST_F(CControlPadTest, ProjectFileKeepsKindAndTerminal) {
  CBaseDevice* digital = Terminal(DT_DIGITALSLOT, 1);
  CControlPad* pad = Pad(CControlPad::kKindDigitalInput);
  pad->SetName(QStringLiteral("Smoke"));
  CBaseDevice::Connect(pad, 0, digital, 2);
  CSelvantisDoc loaded;
  ASSERT_TRUE(LoadProject(loaded, SaveProject(m_doc)));
  auto* copy = dynamic_cast<CControlPad*>(loaded.GetIDManager().FindBaseDevice(pad->GetID(), DT_CONTROLPAD));
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->GetName(), "Smoke");
  EXPECT_EQ(copy->GetKind(), CControlPad::kKindDigitalInput);
  EXPECT_EQ(copy->GetNumber(), 3);
}

TEST_F(CControlPadTest, SelectionKindsListThePadsOfTheirFamily) {
  CControlPad* relay208 = Pad(CControlPad::kKindKCM208);
  CControlPad* relay209 = Pad(CControlPad::kKindKCM209);
  CControlPad* level = Pad(CControlPad::kKindKCM216Input);
  CControlPad* smoke = Pad(CControlPad::kKindDigitalInput);
  CControlPad* horn = Pad(CControlPad::kKindDigitalOutput);
  horn->SetName(QStringLiteral("Horn"));
  auto ids = [this](uint32_t kind, const QString& selection = QString()) {
    SelectionRequest request;
    request.kind = kind;
    request.selection = selection;
    std::vector<int> out;
    for (const SelectionChoice& choice : CSelectionProvider::Global().ListChoices(&m_doc, request).choices) {
      out.push_back(choice.preselected ? -choice.number : choice.number);
    }
    return out;
  };
  EXPECT_EQ(ids(32796), std::vector<int>{relay208->GetID()});
  EXPECT_EQ(ids(32797), std::vector<int>{relay209->GetID()});
  EXPECT_EQ(ids(32848), std::vector<int>{level->GetID()});
  // Ready inputs watch the pads whose signal comes into the unit.
  const std::vector<int> inputs = ids(34282);
  EXPECT_NE(std::find(inputs.begin(), inputs.end(), smoke->GetID()), inputs.end());
  EXPECT_EQ(std::find(inputs.begin(), inputs.end(), horn->GetID()), inputs.end());
  // A logic output offers "No entry" first, then every pad; the cell text preselects.
  const std::vector<int> targets = ids(34460, QStringLiteral("Horn"));
  ASSERT_EQ(targets.size(), 6u);
  EXPECT_EQ(targets.front(), 0);
  EXPECT_EQ(targets.back(), -horn->GetID());
}

}  // namespace

SELV_IMPLEMENT_SERIAL(CPadTestTerminal, 1)
