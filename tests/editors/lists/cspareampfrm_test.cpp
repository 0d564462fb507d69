#include "editors/lists/cspareampfrm.h"
#include "amps/cspareamp.h"
#include "editors/lists/cspareampview.h"
#include "editors/lists/entrylisttestsupport.h"
#include "editors/lists/listmousesupport.h"
#include "editors/lists/spareamplistmodel.h"
#include "link/linkmode.h"
#include "support/messagerecorder.h"
#include "support/recordinglink.h"
#include "support/tempprofile.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using Target = SpareAmpListModel::Target;
constexpr int kReady = CSpareAmp::kTypeReadyInput;

// A backup-amplifier frame over a project whose table each test sets.
class SpareAmpListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    doc = NewListProject();
    SetActiveDoc(doc.get());
    spare = CSpareAmp::EnsureIn(*doc);
    ASSERT_NE(spare, nullptr);
  }
  void TearDown() override {
    frame.reset();
    SetActiveDoc(nullptr);
  }
  void Open() {
    frame = std::make_unique<CSpareAmpFrm>(HostFrameContext{doc.get(), nullptr, HostFrameKind::BackupAmplifiers});
    frame->resize(900, 400);
    frame->show();
    entries = frame->GetEntryView();
    watches = frame->GetWatchView();
    for (CSpareAmpView* view : {entries, watches}) {
      view->SetLink(&link);
      view->SetChooser([this](uint32_t kind) {
        askedKinds.push_back(kind);
        return answer;
      });
    }
  }
  void UseEntry(int n, int readyInput) {
    ASSERT_TRUE(spare->SetEntry(n, QStringLiteral("Spare %1").arg(n + 1), true, kReady, readyInput, 0));
  }

  TempProfile profile;
  MessageRecorder messages;
  RecordingLink link;
  std::unique_ptr<CSelvantisDoc> doc;
  CSpareAmp* spare = nullptr;
  std::unique_ptr<CSpareAmpFrm> frame;
  CSpareAmpView* entries = nullptr;
  CSpareAmpView* watches = nullptr;
  std::optional<Target> answer;
  std::vector<uint32_t> askedKinds;
};

}  // namespace

TEST_F(SpareAmpListTest, RegisteredAsEditorKindTwo) {
  EXPECT_TRUE(CHostFrameRegistry::Global().Has(HostFrameKind::BackupAmplifiers));
}

TEST_F(SpareAmpListTest, EntryRowsShowNameNumberAndAMissingTargetWithAStar) {
  UseEntry(0, 5);
  UseEntry(2, 9);
  Open();
  ASSERT_EQ(entries->RowCount(), 2);
  EXPECT_EQ(entries->headerItem()->text(0), "Backup Amplifier");
  EXPECT_EQ(entries->headerItem()->text(3), "replaces");
  EXPECT_EQ(entries->CellText(1, 0), "Spare 3");
  EXPECT_EQ(entries->CellText(1, 1), "3");
  EXPECT_EQ(entries->CellText(1, 2), "9 *");
  EXPECT_EQ(entries->RowData(1), 2);
  EXPECT_EQ(watches->GetMode(), CSpareAmpView::Mode::Watches);
  EXPECT_EQ(watches->headerItem()->text(2), "KCM208 Relay");
}

TEST_F(SpareAmpListTest, NewEntryFillsTheFirstFreeEntryNamedAfterItsNumber) {
  UseEntry(0, 1);
  UseEntry(2, 1);
  Open();
  answer = Target{kReady, 4, 0};
  frame->OnCommand(CSpareAmpFrm::kNewEntry);
  QString name;
  int value = 0;
  ASSERT_TRUE(spare->GetEntry(1, &name, nullptr, &value, nullptr));
  EXPECT_EQ(name, "Backup Amplifier 2");
  EXPECT_EQ(value, 4);
  ASSERT_EQ(entries->RowCount(), 3);
  // The new entry's row is selected, not the last row.
  EXPECT_EQ(entries->SelectedData(), 1);
}

