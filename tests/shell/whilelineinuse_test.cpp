// Nothing a transfer uses goes while it runs: the program with a project of
// every family on the paced simulated unit. Each window of the editor host
// that transfers is started by a real click on its own Download or Upload
// button, and during that transfer the user does everything to the host: a
// click in the switch column, a switch that still arrives, Esc, the window
// manager's close, the close of the project window and the window's own
// transfer button again. The same for the main window's Download, Upload and
// Compare with the project window's close, for Disconnect's closing wait,
// and for the console sheet's close. Nothing may crash (the sanitizer build
// runs these), the unit is not left locked, and the windows and the project
// stay until the user has said yes to stopping the transfer.
#include "amps/cmonitor.h"
#include "amps/cspareamp.h"
#include "consoles/cconsole.h"
#include "consoles/cconsprop.h"
#include "consoles/ui/cconsoleframe.h"
#include "consoles/ui/cconsolepropertysheet.h"
#include "consoles/ui/ckeypropertiesdlg.h"
#include "consoles/ui/ckeyview.h"
#include "consoles/ui/cppcons2.h"
#include "editors/designer/cobjectfrm.h"
#include "editors/lists/calendarlistkinds.h"
#include "editors/lists/ceblistview.h"
#include "editors/lists/cmonitordlgfrm.h"
#include "editors/lists/cspareampfrm.h"
#include "editors/lists/entrylistkind.h"
#include "editors/lists/logicoutlistmodel.h"
#include "editors/lists/readyinputlistmodel.h"
#include "editors/macros/cmacrodlgfrm.h"
#include "editors/macros/cmacrostepview.h"
#include "everyfamilyproject.h"
#include "link/ctransfer.h"
#include "link/lineuse.h"
#include "link/linkprofile.h"
#include "model/cprofile.h"
#include "model/cselvantisdoc.h"
#include "model/devicetype.h"
#include "online/cfaultdlgfrm.h"
#include "online/czonetestfrm.h"
#include "shell/cchildframe.h"
#include "shell/ccomparewnd.h"
#include "shell/cdocmanager.h"
#include "shell/clinkpanel.h"
#include "shell/cmainframe.h"
#include "shell/controls/cframehostdialog.h"
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
#include <QBuffer>
#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>

namespace {

// Each test's own limit: it only catches a hang.
constexpr std::chrono::minutes kLineUseTestLimit(4);

// Runs act once from inside the loop of whoever uses the line (use): the
// unit takes the first line that user sends and then holds the line, so
// the user cannot have returned, however slow the machine; once act has
// run the unit goes on, and the transfer is cancelled where the rest of it
// would only take time.
class WhileLineInUse final {
 public:
  enum class Then { GoOn, Cancel };

  WhileLineInUse(UnitSimulator& sim, std::function<void()> act, LineUse use = LineUse::Transfer, Then then = Then::GoOn)
      : m_sim(sim), m_act(std::move(act)), m_use(use), m_then(then), m_lines(sim.ReceivedCount() + 1) {
    m_sim.StallAfter(1);
    m_poll.setInterval(5);
    QObject::connect(&m_poll, &QTimer::timeout, &m_poll, [this] {
      if (m_ran || CurrentLineUse() != m_use || m_sim.ReceivedCount() < m_lines) return;
      m_ran = true;
      m_act();
      m_sim.SetStalled(false);
      if (m_then == Then::Cancel) CTransfer::CancelRunning();
    });
    m_poll.start();
  }
  ~WhileLineInUse() {
    m_sim.StallAfter(0);
    m_sim.SetStalled(false);
  }
  WhileLineInUse(const WhileLineInUse&) = delete;
  WhileLineInUse& operator=(const WhileLineInUse&) = delete;
  bool Ran() const { return m_ran; }

