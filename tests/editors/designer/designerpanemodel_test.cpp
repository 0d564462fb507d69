// The designer's panes: rows of each pane, wiring and clearing, missing
// hardware, deletion, renaming, the drag record and the item limit.
#include "editors/designer/designerpanemodel.h"
#include "macros/cvirtctrl.h"
#include "macros/cvirtctrlitem.h"
#include "model/cidmanager.h"
#include "model/cselvantisdoc.h"
#include "model/devicetype.h"
#include "support/messagerecorder.h"
#include "support/tempprofile.h"

#include <gtest/gtest.h>

namespace {

class DesignerPaneModelTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(doc.OnNewDocument());
    block = CVirtCtrl::Find(&doc);
    ASSERT_NE(block, nullptr);
  }
  CVirtCtrlItem* Item(const char* name) {
    CVirtCtrlItem* item = CVirtCtrlItem::CreateItem(doc);
    EXPECT_NE(item, nullptr);
    if (item) item->Rename(QString::fromLatin1(name), false);
    return item;
  }
  static int RowOf(const DesignerPaneModel& model, int group, int index) {
    const auto& rows = model.Rows();
    for (size_t i = 0; i < rows.size(); ++i)
      if (rows[i].image == group && rows[i].index == index) return static_cast<int>(i);
    return -1;
  }
  TempProfile profile;
  MessageRecorder messages;
  CSelvantisDoc doc;
  CVirtCtrl* block = nullptr;
};

TEST_F(DesignerPaneModelTest, ItemsPaneListsItemsInIdOrderWithIdText) {
  Item("Gain");
  Item("Tone");
  DesignerPaneModel items(&doc, DesignerPaneModel::ItemsRole);
  items.Fill();
  ASSERT_EQ(items.Rows().size(), 2u);
  EXPECT_EQ(items.Rows()[0].label, QStringLiteral("Gain"));
  EXPECT_EQ(items.Rows()[0].name, QStringLiteral("1"));
  EXPECT_EQ(items.Rows()[1].image, DesignerPaneModel::kItemImage);
  EXPECT_EQ(items.Title(0), QStringLiteral("Virtual controller"));
  EXPECT_EQ(items.Title(1), QStringLiteral("ID"));
}

TEST_F(DesignerPaneModelTest, DestinationsWithoutHardwareHaveTheFixedRows) {
  DesignerPaneModel dest(&doc, DesignerPaneModel::DestinationsRole);
  dest.Fill();
  // No analog card, no amplifier: IN 4, OUT 4, alarm, chime, message,
  // monitor and 4 delays.
  EXPECT_EQ(dest.Rows().size(), 16u);
  EXPECT_EQ(dest.Rows()[0].label, QStringLiteral("IN1"));
  EXPECT_EQ(dest.Title(1), QStringLiteral("is affected by"));
  DesignerPaneModel src(&doc, DesignerPaneModel::SourcesRole);
  src.Fill();
  EXPECT_EQ(src.Rows().size(), 16u);  // only the shaft encoders
}

TEST_F(DesignerPaneModelTest, DropOnSelectedAlarmRowWiresTheItem) {
  Item("A");
  Item("B");
  CVirtCtrlItem* third = Item("Third");
  DesignerPaneModel dest(&doc, DesignerPaneModel::DestinationsRole);
  dest.Fill();
  const int alarm = RowOf(dest, CVirtCtrl::G_ALARM, 0);
  ASSERT_GE(alarm, 0);
  dest.SetSelectedRow(alarm);
  EXPECT_TRUE(dest.Drop(DesignerPaneModel::DragRecord(third->GetID())));
  EXPECT_EQ(block->GetLink(CVirtCtrl::G_ALARM, 0), 3);
  EXPECT_EQ(dest.Rows()[static_cast<size_t>(alarm)].name, QStringLiteral("Third"));
}

TEST_F(DesignerPaneModelTest, NothingIsWiredWithoutSelectedRowOrForUnknownItem) {
  Item("A");
  DesignerPaneModel dest(&doc, DesignerPaneModel::DestinationsRole);
  dest.Fill();
  dest.SetSelectedRow(-1);
  EXPECT_FALSE(dest.Wire(1));
  dest.SetSelectedRow(0);
  EXPECT_FALSE(dest.Wire(7));  // no item 7
  EXPECT_EQ(block->GetLink(CVirtCtrl::G_IN, 0), 0);
  EXPECT_TRUE(dest.Wire(1));
  EXPECT_EQ(block->GetLink(CVirtCtrl::G_IN, 0), 1);
}

