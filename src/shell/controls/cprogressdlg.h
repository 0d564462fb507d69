#ifndef SELV_SHELL_CONTROLS_CPROGRESSDLG_H
#define SELV_SHELL_CONTROLS_CPROGRESSDLG_H

#include "shell/controls/progressstate.h"

#include <QDialog>
#include <QElapsedTimer>

class QLabel;
class QProgressBar;
class QPushButton;

// The progress of a transfer: a text, a bar without a figure, the share
// and the lines done of all with the time left (as the command line shows
// them) and a Cancel button. The dialog
// knows nothing of the transfer: the transfer reports through SetProgress /
// SetText, and Cancel calls the handler it was given (the transfer's cancel),
// once. Closing the window counts as Cancel. The window is never narrower
// than its title, whatever the window manager would make of it.
class CProgressDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CProgressDlg(QWidget* parent = nullptr);

  void SetCancelHandler(ProgressState::CancelHandler handler);
  void SetRange(int lower, int upper);
  void SetPos(int pos);
  void SetProgress(int done, int total);
  void SetText(const QString& text);
  // The transfer has ended: closes the window (Cancel and the close box
  // only ask the transfer to stop; they do not close it).
  void Finish();
  bool IsCancelRequested() const noexcept { return m_state.IsCancelRequested(); }
  // "45 %   123 of 456 lines   0:42 left" once SetProgress has been called.
  QString DetailText() const;
  const ProgressState& State() const noexcept { return m_state; }

  // Shows the progress of a transfer driver (CTransfer) and makes Cancel
  // cancel it; the window goes when the transfer has ended, before the
  // transfer's message shows. Both must live until the transfer has ended:
  //
  //   CTransfer transfer;
  //   CProgressDlg progress(this);
  //   progress.AttachTo(transfer);
  //   progress.show();
  //   transfer.DownloadProject(doc);
  //   progress.Finish();
  template <class Transfer>
  void AttachTo(Transfer& transfer) {
    transfer.SetProgressHandler([this](int done, int total) { SetProgress(done, total); });
    transfer.SetEndHandler([this] { Finish(); });
    SetCancelHandler([&transfer] { transfer.Cancel(); });
  }

 public slots:
  void reject() override;

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void Show();

  ProgressState m_state;
  QElapsedTimer m_clock;  // since the first SetProgress
  QLabel* m_text;
  QLabel* m_detail;
  QProgressBar* m_bar;
  QPushButton* m_cancel;
};

#endif
