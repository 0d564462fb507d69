#ifndef SELV_SHELL_CCHILDFRAME_H
#define SELV_SHELL_CCHILDFRAME_H

#include <QMdiSubWindow>

#include <functional>

class CBitmapManager;
class CCloseWhileLineInUse;
class CSelvantisDoc;
class CSelvantisView;
class QMessageBox;

// The MDI child window of one project: holds its drawing view and shows the
// document's title (" *" while modified). Closing it asks the owner, which
// decides about unsaved changes and then destroys the frame and the document.
// While a transfer runs the close first asks whether to stop it (the
// transfer may read the project), and during Disconnect's closing it is
// refused (the connection still tells the project that it closed).
class CChildFrame final : public QMdiSubWindow {
  Q_OBJECT
 public:
  using CloseRequest = std::function<void(CSelvantisDoc& doc)>;

  CChildFrame(CSelvantisDoc& doc, CBitmapManager& bitmaps, CloseRequest onCloseRequest, QWidget* parent = nullptr);
  ~CChildFrame() override;

  CSelvantisDoc& GetDocument() const noexcept { return m_doc; }
  CSelvantisView* GetView() const noexcept { return m_view; }
  // The owner closes the frame for good (no question any more).
  void CloseForGood();
  // The question while a close waits for the transfer's answer, else null.
  QMessageBox* StopQuestion() const;
  // After a Yes to stopping the transfer, until the close has run.
  bool ClosesAfterTransfer() const;

 signals:
  // A close was refused; text says why (for the status bar).
  void closeRefused(const QString& text);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void UpdateTitle();

  CSelvantisDoc& m_doc;
  CSelvantisView* m_view;
  CloseRequest m_onCloseRequest;
  CCloseWhileLineInUse* m_lineUse;
  bool m_closing = false;
};

#endif