TEST_F(SpareAmpListTest, AllEntriesInUseCreateNothingWithoutAMessage) {
  for (int n = 0; n < CSpareAmp::kEntryCount; ++n) UseEntry(n, 1);
  Open();
  answer = Target{kReady, 4, 0};
  frame->OnCommand(CSpareAmpFrm::kNewEntry);
  EXPECT_EQ(entries->RowCount(), 8);
  EXPECT_TRUE(messages.Requests().empty());
}

TEST_F(SpareAmpListTest, RenamingKeepsTheTarget) {
  UseEntry(0, 6);
  Open();
  ASSERT_TRUE(entries->BeginLabelEdit(0, SpareAmpListModel::kName));
  auto* edit = qobject_cast<QLineEdit*>(entries->CurrentEditor());
  ASSERT_NE(edit, nullptr);
  edit->setText("Hall spare");
  QTest::keyClick(edit, Qt::Key_Return);
  QString name;
  int type = 0;
  int value = 0;
  ASSERT_TRUE(spare->GetEntry(0, &name, &type, &value, nullptr));
  EXPECT_EQ(name, "Hall spare");
  EXPECT_EQ(type, kReady);
  EXPECT_EQ(value, 6);
  EXPECT_EQ(entries->CellText(0, 0), "Hall spare");
  // Only the name is edited as the label.
  EXPECT_FALSE(entries->BeginLabelEdit(0, SpareAmpListModel::kDetails));
  EXPECT_FALSE(watches->BeginLabelEdit(0, 0));
}

TEST_F(SpareAmpListTest, DoubleClickOnAnEntryChangesItsTargetAndKeepsItsName) {
  UseEntry(1, 6);
  Open();
  answer = Target{kReady, 8, 0};
  entries->EditCell(0, SpareAmpListModel::kEntryNumber);
  EXPECT_EQ(askedKinds, std::vector<uint32_t>{34370});
  QString name;
  int value = 0;
  ASSERT_TRUE(spare->GetEntry(1, &name, nullptr, &value, nullptr));
  EXPECT_EQ(name, "Spare 2");
  EXPECT_EQ(value, 8);
}

TEST_F(SpareAmpListTest, SelectingTheSecondRowShowsAndExtendsTheWatchesOfEntryThree) {
  UseEntry(0, 1);
  UseEntry(2, 1);
  ASSERT_TRUE(spare->SetWatch(0, 2, 1, kReady, 7, 0));
  Open();
  entries->SelectRow(1);
  EXPECT_EQ(watches->WatchEntry(), 2);
  ASSERT_EQ(watches->RowCount(), 1);
  EXPECT_EQ(watches->CellText(0, 0), "1");
  EXPECT_EQ(watches->CellText(0, 1), "7 *");
  // A KCM208 relay number of 0 shows an empty cell.
  EXPECT_EQ(watches->CellText(0, 2), "");

  answer = Target{kReady, 3, 0};
  frame->OnCommand(CSpareAmpFrm::kNewWatch);
  int value = 0;
  EXPECT_TRUE(spare->GetWatch(1, 2, nullptr, &value));
  EXPECT_EQ(value, 3);
  EXPECT_FALSE(spare->GetWatch(0, 0, nullptr, nullptr));
  EXPECT_EQ(watches->RowCount(), 2);
}

TEST_F(SpareAmpListTest, WatchCommandsWithoutASelectedEntryDoNothing) {
  Open();
  answer = Target{kReady, 3, 0};
  frame->OnCommand(CSpareAmpFrm::kNewWatch);
  frame->OnCommand(CSpareAmpFrm::kDeleteWatch);
  EXPECT_TRUE(askedKinds.empty());
  EXPECT_EQ(watches->RowCount(), 0);
}

