// CMacro: creation, the parameter rules (clamps, texts, links), pairs, zone
// links, the project file and the command lines of every kind, and uploads
// that restore a macro from its own lines.
#include "macros/cmacro.h"
#include "link/linkmode.h"
#include "macros/calarmsignal.h"
#include "macros/cchimesignal.h"
#include "macros/cmessagesignal.h"
#include "macros/cvirtctrlitem.h"
#include "macrotestobjects.h"
#include "model/commandids.h"
#include "model/cselvantisdoc.h"
#include "support/messagerecorder.h"
#include "support/recordinglink.h"
#include "support/tempprofile.h"
#include "unit/ccontrolpad.h"

#include <QBuffer>
#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class CMacroTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(doc.OnNewDocument()); }

  CMacro* Make(int kind) {
    CMacro* macro = CMacro::CreateMacro(kind, doc);
    EXPECT_NE(macro, nullptr);
    return macro;
  }

  TempProfile profile;
  MessageRecorder messages;
  CSelvantisDoc doc;
};

TEST_F(CMacroTest, CreatesWithKindCaptionNameNextIdAndOwnPath) {
  CMacro* first = Make(CMacro::kKindAlarm);
  CMacro* second = Make(CMacro::kKindChime);
  EXPECT_EQ(first->GetID(), 1);
  EXPECT_EQ(first->GetName(), QStringLiteral("Alarm 1"));
  EXPECT_EQ(second->GetName(), QStringLiteral("Chime 2"));
  EXPECT_EQ(first->GetPath(), QStringLiteral("/MACRO/ENTRY1"));
  EXPECT_EQ(first->GetCategory(), CAT_MACROS);
  EXPECT_EQ(first->GetParamText(0), QStringLiteral("Alarm"));
  EXPECT_EQ(CMacro::CreateMacro(12345, doc), nullptr);
}

TEST_F(CMacroTest, PlaceholderTakesTheGivenIdAndIsNamedWithAStar) {
  CMacro* placeholder = CMacro::FindOrCreatePlaceholder(doc, 12);
  ASSERT_NE(placeholder, nullptr);
  EXPECT_EQ(placeholder->GetID(), 12);
  EXPECT_EQ(placeholder->GetName(), QStringLiteral("12 *"));
  EXPECT_EQ(placeholder->GetKind(), CMacro::kKindNoEntry);
  EXPECT_EQ(CMacro::FindOrCreatePlaceholder(doc, 12), placeholder);
  EXPECT_EQ(CMacro::FindOrCreatePlaceholder(doc, 0), nullptr);
  EXPECT_EQ(CMacro::FindOrCreatePlaceholder(doc, 251), nullptr);
  // Other subsystems create through the factory with the old kind code 14.
  CBaseDevice* viaFactory = doc.CreateObject(DT_MACRO, 14);
  ASSERT_NE(viaFactory, nullptr);
  EXPECT_EQ(viaFactory->GetKind(), CMacro::kKindNoEntry);
}

TEST_F(CMacroTest, PriorityOfAnOffMacroIsStoredOneAboveTheStep) {
  struct Row {
    int sw;
    int value;
    int stored;
  };
  const Row rows[] = {{0, 40, 41}, {0, 0, 1}, {0, 45, 45}, {1, 40, 40}, {1, 0, 0}, {0, 100, 101}};
  CMacro* macro = Make(CMacro::kKindAlarm);
  for (const Row& row : rows) {
    macro->SetParam(CMacro::P_SWITCH, row.sw);
    macro->SetParam(CMacro::P_PRIO, row.value);
    EXPECT_EQ(macro->GetParam(CMacro::P_PRIO), row.stored) << row.sw << " " << row.value;
  }
}

TEST_F(CMacroTest, StepsOfADownVirtualControllerMacroAreNegated) {
  CMacro* up = Make(CMacro::kKindVirtCtrl);
  CMacro* down = Make(CMacro::kKindVirtCtrl);
  CMacro* volume = Make(CMacro::kKindVolume);
  up->SetParam(CMacro::P_SWITCH, 1);
  down->SetParam(CMacro::P_SWITCH, 0);
  up->SetParam(CMacro::P_INC, 5);
  down->SetParam(CMacro::P_INC, 5);
  volume->SetParam(CMacro::P_INC, 1);
  EXPECT_EQ(up->GetParam(CMacro::P_INC), 5);
  EXPECT_EQ(down->GetParam(CMacro::P_INC), -5);
  EXPECT_EQ(down->GetParamText(CMacro::P_INC), QStringLiteral("-5"));
  EXPECT_EQ(volume->GetParam(CMacro::P_INC), 1);
}

