// Project windows under a real window manager: they stay maximised when
// another project closes (Ctrl+W) or opens, until the user restores one.
// Without a window manager Qt keeps them maximised anyway, so the test runs
// the program on a virtual X server with a small window manager.
#include "model/cselvantisdoc.h"
#include "scriptedfilechooser.h"
#include "shell/cdocmanager.h"
#include "shell/cmainframe.h"
#include "shell/cselvantisapp.h"
#include "shell/cselvantisview.h"
#include "shell/cshellsettings.h"
#include "shell/shellcommands.h"
#include "support/tempprofile.h"
#include "support/underwindowmanager.h"
#include "support/waituntil.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Whether the active project window fills the work area, maximised.
bool FillsTheArea(const QMdiArea& area) {
  const QMdiSubWindow* active = area.activeSubWindow();
  return active && active->isMaximized() && active->geometry() == area.viewport()->rect();
}

QString Describe(const QMdiArea& area) {
  QString text;
  for (const QMdiSubWindow* window : area.subWindowList())
    text += QStringLiteral("%1%2 %3x%4 at %5,%6%7; ")
                .arg(window == area.activeSubWindow() ? QStringLiteral("*") : QString(), window->windowTitle())
                .arg(window->width())
                .arg(window->height())
                .arg(window->x())
                .arg(window->y())
                .arg(window->isMaximized() ? QStringLiteral(" maximised") : QString());
  return text + QStringLiteral("area %1x%2").arg(area.viewport()->width()).arg(area.viewport()->height());
}

// The active window fills the area, and still does once the X server has
// answered everything asked so far and the events it sent are handled
// (Qt and the window manager settle a window in several rounds).
bool Settled(const QMdiArea& area) {
  if (!WaitUntil([&] { return FillsTheArea(area); })) return false;
  for (int round = 0; round < 5; ++round) {
    QApplication::sync();
    QApplication::processEvents();
  }
  return FillsTheArea(area);
}

// Run by ProjectWindowsStayMaximisedUnderAWindowManager on the virtual X
// server, with the window manager running.
TEST(MaximisedProjectsTest, Child) {
  if (qEnvironmentVariable("SELV_WM_CHILD") != QStringLiteral("1"))
    GTEST_SKIP() << "run by ProjectWindowsStayMaximisedUnderAWindowManager";
  ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
  CShellSettings::SetLanguage(CStringTable::Language::English);
  CShellSettings::SetStartupAction(CShellSettings::kStartNew);
  ScriptedFileChooser chooser;
  CSelvantisApp app(&chooser);
  ASSERT_TRUE(app.InitInstance({}));
  CMainFrame& frame = *app.MainFrame();
  auto* area = frame.findChild<QMdiArea*>();
  ASSERT_NE(area, nullptr);
  // The window manager maps, maximises and activates the main window.
  ASSERT_TRUE(WaitUntil([&] { return frame.isActiveWindow() && FillsTheArea(*area); }))
      << Describe(*area).toStdString();

  ASSERT_TRUE(frame.OnCommand(ShellCmd::kFileNew));
  ASSERT_TRUE(WaitUntil([&] { return area->subWindowList().size() == 2 && FillsTheArea(*area); }))
      << "a second project: " << Describe(*area).toStdString();

  // Ctrl+W closes the active project; the other one stays maximised.
  QTest::keyClick(frame.GetActiveView(), Qt::Key_W, Qt::ControlModifier);
  ASSERT_TRUE(WaitUntil([&] { return area->subWindowList().size() == 1; })) << Describe(*area).toStdString();
  EXPECT_TRUE(Settled(*area)) << "after Ctrl+W: " << Describe(*area).toStdString();

  // The next project opens maximised too, not tiled beside the other.
  ASSERT_TRUE(frame.OnCommand(ShellCmd::kFileNew));
  ASSERT_TRUE(WaitUntil([&] { return area->subWindowList().size() == 2; }));
  EXPECT_TRUE(Settled(*area)) << "a project opened after Ctrl+W: " << Describe(*area).toStdString();

  // Once the user restores a window, new ones open as windows too.
  area->activeSubWindow()->showNormal();
  QApplication::processEvents();
  ASSERT_TRUE(frame.OnCommand(ShellCmd::kFileNew));
  ASSERT_TRUE(WaitUntil([&] { return area->subWindowList().size() == 3 && area->activeSubWindow(); }));
  ASSERT_NE(area->activeSubWindow(), nullptr);
  EXPECT_FALSE(area->activeSubWindow()->isMaximized()) << Describe(*area).toStdString();
  frame.DocManager().CloseAll();
}

TEST(MaximisedProjectsTest, ProjectWindowsStayMaximisedUnderAWindowManager) {
  const QString missing = UnderWindowManager::Missing();
  if (!missing.isEmpty()) GTEST_SKIP() << missing.toStdString();
  UnderWindowManager desktop;
  QString why;
  ASSERT_TRUE(desktop.Start(&why)) << why.toStdString();
  QString output;
  EXPECT_TRUE(desktop.RunChild(QStringLiteral("MaximisedProjectsTest.Child"), &output)) << output.toStdString();
}

}  // namespace
