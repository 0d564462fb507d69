#include "shell/controls/ceditablelistctrl.h"
#include "shell/controls/cinplaceedit.h"
#include "shell/controls/listcolumnlayout.h"
#include "shell/controls/qstringprinter.h"

#include <QApplication>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace {

TEST(ListColumnLayoutTest, WidthsAreSharesOfTheClientWidth) {
  ListColumnLayout layout;
  layout.AddColumn("Nr", 10);
  layout.AddColumn("Name", 40);
  layout.AddColumn("Macro", 50);
  EXPECT_EQ(layout.Widths(400), (std::vector<int>{40, 160, 200}));
  // 333 px: 33 + 133 + 166 = 332; the last column takes the lost pixel.
  const std::vector<int> widths = layout.Widths(333);
  EXPECT_EQ(widths, (std::vector<int>{33, 133, 167}));
  EXPECT_EQ(std::accumulate(widths.begin(), widths.end(), 0), 333);
}

TEST(ListColumnLayoutTest, SharesBelowAHundredLeaveRoomAndBadValuesAreClamped) {
  ListColumnLayout layout;
  layout.AddColumn("A", 30);
  layout.AddColumn("B", 150);  // more than the whole list
  layout.AddColumn("C", -20);
  EXPECT_EQ(layout.At(1)->percent, 100);
  EXPECT_EQ(layout.At(2)->percent, 0);
  EXPECT_EQ(layout.Widths(200), (std::vector<int>{60, 200, 0}));
  ListColumnLayout partial;
  partial.AddColumn("A", 25);
  partial.AddColumn("B", 25);
  EXPECT_EQ(partial.Widths(200), (std::vector<int>{50, 50}));
  EXPECT_EQ(partial.Widths(-10), (std::vector<int>{0, 0}));
}

TEST(ListColumnLayoutTest, PercentOfAResizedColumnRounds) {
  EXPECT_EQ(ListColumnLayout::PercentOf(101, 400), 25);
  EXPECT_EQ(ListColumnLayout::PercentOf(102, 400), 26);
  EXPECT_EQ(ListColumnLayout::PercentOf(500, 400), 100);
  EXPECT_EQ(ListColumnLayout::PercentOf(50, 0), 0);
}

TEST(ListColumnLayoutTest, EditorKindPerColumnAndNoneOutside) {
  ListColumnLayout layout;
  layout.AddColumn("Time", 30, ListEditorKind::Time);
  layout.AddColumn("Name", 70);
  EXPECT_EQ(layout.EditorOf(0), ListEditorKind::Time);
  EXPECT_EQ(layout.EditorOf(1), ListEditorKind::Text);
  EXPECT_EQ(layout.EditorOf(2), ListEditorKind::None);
  EXPECT_EQ(layout.EditorOf(-1), ListEditorKind::None);
}

class EditableListTest : public testing::Test {
 protected:
  void SetUp() override {
    m_list.resize(420, 300);
    m_list.InsertColumn("Nr", 20, ListEditorKind::None);
    m_list.InsertColumn("Name", 80);
    for (int i = 0; i < 5; ++i) {
      const int row = m_list.AppendItem({QString::number(i + 1), QString("Zone %1").arg(i + 1)});
      m_list.SetItemData(row, 100 + i);
    }
    m_list.show();
    m_list.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_list));
  }
  CEditableListCtrl m_list;
};

TEST_F(EditableListTest, ColumnsFollowTheWidthOfTheList) {
  const int client = m_list.GetClientWidth();
  EXPECT_EQ(m_list.columnWidth(0), client * 20 / 100);
  EXPECT_EQ(m_list.columnWidth(0) + m_list.columnWidth(1), client);
  m_list.resize(820, 300);
  QApplication::processEvents();
  EXPECT_EQ(m_list.columnWidth(0), m_list.GetClientWidth() * 20 / 100);
}

TEST_F(EditableListTest, AColumnResizedByTheUserKeepsItsNewShare) {
  const int client = m_list.GetClientWidth();
  m_list.header()->resizeSection(0, client / 2);  // as a drag of the column edge does
  EXPECT_EQ(m_list.Columns().At(0)->percent, 50);
  m_list.resize(620, 300);
  QApplication::processEvents();
  EXPECT_EQ(m_list.columnWidth(0), m_list.GetClientWidth() / 2);
}

