// The on-line windows follow the connection on the real link and the
// simulated unit: a lost line shows at once in every open window (the bar
// with Connect, the form disabled, no more polls), the windows poll again by
// themselves when the unit is connected again (by the user's Connect in the
// window or by the program's own reconnect), a command given off line says
// that it was not sent, and a value the unit refuses never reads as zero.
#include "link/ccommlink.h"
#include "link/clinkreconnect.h"
#include "link/linkprofile.h"
#include "logichandlers.h"
#include "model/cprofile.h"
#include "modulehandlers.h"
#include "online/cclkfrm.h"
#include "online/cclkview.h"
#include "online/cclockwindowstate.h"
#include "online/clinestatebar.h"
#include "online/cservicedlg.h"
#include "shell/controls/cframehostdialog.h"
#include "support/simlinktest.h"
#include "support/waituntil.h"
#include "unit/cfuse.h"
#include "unit/cinternalslot.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

void RegisterFamilies(UnitSimulator& s) {
  RegisterModuleHandlers(s);
  RegisterLogicHandlers(s);
}

class OnlineLineSimTest : public SimLinkTest {
 protected:
  void SetUp() override {
    StartSim(RegisterFamilies);
    doc.OnNewDocument();
    CFuse::EnsureIn(doc);
    SetActiveDoc(&doc);
    // The port is a name that stays while the unit behind it changes, as a
    // serial adapter's device does.
    m_port = dir.filePath(QStringLiteral("ttyUnit"));
    PointPortAt(sim.PtyPath());
    CProfile::WriteString(LinkProfile::kComSection, LinkProfile::kPort, m_port);
    m_previousConnector = CLineStateBar::SetConnector([this](CSelvantisDoc* d) { return link->Connect(d); });
    m_previousSetter = CClockWindowState::SetClockSetter([](const QDateTime&) { return true; });
  }
  void TearDown() override {
    if (m_host) m_host->reject();
    m_host.reset();
    CClockWindowState::SetClockSetter(m_previousSetter);
    CLineStateBar::SetConnector(m_previousConnector);
    SetActiveDoc(nullptr);
    SimLinkTest::TearDown();
    m_back.reset();
  }

  void PointPortAt(const QString& pty) {
    QFile::remove(m_port);
    ASSERT_TRUE(QFile::link(pty, m_port));
  }

  QMainWindow* Open(HostFrameKind kind) {
    m_host = std::make_unique<CFrameHostDialog>(&doc, kind);
    m_host->show();
    return qobject_cast<QMainWindow*>(m_host->GetFrame());
  }

  // The unit goes away: its terminal is closed.
  bool LoseTheUnit() {
    sim.HangUp();
    return WaitUntil([&] { return !link->IsConnected(); });
  }

  // The unit is there again behind the same port name.
  UnitSimulator& BringTheUnitBack() {
    m_back = std::make_unique<UnitSimulator>();
    RegisterFamilies(*m_back);
    EXPECT_TRUE(m_back->Start());
    PointPortAt(m_back->PtyPath());
    return *m_back;
  }

  static bool Received(const UnitSimulator& unit, const QString& prefix) {
    for (const QString& line : unit.FullLines())
      if (line.startsWith(prefix)) return true;
    return false;
  }

  QString m_port;
  std::unique_ptr<CFrameHostDialog> m_host;
  std::unique_ptr<UnitSimulator> m_back;
  CLineStateBar::Connector m_previousConnector;
  CClockWindowState::ClockSetter m_previousSetter;
};

struct WindowCase {
  HostFrameKind kind;
  const char* poll;  // what the window asks while on line
};

const WindowCase kWindows[] = {
    {HostFrameKind::Fuses, "/FUSE/SLOT1/A/BLOWN ?"},
    {HostFrameKind::PowerManagement, "/POWER/STATE ?"},
    {HostFrameKind::Faults, "/FAULT/ACTIVE ?"},
    {HostFrameKind::Clock, "/CLOCK/MAIN/TIME ?"},
    {HostFrameKind::PilotTone, "/PILOT/GEN ?"},
    {HostFrameKind::Recorder, "/RECORDER/TIME ?"},
    {HostFrameKind::EventLog, "/EVENT/LOG/ENTRIES ?"},
    {HostFrameKind::LineTest, "/SERVICE/ZONETEST/MODE ?"},
    {HostFrameKind::Volumes, "/AUDIO/CHIME_VOL ?"},
    {HostFrameKind::Hardware, "/SLOT1/MODULE ?"},
};

class OnlineLineWindowTest : public OnlineLineSimTest, public testing::WithParamInterface<WindowCase> {};

TEST_P(OnlineLineWindowTest, ShowsTheLossAtOnceAndPollsAgainAfterConnect) {
  const WindowCase& w = GetParam();
  ASSERT_TRUE(Connect());
  QMainWindow* frame = Open(w.kind);
  ASSERT_NE(frame, nullptr);
  auto* bar = frame->findChild<CLineStateBar*>();
  ASSERT_NE(bar, nullptr);
  QWidget* form = frame->centralWidget();
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE(bar->isHidden());
  EXPECT_TRUE(WaitUntil([&] { return Received(sim, w.poll); }));

  ASSERT_TRUE(LoseTheUnit());
  // At once, without the window doing anything.
  EXPECT_FALSE(bar->isHidden());
  EXPECT_TRUE(bar->Text().contains("lost")) << bar->Text().toStdString();
  EXPECT_FALSE(form->isEnabled());
  EXPECT_TRUE(bar->ConnectButton()->isVisibleTo(frame));

  UnitSimulator& back = BringTheUnitBack();
  // Connect from inside the modal window.
  QTest::mouseClick(bar->ConnectButton(), Qt::LeftButton);
  ASSERT_TRUE(link->IsConnected());
  EXPECT_TRUE(bar->isHidden());
  EXPECT_TRUE(form->isEnabled());
  EXPECT_TRUE(WaitUntil([&] { return Received(back, w.poll); })) << back.FullLines().join(" | ").toStdString();
}

