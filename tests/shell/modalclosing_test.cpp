// No modal window opens while Disconnect waits for the unit: the closing
// runs the event loop so that the window keeps painting, and a modal
// window opened there would hold the closing (and the unit unprotected)
// until someone closed it. Through the main window on the simulated unit,
// which holds the line when the user disconnects.
#include "link/ccommlink.h"
#include "link/lineuse.h"
#include "link/linkprofile.h"
#include "model/cprofile.h"
#include "shell/clinkpanel.h"
#include "shell/cmainframe.h"
#include "shell/cmodalguard.h"
#include "shell/cselvantisapp.h"
#include "shell/cshellsettings.h"
#include "shell/shellcommands.h"
#include "support/messagerecorder.h"
#include "support/tempprofile.h"
#include "support/testtimelimit.h"
#include "support/waituntil.h"
#include "unitsimulator.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QStatusBar>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <memory>

namespace {

class ModalClosingTest : public testing::Test {
 protected:
  void SetUp() override {
    QString error;
    ASSERT_TRUE(sim.Start(&error)) << error.toStdString();
    CProfile::WriteString(LinkProfile::kComSection, LinkProfile::kPort, sim.PtyPath());
    CShellSettings::SetLanguage(CStringTable::Language::English);
    CShellSettings::SetStartupAction(CShellSettings::kStartNew);
    app = std::make_unique<CSelvantisApp>(nullptr);
    ASSERT_TRUE(app->InitInstance({}));
    frame = app->MainFrame();
  }
  void TearDown() override {
    app.reset();
    sim.Stop();
  }

  TestTimeLimit limit{std::chrono::seconds(120), [this] { sim.HangUp(); }};
  TempProfile profile;
  MessageRecorder messages;
  UnitSimulator sim;
  std::unique_ptr<CSelvantisApp> app;
  CMainFrame* frame = nullptr;
};

}  // namespace

TEST_F(ModalClosingTest, NoModalWindowOpensWhileDisconnectWaitsForTheUnit) {
  ASSERT_TRUE(frame->OnCommand(ShellCmd::kCommConnect));
  ASSERT_TRUE(WaitUntil([&] { return sim.FullLines().contains("/PROTECT OFF"); }));
  sim.SetStalled(true);
  ASSERT_TRUE(WaitUntil([&] { return frame->Link().Link().IsLineHeld(); }));
  struct Seen {
    bool asked = false;
    LineUse use = LineUse::Free;
    bool mayOpen = true;
    bool preferencesEnabled = true;
    int result = -1;
    bool onScreen = false;
    QString status;
  } seen;
  // A window's button that opens a dialog, pressed while the closing waits
  // (the closing turns the event loop about every 50 ms).
  QTimer::singleShot(100, frame, [&] {
    seen.asked = true;
    seen.use = CurrentLineUse();
    seen.mayOpen = CModalGuard::MayOpen();
    seen.preferencesEnabled = frame->Action(ShellCmd::kViewPreferences)->isEnabled();
    frame->statusBar()->clearMessage();
    QDialog dialog(frame);
    // Should it reach the screen, it is closed again at once, so that it
    // cannot hold the closing.
    QTimer closer;
    closer.setInterval(5);
    QObject::connect(&closer, &QTimer::timeout, &dialog, [&] {
      if (!dialog.windowHandle() || !dialog.windowHandle()->isVisible()) return;
      seen.onScreen = true;
      dialog.accept();
    });
    closer.start();
    seen.result = dialog.exec();
    seen.status = frame->statusBar()->currentMessage();
    sim.SetStalled(false);
  });
  ASSERT_TRUE(frame->OnCommand(ShellCmd::kCommDisconnect));
  ASSERT_TRUE(seen.asked) << "the closing did not wait";
  EXPECT_EQ(seen.use, LineUse::Closing);
  EXPECT_FALSE(seen.mayOpen);
  EXPECT_FALSE(seen.preferencesEnabled);
  EXPECT_EQ(seen.result, QDialog::Rejected);
  EXPECT_FALSE(seen.onScreen);
  EXPECT_EQ(seen.status, LineUseRefusal(LineUse::Closing));
  // The closing went on to its end, and windows open again.
  EXPECT_TRUE(WaitUntil([&] { return sim.FullLines().contains("/PROTECT ON"); }));
  EXPECT_FALSE(frame->Link().IsConnected());
  EXPECT_TRUE(CModalGuard::MayOpen());
  frame->UpdateCommandUI();
  EXPECT_TRUE(frame->Action(ShellCmd::kViewPreferences)->isEnabled());
}
