// The interface slot: the block every new project has, its pins, the old
// four-input record, the pin items of its menu with their states, what each
// item attaches (kind, name, which end is wired to which pin), the toggles,
// and the properties dialog's request for a power supply.
#include "unit/cinterfaceslot.h"
#include "model/ccmdui.h"
#include "model/cmenudata.h"
#include "model/commandids.h"
#include "model/cselvantisdoc.h"
#include "shell/cmenuresources.h"
#include "support/messagerecorder.h"
#include "support/projectbytes.h"
#include "unit/caudioinputdevice.h"
#include "unit/ccontrolpad.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

class CInterfaceSlotTest : public ::testing::Test {
 protected:
  void SetUp() override {
    doc.OnNewDocument();
    slot = CInterfaceSlot::Find(&doc);
    ASSERT_NE(slot, nullptr);
  }
  void TearDown() override { CInterfaceSlot::SetPropertiesDialogHook(nullptr); }

  // The context menu as the canvas builds it with the cursor on a pin.
  CMenuData MenuAt(int inputPin, int outputPin) {
    slot->SetHighlightedPins(inputPin, outputPin);
    CMenuData menu = CMenuResources::Load(slot->GetMenuID());
    slot->BuildContextMenu(menu);
    slot->UpdateMenu(menu);
    // The cursor leaves the pin for the menu.
    slot->SetHighlightedPins(-1, -1);
    return menu;
  }
  // Opens the menu on the pin and chooses the item, as the canvas routes it.
  bool Choose(int id, int inputPin, int outputPin) {
    MenuAt(inputPin, outputPin);
    CCmdUI state(id);
    slot->OnUpdateCommandUI(state);
    if (!state.IsEnabled()) return false;
    return slot->OnCommand(id);
  }
  static QStringList Texts(const CMenuData& menu) {
    QStringList texts;
    for (const CMenuItem& item : menu.Items()) texts.append(item.separator ? QStringLiteral("-") : item.text);
    return texts;
  }
  CBaseDevice* AtInput(int pin) { return slot->GetInputSource(pin); }
  CBaseDevice* AtOutput(int pin) {
    const ConnectionRecord* record = slot->FindOutputConnection(pin);
    return record != nullptr ? record->pPeer : nullptr;
  }

  CSelvantisDoc doc;
  CInterfaceSlot* slot = nullptr;
};

TEST_F(CInterfaceSlotTest, ANewProjectHasTheFixedInterfaceWithNamedPins) {
  EXPECT_EQ(slot->GetName(), "Interface");
  EXPECT_EQ(slot->GetID(), 1);
  EXPECT_EQ(slot->GetCategory(), CAT_SLOTS);
  EXPECT_EQ(slot->GetMenuID(), 230);
  EXPECT_TRUE(slot->IsMoveLocked());
  EXPECT_EQ(slot->GetInputPinLabels(), (QStringList{"RS232", "DCF 77", "INP1", "INP2", "POWER 24V"}));
  EXPECT_EQ(slot->GetOutputPinLabels(), (QStringList{"READY", "MONITOR", "REMOTE"}));
  EXPECT_EQ(slot->GetBoundingRect().left(), slot->GetRect().left() - CBaseDevice::kPinSize);
  EXPECT_LE(slot->GetBoundingRect().left(), slot->GetRect().left() - 5);
  EXPECT_GE(slot->GetBoundingRect().right(), slot->GetRect().right() + 5);
  slot->Move(100, 0, true);  // the user cannot move it
  EXPECT_EQ(slot->GetRect(), CInterfaceSlot::DefaultRect());
}

