// The event-log window in the editor host: its pages, the category boxes,
// the transfer buttons, the read cycle on line with the event file, and
// printing.
#include "online/ceventlogfrm.h"

#include "link/ccommlink.h"
#include "macros/ceventlog.h"
#include "online/ceventlogview.h"
#include "online/ieventprinter.h"
#include "online/onlinetestsupport.h"
#include "shell/controls/cellipsisstatic.h"
#include "shell/controls/cframehostdialog.h"
#include "support/messagerecorder.h"
#include "support/quietport.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

namespace {

class FakePrinter final : public IEventPrinter {
 public:
  explicit FakePrinter(std::vector<QStringList>* pages) : m_pages(pages) {}
  int PageHeight() const override { return 75; }  // three lines of 20 + 5
  int LineHeight() const override { return 20; }
  bool PrintPage(const QStringList& lines) override {
    m_pages->push_back(lines);
    return true;
  }

 private:
  std::vector<QStringList>* m_pages;
};

// An open port whose output never drains: OutBufferCount is what the test
// sets.
class FullPort final : public QuietPort {
 public:
  FullPort() : QuietPort(true) {}
  void Close() override {}
  int OutBufferCount() const override { return m_out; }
  int m_out = 0;
};

class EventLogFrmTest : public OnlineTest {
 protected:
  CEventLogFrm* Open() {
    m_host = std::make_unique<CFrameHostDialog>(&m_doc, HostFrameKind::EventLog);
    m_host->show();
    return qobject_cast<CEventLogFrm*>(m_host->GetFrame());
  }
  CEventLogView* OpenView() {
    CEventLogFrm* frame = Open();
    return frame ? frame->GetEventLogView() : nullptr;
  }
  void TearDown() override {
    if (m_host) m_host->reject();
    m_host.reset();
    OnlineTest::TearDown();
  }
  void SetUp() override {
    OnlineTest::SetUp();
    ASSERT_TRUE(m_dir.isValid());
    m_doc.SetPathName(m_dir.filePath("Hall.sxm"));
  }
  CEventLog* Log() { return CEventLog::Find(&m_doc); }

