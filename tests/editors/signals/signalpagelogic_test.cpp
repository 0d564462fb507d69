// The signal pages' logic: defaults, load and save of each kind, creation,
// and which signals the list shows with which source text.
#include "editors/signals/signalpagelogic.h"
#include "editors/signals/signallistlogic.h"
#include "macros/calarmgenerator.h"
#include "macros/calarmsignal.h"
#include "macros/cchimesignal.h"
#include "macros/cgong.h"
#include "macros/cmacro.h"
#include "macros/cmessagesignal.h"
#include "model/cselvantisdoc.h"
#include "support/messagerecorder.h"
#include "support/tempprofile.h"
#include "unit/cinternalmessagerec.h"

#include <gtest/gtest.h>

namespace {

class SignalPageLogicTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(doc.OnNewDocument());
    CInternalMessageRec::EnsureIn(doc);
  }
  TempProfile profile;
  MessageRecorder messages;
  CSelvantisDoc doc;
};

TEST_F(SignalPageLogicTest, DefaultsWithoutASignal) {
  EXPECT_EQ(SignalPageLogic(doc, CAudioSignal::kKindAlarm).Load(nullptr).priority, 9);
  EXPECT_EQ(SignalPageLogic(doc, CAudioSignal::kKindChime).Load(nullptr).priority, 7);
  SignalPageLogic message(doc, CAudioSignal::kKindMessage);
  const auto state = message.Load(nullptr);
  EXPECT_EQ(state.priority, 6);
  EXPECT_TRUE(state.bInternal);
  EXPECT_EQ(state.listRow, 0);
  EXPECT_EQ(message.ListTexts().value(0), "OFF");
  EXPECT_EQ(message.ListTexts().size(), CInternalMessageRec::kMessageCount + 1);
}

TEST_F(SignalPageLogicTest, AlarmWithoutGeneratorLoadsAsExternal) {
  CAlarmGenerator::CreateIn(doc);
  auto* signal = CAudioSignal::CreateSignal(CAudioSignal::kKindAlarm, doc);
  ASSERT_NE(signal, nullptr);
  signal->SetValueText(1, "4");
  SignalPageLogic logic(doc, CAudioSignal::kKindAlarm);
  const auto state = logic.Load(signal);
  EXPECT_FALSE(state.bInternal);
  EXPECT_EQ(state.listRow, -1);
  EXPECT_EQ(state.priority, 4);
}

TEST_F(SignalPageLogicTest, AlarmSaveWiresGeneratorAndMacrosAndLoadsBack) {
  CAlarmGenerator::CreateIn(doc);
  CAlarmGenerator* second = CAlarmGenerator::CreateIn(doc);
  CMacro* start = CMacro::CreateMacro(CMacro::kKindAlarm, doc);
  CMacro* stop = CMacro::CreateMacro(CMacro::kKindAlarm, doc);
  auto* signal = CAudioSignal::CreateSignal(CAudioSignal::kKindAlarm, doc);
  ASSERT_TRUE(second && start && stop && signal);
  SignalPageLogic logic(doc, CAudioSignal::kKindAlarm);
  ASSERT_EQ(logic.Sources().size(), 2u);
  ASSERT_GE(logic.Macros().size(), 2u);
  SignalPageLogic::State state;
  state.priority = 3;
  state.bInternal = true;
  state.listRow = 1;
  state.startMacro = 1 + int(std::find(logic.Macros().begin(), logic.Macros().end(), start) - logic.Macros().begin());
  state.stopMacro = 1 + int(std::find(logic.Macros().begin(), logic.Macros().end(), stop) - logic.Macros().begin());
  ASSERT_TRUE(logic.Save(signal, state));
  EXPECT_EQ(signal->GetValueText(1), "3");
  EXPECT_EQ(signal->GetSource(), second);
  EXPECT_EQ(signal->GetStartMacro(), start);
  EXPECT_EQ(signal->GetStopMacro(), stop);
  const auto back = logic.Load(signal);
  EXPECT_EQ(back.listRow, 1);
  EXPECT_EQ(back.startMacro, state.startMacro);
  EXPECT_EQ(back.stopMacro, state.stopMacro);
  EXPECT_EQ(SignalListLogic::SourceText(signal), second->GetName());
}

