// The hardware window in the editor host: opening off and on line, the scan
// buttons, and expansion only of the selected item.
#include "online/chardwaredlgfrm.h"

#include "link/linkmode.h"
#include "online/chardwaredlgtreeview.h"
#include "online/onlinetestsupport.h"
#include "shell/controls/cframehostdialog.h"
#include "support/messagerecorder.h"

#include <QAction>
#include <QCoreApplication>
#include <QToolBar>
#include <QTreeWidget>

#include <memory>

namespace {

class CHardwareDlgFrmTest : public OnlineTest {
 protected:
  CHardwareDlgFrm* Open() {
    m_host = std::make_unique<CFrameHostDialog>(&m_doc, HostFrameKind::Hardware);
    m_host->show();
    return qobject_cast<CHardwareDlgFrm*>(m_host->GetFrame());
  }
  void TearDown() override {
    if (m_host) m_host->reject();
    m_host.reset();
    OnlineTest::TearDown();
  }
  static QStringList RootTexts(QTreeWidget* tree) {
    QStringList texts;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) texts << tree->topLevelItem(i)->text(0);
    return texts;
  }

  MessageRecorder m_messages;
  std::unique_ptr<CFrameHostDialog> m_host;
};

TEST_F(CHardwareDlgFrmTest, OffLineExplainsAndDisablesTheScans) {
  CHardwareDlgFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  CHardwareDlgTreeView* view = frame->GetTreeView();
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(RootTexts(view->Tree()), QStringList{"This option is only available when you are in online mode"});
  for (uint32_t command : {CHardwareDlgFrm::kScanSlots, CHardwareDlgFrm::kScanConsoles,
                           CHardwareDlgFrm::kScanAmplifiers, CHardwareDlgFrm::kScanCards}) {
    ASSERT_NE(frame->Action(command), nullptr);
    EXPECT_FALSE(frame->Action(command)->isEnabled()) << command;
  }
  EXPECT_TRUE(m_link.Lines().isEmpty());
  EXPECT_FALSE(view->IsPolling());
}

TEST_F(CHardwareDlgFrmTest, OnLineScansTheSlotsAtOnce) {
  Connect();
  CHardwareDlgFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  CHardwareDlgTreeView* view = frame->GetTreeView();
  // The window does not wait for the unit: the queries are out, the tree
  // fills when the answers arrive (echoes and a part first).
  EXPECT_EQ(m_link.Lines(), CHardwareScan::SlotQueries());
  EXPECT_EQ(m_link.ReplyTarget(), view);
  EXPECT_EQ(view->Tree()->topLevelItemCount(), 0);
  ASSERT_TRUE(m_link.DeliverReply({"/SLOT1/MODULE ?", "/SLOT1/MODULE IN8", "/SLOT2/MODULE ?"}));
  EXPECT_EQ(view->Tree()->topLevelItemCount(), 0);
  ASSERT_TRUE(m_link.DeliverReply({"/SLOT1/MODULE ?", "/SLOT1/MODULE IN8", "/SLOT2/MODULE ?", "/SLOT2/MODULE OUT8",
                                   "/SLOT3/MODULE -", "/SLOT4/MODULE -", "/SLOT5/MODULE -"}));
  EXPECT_EQ(m_link.GetLinkMode(), LINKMODE_NORMAL);
  EXPECT_EQ(view->ScanKind(), CHardwareScan::kSlots);
  EXPECT_EQ(RootTexts(view->Tree()).first(), "Slot1: IN8");
  EXPECT_EQ(view->Tree()->topLevelItemCount(), 5);
  EXPECT_TRUE(frame->Action(CHardwareDlgFrm::kScanCards)->isEnabled());
}

TEST_F(CHardwareDlgFrmTest, AScanStartedWhileTheSlotsAreAskedForIsNotOverwrittenByTheirAnswers) {
  Connect();
  CHardwareDlgFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  CHardwareDlgTreeView* view = frame->GetTreeView();
  m_link.SetAnswer("/AMP/AVLBL ?", "1f");
  frame->OnCommand(CHardwareDlgFrm::kScanAmplifiers);
  ASSERT_EQ(view->ScanKind(), CHardwareScan::kAmplifiers);
  m_link.DeliverReply(
      {"/SLOT1/MODULE IN8", "/SLOT2/MODULE OUT8", "/SLOT3/MODULE -", "/SLOT4/MODULE -", "/SLOT5/MODULE -"});
  EXPECT_EQ(view->ScanKind(), CHardwareScan::kAmplifiers);
  EXPECT_EQ(view->Tree()->topLevelItemCount(), 1);
}

TEST_F(CHardwareDlgFrmTest, OnlyTheSelectedItemExpandsAndAsksItsDetails) {
  Connect();
  CHardwareDlgFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  CHardwareDlgTreeView* view = frame->GetTreeView();
  m_link.SetAnswer("/AMP/AVLBL ?", "0-2,a");
  frame->Action(CHardwareDlgFrm::kScanAmplifiers)->trigger();
  QTreeWidget* tree = view->Tree();
  EXPECT_EQ(RootTexts(tree), (QStringList{"Amplifier 00", "Amplifier 01", "Amplifier 02", "Amplifier 0a"}));
  m_link.Clear();
  m_link.SetListReplies({"/AMP/ADRa/NAME Hall", "/AMP/ADRa/TYPE A250", "/AMP/ADRa/VER 1.4"});

  QTreeWidgetItem* item = tree->topLevelItem(3);
  item->setExpanded(true);
  EXPECT_FALSE(item->isExpanded());
  EXPECT_TRUE(m_link.Lines().isEmpty());
  EXPECT_EQ(item->child(0)->text(0), "Name");

  tree->setCurrentItem(item);
  item->setExpanded(true);
  EXPECT_TRUE(item->isExpanded());
  EXPECT_EQ(m_link.Lines(), (QStringList{"/AMP/ADRa/NAME ?", "/AMP/ADRa/TYPE ?", "/AMP/ADRa/VER ?"}));
  EXPECT_EQ(item->child(0)->text(0), "Hall");
  EXPECT_EQ(item->child(1)->text(0), "A250");
  EXPECT_EQ(item->child(2)->text(0), "1.4");
}

TEST_F(CHardwareDlgFrmTest, CardScanFillsSevenChildren) {
  Connect();
  CHardwareDlgFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  m_link.SetAnswer("/KCM/AVLBL ?", "/KCM/AVLBL 3,5");
  EXPECT_TRUE(frame->OnCommand(CHardwareDlgFrm::kScanCards));
  QTreeWidget* tree = frame->GetTreeView()->Tree();
  EXPECT_EQ(RootTexts(tree), (QStringList{"KCM201-3", "KCM201-5"}));
  EXPECT_EQ(tree->topLevelItem(1)->childCount(), 7);
  EXPECT_EQ(frame->GetTreeView()->ScanKind(), CHardwareScan::kCards);
}

TEST_F(CHardwareDlgFrmTest, CarriesTheEditorsSwitchBarAndSwitchesWithIt) {
  CHardwareDlgFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  ASSERT_NE(m_host->findChild<QToolBar*>("toolBar507"), nullptr);
  EXPECT_EQ(m_host->findChild<QToolBar*>("toolBar526"), nullptr);
  QAction* fault = frame->Action(33157);
  ASSERT_NE(fault, nullptr);
  fault->trigger();
  QCoreApplication::processEvents();
  EXPECT_EQ(m_host->GetKind(), HostFrameKind::Faults);
}

}  // namespace
