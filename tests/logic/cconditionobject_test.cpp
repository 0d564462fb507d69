// The condition block: its step layout, the exact lines of every condition
// kind, the clear token, a full output buffer, malformed replies, and a
// download to the simulated unit followed by an upload into an empty
// project.
#include "logic/cconditionobject.h"
#include "link/linkmode.h"
#include "logic/canalogcondition.h"
#include "logic/cbusycondition.h"
#include "logic/ccombinecondition.h"
#include "logic/ccondition.h"
#include "logic/cmemoflag.h"
#include "logichandlers.h"
#include "logictestsupport.h"
#include "model/cprofile.h"
#include "support/recordinglink.h"
#include "support/simunitlink.h"
#include "support/tempprofile.h"
#include "unit/ccontrolpad.h"
#include "unitsimulator.h"

#include <gtest/gtest.h>

namespace {

CConditionObject* ConditionBlock(const CSelvantisDoc& doc) { return Find<CConditionObject>(doc, DT_CONDITIONOBJECT, 1); }

// Runs a whole transfer as the lists do: prepare, then every step.
void RunAll(CBaseDevice& block, bool query, int selector) {
  const int count = block.Download(query, selector);
  for (int step = 0; step >= 0 && step < count;) {
    const int next = block.Download(query, step);
    ASSERT_NE(next, step) << "step " << step << " made no progress";
    step = next;
  }
}

// A KCM216 input pad wired to channel 3 of card 1 (its number 3).
CControlPad* MakeAnalogPad(CSelvantisDoc& doc) {
  auto* card = MakeTerminal(doc, DT_KCM216, 1, CAT_ENTRIES, QStringLiteral("KCM216"));
  auto* pad = MakeObject<CControlPad>(doc, CControlPad::kKindKCM216Input, CAT_ENTRIES, QStringLiteral("Level"));
  CBaseDevice::Connect(pad, 0, card, 2);
  return pad;
}

TEST(CConditionObjectTest, EverySelectorReturnsTheWholeStepCount) {
  auto doc = NewProject();
  CConditionObject* block = ConditionBlock(*doc);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(block->GetPath(), "/CONDITION");
  for (int selector : {-1, -2, -3, -4, -5, -9}) EXPECT_EQ(block->Download(false, selector), 374) << selector;
  EXPECT_EQ(block->Download(false, 374), -1);
}

TEST(CConditionObjectTest, EntriesSitAtTheirOffsets) {
  TempProfile profile;
  auto doc = NewProject();
  MakeObjectWithID<CAnalogCondition>(*doc, CAnalogCondition::kKindAnalog, 2);
  MakeObjectWithID<CBusyCondition>(*doc, CBusyCondition::kKindBusy, 1);
  MakeObjectWithID<CCombineCondition>(*doc, CCombineCondition::kKindCombine, 50);
  MakeObjectWithID<CCondition>(*doc, CCondition::kKindFault, 250);
  CConditionObject* block = ConditionBlock(*doc);
  RecordingLink link;
  struct Row {
    int step;
    const char* firstLine;
  };
  const Row rows[] = {{5, "/CONDITION/ANALOG2/INPUT OFF"},
                      {24, "/CONDITION/BUSY1/AUDIO OFF"},
                      {123, "/CONDITION/COMBINE50/LOGIC OFF"},
                      {373, "/CONDITION/COND250/TYPE FAULT"}};
  for (const Row& row : rows) {
    block->Download(false, -1);
    link.Clear();
    EXPECT_EQ(block->Download(false, row.step), row.step + 1);
    ASSERT_FALSE(link.Lines().isEmpty()) << row.step;
    EXPECT_EQ(link.Lines().first(), QLatin1String(row.firstLine));
  }
}

TEST(CConditionObjectTest, LinesOfEachConditionKind) {
  TempProfile profile;
  auto doc = NewProject();
  CControlPad* pad = MakeAnalogPad(*doc);
  auto* analog = MakeObjectWithID<CAnalogCondition>(*doc, CAnalogCondition::kKindAnalog, 1);
  analog->SetValue(0, pad->GetID());
  analog->SetColumnText(1, QStringLiteral("2.3"));
  analog->SetColumnText(2, QStringLiteral("7.5"));

  auto* busy = MakeObjectWithID<CBusyCondition>(*doc, CBusyCondition::kKindBusy, 3);
  busy->SetValue(0, static_cast<int>(CBusyCondition::kSourceAlarm | CBusyCondition::kSourcePage));
  busy->SetValue(2, 1);
  busy->SetColumnText(3, QStringLiteral("4"));
  busy->SetColumnText(5, QStringLiteral("OUT1,OUT3"));
  auto* zone = MakeTerminal(*doc, DT_ZONE, 5, CAT_ZONES, QStringLiteral("Hall"));
  auto* zone6 = MakeTerminal(*doc, DT_ZONE, 6, CAT_ZONES, QStringLiteral("Foyer"));
  auto* group = MakeTerminal(*doc, DT_GROUP, 2, CAT_GROUPS, QStringLiteral("Upstairs"));
  busy->SetZones({zone, zone6, group});

  auto* plain = MakeObjectWithID<CCondition>(*doc, CCondition::kKindMemoFlag, 8);
  plain->SetValue(4, 20);
  auto* combine = MakeObjectWithID<CCombineCondition>(*doc, CCombineCondition::kKindCombine, 2);
  combine->SetValue(0, IDS_FUNC_OR);
  combine->SetValue(3, 8);
  combine->SetValue(4, 1);

  auto* input = MakeObjectWithID<CCondition>(*doc, CCondition::kKindInput, 9);
  input->SetValue(4, pad->GetID());

  CConditionObject* block = ConditionBlock(*doc);
  RecordingLink link;
  block->Download(false, -1);
  block->Download(false, 4);
  EXPECT_EQ(link.TakeLines(), (QStringList{"/CONDITION/ANALOG1/INPUT KCM216IN", "/CONDITION/ANALOG1/INPNR 3",
                                           "/CONDITION/ANALOG1/MIN 2.3", "/CONDITION/ANALOG1/MAX 7.5"}));
  block->Download(false, 26);
  EXPECT_EQ(link.TakeLines(),
            (QStringList{"/CONDITION/BUSY3/AUDIO ALARM,PAGE", "/CONDITION/BUSY3/MATCH ON", "/CONDITION/BUSY3/PRIO 4",
                         "/CONDITION/BUSY3/ZONES 5-6", "/CONDITION/BUSY3/GROUPS 2", "/CONDITION/BUSY3/OUTPUT 1,3"}));
  block->Download(false, 75);
  EXPECT_EQ(link.TakeLines(),
            (QStringList{"/CONDITION/COMBINE2/LOGIC OR", "/CONDITION/COMBINE2/IN1 8", "/CONDITION/COMBINE2/INV1 OFF",
                         "/CONDITION/COMBINE2/IN2 0", "/CONDITION/COMBINE2/INV2 ON", "/CONDITION/COMBINE2/IN3 0",
                         "/CONDITION/COMBINE2/INV3 OFF", "/CONDITION/COMBINE2/IN4 0", "/CONDITION/COMBINE2/INV4 OFF"}));
  block->Download(false, 131);
  EXPECT_EQ(link.TakeLines(),
            (QStringList{"/CONDITION/COND8/TYPE MEMOFLAG", "/CONDITION/COND8/LEVEL ON", "/CONDITION/COND8/SOURCE 20"}));
  block->Download(false, 132);
  EXPECT_EQ(link.TakeLines(), (QStringList{"/CONDITION/COND9/TYPE INPUT", "/CONDITION/COND9/LEVEL ON",
                                           "/CONDITION/COND9/INPUT KCM216IN", "/CONDITION/COND9/SOURCE 3"}));
  block->Download(true, 132);
  EXPECT_EQ(link.TakeLines(), (QStringList{"/CONDITION/COND9/TYPE ?", "/CONDITION/COND9/LEVEL ?",
                                           "/CONDITION/COND9/INPUT ?", "/CONDITION/COND9/SOURCE ?"}));
}

TEST(CConditionObjectTest, ClearTokenOnlyForAWholeDownloadOnAUnitThatKnowsIt) {
  TempProfile profile;
  auto doc = NewProject();
  CConditionObject* block = ConditionBlock(*doc);
  RecordingLink link;

  // Without the capability: no clear, and a missing entry is switched off.
  block->Download(false, -1);
  block->Download(false, 0);
  block->Download(false, 124);
  EXPECT_EQ(link.TakeLines(), QStringList{"/CONDITION/COND1/TYPE OFF"});

  CProfile::WriteInt(QStringLiteral("VMX7000"), QStringLiteral("COND_CLR"), 1);
  block->Download(false, -1);
  block->Download(false, 0);
  block->Download(false, 124);
  EXPECT_EQ(link.TakeLines(), QStringList{"/CONDITION COND_CLR"});

  // Only plain conditions: clearing would erase the other kinds too.
  block->Download(false, -5);
  block->Download(false, 0);
  block->Download(false, 124);
  EXPECT_EQ(link.TakeLines(), QStringList{"/CONDITION/COND1/TYPE OFF"});

  // A query never clears.
  block->Download(true, -1);
  block->Download(true, 0);
  EXPECT_TRUE(link.TakeLines().isEmpty());
}

TEST(CConditionObjectTest, ClearTokenEmptiesTheSimulatedUnit) {
  TempProfile profile;
  CProfile::WriteInt(QStringLiteral("VMX7000"), QStringLiteral("COND_CLR"), 1);
  auto doc = NewProject();
  MakeObjectWithID<CCondition>(*doc, CCondition::kKindFault, 2);
  SimUnitLink link(doc.get(), RegisterLogicHandlers);
  ASSERT_TRUE(link.IsOpen());
  link.Sim().SetValue(QStringLiteral("/CONDITION/COND7/TYPE"), QStringLiteral("FAULT"));
  link.SetLinkMode(LINKMODE_DOWNLOAD);
  RunAll(*ConditionBlock(*doc), false, -1);
  EXPECT_FALSE(link.Sim().HasValue(QStringLiteral("/CONDITION/COND7/TYPE")));
  EXPECT_EQ(link.Sim().Value(QStringLiteral("/CONDITION/COND2/TYPE")), "FAULT");
  // After the clear only the project's entries went out.
  EXPECT_EQ(link.Sim().ReceivedCount(), 1 + 2);
}

TEST(CConditionObjectTest, SelectorLeavesTheOtherKindsOut) {
  TempProfile profile;
  auto doc = NewProject();
  MakeObjectWithID<CCondition>(*doc, CCondition::kKindFault, 1);
  MakeObjectWithID<CAnalogCondition>(*doc, CAnalogCondition::kKindAnalog, 1);
  CConditionObject* block = ConditionBlock(*doc);
  RecordingLink link;
  block->Download(false, -2);
  EXPECT_EQ(block->Download(false, 124), 125);
  EXPECT_TRUE(link.TakeLines().isEmpty());
  block->Download(false, 4);
  EXPECT_EQ(link.TakeLines().size(), 4);
}

TEST(CConditionObjectTest, FullOutputBufferRepeatsTheStepAndLosesNoLine) {
  TempProfile profile;
  auto doc = NewProject();
  MakeObjectWithID<CCombineCondition>(*doc, CCombineCondition::kKindCombine, 1);
  CConditionObject* block = ConditionBlock(*doc);
  RecordingLink link;
  block->Download(false, -1);
  link.SetOutBufferCount(512);
  EXPECT_EQ(block->Download(false, 74), 74);
  EXPECT_TRUE(link.Lines().isEmpty());
  link.SetOutBufferCount(511);
  EXPECT_EQ(block->Download(false, 74), 75);
  EXPECT_EQ(link.Lines().size(), 9);
}

TEST(CConditionObjectTest, MalformedRepliesChangeNothing) {
  auto doc = NewProject();
  auto* condition = MakeObjectWithID<CCondition>(*doc, CCondition::kKindFault, 3);
  CConditionObject* block = ConditionBlock(*doc);
  QString errors;
  for (const char* line : {"CONDITION/COND3/LEVEL maybe", "CONDITION/COND0/TYPE FAULT", "CONDITION/COND251/TYPE FAULT",
                           "CONDITION/COND3/COLOUR RED", "CONDITION/COND3", "CONDITION/COND3/TYPE BANANA",
                           "CONDITION/ANALOG21/INPUT INP", "CONDITION/COND3/LEVEL ?", "CONDITION/COND/TYPE FAULT"}) {
    EXPECT_FALSE(block->Upload(QLatin1String(line), errors, LINKMODE_UPLOAD)) << line;
  }
  EXPECT_EQ(condition->GetValue(2), 1);
  EXPECT_EQ(condition->GetKind(), CCondition::kKindFault);
  EXPECT_EQ(doc->GetIDManager().GetCount(DT_CONDITION), 1);
  // Outside an upload the unit's lines are echoes, not settings.
  EXPECT_FALSE(block->Upload(QStringLiteral("CONDITION/COND3/LEVEL OFF"), errors, LINKMODE_NORMAL));
  EXPECT_EQ(condition->GetValue(2), 1);
}

TEST(CConditionObjectTest, UploadFromTheSimulatedUnitRestoresEveryKind) {
  TempProfile profile;
  auto source = NewProject();
  CControlPad* pad = MakeAnalogPad(*source);
  MakeObjectWithID<CMemoFlag>(*source, CMemoFlag::kKindMemoFlag, 20, CAT_ENTRIES, QStringLiteral("F20"));
  auto* analog = MakeObjectWithID<CAnalogCondition>(*source, CAnalogCondition::kKindAnalog, 4);
  analog->SetValue(0, pad->GetID());
  analog->SetColumnText(1, QStringLiteral("1.5"));
  auto* busy = MakeObjectWithID<CBusyCondition>(*source, CBusyCondition::kKindBusy, 7);
  busy->SetValue(0, static_cast<int>(CBusyCondition::kSourceChime));
  busy->SetValue(3, 9);
  busy->SetColumnText(5, QStringLiteral("OUT4"));
  auto* plain = MakeObjectWithID<CCondition>(*source, CCondition::kKindMemoFlag, 8);
  plain->SetValue(4, 20);
  plain->SetValue(2, 0);
  auto* input = MakeObjectWithID<CCondition>(*source, CCondition::kKindInput, 9);
  input->SetValue(4, pad->GetID());
  auto* combine = MakeObjectWithID<CCombineCondition>(*source, CCombineCondition::kKindCombine, 2);
  combine->SetValue(0, IDS_FUNC_XOR);
  combine->SetValue(3, 8);
  combine->SetValue(5, 9);
  combine->SetValue(4, 1);

  SimUnitLink link(source.get(), RegisterLogicHandlers);
  ASSERT_TRUE(link.IsOpen()) << link.Errors().join('\n').toStdString();
  link.SetLinkMode(LINKMODE_DOWNLOAD);
  RunAll(*ConditionBlock(*source), false, -1);
  EXPECT_EQ(link.Sim().Value(QStringLiteral("/CONDITION/COND8/TYPE")), "MEMOFLAG");

  // A project that holds the same pad and flag but no condition.
  auto target = NewProject();
  CControlPad* targetPad = MakeAnalogPad(*target);
  MakeObjectWithID<CMemoFlag>(*target, CMemoFlag::kKindMemoFlag, 20, CAT_ENTRIES, QStringLiteral("F20"));
  link.SetDocument(target.get());
  link.SetLinkMode(LINKMODE_UPLOAD);
  RunAll(*ConditionBlock(*target), true, -1);
  EXPECT_TRUE(link.Errors().isEmpty()) << link.Errors().join('\n').toStdString();

  auto* a = Find<CAnalogCondition>(*target, DT_ANALOGCONDITION, 4);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->GetValue(0), targetPad->GetID());
  EXPECT_FLOAT_EQ(a->GetMinimum(), 1.5f);
  EXPECT_FLOAT_EQ(a->GetMaximum(), 10.0f);
  auto* b = Find<CBusyCondition>(*target, DT_BUSYCONDITION, 7);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->GetValue(0), static_cast<int>(CBusyCondition::kSourceChime));
  EXPECT_EQ(b->GetValue(3), 9);
  EXPECT_EQ(b->GetOutputs(), 8u);
  auto* p = Find<CCondition>(*target, DT_CONDITION, 8);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->GetKind(), CCondition::kKindMemoFlag);
  EXPECT_EQ(p->GetValue(2), 0);
  EXPECT_EQ(p->GetValue(4), 20);
  ASSERT_NE(p->GetSourceObject(), nullptr);
  auto* i = Find<CCondition>(*target, DT_CONDITION, 9);
  ASSERT_NE(i, nullptr);
  EXPECT_EQ(i->GetSourceObject(), targetPad);
  auto* c = Find<CCombineCondition>(*target, DT_COMBINECONDITION, 2);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->GetValue(0), static_cast<int>(IDS_FUNC_XOR));
  EXPECT_EQ(c->GetValue(3), 8);
  EXPECT_EQ(c->GetValue(5), 9);
  EXPECT_EQ(c->GetValue(4), 1);
  EXPECT_EQ(c->GetValue(2), 0);
  // Nothing else was made up from the unit's empty entries.
  EXPECT_EQ(target->GetIDManager().GetCount(DT_CONDITION), 2);
  EXPECT_EQ(target->GetIDManager().GetCount(DT_ANALOGCONDITION), 1);
  EXPECT_EQ(target->GetIDManager().GetCount(DT_BUSYCONDITION), 1);
  EXPECT_EQ(target->GetIDManager().GetCount(DT_COMBINECONDITION), 1);
}

}  // namespace