 private:
  UnitSimulator& m_sim;
  std::function<void()> m_act;
  LineUse m_use;
  Then m_then;
  int m_lines;
  bool m_ran = false;
  QTimer m_poll;
};

// The question a window asks when it is closed during a transfer, while it
// is up.
QMessageBox* OpenStopQuestion() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    auto* box = qobject_cast<QMessageBox*>(widget);
    if (box && box->isVisible() && box->objectName() == QLatin1String("StopTransferQuestion")) return box;
  }
  return nullptr;
}

// Answers the open question with a click on button; false when none is up.
bool AnswerStopQuestion(QMessageBox::StandardButton button) {
  QMessageBox* box = OpenStopQuestion();
  if (!box) return false;
  QTest::mouseClick(box->button(button), Qt::LeftButton);
  QApplication::processEvents();
  return true;
}

// The unit is not left with its macros locked: it gets the unlock (a
// cancelled transfer sends it as soon as the unit takes data again).
bool Unlocked(UnitSimulator& sim) {
  return WaitUntil([&] {
    const QStringList lines = sim.FullLines();
    return lines.lastIndexOf(QStringLiteral("/MACRO/LOCK OFF")) >= lines.lastIndexOf(QStringLiteral("/MACRO/LOCK ON"));
  });
}

// The program on the paced simulated unit with a project of every family
// whose tables are in use, connected.
class LineUseProgramTest : public testing::Test {
 protected:
  void SetUp() override {
    TeachEveryFamily(sim);
    sim.SetPaced(true);
    QString error;
    ASSERT_TRUE(sim.Start(&error)) << error.toStdString();
    CProfile::WriteString(LinkProfile::kComSection, LinkProfile::kPort, sim.PtyPath());
    CShellSettings::SetLanguage(CStringTable::Language::English);
    const QString path = dir.filePath(QStringLiteral("site.sxm"));
    {
      CSelvantisDoc project;
      FillEveryFamilyProject(project, EveryFamilySize::Small);
      // The tables in use, so that their uploads ask for more than one line.
      CMonitor* monitor = CMonitor::EnsureIn(project);
      CSpareAmp* spare = CSpareAmp::EnsureIn(project);
      ASSERT_TRUE(monitor && spare);
      monitor->SetValue((0 << 16) | CMonitor::KC_IN, 1);
      monitor->SetValue((1 << 16) | CMonitor::KC_OUT, 2);
      for (int n = 0; n < 2; ++n) {
        spare->SetEntry(n, QStringLiteral("Backup %1").arg(n + 1), true, DT_READYINPUT, n + 1, 0);
        spare->SetWatch(0, n, 1, DT_READYINPUT, n + 3, 0);
      }
      ASSERT_TRUE(project.OnSaveDocument(path));
    }
    quitOnClose = QApplication::quitOnLastWindowClosed();
    QApplication::setQuitOnLastWindowClosed(false);
    app = std::make_unique<CSelvantisApp>(nullptr);
    ASSERT_TRUE(app->InitInstance({path}));
    frame = app->MainFrame();
    doc = frame->GetActiveDocument();
    ASSERT_NE(doc, nullptr);
    ASSERT_TRUE(frame->OnCommand(ShellCmd::kCommConnect));
  }
  void TearDown() override {
    app.reset();
    sim.Stop();
    QApplication::setQuitOnLastWindowClosed(quitOnClose);
  }

  int ProjectCount() const { return frame->DocManager().Count(); }

  TempProfile profile;
  MessageRecorder messages;
  UnitSimulator sim;
  QTemporaryDir dir;
  std::unique_ptr<CSelvantisApp> app;
  CMainFrame* frame = nullptr;
  CSelvantisDoc* doc = nullptr;
  bool quitOnClose = true;
};

}  // namespace

// ---- The main window's transfers and the project window ----------------------------------

