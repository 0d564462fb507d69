#ifndef SELV_SHELL_CONTROLS_CCLOSEWHILELINEINUSE_H
#define SELV_SHELL_CONTROLS_CCLOSEWHILELINEINUSE_H

#include "link/lineuse.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QMessageBox;
class QWidget;

// The close of a window whose contents the user of the line to the unit may
// still use (the main window, a project window, the editor host), asked
// before the window closes. While a transfer runs it asks whether to stop
// the transfer, in a question that does not hold the transfer (a box run by
// exec() would, with the unit's macros locked); Yes cancels the transfer,
// which sends its closing lines, and the window closes once the transfer's
// call has returned; while the program ends by a signal it closes then
// without a question. During Disconnect's closing wait the close is refused
// with a word for the status bar: the wait is short and has a limit.
//
//   void CSomeWindow::closeEvent(QCloseEvent* event) {
//     if (!m_lineUse->MayClose()) {
//       event->ignore();
//       return;
//     }
//     ...
class CCloseWhileLineInUse final : public QObject {
  Q_OBJECT

 public:
  // window: the question's parent; question: what it asks; close: closes
  // the window, once the line is free after a Yes (its close asks MayClose
  // again, which lets it through then).
  CCloseWhileLineInUse(QWidget& window, QString question, std::function<void()> close);
  CCloseWhileLineInUse(const CCloseWhileLineInUse&) = delete;
  CCloseWhileLineInUse& operator=(const CCloseWhileLineInUse&) = delete;
  ~CCloseWhileLineInUse() override;

  // For a window whose contents wait while it transfers (the console
  // sheet): a close during a transfer waits for its end instead of asking.
  void WaitInsteadOfAsking() { m_waits = true; }

  // Whether the window may close now; if not, the user has been asked or
  // told why, or the close waits for the end of the transfer.
  bool MayClose();
  // The question while it is open, else null.
  QMessageBox* Question() const;
  // From a Yes (or a close that waits) until the window's close has run.
  bool ClosesWhenFree() const noexcept { return m_closeWhenFree; }
  // What a window that is not the whole program asks.
  static QString StopQuestionText();

 signals:
  // Yes was answered while the transfer ran: it is being stopped.
  void stopping();
  // The close was refused; text says why.
  void refused(const QString& text);

 private:
  void Ask();
  void OnAnswered(bool yes);
  void OnLineUseChanged(LineUse use);

  QWidget& m_window;
  QString m_question;
  std::function<void()> m_close;
  QPointer<QMessageBox> m_box;
  bool m_closeWhenFree = false;
  bool m_waits = false;
};

#endif
