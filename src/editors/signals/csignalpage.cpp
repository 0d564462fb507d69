#include "editors/signals/csignalpage.h"

#include "editors/signals/csignallistdlg.h"
#include "macros/caudiosignal.h"
#include "model/cmessagesink.h"
#include "model/ui/cconnectionsdlg.h"

#include <QKeySequence>
#include <QShortcut>

CSignalPage::CSignalPage(CSelvantisDoc& doc, const QString& title, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_title(title) {
  auto* connections = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_C), this);
  connections->setContext(Qt::WidgetWithChildrenShortcut);
  connect(connections, &QShortcut::activated, this, &CSignalPage::ShowConnections);
}

CSignalPage::~CSignalPage() = default;

void CSignalPage::OnSetActive() { LoadFromSignal(); }

// Called after the tab switch has hidden this page, so its own visibility
// says nothing here.
void CSignalPage::OnKillActive(bool bKeepSelection) {
  if (!bKeepSelection && m_list) m_list->ClearSelection();
}

void CSignalPage::OnApply(bool bFromApply) {
  SaveToSignal();
  int row = -1;
  CAudioSignal* signal = m_list ? m_list->GetSelectedSignal(&row) : nullptr;
  if (signal)
    m_list->UpdateItemSource(signal, row);
  else if (bFromApply)
    emit addRequested();
  m_bModified = false;
}

void CSignalPage::SaveToSignal() {}
void CSignalPage::LoadFromSignal() {}

CAudioSignal* CSignalPage::CreateSignal() {
  AfxMessageBox(34274, MB_OK | MB_ICONEXCLAMATION);
  return nullptr;
}

void CSignalPage::ShowConnections() {
  CAudioSignal* signal = m_list ? m_list->GetSelectedSignal(nullptr) : nullptr;
  if (!signal) return;
  CConnectionsDlg dlg(this);
  dlg.SetObject(signal);
  dlg.DoModal();
}