TEST_F(CInterfaceSlotTest, SavingAndLoadingAgainChangesNothing) {
  // The widened bounding rectangle is worked out, not added on every load.
  ASSERT_TRUE(Choose(CInterfaceSlot::ID_PC, CInterfaceSlot::IN_RS232, -1));
  const QByteArray first = SaveProject(doc);
  auto back = LoadProject(first);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(SaveProject(*back), first);
  CInterfaceSlot* loaded = CInterfaceSlot::Find(back.get());
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->GetBoundingRect(), slot->GetBoundingRect());
  EXPECT_EQ(loaded->GetInputCount(), 5);
  ASSERT_NE(loaded->GetInputSource(CInterfaceSlot::IN_RS232), nullptr);
  EXPECT_EQ(loaded->GetInputSource(CInterfaceSlot::IN_RS232)->GetKind(), CAudioInputDevice::kKindPC);
}

TEST_F(CInterfaceSlotTest, AFourInputRecordGetsThePowerInputAndATallerBlock) {
  // As the first schema wrote it: four inputs, a door contact on INP2.
  slot->SetPinCount(4, 3);
  const QRect oldRect = slot->GetRect();
  ASSERT_TRUE(Choose(CInterfaceSlot::ID_INP2, CInterfaceSlot::IN_INP2, -1));
  QByteArray bytes = SaveProject(doc);
  ASSERT_TRUE(PatchSchema(bytes, CInterfaceSlot::kClassName, 1));
  auto old = LoadProject(bytes);
  ASSERT_NE(old, nullptr);
  CInterfaceSlot* converted = CInterfaceSlot::Find(old.get());
  ASSERT_NE(converted, nullptr);
  EXPECT_EQ(converted->GetInputCount(), 5);
  EXPECT_EQ(converted->GetInputPinLabels(), (QStringList{"RS232", "DCF 77", "INP1", "INP2", "POWER 24V"}));
  EXPECT_EQ(converted->GetRect(), oldRect.adjusted(0, 0, 0, 20));
  // The pins are spread over the taller block, the last near its bottom.
  EXPECT_GT(converted->GetInputPinPoint(4).y(), converted->GetInputPinPoint(3).y());
  EXPECT_LT(converted->GetInputPinPoint(4).y(), converted->GetRect().bottom());
  auto* pad = dynamic_cast<CControlPad*>(converted->GetInputSource(CInterfaceSlot::IN_INP2));
  ASSERT_NE(pad, nullptr);
  EXPECT_EQ(pad->GetNumber(), 2);

  // The present schema loads as it was written.
  auto current = LoadProject(SaveProject(doc));
  ASSERT_NE(current, nullptr);
  EXPECT_EQ(CInterfaceSlot::Find(current.get())->GetInputCount(), 4);
  EXPECT_EQ(CInterfaceSlot::Find(current.get())->GetRect(), oldRect);
}

TEST_F(CInterfaceSlotTest, EachPinOffersItsOwnItems) {
  EXPECT_EQ(Texts(MenuAt(-1, -1)), (QStringList{"Properties ..."}));
  EXPECT_EQ(Texts(MenuAt(CInterfaceSlot::IN_RS232, -1)), (QStringList{"Properties ...", "-", "PC"}));
  EXPECT_EQ(Texts(MenuAt(CInterfaceSlot::IN_DCF77, -1)), (QStringList{"Properties ...", "-", "DCF77 receiver"}));
  EXPECT_EQ(Texts(MenuAt(CInterfaceSlot::IN_INP1, -1)), (QStringList{"Properties ...", "-", "INP1"}));
  EXPECT_EQ(Texts(MenuAt(CInterfaceSlot::IN_INP2, -1)), (QStringList{"Properties ...", "-", "INP2"}));
  EXPECT_EQ(Texts(MenuAt(CInterfaceSlot::IN_POWER, -1)), (QStringList{"Properties ...", "-", "RTP3004", "RTP3012"}));
  EXPECT_EQ(Texts(MenuAt(-1, CInterfaceSlot::OUT_READY)), (QStringList{"Properties ...", "-", "READY"}));
  EXPECT_EQ(Texts(MenuAt(-1, CInterfaceSlot::OUT_MONITOR)), (QStringList{"Properties ...", "-", "Monitor"}));
  EXPECT_EQ(Texts(MenuAt(-1, CInterfaceSlot::OUT_REMOTE)), (QStringList{"Properties ..."}));
}

