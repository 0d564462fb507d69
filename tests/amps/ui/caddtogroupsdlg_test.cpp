// The group-membership dialog: the tree of groups, the candidates a group
// may take, drops that connect and disconnect members at once, and renames.

#include "amps/ui/caddtogroupsdlg.h"
#include "amps/cgroup.h"
#include "amps/czone.h"
#include "amps/ui/addtogroupsstate.h"
#include "amps/ui/linesgroupstestsupport.h"
#include "model/cselvantisdoc.h"
#include "shell/controls/ceditablelistctrl.h"
#include "shell/controls/cresizabletreectrl.h"
#include "support/dialogdriver.h"
#include "support/messagerecorder.h"
#include "support/tempprofile.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTest>
#include <QTreeWidgetItem>

#include <gtest/gtest.h>

#include <memory>

namespace {

// The root group, zones Z1..Z4, level-1 groups G1 (with Z1) and G2 (with
// Z2), and the level-2 group G3 that holds G1.
struct Project {
  CSelvantisDoc doc;
  CGroup* root = nullptr;
  std::vector<CZone*> zones;
  CGroup* g1 = nullptr;
  CGroup* g2 = nullptr;
  CGroup* g3 = nullptr;

  explicit Project(bool withGroups = true) {
    for (int i = 0; i < 4; ++i) {
      auto zone = std::make_unique<CZone>();
      if (zone->Create(0, 1, 1, QString(), QRect(0, 0, 32, 32), CAT_ZONES, CZone::kBitmap, 3, &doc))
        zones.push_back(doc.Adopt(std::move(zone)));
      zones.back()->SetName(QStringLiteral("Z%1").arg(i + 1));
    }
    if (!withGroups) return;
    root = CGroup::EnsureRoot(doc);
    root->SetName(QStringLiteral("All"));
    g1 = CGroup::CreateIn(doc, QRect(), CGroup::kLevelFromZone);
    g2 = CGroup::CreateIn(doc, QRect(), CGroup::kLevelFromZone);
    g3 = CGroup::CreateIn(doc, QRect(), CGroup::kLevelAdded);
    g1->SetName(QStringLiteral("G1"));
    g2->SetName(QStringLiteral("G2"));
    g3->SetName(QStringLiteral("G3"));
    CBaseDevice::Connect(zones[0], 0, g1, 0);
    CBaseDevice::Connect(zones[1], 0, g2, 0);
    CBaseDevice::Connect(g1, 0, g3, 0);
  }
};

// "G1[Z1]" per root.
QStringList TreeTexts(const CResizableTreeCtrl* tree) {
  QStringList texts;
  for (int i = 0; i < tree->topLevelItemCount(); ++i) {
    const QTreeWidgetItem* root = tree->topLevelItem(i);
    QStringList children;
    for (int c = 0; c < root->childCount(); ++c) children << root->child(c)->text(0);
    texts << root->text(0) + "[" + children.join(",") + "]";
  }
  return texts;
}

// A member connected to a group at both ends, pin 0 to pin 0.
bool Joined(const CBaseDevice* member, const CGroup* group) {
  bool out = false;
  bool in = false;
  for (const ConnectionRecord& r : member->GetOutputConnections())
    out = out || (r.pPeer == group && r.nOwnPin == 0 && r.nPeerPin == 0 && r.nPeerCategory == CAT_GROUPS);
  for (const ConnectionRecord& r : group->GetInputConnections())
    in = in || (r.pPeer == member && r.nOwnPin == 0 && r.nPeerPin == 0 && r.nPeerCategory == member->GetCategory());
  return out && in;
}

}  // namespace

