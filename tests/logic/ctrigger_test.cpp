// Triggers and the trigger block: the accessors and their clamp, the
// placeholders a trigger makes for missing conditions and macros, the step
// layout, the clear token, and an upload from the simulated unit.
#include "logic/ctrigger.h"
#include "link/linkmode.h"
#include "logic/ccondition.h"
#include "logic/ctriggerobject.h"
#include "logichandlers.h"
#include "logictestsupport.h"
#include "macros/cmacro.h"
#include "model/cprofile.h"
#include "support/recordinglink.h"
#include "support/simunitlink.h"
#include "support/tempprofile.h"
#include "unitsimulator.h"

#include <gtest/gtest.h>

namespace {

QString Param(const CTrigger& trigger, int param) {
  QString text;
  trigger.GetParamText(text, param);
  return text;
}

CTriggerObject* TriggerBlock(const CSelvantisDoc& doc) { return Find<CTriggerObject>(doc, DT_TRIGGEROBJECT, 1); }

TEST(CTriggerTest, DurationIsKeptWithinZeroAndTwentyFiveSeconds) {
  auto doc = NewProject();
  auto* trigger = MakeObject<CTrigger>(*doc, CTrigger::kKindTrigger);
  ASSERT_NE(trigger, nullptr);
  struct Row {
    float in;
    const char* text;
  };
  for (const Row& row : {Row{30.0f, "25.0"}, Row{-1.0f, "0.0"}, Row{2.25f, "2.2"}, Row{12.5f, "12.5"}}) {
    trigger->SetParamFloat(1, row.in);
    EXPECT_EQ(Param(*trigger, 1), QLatin1String(row.text)) << row.in;
  }
}

TEST(CTriggerTest, LinksShowNamesAndEmptyTextsWhenUnlinked) {
  auto doc = NewProject();
  auto* trigger = MakeObject<CTrigger>(*doc, CTrigger::kKindTrigger);
  auto* condition = MakeObjectWithID<CCondition>(*doc, CCondition::kKindFault, 5, CAT_ENTRIES, QStringLiteral("Fire"));
  ASSERT_NE(condition, nullptr);
  EXPECT_EQ(Param(*trigger, 0), "");
  EXPECT_EQ(Param(*trigger, 2), "");
  trigger->SetParam(0, 5);
  EXPECT_EQ(Param(*trigger, 0), "Fire");
  EXPECT_EQ(trigger->GetParam(0), 5);
  ASSERT_NE(trigger->FindInputConnection(CTrigger::kPinCondition), nullptr);
  trigger->SetParam(0, 0);
  EXPECT_EQ(Param(*trigger, 0), "");
  EXPECT_EQ(doc->GetIDManager().GetCount(DT_CONDITION), 1);
}

TEST(CTriggerTest, MissingConditionAndMacrosAreCreatedAsPlaceholders) {
  auto doc = NewProject();
  auto* trigger = MakeObject<CTrigger>(*doc, CTrigger::kKindTrigger);
  trigger->SetParam(0, 17);
  trigger->SetParam(2, 12);
  trigger->SetParam(3, 13);
  EXPECT_EQ(Param(*trigger, 0), "17 *");
  EXPECT_EQ(Param(*trigger, 2), "12 *");
  EXPECT_EQ(Param(*trigger, 3), "13 *");
  EXPECT_EQ(trigger->FindInputConnection(CTrigger::kPinOnMacro)->pPeer->GetType(), DT_MACRO);
  EXPECT_EQ(trigger->FindInputConnection(CTrigger::kPinOffMacro)->pPeer->GetID(), 13);
  // Beyond the pools nothing is linked.
  trigger->SetParam(0, 251);
  EXPECT_EQ(trigger->GetParam(0), 0);
}

TEST(CTriggerTest, ProjectFileKeepsDurationAndLinks) {
  auto doc = NewProject();
  auto* trigger = MakeObjectWithID<CTrigger>(*doc, CTrigger::kKindTrigger, 4, CAT_ENTRIES, QStringLiteral("T4"));
  MakeObjectWithID<CCondition>(*doc, CCondition::kKindFault, 2);
  trigger->SetParam(0, 2);
  trigger->SetParam(2, 30);
  trigger->SetParamFloat(1, 3.5f);
  auto loaded = RoundTrip(*doc);
  auto* copy = Find<CTrigger>(*loaded, DT_TRIGGER, 4);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->GetName(), "T4");
  EXPECT_FLOAT_EQ(copy->GetParamFloat(1), 3.5f);
  EXPECT_EQ(copy->GetParam(0), 2);
  EXPECT_EQ(copy->GetParam(2), 30);
  EXPECT_EQ(copy->GetParam(3), 0);
}

