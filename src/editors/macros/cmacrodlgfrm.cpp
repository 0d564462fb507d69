#include "editors/macros/cmacrodlgfrm.h"

#include "editors/lists/entrylistrules.h"
#include "editors/macros/cmacrodlglistview.h"
#include "editors/macros/cmacrostepview.h"
#include "editors/macros/macrolistmodel.h"
#include "macros/cmacro.h"
#include "model/cprofile.h"
#include "model/cselvantisdoc.h"

#include <QAction>
#include <QEvent>
#include <QSplitter>

CMacroDlgFrm::CMacroDlgFrm(const HostFrameContext& context, QWidget* parent)
    : CSplitListFrame(context, parent),
      m_list(new CMacroDlgListView(context.doc, Splitter())),
      m_listWidth(CProfile::GetInt(QString::fromLatin1(MacroListModel::kSection),
                                   QString::fromLatin1(MacroListModel::kListWidthKey),
                                   MacroListModel::kDefaultListWidth)) {
  if (m_listWidth <= 0) m_listWidth = MacroListModel::kDefaultListWidth;
  CreateCommandBar({kNewMacro, kDeleteMacro, 0, kUpload, kDownload, 0, kExecute});
  SetEntryCommands({kNewMacro, kDeleteMacro});
  EnableWithLink({kDownload, kUpload, kExecute});
  AddList(m_list);
  Splitter()->setStretchFactor(0, 0);
  Splitter()->setSizes({m_listWidth, 400});
  // The splitter gets its real size only when the frame is laid out; the
  // list is given its width then, not scaled with the splitter.
  Splitter()->installEventFilter(this);
  connect(Splitter(), &QSplitter::splitterMoved, this, [this] { m_listWidth = m_list->width(); });
  m_list->SetProgressHandler(ProgressReporter());
  connect(m_list, &CMacroDlgListView::macroSelected, this, &CMacroDlgFrm::ShowMacroEditor);
  RefreshMacroList();
  UpdateButtons();
}

CMacroDlgFrm::~CMacroDlgFrm() {
  if (m_editor) m_editor->CommitPending();
}

CMacro* CMacroDlgFrm::GetCurrentMacro() const { return m_list->SelectedMacro(); }

void CMacroDlgFrm::RefreshMacroList() {
  m_list->FillList();
  ShowMacroEditor();
}

void CMacroDlgFrm::ShowMacroEditor() {
  // A field that stores on losing focus stores before its editor goes.
  if (m_editor) {
    m_editor->CommitPending();
    m_editor->hide();
    m_editor->setParent(nullptr);
    m_editor->deleteLater();
  }
  const CMacro* macro = GetCurrentMacro();
  const char* name = MacroListModel::EditorClassName(MacroListModel::EditorFor(macro ? macro->GetKind() : 0));
  CMacroStepView* view = CMacroStepViewRegistry::Create(name, this, Splitter());
  if (!view) {
    name = "CEmptyMacroView";
    view = CMacroStepViewRegistry::Create(name, this, Splitter());
  }
  m_editor = view;
  if (!view) return;
  view->setObjectName(QString::fromLatin1(name));
  Splitter()->addWidget(view);
  Splitter()->setStretchFactor(Splitter()->indexOf(view), 1);
  KeepListWidth();
  view->OnInitialUpdate();
  view->show();
}

void CMacroDlgFrm::KeepListWidth() {
  QSplitter* splitter = Splitter();
  if (splitter->count() < 2) return;
  const int space = splitter->contentsRect().width() - splitter->handleWidth();
  if (space <= 0) return;
  splitter->setSizes({m_listWidth, qMax(0, space - m_listWidth)});
}

bool CMacroDlgFrm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Splitter() && event->type() == QEvent::Resize) KeepListWidth();
  return CSplitListFrame::eventFilter(watched, event);
}

void CMacroDlgFrm::UpdateButtons() {
  CSelvantisDoc* doc = GetDocument();
  if (QAction* action = Action(kNewMacro)) action->setEnabled(doc && MacroListModel::CanCreate(*doc));
  if (QAction* action = Action(kDeleteMacro)) action->setEnabled(doc && MacroListModel::CanDelete(*doc));
}

void CMacroDlgFrm::DeleteSelectedEntry() {
  const int row = m_list->FirstSelectedRow();
  if (row < 0) return;
  const std::vector<int> ids = m_list->RowIds();
  if (CMacro* macro = m_list->MacroAt(row)) {
    // The editor of the macro must not outlive it.
    if (m_editor) {
      m_editor->CommitPending();
      delete m_editor.data();
    }
    macro->OnCommand(EntryListRules::kDeleteObjectCommand);
  }
  m_list->SetCurrentID(EntryListRules::CurrentAfterDelete(ids, row, m_list->GetCurrentID()));
}

bool CMacroDlgFrm::TransferAllMacros(bool bUpload) {
  return RunTransfer(bUpload ? kDownload : kUpload, [this, bUpload] { m_list->TransferAll(bUpload); });
}

bool CMacroDlgFrm::OnCommand(uint32_t id) {
  switch (id) {
    case kNewMacro:
      m_list->NewMacro();
      RefreshMacroList();
      UpdateButtons();
      return true;
    case kDeleteMacro:
      DeleteSelectedEntry();
      RefreshMacroList();
      UpdateButtons();
      return true;
    case kDownload: TransferAllMacros(false); return true;
    case kUpload:
      if (TransferAllMacros(true)) RefreshMacroList();
      return true;
    case kExecute: m_list->ExecuteMacro(); return true;
    default: return CSplitListFrame::OnCommand(id);
  }
}

SELV_REGISTER_HOST_FRAME(HostFrameKind::Macros, CMacroDlgFrm)
