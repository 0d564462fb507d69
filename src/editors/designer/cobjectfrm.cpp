#include "editors/designer/cobjectfrm.h"

#include "editors/designer/cdesignerview.h"
#include "editors/lists/entryframecommands.h"
#include "editors/lists/entrylistrules.h"
#include "link/idevicelink.h"
#include "model/cstringtable.h"
#include "shell/cmainframe.h"
#include "shell/controls/cframehostdialog.h"
#include "shell/controls/hostframekind.h"
#include "shell/controls/picturebar.h"

#include <QAction>
#include <QProgressBar>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>

SELV_REGISTER_HOST_FRAME(HostFrameKind::VirtualControllers, CObjectFrm)

CObjectFrm::CObjectFrm(const HostFrameContext& context, QWidget* parent)
    : QMainWindow(parent), m_doc(context.doc), m_splitter(new QSplitter(Qt::Horizontal, this)) {
  setWindowFlags(Qt::Widget);
  EntryFrameCommands::PlaceSwitchBar(this, CreateEditorBar());
  addToolBar(Qt::TopToolBarArea, CreateDesignerBar());
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
  m_panes[0]->SetProgressHandler([this](int done, int total) { ShowProgress(done, total); });
  m_panes[0]->FillItems();
  m_panes[1]->FillSources();
  m_panes[2]->FillDestinations();
  IDeviceLink* link = GetDeviceLink();
  const bool online = link && link->IsConnected();
  if (QAction* a = Action(kUpload)) a->setEnabled(online);
  if (QAction* a = Action(kDownload)) a->setEnabled(online);
  UpdateButtons();
}

CObjectFrm::~CObjectFrm() = default;

QString CObjectFrm::CommandTip(uint32_t id) {
  QString text = LoadString(id);
  const int br = text.indexOf(QLatin1Char('\n'));
  if (br >= 0) text = text.mid(br + 1);
  return text.left(80);
}

QToolBar* CObjectFrm::CreateEditorBar() {
  auto* bar = new QToolBar(this);
  bar->setObjectName(QStringLiteral("editorBar"));
  PictureBar::Decorate(bar);
  for (uint32_t id : EntryListRules::EditorSwitchCommands()) {
    const QString text = EntryFrameCommands::SwitchText(id);
    QAction* action = bar->addAction(text);
    action->setToolTip(text);
    PictureBar::SetPicture(action, id);
    connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    m_actions[id] = action;
  }
  return bar;
}

QToolBar* CObjectFrm::CreateDesignerBar() {
  auto* bar = new QToolBar(this);
  bar->setObjectName(QStringLiteral("designerBar"));
  PictureBar::Decorate(bar);
  const uint32_t ids[] = {kNew, kDelete, 0, kUpload, kDownload};
  for (uint32_t id : ids) {
    if (id == 0) {
      bar->addSeparator();
      continue;
    }
    QAction* action = bar->addAction(LoadString(id));
    action->setToolTip(CommandTip(id));
    PictureBar::SetPicture(action, id,
                           id == kNew      ? "new"
                           : id == kDelete ? "delete"
                           : id == kUpload ? "upload"
                                           : "download");
    connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    m_actions[id] = action;
  }
  return bar;
}

QAction* CObjectFrm::Action(uint32_t id) const {
  const auto it = m_actions.find(id);
  return it == m_actions.end() ? nullptr : it->second;
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
      // The bar may be stale when another editor changed the project.
      if (m_panes[0]->Model().CanCreate()) m_panes[0]->NewItem();
      break;
    case kDelete: m_panes[0]->DeleteItem(); break;
    case kDownload: m_panes[0]->TransferAll(false); return true;
    case kUpload:
      m_panes[0]->TransferAll(true);
      RefillAll();
      return true;
    default: return EntryFrameCommands::Route(this, nullptr, id);
  }
  RefillAll();
  UpdateButtons();
  return true;
}

void CObjectFrm::ShowProgress(int done, int total) {
  if (total <= 0) {
    delete m_progress.data();
    return;
  }
  if (!m_progress) {
    m_progress = new QProgressBar(statusBar());
    statusBar()->addWidget(m_progress, 1);
  }
  m_progress->setRange(0, total);
  m_progress->setValue(done);
}
