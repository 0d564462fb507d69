// Audio signals: values 1 and 2 with their limits, creation by kind, the
// wiring conventions, the project file and the command lines.
#include "link/linkmode.h"
#include "macros/calarmgenerator.h"
#include "macros/calarmsignal.h"
#include "macros/cchimesignal.h"
#include "macros/cgong.h"
#include "macros/cinternalmessagesignal.h"
#include "macros/cmacro.h"
#include "macros/cmessagesignal.h"
#include "macros/cmessagesource.h"
#include "macrotestobjects.h"
#include "model/commandids.h"
#include "model/cselectionprovider.h"
#include "model/cselvantisdoc.h"
#include "support/messagerecorder.h"
#include "support/recordinglink.h"
#include "support/tempprofile.h"

#include <gtest/gtest.h>

namespace {

class CAudioSignalTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(doc.OnNewDocument()); }
  TempProfile profile;
  MessageRecorder messages;
  CSelvantisDoc doc;
};

TEST_F(CAudioSignalTest, EachKindMakesItsClassWithItsDefaultPriority) {
  struct Row {
    int kind;
    int type;
    int priority;
  };
  const Row rows[] = {{CAudioSignal::kKindAlarm, DT_ALARMSIGNAL, 9},
                      {CAudioSignal::kKindChime, DT_CHIMESIGNAL, 7},
                      {CAudioSignal::kKindMessage, DT_MESSAGESIGNAL, 6},
                      {CAudioSignal::kKindText, DT_INTMESSAGESIGNAL, 6}};
  for (const Row& row : rows) {
    CAudioSignal* signal = CAudioSignal::CreateSignal(row.kind, doc);
    ASSERT_NE(signal, nullptr) << row.kind;
    EXPECT_EQ(signal->GetType(), row.type);
    EXPECT_EQ(signal->GetKind(), row.kind);
    EXPECT_EQ(signal->GetCategory(), CAT_MISC);
    EXPECT_EQ(signal->GetValueText(1), QString::number(row.priority));
  }
  EXPECT_EQ(CAudioSignal::CreateSignal(CMacro::kKindAlarm, doc), nullptr);
}

// The document's factory for a signal type makes that type's own kind when
// asked for another kind.
TEST_F(CAudioSignalTest, FactoryKeepsTheKindOfItsType) {
  struct Row {
    int type;
    int asked;
    int made;
  };
  const Row rows[] = {{DT_ALARMSIGNAL, CAudioSignal::kKindChime, CAudioSignal::kKindAlarm},
                      {DT_CHIMESIGNAL, CAudioSignal::kKindAlarm, CAudioSignal::kKindChime},
                      {DT_MESSAGESIGNAL, CAudioSignal::kKindText, CAudioSignal::kKindMessage},
                      {DT_INTMESSAGESIGNAL, CMacro::kKindAlarm, CAudioSignal::kKindText}};
  for (const auto& [type, asked, kind] : rows) {
    CBaseDevice* made = doc.CreateObject(type, asked);
    ASSERT_NE(dynamic_cast<CAudioSignal*>(made), nullptr) << type;
    EXPECT_EQ(made->GetType(), type);
    EXPECT_EQ(made->GetKind(), kind);
    EXPECT_EQ(made->GetInputCount(), 3);
    EXPECT_EQ(made->GetOutputCount(), 1);
  }
}

TEST_F(CAudioSignalTest, PriorityOutsideOneToTenBecomesOne) {
  CAudioSignal* signal = CAudioSignal::CreateSignal(CAudioSignal::kKindAlarm, doc);
  const std::pair<const char*, const char*> rows[] = {{"10", "10"}, {"1", "1"}, {"11", "1"},  {"0", "1"},
                                                      {"-4", "1"},  {"5", "5"}, {"loud", "1"}};
  for (const auto& [text, stored] : rows) {
    signal->SetValueText(1, QString::fromLatin1(text));
    EXPECT_EQ(signal->GetValueText(1), QString::fromLatin1(stored)) << text;
  }
  signal->SetValueText(2, QStringLiteral("3"));
  EXPECT_EQ(signal->GetValueText(2), QStringLiteral("3"));
  signal->SetValueText(2, QStringLiteral("x"));
  EXPECT_EQ(signal->GetValueText(2), QStringLiteral("3"));
  signal->SetValueText(2, QStringLiteral("-2"));
  EXPECT_EQ(signal->GetValueText(2), QStringLiteral("0"));
  EXPECT_EQ(signal->GetValueText(3), QString());
}

TEST_F(CAudioSignalTest, OwnWiringGoesWithoutUnlinkingTheMacrosThatPlayIt) {
  auto* signal = dynamic_cast<CAlarmSignal*>(CAudioSignal::CreateSignal(CAudioSignal::kKindAlarm, doc));
  CAlarmGenerator* generator = CAlarmGenerator::CreateIn(doc);
  CGong* gong = CGong::CreateIn(doc);
  CMacro* start = CMacro::CreateMacro(CMacro::kKindStop, doc);
  CMacro* player = CMacro::CreateMacro(CMacro::kKindAlarm, doc);
  ASSERT_TRUE(signal && generator && gong && start && player);
  signal->SetSource(generator);
  signal->SetSource(gong);  // a gong is no alarm source
  EXPECT_EQ(signal->GetSource(), nullptr);
  signal->SetSource(generator);
  signal->SetStartMacro(start);
  player->SetParam(CMacro::P_ALARM_SIGNAL, signal->GetID());
  EXPECT_EQ(signal->GetSource(), generator);
  EXPECT_EQ(signal->GetStartMacro(), start);
  EXPECT_EQ(signal->GetStopMacro(), nullptr);
  signal->RemoveOwnConnections();
  EXPECT_EQ(signal->GetSource(), nullptr);
  EXPECT_EQ(signal->GetStartMacro(), nullptr);
  EXPECT_EQ(player->GetParam(CMacro::P_ALARM_SIGNAL), signal->GetID());
  EXPECT_FALSE(signal->IsFedBySequence());
}