INSTANTIATE_TEST_SUITE_P(Windows, OnlineLineWindowTest, testing::ValuesIn(kWindows));

// The main window's F5 does not reach a modal window: the window's own does.
TEST_F(OnlineLineSimTest, F5InsideTheModalWindowConnects) {
  ASSERT_TRUE(Connect());
  QMainWindow* frame = Open(HostFrameKind::Faults);
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(LoseTheUnit());
  UnitSimulator& back = BringTheUnitBack();
  m_host->activateWindow();
  QApplication::setActiveWindow(m_host.get());
  ASSERT_TRUE(WaitUntil([&] { return QApplication::activeWindow() == m_host.get(); }));
  QTest::keyClick(frame->centralWidget(), Qt::Key_F5);
  EXPECT_TRUE(link->IsConnected());
  EXPECT_TRUE(WaitUntil([&] { return Received(back, "/FAULT/ACTIVE ?"); }));
}

TEST_F(OnlineLineSimTest, TheProgramReconnectsByItselfAndTheWindowPollsAgain) {
  ASSERT_TRUE(Connect());
  CLinkReconnect reconnect(*link);
  reconnect.SetRetry(20, 1000);
  QMainWindow* frame = Open(HostFrameKind::Fuses);
  ASSERT_NE(frame, nullptr);
  auto* bar = frame->findChild<CLineStateBar*>();
  ASSERT_NE(bar, nullptr);

  ASSERT_TRUE(LoseTheUnit());
  EXPECT_TRUE(reconnect.IsWaiting());
  EXPECT_FALSE(bar->isHidden());
  EXPECT_FALSE(frame->centralWidget()->isEnabled());

  UnitSimulator& back = BringTheUnitBack();
  EXPECT_TRUE(WaitUntil([&] { return link->IsConnected(); }));
  EXPECT_FALSE(reconnect.IsWaiting());
  EXPECT_TRUE(bar->isHidden());
  EXPECT_TRUE(frame->centralWidget()->isEnabled());
  EXPECT_TRUE(WaitUntil([&] { return Received(back, "/FUSE/SLOT1/A/BLOWN ?"); }));
}

TEST_F(OnlineLineSimTest, ASlaveClockTimeSetOffLineSaysItWasNotSent) {
  QMainWindow* frame = Open(HostFrameKind::Clock);
  auto* clock = qobject_cast<CClkFrm*>(frame);
  ASSERT_NE(clock, nullptr);
  auto* bar = frame->findChild<CLineStateBar*>();
  ASSERT_NE(bar, nullptr);
  EXPECT_FALSE(bar->isHidden());
  EXPECT_FALSE(bar->Text().contains("Not sent"));
  clock->GetView()->Edit(CClkView::kSlaveTimeId)->setText("06:45");
  QTest::mouseClick(clock->GetView()->Button(CClkView::kSlaveButtonId), Qt::LeftButton);
  EXPECT_TRUE(bar->Text().contains("Not sent: the unit is not connected.")) << bar->Text().toStdString();

  // Connected, the same button sends, and the note goes.
  ASSERT_TRUE(Connect());
  EXPECT_TRUE(bar->isHidden());
  QTest::mouseClick(clock->GetView()->Button(CClkView::kSlaveButtonId), Qt::LeftButton);
  EXPECT_TRUE(WaitUntil([&] { return Received(sim, "/CLOCK/SLAVE/TIME 06:45"); }));
  EXPECT_FALSE(bar->Text().contains("Not sent"));
}

TEST_F(OnlineLineSimTest, TheServiceWindowShowsARefusedValueAsNotAnswered) {
  // The unit refuses the on-line time and the power-on count.
  ASSERT_FALSE(sim.HasValue("/SERVICE/ONTIME"));
  ASSERT_FALSE(sim.HasValue("/SERVICE/ONCOUNT"));
  ASSERT_TRUE(Connect());
  CInternalSlot* slot = CInternalSlot::FindByKind(&doc, CInternalSlot::KIND_SERVICE);
  ASSERT_NE(slot, nullptr);
  CServiceDlg dialog(slot);
  dialog.show();
  // The version is asked after both; once it is shown, their refusals are in.
  ASSERT_TRUE(WaitUntil([&] { return dialog.VersionText()->text() == "V1.0"; }));
  bool refused = false;
  for (const MonitorEntry& entry : link->Monitor().Entries())
    refused |= entry.direction == MonitorEntry::Received && entry.text == "ERROR /SERVICE/ONCOUNT";
  EXPECT_TRUE(refused);
  EXPECT_EQ(dialog.PowerOnCountText()->text(), CServiceDlg::NotAnsweredText());
  EXPECT_EQ(dialog.OnlineTimeText()->text(), CServiceDlg::NotAnsweredText());
  EXPECT_EQ(dialog.State().PowerOnCount(), -1);

  // A count of 0 the unit does answer is shown as 0.
  sim.SetValue("/SERVICE/ONCOUNT", "0");
  sim.SetValue("/SERVICE/ONTIME", "0:00");
  dialog.OnTimer();
  EXPECT_TRUE(WaitUntil([&] { return dialog.PowerOnCountText()->text() == "0"; }));
  EXPECT_TRUE(WaitUntil([&] { return dialog.OnlineTimeText()->text() == "0:00"; }));
}

}  // namespace
