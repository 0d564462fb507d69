#include "editors/macros/cmacrodlgfrm.h"

#include "editors/lists/entrylistrules.h"
#include "editors/macros/cmacrodlglistview.h"
#include "editors/macros/cmacrostepview.h"
#include "editors/macros/macrolistmodel.h"
#include "macros/cmacro.h"
#include "model/cprofile.h"
#include "model/cselvantisdoc.h"

#include <QAction>
#include <QSplitter>

CMacroDlgFrm::CMacroDlgFrm(const HostFrameContext& context, QWidget* parent)
    : CSplitListFrame(context, parent), m_list(new CMacroDlgListView(context.doc, Splitter())) {
  CreateCommandBar({kNewMacro, kDeleteMacro, 0, kUpload, kDownload, 0, kExecute});
  EnableWithLink({kDownload, kUpload, kExecute});
  AddList(m_list);
  const int width =
      CProfile::GetInt(QString::fromLatin1(MacroListModel::kSection),
                       QString::fromLatin1(MacroListModel::kListWidthKey), MacroListModel::kDefaultListWidth);
  Splitter()->setSizes({width > 0 ? width : MacroListModel::kDefaultListWidth, 400});
  m_list->SetProgressHandler([this](int done, int total) { ShowProgress(done, total); });
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
  view->OnInitialUpdate();
  view->show();
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

void CMacroDlgFrm::TransferAllMacros(bool bUpload) {
  RunTransfer([this, bUpload] { m_list->TransferAll(bUpload); });
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
      TransferAllMacros(true);
      RefreshMacroList();
      return true;
    case kExecute: m_list->ExecuteMacro(); return true;
    default: return CSplitListFrame::OnCommand(id);
  }
}

SELV_REGISTER_HOST_FRAME(HostFrameKind::Macros, CMacroDlgFrm)