TEST_F(CMacroTest, IntegerAndFloatParametersAreKeptInTheirRanges) {
  CMacro* macro = Make(CMacro::kKindBuzzer);
  const std::pair<int, int> ints[] = {{300, 255}, {-3, 0}, {17, 17}};
  for (const auto& [value, stored] : ints) {
    for (int index : {CMacro::P_BUZZ_REPEAT, CMacro::P_BUZZ_PAUSE}) {
      macro->SetParam(index, value);
      EXPECT_EQ(macro->GetParam(index), stored) << index << " " << value;
    }
  }
  macro->SetParam(CMacro::P_TEST_MODE, 7);
  EXPECT_EQ(macro->GetParam(CMacro::P_TEST_MODE), 1);
  macro->SetParam(CMacro::P_AMP_OFF, 0xFF);
  EXPECT_EQ(macro->GetParam(CMacro::P_AMP_OFF), 7);

  struct FloatRow {
    int index;
    float value;
    float stored;
  };
  const FloatRow floats[] = {{CMacro::P_PULSE, 500.0f, 300.0f},      {CMacro::P_PULSE, 0.05f, 0.0f},
                             {CMacro::P_PULSE, -1.0f, 0.0f},         {CMacro::P_PULSE, 0.1f, 0.1f},
                             {CMacro::P_STEP_DELAY, 400.0f, 300.0f}, {CMacro::P_STEP_DELAY + 4, -2.0f, 0.0f},
                             {CMacro::P_MAXTIME, 500.0f, 360.4f},    {CMacro::P_MAXTIME, -1.0f, 0.0f},
                             {CMacro::P_VC_VALUE, -12.25f, -12.25f}};
  for (const FloatRow& row : floats) {
    macro->SetParamFloat(row.index, row.value);
    EXPECT_FLOAT_EQ(macro->GetParamFloat(row.index), row.stored) << row.index << " " << row.value;
  }
  macro->SetParamText(CMacro::P_STEP_DELAY + 1, QStringLiteral("12.5"));
  EXPECT_EQ(macro->GetParamText(CMacro::P_STEP_DELAY + 1), QStringLiteral("12.5"));
  macro->SetParamText(CMacro::P_STEP_DELAY + 1, QStringLiteral("abc"));
  EXPECT_EQ(macro->GetParamText(CMacro::P_STEP_DELAY + 1), QStringLiteral("12.5"));
  macro->SetParamText(CMacro::P_STEP_DELAY + 1, QStringLiteral("999"));
  EXPECT_EQ(macro->GetParamText(CMacro::P_STEP_DELAY + 1), QStringLiteral("300.0"));
}

TEST_F(CMacroTest, ParameterTextsFollowTheKindAndTheStoredValues) {
  CMacro* alarm = Make(CMacro::kKindAlarm);
  alarm->SetParam(CMacro::P_SWITCH, 1);
  EXPECT_EQ(alarm->GetParamText(CMacro::P_SWITCH), QStringLiteral("ON"));
  alarm->SetParam(CMacro::P_ADDSUB, 1);
  EXPECT_EQ(alarm->GetParamText(CMacro::P_SWITCH), QStringLiteral("ADD"));
  alarm->SetParam(CMacro::P_SWITCH, 0);
  EXPECT_EQ(alarm->GetParamText(CMacro::P_SWITCH), QStringLiteral("SUB"));
  // Only the zone-switching kinds know ADD/SUB.
  CMacro* monitor = Make(CMacro::kKindMonitor);
  monitor->SetParam(CMacro::P_ADDSUB, 1);
  EXPECT_EQ(monitor->GetParamText(CMacro::P_SWITCH), QStringLiteral("OFF"));

  CMacro* amp = Make(CMacro::kKindAmpSupply);
  EXPECT_EQ(amp->GetParamText(CMacro::P_AMP_ON), QStringLiteral("NONE"));
  amp->SetParam(CMacro::P_AMP_ON, 1 | 2 | 8);
  EXPECT_EQ(amp->GetParamText(CMacro::P_AMP_ON), QStringLiteral("MAINS,BATT,FLTRES"));
  amp->SetParam(CMacro::P_AMP_OFF, 4);
  EXPECT_EQ(amp->GetParamText(CMacro::P_AMP_OFF), QStringLiteral("PLTGEN"));
  EXPECT_EQ(amp->GetParamText(CMacro::P_AMPS), QStringLiteral("No entry"));
  amp->SetParamText(CMacro::P_AMPS, QStringLiteral("All"));
  EXPECT_EQ(amp->GetParamText(CMacro::P_AMPS), QStringLiteral("All"));
  EXPECT_TRUE(amp->GetDownloadLines(false).contains(QStringLiteral("/MACRO/ENTRY3/PARAM/ADR ALL")));
  amp->SetParamText(CMacro::P_AMPS, QStringLiteral("1,3-5"));
  EXPECT_EQ(amp->GetParamText(CMacro::P_AMPS), QStringLiteral("1,3-5"));
  amp->SetParamText(CMacro::P_AMPS, QStringLiteral("No entry"));
  EXPECT_TRUE(amp->GetDownloadLines(false).contains(QStringLiteral("/MACRO/ENTRY3/PARAM/ADR NONE")));

  CMacro* test = Make(CMacro::kKindLineTest);
  test->SetParam(CMacro::P_TEST_MODE, 1);
  EXPECT_EQ(test->GetParamText(CMacro::P_TEST_MODE), QStringLiteral("TEST"));
  test->SetParam(CMacro::P_TEST_MODE, 0);
  EXPECT_EQ(test->GetParamText(CMacro::P_TEST_MODE), QStringLiteral("IMP"));

  CMacro* vc = Make(CMacro::kKindVirtCtrl);
  vc->SetParamFloat(CMacro::P_VC_VALUE, 1.5f);
  EXPECT_EQ(vc->GetParamText(CMacro::P_VC_VALUE), QStringLiteral("1.500000"));
  vc->SetParam(CMacro::P_VOLUME, -12);
  EXPECT_EQ(vc->GetParamText(CMacro::P_VOLUME), QStringLiteral("-12"));
}

