// The Communication menu of the main window against the simulated unit:
// connect, the connection pane, the protocol monitor, "Save VMX settings",
// a command file, the parameter export and disconnect.
#include "shell/clinkpanel.h"
#include "everyfamilyproject.h"
#include "link/ccommlink.h"
#include "link/cprotocolmonitor.h"
#include "link/idevicelink.h"
#include "link/linkprofile.h"
#include "model/cprofile.h"
#include "model/cselvantisdoc.h"
#include "scriptedfilechooser.h"
#include "shell/cmainframe.h"
#include "shell/controls/cprogressdlg.h"
#include "shell/cprotocolmonitorwnd.h"
#include "shell/cselvantisapp.h"
#include "shell/cshellsettings.h"
#include "shell/shellcommands.h"
#include "shelltestblock.h"
#include "support/messagerecorder.h"
#include "support/tempprofile.h"
#include "support/testtimelimit.h"
#include "support/waituntil.h"
#include "unitsimulator.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

class CLinkPanelTest : public testing::Test {
 protected:
  void SetUp() override {
    // Every family of commands the simulated unit knows, and an operating
    // system that knows every clear command of the transfers, so that a
    // whole project goes down and comes back as it would with a real unit.
    TeachEveryFamily(sim);
    QString error;
    ASSERT_TRUE(sim.Start(&error)) << error.toStdString();
    CProfile::WriteString(LinkProfile::kComSection, LinkProfile::kPort, sim.PtyPath());
    CShellSettings::SetLanguage(CStringTable::Language::English);
    CShellSettings::SetStartupAction(CShellSettings::kStartNew);
    app = std::make_unique<CSelvantisApp>(&chooser);
    ASSERT_TRUE(app->InitInstance({}));
    frame = app->MainFrame();
  }
  void TearDown() override {
    app.reset();
    sim.Stop();
  }

  // Waits until the simulated unit has received a line.
  bool Received(const QString& line) {
    return WaitUntil([&] { return sim.FullLines().contains(line); });
  }
  // From now on progressAtMessage names every progress dialog still on the
  // screen when a message box shows.
  void WatchForProgressAtMessages() {
    messages.SetOnShow([this](const MessageRequest&) {
      for (QWidget* widget : QApplication::topLevelWidgets())
        if (qobject_cast<CProgressDlg*>(widget) && widget->isVisible()) progressAtMessage << widget->windowTitle();
    });
  }
  // Runs action after ms, from the event loop the transfer keeps turning.
  void After(int ms, std::function<void()> action) {
    auto* timer = new QTimer(&timers);
    timer->setSingleShot(true);
    QObject::connect(timer, &QTimer::timeout, &timers, std::move(action));
    timer->start(ms);
  }

  // Far beyond what a test needs: a hang fails.
  TestTimeLimit limit{std::chrono::seconds(240), [this] { sim.HangUp(); }};
  TempProfile profile;
  MessageRecorder messages;
  UnitSimulator sim;
  ScriptedFileChooser chooser;
  std::unique_ptr<CSelvantisApp> app;
  CMainFrame* frame = nullptr;
  QObject timers;
  QStringList progressAtMessage;
};

TEST_F(CLinkPanelTest, ConnectsShowsTheStateAndTheTrafficAndDisconnects) {
  EXPECT_EQ(frame->ConnectionPane()->text(), QStringLiteral("Not connected"));
  EXPECT_FALSE(frame->IsCommandEnabled(32852));
  ASSERT_TRUE(frame->OnCommand(ShellCmd::kCommConnect));
  EXPECT_TRUE(frame->Link().IsConnected());
  EXPECT_EQ(frame->ConnectionPane()->text(), QStringLiteral("Connected"));
  EXPECT_TRUE(frame->GetActiveDocument()->IsConnected());
  EXPECT_TRUE(IsOnline());

  // The monitor window shows every line of the traffic, live.
  CProtocolMonitorWnd* monitor = frame->Link().MonitorWindow();
  EXPECT_TRUE(monitor->Text().contains(QStringLiteral("> /SERVICE/DEVID ?")));
  const int before = monitor->LineCount();

  ASSERT_TRUE(frame->IsCommandEnabled(32852));
  frame->OnCommand(32852);
  EXPECT_TRUE(Received(QStringLiteral("/SERVICE/START FASTSAVE")));
  EXPECT_GT(monitor->LineCount(), before);
  EXPECT_TRUE(monitor->Text().contains(QStringLiteral("> /SERVICE/START FASTSAVE")));

  // Every part of the program sends single lines through the main window.
  AfxGetMainWnd()->SendDeviceCommand(QStringLiteral("/ZONE1/VOL 5"), nullptr, false);
  EXPECT_TRUE(Received(QStringLiteral("/ZONE1/VOL 5")));

  ASSERT_TRUE(frame->OnCommand(ShellCmd::kCommDisconnect));
  EXPECT_FALSE(frame->Link().IsConnected());
  EXPECT_EQ(frame->ConnectionPane()->text(), QStringLiteral("Not connected"));
  // Disconnecting protects the unit's parameters again.
  EXPECT_TRUE(monitor->Text().contains(QStringLiteral("> /PROTECT ON")));
  EXPECT_TRUE(messages.Requests().empty());
}

