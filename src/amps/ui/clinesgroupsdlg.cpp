#include "amps/ui/clinesgroupsdlg.h"

#include "amps/clangroup.h"
#include "amps/ui/dragcursors.h"
#include "amps/ui/linesgroupsdrag.h"
#include "amps/ui/linesgroupsform.h"
#include "model/cbasedevice.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/devicetype.h"
#include "shell/controls/ceditablelistctrl.h"
#include "shell/controls/cresizablebutton.h"
#include "shell/controls/cresizablestatic.h"

#include <QCursor>
#include <QMimeData>
#include <QTreeWidgetItem>

namespace {

constexpr uint32_t kStrName = 32805;  // "Name"
constexpr int kNameColumnPercent = 80;

using DragList = LinesGroupsDragView<CEditableListCtrl>;

// A LAN group's members are chosen with this dialog.
const bool g_registered = [] {
  CBaseDevice::SetPropertiesHandler(DT_LANGROUP, [](CBaseDevice& object) {
    auto* lan = dynamic_cast<CLANGroup*>(&object);
    if (lan == nullptr) return false;
    std::vector<CBaseDevice*> members = lan->GetMembers();
    CLinesGroupsDlg dlg(&members, nullptr, lan->GetDocument());
    if (dlg.DoModal() != IDOK) return false;
    lan->ApplyMembers(members);
    return true;
  });
  return true;
}();

}  // namespace

CLinesGroupsDlg::CLinesGroupsDlg(std::vector<CBaseDevice*>* pList, QWidget* parent, CSelvantisDoc* doc)
    : CResizableDialog(kTemplateId, parent),
      m_pList(pList),
      m_doc(doc != nullptr ? doc : GetActiveDoc()),
      m_unusedCaption(new CResizableStatic(tr("unused zones and groups"), this)),
      m_selectedCaption(new CResizableStatic(tr("selected zones and groups"), this)),
      m_unused(new DragList(this)),
      m_selected(new DragList(this)),
      m_ok(new CResizableButton(tr("OK"), this)),
      m_cancel(new CResizableButton(tr("Cancel"), this)) {
  (void)g_registered;
  setWindowTitle(tr("Lines and Groups"));
  m_unusedCaption->setObjectName(QStringLiteral("unusedCaption"));
  m_selectedCaption->setObjectName(QStringLiteral("selectedCaption"));
  m_unused->setObjectName(QStringLiteral("unused"));
  m_selected->setObjectName(QStringLiteral("selected"));
  m_ok->setObjectName(QStringLiteral("ok"));
  m_cancel->setObjectName(QStringLiteral("cancel"));
  m_ok->setDefault(true);

  static_cast<DragList*>(m_unused)->onBeginDrag = [this] { BeginDrag(IDC_UNUSED_LIST); };
  static_cast<DragList*>(m_selected)->onBeginDrag = [this] { BeginDrag(IDC_SELECTED_LIST); };
  LinesGroupsDrag::CoverDialog(this);
  LinesGroupsForm::LayOut(this, m_unusedCaption, m_selectedCaption, m_unused, m_selected, {m_ok, m_cancel});
  connect(m_ok, &QPushButton::clicked, this, &CLinesGroupsDlg::accept);
  connect(m_cancel, &QPushButton::clicked, this, &CLinesGroupsDlg::reject);
  if (m_doc) {
    connect(m_doc, &CSelvantisDoc::objectAboutToBeRemoved, this, &CLinesGroupsDlg::OnObjectRemoved);
    connect(m_doc, &CSelvantisDoc::aboutToClear, this, &CLinesGroupsDlg::reject);
  }
  resize(460, 340);
}

CEditableListCtrl* CLinesGroupsDlg::GetList(int controlId) const {
  switch (controlId) {
    case IDC_UNUSED_LIST: return m_unused;
    case IDC_SELECTED_LIST: return m_selected;
    default: return nullptr;
  }
}

LinesGroupsState::Side CLinesGroupsDlg::SideOf(int controlId) const {
  return controlId == IDC_SELECTED_LIST ? LinesGroupsState::Side::Selected : LinesGroupsState::Side::Unused;
}