TEST_F(CMacroTest, TextsAreCutForTheDisplayAndKeptOnOneLine) {
  CMacro* lcd = Make(CMacro::kKindLCDText);
  lcd->SetParamText(CMacro::P_TEXT, QStringLiteral("0123456789ABCDEFGHIJ"));
  EXPECT_EQ(lcd->GetParamText(CMacro::P_TEXT), QStringLiteral("0123456789ABCDEF"));
  CMacro* vc = Make(CMacro::kKindVirtCtrl);
  vc->SetParamText(CMacro::P_TEXT, QStringLiteral("Hall volume\r\n/PROTECT OFF"));
  // A controller's title is one display line as well.
  EXPECT_EQ(vc->GetParamText(CMacro::P_TEXT), QStringLiteral("Hall volume  /PR"));
  for (const QString& line : vc->GetDownloadLines(false)) EXPECT_FALSE(line.contains(QLatin1Char('\n')));

  CMacro* volume = Make(CMacro::kKindVolume);
  volume->SetParamText(CMacro::P_VOLSOURCE, QStringLiteral("in3"));
  EXPECT_EQ(volume->GetParamText(CMacro::P_VOLSOURCE), QStringLiteral("IN3"));
  volume->SetParamText(CMacro::P_VOLSOURCE, QStringLiteral("SPEAKER"));
  EXPECT_EQ(volume->GetParamText(CMacro::P_VOLSOURCE), QStringLiteral("IN3"));

  CMacro* record = Make(CMacro::kKindRecord);
  record->SetParamText(CMacro::P_QUALITY, QStringLiteral("10KHZ \u00B5-LAW"));
  EXPECT_EQ(record->GetParamText(CMacro::P_QUALITY), QStringLiteral("10KHZ \u00B5-LAW"));
  record->SetParamText(CMacro::P_QUALITY, QStringLiteral("MP3"));
  EXPECT_EQ(record->GetParamText(CMacro::P_QUALITY), QStringLiteral("10KHZ \u00B5-LAW"));
}

TEST_F(CMacroTest, LinksNameTheirObjectAndClearWhenItIsDeleted) {
  CMacro* alarm = Make(CMacro::kKindAlarm);
  auto* signal = dynamic_cast<CAlarmSignal*>(CAudioSignal::CreateSignal(CAudioSignal::kKindAlarm, doc));
  ASSERT_NE(signal, nullptr);
  alarm->SetParam(CMacro::P_ALARM_SIGNAL, signal->GetID());
  EXPECT_EQ(alarm->GetParam(CMacro::P_ALARM_SIGNAL), signal->GetID());
  EXPECT_EQ(alarm->GetParamText(CMacro::P_ALARM_SIGNAL), signal->GetName());
  // A chime signal with the same ID is not an alarm signal.
  CAudioSignal* chime = CAudioSignal::CreateSignal(CAudioSignal::kKindChime, doc);
  ASSERT_NE(chime, nullptr);
  alarm->SetParam(CMacro::P_ALARM_SIGNAL, 2);
  EXPECT_EQ(alarm->GetParam(CMacro::P_ALARM_SIGNAL), 0);
  alarm->SetParam(CMacro::P_ALARM_SIGNAL, signal->GetID());
  ASSERT_TRUE(signal->OnCommand(ID_DELETE_OBJECT));
  EXPECT_EQ(alarm->GetParam(CMacro::P_ALARM_SIGNAL), 0);
  EXPECT_EQ(alarm->GetParamText(CMacro::P_ALARM_SIGNAL), QString());
}

