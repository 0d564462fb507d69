// The fuse window in the editor host: what it shows off and on line, what
// its buttons send, how replies reach its texts, and the switch bar.
#include "online/cfusefrm.h"

#include "model/cstringtable.h"
#include "online/cfuseview.h"
#include "online/onlinetestsupport.h"
#include "shell/controls/cframehostdialog.h"
#include "support/messagerecorder.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QToolBar>

namespace {

class CFuseFrmTest : public OnlineTest {
 protected:
  // Opens the host on the fuse window.
  CFuseFrm* Open() {
    m_host = std::make_unique<CFrameHostDialog>(&m_doc, HostFrameKind::Fuses);
    m_host->show();
    return qobject_cast<CFuseFrm*>(m_host->GetFrame());
  }
  void TearDown() override {
    if (m_host) m_host->reject();
    m_host.reset();
    OnlineTest::TearDown();
  }
  void Trigger(CFuseFrm* frame, uint32_t command) {
    QAction* action = frame->Action(command);
    ASSERT_NE(action, nullptr) << command;
    action->trigger();
  }

  MessageRecorder m_messages;
  std::unique_ptr<CFrameHostDialog> m_host;
};

TEST_F(CFuseFrmTest, OffLineShowsTheProjectAndSendsNothing) {
  Fuse()->SetRating(CFuse::SLOT1_B, 1);
  Fuse()->SetRating(CFuse::AMP485, 0);
  CFuseFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  CFuseView* view = frame->GetFuseView();
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->RatingBox(CFuse::SLOT1_B)->currentText(), "330");
  EXPECT_EQ(view->RatingBox(CFuse::AMP485)->currentText(), "0");
  EXPECT_EQ(view->RatingBox(CFuse::SLOT1_A)->currentText(), "990");
  EXPECT_FALSE(view->IsPolling());
  EXPECT_FALSE(frame->Action(CFuseFrm::kUploadFuseData)->isEnabled());
  EXPECT_FALSE(frame->Action(CFuseFrm::kDownloadFuseData)->isEnabled());
  for (int fuse = 0; fuse < CFuseWindowState::kFuseCount; ++fuse) {
    EXPECT_FALSE(view->BlownText(fuse)->isEnabled());
    EXPECT_FALSE(view->CoolingText(fuse)->isEnabled());
  }
  EXPECT_TRUE(m_link.Lines().isEmpty());
  // Connecting later starts the poll and offers the transfers.
  Connect();
  QApplication::processEvents();
  EXPECT_TRUE(view->IsPolling());
  EXPECT_TRUE(frame->Action(CFuseFrm::kUploadFuseData)->isEnabled());
  EXPECT_TRUE(frame->Action(CFuseFrm::kDownloadFuseData)->isEnabled());
}

TEST_F(CFuseFrmTest, ControlIdsAndSlotInputs) {
  InputSlot(1)->SetModuleKind(0, CAudioInputSlot::MODULE_CONSOLE);
  CFuseFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  auto* combo1623 = frame->findChild<QComboBox*>("1623");
  auto* combo1624 = frame->findChild<QComboBox*>("1624");
  auto* combo1627 = frame->findChild<QComboBox*>("1627");
  ASSERT_TRUE(combo1623 && combo1624 && combo1627);
  EXPECT_TRUE(combo1623->isEnabled());
  EXPECT_FALSE(combo1624->isEnabled());
  EXPECT_TRUE(combo1627->isEnabled());
  EXPECT_EQ(combo1627->count(), 4);
  EXPECT_NE(frame->findChild<QLabel*>("1632"), nullptr);
  EXPECT_NE(frame->findChild<QLabel*>("1637"), nullptr);
}

TEST_F(CFuseFrmTest, OnLinePollsAndRepliesLightTheTexts) {
  Connect();
  CFuseFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  CFuseView* view = frame->GetFuseView();
  EXPECT_TRUE(view->IsPolling());
  EXPECT_EQ(view->PollTimerId(), COnlineView::IDT_STATUS_POLL);
  EXPECT_EQ(view->PollPeriod(), 2000);
  EXPECT_TRUE(frame->Action(CFuseFrm::kUploadFuseData)->isEnabled());

  view->OnTimer(1000);  // not this window's timer
  EXPECT_TRUE(m_link.Lines().isEmpty());
  view->OnTimer(COnlineView::IDT_STATUS_POLL);
  EXPECT_EQ(m_link.TakeLines(), CFuseWindowState::PollQueries());
  EXPECT_EQ(m_link.ReplyTarget(), view);

  ASSERT_TRUE(m_link.DeliverReply({"/FUSE/SLOT2/B/COOLING ?", "/FUSE/SLOT2/B/COOLING YES"}));
  EXPECT_TRUE(view->CoolingText(CFuse::SLOT2_B)->isEnabled());
  EXPECT_FALSE(view->BlownText(CFuse::SLOT2_B)->isEnabled());
  ASSERT_TRUE(m_link.DeliverReply({"/FUSE/SLOT2/B/COOLING NO"}));
  EXPECT_FALSE(view->CoolingText(CFuse::SLOT2_B)->isEnabled());

  // A busy line skips the tick.
  m_link.SetOutBufferCount(10);
  view->OnTimer(COnlineView::IDT_STATUS_POLL);
  EXPECT_TRUE(m_link.Lines().isEmpty());
}

