// The zone-and-group selection dialog: what the two lists show, what a drop
// moves, and when the caller's list is rewritten.

#include "amps/ui/clinesgroupsdlg.h"
#include "amps/cgroup.h"
#include "amps/clangroup.h"
#include "amps/czone.h"
#include "amps/ui/linesgroupsdrag.h"
#include "amps/ui/linesgroupsstate.h"
#include "amps/ui/linesgroupstestsupport.h"
#include "model/cselvantisdoc.h"
#include "shell/controls/ceditablelistctrl.h"
#include "support/dialogdriver.h"
#include "support/messagerecorder.h"
#include "support/tempprofile.h"

#include <QCoreApplication>
#include <QMimeData>
#include <QPushButton>
#include <QTreeWidgetItem>

#include <gtest/gtest.h>

#include <memory>

namespace {

using Side = LinesGroupsState::Side;

// Zones 1..3, the root group and groups 1..2, created in an order that
// differs from identifier order.
struct LinesGroupsProject {
  CSelvantisDoc doc;
  CGroup* root = nullptr;
  std::vector<CZone*> zones;
  std::vector<CGroup*> groups;

  LinesGroupsProject() {
    root = CGroup::EnsureRoot(doc);
    groups.push_back(CGroup::CreateIn(doc, QRect(), CGroup::kLevelFromZone));
    for (int i = 0; i < 3; ++i) {
      auto zone = std::make_unique<CZone>();
      if (zone->Create(0, 1, 1, QString(), QRect(0, 0, 32, 32), CAT_ZONES, CZone::kBitmap, 3, &doc))
        zones.push_back(doc.Adopt(std::move(zone)));
    }
    groups.push_back(CGroup::CreateIn(doc, QRect(), CGroup::kLevelFromZone));
    for (size_t i = 0; i < zones.size(); ++i) zones[i]->SetName(QStringLiteral("Z%1").arg(i + 1));
    root->SetName(QStringLiteral("All"));
    for (size_t i = 0; i < groups.size(); ++i) groups[i]->SetName(QStringLiteral("G%1").arg(i + 1));
  }
};

}  // namespace

TEST(LinesGroupsStateTest, EmptyChoiceOffersEveryZoneThenEveryGroupByIdentifier) {
  LinesGroupsProject p;
  LinesGroupsState state;
  state.Fill(&p.doc, {});
  EXPECT_EQ(Names(state.Rows(Side::Unused)), (QStringList{"Z1", "Z2", "Z3", "All", "G1", "G2"}));
  EXPECT_TRUE(state.Rows(Side::Selected).empty());
  EXPECT_FALSE(state.IsChanged());
}

TEST(LinesGroupsStateTest, ChosenObjectsMoveRightInTheCallersOrderAndOthersAreLeftOut) {
  LinesGroupsProject p;
  CLANGroup* lan = CLANGroup::CreateIn(p.doc, QRect());
  ASSERT_NE(lan, nullptr);
  LinesGroupsState state;
  // The LAN group is neither zone nor group; the second Z3 must not give a
  // second row.
  state.Fill(&p.doc, {p.groups[1], lan, p.zones[2], nullptr, p.zones[2]});
  EXPECT_EQ(Names(state.Rows(Side::Selected)), (QStringList{"G2", "Z3"}));
  EXPECT_EQ(Names(state.Rows(Side::Unused)), (QStringList{"Z1", "Z2", "All", "G1"}));
}