TEST_F(CMacroTest, StepMacrosAndConditionsThatDoNotExistBecomePlaceholders) {
  CMacro* sequence = Make(CMacro::kKindSequence);
  sequence->SetParam(CMacro::P_STEP_MACRO + 2, 20);
  sequence->SetParam(CMacro::P_STEP_CONDITION, 7);
  const CBaseDevice* step = doc.GetIDManager().FindBaseDevice(20, DT_MACRO);
  ASSERT_NE(step, nullptr);
  EXPECT_EQ(step->GetName(), QStringLiteral("20 *"));
  EXPECT_EQ(sequence->GetParamText(CMacro::P_STEP_MACRO + 2), QStringLiteral("20 *"));
  EXPECT_EQ(sequence->GetParam(CMacro::P_STEP_CONDITION), 7);
  EXPECT_NE(doc.GetIDManager().FindBaseDevice(7, DT_CONDITION), nullptr);
  sequence->SetParam(CMacro::P_STEP_MACRO + 2, 0);
  EXPECT_EQ(sequence->GetParam(CMacro::P_STEP_MACRO + 2), 0);
  // A memo flag that does not exist is not invented.
  CMacro* memo = Make(CMacro::kKindMemoFlag);
  memo->SetParam(CMacro::P_MEMO_FLAG, 3);
  EXPECT_EQ(memo->GetParam(CMacro::P_MEMO_FLAG), 0);
}

TEST_F(CMacroTest, ZoneTextIsTheRangeListOrAllForTheRootGroup) {
  CMacro* macro = Make(CMacro::kKindAlarm);
  EXPECT_EQ(macro->GetParamText(CMacro::P_ZONES), QStringLiteral("No entry"));
  EXPECT_EQ(macro->GetZoneText(), QStringLiteral("0"));
  std::vector<CBaseDevice*> zones;
  for (int id : {1, 2, 3, 7}) zones.push_back(AddTestObject(doc, DT_ZONE, id));
  zones.push_back(macro);  // not a zone: ignored
  macro->SetZones(zones);
  EXPECT_EQ(macro->GetZoneText(), QStringLiteral("1-3,7"));
  EXPECT_EQ(macro->GetParamText(CMacro::P_ZONES), QStringLiteral("1-3,7"));
  CBaseDevice* group = AddTestObject(doc, DT_GROUP, 4);
  macro->SetZones({zones[0], group});
  EXPECT_EQ(macro->GetZoneText(), QStringLiteral("1"));
  EXPECT_EQ(macro->GetGroupText(), QStringLiteral("4"));
  EXPECT_EQ(macro->GetParamText(CMacro::P_ZONES), QStringLiteral("1; G4"));
  CBaseDevice* root = AddTestObject(doc, DT_GROUP, 0);
  macro->SetZones({root, zones[1]});
  EXPECT_EQ(macro->GetZoneText(), QStringLiteral("ALL"));
  EXPECT_EQ(macro->GetParamText(CMacro::P_ZONES), QStringLiteral("All"));
  macro->SetZones({});
  EXPECT_EQ(macro->GetParamText(CMacro::P_ZONES), QStringLiteral("No entry"));
  EXPECT_TRUE(macro->GetInputConnections().empty());
}

TEST_F(CMacroTest, PairsAreMutualAndADeletedPartnerLeavesNoOneSidedPair) {
  CMacro* on = Make(CMacro::kKindAlarm);
  CMacro* off = Make(CMacro::kKindAlarm);
  CMacro::MakePair(*on, *off);
  EXPECT_EQ(on->GetParam(CMacro::P_PARTNER), off->GetID());
  EXPECT_EQ(off->GetPartner(), on);
  EXPECT_EQ(on->GetParamText(CMacro::P_PARTNER), off->GetName());
  const int offId = off->GetID();
  ASSERT_TRUE(off->OnCommand(ID_DELETE_OBJECT));
  EXPECT_EQ(on->GetParam(CMacro::P_PARTNER), 0);
  EXPECT_EQ(on->GetParamText(CMacro::P_PARTNER), QString());
  // The identifier comes back for an unrelated macro, which is no partner.
  CMacro* other = Make(CMacro::kKindChime);
  EXPECT_EQ(other->GetID(), offId);
  EXPECT_EQ(on->GetPartner(), nullptr);
}

TEST_F(CMacroTest, OneSidedPartnerIsNeitherMirroredNorChanged) {
  CMacro* a = Make(CMacro::kKindAlarm);
  CMacro* b = Make(CMacro::kKindAlarm);
  CMacro* c = Make(CMacro::kKindAlarm);
  CMacro::MakePair(*b, *c);
  a->SetParam(CMacro::P_PARTNER, b->GetID());  // a names b, b names c
  EXPECT_EQ(a->GetPartner(), nullptr);
  EXPECT_EQ(a->GetParamText(CMacro::P_PARTNER), QString());
  ASSERT_TRUE(a->OnCommand(ID_DELETE_OBJECT));
  EXPECT_EQ(b->GetParam(CMacro::P_PARTNER), c->GetID());
  EXPECT_EQ(c->GetPartner(), b);
}