TEST(AddToGroupsStateTest, CandidatesRespectLevelsMembersAndTheRootGroup) {
  Project p;
  AddToGroupsState state;
  state.Fill(&p.doc);
  EXPECT_EQ(Names(state.BaseList()), (QStringList{"Z1", "Z2", "Z3", "Z4", "G1", "G2", "G3"}));
  // The root takes every zone and every lower group.
  EXPECT_EQ(Names(state.CandidatesFor(p.root)), (QStringList{"Z1", "Z2", "Z3", "Z4", "G1", "G2", "G3"}));
  // A level-1 group takes zones only, not its own member.
  EXPECT_EQ(Names(state.CandidatesFor(p.g1)), (QStringList{"Z2", "Z3", "Z4"}));
  // A level-2 group: zones and level-1 groups, but not G1 (a member) nor
  // itself.
  EXPECT_EQ(Names(state.CandidatesFor(p.g3)), (QStringList{"Z1", "Z2", "Z3", "Z4", "G2"}));
  // Not a group: nothing.
  EXPECT_TRUE(state.CandidatesFor(p.zones[0]).empty());
  EXPECT_TRUE(state.CandidatesFor(nullptr).empty());
}

TEST(AddToGroupsStateTest, TreeHasEveryGroupInListOrderWithItsMembers) {
  Project p;
  AddToGroupsState state;
  state.Fill(&p.doc);
  const std::vector<AddToGroupsState::GroupNode> tree = state.BuildTree();
  ASSERT_EQ(tree.size(), 4u);
  EXPECT_EQ(tree[0].group, p.root);
  EXPECT_TRUE(tree[0].members.empty());
  ASSERT_EQ(tree[3].members.size(), 1u);
  EXPECT_EQ(tree[3].members[0].object, p.g1);
  EXPECT_EQ(tree[3].members[0].image, AddToGroupsState::IMAGE_GROUP);
  EXPECT_EQ(tree[1].members[0].image, AddToGroupsState::IMAGE_ZONE);
  EXPECT_EQ(AddToGroupsState::MemberOf(p.zones[0], CAT_MISC).image, AddToGroupsState::IMAGE_OTHER);
}

TEST(AddToGroupsStateTest, AddMemberConnectsBothEndsAndRefusesWhatTheGroupMayNotTake) {
  Project p;
  AddToGroupsState state;
  state.Fill(&p.doc);
  EXPECT_TRUE(state.AddMember(p.g2, p.zones[2]));
  EXPECT_TRUE(Joined(p.zones[2], p.g2));
  // Itself, a member a second time, a group of the same level, the root.
  EXPECT_FALSE(state.AddMember(p.g2, p.g2));
  EXPECT_FALSE(state.AddMember(p.g2, p.zones[2]));
  EXPECT_FALSE(state.AddMember(p.g2, p.g1));
  EXPECT_FALSE(state.AddMember(p.g3, p.root));
  EXPECT_EQ(p.g2->GetInputConnections().size(), 2u);
  state.RemoveMember(p.g2, p.zones[2]);
  EXPECT_TRUE(p.zones[2]->GetOutputConnections().empty());
  EXPECT_EQ(p.g2->GetInputConnections().size(), 1u);
}

class CAddToGroupsDlgTest : public ::testing::Test {
 protected:
  TempProfile m_profile;
  MessageRecorder m_messages;
};

TEST_F(CAddToGroupsDlgTest, FromAZoneTheFirstGroupIsSelectedWithItsCandidates) {
  Project p;
  CAddToGroupsDlg dlg(nullptr, nullptr, &p.doc);
  dlg.show();
  EXPECT_EQ(dlg.windowTitle(), "Lines and groups");
  EXPECT_EQ(TreeTexts(dlg.GetTree()), (QStringList{"All[]", "G1[Z1]", "G2[Z2]", "G3[G1]"}));
  EXPECT_EQ(dlg.GetTree()->currentItem(), dlg.GetTree()->topLevelItem(0));
  EXPECT_EQ(Texts(dlg.GetList()), (QStringList{"Z1", "Z2", "Z3", "Z4", "G1", "G2", "G3"}));
  EXPECT_EQ(dlg.GetList()->headerItem()->text(0), "Name");
  dlg.accept();
}

TEST_F(CAddToGroupsDlgTest, FromAGroupThatGroupIsSelected) {
  Project p;
  CAddToGroupsDlg dlg(p.g3, nullptr, nullptr);
  dlg.show();
  EXPECT_EQ(CAddToGroupsDlg::ObjectOf(dlg.GetTree()->currentItem()), p.g3);
  EXPECT_EQ(Texts(dlg.GetList()), (QStringList{"Z1", "Z2", "Z3", "Z4", "G2"}));
  dlg.accept();
}