TEST_F(SpareAmpListTest, DeleteWatchFreesTheSelectedItem) {
  UseEntry(0, 1);
  spare->SetWatch(0, 0, 1, kReady, 7, 0);
  spare->SetWatch(1, 0, 1, kReady, 8, 0);
  Open();
  watches->SelectRow(1);
  frame->OnCommand(CSpareAmpFrm::kDeleteWatch);
  EXPECT_TRUE(spare->GetWatch(0, 0, nullptr, nullptr));
  EXPECT_FALSE(spare->GetWatch(1, 0, nullptr, nullptr));
  EXPECT_EQ(watches->RowCount(), 1);
}

TEST_F(SpareAmpListTest, DeleteEntryTakesItOutOfUseWithItsWatches) {
  UseEntry(0, 1);
  spare->SetWatch(0, 0, 1, kReady, 7, 0);
  Open();
  frame->OnCommand(CSpareAmpFrm::kDeleteEntry);
  EXPECT_FALSE(spare->GetEntry(0, nullptr, nullptr, nullptr, nullptr));
  EXPECT_FALSE(spare->GetWatch(0, 0, nullptr, nullptr));
  EXPECT_EQ(entries->RowCount(), 0);
  EXPECT_EQ(watches->RowCount(), 0);
}

TEST_F(SpareAmpListTest, ARelayChoiceWithoutAPadStoresNoRelay) {
  UseEntry(0, 1);
  spare->SetWatch(0, 0, 1, kReady, 7, 0);
  spare->SetWatchRelays(0, 0, 12, 13);
  Open();
  EXPECT_EQ(watches->CellText(0, 2), "12 *");
  answer = Target{DT_CONTROLPAD, 999, 0};
  watches->EditCell(0, SpareAmpListModel::kInRelay);
  EXPECT_EQ(askedKinds, std::vector<uint32_t>{32797});
  int out = -1;
  int in = -1;
  spare->GetWatch(0, 0, nullptr, nullptr, &out, &in);
  EXPECT_EQ(out, 12);
  EXPECT_EQ(in, 0);
}

TEST_F(SpareAmpListTest, PollHeaderTogglesOnlyWhileConnectedAndOnlyOnTheLastEntryColumn) {
  UseEntry(0, 1);
  Open();
  link.SetConnected(false);
  entries->OnColumnClick(SpareAmpListModel::kReplaces);
  EXPECT_FALSE(entries->IsPolling());
  link.SetConnected(true);
  watches->OnColumnClick(SpareAmpListModel::kInRelay);
  EXPECT_FALSE(watches->IsPolling());
  entries->OnColumnClick(SpareAmpListModel::kDetails);
  EXPECT_FALSE(entries->IsPolling());
  entries->OnColumnClick(SpareAmpListModel::kReplaces);
  EXPECT_TRUE(entries->IsPolling());
  EXPECT_EQ(entries->headerItem()->text(3), "replaces *");
  entries->OnColumnClick(SpareAmpListModel::kReplaces);
  EXPECT_FALSE(entries->IsPolling());
  EXPECT_EQ(entries->headerItem()->text(3), "replaces");
}

TEST_F(SpareAmpListTest, PollSendsOneQueryPerRowAndShowsTheAnswer) {
  UseEntry(0, 1);
  UseEntry(2, 1);
  Open();
  link.SetConnected(true);
  link.SetAnswer("/SPAREAMP/ENTRY1/REPLACE ?", "/SPAREAMP/ENTRY1/REPLACE AMP3");
  link.SetAnswer("/SPAREAMP/ENTRY3/REPLACE ?", "/SPAREAMP/ENTRY3/REPLACE OFF");
  entries->StartPoll();
  entries->PollStatus();
  EXPECT_EQ(link.Lines(), (QStringList{"/SPAREAMP/ENTRY1/REPLACE ?", "/SPAREAMP/ENTRY3/REPLACE ?"}));
  EXPECT_EQ(entries->CellText(0, 3), "AMP3");
  EXPECT_EQ(entries->CellText(1, 3), "");
  // No answer (only the echo), and "OFF", leave the cell as it was.
  link.SetAnswer("/SPAREAMP/ENTRY1/REPLACE ?", "");
  entries->PollStatus();
  EXPECT_EQ(entries->CellText(0, 3), "AMP3");
  link.SetAnswer("/SPAREAMP/ENTRY1/REPLACE ?", "/SPAREAMP/ENTRY1/REPLACE OFF");
  entries->PollStatus();
  EXPECT_EQ(entries->CellText(0, 3), "AMP3");
  // A refill stops the poll.
  entries->FillEntryList();
  EXPECT_FALSE(entries->IsPolling());
}

