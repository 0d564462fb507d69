#ifndef SELV_TESTS_UNIT_UI_INTERFACESLOTDLGFIXTURE_H
#define SELV_TESTS_UNIT_UI_INTERFACESLOTDLGFIXTURE_H

#include "model/cselvantisdoc.h"
#include "model/devicetype.h"
#include "support/messagerecorder.h"
#include "support/tempprofile.h"
#include "unit/cinterfaceslot.h"

#include <gtest/gtest.h>

#include <vector>

// A new project with its interface slot, nothing attached.
class InterfaceSlotDlgFixture : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(doc.OnNewDocument());
    slot = CInterfaceSlot::Find(&doc);
    ASSERT_NE(slot, nullptr);
  }

  CBaseDevice* AtInput(int pin) const {
    const ConnectionRecord* record = slot->FindInputConnection(pin);
    return record != nullptr ? record->pPeer : nullptr;
  }
  CBaseDevice* AtOutput(int pin) const {
    const ConnectionRecord* record = slot->FindOutputConnection(pin);
    return record != nullptr ? record->pPeer : nullptr;
  }
  int Count(int type) const {
    std::vector<CBaseDevice*> objects;
    doc.GetIDManager().GetBaseDeviceList(objects, type);
    return static_cast<int>(objects.size());
  }
  // Attaches through the slot's own pin command, as its menu does.
  CBaseDevice* AttachInput(int command, int pin) {
    EXPECT_TRUE(slot->OnPinCommand(command, pin, -1));
    return AtInput(pin);
  }
  CBaseDevice* AttachOutput(int command, int pin) {
    EXPECT_TRUE(slot->OnPinCommand(command, -1, pin));
    return AtOutput(pin);
  }

  TempProfile profile;
  MessageRecorder messages;
  CSelvantisDoc doc;
  CInterfaceSlot* slot = nullptr;
};

#endif
