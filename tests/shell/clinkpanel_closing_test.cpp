// How the connection ends and comes back in the main window, against the
// simulated unit: Disconnect (menu and Shift+F5) stops the program's tries
// to connect again; while Disconnect waits for a unit that holds the line
// the window keeps painting and Cancel cuts the wait short; a loss is told
// by a notice that does not hold the program up and goes when the
// connection is back; a command text in a message never breaks over two
// lines.
#include "everyfamilyproject.h"
#include "link/ccommlink.h"
#include "link/clinkreconnect.h"
#include "link/linkprofile.h"
#include "model/cprofile.h"
#include "model/cselvantisdoc.h"
#include "scriptedfilechooser.h"
#include "shell/clinkpanel.h"
#include "shell/cmainframe.h"
#include "shell/cmessageboxsink.h"
#include "shell/controls/cprogressdlg.h"
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
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextLayout>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

class CLinkPanelClosingTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    QString error;
    ASSERT_TRUE(sim.Start(&error)) << error.toStdString();
    // A port name that stays while the unit behind it goes and comes, as a
    // serial adapter's device does.
    port = dir.filePath(QStringLiteral("ttyUnit"));
    ASSERT_TRUE(QFile::link(sim.PtyPath(), port));
    CProfile::WriteString(LinkProfile::kComSection, LinkProfile::kPort, port);
    CShellSettings::SetLanguage(CStringTable::Language::English);
    CShellSettings::SetStartupAction(CShellSettings::kStartNew);
    app = std::make_unique<CSelvantisApp>(&chooser);
    ASSERT_TRUE(app->InitInstance({}));
    frame = app->MainFrame();
  }
  void TearDown() override {
    app.reset();
    sim.Stop();
    if (back) back->Stop();
  }

  // Runs action after ms, from whatever event loop runs then.
  void After(int ms, std::function<void()> action) {
    auto* timer = new QTimer(&timers);
    timer->setSingleShot(true);
    QObject::connect(timer, &QTimer::timeout, &timers, std::move(action));
    timer->start(ms);
  }
  // The unit goes: its device goes with it.
  void LoseTheUnit() {
    QFile::remove(port);
    sim.HangUp();
  }
  UnitSimulator& BringTheUnitBack() {
    back = std::make_unique<UnitSimulator>();
    EXPECT_TRUE(back->Start());
    QFile::remove(port);
    EXPECT_TRUE(QFile::link(back->PtyPath(), port));
    return *back;
  }
  static CProgressDlg* ClosingWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets())
      if (auto* dialog = qobject_cast<CProgressDlg*>(widget))
        if (dialog->isVisible() && dialog->windowTitle() == CLinkPanel::ClosingText()) return dialog;
    return nullptr;
  }

  TestTimeLimit limit{std::chrono::seconds(240), [this] { sim.HangUp(); }};
  TempProfile profile;
  MessageRecorder messages;
  QTemporaryDir dir;
  QString port;
  UnitSimulator sim;
  std::unique_ptr<UnitSimulator> back;
  ScriptedFileChooser chooser;
  std::unique_ptr<CSelvantisApp> app;
  CMainFrame* frame = nullptr;
  QObject timers;
};

}  // namespace

// While the program tries to connect again, Disconnect is there (menu and
// Shift+F5) and stops the tries at once; no message comes afterwards.
TEST_F(CLinkPanelClosingTest, ShiftF5StopsTheTriesAtOnceWithNothingSaidAfterwards) {
  CLinkReconnect& reconnect = frame->Link().Reconnect();
  // The tries would give up within a second.
  reconnect.SetRetry(25, 40);
  ASSERT_TRUE(frame->OnCommand(ShellCmd::kCommConnect));
  frame->activateWindow();
  QApplication::setActiveWindow(frame);
  ASSERT_TRUE(WaitUntil([&] { return QApplication::activeWindow() == frame; }));
  LoseTheUnit();
  ASSERT_TRUE(WaitUntil([&] { return reconnect.IsWaiting() && reconnect.Tries() >= 2; }));
  EXPECT_TRUE(frame->IsCommandEnabled(ShellCmd::kCommDisconnect));
  QAction* disconnect = frame->findChild<QAction*>(QStringLiteral("action%1").arg(ShellCmd::kCommDisconnect));
  ASSERT_NE(disconnect, nullptr);
  EXPECT_TRUE(disconnect->isEnabled());
  QTest::keyClick(frame, Qt::Key_F5, Qt::ShiftModifier);
  EXPECT_FALSE(reconnect.IsWaiting());
  EXPECT_FALSE(frame->Link().IsReconnecting());
  const int tries = reconnect.Tries();
  QTest::qWait(1200);  // the last tries and the message of giving up would have come
  EXPECT_EQ(reconnect.Tries(), tries);
  EXPECT_FALSE(messages.SawText("did not answer again"));
  // The loss was told, and nothing since.
  EXPECT_EQ(messages.Requests().size(), 1u);
  EXPECT_FALSE(frame->IsCommandEnabled(ShellCmd::kCommDisconnect));
  EXPECT_TRUE(frame->IsCommandEnabled(ShellCmd::kCommConnect));
}

