// The settings of the power-management, event-log and message-recorder
// windows on the real link and the simulated unit: a Download or Upload
// given while a transfer has the line reaches the unit once the transfer
// has ended, one still waiting when the line is lost is told as not sent,
// and what the unit reports of its recorder when the window opens is no
// edit of the project.
#include "link/ccommlink.h"
#include "link/ctransfer.h"
#include "macrohandlers.h"
#include "macros/ceventlog.h"
#include "modulehandlers.h"
#include "online/ceventlogfrm.h"
#include "online/ceventlogview.h"
#include "online/clinestatebar.h"
#include "online/cpowerfrm.h"
#include "online/cpowerview.h"
#include "online/crecorderfrm.h"
#include "online/crecorderview.h"
#include "shell/controls/cframehostdialog.h"
#include "shell/controls/cvalueedit.h"
#include "support/simlinktest.h"
#include "support/waituntil.h"
#include "unit/cinternalmessagerec.h"
#include "unit/cinternalpowermanagement.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <functional>
#include <memory>

namespace {

class OnlineSettingsSimTest : public SimLinkTest {
 protected:
  void SetUp() override {
    StartSim([](UnitSimulator& unit) {
      RegisterModuleHandlers(unit);
      RegisterMacroHandlers(unit);
    });
    m_power = CInternalPowerManagement::EnsureIn(doc);
    m_recorder = CInternalMessageRec::EnsureIn(doc);
    SetActiveDoc(&doc);
  }
  void TearDown() override {
    if (m_host) m_host->reject();
    m_host.reset();
    SetActiveDoc(nullptr);
    SimLinkTest::TearDown();
  }
  QWidget* Open(HostFrameKind kind) {
    m_host = std::make_unique<CFrameHostDialog>(&doc, kind);
    m_host->show();
    return m_host->GetFrame();
  }
  // The project's event-log object, as a new project has it.
  CEventLog* EventLog() {
    if (CEventLog* log = CEventLog::Find(&doc)) return log;
    auto log = std::make_unique<CEventLog>();
    if (!log->CreateWithID(0, QStringLiteral("Event log"), 1, CAT_LOGIC, &doc)) return nullptr;
    CEventLog* made = log.get();
    doc.AddObject(std::move(log));
    return made;
  }
  // The button of a frame command on the frame's own bar.
  static QWidget* BarButton(QMainWindow* frame, QAction* action) {
    for (QToolBar* bar : frame->findChildren<QToolBar*>())
      if (QWidget* button = bar->widgetForAction(action)) return button;
    return nullptr;
  }

  // What happened while a transfer had the line.
  struct DuringTransfer {
    CTransfer::Result result = CTransfer::Result::Done;
    bool pressed = false;
    bool waiting = false;  // the window held a list right after the press
  };
  // A transfer of rounds of four fuse values; while it runs the user
  // presses button (the click comes from the event loop the transfer keeps
  // going) until the window holds a list (isWaiting); afterPress runs at
  // every step after that.
  DuringTransfer PressDuringATransfer(QWidget* button, const std::function<bool()>& isWaiting,
                                      const std::function<void()>& afterPress) {
    DuringTransfer seen;
    // A press still queued when the transfer has ended goes with it.
    QObject pressing;
    CTransfer transfer;
    transfer.SetProgressHandler([&](int, int) {
      if (seen.waiting) {
        afterPress();
        return;
      }
      QTimer::singleShot(0, &pressing, [&] {
        if (seen.waiting) return;
        QTest::mouseClick(button, Qt::LeftButton);
        seen.pressed = true;
        seen.waiting = isWaiting();
      });
    });
    QStringList fuses;
    for (int round = 0; round < 10; ++round)
      for (const char* fuse : {"SLOT1/A", "SLOT1/B", "SLOT2/A", "SLOT2/B"})
        fuses << QStringLiteral("/FUSE/%1/VALUE %2").arg(QLatin1String(fuse)).arg(round % 4);
    seen.result = transfer.SendLines(fuses);
    return seen;
  }