TEST(LinesGroupsStateTest, MoveAppendsInSourceOrderAndReselectsTheRowsThatMoveUp) {
  LinesGroupsProject p;
  LinesGroupsState state;
  state.Fill(&p.doc, {p.zones[0]});
  // Unused: Z2 Z3 All G1 G2; rows 3, 1, 2 given out of order and one twice.
  const LinesGroupsState::MoveResult result = state.Move(Side::Unused, {3, 1, 2, 3, 17, -1});
  EXPECT_EQ(result.moved, 3);
  EXPECT_EQ(Names(state.Rows(Side::Selected)), (QStringList{"Z1", "Z3", "All", "G1"}));
  EXPECT_EQ(Names(state.Rows(Side::Unused)), (QStringList{"Z2", "G2"}));
  // G2 moved up into each gap: row 1 is the one left selected.
  EXPECT_EQ(result.reselect, (std::vector<int>{1}));
  EXPECT_TRUE(state.IsChanged());

  // Back from the right: nothing is reselected there.
  const LinesGroupsState::MoveResult back = state.Move(Side::Selected, {0});
  EXPECT_TRUE(back.reselect.empty());
  EXPECT_EQ(Names(state.Rows(Side::Unused)), (QStringList{"Z2", "G2", "Z1"}));
}

TEST(LinesGroupsStateTest, MovingNothingIsNoChangeAndApplyKeepsTheList) {
  LinesGroupsProject p;
  LinesGroupsState state;
  state.Fill(&p.doc, {});
  EXPECT_EQ(state.Move(Side::Unused, {}).moved, 0);
  EXPECT_EQ(state.Move(Side::Selected, {0}).moved, 0);
  EXPECT_FALSE(state.IsChanged());
  std::vector<CBaseDevice*> list{p.zones[1]};
  state.Apply(list);
  EXPECT_EQ(list, (std::vector<CBaseDevice*>{p.zones[1]}));
}

TEST(LinesGroupsStateTest, NoDocumentGivesNoRowsInsteadOfACrash) {
  LinesGroupsState state;
  state.Fill(nullptr, {});
  EXPECT_TRUE(state.Rows(Side::Unused).empty());
}

TEST(LinesGroupsDragTest, DataOnlyCountsForTheDialogItCameFrom) {
  QObject dialog;
  QObject other;
  std::unique_ptr<QMimeData> data(LinesGroupsDrag::MakeData(&dialog, 1207));
  EXPECT_EQ(LinesGroupsDrag::SourceOf(data.get(), &dialog), 1207);
  EXPECT_EQ(LinesGroupsDrag::SourceOf(data.get(), &other), 0);
  QMimeData text;
  text.setText(QStringLiteral("Z1"));
  EXPECT_EQ(LinesGroupsDrag::SourceOf(&text, &dialog), 0);
  QMimeData broken;
  broken.setData(LinesGroupsDrag::MimeType(), "garbage");
  EXPECT_EQ(LinesGroupsDrag::SourceOf(&broken, &dialog), 0);
}

class CLinesGroupsDlgTest : public ::testing::Test {
 protected:
  TempProfile m_profile;
  MessageRecorder m_messages;
  LinesGroupsProject p;
};

TEST_F(CLinesGroupsDlgTest, OpensWithBothListsFilledAndTheNameColumn) {
  std::vector<CBaseDevice*> list{p.groups[0]};
  CLinesGroupsDlg dlg(&list, nullptr, &p.doc);
  dlg.show();
  EXPECT_EQ(dlg.windowTitle(), "Lines and Groups");
  EXPECT_EQ(dlg.GetTemplateId(), 430u);
  EXPECT_EQ(Texts(dlg.GetUnusedList()), (QStringList{"Z1", "Z2", "Z3", "All", "G2"}));
  EXPECT_EQ(Texts(dlg.GetSelectedList()), (QStringList{"G1"}));
  EXPECT_EQ(dlg.GetUnusedList()->headerItem()->text(0), "Name");
  EXPECT_EQ(dlg.GetUnusedList()->Columns().Count(), 1);
  // Every row carries its object.
  EXPECT_EQ(dlg.GetSelectedList()->GetItemData(0), static_cast<qint64>(reinterpret_cast<quintptr>(p.groups[0])));
  EXPECT_FALSE(dlg.GetUnusedList()->topLevelItem(0)->icon(0).isNull());
  dlg.reject();
}