TEST_F(CInterfaceSlotTest, AnOccupiedInputDisablesItsItem) {
  CMenuData menu = MenuAt(CInterfaceSlot::IN_INP2, -1);
  ASSERT_NE(menu.FindItem(CInterfaceSlot::ID_INP2), nullptr);
  EXPECT_TRUE(menu.FindItem(CInterfaceSlot::ID_INP2)->enabled);
  ASSERT_TRUE(Choose(CInterfaceSlot::ID_INP2, CInterfaceSlot::IN_INP2, -1));
  menu = MenuAt(CInterfaceSlot::IN_INP2, -1);
  EXPECT_FALSE(menu.FindItem(CInterfaceSlot::ID_INP2)->enabled);
  // Even when chosen anyway, a second pad is not hung on the pin.
  const int objects = doc.GetTotalObjectCount();
  EXPECT_FALSE(slot->OnPinCommand(CInterfaceSlot::ID_INP2, CInterfaceSlot::IN_INP2, -1));
  EXPECT_EQ(doc.GetTotalObjectCount(), objects);
}

TEST_F(CInterfaceSlotTest, ControlPadsOfEachConnectorAreWiredTheirWay) {
  ASSERT_TRUE(Choose(CInterfaceSlot::ID_DCF77, CInterfaceSlot::IN_DCF77, -1));
  ASSERT_TRUE(Choose(CInterfaceSlot::ID_INP1, CInterfaceSlot::IN_INP1, -1));
  ASSERT_TRUE(Choose(CInterfaceSlot::ID_READY, -1, CInterfaceSlot::OUT_READY));

  auto* dcf = dynamic_cast<CControlPad*>(AtInput(CInterfaceSlot::IN_DCF77));
  ASSERT_NE(dcf, nullptr);
  EXPECT_EQ(dcf->GetKind(), CControlPad::kKindDcf);
  EXPECT_EQ(dcf->GetName(), "DCF77 receiver");
  EXPECT_EQ(dcf->GetCategory(), CAT_ENTRIES);
  EXPECT_EQ(dcf->GetTextFlags(), 9);
  EXPECT_EQ(dcf->GetNumber(), 1);
  ASSERT_EQ(dcf->GetOutputConnections().size(), 1u);
  EXPECT_EQ(dcf->GetOutputConnections()[0].nPeerPin, CInterfaceSlot::IN_DCF77);

  auto* inp1 = dynamic_cast<CControlPad*>(AtInput(CInterfaceSlot::IN_INP1));
  ASSERT_NE(inp1, nullptr);
  EXPECT_EQ(inp1->GetKind(), CControlPad::kKindInterfaceInput);
  EXPECT_EQ(inp1->GetName(), "INP1");
  EXPECT_EQ(inp1->GetNumber(), 1);

  auto* ready = dynamic_cast<CControlPad*>(AtOutput(CInterfaceSlot::OUT_READY));
  ASSERT_NE(ready, nullptr);
  EXPECT_EQ(ready->GetKind(), CControlPad::kKindReady);
  EXPECT_EQ(ready->GetName(), "READY");
  EXPECT_EQ(ready->GetNumber(), 1);
  ASSERT_EQ(ready->GetInputConnections().size(), 1u);
  EXPECT_EQ(ready->GetInputConnections()[0].pPeer, slot);
  // 20 units right of the output pin.
  EXPECT_EQ(ready->GetRect().left(), slot->GetOutputPinPoint(CInterfaceSlot::OUT_READY).x() + 20);
  EXPECT_TRUE(doc.Contains(ready));
}