bool CLinesGroupsDlg::OnInitDialog() {
  m_icons = LinesGroupsDrag::RowIcons();
  const QString name = LoadString(kStrName);
  for (CEditableListCtrl* list : {m_unused, m_selected}) {
    list->setIconSize(QSize(16, 16));
    list->InsertColumn(name, kNameColumnPercent, ListEditorKind::Text);
  }
  m_state.Fill(m_doc.data(), m_pList != nullptr ? *m_pList : std::vector<CBaseDevice*>());
  FillList(m_unused, LinesGroupsState::Side::Unused);
  FillList(m_selected, LinesGroupsState::Side::Selected);
  // Selected rows of the free list can be picked up: cursor 448 over them.
  m_unused->SetDragCursor(DragCursors::PickUpCursor());
  return CResizableDialog::OnInitDialog();
}

void CLinesGroupsDlg::FillList(CEditableListCtrl* list, LinesGroupsState::Side side) {
  list->DeleteAllItems();
  for (CBaseDevice* object : m_state.Rows(side))
    LinesGroupsForm::AppendRow(list, object, LinesGroupsState::ImageOf(object), m_icons);
}

QMimeData* CLinesGroupsDlg::MakeDragData(int sourceId) const { return LinesGroupsDrag::MakeData(this, sourceId); }

void CLinesGroupsDlg::BeginDrag(int sourceId) {
  CEditableListCtrl* source = GetList(sourceId);
  if (source == nullptr || m_dragState != DRAG_NONE) return;
  std::vector<int> rows;
  if (source->GetSelectedItems(&rows) == 0) return;
  const auto side = SideOf(sourceId);
  const int first = rows.front();
  const CBaseDevice* object =
      first < static_cast<int>(m_state.Rows(side).size()) ? m_state.Rows(side)[static_cast<size_t>(first)] : nullptr;
  m_dragState = sourceId == IDC_UNUSED_LIST ? DRAG_FROM_UNUSED : DRAG_FROM_SELECTED;
  LinesGroupsDrag::Run(source, MakeDragData(sourceId), LinesGroupsDrag::DragPicture(LinesGroupsState::ImageOf(object)));
  m_dragState = DRAG_NONE;
}

bool CLinesGroupsDlg::DropRows(int sourceId, int targetId) {
  CEditableListCtrl* source = GetList(sourceId);
  CEditableListCtrl* target = GetList(targetId);
  if (source == nullptr || target == nullptr || source == target) return false;
  std::vector<int> rows;
  source->GetSelectedItems(&rows);
  const LinesGroupsState::MoveResult result = m_state.Move(SideOf(sourceId), rows);
  if (result.moved == 0) return false;
  FillList(m_unused, LinesGroupsState::Side::Unused);
  FillList(m_selected, LinesGroupsState::Side::Selected);
  for (int row : result.reselect) source->SelectRow(row);
  // The last gap filled is the lowest one: it has the focus.
  if (!result.reselect.empty())
    source->setCurrentItem(source->topLevelItem(result.reselect.front()), 0, QItemSelectionModel::NoUpdate);
  return true;
}

bool CLinesGroupsDlg::eventFilter(QObject* watched, QEvent* event) {
  int targetId = 0;
  if (watched == m_unused->viewport()) targetId = IDC_UNUSED_LIST;
  if (watched == m_selected->viewport()) targetId = IDC_SELECTED_LIST;
  if (targetId == 0 || !LinesGroupsDrag::IsDragEvent(event)) return CResizableDialog::eventFilter(watched, event);
  // Only the other list of this dialog takes a drop.
  const int sourceId =
      LinesGroupsDrag::TakeDragEvent(event, this, [targetId](int source) { return source != targetId; });
  if (sourceId != 0) DropRows(sourceId, targetId);
  return true;
}

void CLinesGroupsDlg::accept() {
  if (m_pList != nullptr) m_state.Apply(*m_pList);
  CResizableDialog::accept();
}

void CLinesGroupsDlg::OnObjectRemoved(CBaseDevice* object) {
  m_state.Forget(object);
  if (isVisible()) {
    FillList(m_unused, LinesGroupsState::Side::Unused);
    FillList(m_selected, LinesGroupsState::Side::Selected);
  }
}
