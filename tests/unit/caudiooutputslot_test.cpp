// Audio output slots: output numbering, pin names, and the warning when an
// output feeds twenty amplifier inputs or more.
#include "unit/caudiooutputslot.h"
#include "model/cselvantisdoc.h"
#include "support/messagerecorder.h"
#include "support/projectbytes.h"

#include <gtest/gtest.h>

namespace {

// An amplifier stand-in with many inputs.
class COutputTestSink final : public CBaseDevice {
  SELV_DECLARE_SERIAL(COutputTestSink)

 public:
  COutputTestSink() { SetType(DT_AMPLIFIER); }
};

CAudioOutputSlot* OutputSlot(const CSelvantisDoc& doc, int id) {
  return dynamic_cast<CAudioOutputSlot*>(doc.GetIDManager().FindBaseDevice(id, DT_AUDIOOUTPUTSLOT));
}

TEST(CAudioOutputSlotTest, DefaultSystemHasSlotThreeAndFour) {
  CSelvantisDoc doc;
  doc.OnNewDocument();
  ASSERT_NE(OutputSlot(doc, 2), nullptr);
  EXPECT_EQ(OutputSlot(doc, 1)->GetName(), "Slot3");
  EXPECT_EQ(OutputSlot(doc, 2)->GetName(), "Slot4");
  EXPECT_EQ(OutputSlot(doc, 2)->GetOutputNumber(0), 3);
  EXPECT_EQ(OutputSlot(doc, 2)->GetOutputNumber(1), 4);
  EXPECT_EQ(OutputSlot(doc, 2)->GetOutputNumber(2), 0);
  EXPECT_EQ(OutputSlot(doc, 2)->GetPinNames(), (QStringList{"OUT3", "OUT4"}));
}

TEST(CAudioOutputSlotTest, WarnsFromTwentyConnectionsOn) {
  CSelvantisDoc doc;
  doc.OnNewDocument();
  CAudioOutputSlot* slot = OutputSlot(doc, 2);
  auto sink = std::make_unique<COutputTestSink>();
  ASSERT_TRUE(sink->CreateWithID(0, QStringLiteral("Amp"), 1, CAT_AMPLIFIERS, &doc));
  CBaseDevice* amp = doc.AddObject(std::move(sink));
  for (int i = 0; i < 19; ++i) CBaseDevice::Connect(slot, 0, amp, i);
  MessageRecorder messages;
  EXPECT_EQ(slot->WarnConnectionCount(0), 19);
  EXPECT_TRUE(messages.Requests().empty());
  CBaseDevice::Connect(slot, 0, amp, 19);
  EXPECT_EQ(slot->WarnConnectionCount(0), 20);
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_TRUE(messages.SawText(QStringLiteral("OUT3 is connected to 20 amplifier inputs")));
  EXPECT_EQ(slot->WarnConnectionCount(1), 0);
  EXPECT_EQ(slot->WarnConnectionCount(5), 0);
  EXPECT_EQ(messages.Requests().size(), 1u);
}

TEST(CAudioOutputSlotTest, ProjectFileKeepsPinNames) {
  CSelvantisDoc doc;
  doc.OnNewDocument();
  ASSERT_TRUE(OutputSlot(doc, 1)->SetPinName(1, QStringLiteral("Foyer")));
  EXPECT_FALSE(OutputSlot(doc, 1)->SetPinName(2, QStringLiteral("x")));
  CSelvantisDoc loaded;
  ASSERT_TRUE(LoadProject(loaded, SaveProject(doc)));
  EXPECT_EQ(OutputSlot(loaded, 1)->GetPinNames(), (QStringList{"OUT1", "Foyer"}));
  EXPECT_EQ(OutputSlot(loaded, 1)->GetOutputPinLabel(1), "Foyer");
}

}  // namespace

SELV_IMPLEMENT_SERIAL(COutputTestSink, 1)
