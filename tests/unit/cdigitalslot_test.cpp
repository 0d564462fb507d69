// The digital slot: the fixed block of a new project, its pin labels, the
// context menu that works on the pin under the cursor when the menu opened,
// the pads it creates (kinds, names, links at both ends, own document),
// emptying the slot, the old-record move and the printed table row.

#include "unit/cdigitalslot.h"
#include "model/ccmdui.h"
#include "model/cmenudata.h"
#include "model/commandids.h"
#include "model/cselvantisdoc.h"
#include "support/messagerecorder.h"
#include "support/projectbytes.h"
#include "unit/ccontrolpad.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class CDigitalSlotTest : public testing::Test {
 protected:
  void SetUp() override {
    doc.OnNewDocument();
    slot = CDigitalSlot::Find(&doc);
    ASSERT_NE(slot, nullptr);
  }

  // Right-click with the cursor on a pin, then the cursor leaves the block
  // for the menu (the highlight goes) before the command is chosen.
  CMenuData OpenMenuOn(int inPin, int outPin) {
    slot->SetHighlightedPins(inPin, outPin);
    CMenuData menu;
    slot->BuildContextMenu(menu);
    slot->UpdateMenu(menu);
    slot->SetHighlightedPins(-1, -1);
    return menu;
  }

  CCmdUI State(int id) {
    CCmdUI ui(id);
    slot->OnUpdateCommandUI(ui);
    return ui;
  }

  CControlPad* PadOnOutput(int pin) {
    const ConnectionRecord* r = slot->FindOutputConnection(pin);
    return r != nullptr ? dynamic_cast<CControlPad*>(r->pPeer) : nullptr;
  }

  MessageRecorder messages;
  CSelvantisDoc doc;
  CDigitalSlot* slot = nullptr;
};

TEST_F(CDigitalSlotTest, NewProjectHasTheFittedLockedBlock) {
  EXPECT_EQ(slot->GetID(), 1);
  EXPECT_EQ(slot->GetKind(), CDigitalSlot::kKind);
  EXPECT_EQ(slot->GetCategory(), CAT_SLOTS);
  EXPECT_EQ(slot->GetName(), QStringLiteral("8 I/O Control module"));
  EXPECT_EQ(slot->GetRect(), QRect(1933, 2468, 230, 160));
  EXPECT_EQ(slot->GetMenuID(), 228);
  EXPECT_TRUE(slot->IsMoveLocked());
  EXPECT_TRUE(slot->IsFitted());
  EXPECT_EQ(slot->GetInputCount(), 8);
  EXPECT_EQ(slot->GetOutputCount(), 8);
  EXPECT_TRUE(slot->GetPath().isEmpty());
  EXPECT_FALSE(doc.IsModified());
  // The bounding rectangle reaches 5 units beyond the pin squares.
  EXPECT_EQ(slot->GetBoundingRect().left(), 1933 - CBaseDevice::kPinSize - 5);
  slot->Move(10, 10, true);
  EXPECT_EQ(slot->GetRect().topLeft(), QPoint(1933, 2468));
}

TEST_F(CDigitalSlotTest, PinLabelsNameTheSlaveClockOutput) {
  EXPECT_EQ(slot->GetInputPinLabel(0), QStringLiteral("IN1"));
  EXPECT_EQ(slot->GetInputPinLabel(7), QStringLiteral("IN8"));
  EXPECT_EQ(slot->GetOutputPinLabel(0), QStringLiteral("SC"));
  EXPECT_EQ(slot->GetOutputPinLabel(1), QStringLiteral("OUT2"));
  EXPECT_EQ(slot->GetOutputPinLabel(7), QStringLiteral("OUT8"));
}