namespace {

struct ProjectTransferRow {
  const char* name;
  int command;
};

const ProjectTransferRow kProjectTransferRows[] = {
    {"Download", ShellCmd::kCommDownload},
    {"Upload", ShellCmd::kCommUpload},
    {"Compare", ShellCmd::kCommCompare},
};

class WhileLineInUseProjectTest : public LineUseProgramTest, public testing::WithParamInterface<ProjectTransferRow> {
 protected:
  // The windows of compare results that are open.
  static int CompareWindows() {
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
      if (qobject_cast<CCompareWnd*>(widget) && widget->isVisible()) ++count;
    return count;
  }
};

}  // namespace

TEST_P(WhileLineInUseProjectTest, TheProjectWindowAsksBeforeItClosesUnderATransfer) {
  const ProjectTransferRow& row = GetParam();
  TestTimeLimit limit(kLineUseTestLimit, [this] { sim.HangUp(); });
  QPointer<CSelvantisDoc> project(doc);
  QPointer<CChildFrame> child(frame->FindChild(doc));
  ASSERT_FALSE(child.isNull());

  // No: the project and the transfer go on.
  bool askedFirst = false;
  bool keptAfterNo = false;
  int linesAtNo = 0;
  bool wentOn = false;
  {
    WhileLineInUse during(sim, [&] {
      child->close();
      QApplication::processEvents();
      askedFirst = AnswerStopQuestion(QMessageBox::No);
      keptAfterNo = project && child && ProjectCount() == 1;
      linesAtNo = sim.ReceivedCount();
    });
    QTimer stop;
    stop.setInterval(5);
    QObject::connect(&stop, &QTimer::timeout, &stop, [&] {
      if (wentOn || !during.Ran() || sim.ReceivedCount() < linesAtNo + 2) return;
      wentOn = IsLineInUse();
      CTransfer::CancelRunning();
    });
    stop.start();
    ASSERT_TRUE(frame->Action(row.command)->isEnabled());
    frame->Action(row.command)->trigger();
    ASSERT_TRUE(during.Ran()) << "the transfer ended before the unit had some of its lines";
  }
  EXPECT_TRUE(askedFirst) << "the project window closed without a question";
  EXPECT_TRUE(keptAfterNo);
  EXPECT_TRUE(wentOn) << "the transfer did not go on after No";
  EXPECT_TRUE(Unlocked(sim));
  ASSERT_TRUE(project && child);
  EXPECT_EQ(CompareWindows(), 0) << "a stopped compare showed differences";
  messages.Clear();

  // Yes: the transfer stops with its closing lines, the project closes once
  // its call has returned, and a compare shows nothing of it.
  bool askedAgain = false;
  bool stayedUntilReturned = false;
  WhileLineInUse during(sim, [&] {
    child->close();
    QApplication::processEvents();
    askedAgain = AnswerStopQuestion(QMessageBox::Yes);
    stayedUntilReturned = project && child;
  });
  frame->Action(row.command)->trigger();
  ASSERT_TRUE(during.Ran()) << "the transfer ended before the unit had some of its lines";
  EXPECT_TRUE(askedAgain);
  EXPECT_TRUE(stayedUntilReturned) << "the project went before the transfer's call had returned";
  EXPECT_TRUE(WaitUntil([&] { return project.isNull() && ProjectCount() == 0; })) << "the project stayed after Yes";
  EXPECT_FALSE(IsLineInUse());
  EXPECT_TRUE(Unlocked(sim));
  QApplication::processEvents();
  EXPECT_EQ(CompareWindows(), 0) << "the compare went on for a closed project";
}

INSTANTIATE_TEST_SUITE_P(MainWindowTransfers, WhileLineInUseProjectTest, testing::ValuesIn(kProjectTransferRows),
                         [](const testing::TestParamInfo<ProjectTransferRow>& info) {
                           return std::string(info.param.name);
                         });

// ---- Disconnect's closing wait -----------------------------------------------------------

namespace {

class WhileLineInUseClosingTest : public LineUseProgramTest {};

}  // namespace

