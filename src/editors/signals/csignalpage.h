#pragma once

#include <QWidget>

class CAudioSignal;
class CSelvantisDoc;
class CSignalListDlg;

// A page of the audio-signal editor. The base holds the modified flag and
// the list dialog; the signal pages (alarm, chime, message) share one set of
// controls whose meaning SignalPageLogic gives. Alt+C shows the selected
// signal's connections.
class CSignalPage : public QWidget {
  Q_OBJECT

 public:
  CSignalPage(CSelvantisDoc& doc, const QString& title, QWidget* parent = nullptr);
  ~CSignalPage() override;

  const QString& Title() const noexcept { return m_title; }
  void SetList(CSignalListDlg* list) { m_list = list; }
  CSignalListDlg* List() const noexcept { return m_list; }
  bool IsModified() const noexcept { return m_bModified; }
  void SetModified(bool bModified = true) { m_bModified = bModified; }

  // Sheet notifications. Leaving a page drops the row the user picked, so
  // that the next page does not edit a signal of another kind and its
  // Apply adds a signal; bKeepSelection: the page coming up needs it still
  // (the common settings page gives it back when it is left).
  virtual void OnSetActive();
  virtual void OnKillActive(bool bKeepSelection);
  // bFromApply: the sheet's Apply button was pressed.
  virtual void OnApply(bool bFromApply);

  virtual void SaveToSignal();
  virtual void LoadFromSignal();
  // A new signal of the page's kind, or null.
  virtual CAudioSignal* CreateSignal();
  // The connections dialog for the selected signal.
  void ShowConnections();

 signals:
  // Apply without a selected signal asks the list to add one.
  void addRequested();

 protected:
  CSelvantisDoc& m_doc;

 private:
  QString m_title;
  CSignalListDlg* m_list = nullptr;
  bool m_bModified = false;
};
