// The designer frame: three panes, drops delivered to a pane, the Delete
// key, the New/Delete buttons and the frame commands.
#include "editors/designer/cobjectfrm.h"
#include "editors/designer/cdesignerview.h"
#include "editors/designer/virtctrlvaluequeue.h"
#include "macros/cvirtctrl.h"
#include "macros/cvirtctrlitem.h"
#include "model/cidmanager.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/devicetype.h"
#include "support/dialogdriver.h"
#include "support/messagerecorder.h"
#include "support/recordinglink.h"
#include "support/tempprofile.h"
#include "../lists/listmousesupport.h"

#include <QAction>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPushButton>
#include <QToolTip>
#include <QTreeWidgetItem>

#include <gtest/gtest.h>

#include <memory>

namespace {

class CObjectFrmTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(doc.OnNewDocument());
    SetActiveDoc(&doc);
    block = CVirtCtrl::Find(&doc);
    ASSERT_NE(block, nullptr);
  }
  void TearDown() override {
    frame.reset();
    SetActiveDoc(nullptr);
  }
  void Open() {
    frame = std::make_unique<CObjectFrm>(HostFrameContext{&doc, nullptr, HostFrameKind::VirtualControllers});
    frame->resize(900, 400);
  }
  static int RowWithLabel(CDesignerView* view, const QString& label) {
    for (int r = 0; r < view->RowCount(); ++r)
      if (view->CellText(r, 0) == label) return r;
    return -1;
  }
  // The application hands a drop only to the widget that accepted the
  // drag entering it.
  static bool Drop(CDesignerView* view, QMimeData* data) {
    QDragEnterEvent enter(QPoint(5, 5), Qt::MoveAction | Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view->viewport(), &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(QPointF(5, 5), Qt::MoveAction | Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view->viewport(), &drop);
    return drop.isAccepted();
  }
  TempProfile profile;
  MessageRecorder messages;
  RecordingLink link;
  CSelvantisDoc doc;
  CVirtCtrl* block = nullptr;
  std::unique_ptr<CObjectFrm> frame;
};

TEST_F(CObjectFrmTest, PanesHaveTheirRoles) {
  Open();
  EXPECT_EQ(frame->Pane(0)->GetRole(), 32963);
  EXPECT_EQ(frame->Pane(1)->GetRole(), 32966);
  EXPECT_EQ(frame->Pane(2)->GetRole(), 32967);
  EXPECT_EQ(frame->Pane(1)->headerItem()->text(0), QStringLiteral("Source"));
  EXPECT_TRUE(frame->Action(CObjectFrm::kNew)->isEnabled());
  EXPECT_FALSE(frame->Action(CObjectFrm::kDelete)->isEnabled());
}

TEST_F(CObjectFrmTest, NewCommandAddsAnItemRow) {
  Open();
  EXPECT_TRUE(frame->OnCommand(CObjectFrm::kNew));
  EXPECT_EQ(frame->Pane(0)->RowCount(), 1);
  EXPECT_EQ(frame->Pane(1)->RowCount(), 17);  // the item is now also a source
  EXPECT_TRUE(frame->Action(CObjectFrm::kDelete)->isEnabled());
}

TEST_F(CObjectFrmTest, DroppedItemWiresTheSelectedDestinationRow) {
  for (int i = 0; i < 3; ++i) CVirtCtrlItem::CreateItem(doc);
  Open();
  CDesignerView* dest = frame->Pane(2);
  const int alarm = RowWithLabel(dest, QStringLiteral("Alarm"));
  ASSERT_GE(alarm, 0);
  dest->SelectRow(alarm);
  QMimeData* data = frame->Pane(0)->CreateDragData(2);
  ASSERT_NE(data, nullptr);
  EXPECT_TRUE(dest->CanAccept(data));
  EXPECT_EQ(dest->FirstSelectedRow(), alarm);
  EXPECT_TRUE(Drop(dest, data));
  delete data;
  EXPECT_EQ(block->GetLink(CVirtCtrl::G_ALARM, 0), 3);
  CBaseDevice* third = doc.GetIDManager().FindBaseDevice(3, DT_VIRTCTRLITEM);
  EXPECT_EQ(dest->CellText(RowWithLabel(dest, QStringLiteral("Alarm")), 1), third->GetName());
}