// The unit holds the line when the user disconnects: a window with Cancel
// shows, the program goes on painting and refuses what others ask, and
// Cancel ends the wait; the user learns what the unit may still have.
TEST_F(CLinkPanelClosingTest, DisconnectKeepsThePaintingAndCancelCutsTheWaitShort) {
  ASSERT_TRUE(frame->OnCommand(ShellCmd::kCommConnect));
  ASSERT_TRUE(WaitUntil([&] { return sim.FullLines().contains("/PROTECT OFF"); }));
  sim.SetStalled(true);
  ASSERT_TRUE(WaitUntil([&] { return frame->Link().Link().IsLineHeld(); }));
  struct Seen {
    bool window = false;
    bool painted = false;
    bool others = false;
  } seen;
  auto cancel = std::make_shared<std::function<void()>>();
  *cancel = [&, cancel] {
    CProgressDlg* closing = ClosingWindow();
    if (!closing) {
      After(50, *cancel);
      return;
    }
    seen.window = true;
    seen.painted = !closing->grab().isNull() && closing->isVisible();
    // A window's timer asks for the line meanwhile: refused.
    frame->Link().Link().SendCommand(QStringLiteral("/WINDOW/LINE 1"));
    seen.others = true;
    auto* button = closing->findChild<QPushButton*>(QStringLiteral("cancel"));
    if (button) QTest::mouseClick(button, Qt::LeftButton);
  };
  After(100, *cancel);
  ASSERT_TRUE(frame->OnCommand(ShellCmd::kCommDisconnect));
  EXPECT_TRUE(seen.window);
  EXPECT_TRUE(seen.painted);
  EXPECT_TRUE(seen.others);
  EXPECT_FALSE(frame->Link().IsConnected());
  EXPECT_EQ(ClosingWindow(), nullptr);
  EXPECT_TRUE(messages.SawText("may still have its settings unprotected"))
      << (messages.Requests().empty() ? std::string() : messages.Requests().back().text.toStdString());
  sim.SetStalled(false);
  QTest::qWait(200);
  EXPECT_FALSE(sim.FullLines().contains("/WINDOW/LINE 1"));
}

// A loss is a notice that does not hold the program up (no modal box), and
// the tries' connect takes its place when the unit is back.
TEST_F(CLinkPanelClosingTest, TheLossNoticeDoesNotWaitAndGoesWhenTheConnectionIsBack) {
  CMessageBoxSink boxes;
  IMessageSink* recorder = CMessageSink::Install(&boxes);
  CLinkReconnect& reconnect = frame->Link().Reconnect();
  reconnect.SetRetry(20, 1000);
  ASSERT_TRUE(frame->OnCommand(ShellCmd::kCommConnect));
  ASSERT_TRUE(WaitUntil([&] { return sim.FullLines().contains("/PROTECT OFF"); }));
  LoseTheUnit();
  const QString key = QString::fromLatin1(CCommLink::kLossNotice);
  ASSERT_TRUE(WaitUntil([&] { return boxes.Notice(key) && boxes.Notice(key)->isVisible(); }));
  QMessageBox* notice = boxes.Notice(key);
  EXPECT_TRUE(notice->text().contains("The connection to the unit was lost")) << notice->text().toStdString();
  EXPECT_FALSE(notice->isModal());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  // The program goes on: the tries come while the notice is up.
  UnitSimulator& unit = BringTheUnitBack();
  ASSERT_TRUE(WaitUntil([&] { return frame->Link().IsConnected(); }));
  EXPECT_TRUE(WaitUntil([&] { return unit.FullLines().contains("/PROTECT OFF"); }));
  QMessageBox* now = boxes.Notice(key);
  EXPECT_TRUE(!now || !now->text().contains("was lost")) << now->text().toStdString();
  // The user's own Connect after a Disconnect: no notice of the loss stays.
  frame->Link().Disconnect();
  boxes.WithdrawNotice(key);
  CMessageSink::Install(recorder);
}

// "/PROTECT ON" and the other command texts of a message never break over
// two lines, whatever the width of the box.
TEST_F(CLinkPanelClosingTest, ACommandTextIsNeverBrokenOverTwoLines) {
  const QString text = CCommLink::LossText(QStringLiteral("No such device")) + QLatin1Char('\n') +
                       QStringLiteral(
                           "The unit may still have its macros locked and its settings unprotected: the connection "
                           "ended before it had taken \"/MACRO/LOCK OFF\" and \"/PROTECT ON\".");
  const QString shown = CMessageBoxSink::Unbreakable(text);
  EXPECT_EQ(QString(shown).remove(QChar(0x2060)).replace(QChar(0x00A0), QLatin1Char(' ')), text);
  QLabel label;
  const QFontMetrics metrics(label.font());
  const QStringList commands = {QStringLiteral("\"/MACRO/LOCK OFF\""), QStringLiteral("\"/PROTECT ON\"")};
  for (int width = 60; width <= 600; width += 4) {
    QTextLayout layout(shown, label.font());
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QStringList lines;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
      line.setLineWidth(width);
      lines << shown.mid(line.textStart(), line.textLength());
    }
    layout.endLayout();
    for (const QString& line : lines) {
      const QString plain = QString(line).remove(QChar(0x2060)).replace(QChar(0x00A0), QLatin1Char(' '));
      for (const QString& command : commands) {
        // A line holds a command whole or not at all.
        const int quotes = plain.count(QLatin1Char('"'));
        EXPECT_EQ(quotes % 2, 0) << width << ": " << plain.toStdString();
        for (int cut = 2; cut < command.size() - 1; ++cut)
          EXPECT_FALSE(plain.trimmed().endsWith(command.left(cut))) << width << ": " << plain.toStdString();
      }
    }
  }
}
