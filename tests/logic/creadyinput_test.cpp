// Ready inputs and the global ready-input object: the list accessors and
// their clamps, the texts, the step layout and an upload from the
// simulated unit.
#include "logic/creadyinput.h"
#include "link/linkmode.h"
#include "logic/cglobalreadyinput.h"
#include "logichandlers.h"
#include "logictestsupport.h"
#include "model/cprofile.h"
#include "support/recordinglink.h"
#include "support/simunitlink.h"
#include "support/tempprofile.h"
#include "unit/ccontrolpad.h"

#include <gtest/gtest.h>

namespace {

CGlobalReadyInput* Global(const CSelvantisDoc& doc) { return Find<CGlobalReadyInput>(doc, DT_GLOBALREADYINPUT, 1); }

// Interface input INP2 (slot input pin 3).
CControlPad* MakeInterfaceInput(CSelvantisDoc& doc) {
  // A new project has its interface slot already.
  CBaseDevice* slot = doc.GetIDManager().FindBaseDevice(1, DT_INTERFACESLOT);
  if (slot == nullptr) slot = MakeTerminal(doc, DT_INTERFACESLOT, 1, CAT_SLOTS, QStringLiteral("Interface"));
  auto* pad = MakeObject<CControlPad>(doc, CControlPad::kKindInterfaceInput, CAT_ENTRIES, QStringLiteral("Door"));
  CBaseDevice::Connect(pad, 0, slot, 3);
  return pad;
}

TEST(CReadyInputTest, ColumnsWithAndWithoutAPad) {
  auto doc = NewProject();
  auto* input = MakeObject<CReadyInput>(*doc, CReadyInput::kKindReadyInput);
  ASSERT_NE(input, nullptr);
  EXPECT_EQ(Column(*input, 0), "");
  EXPECT_EQ(Column(*input, 1), "OFF");
  EXPECT_EQ(input->GetValue(2), 1);
  EXPECT_EQ(Column(*input, 3), "ON");
  EXPECT_EQ(Column(*input, 4), "OFF");
  EXPECT_EQ(Column(*input, 5), "1");
  EXPECT_EQ(Column(*input, 6), "0");
  EXPECT_EQ(Column(*input, 7), "");

  CControlPad* pad = MakeInterfaceInput(*doc);
  input->SetValue(0, pad->GetID());
  EXPECT_EQ(Column(*input, 0), "Door");
  EXPECT_EQ(Column(*input, 1), "INP");
  EXPECT_EQ(Column(*input, 2), "2");
  EXPECT_EQ(input->GetValue(2), 2);
}

TEST(CReadyInputTest, NumbersAreKeptInTheirRanges) {
  auto doc = NewProject();
  auto* input = MakeObject<CReadyInput>(*doc, CReadyInput::kKindReadyInput);
  struct Row {
    int column;
    const char* text;
    int expected;
  };
  const Row rows[] = {{6, "300", 255}, {6, "-4", 0}, {6, "17", 17}, {5, "0", 1}, {5, "19", 18}, {5, "7", 7}};
  for (const Row& row : rows) {
    input->SetColumnText(row.column, QLatin1String(row.text));
    EXPECT_EQ(input->GetValue(row.column), row.expected) << row.column << " " << row.text;
  }
  input->SetColumnText(6, QStringLiteral("abc"));
  EXPECT_EQ(input->GetValue(6), 17);
  input->SetValue(5, 40);
  EXPECT_EQ(input->GetValue(5), 18);
}

TEST(CReadyInputTest, ProjectFileKeepsEveryField) {
  auto doc = NewProject();
  CControlPad* pad = MakeInterfaceInput(*doc);
  auto* input = MakeObjectWithID<CReadyInput>(*doc, CReadyInput::kKindReadyInput, 12, CAT_ENTRIES, QStringLiteral("R"));
  input->SetValue(0, pad->GetID());
  input->SetValue(3, 0);
  input->SetValue(4, 1);
  input->SetValue(5, 9);
  input->SetValue(6, 200);
  Global(*doc)->SetColumnText(2 << 16 | 1, QStringLiteral("Door open"));
  Global(*doc)->SetColumnText(2, QStringLiteral("12.5"));
  auto loaded = RoundTrip(*doc);
  auto* copy = Find<CReadyInput>(*loaded, DT_READYINPUT, 12);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(Column(*copy, 0), "Door");
  EXPECT_EQ(copy->GetValue(3), 0);
  EXPECT_EQ(copy->GetValue(4), 1);
  EXPECT_EQ(copy->GetValue(5), 9);
  EXPECT_EQ(copy->GetValue(6), 200);
  EXPECT_EQ(Column(*Global(*loaded), 2 << 16 | 1), "Door open");
  EXPECT_EQ(Column(*Global(*loaded), 2), "12.5");
}

TEST(CGlobalReadyInputTest, TextsAndMaskTime) {
  auto doc = NewProject();
  CGlobalReadyInput* global = Global(*doc);
  ASSERT_NE(global, nullptr);
  EXPECT_EQ(global->GetTextCount(0), 18);
  EXPECT_EQ(global->GetTextCount(3), 5);
  EXPECT_EQ(Column(*global, 0 << 16 | 1), "Text1");
  EXPECT_EQ(Column(*global, 4 << 16 | 1), "Text5");
  EXPECT_FALSE(Column(*global, 17 << 16 | 1).isEmpty());
  EXPECT_EQ(Column(*global, 18 << 16 | 1), "");
  EXPECT_EQ(Column(*global, 2), "5.0");

  // The device texts are fixed.
  const QString device = Column(*global, 6 << 16 | 1);
  global->SetColumnText(6 << 16 | 1, QStringLiteral("mine"));
  EXPECT_EQ(Column(*global, 6 << 16 | 1), device);
  global->SetColumnText(1 << 16 | 1, QStringLiteral("Fire\r\ndoor"));
  EXPECT_EQ(Column(*global, 1 << 16 | 1), "Firedoor");

  global->SetColumnText(2, QStringLiteral("abc"));
  EXPECT_EQ(Column(*global, 2), "5.0");
  global->SetColumnText(2, QStringLiteral("-3"));
  EXPECT_EQ(Column(*global, 2), "0.0");
}

TEST(CGlobalReadyInputTest, ReadyInputThreeOwnsStepsNineteenToTwentyFour) {
  TempProfile profile;
  auto doc = NewProject();
  CControlPad* pad = MakeInterfaceInput(*doc);
  auto* input = MakeObjectWithID<CReadyInput>(*doc, CReadyInput::kKindReadyInput, 3);
  input->SetValue(0, pad->GetID());
  input->SetValue(4, 1);
  input->SetValue(5, 6);
  input->SetValue(6, 42);
  CGlobalReadyInput* global = Global(*doc);
  EXPECT_EQ(global->GetPath(), "/READYINP");
  RecordingLink link;
  EXPECT_EQ(global->Download(false, -1), 307);
  EXPECT_EQ(CGlobalReadyInput::FirstStepOf(3), 19);
  for (int step = 19; step <= 24; ++step) EXPECT_EQ(global->Download(false, step), step + 1);
  EXPECT_EQ(link.TakeLines(),
            (QStringList{"/READYINP/INP3/INPUT INP", "/READYINP/INP3/INPNR 2", "/READYINP/INP3/LEVEL ON",
                         "/READYINP/INP3/MASKED ON", "/READYINP/INP3/TEXT 6", "/READYINP/INP3/NR 42"}));
  for (int step = 0; step <= 6; ++step) global->Download(false, step);
  EXPECT_EQ(link.TakeLines(), (QStringList{"/READYINP/MASKTIME 5.0", "/READYINP/TEXT1 Text1", "/READYINP/TEXT2 Text2",
                                           "/READYINP/TEXT3 Text3", "/READYINP/TEXT4 Text4", "/READYINP/TEXT5 Text5"}));
  EXPECT_EQ(global->Download(false, 306), 307);
  EXPECT_EQ(global->Download(false, 307), -1);

  CProfile::WriteInt(QStringLiteral("VMX7000"), QStringLiteral("READYINP_CLR"), 1);
  global->Download(false, -1);
  global->Download(false, 0);
  global->Download(false, 7);
  EXPECT_EQ(link.TakeLines(), QStringList{"/READYINP READYINP_CLR"});
  link.SetOutBufferCount(512);
  EXPECT_EQ(global->Download(false, 1), 1);
}

TEST(CGlobalReadyInputTest, UploadFromTheSimulatedUnitRestoresInputsAndTexts) {
  TempProfile profile;
  auto source = NewProject();
  CControlPad* pad = MakeInterfaceInput(*source);
  auto* input = MakeObjectWithID<CReadyInput>(*source, CReadyInput::kKindReadyInput, 2);
  input->SetValue(0, pad->GetID());
  input->SetValue(3, 0);
  input->SetValue(5, 4);
  input->SetValue(6, 99);
  Global(*source)->SetColumnText(0 << 16 | 1, QStringLiteral("Main door"));
  Global(*source)->SetColumnText(2, QStringLiteral("7.5"));

  SimUnitLink link(source.get(), RegisterLogicHandlers);
  ASSERT_TRUE(link.IsOpen());
  link.SetLinkMode(LINKMODE_DOWNLOAD);
  CGlobalReadyInput* global = Global(*source);
  for (int step = global->Download(false, -1) * 0; step < 307; step = global->Download(false, step)) {
  }

  auto target = NewProject();
  CControlPad* targetPad = MakeInterfaceInput(*target);
  link.SetDocument(target.get());
  link.SetLinkMode(LINKMODE_UPLOAD);
  CGlobalReadyInput* targetGlobal = Global(*target);
  targetGlobal->Download(true, -1);
  for (int step = 0; step < 7 + 6 * 4; step = targetGlobal->Download(true, step)) {
  }
  EXPECT_TRUE(link.Errors().isEmpty()) << link.Errors().join('\n').toStdString();
  EXPECT_EQ(Column(*targetGlobal, 0 << 16 | 1), "Main door");
  EXPECT_EQ(Column(*targetGlobal, 2), "7.5");
  auto* copy = Find<CReadyInput>(*target, DT_READYINPUT, 2);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->GetValue(3), 0);
  EXPECT_EQ(copy->GetValue(5), 4);
  EXPECT_EQ(copy->GetValue(6), 99);
  EXPECT_EQ(Column(*copy, 0), targetPad->GetName());
  EXPECT_EQ(target->GetIDManager().GetCount(DT_READYINPUT), 1);
}

}  // namespace
