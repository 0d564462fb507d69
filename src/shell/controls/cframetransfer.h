#ifndef SELV_SHELL_CONTROLS_CFRAMETRANSFER_H
#define SELV_SHELL_CONTROLS_CFRAMETRANSFER_H

#include <QPointer>

#include <initializer_list>
#include <vector>

class QAction;
class QWidget;

// A transfer that a window of the editor host starts with one of its own
// transfer buttons, from the button's command until the transfer's call has
// returned. The window's other transfer buttons are disabled meanwhile and
// get their state back afterwards (the host disables its switch column
// itself); the transfer's own button stays, and pressed again it says why it
// does nothing. The transfer lets events in, so the code after it asks
// FrameAlive before it touches the window.
//
//   if (CFrameTransfer::Refuses()) return;
//   CFrameTransfer transfer(this, {Action(bUpload ? kDownload : kUpload)});
//   m_view->TransferAll(bUpload);
//   if (!transfer.FrameAlive()) return;
class CFrameTransfer final {
 public:
  // A transfer command while the line is in use: says why nothing happens,
  // as a transfer refused for a running one does, and returns true.
  static bool Refuses();

  CFrameTransfer(QWidget* frame, std::initializer_list<QAction*> others);
  CFrameTransfer(const CFrameTransfer&) = delete;
  CFrameTransfer& operator=(const CFrameTransfer&) = delete;
  ~CFrameTransfer();

  bool FrameAlive() const { return !m_frame.isNull(); }

 private:
  QPointer<QWidget> m_frame;
  // The buttons this transfer disabled.
  std::vector<QPointer<QAction>> m_disabled;
};

#endif