TEST_F(CDigitalSlotTest, OutputPinZeroGivesTheSlaveClockPad) {
  CMenuData menu = OpenMenuOn(-1, 0);
  ASSERT_NE(menu.FindItem(CDigitalSlot::ID_NEW_OUTPUT_PAD), nullptr);
  EXPECT_EQ(menu.FindItem(CDigitalSlot::ID_NEW_INPUT_PAD), nullptr);
  ASSERT_TRUE(State(CDigitalSlot::ID_NEW_OUTPUT_PAD).IsEnabled());
  ASSERT_TRUE(slot->OnCommand(CDigitalSlot::ID_NEW_OUTPUT_PAD));
  CControlPad* pad = PadOnOutput(0);
  ASSERT_NE(pad, nullptr);
  EXPECT_EQ(pad->GetKind(), CControlPad::kKindSlaveClock);
  EXPECT_EQ(pad->GetName(), QStringLiteral("Slave clock"));
  EXPECT_EQ(pad->GetCategory(), CAT_ENTRIES);
  EXPECT_EQ(pad->GetTextFlags(), 9);
  EXPECT_EQ(pad->GetRect().topLeft(), slot->GetOutputPinPoint(0) + QPoint(20, 0));
  // Both ends: the slot's output record and the pad's input record.
  const ConnectionRecord* mirror = pad->FindInputConnection(0);
  ASSERT_NE(mirror, nullptr);
  EXPECT_EQ(mirror->pPeer, slot);
  EXPECT_EQ(mirror->nPeerPin, 0);
  EXPECT_EQ(mirror->nPeerCategory, CAT_SLOTS);
  EXPECT_EQ(slot->FindOutputConnection(0)->nPeerCategory, CAT_ENTRIES);
  EXPECT_EQ(pad->GetNumber(), 1);
}

TEST_F(CDigitalSlotTest, OutputAndInputPadsAreNamedAfterTheirPins) {
  OpenMenuOn(-1, 3);
  ASSERT_TRUE(slot->OnCommand(CDigitalSlot::ID_NEW_OUTPUT_PAD));
  CControlPad* out = PadOnOutput(3);
  ASSERT_NE(out, nullptr);
  EXPECT_EQ(out->GetKind(), CControlPad::kKindDigitalOutput);
  EXPECT_EQ(out->GetName(), QStringLiteral("Output4"));

  CMenuData menu = OpenMenuOn(0, -1);
  ASSERT_NE(menu.FindItem(CDigitalSlot::ID_NEW_INPUT_PAD), nullptr);
  ASSERT_TRUE(slot->OnCommand(CDigitalSlot::ID_NEW_INPUT_PAD));
  const ConnectionRecord* r = slot->FindInputConnection(0);
  ASSERT_NE(r, nullptr);
  auto* in = dynamic_cast<CControlPad*>(r->pPeer);
  ASSERT_NE(in, nullptr);
  EXPECT_EQ(in->GetKind(), CControlPad::kKindDigitalInput);
  EXPECT_EQ(in->GetName(), QStringLiteral("Input1"));
  EXPECT_EQ(in->FindOutputConnection(0)->pPeer, slot);
  EXPECT_EQ(in->GetRect().topLeft(), slot->GetInputPinPoint(0));
}

TEST_F(CDigitalSlotTest, OutputItemComesBeforeInputItemAndWinsOverIt) {
  CMenuData menu = OpenMenuOn(2, 5);
  int outAt = -1, inAt = -1;
  for (int i = 0; i < static_cast<int>(menu.Items().size()); ++i) {
    if (menu.Items()[i].id == CDigitalSlot::ID_NEW_OUTPUT_PAD) outAt = i;
    if (menu.Items()[i].id == CDigitalSlot::ID_NEW_INPUT_PAD) inAt = i;
  }
  ASSERT_GE(outAt, 1);
  EXPECT_GT(inAt, outAt);
  EXPECT_TRUE(menu.Items()[outAt - 1].separator || menu.Items()[outAt - 1].id == 0);
  ASSERT_TRUE(slot->OnCommand(CDigitalSlot::ID_NEW_INPUT_PAD));
  EXPECT_NE(PadOnOutput(5), nullptr);
  EXPECT_EQ(slot->FindInputConnection(2), nullptr);
}