TEST_F(CInterfaceSlotTest, AnItemServesOnlyItsOwnPin) {
  // "INP1" on the power input or with no pin under the cursor does nothing:
  // no pad is left unconnected.
  const int objects = doc.GetTotalObjectCount();
  EXPECT_FALSE(slot->OnPinCommand(CInterfaceSlot::ID_INP1, CInterfaceSlot::IN_POWER, -1));
  EXPECT_FALSE(slot->OnPinCommand(CInterfaceSlot::ID_DCF77, CInterfaceSlot::IN_RS232, -1));
  EXPECT_FALSE(slot->OnCommand(CInterfaceSlot::ID_PC));  // no menu opened on a pin
  EXPECT_FALSE(slot->OnPinCommand(CInterfaceSlot::ID_READY, -1, 7));
  EXPECT_EQ(doc.GetTotalObjectCount(), objects);
}

TEST_F(CInterfaceSlotTest, ThePinIsTheOneTheMenuOpenedOn) {
  MenuAt(CInterfaceSlot::IN_DCF77, -1);
  // The cursor is elsewhere when the item is chosen.
  slot->SetHighlightedPins(CInterfaceSlot::IN_INP2, -1);
  ASSERT_TRUE(slot->OnCommand(CInterfaceSlot::ID_DCF77));
  EXPECT_NE(AtInput(CInterfaceSlot::IN_DCF77), nullptr);
  EXPECT_EQ(AtInput(CInterfaceSlot::IN_INP2), nullptr);
  // Used once: the same command again without a menu does nothing.
  EXPECT_FALSE(slot->OnCommand(CInterfaceSlot::ID_DCF77));
}

TEST_F(CInterfaceSlotTest, PCTwiceAttachesThenRemovesThePC) {
  CMenuData menu = MenuAt(CInterfaceSlot::IN_RS232, -1);
  EXPECT_EQ(menu.FindItem(CInterfaceSlot::ID_PC)->checked, 0);
  ASSERT_TRUE(Choose(CInterfaceSlot::ID_PC, CInterfaceSlot::IN_RS232, -1));
  CBaseDevice* pc = AtInput(CInterfaceSlot::IN_RS232);
  ASSERT_NE(pc, nullptr);
  EXPECT_EQ(pc->GetType(), DT_AUDIOINPUTDEVICE);
  EXPECT_EQ(pc->GetKind(), CAudioInputDevice::kKindPC);
  EXPECT_EQ(pc->GetName(), "PC");
  EXPECT_EQ(pc->GetCategory(), CAT_AUDIODEVICES);
  EXPECT_EQ(pc->GetBitmapID(), 233);
  EXPECT_EQ(pc->GetTextFlags(), 1);
  menu = MenuAt(CInterfaceSlot::IN_RS232, -1);
  EXPECT_EQ(menu.FindItem(CInterfaceSlot::ID_PC)->checked, 1);
  EXPECT_TRUE(menu.FindItem(CInterfaceSlot::ID_PC)->enabled);

  ASSERT_TRUE(Choose(CInterfaceSlot::ID_PC, CInterfaceSlot::IN_RS232, -1));
  EXPECT_FALSE(doc.Contains(pc));
  EXPECT_EQ(AtInput(CInterfaceSlot::IN_RS232), nullptr);
  EXPECT_EQ(doc.GetIDManager().GetCount(DT_AUDIOINPUTDEVICE), 0);
}

TEST_F(CInterfaceSlotTest, MonitorTogglesOnTheMonitorOutput) {
  ASSERT_TRUE(Choose(CInterfaceSlot::ID_MONITOR, -1, CInterfaceSlot::OUT_MONITOR));
  CBaseDevice* monitor = AtOutput(CInterfaceSlot::OUT_MONITOR);
  ASSERT_NE(monitor, nullptr);
  EXPECT_EQ(monitor->GetKind(), CAudioInputDevice::kKindMonitor);
  EXPECT_EQ(monitor->GetName(), "Monitor");
  EXPECT_EQ(monitor->GetBitmapID(), 212);
  EXPECT_EQ(monitor->GetTextFlags(), 3);
  EXPECT_EQ(monitor->GetInputSource(0), slot);
  EXPECT_EQ(MenuAt(-1, CInterfaceSlot::OUT_MONITOR).FindItem(CInterfaceSlot::ID_MONITOR)->checked, 1);
  ASSERT_TRUE(Choose(CInterfaceSlot::ID_MONITOR, -1, CInterfaceSlot::OUT_MONITOR));
  EXPECT_FALSE(doc.Contains(monitor));
  EXPECT_EQ(slot->FindOutputConnection(CInterfaceSlot::OUT_MONITOR), nullptr);
}

