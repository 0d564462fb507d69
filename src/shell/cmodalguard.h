#ifndef SELV_SHELL_CMODALGUARD_H
#define SELV_SHELL_CMODALGUARD_H

#include <QObject>
#include <QString>

class QDialog;

// Keeps modal windows from opening while a transfer runs or the program
// ends. A modal window runs an event loop of its own inside the loop the
// transfer turns, so the transfer would stand still, with the unit's macros
// locked, until someone closed the window; and nobody closes it when the
// program is ended by a signal. The messages of the transfer itself (message
// boxes) are not held back.
//
// One guard lives with the main window, as the application's event filter:
// - commands: the main window's commands that open a modal window are
//   disabled meanwhile (CFrameCommandState::OpensModalWindow);
// - the drawing asks MayOpen before a double-click, a key or a context menu
//   opens a window;
// - any other window: a dialog that would run modally is closed again as it
//   shows, before it reaches the screen (its caller sees a Cancel), and a
//   context menu (it also runs a loop of its own) does not open. refused
//   says why, for the status bar.
// The guard also notices a transfer's start and end as events pass (the
// transfer turns the event loop while it runs), whoever started it.
class CModalGuard final : public QObject {
  Q_OBJECT

 public:
  explicit CModalGuard(QObject* parent = nullptr);
  CModalGuard(const CModalGuard&) = delete;
  CModalGuard& operator=(const CModalGuard&) = delete;
  ~CModalGuard() override;

  // No transfer runs and the program is not ending.
  static bool MayOpen();
  // The program ends: from now on no modal window opens.
  static void SetEnding(bool ending);
  static bool IsEnding();
  // Why a window did not open, for the status bar.
  static QString RefusalText();
  // Says refused when no modal window may open now; true when one may.
  bool Ask();

 signals:
  // A transfer started or ended.
  void transferRunningChanged(bool running);
  // A window did not open; text says why.
  void refused(const QString& text);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void NoteTransfer();
  void Refuse(QDialog& dialog);

  bool m_running = false;
};

#endif