TEST_F(WhileLineInUseClosingTest, NeitherWindowClosesDuringTheClosingWait) {
  TestTimeLimit limit(kLineUseTestLimit, [this] { sim.HangUp(); });
  QPointer<CSelvantisDoc> project(doc);
  QPointer<CChildFrame> child(frame->FindChild(doc));
  bool projectKept = false;
  QString projectSaid;
  bool mainClosed = true;
  bool mainKept = false;
  QString mainSaid;
  WhileLineInUse during(
      sim,
      [&] {
        frame->statusBar()->clearMessage();
        child->close();
        QApplication::processEvents();
        projectKept = project && child && !OpenStopQuestion();
        projectSaid = frame->statusBar()->currentMessage();
        frame->statusBar()->clearMessage();
        mainClosed = frame->close();
        mainKept = frame->isVisible() && project && !OpenStopQuestion();
        mainSaid = frame->statusBar()->currentMessage();
      },
      LineUse::Closing);
  frame->Action(ShellCmd::kCommDisconnect)->trigger();
  ASSERT_TRUE(during.Ran()) << "the closing ended before anything was tried";
  EXPECT_TRUE(projectKept) << "the project window closed during the closing";
  EXPECT_EQ(projectSaid, LineUseRefusal(LineUse::Closing));
  EXPECT_FALSE(mainClosed) << "the program closed during the closing";
  EXPECT_TRUE(mainKept);
  EXPECT_EQ(mainSaid, LineUseRefusal(LineUse::Closing));
  EXPECT_FALSE(frame->Link().IsConnected());
  const QStringList lines = sim.FullLines();
  EXPECT_GT(lines.lastIndexOf(QStringLiteral("/PROTECT ON")), lines.lastIndexOf(QStringLiteral("/PROTECT OFF")));
  // Once the connection has closed, both close as ever.
  QApplication::processEvents();
  EXPECT_EQ(ProjectCount(), 1);
  EXPECT_TRUE(frame->close());
  EXPECT_EQ(ProjectCount(), 0);
}

// ---- The console sheet -------------------------------------------------------------------

TEST_F(WhileLineInUseClosingTest, TheConsoleSheetClosesOnlyAfterItsTransfer) {
  TestTimeLimit limit(kLineUseTestLimit, [this] { sim.HangUp(); });
  CConsole* console = nullptr;
  for (CBaseDevice* object : doc->GetAllObjects())
    if (!console) console = dynamic_cast<CConsole*>(object);
  ASSERT_NE(console, nullptr);
  CConsolePropertySheet sheet(frame);
  sheet.SetDocument(doc, console);
  sheet.setWindowModality(Qt::ApplicationModal);
  sheet.show();
  CConsoleFrame* keys = sheet.GetPage2()->GetKeyFrame();
  ASSERT_NE(keys, nullptr);
  QAction* download = keys->GetAction(CKeyView::ID_CONSOLE_DOWNLOAD);
  ASSERT_TRUE(download && download->isEnabled());
  QPointer<CKeyView> view(sheet.GetPage2()->GetKeyView());
  bool keptAfterClose = false;
  WhileLineInUse during(
      sim,
      [&] {
        sheet.close();
        QApplication::processEvents();
        keptAfterClose = sheet.isVisible() && view;
      },
      LineUse::Transfer, WhileLineInUse::Then::Cancel);
  QToolBar* bar = keys->findChild<QToolBar*>();
  ASSERT_NE(bar, nullptr);
  QTest::mouseClick(bar->widgetForAction(download), Qt::LeftButton);
  ASSERT_TRUE(during.Ran()) << "the download ended before the unit had some of its lines";
  EXPECT_TRUE(keptAfterClose) << "the sheet went under its transfer";
  EXPECT_TRUE(Unlocked(sim));
  EXPECT_TRUE(WaitUntil([&] { return !sheet.isVisible(); })) << "the close that came during the transfer was lost";
}
