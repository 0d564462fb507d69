#ifndef SELV_TESTS_ONLINE_ONLINETESTSUPPORT_H
#define SELV_TESTS_ONLINE_ONLINETESTSUPPORT_H

#include "model/cselvantisdoc.h"
#include "model/devicetype.h"
#include "support/recordinglink.h"
#include "unit/caudioinputslot.h"
#include "unit/cfuse.h"

#include <gtest/gtest.h>

// A new project as the active document, a recording link in place of the
// unit, off line until Connect.
class OnlineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_doc.OnNewDocument();
    SetActiveDoc(&m_doc);
  }
  void TearDown() override { SetActiveDoc(nullptr); }

  void Connect(bool on = true) {
    m_doc.SetConnected(on);
    m_link.SetConnected(on);
  }
  CFuse* Fuse() { return CFuse::Find(&m_doc); }
  CAudioInputSlot* InputSlot(int id) {
    return dynamic_cast<CAudioInputSlot*>(m_doc.GetIDManager().FindBaseDevice(id, DT_AUDIOINPUTSLOT));
  }

  CSelvantisDoc m_doc;
  RecordingLink m_link;
};

#endif