TEST_F(CAudioSignalTest, ProjectFileKeepsValuesAndWiring) {
  auto* signal = dynamic_cast<CMessageSignal*>(CAudioSignal::CreateSignal(CAudioSignal::kKindMessage, doc));
  CMessageSource* message = CMessageSource::CreateIn(doc);
  CMacro* stop = CMacro::CreateMacro(CMacro::kKindStop, doc);
  signal->SetValueText(1, QStringLiteral("4"));
  signal->SetValueText(2, QStringLiteral("17"));
  signal->SetSource(message);
  signal->SetStopMacro(stop);
  signal->Rename(QStringLiteral("Evacuation"), false);
  CSelvantisDoc loaded;
  ASSERT_TRUE(LoadProject(loaded, SaveProject(doc)));
  auto* copy = dynamic_cast<CMessageSignal*>(loaded.GetIDManager().FindBaseDevice(signal->GetID(), DT_MESSAGESIGNAL));
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->GetName(), QStringLiteral("Evacuation"));
  EXPECT_EQ(copy->GetValueText(1), QStringLiteral("4"));
  EXPECT_EQ(copy->GetValueText(2), QStringLiteral("17"));
  ASSERT_NE(copy->GetSource(), nullptr);
  EXPECT_EQ(copy->GetSource()->GetName(), message->GetName());
  ASSERT_NE(copy->GetStopMacro(), nullptr);
  EXPECT_EQ(copy->GetStopMacro()->GetID(), stop->GetID());
}

TEST_F(CAudioSignalTest, SendsItsSettingsAndTakesThemBack) {
  RecordingLink link;
  auto* signal = dynamic_cast<CMessageSignal*>(CAudioSignal::CreateSignal(CAudioSignal::kKindMessage, doc));
  CMacro* start = CMacro::CreateMacro(CMacro::kKindStop, doc);
  signal->SetValueText(2, QStringLiteral("5"));
  signal->SetStartMacro(start);
  const int count = signal->Download(false, -1);
  EXPECT_EQ(count, 5);
  for (int step = 0; step >= 0 && step < count;) step = signal->Download(false, step);
  const QStringList expected = {"/SIGNAL/MESSAGE1/PRIO 6", "/SIGNAL/MESSAGE1/SOURCE 0", "/SIGNAL/MESSAGE1/FILE 5",
                                "/SIGNAL/MESSAGE1/START_MAC 1", "/SIGNAL/MESSAGE1/STOP_MAC 0"};
  EXPECT_EQ(link.Lines(), expected);
  EXPECT_EQ(CAudioSignal::CreateSignal(CAudioSignal::kKindChime, doc)->Download(false, -1), 2);

  QString errorFile;
  for (const char* line : {"/SIGNAL/MESSAGE1/PRIO 8", "/SIGNAL/MESSAGE1/FILE 9", "/SIGNAL/MESSAGE1/START_MAC 0",
                           "/SIGNAL/MESSAGE1/STOP_MAC 12"})
    EXPECT_TRUE(doc.RouteReplyLine(QLatin1String(line), errorFile, LINKMODE_UPLOAD)) << line;
  EXPECT_EQ(signal->GetValueText(1), QStringLiteral("8"));
  EXPECT_EQ(signal->GetValueText(2), QStringLiteral("9"));
  EXPECT_EQ(signal->GetStartMacro(), nullptr);
  ASSERT_NE(signal->GetStopMacro(), nullptr);
  EXPECT_EQ(signal->GetStopMacro()->GetName(), QStringLiteral("12 *"));
  EXPECT_FALSE(doc.RouteReplyLine(QStringLiteral("/SIGNAL/MESSAGE1/PRIO x"), errorFile, LINKMODE_UPLOAD));
  EXPECT_EQ(signal->GetValueText(1), QStringLiteral("8"));
}

TEST_F(CAudioSignalTest, SelectionKindsListTheSignalsOfTheirKind) {
  CAudioSignal::CreateSignal(CAudioSignal::kKindAlarm, doc);
  CAudioSignal::CreateSignal(CAudioSignal::kKindAlarm, doc);
  CAudioSignal::CreateSignal(CAudioSignal::kKindChime, doc);
  SelectionRequest request;
  request.kind = CAudioSignal::kKindAlarm;
  EXPECT_EQ(CSelectionProvider::Global().ListChoices(&doc, request).choices.size(), 2u);
  request.kind = CAudioSignal::kKindChime;
  const SelectionList chimes = CSelectionProvider::Global().ListChoices(&doc, request);
  ASSERT_EQ(chimes.choices.size(), 1u);
  const CBaseDevice* chime = doc.GetIDManager().FindBaseDevice(1, DT_CHIMESIGNAL);
  ASSERT_NE(chime, nullptr);
  EXPECT_EQ(chimes.choices[0].columns, (QStringList{chime->GetName(), chime->GetIDString()}));
  EXPECT_EQ(chimes.choices[0].number, 1);
  EXPECT_EQ(chimes.choices[0].type, DT_CHIMESIGNAL);
  EXPECT_EQ(chimes.choices[0].value, 1);
  request.kind = CAudioSignal::kKindText;
  EXPECT_TRUE(CSelectionProvider::Global().ListChoices(&doc, request).choices.empty());
  request.kind = CMacro::kSelectMacroKind;
  EXPECT_EQ(CSelectionProvider::Global().ListChoices(&doc, request).choices.size(), CMacro::UserKinds().size());
}

}  // namespace