TEST_F(CInterfaceSlotTest, TheToggleUnplugsButKeepsAnObjectTheUserWired) {
  // The user drew a line from MONITOR to a pad of their own: the toggle
  // unplugs it but must not delete it.
  auto pad = std::make_unique<CControlPad>();
  ASSERT_TRUE(pad->Create(CControlPad::kKindDigitalInput, 1, 1, QStringLiteral("Door"), QRect(0, 0, 16, 12),
                          CAT_ENTRIES, 0, 9, &doc));
  CControlPad* door = doc.Adopt(std::move(pad));
  ASSERT_TRUE(CBaseDevice::Connect(slot, CInterfaceSlot::OUT_MONITOR, door, 0));
  EXPECT_TRUE(Choose(CInterfaceSlot::ID_MONITOR, -1, CInterfaceSlot::OUT_MONITOR));
  EXPECT_TRUE(doc.Contains(door));
  EXPECT_TRUE(door->GetInputConnections().empty());
  EXPECT_EQ(slot->FindOutputConnection(CInterfaceSlot::OUT_MONITOR), nullptr);
}

TEST_F(CInterfaceSlotTest, RemoteIsNeverEnabled) {
  for (int out = -1; out < CInterfaceSlot::kOutputs; ++out) {
    for (int in = -1; in < CInterfaceSlot::kInputs; ++in) {
      CCmdUI state(CInterfaceSlot::ID_REMOTE);
      slot->UpdatePinCommand(state, in, out);
      EXPECT_FALSE(state.IsEnabled()) << in << "/" << out;
    }
  }
  EXPECT_FALSE(slot->OnPinCommand(CInterfaceSlot::ID_REMOTE, -1, CInterfaceSlot::OUT_REMOTE));
}

TEST_F(CInterfaceSlotTest, APowerSupplyHangsOnThePowerInput) {
  ASSERT_TRUE(Choose(CInterfaceSlot::ID_RTP3012, CInterfaceSlot::IN_POWER, -1));
  auto* power = dynamic_cast<CAudioInputDevice*>(AtInput(CInterfaceSlot::IN_POWER));
  ASSERT_NE(power, nullptr);
  EXPECT_EQ(power->GetKind(), CAudioInputDevice::kKindRTP3012);
  EXPECT_EQ(power->GetName(), "Power Supply");
  EXPECT_EQ(power->GetInputCount(), 10);
  EXPECT_EQ(power->GetOutputCount(), 10);
  EXPECT_EQ(power->GetBitmapID(), 458);
  EXPECT_EQ(power->GetTextFlags(), 16);
  ASSERT_EQ(power->GetOutputConnections().size(), 1u);
  EXPECT_EQ(power->GetOutputConnections()[0].nOwnPin, 0);
  // The other model is now disabled on the occupied pin.
  CMenuData menu = MenuAt(CInterfaceSlot::IN_POWER, -1);
  EXPECT_FALSE(menu.FindItem(CInterfaceSlot::ID_RTP3004)->enabled);
  EXPECT_FALSE(menu.FindItem(CInterfaceSlot::ID_RTP3012)->enabled);
}

