// Logic outputs and their block: accessors, step layout, exact lines, and an
// upload that finds the pads by the unit's keyword and number.
#include "logic/clogicout.h"
#include "link/linkmode.h"
#include "logic/ccondition.h"
#include "logic/clogicoutobject.h"
#include "logichandlers.h"
#include "logictestsupport.h"
#include "support/recordinglink.h"
#include "support/simunitlink.h"
#include "support/tempprofile.h"
#include "unit/ccontrolpad.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

CLogicOutObject* LogicOutBlock(const CSelvantisDoc& doc) { return Find<CLogicOutObject>(doc, DT_LOGICOUTOBJECT, 1); }

TEST(CLogicOutTest, ColumnsAndValues) {
  auto doc = NewProject();
  CControlPad* pad = MakeOutputPad(*doc);
  MakeObjectWithID<CCondition>(*doc, CCondition::kKindFault, 3, CAT_ENTRIES, QStringLiteral("Alarm"));
  auto* out = MakeObject<CLogicOut>(*doc, CLogicOut::kKindLogicOut);
  ASSERT_NE(out, nullptr);
  EXPECT_EQ(Column(*out, 3), "OFF");
  EXPECT_EQ(Column(*out, 4), "");
  out->SetValue(4, pad->GetID());
  out->SetValue(2, 3);
  out->SetValue(3, 1);
  EXPECT_EQ(Column(*out, 2), "Alarm");
  EXPECT_EQ(Column(*out, 3), "ON");
  EXPECT_EQ(Column(*out, 4), "Siren");
  EXPECT_EQ(out->GetValue(4), pad->GetID());
  EXPECT_EQ(out->GetValue(3), 1);
  EXPECT_EQ(out->GetValue(2), 3);
  out->SetValue(4, 0);
  EXPECT_EQ(out->GetValue(4), 0);
}

TEST(CLogicOutTest, ProjectFileKeepsInvertAndLinks) {
  auto doc = NewProject();
  CControlPad* pad = MakeOutputPad(*doc);
  auto* out = MakeObjectWithID<CLogicOut>(*doc, CLogicOut::kKindLogicOut, 7, CAT_ENTRIES, QStringLiteral("L7"));
  out->SetValue(4, pad->GetID());
  out->SetValue(2, 9);  // a placeholder condition
  out->SetValue(3, 1);
  auto loaded = RoundTrip(*doc);
  auto* copy = Find<CLogicOut>(*loaded, DT_LOGICOUT, 7);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->GetValue(3), 1);
  EXPECT_EQ(copy->GetValue(2), 9);
  EXPECT_EQ(copy->GetValue(4), pad->GetID());
  EXPECT_EQ(Column(*copy, 2), "9 *");
}

TEST(CLogicOutObjectTest, LogicOutputFiveOwnsStepsSeventeenToTwenty) {
  TempProfile profile;
  auto doc = NewProject();
  CControlPad* pad = MakeOutputPad(*doc);
  auto* out = MakeObjectWithID<CLogicOut>(*doc, CLogicOut::kKindLogicOut, 5);
  out->SetValue(4, pad->GetID());
  out->SetValue(2, 12);
  CLogicOutObject* block = LogicOutBlock(*doc);
  ASSERT_NE(block, nullptr);
  RecordingLink link;
  EXPECT_EQ(block->Download(false, -1), 1001);
  EXPECT_EQ(block->Download(false, 0), 1);
  EXPECT_TRUE(link.Lines().isEmpty());
  for (int step = 17; step <= 20; ++step) EXPECT_EQ(block->Download(false, step), step + 1);
  EXPECT_EQ(link.TakeLines(), (QStringList{"/LOGICOUT/OUT5/OUTPUT DIGOUT", "/LOGICOUT/OUT5/OUTNR 5",
                                           "/LOGICOUT/OUT5/COND 12", "/LOGICOUT/OUT5/INVERT OFF"}));
  // An output the project lacks is switched off, nothing more.
  for (int step = 1; step <= 4; ++step) block->Download(false, step);
  EXPECT_EQ(link.TakeLines(), QStringList{"/LOGICOUT/OUT1/OUTPUT OFF"});
  EXPECT_EQ(block->Download(false, 1001), -1);
  link.SetOutBufferCount(512);
  EXPECT_EQ(block->Download(false, 17), 17);
}

TEST(CLogicOutObjectTest, UploadFindsThePadByKeywordAndNumber) {
  TempProfile profile;
  auto source = NewProject();
  CControlPad* pad = MakeOutputPad(*source);
  auto* out = MakeObjectWithID<CLogicOut>(*source, CLogicOut::kKindLogicOut, 2);
  MakeObjectWithID<CCondition>(*source, CCondition::kKindFault, 7, CAT_ENTRIES, QStringLiteral("Fault"));
  out->SetValue(4, pad->GetID());
  out->SetValue(3, 1);
  out->SetValue(2, 7);
  SimUnitLink link(source.get(), RegisterLogicHandlers);
  ASSERT_TRUE(link.IsOpen());
  link.SetLinkMode(LINKMODE_DOWNLOAD);
  CLogicOutObject* block = LogicOutBlock(*source);
  block->Download(false, -1);
  for (int step = 1; step <= 12; ++step) block->Download(false, step);

  auto target = NewProject();
  CControlPad* targetPad = MakeOutputPad(*target);
  MakeObjectWithID<CCondition>(*target, CCondition::kKindFault, 7, CAT_ENTRIES, QStringLiteral("Fault"));
  link.SetDocument(target.get());
  link.SetLinkMode(LINKMODE_UPLOAD);
  CLogicOutObject* targetBlock = LogicOutBlock(*target);
  targetBlock->Download(true, -1);
  for (int step = 1; step <= 12; ++step) targetBlock->Download(true, step);
  auto* copy = Find<CLogicOut>(*target, DT_LOGICOUT, 2);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->GetValue(4), targetPad->GetID());
  EXPECT_EQ(copy->GetValue(3), 1);
  EXPECT_EQ(copy->GetValue(2), 7);
  EXPECT_EQ(Column(*copy, 2), "Fault");
  EXPECT_TRUE(link.Errors().isEmpty()) << link.Errors().join('\n').toStdString();
  EXPECT_EQ(target->GetIDManager().GetCount(DT_LOGICOUT), 1);
}

TEST(CLogicOutObjectTest, UnknownPadIsReportedInTheErrorFile) {
  auto doc = NewProject();
  CLogicOutObject* block = LogicOutBlock(*doc);
  QTemporaryDir dir;
  QString errorFile = dir.filePath(QStringLiteral("p.err"));
  ASSERT_TRUE(block->Upload(QStringLiteral("LOGICOUT/OUT4/OUTPUT KCM209"), errorFile, LINKMODE_UPLOAD));
  ASSERT_TRUE(block->Upload(QStringLiteral("LOGICOUT/OUT4/OUTNR 33"), errorFile, LINKMODE_UPLOAD));
  auto* out = Find<CLogicOut>(*doc, DT_LOGICOUT, 4);
  ASSERT_NE(out, nullptr);
  EXPECT_EQ(out->GetValue(4), 0);
  QFile file(errorFile);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QString text = QString::fromLatin1(file.readAll());
  EXPECT_TRUE(text.contains(QLatin1String("KCM209 33"))) << text.toStdString();
}

}  // namespace