TEST_F(CMacroTest, DeletingThroughTheDocumentAlsoClearsThePartner) {
  CMacro* on = Make(CMacro::kKindPage);
  CMacro* off = Make(CMacro::kKindPage);
  CMacro::MakePair(*on, *off);
  ASSERT_TRUE(doc.DeleteObject(on));
  EXPECT_EQ(off->GetParam(CMacro::P_PARTNER), 0);
}

TEST_F(CMacroTest, KindChangeDropsConnectionsAndThePairingOnBothSides) {
  CMacro* on = Make(CMacro::kKindAlarm);
  CMacro* off = Make(CMacro::kKindAlarm);
  CMacro::MakePair(*on, *off);
  on->SetZones({AddTestObject(doc, DT_ZONE, 5)});
  on->SetParam(CMacro::P_REPEAT_MACRO, off->GetID());
  on->SetParam(CMacro::P_PRIO, 90);
  on->SetParam(CMacro::P_KIND, CMacro::kKindAlarm);  // same kind: nothing happens
  EXPECT_EQ(on->GetPartner(), off);
  on->SetParam(CMacro::P_KIND, CMacro::kKindStop);
  EXPECT_EQ(on->GetKind(), CMacro::kKindStop);
  EXPECT_TRUE(on->GetInputConnections().empty());
  EXPECT_TRUE(on->GetOutputConnections().empty());
  EXPECT_TRUE(off->GetOutputConnections().empty());
  EXPECT_EQ(on->GetParam(CMacro::P_PARTNER), 0);
  EXPECT_EQ(off->GetParam(CMacro::P_PARTNER), 0);
  on->SetParam(CMacro::P_KIND, 999);  // not a kind
  EXPECT_EQ(on->GetKind(), CMacro::kKindStop);
}

TEST_F(CMacroTest, PartnerFollowsANewIdentifier) {
  CMacro* on = Make(CMacro::kKindVolume);
  CMacro* off = Make(CMacro::kKindVolume);
  CMacro::MakePair(*on, *off);
  ASSERT_EQ(on->ChangeID(40), 40);
  EXPECT_EQ(off->GetParam(CMacro::P_PARTNER), 40);
  EXPECT_EQ(off->GetPartner(), on);
  EXPECT_EQ(on->GetPath(), QStringLiteral("/MACRO/ENTRY40"));
}

TEST_F(CMacroTest, AlarmMacroSendsItsLinesInOrder) {
  CMacro* alarm = Make(CMacro::kKindAlarm);
  CAudioSignal* signal = CAudioSignal::CreateSignal(CAudioSignal::kKindAlarm, doc);
  alarm->SetParam(CMacro::P_SWITCH, 1);
  alarm->SetParam(CMacro::P_PRIO, 90);
  alarm->SetParam(CMacro::P_ALARM_SIGNAL, signal->GetID());
  std::vector<CBaseDevice*> zones;
  for (int id : {1, 2, 3, 7}) zones.push_back(AddTestObject(doc, DT_ZONE, id));
  alarm->SetZones(zones);
  const QStringList expected = {"/MACRO/ENTRY1/TYPE ALARM",       "/MACRO/ENTRY1/PARAM/PRIO 90",
                                "/MACRO/ENTRY1/PARAM/SWITCH ON",  "/MACRO/ENTRY1/PARAM/TYPE 1",
                                "/MACRO/ENTRY1/PARAM/ZONE 1-3,7", "/MACRO/ENTRY1/PARAM/GROUP 0"};
  EXPECT_EQ(alarm->GetDownloadLines(false), expected);
  const QStringList query = {"/MACRO/ENTRY1/TYPE ?",       "/MACRO/ENTRY1/PARAM/PRIO ?", "/MACRO/ENTRY1/PARAM/SWITCH ?",
                             "/MACRO/ENTRY1/PARAM/TYPE ?", "/MACRO/ENTRY1/PARAM/ZONE ?", "/MACRO/ENTRY1/PARAM/GROUP ?"};
  EXPECT_EQ(alarm->GetDownloadLines(true), query);
}