TEST_F(CObjectFrmTest, ForeignDataIsRefused) {
  CVirtCtrlItem::CreateItem(doc);
  Open();
  CDesignerView* dest = frame->Pane(2);
  dest->SelectRow(0);
  QMimeData text;
  text.setText(QStringLiteral("1"));
  EXPECT_FALSE(Drop(dest, &text));
  EXPECT_EQ(block->GetLink(CVirtCtrl::G_IN, 0), 0);
}

TEST_F(CObjectFrmTest, DeleteKeyClearsTheSelectedRow) {
  CVirtCtrlItem::CreateItem(doc);
  block->SetLink(CVirtCtrl::G_OUT, 1, 1);
  Open();
  CDesignerView* dest = frame->Pane(2);
  const int out2 = RowWithLabel(dest, QStringLiteral("OUT2"));
  ASSERT_GE(out2, 0);
  EXPECT_FALSE(dest->CellText(out2, 1).isEmpty());
  dest->SelectRow(out2);
  QKeyEvent key(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
  QCoreApplication::sendEvent(dest, &key);
  EXPECT_EQ(block->GetLink(CVirtCtrl::G_OUT, 1), 0);
  EXPECT_TRUE(dest->CellText(out2, 1).isEmpty());
}

TEST_F(CObjectFrmTest, DeleteKeyInItemsPaneDeletesTheItem) {
  CVirtCtrlItem::CreateItem(doc);
  block->SetLink(CVirtCtrl::G_CHIME, 0, 1);
  Open();
  frame->Pane(0)->SelectRow(0);
  QKeyEvent key(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
  QCoreApplication::sendEvent(frame->Pane(0), &key);
  EXPECT_EQ(doc.GetIDManager().GetCount(DT_VIRTCTRLITEM), 0);
  EXPECT_EQ(block->GetLink(CVirtCtrl::G_CHIME, 0), 0);
  EXPECT_EQ(frame->Pane(0)->RowCount(), 0);
  EXPECT_TRUE(frame->Pane(2)->CellText(RowWithLabel(frame->Pane(2), QStringLiteral("Chime")), 1).isEmpty());
}

TEST_F(CObjectFrmTest, NewIsDisabledAtTheLimit) {
  const int max = CIDManager::GetMaxDevices(DT_VIRTCTRLITEM, doc.IsBigProject());
  for (int i = 0; i < max; ++i) ASSERT_NE(CVirtCtrlItem::CreateItem(doc), nullptr);
  Open();
  EXPECT_FALSE(frame->Action(CObjectFrm::kNew)->isEnabled());
}

TEST_F(CObjectFrmTest, LabelEditOnlyInItemsPane) {
  CVirtCtrlItem::CreateItem(doc);
  Open();
  EXPECT_TRUE(frame->Pane(0)->topLevelItem(0)->flags() & Qt::ItemIsEditable);
  EXPECT_FALSE(frame->Pane(2)->topLevelItem(0)->flags() & Qt::ItemIsEditable);
  EXPECT_TRUE(frame->Pane(0)->OnEndLabelEdit(0, QStringLiteral("Master")));
  EXPECT_EQ(frame->Pane(0)->CellText(0, 0), QStringLiteral("Master"));
  EXPECT_EQ(frame->Pane(1)->CellText(0, 0), QStringLiteral("Master"));
  EXPECT_FALSE(frame->Pane(2)->OnEndLabelEdit(0, QStringLiteral("X")));
}

TEST_F(CObjectFrmTest, ValueQueueBelongsToItemsPane) {
  Open();
  frame->Pane(0)->QueueVirtCtrlValue(1, 2.0);
  ASSERT_NE(frame->Pane(0)->ValueQueue(), nullptr);
  EXPECT_EQ(frame->Pane(0)->ValueQueue()->Pending(), QStringLiteral("/VIRTCTRL/ENTRY1/VALUE 2.000000"));
  EXPECT_EQ(frame->Pane(2)->ValueQueue(), nullptr);
}

TEST_F(CObjectFrmTest, DropOnItemsPaneCreatesACurrentItem) {
  CVirtCtrlItem::CreateItem(doc);
  Open();
  QMimeData* data = frame->Pane(0)->CreateDragData(0);
  ASSERT_NE(data, nullptr);
  EXPECT_TRUE(Drop(frame->Pane(0), data));
  delete data;
  EXPECT_EQ(doc.GetIDManager().GetCount(DT_VIRTCTRLITEM), 2);
  EXPECT_EQ(frame->Pane(0)->GetCurrentID(), 2);
}

// Picks the row of the selection dialog whose first column is text.
void Choose(const QString& text) {
  DriveNextModal([text](QWidget* w) {
    auto* list = w->findChild<QTreeWidget*>("choices");
    ASSERT_NE(list, nullptr);
    list->clearSelection();
    const auto items = list->findItems(text, Qt::MatchExactly, 0);
    ASSERT_EQ(items.size(), 1) << text.toStdString();
    items.front()->setSelected(true);
    auto* buttons = w->findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    buttons->button(QDialogButtonBox::Ok)->click();
  });
}

TEST_F(CObjectFrmTest, DoubleClickChoiceWiresAndNoneClears) {
  CVirtCtrlItem* item = CVirtCtrlItem::CreateItem(doc);
  item->Rename(QStringLiteral("Fader"), false);
  Open();
  CDesignerView* dest = frame->Pane(2);
  const int delay = RowWithLabel(dest, QStringLiteral("DELAY2"));
  ASSERT_GE(delay, 0);
  dest->OnDoubleClick(delay, 0);  // column 0: nothing
  Choose(QStringLiteral("Fader"));
  dest->OnDoubleClick(delay, 1);
  EXPECT_EQ(block->GetLink(CVirtCtrl::G_DELAY, 1), 1);
  EXPECT_EQ(dest->CellText(RowWithLabel(dest, QStringLiteral("DELAY2")), 1), QStringLiteral("Fader"));
  Choose(LoadString(34421));
  dest->OnDoubleClick(RowWithLabel(dest, QStringLiteral("DELAY2")), 1);
  EXPECT_EQ(block->GetLink(CVirtCtrl::G_DELAY, 1), 0);
  EXPECT_TRUE(dest->CellText(RowWithLabel(dest, QStringLiteral("DELAY2")), 1).isEmpty());
}

TEST_F(CObjectFrmTest, DeviceDownloadSendsTheSelectedItemOnly) {
  CVirtCtrlItem::CreateItem(doc);
  CVirtCtrlItem::CreateItem(doc);
  Open();
  link.Clear();
  frame->Pane(0)->SelectRow(1);
  frame->Pane(0)->OnDeviceCommand(33179);
  QStringList expected;
  for (int s = 7; s <= 12; ++s) expected << block->StepLine(s, false);
  QStringList sent = link.Lines();
  sent.removeAll(QStringLiteral("/MACRO/LOCK ON"));
  sent.removeAll(QStringLiteral("/MACRO/LOCK OFF"));
  EXPECT_EQ(sent, expected);
  link.Clear();
  frame->Pane(2)->OnDeviceCommand(33179);  // not offered there
  EXPECT_TRUE(link.Lines().isEmpty());
}

// "No entry" chosen by a double click on a row empties its cell where it
// stands: no pane is refilled, so a row kept only by its link (no hardware
// behind it, marked " *") stays listed until the next refill.
TEST_F(CObjectFrmTest, NoneChosenByDoubleClickEmptiesTheCellInPlace) {
  CVirtCtrlItem* item = CVirtCtrlItem::CreateItem(doc);
  item->Rename(QStringLiteral("Fader"), false);
  block->SetLink(CVirtCtrl::G_DA, 2, 1);
  Open();
  CDesignerView* dest = frame->Pane(2);
  int row = -1;
  for (int r = 0; r < dest->RowCount(); ++r)
    if (dest->CellText(r, 0).endsWith(QStringLiteral(" *"))) row = r;
  ASSERT_GE(row, 0);
  ASSERT_EQ(dest->CellText(row, 1), QStringLiteral("Fader"));
  const QString label = dest->CellText(row, 0);
  const int rows = dest->RowCount();
  ListMouse mouse(dest);
  ASSERT_TRUE(mouse.Ready());
  Choose(LoadString(34421));
  mouse.DoubleClick(row, 1);
  EXPECT_EQ(block->GetLink(CVirtCtrl::G_DA, 2), 0);
  ASSERT_EQ(dest->RowCount(), rows);
  EXPECT_EQ(dest->CellText(row, 0), label);
  EXPECT_TRUE(dest->CellText(row, 1).isEmpty());
  EXPECT_EQ(dest->FirstSelectedRow(), row);
  dest->FillList();
  EXPECT_EQ(dest->RowCount(), rows - 1);
}

// Wiring refills only the pane it wires. A destination row that "No entry"
// emptied in place (kept only by its link, marked " *") stays listed, and
// stays selected, when a sources row is wired next, by a double click and
// the item's choice or by dropping the item on it.
TEST_F(CObjectFrmTest, WiringASourceLeavesTheDestinationsPaneAsItIs) {
  for (const bool byDrop : {false, true}) {
    SCOPED_TRACE(byDrop ? "drop" : "double click");
    frame.reset();
    for (int i = 0; i < CVirtCtrl::GroupSize(CVirtCtrl::G_ENCODER); ++i) block->SetLink(CVirtCtrl::G_ENCODER, i, 0);
    if (!doc.GetIDManager().FindBaseDevice(1, DT_VIRTCTRLITEM)) {
      CVirtCtrlItem* item = CVirtCtrlItem::CreateItem(doc);
      ASSERT_NE(item, nullptr);
      item->Rename(QStringLiteral("Fader"), false);
    }
    block->SetLink(CVirtCtrl::G_DA, 2, 1);
    Open();
    CDesignerView* dest = frame->Pane(2);
    CDesignerView* sources = frame->Pane(1);
    int row = -1;
    for (int r = 0; r < dest->RowCount(); ++r)
      if (dest->CellText(r, 0).endsWith(QStringLiteral(" *"))) row = r;
    ASSERT_GE(row, 0);
    const QString label = dest->CellText(row, 0);
    const int rows = dest->RowCount();
    ListMouse destMouse(dest);
    ASSERT_TRUE(destMouse.Ready());
    Choose(LoadString(34421));
    destMouse.DoubleClick(row, 1);
    ASSERT_EQ(block->GetLink(CVirtCtrl::G_DA, 2), 0);
    ASSERT_EQ(dest->RowCount(), rows);

    // The first shaft encoder follows the item rows.
    const int encoder = 1;
    ASSERT_TRUE(sources->CellText(encoder, 1).isEmpty());
    if (byDrop) {
      sources->SelectRow(encoder);
      QMimeData* data = frame->Pane(0)->CreateDragData(0);
      ASSERT_NE(data, nullptr);
      EXPECT_TRUE(Drop(sources, data));
      delete data;
    } else {
      ListMouse sourceMouse(sources);
      Choose(QStringLiteral("Fader"));
      sourceMouse.DoubleClick(encoder, 1);
    }
    EXPECT_EQ(block->GetLink(CVirtCtrl::G_ENCODER, 0), 1);
    EXPECT_EQ(sources->CellText(encoder, 1), QStringLiteral("Fader"));
    EXPECT_EQ(sources->FirstSelectedRow(), encoder);
    // The destinations pane is as the user left it.
    EXPECT_EQ(dest->RowCount(), rows);
    EXPECT_EQ(dest->CellText(row, 0), label);
    EXPECT_TRUE(dest->CellText(row, 1).isEmpty());
    EXPECT_EQ(dest->FirstSelectedRow(), row);
  }
}

// Resting the mouse on a row shows the row's tip in red, over each of its
// columns.
TEST_F(CObjectFrmTest, RowTipIsRedOverEveryColumn) {
  CVirtCtrlItem::CreateItem(doc);
  Open();
  CDesignerView* dest = frame->Pane(2);
  const int row = RowWithLabel(dest, QStringLiteral("IN2"));
  ASSERT_GE(row, 0);
  ListMouse mouse(dest);
  ASSERT_TRUE(mouse.Ready());
  frame->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
  for (const int column : {0, 1}) {
    QToolTip::hideText();
    const QPoint at = dest->CellRect(row, column).center();
    QTest::mouseMove(dest->viewport(), at - QPoint(0, 1));
    QTest::mouseMove(dest->viewport(), at);
    ASSERT_TRUE(QTest::qWaitFor([] { return QToolTip::isVisible(); }, 20000)) << column;
    EXPECT_TRUE(QToolTip::text().contains(QStringLiteral("IN2"))) << column;
    EXPECT_TRUE(QToolTip::text().contains(QStringLiteral("color=\"#ff0000\""))) << column;
  }
  QToolTip::hideText();
}

}  // namespace
