#include "shell/controls/cpropertypage.h"

#include "shell/controls/cpropertysheet.h"

CPropertyPage::CPropertyPage(unsigned templateId, const QString& caption, QWidget* parent)
    : QWidget(parent), m_templateId(templateId), m_caption(caption) {}

void CPropertyPage::SetModified(bool bChanged) {
  if (m_bModified == bChanged) return;
  m_bModified = bChanged;
  if (m_pSheet) m_pSheet->PageModifiedChanged();
}

bool CPropertyPage::OnSetActive() { return true; }

bool CPropertyPage::OnKillActive() { return true; }

bool CPropertyPage::OnApply() {
  OnOK();
  return true;
}

void CPropertyPage::OnOK() { SetModified(false); }

void CPropertyPage::OnCancel() {}

bool CPropertyPage::OnQueryCancel() { return true; }
