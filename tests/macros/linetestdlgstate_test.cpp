// The buffered zone-test settings of the line test properties dialog: what
// it loads and lists, the switch rules it shares with the lower pane, and
// that Apply writes only what the user changed.
#include "macros/linetestdlgstate.h"
#include "logic/clogicout.h"
#include "macros/cmacro.h"
#include "macros/czonetestobject.h"
#include "macrotestobjects.h"
#include "model/cselvantisdoc.h"
#include "support/messagerecorder.h"
#include "support/tempprofile.h"
#include "unit/ccontrolpad.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class LineTestDlgStateTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(doc.OnNewDocument());
    zt = CZonetestObject::Find(&doc);
    ASSERT_NE(zt, nullptr);
  }
  int AddPad(int kind, const QString& name) {
    auto pad = std::make_unique<CControlPad>();
    EXPECT_TRUE(pad->Create(kind, 1, 1, name, QRect(), CAT_ENTRIES, 0, 3, &doc));
    return doc.AddObject(std::move(pad))->GetID();
  }
  int LineTestMacros() {
    std::vector<CBaseDevice*> macros;
    doc.GetIDManager().GetBaseDeviceListByKind(macros, DT_MACRO, CMacro::kKindLineTest);
    return static_cast<int>(macros.size());
  }

  TempProfile profile;
  MessageRecorder messages;
  CSelvantisDoc doc;
  CZonetestObject* zt = nullptr;
};

TEST_F(LineTestDlgStateTest, LoadsTheSettingsAndListsConsolesAndPads) {
  AddTestObject(doc, DT_CONSOLE, 2, "Desk B");
  AddTestObject(doc, DT_CONSOLE, 1, "Desk A");
  const int pad = AddPad(CControlPad::kKindDigitalOutput, "Relay");
  zt->SetParam(CZonetestObject::P_LINETEST, 1);
  zt->SetParam(CZonetestObject::P_TIME, 6 * 3600 + 30 * 60);
  zt->SetParam(CZonetestObject::P_LINE_CONS, 2);
  zt->SetParam(CZonetestObject::P_IMP_CONS, -1);
  zt->SetParam(CZonetestObject::P_OUTPUT, pad);

  LineTestDlgState state(&doc);
  ASSERT_TRUE(state.Load());
  EXPECT_TRUE(state.LineTest());
  EXPECT_FALSE(state.ImpedanceTest());
  EXPECT_EQ(state.Time(), 23400);
  ASSERT_EQ(state.Consoles().size(), 4u);
  EXPECT_EQ(state.Consoles()[1].data, -1);
  EXPECT_EQ(state.Consoles()[2].text, "Desk A");
  EXPECT_EQ(state.Consoles()[3].text, "Desk B");
  EXPECT_EQ(state.LineConsoleIndex(), 3);
  EXPECT_EQ(state.ImpedanceConsoleIndex(), 1);
  ASSERT_EQ(state.Outputs().size(), 2u);
  EXPECT_EQ(state.OutputPad(), pad);
  EXPECT_EQ(state.OutputIndex(), 1);
  EXPECT_FALSE(state.IsModified());
}

TEST_F(LineTestDlgStateTest, WithoutZonetestObjectNothingLoadsOrStores) {
  ASSERT_TRUE(doc.DeleteObject(zt));
  LineTestDlgState state(&doc);
  EXPECT_FALSE(state.HasObject());
  EXPECT_FALSE(state.Load());
  state.SetImpedanceTest(true);
  EXPECT_EQ(state.Apply(), LineTestDlgState::ApplyResult::NoObject);
  LineTestDlgState noDoc(nullptr);
  EXPECT_FALSE(noDoc.Load());
}

TEST_F(LineTestDlgStateTest, NothingChangedStoresNothing) {
  zt->SetParam(CZonetestObject::P_LINETEST, 1);
  zt->SetParam(CZonetestObject::P_TIME, 100);
  doc.SetModifiedFlag(false);
  LineTestDlgState state(&doc);
  ASSERT_TRUE(state.Load());
  // Switching off and on again puts the switch back; the console it reset
  // was "OFF" already.
  state.SetLineTest(false);
  state.SetLineTest(true);
  EXPECT_EQ(state.Apply(), LineTestDlgState::ApplyResult::Unchanged);
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(zt->GetParam(CZonetestObject::P_TIME), 100);
}

