// Nothing a transfer uses goes while it runs: the program with a project of
// every family on the paced simulated unit. Each window of the editor host
// that transfers is started by a real click on its own Download or Upload
// button, and during that transfer the user does everything to the host: a
// click in the switch column, a switch that still arrives, Esc, the window
// manager's close, the close of the project window, the window's own
// transfer button again, and New and Delete of its entries. The same for the main window's Download, Upload and
// Compare with the project window's close, for Disconnect's closing wait,
// and for the console sheet's close. Nothing may crash (the sanitizer build
// runs these), the unit is not left locked, and the windows and the project
// stay until the user has said yes to stopping the transfer.
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
#include "model/cselvantisdoc.h"
#include "online/cfaultdlgfrm.h"
#include "online/czonetestfrm.h"
#include "pacedunit.h"
#include "shell/cchildframe.h"
#include "shell/ccomparewnd.h"
#include "shell/cdocmanager.h"
#include "shell/clinkpanel.h"
#include "shell/cmainframe.h"
#include "shell/controls/cframehostdialog.h"
#include "shell/cselvantisapp.h"
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

// Answers the question a window asked (and no other is up) with a click on
// button; false when it asked nothing.
bool AnswerStopQuestion(QMessageBox* asked, QMessageBox::StandardButton button) {
  if (!asked || asked != OpenStopQuestion() || !asked->isVisible()) return false;
  QTest::mouseClick(asked->button(button), Qt::LeftButton);
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
    QString error;
    ASSERT_TRUE(StartPacedUnit(sim, &error)) << error.toStdString();
    const QString path = dir.filePath(QStringLiteral("site.sxm"));
    {
      CSelvantisDoc project;
      FillEveryFamilyProject(project, EveryFamilySize::Small);
      // So that their uploads ask for more than one line.
      FillEveryFamilyTables(project);
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

// ---- The editor host ---------------------------------------------------------------------

// One window of the host that transfers, with its own two buttons and the
// New of its entries (0: none).
struct HostTransferRow {
  const char* name;
  HostFrameKind kind;
  uint32_t download;
  uint32_t upload;
  uint32_t newEntry;
};

constexpr HostTransferRow ListRow(const char* name, HostFrameKind kind, const EntryListKind& list) {
  return {name, kind, list.downloadCommand, list.uploadCommand, list.newCommand};
}

const HostTransferRow kHostTransferRows[] = {
    {"LineTest", HostFrameKind::LineTest, CZonetestFrm::kDownloadZoneData, CZonetestFrm::kUploadZoneData, 0},
    {"Faults", HostFrameKind::Faults, CFaultDlgFrm::kDownloadFault, CFaultDlgFrm::kUploadFault, 0},
    {"Macros", HostFrameKind::Macros, CMacroDlgFrm::kDownload, CMacroDlgFrm::kUpload, CMacroDlgFrm::kNewMacro},
    {"Monitor", HostFrameKind::MonitorEntries, CMonitorDlgFrm::kDownload, CMonitorDlgFrm::kUpload,
     CMonitorDlgFrm::kNewEntry},
    {"BackupAmplifiers", HostFrameKind::BackupAmplifiers, CSpareAmpFrm::kDownload, CSpareAmpFrm::kUpload,
     CSpareAmpFrm::kNewEntry},
    {"VirtualControllers", HostFrameKind::VirtualControllers, CObjectFrm::kDownload, CObjectFrm::kUpload,
     CObjectFrm::kNew},
    ListRow("Conditions", HostFrameKind::Conditions, entrylists::kCondition),
    ListRow("AnalogConditions", HostFrameKind::AnalogConditions, entrylists::kAnalog),
    ListRow("CombineConditions", HostFrameKind::CombineConditions, entrylists::kCombine),
    ListRow("BusyConditions", HostFrameKind::BusyConditions, entrylists::kBusy),
    ListRow("Triggers", HostFrameKind::Triggers, entrylists::kTrigger),
    ListRow("ReadyInputs", HostFrameKind::ReadyInputs, ReadyInputListModel::kKind),
    ListRow("LogicOutputs", HostFrameKind::LogicOutputs, LogicOutListModel::kKind),
    ListRow("Appointments", HostFrameKind::Appointments, calendarlists::kAppoint),
    ListRow("DayPrograms", HostFrameKind::DayPrograms, calendarlists::kDayprog),
    ListRow("WeekPrograms", HostFrameKind::WeekPrograms, calendarlists::kWeek),
    ListRow("Holidays", HostFrameKind::Holidays, calendarlists::kHoliday),
};

// The action of a command on the bars of the host.
QAction* HostAction(CFrameHostDialog& host, uint32_t command) {
  const QString name = QStringLiteral("command%1").arg(command);
  for (QToolBar* bar : host.findChildren<QToolBar*>())
    for (QAction* action : bar->actions())
      if (action->objectName() == name) return action;
  return nullptr;
}

// The button that carries the command's action.
QWidget* HostButton(CFrameHostDialog& host, uint32_t command) {
  QAction* action = HostAction(host, command);
  if (!action) return nullptr;
  for (QToolBar* bar : host.findChildren<QToolBar*>())
    if (QWidget* button = bar->widgetForAction(action)) return button;
  return nullptr;
}

// The project as it would be saved.
QByteArray ProjectBytes(const CSelvantisDoc& doc) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  doc.SaveTo(buffer);
  return bytes;
}

// The button of the host's switch column that leads to another window,
// and that window's kind.
QWidget* OtherSwitchButton(CFrameHostDialog& host, HostFrameKind* kind) {
  QToolBar* column = host.GetSwitchColumn();
  if (!column) return nullptr;
  for (QAction* action : column->actions()) {
    const HostFrameSwitch* entry = FindHostFrameSwitchByCommand(action->objectName().mid(7).toUInt());
    if (entry && entry->kind != host.GetKind()) {
      *kind = entry->kind;
      return column->widgetForAction(action);
    }
  }
  return nullptr;
}

class WhileLineInUseHostTest : public LineUseProgramTest, public testing::WithParamInterface<HostTransferRow> {
 protected:
  // What became of everything tried while the host's transfer ran.
  struct Tried {
    bool switchColumnDisabled = false;
    bool otherTransferDisabled = false;
    bool keptAfterSwitchClick = false;
    bool keptAfterPostedSwitch = false;
    bool switchKept = false;
    bool askedOnEscape = false;
    bool keptAfterEscape = false;
    bool askedOnClose = false;
    bool keptAfterClose = false;
    bool askedOnProjectClose = false;
    bool keptAfterProjectClose = false;
    bool ownButtonSaidWhy = false;
    bool keptAfterOwnButton = false;
    bool entriesKept = false;
    QString entriesSaid;
    HostFrameKind switchedTo = HostFrameKind::VirtualControllers;
  };

  // Clicks the button of command and, once the unit has had the first line
  // of the transfer it starts, tries everything, answers every question No
  // and then cancels the transfer (the rest of it would only take time). During
  // a download also New and the Delete key in the list (an upload changes
  // the project itself).
  Tried TryEverything(CFrameHostDialog& host, uint32_t command, uint32_t other, uint32_t newEntry) {
    Tried tried;
    QPointer<QWidget> hostFrame(host.GetFrame());
    QPointer<CSelvantisDoc> project(doc);
    auto kept = [&] { return hostFrame && hostFrame == host.GetFrame() && project && host.isVisible(); };
    WhileLineInUse during(
        sim,
        [&] {
          tried.switchColumnDisabled = host.GetSwitchColumn() && !host.GetSwitchColumn()->isEnabled();
          tried.otherTransferDisabled = HostAction(host, other) && !HostAction(host, other)->isEnabled();
          if (QWidget* button = OtherSwitchButton(host, &tried.switchedTo)) QTest::mouseClick(button, Qt::LeftButton);
          QApplication::processEvents();
          tried.keptAfterSwitchClick = kept();
          host.PostSwitchCommand(FindHostFrameSwitchByKind(tried.switchedTo)->command);
          QApplication::processEvents();
          tried.keptAfterPostedSwitch = kept();
          tried.switchKept = host.PendingKind() == tried.switchedTo;

          QTest::keyClick(host.focusWidget() ? host.focusWidget() : &host, Qt::Key_Escape);
          tried.askedOnEscape = AnswerStopQuestion(host.StopQuestion(), QMessageBox::No);
          tried.keptAfterEscape = kept();

          host.close();
          tried.askedOnClose = AnswerStopQuestion(host.StopQuestion(), QMessageBox::No);
          tried.keptAfterClose = kept();

          CChildFrame* child = frame->FindChild(doc);
          if (child) child->close();
          QApplication::processEvents();
          tried.askedOnProjectClose = child && AnswerStopQuestion(child->StopQuestion(), QMessageBox::No);
          tried.keptAfterProjectClose = kept();

          messages.Clear();
          if (QWidget* own = HostButton(host, command)) QTest::mouseClick(own, Qt::LeftButton);
          QApplication::processEvents();
          tried.ownButtonSaidWhy = messages.SawText(CTransfer::ResultMessage(CTransfer::Result::Busy, false));
          tried.keptAfterOwnButton = kept();

          if (newEntry != 0 && command == GetParam().download) {
            auto* window = qobject_cast<QMainWindow*>(host.GetFrame());
            window->statusBar()->clearMessage();
            const QByteArray before = ProjectBytes(*doc);
            if (QWidget* button = HostButton(host, newEntry)) QTest::mouseClick(button, Qt::LeftButton);
            if (auto* list = window->findChild<CEBListView*>()) {
              list->SelectRow(0);
              QTest::keyClick(list, Qt::Key_Delete);
            }
            QApplication::processEvents();
            tried.entriesKept = ProjectBytes(*doc) == before;
            tried.entriesSaid = window->statusBar()->currentMessage();
          }
        },
        LineUse::Transfer, WhileLineInUse::Then::Cancel);
    QWidget* button = HostButton(host, command);
    EXPECT_NE(button, nullptr);
    if (button) QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(during.Ran()) << "the transfer ended before the unit had some of its lines: "
                              << sim.FullLines().join('|').toStdString();
    return tried;
  }
};

}  // namespace

