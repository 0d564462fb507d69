// No modal window opens while a transfer runs: the window's own input (menu
// entries, shortcuts, the drawing's double-click, keys and context menu, a
// button of another window) during a real download to the simulated unit
// opens nothing, the download goes on, and the same input works again once
// it has ended. A modal window would run its own loop inside the
// transfer's, and hold the transfer with the unit's macros locked.
#include "link/ccomparereport.h"
#include "link/ctransfer.h"
#include "model/cselvantisdoc.h"
#include "model/devicetype.h"
#include "pacedunit.h"
#include "shell/ccomparewnd.h"
#include "shell/cdocmanager.h"
#include "shell/cframecommandstate.h"
#include "shell/clinkpanel.h"
#include "shell/cmainframe.h"
#include "shell/cmodalguard.h"
#include "shell/cselvantisapp.h"
#include "shell/cselvantisview.h"
#include "shell/cshellsettings.h"
#include "shell/shellcommands.h"
#include "support/messagerecorder.h"
#include "support/tempprofile.h"
#include "support/waituntil.h"
#include "unitsimulator.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDragEnterEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// Every modal window and popup menu that reaches the screen is noted and
// closed at once, so that one that should not have opened cannot hold the
// test (nor the transfer for longer than a moment).
class ModalCatcher final {
 public:
  ModalCatcher() {
    m_timer.setInterval(5);
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { Poll(); });
    m_timer.start();
  }
  // What was seen since the last call.
  QStringList Take() {
    Poll();
    QStringList seen = m_seen;
    m_seen.clear();
    return seen;
  }

 private:
  void Poll() {
    if (QWidget* popup = QApplication::activePopupWidget()) {
      m_seen << QStringLiteral("a popup menu");
      popup->close();
    }
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      auto* dialog = qobject_cast<QDialog*>(widget);
      if (!dialog || qobject_cast<QMessageBox*>(dialog) || !dialog->testAttribute(Qt::WA_ShowModal)) continue;
      if (!dialog->windowHandle() || !dialog->windowHandle()->isVisible()) continue;
      m_seen << QString::fromLatin1(dialog->metaObject()->className());
      dialog->reject();
    }
  }

  QTimer m_timer;
  QStringList m_seen;
};

// A file dragged onto the window and dropped, as the window system delivers
// it: the drop comes only when the window took the drag.
void ModalGuardDrop(QWidget& window, const QString& path) {
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(path)});
  const QPointF at(window.rect().center());
  QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &enter);
  if (!enter.isAccepted()) return;
  QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &drop);
}

void ModalGuardRightClick(QWidget* port, const QPoint& pos) {
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QMouseEvent event(type, QPointF(pos), port->mapToGlobal(QPointF(pos)), Qt::RightButton,
                      type == QEvent::MouseButtonPress ? Qt::RightButton : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(port, &event);
  }
  QContextMenuEvent event(QContextMenuEvent::Mouse, pos, port->mapToGlobal(pos));
  QApplication::sendEvent(port, &event);
}

// The window takes the keys, as after a click on it.
bool ModalGuardActivate(QWidget& window) {
  window.activateWindow();
  return WaitUntil([&] { return QApplication::activeWindow() == &window; });
}

class ModalGuardTest : public testing::Test {
 protected:
  void SetUp() override {
    // At the line's own speed the download takes seconds.
    QString error;
    ASSERT_TRUE(StartPacedUnit(sim, &error)) << error.toStdString();
    CShellSettings::SetStartupAction(CShellSettings::kStartNew);
    // The system's own file dialogs: they are modal windows too.
    app = std::make_unique<CSelvantisApp>(nullptr);
    ASSERT_TRUE(app->InitInstance({}));
    frame = app->MainFrame();
    view = frame->GetActiveView();
    ASSERT_NE(view, nullptr);
    // An object of the new project with a properties dialog: the unit's
    // digital input/output module.
    CBaseDevice* object = nullptr;
    for (CBaseDevice* candidate : view->GetDocument().GetAllObjects())
      if (candidate->GetType() == DT_DIGITALSLOT && !object) object = candidate;
    ASSERT_NE(object, nullptr);
    ASSERT_TRUE(CBaseDevice::HasPropertiesHandler(DT_DIGITALSLOT));
    view->SetCurrentObject(object);
    objectAt = view->CanvasToView(object->GetRect().center());
  }
  void TearDown() override {
    app.reset();
    sim.Stop();
  }

