// "Save VMX settings" in the editor host's windows against the simulated
// unit (the switch button of an on-line window, the command as the fault
// window routes it), as the Communication menu runs it: the echo is waited for and the result
// said in the window's status bar, a unit that did not take the line is
// said as such, and while a transfer has the line the command is refused
// with a word and nothing goes to the unit.
#include "everyfamilyproject.h"
#include "link/lineuse.h"
#include "link/linkprofile.h"
#include "model/cprofile.h"
#include "model/cselvantisdoc.h"
#include "online/cfaultdlgfrm.h"
#include "online/conlinecommandroute.h"
#include "scriptedfilechooser.h"
#include "shell/clinkpanel.h"
#include "shell/cmainframe.h"
#include "shell/controls/cframehostdialog.h"
#include "shell/controls/hostframekind.h"
#include "shell/cselvantisapp.h"
#include "shell/cshellsettings.h"
#include "shell/shellcommands.h"
#include "support/messagerecorder.h"
#include "support/tempprofile.h"
#include "support/testtimelimit.h"
#include "support/waituntil.h"
#include "unitsimulator.h"

#include <QAction>
#include <QMainWindow>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QString kFastSave = QStringLiteral("/SERVICE/START FASTSAVE");

class UnitSaveTest : public testing::Test {
 protected:
  void SetUp() override {
    TeachEveryFamily(sim);
    QString error;
    ASSERT_TRUE(sim.Start(&error)) << error.toStdString();
    CProfile::WriteString(LinkProfile::kComSection, LinkProfile::kPort, sim.PtyPath());
    CShellSettings::SetLanguage(CStringTable::Language::English);
    CShellSettings::SetStartupAction(CShellSettings::kStartNew);
    app = std::make_unique<CSelvantisApp>(&chooser);
    ASSERT_TRUE(app->InitInstance({}));
    frame = app->MainFrame();
    ASSERT_TRUE(frame->OnCommand(ShellCmd::kCommConnect));
  }
  void TearDown() override {
    host.reset();
    app.reset();
    sim.Stop();
  }

  // The window of kind in the editor host, shown.
  QMainWindow* Open(HostFrameKind kind) {
    host = std::make_unique<CFrameHostDialog>(frame->GetActiveDocument(), kind, frame);
    host->show();
    return qobject_cast<QMainWindow*>(host->GetFrame());
  }
  // The button of command in the window's bars or the host's switch column.
  QWidget* Button(uint32_t command) const {
    for (QToolBar* bar : host->findChildren<QToolBar*>())
      for (QAction* action : bar->actions())
        if (action->objectName() == QStringLiteral("command%1").arg(command))
          if (QWidget* button = bar->widgetForAction(action)) return button;
    return nullptr;
  }
  // "Save VMX settings" as the window gets it: the switch button of an
  // on-line window; the fault window's bar has none, the command comes to
  // its routing.
  void PressSave(QMainWindow* window) {
    if (auto* fault = qobject_cast<CFaultDlgFrm*>(window)) {
      EXPECT_TRUE(fault->OnCommand(COnlineCommandRoute::kSaveVmxSettings));
      return;
    }
    QWidget* save = Button(COnlineCommandRoute::kSaveVmxSettings);
    ASSERT_NE(save, nullptr);
    ASSERT_TRUE(save->isEnabled());
    QTest::mouseClick(save, Qt::LeftButton);
  }
  int FastSaves() const { return static_cast<int>(sim.FullLines().count(kFastSave)); }

  TestTimeLimit limit{std::chrono::seconds(240), [this] { sim.HangUp(); }};
  TempProfile profile;
  MessageRecorder messages;
  UnitSimulator sim;
  ScriptedFileChooser chooser;
  std::unique_ptr<CSelvantisApp> app;
  CMainFrame* frame = nullptr;
  std::unique_ptr<CFrameHostDialog> host;
};

// The unit echoes the line: the window says it saved. A unit that lost the
// line is waited for and said not to have saved.
TEST_F(UnitSaveTest, SaveVmxSettingsWaitsForTheEchoAndSaysTheResultInTheWindow) {
  struct Row {
    const char* what;
    HostFrameKind kind;
    bool lost;
    const char* said;
  };
  const Row rows[] = {
      {"the fault window", HostFrameKind::Faults, false, "The unit has saved its settings."},
      {"the power window", HostFrameKind::PowerManagement, false, "The unit has saved its settings."},
      {"the fault window, the line lost", HostFrameKind::Faults, true,
       "The unit did not save its settings: the unit did not confirm the line within 5 seconds"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    QMainWindow* window = Open(row.kind);
    ASSERT_NE(window, nullptr);
    sim.ClearLog();
    if (row.lost) sim.LoseNext(kFastSave);
    PressSave(window);
    // The command returns once the unit has answered or the wait is over.
    EXPECT_EQ(window->statusBar()->currentMessage(), QString::fromLatin1(row.said));
    EXPECT_EQ(FastSaves(), row.lost ? 0 : 1);
    EXPECT_TRUE(messages.Requests().empty()) << messages.Requests().front().text.toStdString();
    host->reject();
    host.reset();
  }
}

// Pressed while the fault window's own download has the line: refused with
// a word in the window's status bar, and nothing goes to the unit, then or
// after.
TEST_F(UnitSaveTest, SaveVmxSettingsDuringATransferIsRefusedWithAWord) {
  sim.SetPaced(true);
  QMainWindow* window = Open(HostFrameKind::Faults);
  ASSERT_NE(window, nullptr);
  QWidget* download = Button(CFaultDlgFrm::kDownloadFault);
  ASSERT_NE(download, nullptr);
  sim.ClearLog();
  QString said;
  bool pressed = false;
  QTimer press;
  QObject::connect(&press, &QTimer::timeout, &press, [&] {
    if (pressed || !IsLineInUse() || sim.ReceivedCount() < 3) return;
    pressed = true;
    PressSave(window);
    said = window->statusBar()->currentMessage();
  });
  press.start(10);
  QTest::mouseClick(download, Qt::LeftButton);
  press.stop();
  ASSERT_TRUE(pressed);
  EXPECT_EQ(said, LineUseRefusal(LineUse::Transfer));
  EXPECT_TRUE(WaitUntil([&] { return !IsLineInUse(); }));
  EXPECT_EQ(FastSaves(), 0);
  EXPECT_TRUE(sim.FullLines().contains(QStringLiteral("/MACRO/LOCK OFF")) ||
              !sim.FullLines().contains(QStringLiteral("/MACRO/LOCK ON")));
}

}  // namespace