TEST_F(CLinkPanelTest, SaveVmxSettingsSaysInTheStatusBarWhetherTheUnitSaved) {
  ASSERT_TRUE(frame->OnCommand(ShellCmd::kCommConnect));
  ASSERT_TRUE(frame->IsCommandEnabled(32852));
  frame->OnCommand(32852);
  EXPECT_EQ(frame->statusBar()->currentMessage(), QStringLiteral("The unit has saved its settings."));
  // A unit that no longer confirms anything.
  sim.SetSilent(true);
  frame->OnCommand(32852);
  EXPECT_TRUE(frame->statusBar()->currentMessage().startsWith(
      QStringLiteral("The unit did not save its settings: the unit did not confirm the line")))
      << frame->statusBar()->currentMessage().toStdString();
  sim.SetSilent(false);
  EXPECT_TRUE(messages.Requests().empty());
}

TEST_F(CLinkPanelTest, DownloadsAndUploadsTheProjectWithTheProgressDialog) {
  ASSERT_TRUE(frame->OnCommand(ShellCmd::kCommConnect));
  EXPECT_TRUE(frame->OnCommand(ShellCmd::kCommDownload));
  EXPECT_EQ(frame->Link().Device().GetLinkMode(), LINKMODE_NORMAL) << "back at rest, macros unlocked";
  EXPECT_TRUE(Received(QStringLiteral("/MACRO/LOCK OFF")));
  EXPECT_TRUE(frame->OnCommand(ShellCmd::kCommUpload));
  EXPECT_EQ(frame->Link().Device().GetLinkMode(), LINKMODE_NORMAL);
  EXPECT_FALSE(frame->Link().IsBusy());
  EXPECT_TRUE(messages.Requests().empty());
}

TEST_F(CLinkPanelTest, AnOldUnitSaysWhyItsMonitorIsNotUploaded) {
  // Before V0.8 the unit cannot name its cleared monitor entries: the upload
  // skips the monitor and says so, once, and still ends at rest.
  sim.SetValue(QStringLiteral("/SERVICE/VER"), QStringLiteral("V0.7"));
  ASSERT_TRUE(frame->OnCommand(ShellCmd::kCommConnect));
  EXPECT_TRUE(frame->OnCommand(ShellCmd::kCommUpload));
  EXPECT_EQ(frame->Link().Device().GetLinkMode(), LINKMODE_NORMAL);
  EXPECT_FALSE(frame->Link().IsBusy());
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_TRUE(messages.SawText(QStringLiteral("cannot report its cleared monitor entries")));
}

TEST_F(CLinkPanelTest, SendsACommandFileLineByLine) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("setup.txt"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("/ZONE2/VOL 7\r\n/ZONE3/VOL 9\r\n");
  file.close();
  ASSERT_TRUE(frame->OnCommand(ShellCmd::kCommConnect));
  chooser.Queue(path);
  EXPECT_TRUE(frame->OnCommand(ShellCmd::kCommSendFile));
  EXPECT_TRUE(Received(QStringLiteral("/ZONE2/VOL 7")));
  EXPECT_TRUE(Received(QStringLiteral("/ZONE3/VOL 9")));
  EXPECT_FALSE(frame->Link().IsBusy());
}

TEST_F(CLinkPanelTest, ADroppedCommandFileIsSentWhileConnected) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("DROP.TXT"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("/ZONE4/VOL 1\r\n");
  file.close();
  ASSERT_TRUE(frame->OnCommand(ShellCmd::kCommConnect));
  frame->OpenDroppedFiles({path});
  EXPECT_TRUE(Received(QStringLiteral("/ZONE4/VOL 1")));
  EXPECT_TRUE(messages.Requests().empty());
}

TEST_F(CLinkPanelTest, ExportsTheParametersWithoutTheUnit) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("params.txt"));
  chooser.Queue(path);
  EXPECT_TRUE(frame->OnCommand(ShellCmd::kCommExport));
  EXPECT_TRUE(QFileInfo::exists(path));
  EXPECT_EQ(chooser.LastProposed(), QStringLiteral("Project1.txt"));
  EXPECT_TRUE(messages.Requests().empty());
}