  // The line is lost while the window's list waits for it (pressed through
  // button during a transfer): the list is given up, and the window's bar
  // says that it was not sent.
  template <class Frame, class View>
  void LoseTheLineWhileAListWaits(Frame* frame, View* view, QWidget* button) {
    ASSERT_NE(view, nullptr);
    ASSERT_NE(button, nullptr);
    bool hungUp = false;
    const DuringTransfer seen = PressDuringATransfer(
        button, [view] { return view->IsTransferWaiting(); },
        [&] {
          if (hungUp) return;
          hungUp = true;
          sim.HangUp();
        });
    EXPECT_NE(seen.result, CTransfer::Result::Done);
    EXPECT_TRUE(seen.waiting);
    EXPECT_TRUE(hungUp);
    EXPECT_TRUE(WaitUntil([&] { return !link->IsConnected(); }));
    EXPECT_TRUE(WaitUntil([&] { return !view->IsTransferWaiting(); }));
    auto* bar = frame->LineBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->Text().contains("Not sent")) << bar->Text().toStdString();
  }

  CInternalPowerManagement* m_power = nullptr;
  CInternalMessageRec* m_recorder = nullptr;
  std::unique_ptr<CFrameHostDialog> m_host;
};

using PM = CInternalPowerManagement;

// The power window's Download and Upload pressed while a transfer has the
// line: the link refuses the list then, and the window hands it again until
// the link takes it, after the transfer: the unit gets every line of it.
TEST_F(OnlineSettingsSimTest, APowerListGivenDuringATransferReachesTheUnitAfterIt) {
  ASSERT_TRUE(Connect());
  for (const bool upload : {false, true}) {
    SCOPED_TRACE(upload ? "upload" : "download");
    m_power->SetParam(PM::P_BATT_PRIO, 42);
    m_power->SetParam(PM::P_MAINS_PRIO, 30);
    m_power->SetParam(PM::P_SHUT_PRIO, 7);
    m_power->SetParam(PM::P_DROP_SHUT, 0);
    m_power->SetParam(PM::P_BATT_AVLBL, 0);
    sim.SetValue("/POWER/MAINS_PRIO", "99");
    sim.ClearLog();
    auto* frame = qobject_cast<CPowerFrm*>(Open(HostFrameKind::PowerManagement));
    ASSERT_NE(frame, nullptr);
    CPowerView* view = frame->GetPowerView();
    ASSERT_NE(view, nullptr);
    QWidget* button =
        BarButton(frame, frame->Action(upload ? CPowerFrm::kUploadPowerData : CPowerFrm::kDownloadPowerData));
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isEnabled());

    // Pressed while the transfer runs; until it ends the list waits and
    // nothing of it reaches the unit.
    QStringList leaked;
    const DuringTransfer seen = PressDuringATransfer(
        button, [view] { return view->IsTransferWaiting(); },
        [&] {
          for (const QString& line : LinesUnder("/POWER/"))
            if (!line.startsWith("/POWER/STATE")) leaked << line;
        });
    EXPECT_EQ(seen.result, CTransfer::Result::Done);
    ASSERT_TRUE(seen.pressed);
    EXPECT_TRUE(seen.waiting);
    EXPECT_TRUE(leaked.isEmpty()) << leaked.join(" | ").toStdString();

    const QStringList lines =
        upload
            ? QStringList{"/POWER/BATT_PRIO ?", "/POWER/MAINS_PRIO ?", "/POWER/MAINS_COND ?", "/POWER/BOOT_MAC ?",
                          "/POWER/SHUT_MAC ?",  "/POWER/DROP_SHUT ?",  "/POWER/BATT_AVLBL ?", "/POWER/SHUT_PRIO ?"}
            : QStringList{"/POWER/MAINS_COND 0", "/POWER/MAINS_PRIO 30", "/POWER/BOOT_MAC 0",    "/POWER/BATT_PRIO 42",
                          "/POWER/SHUT_MAC 0",   "/POWER/DROP_SHUT NO",  "/POWER/BATT_AVLBL NO", "/POWER/SHUT_PRIO 7"};
    const auto received = [&] {
      QStringList settings;
      for (const QString& line : LinesUnder("/POWER/"))
        if (!line.startsWith("/POWER/STATE")) settings << line;
      return settings;
    };
    EXPECT_TRUE(WaitUntil([&] { return received().size() >= lines.size(); })) << received().join(" | ").toStdString();
    EXPECT_EQ(received(), lines);
    EXPECT_FALSE(view->IsTransferWaiting());
    if (upload) {
      EXPECT_TRUE(WaitUntil([&] { return view->PriorityEdit(PM::P_MAINS_PRIO)->text() == "99"; }));
      EXPECT_EQ(m_power->GetParam(PM::P_MAINS_PRIO), 99);
    } else {
      EXPECT_EQ(sim.Value("/POWER/BATT_PRIO"), "42");
      EXPECT_EQ(sim.Value("/POWER/SHUT_PRIO"), "7");
    }
    m_host->reject();
    m_host.reset();
  }
}