  struct Probe {
    const char* input;
    std::function<void()> give;
  };

  // The inputs that open a modal window when no transfer runs.
  std::vector<Probe> Probes(CCompareWnd& compare) {
    using namespace ShellCmd;
    auto key = [this](int k, Qt::KeyboardModifiers modifiers) {
      return [this, k, modifiers] {
        ASSERT_TRUE(ModalGuardActivate(*frame));
        QTest::keyClick(frame, static_cast<Qt::Key>(k), modifiers);
      };
    };
    auto menu = [this](int command) {
      return [this, command] {
        ASSERT_TRUE(frame->Action(command)->isEnabled() || CTransfer::IsRunning());
        frame->Action(command)->trigger();
      };
    };
    QWidget* port = view->viewport();
    return {
        {"File > Print (Ctrl+P)", key(Qt::Key_P, Qt::ControlModifier)},
        {"File > Print preview", menu(kFilePrintPreview)},
        {"File > Export PDF", menu(kFileExportPdf)},
        {"File > Print setup", menu(kFilePrintSetup)},
        {"File > Open (Ctrl+O)", key(Qt::Key_O, Qt::ControlModifier)},
        {"File > Save as (Ctrl+Shift+S)", key(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier)},
        {"Edit > Properties (Alt+Return)", key(Qt::Key_Return, Qt::AltModifier)},
        {"View > Preferences", menu(kViewPreferences)},
        {"View > Common project data", menu(kViewProject)},
        {"Help > About", menu(kAppAbout)},
        {"double-click on the drawing", [=] { QTest::mouseDClick(port, Qt::LeftButton, {}, objectAt); }},
        {"Return on the drawing", [this] { QTest::keyClick(view, Qt::Key_Return); }},
        {"context menu of the drawing", [=] { ModalGuardRightClick(port, objectAt); }},
        {"the compare window's Print",
         [&compare] { QTest::mouseClick(compare.findChild<QPushButton*>(QStringLiteral("print")), Qt::LeftButton); }},
        {"the compare window's Export",
         [&compare] { QTest::mouseClick(compare.findChild<QPushButton*>(QStringLiteral("export")), Qt::LeftButton); }},
    };
  }

  TempProfile profile;
  MessageRecorder messages;
  UnitSimulator sim;
  std::unique_ptr<CSelvantisApp> app;
  CMainFrame* frame = nullptr;
  CSelvantisView* view = nullptr;
  QPoint objectAt;
};

}  // namespace

