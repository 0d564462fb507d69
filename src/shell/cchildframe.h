#ifndef SELV_SHELL_CCHILDFRAME_H
#define SELV_SHELL_CCHILDFRAME_H

#include <QMdiSubWindow>

#include <functional>

class CBitmapManager;
class CSelvantisDoc;
class CSelvantisView;

// The MDI child window of one project: holds its drawing view and shows the
// document's title (" *" while modified). Closing it asks the owner, which
// decides about unsaved changes and then destroys the frame and the document.
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

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void UpdateTitle();

  CSelvantisDoc& m_doc;
  CSelvantisView* m_view;
  CloseRequest m_onCloseRequest;
  bool m_closing = false;
};

#endif