TEST_F(SignalPageLogicTest, ExternalAlarmWithMacrosOffKeepsNoConnection) {
  CAlarmGenerator* generator = CAlarmGenerator::CreateIn(doc);
  CMacro* start = CMacro::CreateMacro(CMacro::kKindAlarm, doc);
  auto* signal = CAudioSignal::CreateSignal(CAudioSignal::kKindAlarm, doc);
  signal->SetSource(generator);
  signal->SetStartMacro(start);
  SignalPageLogic logic(doc, CAudioSignal::kKindAlarm);
  ASSERT_TRUE(logic.Save(signal, SignalPageLogic::WithSource(logic.Load(signal), false)));
  SignalPageLogic::State state = SignalPageLogic::WithSource(logic.Load(signal), false);
  state.startMacro = 0;
  state.stopMacro = 0;
  logic.Save(signal, state);
  EXPECT_EQ(signal->GetSource(), nullptr);
  EXPECT_EQ(signal->GetStartMacro(), nullptr);
  EXPECT_EQ(signal->GetStopMacro(), nullptr);
  EXPECT_EQ(SignalListLogic::SourceText(signal), "Intern");
}

TEST_F(SignalPageLogicTest, MessageNumberFollowsRowAndSource) {
  auto* signal = CAudioSignal::CreateSignal(CAudioSignal::kKindMessage, doc);
  SignalPageLogic logic(doc, CAudioSignal::kKindMessage);
  SignalPageLogic::State state = logic.Load(signal);
  state.listRow = 3;
  logic.Save(signal, state);
  EXPECT_EQ(signal->GetValueText(2), "3");
  EXPECT_EQ(logic.Load(signal).listRow, 3);
  state.bInternal = false;
  logic.Save(signal, state);
  EXPECT_EQ(signal->GetValueText(2), "0");
}

TEST_F(SignalPageLogicTest, PriorityIsKeptWithinOneToTen) {
  auto* signal = CAudioSignal::CreateSignal(CAudioSignal::kKindChime, doc);
  SignalPageLogic logic(doc, CAudioSignal::kKindChime);
  SignalPageLogic::State state = logic.Load(signal);
  state.priority = 42;
  logic.Save(signal, state);
  EXPECT_EQ(signal->GetValueText(1), "10");
  state.priority = 0;
  logic.Save(signal, state);
  EXPECT_EQ(signal->GetValueText(1), "1");
}

TEST_F(SignalPageLogicTest, InternalTextSignalIsListedButNotChangedByTheMessagePage) {
  auto* text = CAudioSignal::CreateSignal(CAudioSignal::kKindText, doc);
  ASSERT_NE(text, nullptr);
  text->SetValueText(1, "2");
  EXPECT_TRUE(SignalListLogic::IsListed(text));
  EXPECT_EQ(SignalListLogic::PageOfKind(text->GetKind()), SignalListLogic::kPageMessage);
  SignalPageLogic logic(doc, CAudioSignal::kKindMessage);
  EXPECT_EQ(logic.Load(text).priority, 6);
  SignalPageLogic::State state;
  state.priority = 8;
  EXPECT_FALSE(logic.Save(text, state));
  EXPECT_EQ(text->GetValueText(1), "2");
}

TEST_F(SignalPageLogicTest, AlarmCreationNeedsAGenerator) {
  SignalPageLogic none(doc, CAudioSignal::kKindAlarm);
  EXPECT_EQ(none.Create(none.Load(nullptr)), nullptr);
  EXPECT_TRUE(messages.Saw(34274));
  CAlarmGenerator* generator = CAlarmGenerator::CreateIn(doc);
  SignalPageLogic logic(doc, CAudioSignal::kKindAlarm);
  CAudioSignal* made = logic.Create(logic.Load(nullptr));
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->GetKind(), CAudioSignal::kKindAlarm);
  EXPECT_EQ(made->GetValueText(1), "9");
  EXPECT_EQ(made->GetSource(), generator);
  EXPECT_TRUE(doc.Contains(made));
}

TEST_F(SignalPageLogicTest, ChimeAndMessageCreationNeedNoSource) {
  CAudioSignal* chime = SignalPageLogic(doc, CAudioSignal::kKindChime).Create({});
  CAudioSignal* message = SignalPageLogic(doc, CAudioSignal::kKindMessage).Create({});
  ASSERT_TRUE(chime && message);
  EXPECT_EQ(chime->GetValueText(1), "7");
  EXPECT_EQ(message->GetValueText(1), "6");
  EXPECT_FALSE(messages.Saw(34274));
}

}  // namespace