TEST_F(CInterfaceSlotTest, TheDialogsPowerSupplyRequestIsCarriedOut) {
  // Without the dialog, Properties is disabled and opens nothing.
  CCmdUI properties(ID_SHOW_PROPERTIES);
  slot->OnUpdateCommandUI(properties);
  EXPECT_FALSE(properties.IsEnabled());
  EXPECT_FALSE(slot->ShowProperties());

  int runs = 0;
  CInterfaceSlot::SetPropertiesDialogHook([&](CInterfaceSlot& shown) {
    EXPECT_EQ(&shown, slot);
    ++runs;
    return CInterfaceSlot::DialogOutcome{runs > 1, CInterfaceSlot::ID_RTP3004};
  });
  CCmdUI enabled(ID_SHOW_PROPERTIES);
  slot->OnUpdateCommandUI(enabled);
  EXPECT_TRUE(enabled.IsEnabled());
  EXPECT_FALSE(slot->ShowProperties());  // cancelled: nothing made
  EXPECT_EQ(AtInput(CInterfaceSlot::IN_POWER), nullptr);
  EXPECT_TRUE(slot->OnCommand(ID_SHOW_PROPERTIES));
  ASSERT_NE(AtInput(CInterfaceSlot::IN_POWER), nullptr);
  EXPECT_EQ(AtInput(CInterfaceSlot::IN_POWER)->GetKind(), CAudioInputDevice::kKindRTP3004);
  // A second request finds the pin taken.
  EXPECT_TRUE(slot->ShowProperties());
  EXPECT_EQ(doc.GetIDManager().GetCount(DT_AUDIOINPUTDEVICE), 1);
}

TEST_F(CInterfaceSlotTest, ObjectsGoIntoTheSlotsOwnDocument) {
  CSelvantisDoc other;
  other.OnNewDocument();
  SetActiveDoc(&other);
  ASSERT_TRUE(Choose(CInterfaceSlot::ID_PC, CInterfaceSlot::IN_RS232, -1));
  SetActiveDoc(nullptr);
  EXPECT_EQ(doc.GetIDManager().GetCount(DT_AUDIOINPUTDEVICE), 1);
  EXPECT_EQ(other.GetIDManager().GetCount(DT_AUDIOINPUTDEVICE), 0);
}

TEST_F(CInterfaceSlotTest, TheBlockIsNeverDeleted) {
  CMenuData menu = CMenuResources::Load(slot->GetMenuID());
  EXPECT_EQ(menu.FindItem(ID_DELETE_OBJECT), nullptr);
  CCmdUI state(ID_DELETE_OBJECT);
  slot->OnUpdateCommandUI(state);
  EXPECT_FALSE(state.IsEnabled());
  EXPECT_FALSE(slot->OnCommand(ID_DELETE_OBJECT));
  EXPECT_TRUE(doc.Contains(slot));
}

TEST_F(CInterfaceSlotTest, AFullPoolIsReportedOnceAndWiresNothing) {
  // Fill the audio devices' pool, then ask for a PC.
  MessageRecorder messages;
  std::vector<CBaseDevice*> made;
  for (;;) {
    auto device = std::make_unique<CAudioInputDevice>();
    if (!device->Create(CAudioInputDevice::kKindMonitor, 1, 1, QString(), QRect(), CAT_AUDIODEVICES, 0, 0, &doc)) break;
    made.push_back(doc.AddObject(std::move(device)));
    ASSERT_LT(made.size(), 10000u);
  }
  messages.Clear();
  EXPECT_FALSE(Choose(CInterfaceSlot::ID_PC, CInterfaceSlot::IN_RS232, -1));
  EXPECT_EQ(AtInput(CInterfaceSlot::IN_RS232), nullptr);
  EXPECT_FALSE(Choose(CInterfaceSlot::ID_RTP3004, CInterfaceSlot::IN_POWER, -1));
  EXPECT_EQ(AtInput(CInterfaceSlot::IN_POWER), nullptr);
  // The pool message, and no claim that memory ran out.
  EXPECT_EQ(messages.Requests().size(), 2u);
  EXPECT_FALSE(messages.SawText(QStringLiteral("Out of Memory")));
}

}  // namespace