TEST_F(CDigitalSlotTest, SecondPadOnATakenPinIsDisabledAndRefused) {
  OpenMenuOn(-1, 3);
  ASSERT_TRUE(slot->OnCommand(CDigitalSlot::ID_NEW_OUTPUT_PAD));
  CMenuData menu = OpenMenuOn(-1, 3);
  const CMenuItem* item = menu.FindItem(CDigitalSlot::ID_NEW_OUTPUT_PAD);
  ASSERT_NE(item, nullptr);
  EXPECT_FALSE(item->enabled);
  EXPECT_EQ(slot->CreatePad(-1, 3), nullptr);
  EXPECT_EQ(slot->GetOutputConnections().size(), 1u);
}

TEST_F(CDigitalSlotTest, PadCommandWithoutPinTellsTheUserAndCreatesNothing) {
  OpenMenuOn(-1, -1);
  const int pads = doc.GetIDManager().GetCount(DT_CONTROLPAD);
  EXPECT_TRUE(slot->OnCommand(CDigitalSlot::ID_NEW_OUTPUT_PAD));
  EXPECT_TRUE(messages.Saw(CDigitalSlot::IDS_SELECT_PIN_FIRST));
  EXPECT_EQ(doc.GetIDManager().GetCount(DT_CONTROLPAD), pads);
}

TEST_F(CDigitalSlotTest, APinIsUsedForOnePadOnly) {
  OpenMenuOn(-1, 4);
  ASSERT_TRUE(slot->OnCommand(CDigitalSlot::ID_NEW_OUTPUT_PAD));
  // A repeated command without a new menu has no pin any more.
  EXPECT_TRUE(slot->OnCommand(CDigitalSlot::ID_NEW_OUTPUT_PAD));
  EXPECT_TRUE(messages.Saw(CDigitalSlot::IDS_SELECT_PIN_FIRST));
  EXPECT_EQ(slot->GetOutputConnections().size(), 1u);
}

TEST_F(CDigitalSlotTest, PadGoesIntoTheSlotsOwnDocument) {
  CSelvantisDoc other;
  other.OnNewDocument();
  SetActiveDoc(&other);
  const int otherObjects = other.GetTotalObjectCount();
  CControlPad* pad = slot->CreatePad(-1, 2);
  SetActiveDoc(nullptr);
  ASSERT_NE(pad, nullptr);
  EXPECT_TRUE(doc.Contains(pad));
  EXPECT_EQ(other.GetTotalObjectCount(), otherObjects);
}

TEST_F(CDigitalSlotTest, EmptyingIsRefusedWhilePadsAreConnected) {
  CControlPad* pad = slot->CreatePad(-1, 1);
  ASSERT_NE(pad, nullptr);
  EXPECT_FALSE(State(CDigitalSlot::ID_EMPTY_SLOT).IsEnabled());
  EXPECT_FALSE(slot->OnCommand(CDigitalSlot::ID_EMPTY_SLOT));
  EXPECT_TRUE(slot->IsFitted());
  ASSERT_TRUE(pad->OnCommand(ID_DELETE_OBJECT));
  EXPECT_TRUE(State(CDigitalSlot::ID_EMPTY_SLOT).IsEnabled());
  EXPECT_TRUE(slot->OnCommand(CDigitalSlot::ID_EMPTY_SLOT));
  EXPECT_FALSE(slot->IsFitted());
}

TEST_F(CDigitalSlotTest, EmptySlotOffersNoPinsAndKeepsItsState) {
  ASSERT_TRUE(slot->OnCommand(CDigitalSlot::ID_EMPTY_SLOT));
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(State(CDigitalSlot::ID_EMPTY_SLOT).GetCheck(), 1);
  EXPECT_EQ(State(CDigitalSlot::ID_FIT_MODULE).GetCheck(), 0);
  EXPECT_FALSE(State(ID_SHOW_PROPERTIES).IsEnabled());
  CMenuData menu = OpenMenuOn(1, 1);
  EXPECT_EQ(menu.FindItem(CDigitalSlot::ID_NEW_OUTPUT_PAD), nullptr);
  EXPECT_EQ(menu.FindItem(CDigitalSlot::ID_NEW_INPUT_PAD), nullptr);
  EXPECT_EQ(slot->CreatePad(1, 1), nullptr);

  auto back = RoundTrip(doc);
  ASSERT_NE(back, nullptr);
  CDigitalSlot* loaded = CDigitalSlot::Find(back.get());
  ASSERT_NE(loaded, nullptr);
  EXPECT_FALSE(loaded->IsFitted());
  EXPECT_EQ(loaded->GetRect(), slot->GetRect());
  EXPECT_EQ(loaded->GetOutputPinLabel(0), QStringLiteral("SC"));

  ASSERT_TRUE(slot->OnCommand(CDigitalSlot::ID_FIT_MODULE));
  EXPECT_TRUE(slot->IsFitted());
  EXPECT_EQ(State(CDigitalSlot::ID_FIT_MODULE).GetCheck(), 1);
}