TEST_F(CLinesGroupsDlgTest, OkWithoutADropLeavesTheCallersListUntouched) {
  CLANGroup* lan = CLANGroup::CreateIn(p.doc, QRect());
  std::vector<CBaseDevice*> list{lan, p.zones[1], p.zones[1]};
  const std::vector<CBaseDevice*> before = list;
  DriveNextModal([](QWidget* w) {
    auto* dlg = qobject_cast<CLinesGroupsDlg*>(w);
    ASSERT_NE(dlg, nullptr);
    dlg->findChild<QPushButton*>(QStringLiteral("ok"))->click();
  });
  CLinesGroupsDlg dlg(&list, nullptr, &p.doc);
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(list, before);
}

TEST_F(CLinesGroupsDlgTest, DroppedRowsMoveAndOkHandsBackTheSelectedListInOrder) {
  CLANGroup* lan = CLANGroup::CreateIn(p.doc, QRect());
  std::vector<CBaseDevice*> list{lan, p.zones[2]};
  CLinesGroupsDlg dlg(&list, nullptr, &p.doc);
  dlg.show();
  // Unused: Z1 Z2 All G1 G2. Three rows at once, chosen in reverse.
  CEditableListCtrl* unused = dlg.GetUnusedList();
  unused->clearSelection();
  for (int row : {4, 2, 0}) unused->SelectRow(row);
  Drop(dlg.GetSelectedList()->viewport(), dlg.MakeDragData(CLinesGroupsDlg::IDC_UNUSED_LIST));
  EXPECT_EQ(Texts(dlg.GetSelectedList()), (QStringList{"Z3", "Z1", "All", "G2"}));
  EXPECT_EQ(Texts(unused), (QStringList{"Z2", "G1"}));
  // The rows that moved up are selected, the lowest one current.
  std::vector<int> selected;
  unused->GetSelectedItems(&selected);
  EXPECT_EQ(selected, (std::vector<int>{0, 1}));
  EXPECT_EQ(unused->currentItem(), unused->topLevelItem(0));
  EXPECT_EQ(list.size(), 2u) << "nothing is written before OK";

  dlg.accept();
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  // The LAN group was not a row: it is gone from the result.
  EXPECT_EQ(Names(list), (QStringList{"Z3", "Z1", "All", "G2"}));
}

TEST_F(CLinesGroupsDlgTest, DragBackFromTheSelectedList) {
  std::vector<CBaseDevice*> list{p.zones[0], p.groups[1]};
  CLinesGroupsDlg dlg(&list, nullptr, &p.doc);
  dlg.show();
  SelectRows(dlg.GetSelectedList(), {0});
  Drop(dlg.GetUnusedList()->viewport(), dlg.MakeDragData(CLinesGroupsDlg::IDC_SELECTED_LIST));
  EXPECT_EQ(Texts(dlg.GetUnusedList()), (QStringList{"Z2", "Z3", "All", "G1", "Z1"}));
  dlg.accept();
  EXPECT_EQ(Names(list), (QStringList{"G2"}));
}

TEST_F(CLinesGroupsDlgTest, DropOutsideTheOtherListChangesNothing) {
  std::vector<CBaseDevice*> list{p.zones[0]};
  CLinesGroupsDlg dlg(&list, nullptr, &p.doc);
  dlg.show();
  SelectRows(dlg.GetUnusedList(), {0, 1});
  // On its own list.
  Drop(dlg.GetUnusedList()->viewport(), dlg.MakeDragData(CLinesGroupsDlg::IDC_UNUSED_LIST));
  // Data of another dialog, and plain text.
  CLinesGroupsDlg other(&list, nullptr, &p.doc);
  Drop(dlg.GetSelectedList()->viewport(), other.MakeDragData(CLinesGroupsDlg::IDC_UNUSED_LIST));
  auto* text = new QMimeData();
  text->setText(QStringLiteral("Z2"));
  Drop(dlg.GetSelectedList()->viewport(), text);
  EXPECT_FALSE(dlg.DropRows(CLinesGroupsDlg::IDC_UNUSED_LIST, CLinesGroupsDlg::IDC_UNUSED_LIST));
  EXPECT_FALSE(dlg.GetState().IsChanged());
  EXPECT_EQ(Texts(dlg.GetSelectedList()), (QStringList{"Z1"}));
  dlg.accept();
  EXPECT_EQ(list, (std::vector<CBaseDevice*>{p.zones[0]}));
}

