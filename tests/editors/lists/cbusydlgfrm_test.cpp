#include "editors/lists/cbusydlgfrm.h"
#include "amps/czone.h"
#include "editors/lists/busylistmodel.h"
#include "editors/lists/cbusydlgview.h"
#include "editors/lists/conditionliststestsupport.h"
#include "editors/lists/entrylisttestsupport.h"
#include "logic/cbusycondition.h"
#include "support/messagerecorder.h"
#include "support/recordinglink.h"
#include "support/tempprofile.h"

#include <QAction>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A busy condition frame over a project with busy condition 1 and two zones.
class BusyListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    doc = NewListProject();
    SetActiveDoc(doc.get());
    busy = AddListEntry<CBusyCondition>(*doc, CBusyCondition::kKindBusy, 1, "Hall busy");
    for (auto*& zone : zones) {
      auto object = std::make_unique<CZone>();
      ASSERT_TRUE(object->Create(0, 1, 1, QString(), QRect(0, 0, 32, 32), CAT_ZONES, CZone::kBitmap, 3, doc.get()));
      zone = doc->Adopt(std::move(object));
    }
  }
  void TearDown() override {
    frame.reset();
    SetActiveDoc(nullptr);
  }
  void Open() {
    frame = std::make_unique<CBusyDlgFrm>(HostFrameContext{doc.get(), nullptr, HostFrameKind::BusyConditions});
    frame->resize(900, 400);
    frame->show();
    view = frame->GetBusyView();
    view->SetChooser(chooser.Chooser());
    view->SetZoneChooser([this](std::vector<CBaseDevice*>& list) {
      zoneRequests.push_back(list);
      if (!zoneAnswer) return false;
      list = *zoneAnswer;
      return true;
    });
  }

  TempProfile profile;
  MessageRecorder messages;
  RecordingLink link;
  ScriptedChooser chooser;
  std::optional<std::vector<CBaseDevice*>> zoneAnswer;
  std::vector<std::vector<CBaseDevice*>> zoneRequests;
  std::unique_ptr<CSelvantisDoc> doc;
  CBusyCondition* busy = nullptr;
  CZone* zones[2] = {};
  std::unique_ptr<CBusyDlgFrm> frame;
  CBusyDlgView* view = nullptr;
};

}  // namespace

TEST_F(BusyListTest, RegisteredAsEditorKindFifteen) {
  EXPECT_TRUE(CHostFrameRegistry::Global().Has(HostFrameKind::BusyConditions));
  Open();
  ASSERT_NE(frame->Action(33156), nullptr);
  EXPECT_EQ(frame->Action(33129)->text(), "Create new BUSY condition");
}

TEST_F(BusyListTest, FillShowsTheModelColumns) {
  busy->SetValue(3, 4);
  Open();
  ASSERT_EQ(view->RowCount(), 1);
  EXPECT_EQ(view->headerItem()->text(6), "min. priority[0..10]");
  EXPECT_EQ(view->CellText(0, 0), "Hall busy");
  EXPECT_EQ(view->CellText(0, 5), "OFF");
  EXPECT_EQ(view->CellText(0, 6), "4");
  QString zonesText;
  busy->GetColumnText(zonesText, 4);
  EXPECT_EQ(view->CellText(0, 4), zonesText);
}

TEST_F(BusyListTest, SourcesAndOutputsChosenWithSeveralChoices) {
  Open();
  chooser.answer = ListChoice{static_cast<int>(CBusyCondition::kSourceAlarm | CBusyCondition::kSourcePage), QString()};
  view->EditCell(0, BusyListModel::kAudio);
  ASSERT_EQ(chooser.requests.size(), 1u);
  EXPECT_EQ(chooser.requests[0].kind, 34449u);
  EXPECT_TRUE(chooser.requests[0].multiple);
  EXPECT_EQ(busy->GetValue(0), static_cast<int>(CBusyCondition::kSourceAlarm | CBusyCondition::kSourcePage));

  chooser.answer = ListChoice{0, "OUT1,OUT3"};
  view->EditCell(0, BusyListModel::kOutput);
  ASSERT_EQ(chooser.requests.size(), 2u);
  EXPECT_EQ(chooser.requests[1].kind, 33021u);
  EXPECT_TRUE(chooser.requests[1].multiple);
  EXPECT_EQ(busy->GetOutputs(), 0x05u);
}

TEST_F(BusyListTest, CancellingAChooserChangesNothing) {
  busy->SetValue(0, static_cast<int>(CBusyCondition::kSourceChime));
  Open();
  view->EditCell(0, BusyListModel::kAudio);
  view->EditCell(0, BusyListModel::kOutput);
  view->EditCell(0, BusyListModel::kZones);
  EXPECT_EQ(busy->GetValue(0), static_cast<int>(CBusyCondition::kSourceChime));
  EXPECT_EQ(busy->GetOutputs(), 0u);
  EXPECT_TRUE(BusyListModel::Zones(*busy).empty());
}

TEST_F(BusyListTest, ZonesComeFromTheLinesAndGroupsChoice) {
  Open();
  zoneAnswer = std::vector<CBaseDevice*>{zones[0], zones[1]};
  view->EditCell(0, BusyListModel::kZones);
  EXPECT_EQ(BusyListModel::Zones(*busy).size(), 2u);
  // Choosing none removes every zone link.
  zoneAnswer = std::vector<CBaseDevice*>{};
  view->EditCell(0, BusyListModel::kZones);
  ASSERT_EQ(zoneRequests.size(), 2u);
  EXPECT_EQ(zoneRequests[1].size(), 2u);
  EXPECT_TRUE(BusyListModel::Zones(*busy).empty());
}

TEST_F(BusyListTest, MatchingToggles) {
  Open();
  view->EditCell(0, BusyListModel::kMatching);
  EXPECT_EQ(busy->GetValue(2), 1);
  EXPECT_EQ(view->CellText(0, 5), "ON");
  view->EditCell(0, BusyListModel::kMatching);
  EXPECT_EQ(busy->GetValue(2), 0);
}

TEST_F(BusyListTest, PriorityTypedInPlace) {
  Open();
  view->EditCell(0, BusyListModel::kPriority);
  auto* edit = qobject_cast<QLineEdit*>(view->CurrentEditor());
  ASSERT_NE(edit, nullptr);
  edit->setText("7");
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(busy->GetValue(3), 7);
  EXPECT_EQ(view->CellText(0, 6), "7");
}

TEST_F(BusyListTest, NewCreatesABusyCondition) {
  Open();
  frame->OnCommand(33129);
  ASSERT_EQ(view->RowCount(), 2);
  auto* created = dynamic_cast<CBusyCondition*>(view->ObjectAt(view->FirstSelectedRow()));
  ASSERT_NE(created, nullptr);
  EXPECT_EQ(created->GetKind(), CBusyCondition::kKindBusy);
}
