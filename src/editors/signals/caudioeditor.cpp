#include "editors/signals/caudioeditor.h"

#include "editors/signals/calarmpage.h"
#include "editors/signals/cbackgroundpage.h"
#include "editors/signals/cchimepage.h"
#include "editors/signals/cmessagepage.h"
#include "editors/signals/csignallistdlg.h"
#include "editors/signals/signallistlogic.h"
#include "macros/caudiosignal.h"
#include "model/cstringtable.h"
#include "unit/cinternalslot.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
const bool kHookSet = [] {
  CInternalSlot::SetAudioEditorHook([](CSelvantisDoc& doc) { return CAudioEditor::Run(doc); });
  return true;
}();
}  // namespace

CAudioEditor::CAudioEditor(CSelvantisDoc& doc, QWidget* parent) : QDialog(parent), m_doc(doc) {
  setWindowTitle(LoadString(114));
  setModal(true);
  auto* top = new QVBoxLayout(this);
  auto* body = new QHBoxLayout;
  top->addLayout(body);
  m_tabs = new QTabWidget(this);
  m_pages = {new CAlarmPage(doc, this), new CChimePage(doc, this), new CMessagePage(doc, this),
             new CBackgroundPage(doc, this)};
  m_list = new CSignalListDlg(doc, *this, this);
  body->addWidget(m_list);
  body->addWidget(m_tabs, 1);
  for (CSignalPage* page : m_pages) {
    page->SetList(m_list);
    m_tabs->addTab(page, page->Title());
    connect(page, &CSignalPage::addRequested, m_list, &CSignalListDlg::OnAdd);
  }
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  m_ok = new QPushButton(tr("OK"), this);
  m_cancel = new QPushButton(tr("Cancel"), this);
  m_apply = new QPushButton(tr("Apply"), this);
  m_ok->setObjectName(QStringLiteral("ok"));
  m_cancel->setObjectName(QStringLiteral("cancel"));
  m_apply->setObjectName(QStringLiteral("apply"));
  buttons->addWidget(m_ok);
  buttons->addWidget(m_cancel);
  buttons->addWidget(m_apply);
  top->addLayout(buttons);
  connect(m_ok, &QPushButton::clicked, this, &CAudioEditor::OnOK);
  connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(m_apply, &QPushButton::clicked, this, &CAudioEditor::OnApplyNow);

  m_active = 0;
  connect(m_tabs, &QTabWidget::currentChanged, this, &CAudioEditor::OnTabChanged);
  if (m_list->RowCount() > 0) m_list->SelectRow(0);  // brings up the page of its kind
  if (m_list->RowCount() == 0 || !m_list->GetSelectedSignal(nullptr)) m_pages[0]->OnSetActive();
  for (CSignalPage* page : m_pages) page->SetModified(false);
}

// The tab widget may still report a current page while its pages are torn
// down, when the pages list is gone already.
CAudioEditor::~CAudioEditor() { disconnect(m_tabs, nullptr, this, nullptr); }

CSignalPage* CAudioEditor::Page(int index) const {
  return index >= 0 && index < int(m_pages.size()) ? m_pages[size_t(index)] : nullptr;
}

void CAudioEditor::ActivatePage(int index) {
  if (!Page(index)) return;
  if (index == m_active)
    Page(index)->OnSetActive();
  else
    m_tabs->setCurrentIndex(index);
}

void CAudioEditor::OnTabChanged(int index) {
  if (CSignalPage* old = Page(m_active); old && m_active != index)
    old->OnKillActive(index == SignalListLogic::kPageBackground);
  m_active = index;
  if (CSignalPage* page = Page(index)) page->OnSetActive();
}

void CAudioEditor::CancelToClose() { m_cancel->setText(tr("Close")); }

void CAudioEditor::OnApplyNow() {
  if (CSignalPage* page = ActiveSignalPage()) page->OnApply(true);
}

void CAudioEditor::OnOK() {
  if (CSignalPage* page = ActiveSignalPage()) page->OnApply(false);
  // The common settings belong to no signal: their changes count even when
  // another page is on top.
  if (CSignalPage* common = m_pages.back(); common != ActiveSignalPage() && common->IsModified())
    common->OnApply(false);
  accept();
}

bool CAudioEditor::Run(CSelvantisDoc& doc) {
  CAudioEditor editor(doc, QApplication::activeWindow());
  editor.exec();
  return true;
}