  QTemporaryDir m_dir;
  MessageRecorder m_messages;
  std::unique_ptr<CFrameHostDialog> m_host;
};

TEST_F(EventLogFrmTest, OffLineShowsTheEventsPageAndSettingsWithoutPolling) {
  Log()->SetParamText(CEventLog::I_GENERAL, "AUDIO,POWER");
  Log()->SetParamText(CEventLog::I_AUDIO, "ALARM");
  CEventLogFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  CEventLogView* view = frame->GetEventLogView();
  ASSERT_NE(view, nullptr);
  EXPECT_FALSE(view->IsPolling());
  EXPECT_FALSE(view->HasEventFile());
  EXPECT_FALSE(frame->Action(CEventLogFrm::kUploadSettings)->isEnabled());
  EXPECT_FALSE(frame->Action(CEventLogFrm::kDownloadSettings)->isEnabled());
  EXPECT_TRUE(view->IsEventsPage());
  EXPECT_EQ(view->Tabs()->count(), 2);
  EXPECT_EQ(view->Tabs()->tabText(0), "Properties");
  EXPECT_EQ(view->Tabs()->currentIndex(), 1);
  EXPECT_FALSE(view->PrintBox()->isEnabled());
  EXPECT_FALSE(view->PrintNowButton()->isEnabled());
  // The file's name follows the label's text without a blank.
  EXPECT_EQ(view->FileLabel()->text(), "Entries (see file\"Hall.sxm.events\")");

  EXPECT_TRUE(view->CategoryBox(1551)->isChecked());
  EXPECT_TRUE(view->CategoryBox(1553)->isChecked());
  EXPECT_FALSE(view->CategoryBox(1552)->isChecked());
  EXPECT_TRUE(view->DetailButton(1551)->isEnabled());
  EXPECT_FALSE(view->DetailButton(1552)->isEnabled());
  EXPECT_EQ(view->DetailText(1551)->GetWindowText(), "ALARM");

  frame->OnCommand(CEventLogFrm::kChangeView);
  EXPECT_FALSE(view->IsEventsPage());
  EXPECT_EQ(view->Tabs()->currentIndex(), 0);
  EXPECT_TRUE(m_link.Lines().isEmpty());

  // Connected later, the window reads the unit's entries into its file.
  Connect();
  EXPECT_TRUE(view->IsPolling());
  EXPECT_TRUE(view->HasEventFile());
  EXPECT_TRUE(frame->Action(CEventLogFrm::kUploadSettings)->isEnabled());
}

TEST_F(EventLogFrmTest, ArrowKeysOnTheTabsSwitchThePage) {
  CEventLogView* view = OpenView();
  ASSERT_NE(view, nullptr);
  ASSERT_TRUE(view->IsEventsPage());
  QTest::keyClick(view->Tabs(), Qt::Key_Left);
  EXPECT_EQ(view->Tabs()->currentIndex(), 0);
  EXPECT_FALSE(view->IsEventsPage());
  QTest::keyClick(view->Tabs(), Qt::Key_Right);
  EXPECT_EQ(view->Tabs()->currentIndex(), 1);
  EXPECT_TRUE(view->IsEventsPage());
}

TEST_F(EventLogFrmTest, CategoryBoxesEditTheGeneralMask) {
  Log()->SetParamText(CEventLog::I_GENERAL, "AUDIO,FAULT");
  CEventLogView* view = OpenView();
  ASSERT_NE(view, nullptr);
  view->TogglePage();
  view->CategoryBox(1551)->click();
  EXPECT_EQ(Log()->GetParamText(CEventLog::I_GENERAL), "FAULT");
  EXPECT_FALSE(view->DetailButton(1551)->isEnabled());
  view->CategoryBox(1552)->click();
  EXPECT_EQ(Log()->GetParamText(CEventLog::I_GENERAL), "NONE");
  view->CategoryBox(1545)->click();
  EXPECT_EQ(Log()->GetParamText(CEventLog::I_GENERAL), "MACRO");
  EXPECT_TRUE(view->DetailText(1545)->isEnabled());
}

TEST_F(EventLogFrmTest, UploadAndDownloadSendTheMasks) {
  Connect();
  Log()->SetParamText(CEventLog::I_GENERAL, "DCF");
  CEventLogFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  m_link.Clear();
  frame->Action(CEventLogFrm::kDownloadSettings)->trigger();
  EXPECT_EQ(m_link.Lines(), (QStringList{"/EVENT/LOG/MASK/ON DCF", "/EVENT/LOG/MASK/AUDIO/ON NONE",
                                         "/EVENT/LOG/MASK/MACRO/ON NONE", "/EVENT/LOG/MASK/FAULT/ON NONE",
                                         "/EVENT/LOG/MASK/READYINP/ON NONE", "/EVENT/LOG/MASK/VIRTCTRL/ON NONE"}));
  m_link.Clear();
  frame->Action(CEventLogFrm::kUploadSettings)->trigger();
  EXPECT_EQ(m_link.Lines().size(), 6);
  ASSERT_TRUE(m_link.DeliverReply({"/EVENT/LOG/MASK/ON ?", "/EVENT/LOG/MASK/ON RESET,FAULT",
                                   "/EVENT/LOG/MASK/FAULT/ON LAN", "/EVENT/LOG/MASK/VIRTCTRL/ON NONE"}));
  CEventLogView* view = frame->GetEventLogView();
  EXPECT_TRUE(view->CategoryBox(1557)->isChecked());
  EXPECT_TRUE(view->CategoryBox(1552)->isChecked());
  EXPECT_EQ(view->DetailText(1552)->GetWindowText(), "LAN");
  EXPECT_TRUE(m_messages.Requests().empty());
}

TEST_F(EventLogFrmTest, OnLineReadsEntriesIntoFieldAndFile) {
  const QString project = m_doc.GetPathName();
  {
    QFile old(project + ".events");
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("earlier\r\n");
  }
  Connect();
  CEventLogView* view = OpenView();
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(view->IsPolling());
  EXPECT_EQ(view->PollPeriod(), 1000);
  EXPECT_TRUE(view->HasEventFile());
  // The file's name follows the label's text without a blank.
  EXPECT_EQ(view->FileLabel()->text(), "Entries (see file\"Hall.sxm.events\")");
  m_link.Clear();

  view->OnTimer(COnlineView::IDT_STATUS_POLL);
  EXPECT_EQ(m_link.TakeLines(), QStringList{"/EVENT/LOG/ENTRIES ?"});
  ASSERT_TRUE(m_link.DeliverReply({"/EVENT/LOG/ENTRIES ?", "/EVENT/LOG/ENTRIES 2"}));
  view->OnTimer(COnlineView::IDT_STATUS_POLL);
  EXPECT_EQ(m_link.TakeLines(), (QStringList{"/EVENT/LOG/READ ?", "/EVENT/LOG/READ ?"}));
  // A full output buffer: the tick asks nothing.
  m_link.SetOutBufferCount(400);
  view->OnTimer(COnlineView::IDT_STATUS_POLL);
  EXPECT_TRUE(m_link.TakeLines().isEmpty());
  m_link.SetOutBufferCount(0);

  ASSERT_TRUE(m_link.DeliverReply(
      {"/EVENT/LOG/READ a b c d first", "/EVENT/LOG/READ empty", "/EVENT/LOG/READ a b c d second"}));
  EXPECT_EQ(view->Entries()->toPlainText(), "a b c d second\na b c d first\n");
  EXPECT_EQ(view->State().WaitingEntries(), 0);
  view->OnTimer(COnlineView::IDT_STATUS_POLL);
  EXPECT_EQ(m_link.TakeLines(), QStringList{"/EVENT/LOG/ENTRIES ?"});

  m_host->reject();
  m_host.reset();
  QFile file(project + ".events");
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), "earlier\r\na b c d first\r\na b c d second\r\n");
}

