#include "editors/designer/cobjectfrm.h"

#include "editors/designer/cdesignerview.h"
#include "editors/lists/entryframecommands.h"
#include "link/idevicelink.h"
#include "model/cstringtable.h"
#include "shell/cmainframe.h"
#include "shell/controls/cframehostdialog.h"
#include "shell/controls/cframetransfer.h"
#include "shell/controls/hostframekind.h"

#include <QAction>
#include <QSplitter>
#include <QStatusBar>

SELV_REGISTER_HOST_FRAME(HostFrameKind::VirtualControllers, CObjectFrm)

CObjectFrm::CObjectFrm(const HostFrameContext& context, QWidget* parent)
    : QMainWindow(parent),
      m_doc(context.doc),
      m_splitter(new QSplitter(Qt::Horizontal, this)),
      m_bars(this, [this](uint32_t id) { OnCommand(id); }) {
  m_bars.AddSwitchBar(QStringLiteral("editorBar"), FrameBars::EditorSwitchButtons());
  m_bars.AddBar(QStringLiteral("designerBar"),
                {{kNew, "new"}, {kDelete, "delete"}, {0}, {kUpload, "upload"}, {kDownload, "download"}});
  statusBar()->setSizeGripEnabled(false);
  const int widths[] = {150, 300, 300};
  for (int i = 0; i < 3; ++i) {
    auto* pane = new CDesignerView(m_doc, m_splitter);
    pane->setObjectName(QStringLiteral("pane%1").arg(i));
    pane->resize(widths[i], 100);
    m_panes[static_cast<size_t>(i)] = pane;
    m_splitter->addWidget(pane);
    connect(pane, &CDesignerView::panesChanged, this, [this] {
      RefillAll();
      UpdateButtons();
    });
    connect(pane, &CDesignerView::frameCommand, this, [this](uint32_t id) { OnCommand(id); });
  }
  m_splitter->setSizes({150, 300, 300});
  setCentralWidget(m_splitter);
  m_panes[0]->SetProgressHandler(m_bars.ProgressReporter());
  m_panes[0]->FillItems();
  m_panes[1]->FillSources();
  m_panes[2]->FillDestinations();
  IDeviceLink* link = GetDeviceLink();
  const bool online = link && link->IsConnected();
  m_bars.Enable({kUpload, kDownload}, online);
  UpdateButtons();
}

CObjectFrm::~CObjectFrm() = default;

QString CObjectFrm::CommandTip(uint32_t id) { return FrameBars::ToolTipOf(LoadString(id)); }

void CObjectFrm::OnTransfer(bool bUpload) {
  if (CFrameTransfer::Refuses()) return;
  CFrameTransfer transfer(this, {Action(bUpload ? kDownload : kUpload)});
  m_panes[0]->TransferAll(bUpload);
  if (transfer.FrameAlive() && bUpload) RefillAll();
}

void CObjectFrm::RefillAll() {
  for (CDesignerView* pane : m_panes) pane->FillList();
}

void CObjectFrm::UpdateButtons() {
  if (QAction* a = Action(kNew)) a->setEnabled(m_panes[0]->Model().CanCreate());
  if (QAction* a = Action(kDelete)) a->setEnabled(m_panes[0]->Model().CanDelete());
}

bool CObjectFrm::OnCommand(uint32_t id) {
  switch (id) {
    case kNew:
    case kDelete:
      // A transfer may still use the items.
      if (CFrameHostDialog::RefusesWhileLineInUse(this)) return true;
      // The bar may be stale when another editor changed the project.
      if (id == kDelete)
        m_panes[0]->DeleteItem();
      else if (m_panes[0]->Model().CanCreate())
        m_panes[0]->NewItem();
      break;
    case kDownload:
    case kUpload: OnTransfer(id == kUpload); return true;
    default: return EntryFrameCommands::Route(this, nullptr, id);
  }
  RefillAll();
  UpdateButtons();
  return true;
}
