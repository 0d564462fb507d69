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

// Starts a program in the background; stopped (and waited for) when the
// object goes.
class Background final {
 public:
  bool Start(const QString& program, const QStringList& args, const QProcessEnvironment& env,
             QProcess::ProcessChannelMode channels = QProcess::MergedChannels) {
    m_process.setProcessEnvironment(env);
    m_process.setProcessChannelMode(channels);
    m_process.start(program, args);
    return m_process.waitForStarted(kHangLimitMs);
  }
  QProcess& Process() { return m_process; }
  ~Background() {
    if (m_process.state() == QProcess::NotRunning) return;
    m_process.terminate();
    if (!m_process.waitForFinished(kHangLimitMs)) m_process.kill();
  }

 private:
  QProcess m_process;
};

TEST(MaximisedProjectsTest, ProjectWindowsStayMaximisedUnderAWindowManager) {
  const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
  const QString wm = QStandardPaths::findExecutable(QStringLiteral("openbox"));
  if (xvfb.isEmpty() || wm.isEmpty())
    GTEST_SKIP() << "needs Xvfb and the window manager openbox (scripts/deps.sh installs both)";

  // The X server picks a free display and writes its number to a pipe.
  Background server;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  ASSERT_TRUE(
      server.Start(xvfb,
                   {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
                    QStringLiteral("1280x800x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp")},
                   env, QProcess::SeparateChannels));
  QString number;
  ASSERT_TRUE(WaitUntil([&] {
    number += QString::fromLatin1(server.Process().readAllStandardOutput());
    return number.contains(QLatin1Char('\n')) || server.Process().state() == QProcess::NotRunning;
  }));
  number = number.trimmed();
  ASSERT_FALSE(number.isEmpty()) << "the X server did not start: "
                                 << server.Process().readAllStandardError().toStdString();
  env.insert(QStringLiteral("DISPLAY"), QLatin1Char(':') + number);

  Background manager;
  QTemporaryDir home;
  env.insert(QStringLiteral("HOME"), home.path());
  ASSERT_TRUE(manager.Start(wm, {}, env));

  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
  env.insert(QStringLiteral("SELV_WM_CHILD"), QStringLiteral("1"));
  QProcess child;
  child.setProcessEnvironment(env);
  child.setProcessChannelMode(QProcess::MergedChannels);
  child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=MaximisedProjectsTest.Child")});
  // The child's own waits each end at the hang limit.
  ASSERT_TRUE(child.waitForFinished(8 * kHangLimitMs));
  const QString output = QString::fromLocal8Bit(child.readAll());
  EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
  EXPECT_TRUE(output.contains(QStringLiteral("[       OK ] MaximisedProjectsTest.Child"))) << output.toStdString();
}

}  // namespace
