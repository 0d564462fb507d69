#include "editors/lists/ctriggerdlgfrm.h"
#include "editors/lists/ctriggerdlgview.h"
#include "editors/lists/entrylisttestsupport.h"
#include "editors/lists/listframetestsupport.h"
#include "editors/lists/triggerlistmodel.h"
#include "link/linkmode.h"
#include "logic/ccondition.h"

#include <QAction>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A trigger frame over a project with triggers 1, 2 and 3.
class TriggerListTest : public ListFrameTest<CTriggerDlgFrm, CTriggerDlgView> {
 protected:
  void SetUp() override {
    ListFrameTest::SetUp();
    for (int id = 1; id <= 3; ++id) triggers[id] = AddTrigger(*doc, id);
  }
  void Open() {
    OpenFrame(HostFrameKind::Triggers);
    view = frame->GetTriggerView();
  }
  // Types text into the open in-place edit and presses Enter.
  void TypeIntoEditor(const QString& text) {
    auto* edit = qobject_cast<QLineEdit*>(view->CurrentEditor());
    ASSERT_NE(edit, nullptr);
    edit->setText(text);
    QTest::keyClick(edit, Qt::Key_Return);
  }

  CTrigger* triggers[4] = {};
};

}  // namespace

TEST_F(TriggerListTest, RegisteredAsEditorKindFive) {
  EXPECT_TRUE(CHostFrameRegistry::Global().Has(HostFrameKind::Triggers));
}

TEST_F(TriggerListTest, FillShowsOneRowPerTriggerWithItsCells) {
  triggers[2]->SetParamFloat(CTrigger::FIELD_DURATION, 1.5f);
  Open();
  ASSERT_EQ(view->RowCount(), 3);
  EXPECT_EQ(view->headerItem()->text(0), "Trigger");
  EXPECT_EQ(view->headerItem()->text(1), "ID");
  EXPECT_EQ(view->headerItem()->text(3), "Duration [s]");
  EXPECT_EQ(view->CellText(1, 0), "Trigger 2");
  EXPECT_EQ(view->CellText(1, 1), "2");
  EXPECT_EQ(view->CellText(1, 2), "");
  EXPECT_EQ(view->CellText(1, 3), "1.5");
  EXPECT_EQ(view->ObjectAt(2), triggers[3]);
  EXPECT_EQ(view->FirstSelectedRow(), 0);
  EXPECT_EQ(view->GetCurrentID(), 1);
  EXPECT_EQ(view->ColumnAlignment(1), Qt::AlignRight);
}

TEST_F(TriggerListTest, OfflineFrameDisablesTransfersAndConnectingLaterChangesNothing) {
  Open();
  EXPECT_FALSE(frame->Action(32926)->isEnabled());
  EXPECT_FALSE(frame->Action(32927)->isEnabled());
  EXPECT_TRUE(frame->Action(32987)->isEnabled());
  EXPECT_TRUE(frame->Action(32988)->isEnabled());
  std::unique_ptr<QMenu> menu(view->CreateContextMenu());
  for (QAction* action : menu->actions().first()->menu()->actions()) EXPECT_FALSE(action->isEnabled());
  doc->SetConnected(true);
  EXPECT_FALSE(frame->Action(32927)->isEnabled());
  std::unique_ptr<QMenu> online(view->CreateContextMenu());
  for (QAction* action : online->actions().first()->menu()->actions()) EXPECT_TRUE(action->isEnabled());
}

TEST_F(TriggerListTest, DurationEditClampsAndIgnoresText) {
  Open();
  view->EditCell(1, TriggerListModel::kDuration);
  TypeIntoEditor("abc");
  EXPECT_FLOAT_EQ(triggers[2]->GetParamFloat(CTrigger::FIELD_DURATION), 0.0f);
  view->EditCell(1, TriggerListModel::kDuration);
  TypeIntoEditor("30");
  EXPECT_FLOAT_EQ(triggers[2]->GetParamFloat(CTrigger::FIELD_DURATION), 25.0f);
  EXPECT_EQ(view->CellText(1, 3), "25.0");
  view->EditCell(1, TriggerListModel::kDuration);
  TypeIntoEditor("-1");
  EXPECT_FLOAT_EQ(triggers[2]->GetParamFloat(CTrigger::FIELD_DURATION), 0.0f);
  view->EditCell(1, TriggerListModel::kDuration);
  TypeIntoEditor("nan");
  EXPECT_FLOAT_EQ(triggers[2]->GetParamFloat(CTrigger::FIELD_DURATION), 0.0f);
}