TEST_F(CLinkPanelTest, AFailedConnectLeavesTheFrameDisconnected) {
  sim.Stop();
  EXPECT_FALSE(frame->OnCommand(ShellCmd::kCommConnect));
  EXPECT_FALSE(frame->Link().IsConnected());
  EXPECT_EQ(frame->ConnectionPane()->text(), QStringLiteral("Not connected"));
  EXPECT_EQ(messages.Requests().size(), 1u);
  EXPECT_FALSE(frame->Link().IsBusy());
}

TEST_F(CLinkPanelTest, TheErrorFileOfAProjectIsShownWhenItHasLines) {
  QTemporaryDir dir;
  CSelvantisDoc* doc = frame->GetActiveDocument();
  ASSERT_TRUE(doc->OnSaveDocument(dir.filePath(QStringLiteral("site.sxm"))));
  EXPECT_EQ(CLinkPanel::ErrorFileOf(*doc), dir.filePath(QStringLiteral("site.err")));
  EXPECT_FALSE(frame->IsCommandEnabled(ShellCmd::kCommShowErrorFile));
  QFile err(CLinkPanel::ErrorFileOf(*doc));
  ASSERT_TRUE(err.open(QIODevice::WriteOnly));
  err.write("Zone 3 : Hall is missing\r\n");
  err.close();
  ASSERT_TRUE(frame->IsCommandEnabled(ShellCmd::kCommShowErrorFile));
  EXPECT_TRUE(frame->OnCommand(ShellCmd::kCommShowErrorFile));
}

}  // namespace

TEST_F(CLinkPanelTest, TheStatusBarShowsWhileTheUnitHoldsTheLine) {
  ASSERT_TRUE(frame->OnCommand(ShellCmd::kCommConnect));
  // What the link reports once the unit's XOFF has held the line for a
  // second, and its XON: in calm words.
  emit frame->Link().Link().lineHeld(true);
  EXPECT_EQ(frame->statusBar()->currentMessage(), CLinkPanel::LineHeldText(true));
  EXPECT_TRUE(frame->statusBar()->currentMessage().contains(QStringLiteral("busy taking in data")));
  // It stays while the line is held, however long that is.
  QTest::qWait(50);
  EXPECT_EQ(frame->statusBar()->currentMessage(), CLinkPanel::LineHeldText(true));
  emit frame->Link().Link().lineHeld(false);
  EXPECT_EQ(frame->statusBar()->currentMessage(), CLinkPanel::LineHeldText(false));
  EXPECT_TRUE(frame->Link().IsConnected());
}

TEST_F(CLinkPanelTest, ALostPortDuringADownloadIsToldOnceWithItsReasonAfterTheProgressDialogHasGone) {
  // At the line's own speed a new project's download takes seconds: it is
  // still running when the unit vanishes.
  sim.SetPaced(true);
  ASSERT_TRUE(frame->OnCommand(ShellCmd::kCommConnect));
  WatchForProgressAtMessages();
  After(1500, [this] { sim.HangUp(); });
  EXPECT_FALSE(frame->OnCommand(ShellCmd::kCommDownload) && frame->Link().IsConnected());
  QTest::qWait(300);  // a second message would come now
  EXPECT_FALSE(frame->Link().IsConnected());
  ASSERT_EQ(messages.Requests().size(), 1u);
  const QString text = messages.Requests().front().text;
  EXPECT_TRUE(text.contains(QStringLiteral("connection to the unit was lost"))) << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("part of the project"))) << text.toStdString();
  // The system's reason: the pseudo-terminal's node goes with its far end.
  EXPECT_TRUE(text.contains(QStringLiteral("lost (No such device).")) ||
              text.contains(QStringLiteral("lost (Input/output error).")))
      << text.toStdString();
  EXPECT_FALSE(text.contains(QStringLiteral("Port lost"))) << text.toStdString();
  EXPECT_TRUE(progressAtMessage.isEmpty()) << progressAtMessage.join(", ").toStdString();
}

TEST_F(CLinkPanelTest, CancelTakesTheProgressDialogAwayBeforeTheMessage) {
  sim.SetPaced(true);
  ASSERT_TRUE(frame->OnCommand(ShellCmd::kCommConnect));
  WatchForProgressAtMessages();
  // The user presses Cancel a second into the download.
  After(1000, [] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      auto* progress = qobject_cast<CProgressDlg*>(widget);
      if (!progress || !progress->isVisible()) continue;
      if (auto* cancel = progress->findChild<QPushButton*>(QStringLiteral("cancel")))
        QTest::mouseClick(cancel, Qt::LeftButton);
    }
  });
  EXPECT_FALSE(frame->OnCommand(ShellCmd::kCommDownload));
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_TRUE(messages.SawText(QStringLiteral("part of the project")));
  EXPECT_TRUE(progressAtMessage.isEmpty()) << progressAtMessage.join(", ").toStdString();
  EXPECT_TRUE(frame->Link().IsConnected());
  EXPECT_TRUE(Received(QStringLiteral("/MACRO/LOCK OFF")));
}
