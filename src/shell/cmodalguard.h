#ifndef SELV_SHELL_CMODALGUARD_H
#define SELV_SHELL_CMODALGUARD_H

#include <QObject>
#include <QString>

class QDialog;

// Keeps modal windows from opening while the line to the unit is in use (a
// transfer runs, or Disconnect waits for the unit) or the program ends. A
// modal window runs an event loop of its own inside the loop the transfer
// turns, so the transfer would stand still, with the unit's macros locked
// (or the closing, with the unit unprotected), until someone closed the
// window; and nobody closes it when the program is ended by a signal. The messages of the transfer itself (message
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
// It passes on the news of the line's use (CTransferNotifier), whoever took
// the line.
class CModalGuard final : public QObject {
  Q_OBJECT

 public:
  explicit CModalGuard(QObject* parent = nullptr);
  CModalGuard(const CModalGuard&) = delete;
  CModalGuard& operator=(const CModalGuard&) = delete;
  ~CModalGuard() override;

  // Nobody uses the line (IsLineInUse) and the program is not ending.
  static bool MayOpen();
  // The program ends: from now on no modal window opens.
  static void SetEnding(bool ending);
  static bool IsEnding();
  // Why a window did not open, for the status bar.
  static QString RefusalText();
  // Says refused when no modal window may open now; true when one may.
  bool Ask();

 signals:
  // The line's use changed (a transfer started or ended, Disconnect's
  // closing began or ended); running: a transfer uses it now.
  void transferRunningChanged(bool running);
  // A window did not open; text says why.
  void refused(const QString& text);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Refuse(QDialog& dialog);
};

#endif