// A list still waiting for the line when the connection is lost is given
// up, and the window's bar says that it was not sent: it never goes to the
// unit connected next.
TEST_F(OnlineSettingsSimTest, APowerListWaitingWhenTheLineIsLostIsToldAsNotSent) {
  ASSERT_TRUE(Connect());
  auto* frame = qobject_cast<CPowerFrm*>(Open(HostFrameKind::PowerManagement));
  ASSERT_NE(frame, nullptr);
  LoseTheLineWhileAListWaits(frame, frame->GetPowerView(),
                             BarButton(frame, frame->Action(CPowerFrm::kDownloadPowerData)));
}

// The event-log window's Download and Upload pressed while a transfer has
// the line: the link refuses the lists then, and the window hands them
// again until the link takes them, after the transfer: the unit gets every
// line, in order.
TEST_F(OnlineSettingsSimTest, AnEventLogListGivenDuringATransferReachesTheUnitAfterIt) {
  CEventLog* log = EventLog();
  ASSERT_NE(log, nullptr);
  ASSERT_TRUE(Connect());
  for (const bool upload : {false, true}) {
    SCOPED_TRACE(upload ? "upload" : "download");
    log->SetParamText(CEventLog::I_GENERAL, QStringLiteral("AUDIO,POWER"));
    log->SetParamText(CEventLog::I_AUDIO, QStringLiteral("ALARM"));
    sim.SetValue("/EVENT/LOG/MASK/ON", "FAULT,CONFIG");
    sim.ClearLog();
    auto* frame = qobject_cast<CEventLogFrm*>(Open(HostFrameKind::EventLog));
    ASSERT_NE(frame, nullptr);
    CEventLogView* view = frame->GetEventLogView();
    ASSERT_NE(view, nullptr);
    QWidget* button =
        BarButton(frame, frame->Action(upload ? CEventLogFrm::kUploadSettings : CEventLogFrm::kDownloadSettings));
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isEnabled());

    QStringList leaked;
    const DuringTransfer seen = PressDuringATransfer(
        button, [view] { return view->IsTransferWaiting(); }, [&] { leaked << LinesUnder("/EVENT/LOG/MASK"); });
    EXPECT_EQ(seen.result, CTransfer::Result::Done);
    ASSERT_TRUE(seen.pressed);
    EXPECT_TRUE(seen.waiting);
    EXPECT_TRUE(leaked.isEmpty()) << leaked.join(" | ").toStdString();
    EXPECT_TRUE(messages.Requests().empty()) << messages.Requests().front().text.toStdString();

    const QStringList lines = upload
                                  ? QStringList{"/EVENT/LOG/MASK/ON ?",          "/EVENT/LOG/MASK/AUDIO/ON ?",
                                                "/EVENT/LOG/MASK/MACRO/ON ?",    "/EVENT/LOG/MASK/FAULT/ON ?",
                                                "/EVENT/LOG/MASK/READYINP/ON ?", "/EVENT/LOG/MASK/VIRTCTRL/ON ?"}
                                  : QStringList{"/EVENT/LOG/MASK/ON AUDIO,POWER",   "/EVENT/LOG/MASK/AUDIO/ON ALARM",
                                                "/EVENT/LOG/MASK/MACRO/ON NONE",    "/EVENT/LOG/MASK/FAULT/ON NONE",
                                                "/EVENT/LOG/MASK/READYINP/ON NONE", "/EVENT/LOG/MASK/VIRTCTRL/ON NONE"};
    EXPECT_TRUE(WaitUntil([&] { return LinesUnder("/EVENT/LOG/MASK").size() >= lines.size(); }))
        << LinesUnder("/EVENT/LOG/MASK").join(" | ").toStdString();
    EXPECT_EQ(LinesUnder("/EVENT/LOG/MASK"), lines);
    EXPECT_FALSE(view->IsTransferWaiting());
    if (upload)
      EXPECT_TRUE(WaitUntil([&] { return log->GetParamText(CEventLog::I_GENERAL) == "FAULT,CONFIG"; }))
          << log->GetParamText(CEventLog::I_GENERAL).toStdString();
    else
      EXPECT_EQ(sim.Value("/EVENT/LOG/MASK/ON"), "AUDIO,POWER");
    m_host->reject();
    m_host.reset();
  }
}