TEST_F(CAddToGroupsDlgTest, WithoutGroupsTreeAndListStayEmpty) {
  Project p(false);
  CAddToGroupsDlg dlg(nullptr, nullptr, &p.doc);
  dlg.show();
  EXPECT_EQ(dlg.GetTree()->topLevelItemCount(), 0);
  EXPECT_EQ(dlg.GetList()->GetItemCount(), 0);
  SelectRows(dlg.GetList(), {0});
  EXPECT_EQ(dlg.DropRowsOnTree(), 0);
  EXPECT_FALSE(dlg.DropMemberOnList());
  dlg.accept();
}

TEST_F(CAddToGroupsDlgTest, KeyboardAndMouseSelectionsBothRefillTheList) {
  Project p;
  CAddToGroupsDlg dlg(p.g1, nullptr, &p.doc);
  dlg.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
  CResizableTreeCtrl* tree = dlg.GetTree();
  const QStringList ofG1{"Z2", "Z3", "Z4"};
  ASSERT_EQ(Texts(dlg.GetList()), ofG1);
  tree->setFocus();
  QTest::keyClick(tree, Qt::Key_Down);
  EXPECT_EQ(CAddToGroupsDlg::ObjectOf(tree->currentItem()), p.g2);
  EXPECT_EQ(Texts(dlg.GetList()), (QStringList{"Z1", "Z3", "Z4"}));

  QTreeWidgetItem* g3 = dlg.FindGroupItem(p.g3);
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, tree->visualItemRect(g3).center());
  EXPECT_EQ(tree->currentItem(), g3);
  EXPECT_EQ(Texts(dlg.GetList()), (QStringList{"Z1", "Z2", "Z3", "Z4", "G2"}));
  dlg.accept();
}

TEST_F(CAddToGroupsDlgTest, RowsDroppedWhileAMemberIsSelectedJoinThatMembersGroup) {
  Project p;
  CAddToGroupsDlg dlg(p.g1, nullptr, &p.doc);
  dlg.show();
  QTreeWidgetItem* g1 = dlg.FindGroupItem(p.g1);
  dlg.GetTree()->setCurrentItem(g1->child(0));  // Z1 under G1
  // List: Z2 Z3 Z4.
  SelectRows(dlg.GetList(), {0, 1});
  Drop(dlg.GetTree()->viewport(), dlg.MakeDragData(CAddToGroupsDlg::IDC_LIST));
  EXPECT_TRUE(Joined(p.zones[1], p.g1));
  EXPECT_TRUE(Joined(p.zones[2], p.g1));
  EXPECT_EQ(TreeTexts(dlg.GetTree()).at(1), "G1[Z1,Z2,Z3]");
  EXPECT_TRUE(g1->isExpanded());
  EXPECT_EQ(g1->child(1)->icon(0).isNull(), false);
  EXPECT_EQ(Texts(dlg.GetList()), (QStringList{"Z4"}));
  std::vector<int> selected;
  dlg.GetList()->GetSelectedItems(&selected);
  EXPECT_EQ(selected, (std::vector<int>{0}));
  dlg.accept();
}

