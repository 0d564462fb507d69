#pragma once

#include <QDialog>

#include <vector>

class CSelvantisDoc;
class CSignalListDlg;
class CSignalPage;
class QPushButton;
class QTabWidget;

// The modal audio-signal editor: the signal list on the left, the alarm,
// chime, text message and common settings pages on the right. A page's
// changes reach its signal on Apply or OK; signals added or deleted with
// the list's buttons stay so (Cancel then reads Close).
class CAudioEditor final : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kPageCount = 4;

  explicit CAudioEditor(CSelvantisDoc& doc, QWidget* parent = nullptr);
  ~CAudioEditor() override;

  CSignalListDlg* List() const noexcept { return m_list; }
  CSignalPage* Page(int index) const;
  int ActivePageIndex() const noexcept { return m_active; }
  CSignalPage* ActiveSignalPage() const { return Page(m_active); }
  // Brings the page on top (reloading it when it already is).
  void ActivatePage(int index);
  void CancelToClose();
  // The sheet's buttons.
  void OnApplyNow();
  void OnOK();
  QPushButton* CancelButton() const noexcept { return m_cancel; }

  // Opens the editor for a document as a modal window.
  static bool Run(CSelvantisDoc& doc);

 private:
  void OnTabChanged(int index);

  CSelvantisDoc& m_doc;
  CSignalListDlg* m_list = nullptr;
  QTabWidget* m_tabs = nullptr;
  std::vector<CSignalPage*> m_pages;
  QPushButton* m_ok = nullptr;
  QPushButton* m_cancel = nullptr;
  QPushButton* m_apply = nullptr;
  int m_active = -1;
};
