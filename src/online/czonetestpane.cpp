#include "online/czonetestpane.h"

#include "online/czonelistview.h"
#include "online/czonetestview.h"

#include <QResizeEvent>
#include <QSplitter>
#include <QVBoxLayout>

#include <algorithm>

CZonetestPane::CZonetestPane(CSelvantisDoc* doc, QWidget* parent) : COnlineView(doc, parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  m_splitter = new QSplitter(Qt::Vertical, this);
  m_list = new CZoneListView(doc, m_splitter);
  m_form = new CZonetestView(doc, m_list, m_splitter);
  m_splitter->addWidget(m_list);
  m_splitter->addWidget(m_form);
  // The zone list keeps its height when the window grows; the form below
  // takes the rest.
  m_splitter->setStretchFactor(0, 0);
  m_splitter->setStretchFactor(1, 1);
  m_splitter->setSizes({kListHeight, kListHeight});
  layout->addWidget(m_splitter);
}

void CZonetestPane::resizeEvent(QResizeEvent* event) {
  COnlineView::resizeEvent(event);
  // Sizes given before the splitter has a height are only proportions: the
  // list gets its height once the pane has one.
  if (m_listSized || m_splitter->height() <= 0) return;
  m_listSized = true;
  const int rest = m_splitter->height() - kListHeight - m_splitter->handleWidth();
  m_splitter->setSizes({kListHeight, std::max(0, rest)});
}

void CZonetestPane::OnInitialUpdate() {
  m_list->OnInitialUpdate();
  m_form->OnInitialUpdate();
}

void CZonetestPane::OnLineChanged(bool online) { m_form->SetLineUp(online); }

void CZonetestPane::OnCommReply(int tag, const QStringList& lines) { m_list->OnCommReply(tag, lines); }