TEST(CTriggerObjectTest, TriggerThreeOwnsStepsNineToTwelve) {
  TempProfile profile;
  auto doc = NewProject();
  auto* trigger = MakeObjectWithID<CTrigger>(*doc, CTrigger::kKindTrigger, 3);
  MakeObjectWithID<CCondition>(*doc, CCondition::kKindFault, 6);
  trigger->SetParam(0, 6);
  trigger->SetParam(3, 40);
  trigger->SetParamFloat(1, 1.5f);
  CTriggerObject* block = TriggerBlock(*doc);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(block->GetPath(), "/TRIGGER");
  RecordingLink link;
  EXPECT_EQ(block->Download(false, -1), 401);
  for (int step = 9; step <= 12; ++step) EXPECT_EQ(block->Download(false, step), step + 1);
  EXPECT_EQ(link.TakeLines(), (QStringList{"/TRIGGER/TRG3/COND 6", "/TRIGGER/TRG3/TIME 1.5", "/TRIGGER/TRG3/ON 0",
                                           "/TRIGGER/TRG3/OFF 40"}));
  for (int step = 9; step <= 12; ++step) block->Download(true, step);
  EXPECT_EQ(link.TakeLines(),
            (QStringList{"/TRIGGER/TRG3/COND ?", "/TRIGGER/TRG3/TIME ?", "/TRIGGER/TRG3/ON ?", "/TRIGGER/TRG3/OFF ?"}));
  EXPECT_EQ(block->Download(false, 400), 401);
  EXPECT_EQ(block->Download(false, 401), -1);
}

TEST(CTriggerObjectTest, ClearTokenReplacesTheLinesOfMissingTriggers) {
  TempProfile profile;
  auto doc = NewProject();
  CTriggerObject* block = TriggerBlock(*doc);
  RecordingLink link;
  block->Download(false, -1);
  block->Download(false, 0);
  block->Download(false, 1);
  EXPECT_EQ(link.TakeLines(), QStringList{"/TRIGGER/TRG1/COND 0"});

  CProfile::WriteInt(QStringLiteral("VMX7000"), QStringLiteral("TRIGGER_CLR"), 1);
  block->Download(false, -1);
  block->Download(false, 0);
  block->Download(false, 1);
  EXPECT_EQ(link.TakeLines(), QStringList{"/TRIGGER TRIGGER_CLR"});
}

TEST(CTriggerObjectTest, FullOutputBufferRepeatsTheStep) {
  TempProfile profile;
  auto doc = NewProject();
  CTriggerObject* block = TriggerBlock(*doc);
  RecordingLink link;
  block->Download(false, -1);
  link.SetOutBufferCount(600);
  EXPECT_EQ(block->Download(false, 5), 5);
  EXPECT_TRUE(link.Lines().isEmpty());
}

TEST(CTriggerObjectTest, UploadFromTheSimulatedUnitRestoresTheTriggers) {
  TempProfile profile;
  auto source = NewProject();
  MakeObjectWithID<CCondition>(*source, CCondition::kKindFault, 6);
  auto* trigger = MakeObjectWithID<CTrigger>(*source, CTrigger::kKindTrigger, 3);
  trigger->SetParam(0, 6);
  trigger->SetParam(2, 21);
  trigger->SetParamFloat(1, 7.5f);

  SimUnitLink link(source.get(), RegisterLogicHandlers);
  ASSERT_TRUE(link.IsOpen());
  link.SetLinkMode(LINKMODE_DOWNLOAD);
  CTriggerObject* block = TriggerBlock(*source);
  const int count = block->Download(false, -1);
  for (int step = 0; step < count; step = block->Download(false, step)) {
  }

  auto target = NewProject();
  link.SetDocument(target.get());
  link.SetLinkMode(LINKMODE_UPLOAD);
  CTriggerObject* targetBlock = TriggerBlock(*target);
  targetBlock->Download(true, -1);
  for (int step = CTriggerObject::FirstStepOf(1); step <= 4 * 5; step = targetBlock->Download(true, step)) {
  }
  EXPECT_TRUE(link.Errors().isEmpty()) << link.Errors().join('\n').toStdString();
  auto* copy = Find<CTrigger>(*target, DT_TRIGGER, 3);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->GetParam(0), 6);
  EXPECT_EQ(copy->GetParam(2), 21);
  EXPECT_EQ(copy->GetParam(3), 0);
  EXPECT_FLOAT_EQ(copy->GetParamFloat(1), 7.5f);
  // The condition it names is there as a placeholder.
  EXPECT_NE(Find<CCondition>(*target, DT_CONDITION, 6), nullptr);
  EXPECT_EQ(target->GetIDManager().GetCount(DT_TRIGGER), 1);
}

}  // namespace