TEST_F(CAddToGroupsDlgTest, AStaleListCannotMakeAGroupItsOwnMemberOrJoinAGroupTwice) {
  Project p;
  CAddToGroupsDlg dlg(nullptr, nullptr, &p.doc);
  dlg.show();
  // The list shows the root group's candidates: Z1 Z2 Z3 Z4 G1 G2 G3,
  // and stays so while the tree's current item moves to G1 unannounced.
  {
    const QSignalBlocker quiet(dlg.GetTree());
    dlg.GetTree()->setCurrentItem(dlg.FindGroupItem(p.g1));
  }
  SelectRows(dlg.GetList(), {0, 2, 4, 5});  // Z1 (member), Z3, G1 (itself), G2 (same level)
  Drop(dlg.GetTree()->viewport(), dlg.MakeDragData(CAddToGroupsDlg::IDC_LIST));
  EXPECT_TRUE(Joined(p.zones[2], p.g1));
  EXPECT_TRUE(p.g1->GetOutputConnections().size() == 1u) << "G1 must not feed itself";
  EXPECT_FALSE(Joined(p.g2, p.g1));
  int z1Links = 0;
  for (const ConnectionRecord& r : p.g1->GetInputConnections()) z1Links += r.pPeer == p.zones[0];
  EXPECT_EQ(z1Links, 1);
  EXPECT_EQ(Texts(dlg.GetList()), (QStringList{"Z1", "Z2", "Z4", "G1", "G2", "G3"}));
  dlg.accept();
}

TEST_F(CAddToGroupsDlgTest, AMemberDraggedOutLeavesItsGroupAndTheListIsRefilled) {
  Project p;
  CBaseDevice::Connect(p.zones[3], 0, p.g3, 0);
  CAddToGroupsDlg dlg(p.g3, nullptr, &p.doc);
  dlg.show();
  QTreeWidgetItem* g3 = dlg.FindGroupItem(p.g3);
  ASSERT_EQ(g3->childCount(), 2);
  dlg.GetTree()->setCurrentItem(g3->child(0));  // G1
  Drop(dlg.GetList()->viewport(), dlg.MakeDragData(CAddToGroupsDlg::IDC_TREE));
  EXPECT_TRUE(p.g1->GetOutputConnections().empty());
  EXPECT_EQ(p.g3->GetInputConnections().size(), 1u);
  EXPECT_EQ(TreeTexts(dlg.GetTree()).at(3), "G3[Z4]");
  EXPECT_EQ(dlg.GetTree()->currentItem(), g3);
  EXPECT_EQ(Texts(dlg.GetList()), (QStringList{"Z1", "Z2", "Z3", "G1", "G2"}));

  // A group root cannot be dragged out, nor dropped back on the tree.
  dlg.GetTree()->setCurrentItem(g3);
  Drop(dlg.GetList()->viewport(), dlg.MakeDragData(CAddToGroupsDlg::IDC_TREE));
  Drop(dlg.GetTree()->viewport(), dlg.MakeDragData(CAddToGroupsDlg::IDC_TREE));
  EXPECT_EQ(p.g3->GetInputConnections().size(), 1u);
  dlg.accept();
}

TEST_F(CAddToGroupsDlgTest, DropOnTheWrongControlDoesNothing) {
  Project p;
  CAddToGroupsDlg dlg(p.g2, nullptr, &p.doc);
  dlg.show();
  SelectRows(dlg.GetList(), {0});
  Drop(dlg.GetList()->viewport(), dlg.MakeDragData(CAddToGroupsDlg::IDC_LIST));
  CAddToGroupsDlg other(p.g2, nullptr, &p.doc);
  Drop(dlg.GetTree()->viewport(), other.MakeDragData(CAddToGroupsDlg::IDC_LIST));
  EXPECT_EQ(p.g2->GetInputConnections().size(), 1u);
  dlg.accept();
}

TEST_F(CAddToGroupsDlgTest, RenamingToATakenNameMakesItUniqueInListAndTree) {
  Project p;
  CAddToGroupsDlg dlg(p.g3, nullptr, &p.doc);
  dlg.show();
  // List: Z1 Z2 Z3 Z4 G2. Z1 is also G1's member in the tree.
  EXPECT_TRUE(dlg.RenameFromList(0, QStringLiteral("Z2")));
  EXPECT_EQ(p.zones[0]->GetName(), "Z2_1");
  EXPECT_TRUE(m_messages.Saw(34213));
  EXPECT_EQ(dlg.GetList()->GetItemText(0, 0), "Z2_1");
  EXPECT_EQ(TreeTexts(dlg.GetTree()).at(1), "G1[Z2_1]");

  m_messages.Clear();
  EXPECT_FALSE(dlg.RenameFromList(0, QString()));
  EXPECT_TRUE(m_messages.Saw(34212));
  EXPECT_EQ(p.zones[0]->GetName(), "Z2_1");
  EXPECT_EQ(dlg.GetList()->GetItemText(0, 0), "Z2_1");
  dlg.accept();
}