TEST_F(CFuseFrmTest, DownloadSendsTheChosenRating) {
  Connect();
  m_doc.SetModifiedFlag(false);
  CFuseFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  QComboBox* remote = frame->GetFuseView()->RatingBox(CFuse::AMP485);
  remote->setCurrentIndex(2);
  emit remote->activated(2);
  EXPECT_EQ(Fuse()->GetRating(CFuse::AMP485), 2);
  EXPECT_TRUE(m_doc.IsModified());
  EXPECT_TRUE(m_link.Lines().isEmpty());  // a choice alone sends nothing

  Trigger(frame, CFuseFrm::kDownloadFuseData);
  const QStringList lines = m_link.TakeLines();
  EXPECT_EQ(lines.size(), 5);
  EXPECT_TRUE(lines.contains("/FUSE/AMP485/VALUE 2"));
  // The unit's echo of the download stores the value sent: nothing changes.
  ASSERT_TRUE(m_link.DeliverReply(lines));
  EXPECT_EQ(remote->currentIndex(), 2);
}

TEST_F(CFuseFrmTest, UploadSelectsTheReportedRating) {
  Connect();
  CFuseFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  Trigger(frame, CFuseFrm::kUploadFuseData);
  EXPECT_EQ(m_link.TakeLines().first(), "/FUSE/SLOT1/A/VALUE ?");
  ASSERT_TRUE(m_link.DeliverReply({"/FUSE/SLOT1/A/VALUE ?", "/FUSE/SLOT1/A/VALUE 1", "/FUSE/SLOT1/B/VALUE x"}));
  CFuseView* view = frame->GetFuseView();
  EXPECT_EQ(view->RatingBox(CFuse::SLOT1_A)->currentText(), "330");
  EXPECT_EQ(Fuse()->GetRating(CFuse::SLOT1_A), 1);
  EXPECT_EQ(view->RatingBox(CFuse::SLOT1_B)->currentText(), "990");
  ASSERT_TRUE(m_link.DeliverReply({"/FUSE/SLOT2/A/VALUE 9"}));
  EXPECT_EQ(view->RatingBox(CFuse::SLOT2_A)->currentIndex(), -1);
}

TEST_F(CFuseFrmTest, SwitchingAwayResetsTheLink) {
  Connect();
  CFuseFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  frame->GetFuseView()->OnTimer(COnlineView::IDT_STATUS_POLL);
  EXPECT_EQ(m_link.GetLinkMode(), LINKMODE_COMMANDLIST);
  QPointer<QWidget> old = frame;
  Trigger(frame, 33163);
  EXPECT_FALSE(old.isNull());  // replaced once the command has returned
  QApplication::processEvents();
  EXPECT_TRUE(old.isNull());
  EXPECT_EQ(m_host->GetKind(), HostFrameKind::PowerManagement);
  EXPECT_EQ(m_link.GetLinkMode(), LINKMODE_NORMAL);
  EXPECT_TRUE(m_messages.Requests().empty());
}

TEST_F(CFuseFrmTest, GuardedWindowIsRefusedOnSmallProject) {
  CFuseFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  QPointer<QWidget> old = frame;
  EXPECT_TRUE(frame->OnCommand(33162));
  Trigger(frame, 34589);
  QApplication::processEvents();
  EXPECT_FALSE(old.isNull());
  EXPECT_EQ(m_host->GetKind(), HostFrameKind::Fuses);
  ASSERT_EQ(m_messages.Requests().size(), 2u);
  EXPECT_EQ(m_messages.Requests()[0].id, 34564u);
}

TEST_F(CFuseFrmTest, SaveVmxSettingsSendsFastSaveOnce) {
  Connect();
  CFuseFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  Trigger(frame, 32852);
  EXPECT_EQ(m_link.Lines(), QStringList{"/SERVICE/START FASTSAVE"});
}

TEST_F(CFuseFrmTest, BarsHoldTheirButtonsInOrder) {
  CFuseFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  QStringList names;
  for (QAction* action : frame->SwitchBar()->actions())
    names.append(action->isSeparator() ? QStringLiteral("-") : action->objectName());
  EXPECT_EQ(names, (QStringList{"command33159", "command33162", "command33163", "command33164", "command34589",
                                "command34590", "-", "command32852", "-", "command57603"}));
  EXPECT_EQ(frame->Action(33159)->statusTip(), LoadString(33159));
  EXPECT_EQ(frame->OwnBar()->actions().size(), 2);
  EXPECT_EQ(frame->OwnBar()->actions()[0], frame->Action(CFuseFrm::kUploadFuseData));
}

}  // namespace
