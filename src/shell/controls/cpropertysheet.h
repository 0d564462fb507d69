#ifndef SELV_SHELL_CONTROLS_CPROPERTYSHEET_H
#define SELV_SHELL_CONTROLS_CPROPERTYSHEET_H

#include <QDialog>
#include <QString>

#include <vector>

class CPropertyPage;
class QHBoxLayout;
class QPushButton;
class QTabWidget;

// A modal dialog of tabbed pages with OK, Cancel and Apply. Apply is
// enabled while a page is modified. Switching tabs asks the old page
// (OnKillActive) and tells the new one (OnSetActive). Commands go through
// OnCommand so that a derived sheet can take them over.
class CPropertySheet : public QDialog {
  Q_OBJECT

 public:
  enum Button : int { PSBTN_OK = 1, PSBTN_CANCEL = 2, PSBTN_APPLYNOW = 3 };
  static constexpr int ID_APPLY_NOW = 12321;

  explicit CPropertySheet(const QString& caption, QWidget* parent = nullptr);
  ~CPropertySheet() override;

  // The sheet takes the page over.
  void AddPage(CPropertyPage* page);
  int GetPageCount() const { return static_cast<int>(m_pages.size()); }
  CPropertyPage* GetPage(int index) const;
  int GetPageIndex(const CPropertyPage* page) const;
  CPropertyPage* GetActivePage() const;
  int GetActiveIndex() const;
  // Switches pages as a tab click does; false when a page refused.
  bool SetActivePage(int index);

  // A widget shown left of the tabs (the sheet owns it).
  void SetSideWidget(QWidget* widget);
  QTabWidget* GetTabControl() const noexcept { return m_tabs; }
  // OK (1), Cancel (2) or Apply (12321).
  QPushButton* GetButton(int id) const;
  bool IsApplyEnabled() const;

  // As if the button had been pressed.
  void PressButton(int button);
  // Runs the sheet modally: IDOK or IDCANCEL.
  int DoModal();

  // Recomputes Apply from the pages' modified states.
  void PageModifiedChanged();

 protected:
  // Once, before the sheet is first shown; false closes it with Cancel.
  virtual bool OnInitDialog();
  // A button's command: true when handled. The default runs OK, Cancel and
  // Apply as a property sheet does.
  virtual bool OnCommand(int id);

  bool DefaultOK();
  bool DefaultCancel();
  bool DefaultApply();

  void setVisible(bool visible) override;

 public:
  // Escape and the close button go the way of Cancel.
  void reject() override;

 private:
  void OnTabChanged(int index);
  void Activate(CPropertyPage* page);

  QHBoxLayout* m_body = nullptr;
  QTabWidget* m_tabs = nullptr;
  QPushButton* m_ok = nullptr;
  QPushButton* m_cancel = nullptr;
  QPushButton* m_apply = nullptr;
  std::vector<CPropertyPage*> m_pages;
  int m_active = -1;
  bool m_bSwitching = false;
  bool m_bInitDone = false;
  bool m_bClosing = false;
};

#endif
