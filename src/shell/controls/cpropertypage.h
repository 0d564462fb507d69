#ifndef SELV_SHELL_CONTROLS_CPROPERTYPAGE_H
#define SELV_SHELL_CONTROLS_CPROPERTYPAGE_H

#include <QString>
#include <QWidget>

class CPropertySheet;

// One page of a property sheet. The sheet calls the notifications below;
// a page marks itself modified to enable the sheet's Apply button.
class CPropertyPage : public QWidget {
  Q_OBJECT

 public:
  CPropertyPage(unsigned templateId, const QString& caption, QWidget* parent = nullptr);

  unsigned GetTemplateId() const noexcept { return m_templateId; }
  const QString& GetCaption() const noexcept { return m_caption; }
  // The sheet the page was added to, or null.
  CPropertySheet* GetSheet() const noexcept { return m_pSheet; }

  void SetModified(bool bChanged = true);
  bool IsModified() const noexcept { return m_bModified; }
  // True once the page has been shown (and has taken part in OK since).
  bool WasActivated() const noexcept { return m_bActivated; }

  // The page becomes the shown one.
  virtual bool OnSetActive();
  // The page is about to lose the focus of the sheet; false keeps it.
  virtual bool OnKillActive();
  // Apply: by default OnOK; false keeps the sheet open.
  virtual bool OnApply();
  // OK of the sheet; by default clears the modified state.
  virtual void OnOK();
  virtual void OnCancel();
  // Cancel of the sheet; false keeps the sheet open.
  virtual bool OnQueryCancel();

 private:
  friend class CPropertySheet;
  unsigned m_templateId;
  QString m_caption;
  CPropertySheet* m_pSheet = nullptr;
  bool m_bModified = false;
  bool m_bActivated = false;
};

#endif
