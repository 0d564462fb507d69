// The box an upload shows for a zone whose wiring on the unit differs from
// the project, answered from the keyboard under a real window manager: the
// box has the focus, and Return, the keypad's Enter and the space bar each
// answer its one button, OK, so that the upload goes on to its end rather
// than being cancelled. The keys are pressed on the X server as a keyboard
// does, so they go where the window manager sends them, not straight to the
// box.
#include "everyfamilyproject.h"
#include "link/linkprofile.h"
#include "model/cprofile.h"
#include "model/cselvantisdoc.h"
#include "scriptedfilechooser.h"
#include "shell/cmainframe.h"
#include "shell/cmessageboxsink.h"
#include "shell/cselvantisapp.h"
#include "shell/cshellsettings.h"
#include "shell/shellcommands.h"
#include "support/underwindowmanager.h"
#include "support/waituntil.h"
#include "unitsimulator.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <memory>

namespace {

// X keysyms of the keys that answer the box.
struct AnswerKey {
  const char* what;
  unsigned long keysym;
};
const AnswerKey kAnswerKeys[] = {{"Return", 0xff0d}, {"the keypad's Enter", 0xff8d}, {"the space bar", 0x20}};

// Run by TheUploadsDifferenceBoxAnswersReturnWithOkUnderAWindowManager on the
// virtual X server, with the window manager running.
TEST(DifferenceBoxWmTest, Child) {
  if (qEnvironmentVariable("SELV_WM_CHILD") != QStringLiteral("1"))
    GTEST_SKIP() << "run by TheUploadsDifferenceBoxAnswersReturnWithOkUnderAWindowManager";
  ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  UnitSimulator sim;
  TeachEveryFamily(sim);
  QString error;
  ASSERT_TRUE(sim.Start(&error)) << error.toStdString();
  CProfile::WriteString(LinkProfile::kComSection, LinkProfile::kPort, sim.PtyPath());
  // The simulator answers at once: a fast line keeps the transfers short.
  CProfile::WriteString(LinkProfile::kComSection, LinkProfile::kSettings, QStringLiteral("460800,n,8,1"));
  CShellSettings::SetLanguage(CStringTable::Language::English);
  CShellSettings::SetStartupAction(CShellSettings::kStartNothing);
  const QString project = dir.filePath(QStringLiteral("plant.sxm"));
  {
    CSelvantisDoc doc;
    FillEveryFamilyProject(doc, EveryFamilySize::Small);
    ASSERT_TRUE(doc.OnSaveDocument(project));
  }

  CMessageBoxSink boxes;
  IMessageSink* previous = CMessageSink::Install(&boxes);
  ScriptedFileChooser chooser;
  auto app = std::make_unique<CSelvantisApp>(&chooser);
  ASSERT_TRUE(app->InitInstance({project}));
  CMainFrame* frame = app->MainFrame();
  ASSERT_TRUE(WaitUntil([&] { return frame->isActiveWindow(); }));
  ASSERT_TRUE(frame->OnCommand(ShellCmd::kCommConnect));
  ASSERT_TRUE(frame->OnCommand(ShellCmd::kCommDownload));

  for (const AnswerKey& key : kAnswerKeys) {
    SCOPED_TRACE(key.what);
    // The unit's zone 1 is wired to another output than the project's.
    const QString output = sim.Value(QStringLiteral("/VMX/ZONE1/OUTPUT"));
    sim.SetValue(QStringLiteral("/VMX/ZONE1/OUTPUT"),
                 output == QStringLiteral("3") ? QStringLiteral("4") : QStringLiteral("3"));
    int shown = 0;
    bool active = false;
    QString why;
    QElapsedTimer clock;
    clock.start();
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &watch, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr || !box->text().contains(QStringLiteral("are different")) ||
          box->property("answered").toBool())
        return;
      // The user reads the box the window manager brought to the front and
      // gave the focus, and presses the key.
      const bool focused = box->isActiveWindow() && box->windowHandle() != nullptr && box->windowHandle()->isExposed();
      if (!focused && clock.elapsed() < kHangLimitMs / 2) return;
      box->setProperty("answered", true);
      ++shown;
      active = focused;
      // A box that never gets the focus is closed, so that the test fails
      // rather than hangs.
      if (!focused || !UnderWindowManager::PressKey(key.keysym, &why)) box->done(QMessageBox::Ok);
    });
    watch.start(20);
    const bool done = frame->OnCommand(ShellCmd::kCommUpload);
    watch.stop();
    ASSERT_TRUE(why.isEmpty()) << why.toStdString();
    EXPECT_TRUE(active) << "the box never had the focus";
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(done) << "the upload did not end as done";
    // The wiring stays the project's: the box only told of the difference.
    frame->GetActiveDocument()->SetModifiedFlag(false);
  }
  app.reset();
  CMessageSink::Install(previous);
  sim.Stop();
}

TEST(DifferenceBoxWmTest, TheUploadsDifferenceBoxAnswersReturnWithOkUnderAWindowManager) {
  for (const QString& missing : {UnderWindowManager::Missing(), UnderWindowManager::KeyboardMissing()})
    if (!missing.isEmpty()) GTEST_SKIP() << missing.toStdString();
  UnderWindowManager desktop;
  QString why;
  ASSERT_TRUE(desktop.Start(&why)) << why.toStdString();
  const QString child = QStringLiteral("DifferenceBoxWmTest.Child");
  QString output;
  const bool passed = desktop.RunChild(child, &output);
  if (UnderWindowManager::ChildSkipped(child, output, &why)) GTEST_SKIP() << why.toStdString();
  EXPECT_TRUE(passed) << output.toStdString();
}

}  // namespace