TEST_F(ModalGuardTest, NothingModalOpensDuringADownloadAndEverythingDoesAfterIt) {
  // A window left open from an earlier comparison, with a row to print.
  CCompareReport report;
  report.AddRow(CompareRow{"Zone", "Hall", "/VMX/ZONE1/NAME", "Hall", "Lobby"});
  CCompareWnd compare(report, QStringLiteral("Project1"), nullptr, frame);
  compare.show();
  ASSERT_TRUE(frame->OnCommand(ShellCmd::kCommConnect));
  ModalCatcher catcher;
  const std::vector<Probe> probes = Probes(compare);
  ASSERT_EQ(catcher.Take(), QStringList());

  // Every input, from inside the download's loop once it is well under way.
  std::vector<QStringList> opened(probes.size());
  std::vector<QString> status(probes.size());
  bool disabledWhileRunning = true;
  QTemporaryDir folder;
  const QString dropped = folder.filePath(QStringLiteral("dropped.sxm"));
  {
    CSelvantisDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    ASSERT_TRUE(doc.OnSaveDocument(dropped));
  }
  bool droppedOpened = true;
  bool ranThrough = false;
  int linesBefore = 0;
  bool wentOn = false;
  QTimer poll;
  poll.setInterval(20);
  QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
    if (!CTransfer::IsRunning() || wentOn) return;
    const int lines = static_cast<int>(sim.FullLines().size());
    if (ranThrough) {
      // Once the inputs have been given, the download goes on; then it is
      // cancelled, to save the time.
      if (lines < linesBefore + 20) return;
      wentOn = true;
      CTransfer::CancelRunning();
      return;
    }
    if (lines < 20) return;
    ranThrough = true;
    for (int command : {ShellCmd::kFilePrint, ShellCmd::kFilePrintPreview, ShellCmd::kFileExportPdf,
                        ShellCmd::kFilePrintSetup, ShellCmd::kAppAbout, ShellCmd::kViewPreferences})
      disabledWhileRunning = disabledWhileRunning && !frame->Action(command)->isEnabled();
    for (size_t i = 0; i < probes.size(); ++i) {
      frame->statusBar()->clearMessage();
      probes[i].give();
      QApplication::processEvents();
      opened[i] = catcher.Take();
      status[i] = frame->statusBar()->currentMessage();
    }
    // A project dropped on the window waits too.
    ModalGuardDrop(*frame, dropped);
    droppedOpened = frame->DocManager().Count() > 1;
    linesBefore = static_cast<int>(sim.FullLines().size());
  });
  poll.start();
  ASSERT_TRUE(ModalGuardActivate(*frame));
  QTest::keyClick(frame, Qt::Key_F6);
  poll.stop();
  ASSERT_TRUE(ranThrough) << "the download did not run";
  EXPECT_TRUE(wentOn) << "the download did not go on after the inputs (or ended before they were all given)";
  EXPECT_FALSE(CTransfer::IsRunning());
  EXPECT_TRUE(disabledWhileRunning) << "print, preview, PDF, print setup, about and preferences stay enabled";
  for (size_t i = 0; i < probes.size(); ++i) {
    SCOPED_TRACE(probes[i].input);
    EXPECT_EQ(opened[i], QStringList()) << "opened during the download";
  }
  // What did not open says why (the drawing's and the other window's input
  // has no disabled menu entry to show it).
  for (size_t i : {size_t{10}, size_t{12}, size_t{13}})
    EXPECT_EQ(status[i], CModalGuard::RefusalText()) << probes[i].input;
  const QStringList lines = sim.FullLines();
  EXPECT_GT(lines.lastIndexOf(QStringLiteral("/MACRO/LOCK OFF")), lines.lastIndexOf(QStringLiteral("/MACRO/LOCK ON")));

  EXPECT_FALSE(droppedOpened) << "a project dropped during the download was opened";

  // Once it has ended, each input opens its window again, and a drop its
  // project.
  ModalGuardDrop(*frame, dropped);
  EXPECT_EQ(frame->DocManager().Count(), 2);
  ASSERT_TRUE(frame->DocManager().CloseDocument(*frame->DocManager().At(1)));
  frame->UpdateCommandUI();
  for (const Probe& probe : probes) {
    SCOPED_TRACE(probe.input);
    probe.give();
    QApplication::processEvents();
    EXPECT_FALSE(catcher.Take().isEmpty()) << "nothing opened after the download";
  }
}

TEST(FrameCommandStateModalTest, CommandsThatOpenAModalWindowWaitForTheEndOfATransfer) {
  using namespace ShellCmd;
  FrameState idle;
  idle.hasDocument = true;
  idle.connected = true;
  idle.currentObjectHasProperties = true;
  FrameState running = idle;
  running.transferRunning = true;
  running.modalWindowsAllowed = false;
  const struct {
    int command;
    bool whileRunning;
  } rows[] = {{kFilePrint, false},          {kFilePrintPreview, false}, {kFileExportPdf, false},
              {kFilePrintSetup, false},     {kAppAbout, false},         {kViewPreferences, false},
              {kViewProject, false},        {kEditProperties, false},   {kFileOpen, false},
              {kFileSaveAs, false},         {kCommSendFile, false},     {kZoomFit, true},
              {kViewProtocolMonitor, true}, {kViewToolbar, true},       {kCommShowErrorFile, false}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.command);
    if (row.command == kCommShowErrorFile) {
      // Not modal: the error file's window may open during a transfer.
      FrameState withFile = running;
      withFile.hasErrorFile = true;
      EXPECT_TRUE(CFrameCommandState::IsEnabled(row.command, withFile));
      continue;
    }
    EXPECT_TRUE(CFrameCommandState::IsEnabled(row.command, idle));
    EXPECT_EQ(CFrameCommandState::IsEnabled(row.command, running), row.whileRunning);
  }
}