TEST_F(SpareAmpListTest, PollStopsWhenTheLinkIsLost) {
  UseEntry(0, 1);
  Open();
  link.SetConnected(true);
  entries->StartPoll();
  link.SetConnected(false);
  entries->PollStatus();
  EXPECT_FALSE(entries->IsPolling());
  EXPECT_TRUE(link.Lines().isEmpty());
}

TEST(SpareAmpListModelTest, PollReplyIsTheLastWordOfTheAnswerLine) {
  struct Case {
    QString reply;
    std::optional<QString> expected;
  } cases[] = {
      {"/SPAREAMP/ENTRY2/REPLACE ?\r\n/SPAREAMP/ENTRY2/REPLACE AMP1 CH2\r\n", QString("CH2")},
      {"/SPAREAMP/ENTRY2/REPLACE ?\r\n/SPAREAMP/ENTRY2/REPLACE OFF  \r\n", std::nullopt},
      {"/SPAREAMP/ENTRY2/REPLACE ?\r\n", std::nullopt},
      {"", std::nullopt},
      {"/SPAREAMP/ENTRY3/REPLACE AMP1", std::nullopt},
      {"garbage", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SpareAmpListModel::ParsePollReply(c.reply, 1), c.expected) << c.reply.toStdString();
  }
  EXPECT_EQ(SpareAmpListModel::PollCommand(7), "/SPAREAMP/ENTRY8/REPLACE ?");
}

TEST(SpareAmpListModelTest, ToolTipIsTheSecondPartOfTheCommandText) {
  EXPECT_EQ(CSplitListFrame::ToolTipOf("New\nCreate new watch entry"), "Create new watch entry");
  EXPECT_EQ(CSplitListFrame::ToolTipOf("Create new watch entry"), "Create new watch entry");
  EXPECT_EQ(CSplitListFrame::ToolTipOf(QString(100, 'x')).size(), 80);
}

// The user's double click on the selected entry's name chooses the target:
// the first click must not open a rename box that takes the second.
TEST_F(SpareAmpListTest, DoubleClickOnTheSelectedNameOpensTheTargetChooser) {
  UseEntry(0, 5);
  UseEntry(2, 9);
  Open();
  ListMouse mouse(entries);
  ASSERT_TRUE(mouse.Ready());
  entries->SelectRow(1);
  mouse.DoubleClick(1, SpareAmpListModel::kName);
  ASSERT_EQ(askedKinds.size(), 1u);
  EXPECT_EQ(askedKinds[0], SpareAmpListModel::kSelectEntry);
  QTest::qWait(QApplication::doubleClickInterval() + 100);
  EXPECT_EQ(mouse.RenameBox(), nullptr);
}

TEST_F(SpareAmpListTest, ClickOnTheSelectedNameRenames) {
  UseEntry(0, 5);
  Open();
  ListMouse mouse(entries);
  ASSERT_TRUE(mouse.Ready());
  entries->SelectRow(0);
  mouse.Click(0, SpareAmpListModel::kName);
  EXPECT_TRUE(QTest::qWaitFor([&] { return mouse.RenameBox() != nullptr; }, 20000));
  EXPECT_TRUE(askedKinds.empty());
}
