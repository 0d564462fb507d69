#include "editors/lists/creadyinpdlgfrm.h"

#include "editors/lists/creadyinpdlgview.h"
#include "editors/lists/creadyinpoptionsview.h"
#include "editors/lists/readyinputlistmodel.h"

#include <QEvent>
#include <QSplitter>

CReadyInpDlgFrm::CReadyInpDlgFrm(const HostFrameContext& context, QWidget* parent)
    : CEntryListFrame(context, ReadyInputListModel::kKind, parent),
      m_readyView(new CReadyInpDlgView(context.doc, this)),
      m_optionsView(new CReadyInpOptionsView(context.doc, this)),
      m_splitter(new QSplitter(Qt::Horizontal, this)),
      m_listWidth(CReadyInpDlgView::kInitialWidth) {
  m_readyView->SetSettingsChanged([this] { m_optionsView->FillOptions(); });
  m_optionsView->SetChanged([this] { RefreshPanes(); });
  SetView(m_readyView);
  // The list came in as the central widget; it moves into the left pane.
  takeCentralWidget();
  m_splitter->addWidget(m_readyView);
  m_splitter->addWidget(m_optionsView);
  m_splitter->setCollapsible(0, false);
  m_splitter->setStretchFactor(0, 0);
  m_splitter->setStretchFactor(1, 1);
  m_splitter->setSizes({m_listWidth, 250});
  // The splitter gets its real size only when the frame is laid out; the
  // list is given its width then, not scaled with the splitter, and keeps
  // it when the frame grows: the settings take the rest.
  m_splitter->installEventFilter(this);
  connect(m_splitter, &QSplitter::splitterMoved, this, [this] { m_listWidth = m_readyView->width(); });
  setCentralWidget(m_splitter);
  m_optionsView->FillOptions();
}

void CReadyInpDlgFrm::KeepListWidth() {
  const int space = m_splitter->contentsRect().width() - m_splitter->handleWidth();
  if (space <= 0) return;
  m_splitter->setSizes({m_listWidth, qMax(0, space - m_listWidth)});
}

bool CReadyInpDlgFrm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_splitter && event->type() == QEvent::Resize) KeepListWidth();
  return CEntryListFrame::eventFilter(watched, event);
}

void CReadyInpDlgFrm::RefreshPanes() {
  m_readyView->FillList();
  m_optionsView->FillOptions();
}

SELV_REGISTER_HOST_FRAME(HostFrameKind::ReadyInputs, CReadyInpDlgFrm)