TEST_F(CMacroTest, OtherKindsSendTheirKeys) {
  CMacro* seq = Make(CMacro::kKindSequence);
  seq->SetParam(CMacro::P_STEP_MACRO, 1);
  seq->SetParamFloat(CMacro::P_STEP_DELAY, 2.5f);
  const QStringList lines = seq->GetDownloadLines(false);
  ASSERT_EQ(lines.size(), 16);
  EXPECT_EQ(lines[0], QStringLiteral("/MACRO/ENTRY1/TYPE SEQUENCE"));
  EXPECT_EQ(lines[1], QStringLiteral("/MACRO/ENTRY1/PARAM/STEP1/MACRO 1"));
  EXPECT_EQ(lines[2], QStringLiteral("/MACRO/ENTRY1/PARAM/STEP1/TIME 2.5"));
  EXPECT_EQ(lines[3], QStringLiteral("/MACRO/ENTRY1/PARAM/STEP1/CONDITION 0"));
  EXPECT_EQ(lines[15], QStringLiteral("/MACRO/ENTRY1/PARAM/STEP5/CONDITION 0"));

  CMacro* buzzer = Make(CMacro::kKindBuzzer);
  buzzer->SetParam(CMacro::P_TIME, 5);
  buzzer->SetParamText(CMacro::P_TEXT, QStringLiteral("X-X-"));
  EXPECT_EQ(
      buzzer->GetDownloadLines(false),
      QStringList({"/MACRO/ENTRY2/TYPE BUZZER", "/MACRO/ENTRY2/PARAM/ADDRESS 0", "/MACRO/ENTRY2/PARAM/TEXT X-X-",
                   "/MACRO/ENTRY2/PARAM/PTN_TIME 5", "/MACRO/ENTRY2/PARAM/REPEAT 0", "/MACRO/ENTRY2/PARAM/PAUSE 0"}));
  CMacro* empty = CMacro::FindOrCreatePlaceholder(doc, 9);
  EXPECT_EQ(empty->GetDownloadLines(false), QStringList({"/MACRO/ENTRY9/TYPE NONE"}));
  CMacro* memo = Make(CMacro::kKindMemoFlag);
  memo->SetParam(CMacro::P_MEMO_VALUE, 1);
  EXPECT_TRUE(memo->GetDownloadLines(false).contains(QStringLiteral("/MACRO/ENTRY3/PARAM/SET TRUE")));
}

// Sets every parameter any kind sends to a value that differs from its
// default, with the objects the links need.
void SetEverything(CSelvantisDoc& doc, CMacro& m) {
  CAudioSignal* alarm = CAudioSignal::CreateSignal(CAudioSignal::kKindAlarm, doc);
  CAudioSignal* chime = CAudioSignal::CreateSignal(CAudioSignal::kKindChime, doc);
  CAudioSignal* message = CAudioSignal::CreateSignal(CAudioSignal::kKindMessage, doc);
  CVirtCtrlItem* item = CVirtCtrlItem::CreateItem(doc);
  CBaseDevice* memo = AddTestObject(doc, DT_MEMOFLAG, 6);
  ASSERT_TRUE(alarm && chime && message && item && memo);
  m.SetParam(CMacro::P_SWITCH, 0);
  m.SetParam(CMacro::P_PRIO, 70);
  m.SetParam(CMacro::P_INPUT, 3);
  m.SetParam(CMacro::P_PRECHIME, chime->GetID());
  m.SetParamText(CMacro::P_VOLSOURCE, QStringLiteral("OUT2"));
  m.SetParam(CMacro::P_VOLUME, -20);
  m.SetParam(CMacro::P_INC, 4);
  m.SetParamText(CMacro::P_TEXT, QStringLiteral("Fire exit 2"));
  m.SetParamText(CMacro::P_UNIT, QStringLiteral("dB"));
  m.SetParam(CMacro::P_DIGITS, 2);
  m.SetParam(CMacro::P_MONI_NEXT, -1);
  m.SetParam(CMacro::P_MONI_TABLE, 17);
  m.SetParam(CMacro::P_ADDSUB, 1);
  m.SetParam(CMacro::P_LINE, 2);
  m.SetParam(CMacro::P_MEMO_VALUE, 1);
  m.SetParam(CMacro::P_CONDITION, 4);
  m.SetParam(CMacro::P_POWER_ON_MACRO, 30);
  m.SetParam(CMacro::P_POWER_OFF_MACRO, 31);
  m.SetParam(CMacro::P_MUTE, 1);
  m.SetParam(CMacro::P_ALARM_SIGNAL, alarm->GetID());
  m.SetParam(CMacro::P_CHIME_SIGNAL, chime->GetID());
  m.SetParam(CMacro::P_MESSAGE_SIGNAL, message->GetID());
  m.SetParamFloat(CMacro::P_PULSE, 12.5f);
  m.SetParamFloat(CMacro::P_VC_VALUE, -3.25f);
  m.SetParam(CMacro::P_VC_ITEM, item->GetID());
  m.SetParam(CMacro::P_CONSOLE, 3);
  m.SetParam(CMacro::P_TIME, 45);
  m.SetParam(CMacro::P_MEMO_FLAG, memo->GetID());
  for (int s = 0; s < CMacro::kSequenceSteps; ++s) {
    m.SetParam(CMacro::P_STEP_MACRO + s, 40 + s);
    m.SetParamFloat(CMacro::P_STEP_DELAY + s, 1.5f * static_cast<float>(s + 1));
    m.SetParam(CMacro::P_STEP_CONDITION + s, 10 + s);
  }
  m.SetParamText(CMacro::P_AMP_CHANNELS, QStringLiteral("1-4"));
  m.SetParamText(CMacro::P_AMPS, QStringLiteral("2,5"));
  m.SetParam(CMacro::P_AMP_ON, 9);
  m.SetParam(CMacro::P_AMP_OFF, 6);
  m.SetParam(CMacro::P_FILE, 12);
  m.SetParamText(CMacro::P_QUALITY, QStringLiteral("10KHZ \u00B5-LAW"));
  m.SetParamFloat(CMacro::P_MAXTIME, 120.5f);
  m.SetParam(CMacro::P_REPEAT_MACRO, 32);
  m.SetParam(CMacro::P_REPEAT_COUNT, 9);
  m.SetParamText(CMacro::P_CLOCK_TIME, QStringLiteral("07:45"));
  m.SetParam(CMacro::P_SET_TIME, 1);
  m.SetParam(CMacro::P_SET_RUN, 1);
  m.SetParam(CMacro::P_TEST_MODE, 1);
  m.SetParam(CMacro::P_BUZZ_REPEAT, 3);
  m.SetParam(CMacro::P_BUZZ_PAUSE, 8);
  m.SetZones({AddTestObject(doc, DT_ZONE, 2), AddTestObject(doc, DT_ZONE, 3), AddTestObject(doc, DT_GROUP, 5)});
}