TEST_F(EventLogFrmTest, PrintsFullPagesAndTheRestOnDemand) {
  Connect();
  CEventLogView* view = OpenView();
  ASSERT_NE(view, nullptr);
  std::vector<QStringList> pages;
  view->SetPrinter(std::make_unique<FakePrinter>(&pages));
  EXPECT_TRUE(view->PrintBox()->isEnabled());
  view->PrintBox()->click();
  EXPECT_TRUE(view->PrintNowButton()->isEnabled());
  for (const char* entry : {"e1", "e2", "e3", "e4"}) view->OnEntry(entry);
  // Three lines fill the page: (20 + 5) * (2 + 1) = 75 still fits.
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0], (QStringList{"e1", "e2", "e3"}));
  EXPECT_EQ(view->PrintList(), QStringList{"e4"});
  view->PrintNowButton()->click();
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[1], QStringList{"e4"});
  view->OnEntry("e5");
  view->PrintBox()->click();  // cleared: the waiting line goes at once
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_FALSE(view->PrintNowButton()->isEnabled());
  view->OnEntry("e6");
  EXPECT_TRUE(view->PrintList().isEmpty());
}

TEST_F(EventLogFrmTest, NamesReplacedWhenAsked) {
  Connect();
  CEventLogView* view = OpenView();
  ASSERT_NE(view, nullptr);
  view->SetReplaceNames(true);
  view->OnEntry("a b c d CALL from cons9,ZONE 1");
  EXPECT_EQ(view->Entries()->toPlainText(), "a b c d CALL from console 9,ZONE 1\n");
}

TEST_F(EventLogFrmTest, TheFieldKeepsItsNewestText) {
  Connect();
  CEventLogView* view = OpenView();
  ASSERT_NE(view, nullptr);
  for (int i = 0; i < 400; ++i) view->OnEntry(QString("a b c d entry number %1").arg(i));
  const QString text = view->Entries()->toPlainText();
  EXPECT_LT(text.size(), CEventLogState::kFieldLimit);
  EXPECT_TRUE(text.startsWith("a b c d entry number 399\n"));
}

TEST_F(EventLogFrmTest, ChangeViewHasItsButton) {
  CEventLogFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  CEventLogView* view = frame->GetEventLogView();
  ASSERT_NE(view, nullptr);
  QAction* change = frame->Action(CEventLogFrm::kChangeView);
  ASSERT_NE(change, nullptr);
  EXPECT_EQ(change->text(), "Change view");
  EXPECT_TRUE(change->isEnabled());
  ASSERT_TRUE(view->IsEventsPage());
  change->trigger();
  EXPECT_FALSE(view->IsEventsPage());
  EXPECT_EQ(view->Tabs()->currentIndex(), 0);
  change->trigger();
  EXPECT_TRUE(view->IsEventsPage());
}

TEST_F(EventLogFrmTest, FaultEntriesKeepOneBlankAfterTheHeadOnScreenAndInTheFile) {
  const QString project = m_doc.GetPathName();
  Connect();
  CEventLogView* view = OpenView();
  ASSERT_NE(view, nullptr);
  view->SetReplaceNames(true);
  view->OnTimer(COnlineView::IDT_STATUS_POLL);
  ASSERT_TRUE(m_link.DeliverReply({"/EVENT/LOG/READ 06.12.2026 10:00:00 001 INFO FAULT ON AMP 3",
                                   "/EVENT/LOG/READ 06.12.2026 10:05:00 002 INFO FAULT OFF AMP 3"}));
  EXPECT_EQ(view->Entries()->toPlainText(),
            "06.12.2026 10:05:00 002 INFO AMP 3 NORMAL\n06.12.2026 10:00:00 001 INFO AMP 3 FAILURE\n");
  m_host->reject();
  m_host.reset();
  QFile file(project + ".events");
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(),
            "06.12.2026 10:00:00 001 INFO AMP 3 FAILURE\r\n06.12.2026 10:05:00 002 INFO AMP 3 NORMAL\r\n");
}

// A tick that finds the output buffer too full asks nothing, and what the
// link collected meanwhile is dropped: it is not handed over again with the
// next answers.
TEST_F(EventLogFrmTest, AFullOutputBufferEmptiesTheLinksReplyList) {
  auto port = std::make_unique<FullPort>();
  FullPort* raw = port.get();
  CCommLink link(std::move(port));
  DeviceLinkScope scope(&link);
  CEventLogView view(&m_doc, nullptr);
  view.OnCommReply(0, {"/EVENT/LOG/ENTRIES 5"});
  ASSERT_EQ(view.State().WaitingEntries(), 5);

  // Replies collected for a list whose target is gone.
  ASSERT_TRUE(link.SendCommandList({"/EVENT/LOG/ENTRIES ?"}, true, 0, nullptr, 0));
  link.HandleIncoming("/EVENT/LOG/ENTRIES ?\r/EVENT/LOG/ENTRIES 5\r");
  ASSERT_EQ(link.ReplyList().size(), 2);

  raw->m_out = 400;
  view.OnPoll();
  EXPECT_TRUE(link.ReplyList().isEmpty());
  EXPECT_EQ(view.State().WaitingEntries(), 5);
}

}  // namespace