TEST_F(CAddToGroupsDlgTest, EnterInATreeLabelEditRenamesAndKeepsTheDialogOpen) {
  Project p;
  CAddToGroupsDlg dlg(p.g1, nullptr, &p.doc);
  dlg.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
  QTreeWidgetItem* g2 = dlg.FindGroupItem(p.g2);
  auto* editor = qobject_cast<QLineEdit*>(dlg.EditTreeLabel(g2));
  ASSERT_NE(editor, nullptr);
  editor->setText(QStringLiteral("G1"));
  QTest::keyClick(editor, Qt::Key_Return);
  QCoreApplication::processEvents();
  EXPECT_TRUE(dlg.isVisible());
  EXPECT_EQ(dlg.TreeLabelEditor(), nullptr);
  EXPECT_EQ(p.g2->GetName(), "G1_1");
  // The tree shows the object's name, not the typed text.
  EXPECT_EQ(g2->text(0), "G1_1");

  // Esc drops the edit, and only the edit.
  editor = qobject_cast<QLineEdit*>(dlg.EditTreeLabel(g2));
  ASSERT_NE(editor, nullptr);
  editor->setText(QStringLiteral("Hall"));
  QTest::keyClick(editor, Qt::Key_Escape);
  QCoreApplication::processEvents();
  EXPECT_TRUE(dlg.isVisible());
  EXPECT_EQ(p.g2->GetName(), "G1_1");
  EXPECT_EQ(g2->text(0), "G1_1");

  // OK and Cancel commands close an open edit box, not the dialog.
  editor = qobject_cast<QLineEdit*>(dlg.EditTreeLabel(g2));
  ASSERT_NE(editor, nullptr);
  editor->setText(QStringLiteral("Hall"));
  dlg.accept();
  QCoreApplication::processEvents();
  EXPECT_TRUE(dlg.isVisible());
  EXPECT_EQ(p.g2->GetName(), "Hall");
  ASSERT_NE(dlg.EditTreeLabel(g2), nullptr);
  dlg.reject();
  QCoreApplication::processEvents();
  EXPECT_TRUE(dlg.isVisible());
  EXPECT_EQ(dlg.TreeLabelEditor(), nullptr);
  dlg.reject();
  EXPECT_FALSE(dlg.isVisible());
}

TEST_F(CAddToGroupsDlgTest, GroupPropertiesOpenTheDialogOnThatGroup) {
  Project p;
  bool ran = false;
  DriveNextModal([&](QWidget* w) {
    auto* dlg = qobject_cast<CAddToGroupsDlg*>(w);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(CAddToGroupsDlg::ObjectOf(dlg->GetTree()->currentItem()), p.g2);
    dlg->findChild<QPushButton*>(QStringLiteral("ok"))->click();
    ran = true;
  });
  EXPECT_TRUE(p.g2->OnCommand(CGroup::ID_GROUP_PROPERTIES));
  EXPECT_TRUE(ran);
}

TEST_F(CAddToGroupsDlgTest, EscFromAZoneKeepsTheChangesAndReportsCancel) {
  Project p;
  DriveNextModal([&](QWidget* w) {
    auto* dlg = qobject_cast<CAddToGroupsDlg*>(w);
    ASSERT_NE(dlg, nullptr);
    dlg->GetTree()->setCurrentItem(dlg->FindGroupItem(p.g2));
    dlg->FillCandidates(dlg->GetTree()->currentItem());
    SelectRows(dlg->GetList(), {1});  // Z3
    Drop(dlg->GetTree()->viewport(), dlg->MakeDragData(CAddToGroupsDlg::IDC_LIST));
    QTest::keyClick(dlg, Qt::Key_Escape);
  });
  EXPECT_FALSE(p.zones[0]->ShowProperties());
  EXPECT_TRUE(Joined(p.zones[2], p.g2));
}