class CMacroKindTest : public testing::TestWithParam<int> {
 protected:
  TempProfile profile;
  MessageRecorder messages;
};

TEST_P(CMacroKindTest, SavedLoadedAndUploadedMacroSendsTheSameLines) {
  const int kind = GetParam();
  CSelvantisDoc doc;
  ASSERT_TRUE(doc.OnNewDocument());
  CMacro* macro = CMacro::CreateMacro(kind, doc);
  ASSERT_NE(macro, nullptr);
  SetEverything(doc, *macro);
  const int id = macro->GetID();
  const QStringList lines = macro->GetDownloadLines(false);
  ASSERT_GE(lines.size(), 1);
  EXPECT_EQ(lines[0], macro->GetPath() + QStringLiteral("/TYPE ") + CMacro::KindKeyword(kind));

  // Project file.
  CSelvantisDoc loaded;
  ASSERT_TRUE(LoadProject(loaded, SaveProject(doc)));
  CMacro* copy = CMacro::Find(&loaded, id);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->GetKind(), kind);
  EXPECT_EQ(copy->GetName(), macro->GetName());
  EXPECT_EQ(copy->GetDownloadLines(false), lines);
  for (int index = 1; index < CMacro::P_COUNT; ++index) {
    EXPECT_EQ(copy->GetParam(index), macro->GetParam(index)) << "parameter " << index;
    EXPECT_EQ(copy->GetParamText(index), macro->GetParamText(index)) << "parameter " << index;
  }

  // Upload: a blank macro under the same identifier takes the lines back.
  ASSERT_TRUE(loaded.DeleteObject(copy));
  loaded.PurgeDeleted();
  CMacro* blank = CMacro::FindOrCreatePlaceholder(loaded, id);
  ASSERT_NE(blank, nullptr);
  QString errorFile;
  for (const QString& line : lines)
    EXPECT_TRUE(loaded.RouteReplyLine(line, errorFile, LINKMODE_UPLOAD)) << line.toStdString();
  EXPECT_EQ(blank->GetKind(), kind);
  EXPECT_EQ(blank->GetDownloadLines(false), lines);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, CMacroKindTest, testing::ValuesIn(CMacro::UserKinds()));

TEST_F(CMacroTest, UploadIsTakenOnlyInUploadModeAndIgnoresEchoesAndGarbage) {
  CMacro* macro = Make(CMacro::kKindStop);
  macro->SetParam(CMacro::P_SWITCH, 1);
  macro->SetParam(CMacro::P_PRIO, 50);
  QString errorFile;
  EXPECT_FALSE(doc.RouteReplyLine(QStringLiteral("/MACRO/ENTRY1/PARAM/PRIO 60"), errorFile, LINKMODE_NORMAL));
  EXPECT_EQ(macro->GetParam(CMacro::P_PRIO), 50);
  doc.RouteReplyLine(QStringLiteral("/MACRO/ENTRY1/PARAM/PRIO ?"), errorFile, LINKMODE_UPLOAD);
  doc.RouteReplyLine(QStringLiteral("/MACRO/ENTRY1/PARAM/PRIO loud"), errorFile, LINKMODE_UPLOAD);
  doc.RouteReplyLine(QStringLiteral("/MACRO/ENTRY1/PARAM/NOSUCHKEY 3"), errorFile, LINKMODE_UPLOAD);
  doc.RouteReplyLine(QStringLiteral("/MACRO/ENTRY1/TYPE SPACESHIP"), errorFile, LINKMODE_UPLOAD);
  EXPECT_EQ(macro->GetParam(CMacro::P_PRIO), 50);
  EXPECT_EQ(macro->GetKind(), CMacro::kKindStop);
  // The unit's priority is taken as it is, without the OFF-macro rule.
  macro->SetParam(CMacro::P_SWITCH, 0);
  EXPECT_TRUE(doc.RouteReplyLine(QStringLiteral("/MACRO/ENTRY1/PARAM/PRIO 60"), errorFile, LINKMODE_UPLOAD));
  EXPECT_EQ(macro->GetParam(CMacro::P_PRIO), 60);
}