TEST_F(LineTestDlgStateTest, ApplyWritesOnlyTheChangedSetting) {
  // Values the lists do not offer (no such console, a pad of a kind that is
  // not switched by the test) must survive an OK that changed something else.
  const int foreignPad = AddPad(CControlPad::kKindSlaveClock, "Clock");
  zt->SetParam(CZonetestObject::P_LINETEST, 1);
  zt->SetParam(CZonetestObject::P_TIME, 6 * 3600 + 30 * 60 + 15);
  zt->SetParam(CZonetestObject::P_LINE_CONS, 5);
  zt->SetParam(CZonetestObject::P_OUTPUT, foreignPad);
  const int outputId = zt->GetParam(CZonetestObject::P_OUTPUT);
  doc.SetModifiedFlag(false);

  LineTestDlgState state(&doc);
  ASSERT_TRUE(state.Load());
  // Both are shown as rows of their own rather than as "OFF".
  ASSERT_EQ(state.Consoles().size(), 3u);
  EXPECT_EQ(state.LineConsoleIndex(), 2);
  EXPECT_EQ(state.Consoles()[2].text, "Console 5");
  ASSERT_EQ(state.Outputs().size(), 2u);
  EXPECT_EQ(state.OutputIndex(), 1);
  EXPECT_EQ(state.Outputs()[1].text, "Clock");

  state.ChooseImpedanceConsole(1);
  EXPECT_EQ(state.Apply(), LineTestDlgState::ApplyResult::Stored);
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(zt->GetParam(CZonetestObject::P_IMP_CONS), -1);
  EXPECT_EQ(zt->GetParam(CZonetestObject::P_TIME), 6 * 3600 + 30 * 60 + 15);
  EXPECT_EQ(zt->GetParam(CZonetestObject::P_LINE_CONS), 5);
  EXPECT_EQ(zt->GetParam(CZonetestObject::P_OUTPUT), outputId);
  EXPECT_EQ(zt->GetOutputPadID(), foreignPad);
  // A second Apply has nothing left to write.
  EXPECT_EQ(state.Apply(), LineTestDlgState::ApplyResult::Unchanged);
}

TEST_F(LineTestDlgStateTest, SwitchesEnableAndResetAsInTheLowerPane) {
  AddTestObject(doc, DT_CONSOLE, 1, "Desk");
  const int pad = AddPad(CControlPad::kKindDigitalOutput, "Relay");
  LineTestDlgState state(&doc);
  ASSERT_TRUE(state.Load());
  struct Row {
    bool line, impedance;
    bool output, time, lineConsoles, impedanceConsoles;
  };
  const Row rows[] = {{false, false, false, false, false, false},
                      {true, false, true, true, true, false},
                      {false, true, true, false, false, true},
                      {true, true, true, true, true, true}};
  for (const Row& row : rows) {
    state.SetLineTest(row.line);
    state.SetImpedanceTest(row.impedance);
    const auto enables = state.Enables();
    EXPECT_EQ(enables.output, row.output) << row.line << row.impedance;
    EXPECT_EQ(enables.time, row.time) << row.line << row.impedance;
    EXPECT_EQ(enables.lineConsoles, row.lineConsoles) << row.line << row.impedance;
    EXPECT_EQ(enables.impedanceConsoles, row.impedanceConsoles) << row.line << row.impedance;
  }

  // Both on, consoles and output chosen.
  state.ChooseLineConsole(2);
  state.ChooseImpedanceConsole(1);
  state.ChooseOutput(1);
  // Line test off while the impedance test still runs: the output stays.
  state.SetLineTest(false);
  EXPECT_EQ(state.LineConsole(), 0);
  EXPECT_EQ(state.ImpedanceConsole(), -1);
  EXPECT_EQ(state.OutputPad(), pad);
  // Impedance test off as well: the output goes back to "OFF".
  state.SetImpedanceTest(false);
  EXPECT_EQ(state.ImpedanceConsole(), 0);
  EXPECT_EQ(state.OutputPad(), 0);
  EXPECT_EQ(state.OutputIndex(), 0);
  // Rows outside the lists change nothing.
  state.ChooseOutput(7);
  state.ChooseLineConsole(-1);
  EXPECT_EQ(state.OutputPad(), 0);
  EXPECT_EQ(state.LineConsole(), 0);
}

TEST_F(LineTestDlgStateTest, SwitchingOnStoresTheTestAndItsObjects) {
  AddTestObject(doc, DT_CONSOLE, 1, "Desk");
  const int pad = AddPad(CControlPad::kKindDigitalOutput, "Relay");
  LineTestDlgState state(&doc);
  ASSERT_TRUE(state.Load());
  state.SetLineTest(true);
  state.SetTime(22 * 3600 + 5 * 60);
  state.ChooseLineConsole(2);
  state.ChooseOutput(1);
  // Nothing reaches the project before Apply.
  EXPECT_EQ(zt->GetParam(CZonetestObject::P_LINETEST), 0);
  EXPECT_EQ(LineTestMacros(), 0);
  EXPECT_EQ(state.Apply(), LineTestDlgState::ApplyResult::Stored);
  EXPECT_EQ(zt->GetParam(CZonetestObject::P_LINETEST), 1);
  EXPECT_EQ(zt->GetParam(CZonetestObject::P_TIME), 22 * 3600 + 5 * 60);
  EXPECT_EQ(zt->GetParam(CZonetestObject::P_LINE_CONS), 1);
  EXPECT_EQ(zt->GetOutputPadID(), pad);
  EXPECT_EQ(LineTestMacros(), 1);
  EXPECT_GT(zt->GetParam(CZonetestObject::P_CONDITION), 0);
}

