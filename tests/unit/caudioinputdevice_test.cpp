// Audio input devices: kinds, what the factory makes of each, and the
// project file.
#include "unit/caudioinputdevice.h"
#include "model/cselvantisdoc.h"
#include "support/projectbytes.h"

#include <gtest/gtest.h>

namespace {

TEST(CAudioInputDeviceTest, FactoryMakesEachKind) {
  CSelvantisDoc doc;
  doc.OnNewDocument();
  auto* ps = dynamic_cast<CAudioInputDevice*>(doc.CreateObject(DT_AUDIOINPUTDEVICE, CAudioInputDevice::kKindRTP3012));
  ASSERT_NE(ps, nullptr);
  EXPECT_TRUE(ps->IsPowerSupply());
  EXPECT_EQ(ps->GetInputCount(), 10);
  EXPECT_EQ(ps->GetOutputCount(), 10);
  EXPECT_EQ(ps->GetCategory(), CAT_AUDIODEVICES);
  auto* pc = dynamic_cast<CAudioInputDevice*>(doc.CreateObject(DT_AUDIOINPUTDEVICE, CAudioInputDevice::kKindPC));
  ASSERT_NE(pc, nullptr);
  EXPECT_FALSE(pc->IsPowerSupply());
  EXPECT_EQ(pc->GetName(), "PC");
  EXPECT_EQ(CAudioInputDevice::KindText(CAudioInputDevice::kKindRTP3004), "RTP3004");
  EXPECT_EQ(CAudioInputDevice::KindText(99), "");
}

TEST(CAudioInputDeviceTest, ProjectFileKeepsKindAndName) {
  CSelvantisDoc doc;
  doc.OnNewDocument();
  CBaseDevice* ps = doc.CreateObject(DT_AUDIOINPUTDEVICE, CAudioInputDevice::kKindRTP3004);
  ASSERT_NE(ps, nullptr);
  CSelvantisDoc loaded;
  ASSERT_TRUE(LoadProject(loaded, SaveProject(doc)));
  auto* copy = dynamic_cast<CAudioInputDevice*>(loaded.GetIDManager().FindBaseDevice(ps->GetID(), DT_AUDIOINPUTDEVICE));
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->GetKind(), CAudioInputDevice::kKindRTP3004);
  EXPECT_EQ(copy->GetName(), ps->GetName());
  EXPECT_EQ(copy->GetInputCount(), 10);
}

}  // namespace