TEST_F(CDigitalSlotTest, PadsAndLinksSurviveAReload) {
  ASSERT_NE(slot->CreatePad(-1, 6), nullptr);
  ASSERT_NE(slot->CreatePad(3, -1), nullptr);
  auto back = RoundTrip(doc);
  ASSERT_NE(back, nullptr);
  CDigitalSlot* loaded = CDigitalSlot::Find(back.get());
  ASSERT_NE(loaded, nullptr);
  const ConnectionRecord* out = loaded->FindOutputConnection(6);
  ASSERT_NE(out, nullptr);
  EXPECT_EQ(out->pPeer->GetName(), QStringLiteral("Output7"));
  ASSERT_NE(loaded->FindInputConnection(3), nullptr);
  EXPECT_FALSE(loaded->OnCommand(CDigitalSlot::ID_EMPTY_SLOT));
}

TEST_F(CDigitalSlotTest, OldRecordIsMovedDownOnce) {
  QByteArray bytes = SaveProject(doc);
  ASSERT_TRUE(PatchSchema(bytes, "CDigitalSlot", 1));
  auto old = LoadProject(bytes);
  ASSERT_NE(old, nullptr);
  EXPECT_EQ(CDigitalSlot::Find(old.get())->GetRect().topLeft(), QPoint(1933, 2468 + 20));
  auto current = RoundTrip(doc);
  ASSERT_NE(current, nullptr);
  EXPECT_EQ(CDigitalSlot::Find(current.get())->GetRect().topLeft(), QPoint(1933, 2468));
}

TEST_F(CDigitalSlotTest, PropertiesOnlyWhileFitted) {
  int shown = 0;
  // Stands in for the slot's dialog; the real one is put back afterwards.
  CBaseDevice::PropertiesHandler real = CBaseDevice::SetPropertiesHandler(DT_DIGITALSLOT, [&shown](CBaseDevice&) {
    ++shown;
    return true;
  });
  EXPECT_TRUE(slot->ShowProperties());
  ASSERT_TRUE(slot->SetFitted(false));
  EXPECT_FALSE(slot->ShowProperties());
  EXPECT_TRUE(slot->OnCommand(ID_SHOW_PROPERTIES));
  CBaseDevice::SetPropertiesHandler(DT_DIGITALSLOT, std::move(real));
  EXPECT_EQ(shown, 1);
}

TEST_F(CDigitalSlotTest, FixedBlockCannotBeDeleted) {
  EXPECT_FALSE(State(ID_DELETE_OBJECT).IsEnabled());
  EXPECT_FALSE(slot->OnCommand(ID_DELETE_OBJECT));
  EXPECT_EQ(CDigitalSlot::Find(&doc), slot);
}

TEST_F(CDigitalSlotTest, PrintedTableRow) {
  std::vector<ReportColumn> columns;
  EXPECT_EQ(slot->GetReportColumns(columns), 1);
  ASSERT_EQ(columns.size(), 3u);
  EXPECT_EQ(columns[0].position, 2);
  EXPECT_EQ(columns[1].position, 30);
  EXPECT_EQ(columns[2].position, 30);
  QStringList header;
  EXPECT_EQ(slot->GetReportLine(header, true), 3);
  EXPECT_EQ(header, (QStringList{QStringLiteral("Name"), QStringLiteral("ID"), QStringLiteral("Type")}));
  QStringList row;
  EXPECT_EQ(slot->GetReportLine(row, false), 3);
  EXPECT_EQ(row, (QStringList{QStringLiteral("Slot5"), QStringLiteral("1"), slot->GetName()}));
}

}  // namespace