TEST_F(CMacroTest, UploadedZonesThatTheProjectLacksGoToTheErrorFile) {
  QTemporaryDir dir;
  QString errorFile = dir.filePath(QStringLiteral("p.err"));
  CMacro* macro = Make(CMacro::kKindChime);
  AddTestObject(doc, DT_ZONE, 2);
  EXPECT_TRUE(doc.RouteReplyLine(QStringLiteral("/MACRO/ENTRY1/PARAM/ZONE 2,9"), errorFile, LINKMODE_UPLOAD));
  EXPECT_EQ(macro->GetZoneText(), QStringLiteral("2"));
  QFile file(errorFile);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll().contains("zone 9"));
  // A malformed range list changes nothing.
  EXPECT_FALSE(doc.RouteReplyLine(QStringLiteral("/MACRO/ENTRY1/PARAM/ZONE 2-x"), errorFile, LINKMODE_UPLOAD));
  EXPECT_EQ(macro->GetZoneText(), QStringLiteral("2"));
}

TEST_F(CMacroTest, UploadedKindChangeAsksForTheNewKindsParameters) {
  RecordingLink link;
  CMacro* macro = CMacro::FindOrCreatePlaceholder(doc, 5);
  QString errorFile;
  EXPECT_TRUE(doc.RouteReplyLine(QStringLiteral("/MACRO/ENTRY5/TYPE CHIME"), errorFile, LINKMODE_UPLOAD));
  EXPECT_EQ(macro->GetKind(), CMacro::kKindChime);
  EXPECT_EQ(link.Lines(), QStringList({"/MACRO/ENTRY5/PARAM/PRIO ?", "/MACRO/ENTRY5/PARAM/TYPE ?",
                                       "/MACRO/ENTRY5/PARAM/ZONE ?", "/MACRO/ENTRY5/PARAM/GROUP ?"}));
  link.Clear();
  EXPECT_TRUE(doc.RouteReplyLine(QStringLiteral("/MACRO/ENTRY5/TYPE CHIME"), errorFile, LINKMODE_UPLOAD));
  EXPECT_TRUE(link.Lines().isEmpty());
}

TEST_F(CMacroTest, DigitalOutputTravelsAsThePadsKeywordAndNumber) {
  QTemporaryDir dir;
  QString errorFile = dir.filePath(QStringLiteral("p.err"));
  CMacro* macro = Make(CMacro::kKindDigitalIO);
  auto pad = std::make_unique<CControlPad>();
  ASSERT_TRUE(pad->Create(CControlPad::kKindDigitalOutput, 1, 1, QString(), QRect(), CAT_ENTRIES, 0, 3, &doc));
  const int padId = doc.AddObject(std::move(pad))->GetID();
  macro->SetParam(CMacro::kPinDigitalOutput, padId);
  EXPECT_EQ(macro->GetParam(CMacro::kPinDigitalOutput), padId);
  EXPECT_TRUE(doc.RouteReplyLine(QStringLiteral("/MACRO/ENTRY1/PARAM/OUTPUT OFF"), errorFile, LINKMODE_UPLOAD));
  EXPECT_EQ(macro->GetParam(CMacro::kPinDigitalOutput), 0);
  EXPECT_TRUE(macro->GetDownloadLines(false).contains(QStringLiteral("/MACRO/ENTRY1/PARAM/OUTPUT OFF")));
  EXPECT_TRUE(doc.RouteReplyLine(QStringLiteral("/MACRO/ENTRY1/PARAM/OUTPUT KCM208 77"), errorFile, LINKMODE_UPLOAD));
  EXPECT_EQ(macro->GetParam(CMacro::kPinDigitalOutput), 0);
  QFile file(errorFile);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll().contains("KCM208 77"));
  EXPECT_FALSE(doc.RouteReplyLine(QStringLiteral("/MACRO/ENTRY1/PARAM/OUTPUT KCM208"), errorFile, LINKMODE_UPLOAD));
}

TEST_F(CMacroTest, TruncatedProjectIsRefused) {
  CMacro* macro = Make(CMacro::kKindRepeat);
  macro->SetParam(CMacro::P_REPEAT_COUNT, 65535);
  QByteArray bytes = SaveProject(doc);
  CSelvantisDoc truncated;
  ASSERT_TRUE(truncated.OnNewDocument());
  QBuffer buffer;
  bytes.chop(bytes.size() / 3);
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  EXPECT_FALSE(truncated.LoadFrom(buffer).ok);
}

}  // namespace
