// The box that tells of a connection lost while nothing ran, under a real
// window manager: it belongs to the main window, so it stays above it when
// the user brings the main window to the front, and it does not keep the
// program running once Ctrl+Q has closed the main window. Without a window
// manager nothing is stacked, so the test runs the program on a virtual X
// server with a small window manager.
#include "link/ccommlink.h"
#include "link/clinkreconnect.h"
#include "link/linkprofile.h"
#include "model/cprofile.h"
#include "scriptedfilechooser.h"
#include "shell/clinkpanel.h"
#include "shell/cmainframe.h"
#include "shell/cmessageboxsink.h"
#include "shell/cselvantisapp.h"
#include "shell/cshellsettings.h"
#include "shell/shellcommands.h"
#include "support/underwindowmanager.h"
#include "support/waituntil.h"
#include "unitsimulator.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

// Where window lies in the manager's stacking order, bottom first; -1 when
// it is not there.
int StackPlace(const std::vector<unsigned long>& order, const QWidget& window) {
  const auto it = std::find(order.begin(), order.end(), static_cast<unsigned long>(window.winId()));
  return it == order.end() ? -1 : static_cast<int>(it - order.begin());
}

// Run by TheIdleLossBoxBelongsToTheMainWindowUnderAWindowManager on the
// virtual X server, with the window manager running.
TEST(BoxOwnerWmTest, IdleLossChild) {
  if (qEnvironmentVariable("SELV_WM_CHILD") != QStringLiteral("1"))
    GTEST_SKIP() << "run by TheIdleLossBoxBelongsToTheMainWindowUnderAWindowManager";
  ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  UnitSimulator sim;
  QString error;
  ASSERT_TRUE(sim.Start(&error)) << error.toStdString();
  // A port name that goes with the unit, as a serial adapter's device does.
  const QString port = dir.filePath(QStringLiteral("ttyUnit"));
  ASSERT_TRUE(QFile::link(sim.PtyPath(), port));
  CProfile::WriteString(LinkProfile::kComSection, LinkProfile::kPort, port);
  CShellSettings::SetLanguage(CStringTable::Language::English);
  CShellSettings::SetStartupAction(CShellSettings::kStartNew);

  // The boxes as the program shows them.
  CMessageBoxSink boxes;
  IMessageSink* previous = CMessageSink::Install(&boxes);
  ScriptedFileChooser chooser;
  auto app = std::make_unique<CSelvantisApp>(&chooser);
  ASSERT_TRUE(app->InitInstance({}));
  CMainFrame* frame = app->MainFrame();
  ASSERT_TRUE(WaitUntil([&] { return frame->isActiveWindow(); }));
  ASSERT_TRUE(frame->OnCommand(ShellCmd::kCommConnect));
  // No try to connect again while the test looks at the box.
  frame->Link().Reconnect().SetRetry(kHangLimitMs, 1);

  // The unit goes while nothing runs.
  QFile::remove(port);
  sim.HangUp();
  QMessageBox* notice = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    notice = boxes.Notice(QString::fromLatin1(CCommLink::kLossNotice));
    return notice != nullptr && notice->isVisible() && notice->windowHandle() != nullptr &&
           notice->windowHandle()->isExposed();
  }));
  EXPECT_TRUE(notice->text().contains(QStringLiteral("lost"))) << notice->text().toStdString();
  EXPECT_EQ(notice->windowHandle()->transientParent(), frame->windowHandle());

  // The user clicks into the main window: it comes to the front, and the
  // box stays above it.
  frame->raise();
  frame->activateWindow();
  std::vector<unsigned long> order;
  QString why;
  int framePlace = -1;
  int noticePlace = -1;
  const bool above = WaitUntil([&] {
    QApplication::sync();
    if (!UnderWindowManager::StackingOrder(&order, &why)) return true;
    framePlace = StackPlace(order, *frame);
    noticePlace = StackPlace(order, *notice);
    return frame->isActiveWindow() && framePlace >= 0 && noticePlace > framePlace;
  });
  ASSERT_TRUE(why.isEmpty()) << why.toStdString();
  EXPECT_TRUE(above) << "the main window at " << framePlace << ", the box at " << noticePlace << " of " << order.size();

  // Ctrl+Q closes the main window; the program ends, box or no box.
  bool hung = false;
  QTimer::singleShot(kHangLimitMs, qApp, [&hung] {
    hung = true;
    QCoreApplication::exit(99);
  });
  QTimer::singleShot(0, frame, [frame] { QTest::keyClick(frame, Qt::Key_Q, Qt::ControlModifier); });
  EXPECT_EQ(QApplication::exec(), 0);
  EXPECT_FALSE(hung) << "a window kept the program running after the main window had closed";
  EXPECT_FALSE(frame->isVisible());
  app.reset();
  EXPECT_EQ(boxes.Notice(QString::fromLatin1(CCommLink::kLossNotice)), nullptr) << "the box outlived the program";
  CMessageSink::Install(previous);
  sim.Stop();
}

// A box that comes while no window of the program is active (the user
// works in another program) belongs to the main window, not to nobody.
TEST(BoxOwnerTest, ABoxWhileNoWindowIsActiveBelongsToTheMainWindow) {
  CShellSettings::SetStartupAction(CShellSettings::kStartNothing);
  CMessageBoxSink boxes;
  IMessageSink* previous = CMessageSink::Install(&boxes);
  ScriptedFileChooser chooser;
  auto app = std::make_unique<CSelvantisApp>(&chooser);
  ASSERT_TRUE(app->InitInstance({}));
  QApplication::setActiveWindow(nullptr);
  ASSERT_EQ(QApplication::activeWindow(), nullptr);
  QWidget* owner = nullptr;
  QTimer::singleShot(0, qApp, [&owner] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    owner = box->parentWidget();
    box->button(QMessageBox::Ok)->click();
  });
  EXPECT_EQ(AfxMessageBox(QStringLiteral("The unit has saved its settings."), MB_OK), IDOK);
  EXPECT_EQ(owner, app->MainFrame());
  app.reset();
  CMessageSink::Install(previous);
}

TEST(BoxOwnerWmTest, TheIdleLossBoxBelongsToTheMainWindowUnderAWindowManager) {
  const QString missing = UnderWindowManager::Missing();
  if (!missing.isEmpty()) GTEST_SKIP() << missing.toStdString();
  UnderWindowManager desktop;
  QString why;
  ASSERT_TRUE(desktop.Start(&why)) << why.toStdString();
  const QString child = QStringLiteral("BoxOwnerWmTest.IdleLossChild");
  QString output;
  const bool passed = desktop.RunChild(child, &output);
  if (UnderWindowManager::ChildSkipped(child, output, &why)) GTEST_SKIP() << why.toStdString();
  EXPECT_TRUE(passed) << output.toStdString();
}

}  // namespace