TEST_F(LineTestDlgStateTest, SwitchingBothOffClearsTheOutputAndItsCondition) {
  const int pad = AddPad(CControlPad::kKindDigitalOutput, "Relay");
  zt->SetParam(CZonetestObject::P_LINETEST, 1);
  zt->SetParam(CZonetestObject::P_TIME, 3600);
  zt->SetParam(CZonetestObject::P_LINE_CONS, -1);
  zt->SetParam(CZonetestObject::P_IMPTEST, 1);
  zt->SetParam(CZonetestObject::P_IMP_CONS, -1);
  zt->SetParam(CZonetestObject::P_OUTPUT, pad);
  const int outputId = zt->GetParam(CZonetestObject::P_OUTPUT);
  ASSERT_GT(outputId, 0);

  LineTestDlgState state(&doc);
  ASSERT_TRUE(state.Load());
  state.SetLineTest(false);
  state.SetImpedanceTest(false);
  EXPECT_EQ(state.Apply(), LineTestDlgState::ApplyResult::Stored);
  for (int index : {1, 2, 3, 4, 5, 7, 8}) EXPECT_EQ(zt->GetParam(index), 0) << index;
  EXPECT_EQ(doc.GetIDManager().FindBaseDevice(outputId, DT_LOGICOUT), nullptr);
}

TEST_F(LineTestDlgStateTest, LineTestOffKeepsTheOutputOfTheImpedanceTest) {
  const int pad = AddPad(CControlPad::kKindDigitalOutput, "Relay");
  zt->SetParam(CZonetestObject::P_LINETEST, 1);
  zt->SetParam(CZonetestObject::P_TIME, 3600);
  zt->SetParam(CZonetestObject::P_IMPTEST, 1);
  zt->SetParam(CZonetestObject::P_OUTPUT, pad);
  const int condition = zt->GetParam(CZonetestObject::P_CONDITION);

  LineTestDlgState state(&doc);
  ASSERT_TRUE(state.Load());
  state.SetLineTest(false);
  EXPECT_EQ(state.Apply(), LineTestDlgState::ApplyResult::Stored);
  EXPECT_EQ(zt->GetParam(CZonetestObject::P_LINETEST), 0);
  EXPECT_EQ(zt->GetParam(CZonetestObject::P_TIME), 0);
  EXPECT_EQ(zt->GetOutputPadID(), pad);
  EXPECT_EQ(zt->GetParam(CZonetestObject::P_CONDITION), condition);
}

TEST_F(LineTestDlgStateTest, TimeRoundTripsThroughTheObjectAndStaysWithinTheDay) {
  zt->SetParam(CZonetestObject::P_LINETEST, 1);
  const std::pair<int, int> times[] = {{-60, 0},
                                       {6 * 3600 + 30 * 60, 6 * 3600 + 30 * 60},
                                       // A whole day or more would be read as a date by the object.
                                       {86400, 86399},
                                       {2000000000, 86399},
                                       {0, 0},
                                       {23 * 3600 + 59 * 60, 23 * 3600 + 59 * 60}};
  for (const auto& [set, stored] : times) {
    LineTestDlgState state(&doc);
    ASSERT_TRUE(state.Load());
    state.SetTime(set);
    EXPECT_EQ(state.Time(), stored) << set;
    state.Apply();
    EXPECT_EQ(zt->GetParam(CZonetestObject::P_TIME), stored) << set;
    LineTestDlgState reloaded(&doc);
    ASSERT_TRUE(reloaded.Load());
    EXPECT_EQ(reloaded.Time(), stored) << set;
  }
  EXPECT_EQ(zt->StepLine(1, false), "/SERVICE/ZONETEST/TEST/TIME 23:59");
}

TEST_F(LineTestDlgStateTest, TimeIsNotStoredWhileTheLineTestIsOff) {
  LineTestDlgState state(&doc);
  ASSERT_TRUE(state.Load());
  state.SetTime(3600);
  state.Apply();
  EXPECT_EQ(zt->GetParam(CZonetestObject::P_TIME), 0);
}

}  // namespace
