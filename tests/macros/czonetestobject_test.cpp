// The zone-test settings: parameters with their limits, the ZT objects they
// create and remove, the project file and the command lines.
#include "macros/czonetestobject.h"
#include "link/linkmode.h"
#include "logic/ccondition.h"
#include "logic/clogicout.h"
#include "macros/cmacro.h"
#include "macrotestobjects.h"
#include "model/cselvantisdoc.h"
#include "support/messagerecorder.h"
#include "support/recordinglink.h"
#include "support/tempprofile.h"
#include "unit/ccontrolpad.h"

#include <QDateTime>

#include <gtest/gtest.h>

#include <memory>

namespace {

class CZonetestObjectTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(doc.OnNewDocument());
    zt = CZonetestObject::Find(&doc);
    ASSERT_NE(zt, nullptr);
  }
  int AddPad() {
    auto pad = std::make_unique<CControlPad>();
    EXPECT_TRUE(pad->Create(CControlPad::kKindDigitalOutput, 1, 1, QString(), QRect(), CAT_ENTRIES, 0, 3, &doc));
    return doc.AddObject(std::move(pad))->GetID();
  }
  TempProfile profile;
  MessageRecorder messages;
  CSelvantisDoc doc;
  CZonetestObject* zt = nullptr;
};

TEST_F(CZonetestObjectTest, StartsWithEverythingOff) {
  EXPECT_EQ(zt->GetPath(), QStringLiteral("/SERVICE/ZONETEST"));
  for (int index : {1, 2, 3, 4, 5, 7, 8}) EXPECT_EQ(zt->GetParam(index), 0) << index;
}

TEST_F(CZonetestObjectTest, LineTestCreatesTheZtMacro) {
  zt->SetParam(CZonetestObject::P_LINETEST, 1);
  EXPECT_EQ(zt->GetParam(CZonetestObject::P_LINETEST), 1);
  std::vector<CBaseDevice*> macros;
  doc.GetIDManager().GetBaseDeviceListByKind(macros, DT_MACRO, CMacro::kKindLineTest);
  ASSERT_EQ(macros.size(), 1u);
  auto* macro = dynamic_cast<CMacro*>(macros[0]);
  EXPECT_EQ(macro->GetName(), QStringLiteral("ZT Line test"));
  EXPECT_EQ(macro->GetParam(CMacro::P_SWITCH), 1);
  EXPECT_EQ(macro->GetParam(CMacro::P_TEST_MODE), 1);
  // Switching it off and on again keeps the one macro.
  zt->SetParam(CZonetestObject::P_LINETEST, 0);
  zt->SetParam(CZonetestObject::P_LINETEST, 1);
  macros.clear();
  doc.GetIDManager().GetBaseDeviceListByKind(macros, DT_MACRO, CMacro::kKindLineTest);
  EXPECT_EQ(macros.size(), 1u);
}

TEST_F(CZonetestObjectTest, TimeAndConsolesAreKeptInRange) {
  zt->SetParam(CZonetestObject::P_TIME, 7 * 3600 + 30 * 60);
  EXPECT_EQ(zt->GetParam(CZonetestObject::P_TIME), 27000);
  const QDateTime at(QDate(2021, 6, 1), QTime(22, 15));
  zt->SetParam(CZonetestObject::P_TIME, static_cast<int>(at.toSecsSinceEpoch()));
  EXPECT_EQ(zt->GetParam(CZonetestObject::P_TIME), 22 * 3600 + 15 * 60);
  zt->SetParam(CZonetestObject::P_TIME, -5);
  EXPECT_EQ(zt->GetParam(CZonetestObject::P_TIME), 0);
  const std::pair<int, int> consoles[] = {{-1, -1}, {0, 0}, {16, 16}, {17, 0}, {-2, 0}, {3, 3}};
  for (const auto& [value, stored] : consoles) {
    zt->SetParam(CZonetestObject::P_LINE_CONS, value);
    EXPECT_EQ(zt->GetParam(CZonetestObject::P_LINE_CONS), stored) << value;
    zt->SetParam(CZonetestObject::P_IMP_CONS, value);
    EXPECT_EQ(zt->GetParam(CZonetestObject::P_IMP_CONS), stored) << value;
  }
}

