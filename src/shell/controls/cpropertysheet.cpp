#include "shell/controls/cpropertysheet.h"

#include "model/cmessagesink.h"  // IDOK, IDCANCEL
#include "shell/controls/cpropertypage.h"

#include <QHBoxLayout>
#include <QMetaObject>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

CPropertySheet::CPropertySheet(const QString& caption, QWidget* parent) : QDialog(parent) {
  setWindowTitle(caption);
  auto* outer = new QVBoxLayout(this);
  m_body = new QHBoxLayout;
  m_tabs = new QTabWidget(this);
  m_body->addWidget(m_tabs, 1);
  outer->addLayout(m_body, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  m_ok = new QPushButton(tr("OK"), this);
  m_cancel = new QPushButton(tr("Cancel"), this);
  m_apply = new QPushButton(tr("&Apply"), this);
  m_ok->setDefault(true);
  m_apply->setEnabled(false);
  buttons->addWidget(m_ok);
  buttons->addWidget(m_cancel);
  buttons->addWidget(m_apply);
  outer->addLayout(buttons);
  connect(m_ok, &QPushButton::clicked, this, [this] { OnCommand(IDOK); });
  connect(m_cancel, &QPushButton::clicked, this, [this] { OnCommand(IDCANCEL); });
  connect(m_apply, &QPushButton::clicked, this, [this] { OnCommand(ID_APPLY_NOW); });
  connect(m_tabs, &QTabWidget::currentChanged, this, &CPropertySheet::OnTabChanged);
}

CPropertySheet::~CPropertySheet() {
  // The pages go with the tab widget; they must not call back meanwhile.
  for (CPropertyPage* page : m_pages) page->m_pSheet = nullptr;
}

void CPropertySheet::AddPage(CPropertyPage* page) {
  if (page == nullptr || GetPageIndex(page) >= 0) return;
  page->m_pSheet = this;
  m_pages.push_back(page);
  const QSignalBlocker block(m_tabs);
  m_tabs->addTab(page, page->GetCaption());
  if (m_active < 0) m_active = 0;
  m_tabs->setCurrentIndex(m_active);
  PageModifiedChanged();
}

CPropertyPage* CPropertySheet::GetPage(int index) const {
  if (index < 0 || index >= GetPageCount()) return nullptr;
  return m_pages[static_cast<size_t>(index)];
}

int CPropertySheet::GetPageIndex(const CPropertyPage* page) const {
  for (size_t i = 0; i < m_pages.size(); ++i) {
    if (m_pages[i] == page) return static_cast<int>(i);
  }
  return -1;
}

CPropertyPage* CPropertySheet::GetActivePage() const { return GetPage(m_active); }

int CPropertySheet::GetActiveIndex() const { return m_active; }

bool CPropertySheet::SetActivePage(int index) {
  if (GetPage(index) == nullptr) return false;
  if (index == m_active) {
    if (m_bInitDone && !GetPage(index)->WasActivated()) Activate(GetPage(index));
    return true;
  }
  if (m_bInitDone) {
    CPropertyPage* old = GetActivePage();
    if (old && !old->OnKillActive()) return false;
  }
  m_active = index;
  {
    const QSignalBlocker block(m_tabs);
    m_tabs->setCurrentIndex(index);
  }
  if (m_bInitDone) Activate(GetPage(index));
  return true;
}

void CPropertySheet::Activate(CPropertyPage* page) {
  page->m_bActivated = true;
  page->OnSetActive();
}

void CPropertySheet::OnTabChanged(int index) {
  if (m_bSwitching || index == m_active) return;
  const int old = m_active;
  m_bSwitching = true;
  {
    // Show the old page again while it is asked, so that its questions
    // refer to what the user sees.
    const QSignalBlocker block(m_tabs);
    m_tabs->setCurrentIndex(old);
  }
  SetActivePage(index);
  m_bSwitching = false;
}

void CPropertySheet::SetSideWidget(QWidget* widget) {
  if (widget == nullptr) return;
  widget->setParent(this);
  m_body->insertWidget(0, widget);
}

QPushButton* CPropertySheet::GetButton(int id) const {
  switch (id) {
    case IDOK: return m_ok;
    case IDCANCEL: return m_cancel;
    case ID_APPLY_NOW: return m_apply;
    default: return nullptr;
  }
}

bool CPropertySheet::IsApplyEnabled() const { return m_apply->isEnabled(); }

void CPropertySheet::PageModifiedChanged() {
  bool any = false;
  for (const CPropertyPage* page : m_pages) any = any || page->IsModified();
  m_apply->setEnabled(any);
}

void CPropertySheet::PressButton(int button) {
  switch (button) {
    case PSBTN_OK: OnCommand(IDOK); break;
    case PSBTN_CANCEL: OnCommand(IDCANCEL); break;
    case PSBTN_APPLYNOW:
      if (m_apply->isEnabled()) OnCommand(ID_APPLY_NOW);
      break;
    default: break;
  }
}

int CPropertySheet::DoModal() { return exec() == QDialog::Accepted ? IDOK : IDCANCEL; }

bool CPropertySheet::OnInitDialog() { return true; }

bool CPropertySheet::OnCommand(int id) {
  switch (id) {
    case IDOK: return DefaultOK();
    case IDCANCEL: return DefaultCancel();
    case ID_APPLY_NOW: return DefaultApply();
    default: return false;
  }
}

bool CPropertySheet::DefaultApply() {
  CPropertyPage* active = GetActivePage();
  if (active && !active->OnKillActive()) return true;
  for (CPropertyPage* page : m_pages) {
    if (page->IsModified() && !page->OnApply()) return true;
  }
  for (CPropertyPage* page : m_pages) page->SetModified(false);
  return true;
}

bool CPropertySheet::DefaultOK() {
  CPropertyPage* active = GetActivePage();
  if (active && !active->OnKillActive()) return true;
  // Every page that has been shown applies, changed or not, as the user
  // saw and confirmed it.
  for (CPropertyPage* page : m_pages) {
    if (page->WasActivated() && !page->OnApply()) return true;
  }
  m_bClosing = true;
  accept();
  return true;
}

bool CPropertySheet::DefaultCancel() {
  CPropertyPage* active = GetActivePage();
  if (active && !active->OnQueryCancel()) return true;
  for (CPropertyPage* page : m_pages) page->OnCancel();
  m_bClosing = true;
  QDialog::reject();
  return true;
}

void CPropertySheet::reject() {
  // Escape and the window's close button go the way of Cancel.
  if (m_bClosing) {
    QDialog::reject();
    return;
  }
  OnCommand(IDCANCEL);
}

void CPropertySheet::setVisible(bool visible) {
  if (visible && !m_bInitDone) {
    m_bInitDone = true;
    // The first page is active before the sheet's own set-up runs, which
    // may then switch to another page.
    if (CPropertyPage* page = GetActivePage()) Activate(page);
    if (!OnInitDialog()) {
      m_bClosing = true;
      QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
    }
  }
  if (visible) m_bClosing = false;
  QDialog::setVisible(visible);
}