TEST_F(TriggerListTest, RenamingToAnotherNameMakesItUniqueAndTellsTheUser) {
  Open();
  EXPECT_FALSE(view->BeginLabelEdit(0, 2));
  ASSERT_TRUE(view->BeginLabelEdit(0, 0));
  TypeIntoEditor("Trigger 2");
  EXPECT_NE(triggers[1]->GetName(), "Trigger 2");
  EXPECT_TRUE(triggers[1]->GetName().startsWith("Trigger 2"));
  EXPECT_TRUE(messages.Saw(34213));
  EXPECT_EQ(view->CellText(0, 0), triggers[1]->GetName());
}

TEST_F(TriggerListTest, DoubleClickOnIdDoesNothingAndSelectionsConnect) {
  Open();
  int asked = 0;
  uint32_t askedKind = 0;
  view->SetChooser([&](uint32_t kind, const QString&) -> std::optional<int> {
    ++asked;
    askedKind = kind;
    return 7;
  });
  view->EditCell(0, TriggerListModel::kId);
  view->EditCell(0, TriggerListModel::kName);
  EXPECT_EQ(asked, 0);
  EXPECT_EQ(view->CurrentEditor(), nullptr);
  view->EditCell(0, TriggerListModel::kCondition);
  EXPECT_EQ(askedKind, 34129u);
  EXPECT_EQ(triggers[1]->GetParam(CTrigger::FIELD_CONDITION), 7);
  EXPECT_EQ(view->CellText(0, 2), doc->GetIDManager().GetBaseDevice(7, DT_CONDITION)->GetName());
  view->EditCell(0, TriggerListModel::kOffMacro);
  EXPECT_EQ(askedKind, 32806u);
  EXPECT_EQ(triggers[1]->GetParam(CTrigger::FIELD_OFF_MACRO), 7);
  EXPECT_EQ(triggers[1]->GetParam(CTrigger::FIELD_ON_MACRO), 0);
}

TEST_F(TriggerListTest, CancelledChoiceChangesNothing) {
  Open();
  view->SetChooser([](uint32_t, const QString&) -> std::optional<int> { return std::nullopt; });
  view->EditCell(0, TriggerListModel::kOnMacro);
  EXPECT_EQ(triggers[1]->GetParam(CTrigger::FIELD_ON_MACRO), 0);
}

TEST_F(TriggerListTest, NewAddsATriggerAndMakesItCurrent) {
  Open();
  frame->OnCommand(32987);
  ASSERT_EQ(view->RowCount(), 4);
  EXPECT_EQ(view->GetCurrentID(), 4);
  EXPECT_EQ(view->FirstSelectedRow(), 3);
  EXPECT_EQ(doc->GetIDManager().GetCount(DT_TRIGGER), 4);
}

TEST_F(TriggerListTest, FullPoolDisablesNewAndDeleteEnablesItAgain) {
  const int limit = CIDManager::GetCreateLimit(DT_TRIGGER, doc->IsBigProject());
  for (int id = 4; id <= limit; ++id) ASSERT_NE(AddTrigger(*doc, id), nullptr);
  Open();
  EXPECT_FALSE(frame->Action(32987)->isEnabled());
  frame->OnCommand(32988);
  EXPECT_TRUE(frame->Action(32987)->isEnabled());
}

TEST_F(TriggerListTest, DeletingTheFirstRowSelectsRowZeroOthersTheRowBelowOrAbove) {
  Open();
  frame->OnCommand(32988);
  ASSERT_EQ(view->RowCount(), 2);
  EXPECT_EQ(view->FirstSelectedRow(), 0);
  EXPECT_EQ(view->ObjectAt(0)->GetID(), 2);
  AddTrigger(*doc, 1);
  AddTrigger(*doc, 4);
  view->FillList();
  view->SelectRow(1);  // trigger 2
  frame->OnCommand(32988);
  EXPECT_EQ(view->GetCurrentID(), 3);
  EXPECT_EQ(view->ObjectAt(view->FirstSelectedRow())->GetID(), 3);
  view->SelectRow(view->RowCount() - 1);  // trigger 4, the last row
  frame->OnCommand(32988);
  EXPECT_EQ(view->ObjectAt(view->FirstSelectedRow())->GetID(), 3);
}

