#include "editors/lists/creadyinpdlgfrm.h"

#include "editors/lists/creadyinpdlgview.h"
#include "editors/lists/creadyinpoptionsview.h"
#include "editors/lists/readyinputlistmodel.h"

#include <QSplitter>

CReadyInpDlgFrm::CReadyInpDlgFrm(const HostFrameContext& context, QWidget* parent)
    : CEntryListFrame(context, ReadyInputListModel::kKind, parent),
      m_readyView(new CReadyInpDlgView(context.doc, this)),
      m_optionsView(new CReadyInpOptionsView(context.doc, this)),
      m_splitter(new QSplitter(Qt::Horizontal, this)) {
  m_readyView->SetSettingsChanged([this] { m_optionsView->FillOptions(); });
  m_optionsView->SetChanged([this] { RefreshPanes(); });
  SetView(m_readyView);
  // The list came in as the central widget; it moves into the left pane.
  takeCentralWidget();
  m_splitter->addWidget(m_readyView);
  m_splitter->addWidget(m_optionsView);
  m_splitter->setCollapsible(0, false);
  m_splitter->setSizes({CReadyInpDlgView::kInitialWidth, 250});
  setCentralWidget(m_splitter);
  m_optionsView->FillOptions();
}

void CReadyInpDlgFrm::RefreshPanes() {
  m_readyView->FillList();
  m_optionsView->FillOptions();
}

SELV_REGISTER_HOST_FRAME(HostFrameKind::ReadyInputs, CReadyInpDlgFrm)