TEST_F(ModalGuardTest, ClosingTheWindowDuringADownloadAsksWhetherToStopIt) {
  const bool quitOnClose = QApplication::quitOnLastWindowClosed();
  QApplication::setQuitOnLastWindowClosed(false);
  ASSERT_TRUE(frame->OnCommand(ShellCmd::kCommConnect));
  // Closes the window as its title bar's button does, and answers its
  // question.
  struct Round {
    const char* answer;
    QMessageBox::StandardButton button;
    bool askedWithoutHoldingTheDownload = false;
    bool stillRunningAfterwards = false;
  } rounds[] = {{"No", QMessageBox::No}, {"Yes", QMessageBox::Yes}};
  size_t round = 0;
  QMessageBox* question = nullptr;
  qsizetype asked = 0;
  QTimer poll;
  poll.setInterval(20);
  QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
    if (round >= std::size(rounds) || !CTransfer::IsRunning()) return;
    Round& r = rounds[round];
    const qsizetype lines = sim.FullLines().size();
    if (!question) {
      if (lines < 20 * static_cast<qsizetype>(round + 1)) return;
      const bool closed = frame->close();
      EXPECT_FALSE(closed) << r.answer;
      question = frame->StopQuestion();
      if (!question) {
        ADD_FAILURE() << "closing during a download says nothing";
        ++round;
        return;
      }
      EXPECT_TRUE(question->isVisible());
      EXPECT_EQ(question->text(), CMainFrame::StopQuestionText());
      asked = lines;
      return;
    }
    // The download goes on while the question is open.
    if (lines < asked + 10) return;
    r.askedWithoutHoldingTheDownload = question->isVisible();
    QTest::mouseClick(question->button(r.button), Qt::LeftButton);
    QApplication::processEvents();
    r.stillRunningAfterwards = CTransfer::IsRunning();
    question = nullptr;
    ++round;
  });
  poll.start();
  ASSERT_TRUE(ModalGuardActivate(*frame));
  QTest::keyClick(frame, Qt::Key_F6);
  poll.stop();
  ASSERT_EQ(round, std::size(rounds)) << "the download ended before both closes were tried";
  EXPECT_TRUE(rounds[0].askedWithoutHoldingTheDownload);
  EXPECT_TRUE(rounds[0].stillRunningAfterwards) << "No stopped the download";
  EXPECT_TRUE(rounds[1].askedWithoutHoldingTheDownload);
  // Yes: the download stops with its closing lines, then the window closes
  // (and the connection with it).
  EXPECT_TRUE(WaitUntil([&] { return !frame->isVisible(); })) << "the window stayed after Yes";
  EXPECT_FALSE(frame->Link().IsConnected());
  const QStringList lines = sim.FullLines();
  EXPECT_GT(lines.lastIndexOf(QStringLiteral("/MACRO/LOCK OFF")), lines.lastIndexOf(QStringLiteral("/MACRO/LOCK ON")));
  EXPECT_GT(lines.lastIndexOf(QStringLiteral("/PROTECT ON")), lines.lastIndexOf(QStringLiteral("/PROTECT OFF")));
  EXPECT_GT(lines.lastIndexOf(QStringLiteral("/PROTECT ON")), lines.lastIndexOf(QStringLiteral("/MACRO/LOCK OFF")));
  QApplication::setQuitOnLastWindowClosed(quitOnClose);
}
