#ifndef SELV_SHELL_CPROGRAMENDING_H
#define SELV_SHELL_CPROGRAMENDING_H

#include "model/cmessagesink.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class CMainFrame;
class CRecoveryStore;

// How the window program ends on a signal (SIGTERM, SIGHUP, SIGINT: a kill,
// a desktop's logout, a closed terminal). Nobody is there to answer, and a
// logout's SIGKILL follows within seconds, so nothing may wait on a person:
// - at once: messages go to standard error and take their default answer;
//   the modal windows and menus that are open close (their loops unwind,
//   their callers see a Cancel) and no new one opens (CModalGuard); the
//   running transfer is cancelled, and ends with its closing lines;
// - once no transfer runs: the unsaved changes of every project are kept in
//   recovery copies (CRecoveryStore), never written into the project files;
//   the connection is closed ("/PROTECT ON", or standard error says why it
//   could not); the windows close without a question and the program quits.
// Should a transfer not have ended within kLimitMs, the copies are kept, the
// program says that the unit may still be open and exits at once: the
// link's note of the open unit (in its file beside the profile) makes the
// next connect close the unit first.
class CProgramEnding final : public QObject {
  Q_OBJECT

 public:
  static constexpr int kLimitMs = 10000;
  static constexpr int kStepMs = 50;

  CProgramEnding(CMainFrame& frame, CRecoveryStore& recovery, QObject* parent = nullptr);
  CProgramEnding(const CProgramEnding&) = delete;
  CProgramEnding& operator=(const CProgramEnding&) = delete;
  ~CProgramEnding() override;

  // A signal came; a second one changes nothing (the limit stands).
  void Begin(int signalNumber);
  bool IsRunning() const noexcept { return m_begun && !m_finished; }
  // The program has closed its windows and asked the event loop to quit.
  bool IsFinished() const noexcept { return m_finished; }

  // Closes every modal window and menu that is open.
  static void CloseModalWindows();

 private:
  // Writes the program's messages to standard error with their default
  // answer.
  class QuietSink final : public IMessageSink {
   public:
    int Show(const MessageRequest& request) override;
  };

  void Step();
  // Keeps a copy of every modified project; tell: says on standard error
  // what was kept (the last pass).
  void KeepRecoveryCopies(bool tell);
  void GiveUp();

  CMainFrame& m_frame;
  CRecoveryStore& m_recovery;
  QuietSink m_sink;
  IMessageSink* m_previousSink = nullptr;
  QTimer m_timer;
  QElapsedTimer m_clock;
  bool m_begun = false;
  bool m_inStep = false;
  bool m_kept = false;
  bool m_finished = false;
};

#endif
