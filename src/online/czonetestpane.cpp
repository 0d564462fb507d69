#include "online/czonetestpane.h"

#include "online/czonelistview.h"
#include "online/czonetestview.h"

#include <QSplitter>
#include <QVBoxLayout>

CZonetestPane::CZonetestPane(CSelvantisDoc* doc, QWidget* parent) : COnlineView(doc, parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  m_splitter = new QSplitter(Qt::Vertical, this);
  m_list = new CZoneListView(doc, m_splitter);
  m_form = new CZonetestView(doc, m_list, m_splitter);
  m_splitter->addWidget(m_list);
  m_splitter->addWidget(m_form);
  m_splitter->setSizes({kListHeight, kListHeight});
  layout->addWidget(m_splitter);
}

void CZonetestPane::OnInitialUpdate() {
  m_list->OnInitialUpdate();
  m_form->OnInitialUpdate();
}

void CZonetestPane::OnCommReply(int tag, const QStringList& lines) { m_list->OnCommReply(tag, lines); }