// An event-log list still waiting for the line when the connection is lost
// is given up, and the window's bar says that it was not sent.
TEST_F(OnlineSettingsSimTest, AnEventLogListWaitingWhenTheLineIsLostIsToldAsNotSent) {
  ASSERT_NE(EventLog(), nullptr);
  ASSERT_TRUE(Connect());
  auto* frame = qobject_cast<CEventLogFrm*>(Open(HostFrameKind::EventLog));
  ASSERT_NE(frame, nullptr);
  LoseTheLineWhileAListWaits(frame, frame->GetEventLogView(),
                             BarButton(frame, frame->Action(CEventLogFrm::kDownloadSettings)));
  EXPECT_FALSE(messages.SawText("could not be sent"));
}

// Opening the message-recorder window on line asks the unit for its
// recorder's settings and shows them; that is no edit of the project, which
// stays unmodified. The user's own choice in the window is one.
TEST_F(OnlineSettingsSimTest, OpeningTheRecorderOnLineLeavesTheProjectUnmodified) {
  sim.SetValue("/RECORDER/INPUT", "3");
  sim.SetValue("/RECORDER/OUTPUT", "NONE");
  sim.SetValue("/RECORDER/FILE", "OFF");
  sim.SetValue("/RECORDER/MAXTIME", "12.5");
  ASSERT_TRUE(Connect());
  doc.SetModifiedFlag(false);
  auto* frame = qobject_cast<CRecorderFrm*>(Open(HostFrameKind::Recorder));
  ASSERT_NE(frame, nullptr);
  CRecorderView* view = frame->GetRecorderView();
  ASSERT_NE(view, nullptr);
  // FORMAT is the last answer of the opening query.
  ASSERT_TRUE(WaitUntil([&] { return view->BankBox(3)->isEnabled(); }));
  EXPECT_EQ(view->SourceList()->currentText(), "IN3");
  EXPECT_EQ(view->DestinationList()->currentIndex(), 0);
  EXPECT_EQ(view->MessageList()->currentIndex(), -1);
  EXPECT_EQ(view->RecordTimeEdit()->text(), "12.5");
  EXPECT_EQ(m_recorder->GetParam(CInternalMessageRec::P_INPUT), 3);
  EXPECT_FALSE(doc.IsModified());
  // Polls come and go; still nothing edited.
  ASSERT_TRUE(WaitUntil([&] { return !LinesUnder("/RECORDER/TIME ?").isEmpty(); }));
  EXPECT_FALSE(doc.IsModified());

  QLineEdit* field = view->DestinationList()->lineEdit();
  ASSERT_NE(field, nullptr);
  field->selectAll();
  QTest::keyClicks(field, "OUT2");
  QTest::keyClick(field, Qt::Key_Return);
  EXPECT_TRUE(WaitUntil([&] { return sim.Value("/RECORDER/OUTPUT") == "2"; }));
  EXPECT_TRUE(doc.IsModified());
}

}  // namespace