TEST_F(EditableListTest, GetSelectedItemsAppendsTheSelectedRowsInOrder) {
  m_list.SelectRow(3);
  m_list.SelectRow(1);
  std::vector<int> rows{99};  // appended to, not replaced
  EXPECT_EQ(m_list.GetSelectedItems(&rows), 2);
  EXPECT_EQ(rows, (std::vector<int>{99, 1, 3}));
  EXPECT_EQ(m_list.GetItemData(3), 103);
  EXPECT_EQ(m_list.GetSelectedItems(nullptr), 2);
  m_list.DeleteAllItems();
  EXPECT_EQ(m_list.GetSelectedItems(nullptr), 0);
}

TEST_F(EditableListTest, CellAccessOutsideTheListIsHarmless) {
  EXPECT_FALSE(m_list.SetItemText(9, 0, "x"));
  EXPECT_FALSE(m_list.SetItemText(0, 7, "x"));
  EXPECT_EQ(m_list.GetItemText(-1, 0), QString());
  EXPECT_EQ(m_list.GetItemData(50), 0);
  EXPECT_FALSE(m_list.DeleteItem(5));
  EXPECT_EQ(m_list.EditCell(7, 1), nullptr);
}

TEST_F(EditableListTest, EditingACellReportsRowColumnAndTextButChangesNothingItself) {
  QSignalSpy ends(&m_list, &CEditableListCtrl::endLabelEdit);
  EXPECT_EQ(m_list.EditCell(2, 0), nullptr);  // the number column is not edited
  QWidget* editor = m_list.EditCell(2, 1);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(m_list.EditCell(3, 1), nullptr);  // one edit at a time
  auto* edit = qobject_cast<CInPlaceEdit*>(editor);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->text(), "Zone 3");
  QTest::keyClicks(edit, "Hall");
  QTest::keyClick(edit, Qt::Key_Return);
  ASSERT_EQ(ends.count(), 1);
  EXPECT_EQ(ends.at(0).at(0).toInt(), 2);
  EXPECT_EQ(ends.at(0).at(1).toInt(), 1);
  EXPECT_EQ(ends.at(0).at(2).toString(), "Hall");
  EXPECT_FALSE(ends.at(0).at(3).toBool());
  EXPECT_EQ(m_list.GetItemText(2, 1), "Zone 3");  // the owner decides
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_NE(m_list.EditCell(3, 1), nullptr);  // the next edit may open
}

TEST_F(EditableListTest, DoubleClickOpensTheEditorOnlyWithLabelEditing) {
  QSignalSpy clicks(&m_list, &CEditableListCtrl::cellDoubleClicked);
  const QTreeWidgetItem* item = m_list.topLevelItem(1);
  const QPoint pos = m_list.visualItemRect(item).center() + QPoint(m_list.columnWidth(0) / 2, 0);
  QTest::mouseDClick(m_list.viewport(), Qt::LeftButton, Qt::NoModifier, pos);
  EXPECT_EQ(clicks.count(), 1);
  EXPECT_EQ(m_list.CurrentEditor(), nullptr);

  m_list.SetLabelEditing(true);
  QTest::mouseDClick(m_list.viewport(), Qt::LeftButton, Qt::NoModifier, pos);
  ASSERT_NE(m_list.CurrentEditor(), nullptr);
  QTest::keyClick(m_list.CurrentEditor(), Qt::Key_Escape);
}

TEST_F(EditableListTest, DragCursorOnlyOverSelectedRows) {
  EXPECT_FALSE(m_list.WantsDragCursorAt(0));
  m_list.SelectRow(0);
  EXPECT_FALSE(m_list.WantsDragCursorAt(0));  // no cursor set
  m_list.SetDragCursor(QCursor(Qt::DragMoveCursor));
  EXPECT_TRUE(m_list.WantsDragCursorAt(0));
  EXPECT_FALSE(m_list.WantsDragCursorAt(1));
  EXPECT_FALSE(m_list.WantsDragCursorAt(-1));
}

}  // namespace
