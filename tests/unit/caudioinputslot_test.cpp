// Audio input slots: input numbering, module kinds, levels kept within
// -80 .. 6 dB, their lines and the project file.
#include "unit/caudioinputslot.h"
#include "model/cselvantisdoc.h"
#include "support/projectbytes.h"
#include "support/recordinglink.h"

#include <gtest/gtest.h>

namespace {

CAudioInputSlot* Slot(const CSelvantisDoc& doc, int id) {
  return dynamic_cast<CAudioInputSlot*>(doc.GetIDManager().FindBaseDevice(id, DT_AUDIOINPUTSLOT));
}

QString Level(const CAudioInputSlot& slot, int input) {
  QString text;
  slot.GetParamText(text, 0, input);
  return text;
}

TEST(CAudioInputSlotTest, DefaultSystemHasSlotOneAndTwo) {
  CSelvantisDoc doc;
  doc.OnNewDocument();
  ASSERT_NE(Slot(doc, 1), nullptr);
  ASSERT_NE(Slot(doc, 2), nullptr);
  EXPECT_EQ(Slot(doc, 1)->GetName(), "Slot1");
  EXPECT_EQ(Slot(doc, 2)->GetName(), "Slot2");
  EXPECT_EQ(Slot(doc, 2)->GetInputNumber(0), 3);
  EXPECT_EQ(Slot(doc, 2)->GetInputNumber(1), 4);
  EXPECT_EQ(Slot(doc, 2)->GetInputNumber(2), 0);
}

TEST(CAudioInputSlotTest, LevelsAreKeptInRange) {
  CSelvantisDoc doc;
  doc.OnNewDocument();
  CAudioInputSlot* slot = Slot(doc, 1);
  struct Row {
    const char* text;
    const char* shown;
  };
  for (const Row& row : {Row{"-200", "-80.0"}, Row{"10", "6.0"}, Row{"-12.5", "-12.5"}, Row{"abc", "-12.5"}}) {
    slot->SetParamText(0, 1, QLatin1String(row.text));
    EXPECT_EQ(Level(*slot, 1), QLatin1String(row.shown)) << row.text;
  }
  EXPECT_EQ(Level(*slot, 0), "0.0");
  EXPECT_EQ(Level(*slot, 2), "");
  slot->SetParamText(1, 0, QStringLiteral("-3"));
  EXPECT_EQ(Level(*slot, 0), "0.0");
}

TEST(CAudioInputSlotTest, ModuleKindsAndReplies) {
  CSelvantisDoc doc;
  doc.OnNewDocument();
  CAudioInputSlot* slot = Slot(doc, 2);
  slot->SetModuleKind(0, CAudioInputSlot::MODULE_CONSOLE);
  slot->SetModuleKind(1, 9);
  EXPECT_EQ(slot->GetModuleKind(0), 1);
  EXPECT_EQ(slot->GetModuleKind(1), 0);
  EXPECT_TRUE(slot->ParseLevelReply(QStringLiteral("IN4/VOL"), QStringLiteral("-12.5")));
  EXPECT_FALSE(slot->ParseLevelReply(QStringLiteral("IN1/VOL"), QStringLiteral("-1")));
  EXPECT_FALSE(slot->ParseLevelReply(QStringLiteral("IN3/VOL"), QStringLiteral("loud")));
  EXPECT_EQ(Level(*slot, 1), "-12.5");

  RecordingLink link;
  EXPECT_EQ(slot->Download(false, -1), 2);
  slot->Download(false, 0);
  slot->Download(false, 1);
  EXPECT_EQ(slot->Download(false, 2), -1);
  EXPECT_EQ(link.TakeLines(), (QStringList{"/AUDIO/IN3/VOL 0.0", "/AUDIO/IN4/VOL -12.5"}));
  link.SetOutBufferCount(512);
  EXPECT_EQ(slot->Download(true, 0), 0);
}

TEST(CAudioInputSlotTest, ProjectFileKeepsKindsAndLevels) {
  CSelvantisDoc doc;
  doc.OnNewDocument();
  Slot(doc, 1)->SetModuleKind(1, CAudioInputSlot::MODULE_AUX);
  Slot(doc, 1)->SetLevel(0, -33.5f);
  CSelvantisDoc loaded;
  ASSERT_TRUE(LoadProject(loaded, SaveProject(doc)));
  ASSERT_NE(Slot(loaded, 1), nullptr);
  EXPECT_EQ(Slot(loaded, 1)->GetModuleKind(1), CAudioInputSlot::MODULE_AUX);
  EXPECT_EQ(Slot(loaded, 1)->GetModuleKind(0), CAudioInputSlot::MODULE_NONE);
  EXPECT_FLOAT_EQ(Slot(loaded, 1)->GetLevel(0), -33.5f);
  EXPECT_EQ(loaded.GetIDManager().GetCount(DT_AUDIOINPUTSLOT), 2);
}

}  // namespace