TEST_F(DesignerPaneModelTest, MissingHardwareStaysListedWhileWired) {
  Item("A");
  // The analog card is gone but the input is still wired.
  ASSERT_TRUE(block->SetLink(CVirtCtrl::G_AD, 2, 1));
  DesignerPaneModel src(&doc, DesignerPaneModel::SourcesRole);
  src.Fill();
  const int row = RowOf(src, CVirtCtrl::G_AD, 2);
  ASSERT_GE(row, 0);
  EXPECT_TRUE(src.Rows()[static_cast<size_t>(row)].label.endsWith(QStringLiteral(" *")));
  EXPECT_EQ(src.Rows()[static_cast<size_t>(row)].name, QStringLiteral("A"));
  src.SetSelectedRow(row);
  EXPECT_TRUE(src.Clear());
  EXPECT_EQ(block->GetLink(CVirtCtrl::G_AD, 2), 0);
  EXPECT_TRUE(src.Rows()[static_cast<size_t>(row)].name.isEmpty());  // emptied in place
  src.Fill();
  EXPECT_LT(RowOf(src, CVirtCtrl::G_AD, 2), 0);
}

TEST_F(DesignerPaneModelTest, ItemsAreSourcesOnlyWhileTheyExist) {
  Item("A");
  Item("B");
  DesignerPaneModel src(&doc, DesignerPaneModel::SourcesRole);
  src.Fill();
  EXPECT_EQ(RowOf(src, CVirtCtrl::G_ITEM, 0), 0);
  EXPECT_EQ(RowOf(src, CVirtCtrl::G_ITEM, 1), 1);
  EXPECT_LT(RowOf(src, CVirtCtrl::G_ITEM, 2), 0);
  src.SetSelectedRow(0);
  EXPECT_TRUE(src.Wire(2));  // item 1 drives item 2: in item 1's own record
  EXPECT_EQ(block->GetLink(CVirtCtrl::G_ITEM, 0), 2);
}

TEST_F(DesignerPaneModelTest, DeletingAnItemRemovesItFromEveryRow) {
  Item("A");
  CVirtCtrlItem* b = Item("B");
  Item("C");
  const int id = b->GetID();
  block->SetLink(CVirtCtrl::G_ALARM, 0, id);
  block->SetLink(CVirtCtrl::G_ENCODER, 5, id);
  block->SetLink(CVirtCtrl::G_ITEM, 0, id);
  DesignerPaneModel items(&doc, DesignerPaneModel::ItemsRole);
  items.Fill();
  items.SetSelectedRow(1);
  EXPECT_TRUE(items.DeleteItem());
  EXPECT_EQ(doc.GetIDManager().FindBaseDevice(id, DT_VIRTCTRLITEM), nullptr);
  EXPECT_EQ(block->GetLink(CVirtCtrl::G_ALARM, 0), 0);
  EXPECT_EQ(block->GetLink(CVirtCtrl::G_ENCODER, 5), 0);
  EXPECT_EQ(block->GetLink(CVirtCtrl::G_ITEM, 0), 0);
  ASSERT_EQ(items.Rows().size(), 2u);
  // The row below becomes current.
  EXPECT_EQ(items.CurrentId(), 3);
  EXPECT_EQ(items.SelectedRow(), 1);
}

TEST_F(DesignerPaneModelTest, RenameOnlyInItemsPaneAndMadeUnique) {
  Item("Gain");
  Item("Tone");
  DesignerPaneModel dest(&doc, DesignerPaneModel::DestinationsRole);
  dest.Fill();
  dest.SetSelectedRow(0);
  EXPECT_FALSE(dest.Rename(QStringLiteral("X")));
  DesignerPaneModel items(&doc, DesignerPaneModel::ItemsRole);
  items.Fill();
  items.SetSelectedRow(1);
  items.Rename(QStringLiteral("Gain"));
  items.Fill();
  EXPECT_NE(items.Rows()[1].label, QStringLiteral("Gain"));
  EXPECT_EQ(items.Rows()[0].label, QStringLiteral("Gain"));
}

TEST_F(DesignerPaneModelTest, DragRecordIsTwelveLittleEndianBytes) {
  const QByteArray record = DesignerPaneModel::DragRecord(3);
  ASSERT_EQ(record.size(), 12);
  EXPECT_EQ(record, QByteArray::fromHex("3d860000"
                                        "04000000"
                                        "03000000"));
  EXPECT_EQ(DesignerPaneModel::ParseDragRecord(record), 3);
  EXPECT_EQ(DesignerPaneModel::ParseDragRecord(record.left(8)), 0);
  EXPECT_EQ(DesignerPaneModel::ParseDragRecord(DesignerPaneModel::DragRecord(41)), 0);
  QByteArray otherKind = record;
  otherKind[0] = 1;
  EXPECT_EQ(DesignerPaneModel::ParseDragRecord(otherKind), 0);
}

TEST_F(DesignerPaneModelTest, NewIsRefusedAtTheLimit) {
  DesignerPaneModel items(&doc, DesignerPaneModel::ItemsRole);
  EXPECT_TRUE(items.CanCreate());
  EXPECT_FALSE(items.CanDelete());
  const int max = CIDManager::GetMaxDevices(DT_VIRTCTRLITEM, doc.IsBigProject());
  for (int i = 0; i < max; ++i) ASSERT_NE(items.NewItem(), nullptr) << i;
  EXPECT_FALSE(items.CanCreate());
  EXPECT_TRUE(items.CanDelete());
  EXPECT_EQ(items.NewItem(), nullptr);
}

}  // namespace
