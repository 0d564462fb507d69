#ifndef SELV_TESTS_UNIT_UI_DIGITALSLOTDLGFIXTURE_H
#define SELV_TESTS_UNIT_UI_DIGITALSLOTDLGFIXTURE_H

#include "model/cselvantisdoc.h"
#include "model/devicetype.h"
#include "support/messagerecorder.h"
#include "support/tempprofile.h"
#include "unit/ccontrolpad.h"
#include "unit/cdigitalslot.h"

#include <gtest/gtest.h>

#include <vector>

// A new project with its digital slot fitted and no pads.
class DigitalSlotDlgFixture : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(doc.OnNewDocument());
    slot = CDigitalSlot::Find(&doc);
    ASSERT_NE(slot, nullptr);
    ASSERT_TRUE(slot->IsFitted());
  }

  CControlPad* PadOnInput(int pin) const {
    const ConnectionRecord* record = slot->FindInputConnection(pin);
    return record != nullptr ? dynamic_cast<CControlPad*>(record->pPeer) : nullptr;
  }
  CControlPad* PadOnOutput(int pin) const {
    const ConnectionRecord* record = slot->FindOutputConnection(pin);
    return record != nullptr ? dynamic_cast<CControlPad*>(record->pPeer) : nullptr;
  }
  int Pads() const {
    std::vector<CBaseDevice*> pads;
    doc.GetIDManager().GetBaseDeviceList(pads, DT_CONTROLPAD);
    return static_cast<int>(pads.size());
  }

  TempProfile profile;
  MessageRecorder messages;
  CSelvantisDoc doc;
  CDigitalSlot* slot = nullptr;
};

#endif