TEST_F(TriggerListTest, DeleteKeyDeletesTheSelectedTrigger) {
  Open();
  view->SelectRow(2);
  QTest::keyClick(view, Qt::Key_Delete);
  EXPECT_EQ(doc->GetIDManager().GetCount(DT_TRIGGER), 2);
  EXPECT_EQ(doc->GetIDManager().FindBaseDevice(3, DT_TRIGGER), nullptr);
}

TEST_F(TriggerListTest, DeviceDownloadSendsTheFourLinesOfTheSelectedTrigger) {
  doc->SetConnected(true);
  triggers[3]->SetParamFloat(CTrigger::FIELD_DURATION, 2.0f);
  Open();
  view->SelectRow(2);
  link.Clear();
  view->OnDeviceCommand(33179);
  const QStringList lines = link.Lines();
  EXPECT_TRUE(lines.contains("/TRIGGER/TRG3/TIME 2.0")) << lines.join('|').toStdString();
  int triggerLines = 0;
  for (const QString& line : lines) {
    if (line.startsWith("/TRIGGER/")) {
      ++triggerLines;
      EXPECT_TRUE(line.startsWith("/TRIGGER/TRG3/")) << line.toStdString();
    }
  }
  EXPECT_EQ(triggerLines, 4);
  ASSERT_FALSE(link.Modes().isEmpty());
  EXPECT_TRUE(link.Modes().contains(LINKMODE_DOWNLOAD));
  EXPECT_EQ(link.Modes().last(), LINKMODE_NORMAL);
}

TEST_F(TriggerListTest, DeviceCommandsWithoutSelectionSendNothing) {
  doc->SetConnected(true);
  Open();
  view->clearSelection();
  link.Clear();
  view->OnDeviceCommand(33179);
  view->OnDeviceCommand(33180);
  EXPECT_TRUE(link.Lines().isEmpty());
  EXPECT_TRUE(link.Modes().isEmpty());
}

TEST_F(TriggerListTest, WholeListDownloadStepsTheContainerAndRemovesTheProgressBar) {
  doc->SetConnected(true);
  Open();
  link.Clear();
  frame->OnCommand(32927);
  EXPECT_TRUE(link.Lines().contains("/TRIGGER/TRG2/ON 0")) << link.Lines().join('|').toStdString();
  EXPECT_EQ(frame->Progress(), nullptr);
  EXPECT_EQ(link.Modes().last(), LINKMODE_NORMAL);
}

TEST_F(TriggerListTest, KeyEExportsTheListAsShown) {
  QTemporaryDir dir;
  FixedFileChooser chooser(dir.filePath("triggers.txt"));
  Open();
  view->SetFileChooser(&chooser);
  QTest::keyClick(view, Qt::Key_E);
  EXPECT_EQ(chooser.asked, 1);
  QFile file(dir.filePath("triggers.txt"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QList<QByteArray> lines = file.readAll().split('\n');
  ASSERT_GE(lines.size(), 4);
  EXPECT_EQ(lines[0], "Trigger\tID\tCondition\tDuration [s]\tON Macro\tOFF Macro\r");
  EXPECT_EQ(lines[2], "Trigger 2\t2\t\t0.0\t\t\r");
}

TEST_F(TriggerListTest, CancelledExportWritesNothing) {
  FixedFileChooser chooser{QString()};
  Open();
  view->SetFileChooser(&chooser);
  view->OnExportList();
  EXPECT_EQ(chooser.asked, 1);
  EXPECT_TRUE(messages.Requests().empty());
}

TEST_F(TriggerListTest, PrintsThePagesTheLayoutAsksFor) {
  QTemporaryDir dir;
  Open();
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(dir.filePath("list.pdf"));
  EXPECT_GE(view->PrintPageCount(printer), 1);
  ASSERT_TRUE(view->PrintTo(printer));
  EXPECT_GT(QFile(dir.filePath("list.pdf")).size(), 0);
}

TEST_F(TriggerListTest, SelectingAnEntryMakesItCurrentAndClearsTheHover) {
  Open();
  QTest::mouseMove(view->viewport(), view->CellRect(0, 2).center());
  view->SelectRow(2);
  EXPECT_EQ(view->GetCurrentID(), 3);
  EXPECT_FALSE(view->Hover().IsShown());
}

TEST_F(TriggerListTest, RemovedTriggerLeavesTheListWithoutItsRow) {
  Open();
  doc->DeleteObject(triggers[2]);
  EXPECT_EQ(view->RowCount(), 2);
  EXPECT_EQ(view->ObjectAt(1), triggers[3]);
}