TEST_P(WhileLineInUseHostTest, NothingTheTransferUsesGoesWhileItRuns) {
  const HostTransferRow& row = GetParam();
  TestTimeLimit limit(kLineUseTestLimit, [this] { sim.HangUp(); });
  CFrameHostDialog host(doc, row.kind, frame);
  // As the host runs: modal, over the main window.
  host.setWindowModality(Qt::ApplicationModal);
  host.show();
  ASSERT_FALSE(host.IsPlaceholder());

  for (const bool upload : {false, true}) {
    SCOPED_TRACE(upload ? "upload" : "download");
    host.ShowFrame(row.kind);
    ASSERT_EQ(host.GetKind(), row.kind);
    sim.ClearLog();
    const Tried tried =
        TryEverything(host, upload ? row.upload : row.download, upload ? row.download : row.upload, row.newEntry);
    EXPECT_TRUE(tried.switchColumnDisabled);
    EXPECT_TRUE(tried.otherTransferDisabled);
    EXPECT_TRUE(tried.keptAfterSwitchClick) << "a click in the switch column replaced the frame";
    EXPECT_TRUE(tried.keptAfterPostedSwitch) << "a switch that came replaced the frame";
    EXPECT_TRUE(tried.switchKept) << "a switch that came was not kept";
    EXPECT_TRUE(tried.askedOnEscape) << "Esc asked nothing";
    EXPECT_TRUE(tried.keptAfterEscape);
    EXPECT_TRUE(tried.askedOnClose) << "the window manager's close asked nothing";
    EXPECT_TRUE(tried.keptAfterClose);
    EXPECT_TRUE(tried.askedOnProjectClose) << "the project window's close asked nothing";
    EXPECT_TRUE(tried.keptAfterProjectClose);
    EXPECT_TRUE(tried.ownButtonSaidWhy) << "the own button pressed again said nothing";
    EXPECT_TRUE(tried.keptAfterOwnButton);
    if (row.newEntry != 0 && !upload) {
      EXPECT_TRUE(tried.entriesKept) << "New or Delete changed the entries under the transfer";
      EXPECT_EQ(tried.entriesSaid, LineUseRefusal(LineUse::Transfer));
    }
    EXPECT_FALSE(IsLineInUse());
    EXPECT_TRUE(Unlocked(sim)) << sim.FullLines().join('|').toStdString();
    // The switch that was asked for comes once the transfer has returned,
    // with the switch column back.
    EXPECT_TRUE(WaitUntil([&] { return host.GetKind() == tried.switchedTo; })) << "the kept switch never came";
    EXPECT_TRUE(host.GetSwitchColumn() && host.GetSwitchColumn()->isEnabled());
    EXPECT_TRUE(host.isVisible());
    ASSERT_EQ(ProjectCount(), 1);
  }

  // Closed by the window manager with a Yes: the transfer stops with its
  // closing lines, and the host goes once the transfer's call has returned.
  host.ShowFrame(row.kind);
  sim.ClearLog();
  QPointer<QWidget> hostFrame(host.GetFrame());
  bool asked = false;
  bool stayedUntilReturned = false;
  WhileLineInUse during(sim, [&] {
    host.close();
    asked = AnswerStopQuestion(host.StopQuestion(), QMessageBox::Yes);
    stayedUntilReturned = host.isVisible() && hostFrame;
  });
  QTest::mouseClick(HostButton(host, row.download), Qt::LeftButton);
  ASSERT_TRUE(during.Ran()) << "the download ended before the unit had some of its lines";
  EXPECT_TRUE(asked) << "the close asked nothing";
  EXPECT_TRUE(stayedUntilReturned) << "the host went before the transfer's call had returned";
  EXPECT_TRUE(WaitUntil([&] { return !host.isVisible(); })) << "the host stayed after Yes";
  EXPECT_TRUE(Unlocked(sim)) << sim.FullLines().join('|').toStdString();
  EXPECT_EQ(ProjectCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(EveryWindowThatTransfers, WhileLineInUseHostTest, testing::ValuesIn(kHostTransferRows),
                         [](const testing::TestParamInfo<HostTransferRow>& info) {
                           return std::string(info.param.name);
                         });

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
      askedFirst = AnswerStopQuestion(child->StopQuestion(), QMessageBox::No);
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
    askedAgain = AnswerStopQuestion(child->StopQuestion(), QMessageBox::Yes);
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
