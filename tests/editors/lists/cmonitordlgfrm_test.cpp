#include "editors/lists/cmonitordlgfrm.h"
#include "amps/cmonitor.h"
#include "editors/lists/cmonitordlglistview.h"
#include "editors/lists/cmonitorrelaislistview.h"
#include "editors/lists/entrylisttestsupport.h"
#include "editors/lists/monitorlistmodel.h"
#include "editors/lists/monitorlisttestsupport.h"
#include "link/linkmode.h"
#include "support/messagerecorder.h"
#include "support/recordinglink.h"
#include "support/tempprofile.h"

#include <QAction>
#include <QKeyEvent>
#include <QTest>

#include <gtest/gtest.h>

namespace {

int Choice(int kind, int value) { return (value << 16) | kind; }

// A monitor frame over a project whose monitor table is set by each test.
class MonitorListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    doc = NewListProject();
    SetActiveDoc(doc.get());
    monitor = CMonitor::EnsureIn(*doc);
    ASSERT_NE(monitor, nullptr);
  }
  void TearDown() override {
    frame.reset();
    SetActiveDoc(nullptr);
  }
  void Open() {
    frame = std::make_unique<CMonitorDlgFrm>(HostFrameContext{doc.get(), nullptr, HostFrameKind::MonitorEntries});
    frame->resize(900, 400);
    frame->show();
    entries = frame->GetEntryView();
    relays = frame->GetRelayView();
    entries->SetChooser([this](uint32_t kind) {
      askedKinds.push_back(kind);
      return answer;
    });
    relays->SetChooser([this](uint32_t kind) {
      askedKinds.push_back(kind);
      return answer;
    });
  }
  int EntryCode(int index) const { return monitor->GetValue((index << 16) | CMonitor::FIELD_CHOICE); }
  int SlotRelay(int slot) const { return monitor->GetValue(slot << 16); }

  TempProfile profile;
  MessageRecorder messages;
  RecordingLink link;
  std::unique_ptr<CSelvantisDoc> doc;
  CMonitor* monitor = nullptr;
  std::unique_ptr<CMonitorDlgFrm> frame;
  CMonitorDlgListView* entries = nullptr;
  CMonitorRelaisListView* relays = nullptr;
  std::optional<int> answer;
  std::vector<uint32_t> askedKinds;
};

}  // namespace

TEST_F(MonitorListTest, RegisteredAsEditorKindSix) {
  EXPECT_TRUE(CHostFrameRegistry::Global().Has(HostFrameKind::MonitorEntries));
}

TEST_F(MonitorListTest, EntriesAreShownByEntryNumber) {
  ASSERT_TRUE(monitor->SetValue((0 << 16) | CMonitor::KC_IN, 2));
  ASSERT_TRUE(monitor->SetValue((2 << 16) | CMonitor::KC_OUT, 1));
  Open();
  ASSERT_EQ(entries->RowCount(), 2);
  EXPECT_EQ(entries->headerItem()->text(0), "Monitor");
  EXPECT_EQ(entries->headerItem()->text(2), "Entries");
  EXPECT_EQ(entries->CellText(0, 1), "1");
  EXPECT_EQ(entries->CellText(1, 1), "3");
  EXPECT_EQ(entries->CellText(0, 0), "");
  EXPECT_EQ(entries->RowData(1), EntryCode(2));
  QString text;
  EXPECT_EQ(entries->CellText(1, 2), monitor->GetColumnText(text, EntryCode(2)));
  EXPECT_EQ(entries->ColumnAlignment(1), Qt::AlignRight);
}

TEST_F(MonitorListTest, DeletingTheRowOfEntryThreeFreesEntryThreeOnly) {
  monitor->SetValue((0 << 16) | CMonitor::KC_IN, 2);
  monitor->SetValue((2 << 16) | CMonitor::KC_OUT, 1);
  Open();
  entries->SelectRow(1);
  frame->OnCommand(CMonitorDlgFrm::kDeleteEntry);
  EXPECT_EQ(EntryCode(2) & 0xFFFF, CMonitor::KC_OFF);
  EXPECT_EQ(EntryCode(0), Choice(CMonitor::KC_IN, 2));
  ASSERT_EQ(entries->RowCount(), 1);
  EXPECT_EQ(entries->CellText(0, 1), "1");
  // The deleted row was the last: nothing is selected now.
  EXPECT_EQ(entries->FirstSelectedRow(), -1);
}