TEST_F(CLinesGroupsDlgTest, CancelAfterADropKeepsTheList) {
  std::vector<CBaseDevice*> list;
  DriveNextModal([](QWidget* w) {
    auto* dlg = qobject_cast<CLinesGroupsDlg*>(w);
    ASSERT_NE(dlg, nullptr);
    SelectRows(dlg->GetUnusedList(), {0});
    Drop(dlg->GetSelectedList()->viewport(), dlg->MakeDragData(CLinesGroupsDlg::IDC_UNUSED_LIST));
    EXPECT_EQ(dlg->GetSelectedList()->GetItemCount(), 1);
    dlg->findChild<QPushButton*>(QStringLiteral("cancel"))->click();
  });
  CLinesGroupsDlg dlg(&list, nullptr, &p.doc);
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_TRUE(list.empty());
}

TEST_F(CLinesGroupsDlgTest, AnObjectDeletedWhileOpenLeavesTheListsAndTheResult) {
  std::vector<CBaseDevice*> list{p.zones[0], p.zones[1]};
  CLinesGroupsDlg dlg(&list, nullptr, &p.doc);
  dlg.show();
  p.doc.DeleteObject(p.zones[1]);
  EXPECT_EQ(Texts(dlg.GetSelectedList()), (QStringList{"Z1"}));
  EXPECT_FALSE(Texts(dlg.GetUnusedList()).contains("Z2"));
  dlg.accept();
  // No pointer to the deleted zone is handed back.
  EXPECT_EQ(list, (std::vector<CBaseDevice*>{p.zones[0]}));
}

TEST_F(CLinesGroupsDlgTest, LanGroupPropertiesTakeTheChosenMembers) {
  CLANGroup* lan = CLANGroup::CreateIn(p.doc, QRect());
  ASSERT_NE(lan, nullptr);
  CBaseDevice::Connect(p.zones[0], 0, lan, CLANGroup::kMemberPin);
  lan->RefreshMemberText();
  ASSERT_EQ(lan->GetMemberText(0), "1");
  DriveNextModal([](QWidget* w) {
    auto* dlg = qobject_cast<CLinesGroupsDlg*>(w);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(Texts(dlg->GetSelectedList()), (QStringList{"Z1"}));
    // Z3 in, Z1 out.
    SelectRows(dlg->GetUnusedList(), {1});
    Drop(dlg->GetSelectedList()->viewport(), dlg->MakeDragData(CLinesGroupsDlg::IDC_UNUSED_LIST));
    SelectRows(dlg->GetSelectedList(), {0});
    Drop(dlg->GetUnusedList()->viewport(), dlg->MakeDragData(CLinesGroupsDlg::IDC_SELECTED_LIST));
    dlg->accept();
  });
  EXPECT_TRUE(lan->ShowProperties());
  EXPECT_EQ(lan->GetMembers(), (std::vector<CBaseDevice*>{p.zones[2]}));
  EXPECT_EQ(lan->GetMemberText(0), "3");
}

TEST_F(CLinesGroupsDlgTest, CancelledLanGroupPropertiesChangeNothing) {
  CLANGroup* lan = CLANGroup::CreateIn(p.doc, QRect());
  CBaseDevice::Connect(p.zones[0], 0, lan, CLANGroup::kMemberPin);
  DriveNextModal([](QWidget* w) {
    auto* dlg = qobject_cast<CLinesGroupsDlg*>(w);
    ASSERT_NE(dlg, nullptr);
    SelectRows(dlg->GetSelectedList(), {0});
    Drop(dlg->GetUnusedList()->viewport(), dlg->MakeDragData(CLinesGroupsDlg::IDC_SELECTED_LIST));
    dlg->reject();
  });
  EXPECT_FALSE(lan->ShowProperties());
  EXPECT_EQ(lan->GetMembers(), (std::vector<CBaseDevice*>{p.zones[0]}));
}