TEST_F(CZonetestObjectTest, OutputCreatesALogicOutputThatFollowsTheTest) {
  const int pad = AddPad();
  zt->SetParam(CZonetestObject::P_OUTPUT, pad);
  const int outId = zt->GetParam(CZonetestObject::P_OUTPUT);
  ASSERT_GT(outId, 0);
  auto* out = dynamic_cast<CLogicOut*>(doc.GetIDManager().FindBaseDevice(outId, DT_LOGICOUT));
  ASSERT_NE(out, nullptr);
  EXPECT_EQ(out->GetName(), QStringLiteral("ZT Output"));
  EXPECT_EQ(out->GetValue(4), pad);
  EXPECT_EQ(zt->GetOutputPadID(), pad);
  const int conditionId = zt->GetParam(CZonetestObject::P_CONDITION);
  ASSERT_GT(conditionId, 0);
  EXPECT_EQ(out->GetValue(2), conditionId);
  const CBaseDevice* condition = doc.GetIDManager().FindBaseDevice(conditionId, DT_CONDITION);
  EXPECT_EQ(condition->GetName(), QStringLiteral("ZT Condition"));
  EXPECT_EQ(condition->GetKind(), CCondition::kKindMacro);
  // Another condition chosen: the output follows it.
  zt->SetParam(CZonetestObject::P_CONDITION, 9);
  EXPECT_EQ(out->GetValue(2), 9);
  // Both tests off: parameters 4 and 5 go to 0 and the ZT output goes.
  zt->SetParam(CZonetestObject::P_CONDITION, 0);
  zt->SetParam(CZonetestObject::P_OUTPUT, 0);
  EXPECT_EQ(zt->GetParam(CZonetestObject::P_OUTPUT), 0);
  EXPECT_EQ(zt->GetParam(CZonetestObject::P_CONDITION), 0);
  EXPECT_EQ(doc.GetIDManager().FindBaseDevice(outId, DT_LOGICOUT), nullptr);
}

TEST_F(CZonetestObjectTest, SettingsAndZtLinksSurviveTheProjectFile) {
  const int pad = AddPad();
  zt->SetParam(CZonetestObject::P_LINETEST, 1);
  zt->SetParam(CZonetestObject::P_TIME, 3600);
  zt->SetParam(CZonetestObject::P_LINE_CONS, -1);
  zt->SetParam(CZonetestObject::P_IMPTEST, 1);
  zt->SetParam(CZonetestObject::P_IMP_CONS, 2);
  zt->SetParam(CZonetestObject::P_OUTPUT, pad);
  CSelvantisDoc loaded;
  ASSERT_TRUE(LoadProject(loaded, SaveProject(doc)));
  CZonetestObject* copy = CZonetestObject::Find(&loaded);
  ASSERT_NE(copy, nullptr);
  for (int index : {1, 2, 3, 4, 5, 7, 8}) EXPECT_EQ(copy->GetParam(index), zt->GetParam(index)) << index;
  EXPECT_EQ(copy->GetOutputPadID(), pad);
}

TEST_F(CZonetestObjectTest, SendsSevenLinesAndTakesThemBack) {
  RecordingLink link;
  zt->SetParam(CZonetestObject::P_LINETEST, 1);
  zt->SetParam(CZonetestObject::P_TIME, 6 * 3600 + 5 * 60);
  zt->SetParam(CZonetestObject::P_LINE_CONS, -1);
  zt->SetParam(CZonetestObject::P_IMP_CONS, 3);
  ASSERT_EQ(zt->Download(false, -1), 7);
  for (int step = 0; step >= 0 && step < 7;) step = zt->Download(false, step);
  const QStringList expected = {"/SERVICE/ZONETEST/TEST/AUTO ON",  "/SERVICE/ZONETEST/TEST/TIME 06:05",
                                "/SERVICE/ZONETEST/TEST/CONS ALL", "/SERVICE/ZONETEST/IMP/AUTO OFF",
                                "/SERVICE/ZONETEST/IMP/CONS 3",    "/SERVICE/ZONETEST/MACRO 1",
                                "/SERVICE/ZONETEST/OUTPUT 0"};
  EXPECT_EQ(link.Lines(), expected);
  link.Clear();
  link.SetOutBufferCount(512);
  EXPECT_EQ(zt->Download(false, 2), 2);
  EXPECT_TRUE(link.Lines().isEmpty());

  QString errorFile;
  for (const char* line :
       {"/SERVICE/ZONETEST/TEST/AUTO OFF", "/SERVICE/ZONETEST/TEST/TIME 23:59", "/SERVICE/ZONETEST/TEST/CONS OFF",
        "/SERVICE/ZONETEST/IMP/AUTO ON", "/SERVICE/ZONETEST/IMP/CONS ALL"})
    EXPECT_TRUE(doc.RouteReplyLine(QLatin1String(line), errorFile, LINKMODE_UPLOAD)) << line;
  EXPECT_EQ(zt->GetParam(CZonetestObject::P_LINETEST), 0);
  EXPECT_EQ(zt->GetParam(CZonetestObject::P_TIME), 23 * 3600 + 59 * 60);
  EXPECT_EQ(zt->GetParam(CZonetestObject::P_LINE_CONS), 0);
  EXPECT_EQ(zt->GetParam(CZonetestObject::P_IMPTEST), 1);
  EXPECT_EQ(zt->GetParam(CZonetestObject::P_IMP_CONS), -1);
  EXPECT_FALSE(doc.RouteReplyLine(QStringLiteral("/SERVICE/ZONETEST/TEST/TIME 25:00"), errorFile, LINKMODE_UPLOAD));
  EXPECT_EQ(zt->GetParam(CZonetestObject::P_TIME), 23 * 3600 + 59 * 60);
}

}  // namespace