TEST_F(MonitorListTest, DeletingTheLastRowSelectsNothingSoASecondDeleteKeepsTheRest) {
  monitor->SetValue((0 << 16) | CMonitor::KC_IN, 2);
  monitor->SetValue((1 << 16) | CMonitor::KC_IN, 3);
  monitor->SetValue((2 << 16) | CMonitor::KC_OUT, 1);
  Open();
  entries->setFocus();
  entries->SelectRow(2);
  QTest::keyClick(entries, Qt::Key_Delete);
  ASSERT_EQ(entries->RowCount(), 2);
  EXPECT_EQ(entries->FirstSelectedRow(), -1);
  QTest::keyClick(entries, Qt::Key_Delete);
  EXPECT_EQ(entries->RowCount(), 2);
  EXPECT_EQ(EntryCode(1), Choice(CMonitor::KC_IN, 3));

  // A row in the middle: the next one takes its place as the selection.
  entries->SelectRow(0);
  QTest::keyClick(entries, Qt::Key_Delete);
  ASSERT_EQ(entries->RowCount(), 1);
  EXPECT_EQ(entries->FirstSelectedRow(), 0);
  EXPECT_EQ(entries->CellText(0, 1), "2");
}

TEST_F(MonitorListTest, DeleteKeyAsksTheFrameToDeleteTheEntry) {
  monitor->SetValue((4 << 16) | CMonitor::KC_IN, 1);
  Open();
  entries->SelectRow(0);
  QKeyEvent key(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
  QApplication::sendEvent(entries, &key);
  EXPECT_EQ(entries->RowCount(), 0);
  EXPECT_EQ(EntryCode(4) & 0xFFFF, CMonitor::KC_OFF);
}

TEST_F(MonitorListTest, DoubleClickOnTheSourceStoresTheChoiceUnderTheRowsEntryNumber) {
  monitor->SetValue((0 << 16) | CMonitor::KC_IN, 1);
  monitor->SetValue((6 << 16) | CMonitor::KC_IN, 3);
  Open();
  answer = Choice(CMonitor::KC_OUT, 4);
  entries->EditCell(1, MonitorListModel::kText);
  EXPECT_EQ(askedKinds, std::vector<uint32_t>{33086});
  EXPECT_EQ(EntryCode(6), Choice(CMonitor::KC_OUT, 4));
  EXPECT_EQ(EntryCode(0), Choice(CMonitor::KC_IN, 1));
  // Other columns open nothing.
  entries->EditCell(1, MonitorListModel::kNumber);
  EXPECT_EQ(askedKinds.size(), 1u);
}

TEST_F(MonitorListTest, CancelledSelectionChangesNothing) {
  monitor->SetValue((0 << 16) | CMonitor::KC_IN, 1);
  Open();
  answer.reset();
  entries->EditCell(0, MonitorListModel::kText);
  frame->OnCommand(CMonitorDlgFrm::kNewEntry);
  EXPECT_EQ(EntryCode(0), Choice(CMonitor::KC_IN, 1));
  EXPECT_EQ(EntryCode(1) & 0xFFFF, CMonitor::KC_OFF);
}

TEST_F(MonitorListTest, NewEntryTakesTheFirstFreeEntryAndAFullTableChangesNothing) {
  monitor->SetValue((0 << 16) | CMonitor::KC_IN, 1);
  Open();
  answer = Choice(CMonitor::KC_OUT, 2);
  frame->OnCommand(CMonitorDlgFrm::kNewEntry);
  EXPECT_EQ(EntryCode(1), Choice(CMonitor::KC_OUT, 2));
  ASSERT_EQ(entries->RowCount(), 2);

  for (int i = 0; i < monitor->GetMaxEntries(); ++i) monitor->SetValue((i << 16) | CMonitor::KC_IN, 1);
  frame->RefreshLists();
  // Without extended memory the table has 50 entries.
  EXPECT_EQ(entries->RowCount(), 50);
  answer = Choice(CMonitor::KC_OUT, 3);
  frame->OnCommand(CMonitorDlgFrm::kNewEntry);
  EXPECT_EQ(entries->RowCount(), 50);
  EXPECT_TRUE(messages.Requests().empty());
}

TEST_F(MonitorListTest, RelayRowsCarryTheirSlotAndDoubleClickChangesThatSlot) {
  CControlPad* pad1 = AddMonitorRelayPad(*doc, 1);
  CControlPad* pad3 = AddMonitorRelayPad(*doc, 3);
  CControlPad* pad7 = AddMonitorRelayPad(*doc, 7);
  ASSERT_TRUE(pad1 && pad3 && pad7);
  ASSERT_TRUE(monitor->SetValue(0 << 16, pad1->GetID()));
  ASSERT_TRUE(monitor->SetValue(2 << 16, pad3->GetID()));
  Open();
  ASSERT_EQ(relays->RowCount(), 2);
  EXPECT_EQ(relays->headerItem()->text(2), "Relay");
  EXPECT_EQ(relays->CellText(1, 1), "3");
  EXPECT_EQ(relays->CellText(1, 2), pad3->GetName());
  answer = pad7->GetID();
  relays->EditCell(1, MonitorListModel::kText);
  EXPECT_EQ(askedKinds, std::vector<uint32_t>{32797});
  EXPECT_EQ(SlotRelay(2), 7);
  EXPECT_EQ(SlotRelay(1), 0);
  EXPECT_EQ(relays->CellText(1, 2), pad7->GetName());
}

TEST_F(MonitorListTest, NewAndDeleteRelay) {
  CControlPad* pad = AddMonitorRelayPad(*doc, 4);
  ASSERT_NE(pad, nullptr);
  Open();
  answer = pad->GetID();
  frame->OnCommand(CMonitorDlgFrm::kNewRelay);
  EXPECT_EQ(SlotRelay(0), 4);
  ASSERT_EQ(relays->RowCount(), 1);
  relays->SelectRow(0);
  frame->OnCommand(CMonitorDlgFrm::kDeleteRelay);
  EXPECT_EQ(SlotRelay(0), 0);
  EXPECT_EQ(relays->RowCount(), 0);
}

TEST_F(MonitorListTest, ARelayWithoutItsOutputShowsTheNumberAndAStar) {
  CControlPad* pad = AddMonitorRelayPad(*doc, 6);
  ASSERT_NE(pad, nullptr);
  ASSERT_TRUE(monitor->SetValue(0 << 16, pad->GetID()));
  doc->DeleteObject(pad);
  Open();
  ASSERT_EQ(relays->RowCount(), 1);
  EXPECT_EQ(relays->CellText(0, 2), "6 *");
}

TEST_F(MonitorListTest, TransferButtonsFollowTheLinkAtCreation) {
  Open();
  EXPECT_FALSE(frame->Action(CMonitorDlgFrm::kUpload)->isEnabled());
  EXPECT_FALSE(frame->Action(CMonitorDlgFrm::kOnlineData)->isEnabled());
  EXPECT_TRUE(frame->Action(CMonitorDlgFrm::kNewEntry)->isEnabled());
  EXPECT_EQ(frame->Action(CMonitorDlgFrm::kNewRelay)->toolTip(), "Create new Monitor Relay");
}

TEST_F(MonitorListTest, DownloadSendsTheWholeMonitorAndEndsInNormalMode) {
  monitor->SetValue((0 << 16) | CMonitor::KC_IN, 2);
  Open();
  entries->SetLink(&link);
  frame->OnCommand(CMonitorDlgFrm::kDownload);
  EXPECT_FALSE(link.Lines().isEmpty());
  ASSERT_FALSE(link.Modes().isEmpty());
  EXPECT_EQ(link.Modes().front(), LINKMODE_DOWNLOAD);
  EXPECT_EQ(link.Modes().back(), LINKMODE_NORMAL);
  EXPECT_EQ(frame->Progress(), nullptr);
}

TEST_F(MonitorListTest, OnlineDataRunsTheOnlineDialog) {
  Open();
  int runs = 0;
  frame->SetOnlineDialogRunner([&](QWidget*) { ++runs; });
  frame->OnCommand(CMonitorDlgFrm::kOnlineData);
  EXPECT_EQ(runs, 1);
}
