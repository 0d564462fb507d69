#include "amps/ui/caddtogroupsdlg.h"

#include "amps/cgroup.h"
#include "amps/czone.h"
#include "amps/ui/linesgroupsdrag.h"
#include "amps/ui/linesgroupsform.h"
#include "model/cbasedevice.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/devicetype.h"
#include "shell/controls/ceditablelistctrl.h"
#include "shell/controls/cresizablebutton.h"
#include "shell/controls/cresizablestatic.h"
#include "shell/controls/cresizabletreectrl.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QMimeData>
#include <QStyledItemDelegate>
#include <QTreeWidgetItem>

#include <functional>

namespace {

constexpr uint32_t kStrName = 32805;  // "Name"
constexpr int kNameColumnPercent = 90;

using DragList = LinesGroupsDragView<CEditableListCtrl>;
using DragTree = LinesGroupsDragView<CResizableTreeCtrl>;

// Label edits of the tree: the edited text goes to the dialog, which
// renames the object and sets the texts itself; the item is never written
// by the editor.
class LabelDelegate final : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  std::function<void(QWidget*)> onEditorCreated;
  std::function<void(const QModelIndex&, const QString&)> onCommit;

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (onEditorCreated) onEditorCreated(editor);
    return editor;
  }
  void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override {
    if (const auto* line = qobject_cast<QLineEdit*>(editor); line != nullptr && onCommit) onCommit(index, line->text());
  }
};

// A group's properties show its membership, a zone's the whole project's.
const bool g_registered = [] {
  CBaseDevice::SetPropertiesHandler(DT_GROUP, [](CBaseDevice& object) {
    auto* group = dynamic_cast<CGroup*>(&object);
    if (group == nullptr) return false;
    CAddToGroupsDlg dlg(group, nullptr, group->GetDocument());
    return dlg.DoModal() == IDOK;
  });
  CBaseDevice::SetPropertiesHandler(DT_ZONE, [](CBaseDevice& object) {
    if (dynamic_cast<CZone*>(&object) == nullptr) return false;
    CAddToGroupsDlg dlg(nullptr, nullptr, object.GetDocument());
    return dlg.DoModal() == IDOK;
  });
  return true;
}();

}  // namespace

CAddToGroupsDlg::CAddToGroupsDlg(CGroup* pGroup, QWidget* parent, CSelvantisDoc* doc)
    : CResizableDialog(kTemplateId, parent),
      m_pGroup(pGroup),
      m_doc(pGroup != nullptr && pGroup->GetDocument() != nullptr ? pGroup->GetDocument()
            : doc != nullptr                                      ? doc
                                                                  : GetActiveDoc()),
      m_ok(new CResizableButton(tr("Ok"), this)),
      m_listCaption(new CResizableStatic(tr("Select zones and groups"), this)),
      m_treeCaption(new CResizableStatic(tr("Add to groups"), this)),
      m_list(new DragList(this)),
      m_tree(new DragTree(this)) {
  (void)g_registered;
  setWindowTitle(tr("Lines and groups"));
  m_ok->setObjectName(QStringLiteral("ok"));
  m_listCaption->setObjectName(QStringLiteral("listCaption"));
  m_treeCaption->setObjectName(QStringLiteral("treeCaption"));
  m_list->setObjectName(QStringLiteral("candidates"));
  m_tree->setObjectName(QStringLiteral("groups"));
  m_ok->setDefault(true);

  m_list->SetLabelEditing(true);
  m_tree->setHeaderHidden(true);
  m_tree->setRootIsDecorated(true);
  m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
  m_tree->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
  auto* delegate = new LabelDelegate(m_tree);
  delegate->onEditorCreated = [this](QWidget* editor) { m_treeEditor = editor; };
  delegate->onCommit = [this](const QModelIndex& index, const QString& text) {
    QTreeWidgetItem* top = m_tree->topLevelItem(index.parent().isValid() ? index.parent().row() : index.row());
    QTreeWidgetItem* item = top != nullptr && index.parent().isValid() ? top->child(index.row()) : top;
    RenameFromTree(item, text);
  };
  connect(delegate, &QAbstractItemDelegate::closeEditor, this, [this](QWidget* editor) {
    if (editor == m_treeEditor) m_treeEditor = nullptr;
  });
  m_tree->setItemDelegate(delegate);
  m_delegate = delegate;

  static_cast<DragList*>(m_list)->onBeginDrag = [this] { BeginListDrag(); };
  static_cast<DragTree*>(m_tree)->onBeginDrag = [this] { BeginTreeDrag(); };
  LinesGroupsDrag::CoverDialog(this);
  LinesGroupsForm::LayOut(this, m_listCaption, m_treeCaption, m_list, m_tree, {m_ok});

  connect(m_ok, &QPushButton::clicked, this, &CAddToGroupsDlg::accept);
  connect(m_tree, &QTreeWidget::currentItemChanged, this, &CAddToGroupsDlg::OnCurrentItemChanged);
  connect(m_list, &CEditableListCtrl::endLabelEdit, this,
          [this](int row, int /*column*/, const QString& text, bool cancelled) {
            if (!cancelled) RenameFromList(row, text);
          });
  if (m_doc) {
    connect(m_doc, &CSelvantisDoc::objectAboutToBeRemoved, this, &CAddToGroupsDlg::OnObjectRemoved);
    connect(m_doc, &CSelvantisDoc::aboutToClear, this, [this] {
      m_pGroup = nullptr;
      m_state.Fill(nullptr);
      m_filledFor = nullptr;
      m_tree->clear();
      m_list->DeleteAllItems();
      CResizableDialog::reject();
    });
  }
  resize(480, 360);
}

CBaseDevice* CAddToGroupsDlg::ObjectOf(const QTreeWidgetItem* item) {
  return item != nullptr ? reinterpret_cast<CBaseDevice*>(static_cast<quintptr>(CResizableTreeCtrl::GetItemData(item)))
                         : nullptr;
}

CBaseDevice* CAddToGroupsDlg::ObjectOfRow(int row) const {
  if (row < 0 || row >= m_list->GetItemCount()) return nullptr;
  return reinterpret_cast<CBaseDevice*>(static_cast<quintptr>(m_list->GetItemData(row)));
}

CGroup* CAddToGroupsDlg::GroupOfItem(const QTreeWidgetItem* item) const {
  if (item == nullptr) return nullptr;
  // A member stands for its group.
  if (item->parent() != nullptr) item = item->parent();
  return dynamic_cast<CGroup*>(ObjectOf(item));
}

QTreeWidgetItem* CAddToGroupsDlg::FindGroupItem(const CGroup* group) const {
  if (group == nullptr) return nullptr;
  for (int i = 0; i < m_tree->topLevelItemCount(); ++i)
    if (ObjectOf(m_tree->topLevelItem(i)) == group) return m_tree->topLevelItem(i);
  return nullptr;
}

bool CAddToGroupsDlg::OnInitDialog() {
  m_icons = LinesGroupsDrag::RowIcons();
  m_list->setIconSize(QSize(16, 16));
  m_tree->setIconSize(QSize(16, 16));
  m_state.Fill(m_doc.data());
  FillTree();
  QTreeWidgetItem* selected = FindGroupItem(m_pGroup);
  if (selected == nullptr) selected = m_tree->topLevelItem(0);
  if (selected != nullptr) m_tree->setCurrentItem(selected);
  FillCandidates(m_tree->currentItem());
  m_list->InsertColumn(LoadString(kStrName), kNameColumnPercent, ListEditorKind::Text);
  return CResizableDialog::OnInitDialog();
}

void CAddToGroupsDlg::FillTree(const CBaseDevice* skip) {
  m_tree->clear();
  m_filledFor = nullptr;
  for (const AddToGroupsState::GroupNode& node : m_state.BuildTree()) {
    if (node.group == skip) continue;
    auto* root = new QTreeWidgetItem(m_tree);
    root->setText(0, node.group->GetName());
    CResizableTreeCtrl::SetItemData(root, LinesGroupsForm::DataOf(node.group));
    root->setFlags(root->flags() | Qt::ItemIsEditable);
    if (AddToGroupsState::IMAGE_GROUP < static_cast<int>(m_icons.size()))
      root->setIcon(0, m_icons[AddToGroupsState::IMAGE_GROUP]);
    for (const AddToGroupsState::Member& member : node.members)
      if (member.object != skip) AddMemberItem(root, member);
  }
}

QTreeWidgetItem* CAddToGroupsDlg::AddMemberItem(QTreeWidgetItem* groupItem, const AddToGroupsState::Member& member) {
  auto* child = new QTreeWidgetItem(groupItem);
  child->setText(0, member.object->GetName());
  CResizableTreeCtrl::SetItemData(child, LinesGroupsForm::DataOf(member.object));
  child->setFlags(child->flags() | Qt::ItemIsEditable);
  if (member.image >= 0 && member.image < static_cast<int>(m_icons.size()))
    child->setIcon(0, m_icons[static_cast<size_t>(member.image)]);
  return child;
}

void CAddToGroupsDlg::FillCandidates(QTreeWidgetItem* item) {
  m_list->DeleteAllItems();
  m_filledFor = item;
  for (CBaseDevice* object : m_state.CandidatesFor(GroupOfItem(item)))
    LinesGroupsForm::AppendRow(m_list, object, AddToGroupsState::RowImage(object), m_icons);
}

void CAddToGroupsDlg::OnCurrentItemChanged(QTreeWidgetItem* item) {
  // The list follows the chosen item however it was chosen (mouse or keys).
  if (item == nullptr || item == m_filledFor) return;
  FillCandidates(item);
}

QMimeData* CAddToGroupsDlg::MakeDragData(int sourceId) const { return LinesGroupsDrag::MakeData(this, sourceId); }

void CAddToGroupsDlg::BeginListDrag() {
  if (m_dragState != DRAG_NONE) return;
  std::vector<int> rows;
  if (m_list->GetSelectedItems(&rows) == 0) return;
  m_dragState = DRAG_FROM_LIST;
  LinesGroupsDrag::Run(m_list, MakeDragData(IDC_LIST),
                       LinesGroupsDrag::DragPicture(AddToGroupsState::RowImage(ObjectOfRow(rows.front()))));
  m_dragState = DRAG_NONE;
}

void CAddToGroupsDlg::BeginTreeDrag() {
  QTreeWidgetItem* item = m_tree->currentItem();
  // Only members can be dragged out of their group.
  if (m_dragState != DRAG_NONE || item == nullptr || item->parent() == nullptr) return;
  m_dragState = DRAG_FROM_TREE;
  const CBaseDevice* member = ObjectOf(item);
  LinesGroupsDrag::Run(
      m_tree, MakeDragData(IDC_TREE),
      LinesGroupsDrag::DragPicture(
          AddToGroupsState::MemberOf(const_cast<CBaseDevice*>(member), member != nullptr ? member->GetCategory() : 0)
              .image));
  m_dragState = DRAG_NONE;
}

int CAddToGroupsDlg::DropRowsOnTree() {
  QTreeWidgetItem* target = m_tree->currentItem();
  if (target != nullptr && target->parent() != nullptr) target = target->parent();
  CGroup* group = GroupOfItem(target);
  if (group == nullptr) return 0;
  std::vector<int> rows;
  m_list->GetSelectedItems(&rows);
  target->setExpanded(true);
  std::vector<int> moved;
  for (int row : rows) {
    CBaseDevice* object = ObjectOfRow(row);
    // Only what this group may take joins it, whatever the list shows.
    if (!m_state.AddMember(group, object)) continue;
    AddMemberItem(target, AddToGroupsState::MemberOf(object, object->GetCategory()));
    moved.push_back(row);
  }
  for (auto it = moved.rbegin(); it != moved.rend(); ++it) {
    m_list->DeleteItem(*it);
    if (*it < m_list->GetItemCount()) {
      m_list->SelectRow(*it);
      m_list->setCurrentItem(m_list->topLevelItem(*it), 0, QItemSelectionModel::NoUpdate);
    }
  }
  return static_cast<int>(moved.size());
}

bool CAddToGroupsDlg::DropMemberOnList() {
  QTreeWidgetItem* item = m_tree->currentItem();
  if (item == nullptr || item->parent() == nullptr) return false;
  QTreeWidgetItem* groupItem = item->parent();
  CGroup* group = GroupOfItem(groupItem);
  CBaseDevice* member = ObjectOf(item);
  if (group == nullptr || member == nullptr) return false;
  m_state.RemoveMember(group, member);
  // Every connection to the group is gone, so every item of the member
  // under it goes too.
  for (int i = groupItem->childCount() - 1; i >= 0; --i)
    if (ObjectOf(groupItem->child(i)) == member) delete groupItem->takeChild(i);
  m_tree->setCurrentItem(groupItem);
  FillCandidates(groupItem);
  return true;
}

void CAddToGroupsDlg::ShowName(CBaseDevice* object, int row) {
  if (row >= 0 && ObjectOfRow(row) == object) m_list->SetItemText(row, 0, object->GetName());
  for (int r = 0; r < m_list->GetItemCount(); ++r)
    if (r != row && ObjectOfRow(r) == object) m_list->SetItemText(r, 0, object->GetName());
  m_tree->SetItemTextByData(LinesGroupsForm::DataOf(object), object->GetName());
}

bool CAddToGroupsDlg::RenameFromList(int row, const QString& text) {
  CBaseDevice* object = ObjectOfRow(row);
  if (!AddToGroupsState::Rename(object, text)) return false;
  ShowName(object, row);
  return true;
}

bool CAddToGroupsDlg::RenameFromTree(QTreeWidgetItem* item, const QString& text) {
  CBaseDevice* object = ObjectOf(item);
  if (!AddToGroupsState::Rename(object, text)) return false;
  ShowName(object, -1);
  return true;
}

QWidget* CAddToGroupsDlg::EditTreeLabel(QTreeWidgetItem* item) {
  if (item == nullptr || m_treeEditor) return nullptr;
  m_tree->setCurrentItem(item);
  m_tree->editItem(item, 0);
  return m_treeEditor.data();
}

QWidget* CAddToGroupsDlg::TreeLabelEditor() const { return m_treeEditor.data(); }

void CAddToGroupsDlg::accept() {
  if (QWidget* editor = m_treeEditor.data()) {
    m_treeEditor = nullptr;
    emit m_delegate->commitData(editor);
    emit m_delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
    return;
  }
  CResizableDialog::accept();
}

void CAddToGroupsDlg::reject() {
  if (QWidget* editor = m_treeEditor.data()) {
    m_treeEditor = nullptr;
    emit m_delegate->closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
    return;
  }
  CResizableDialog::reject();
}

bool CAddToGroupsDlg::eventFilter(QObject* watched, QEvent* event) {
  int wanted = 0;
  if (watched == m_tree->viewport()) wanted = IDC_LIST;
  if (watched == m_list->viewport()) wanted = IDC_TREE;
  if (wanted == 0 || !LinesGroupsDrag::IsDragEvent(event)) return CResizableDialog::eventFilter(watched, event);
  // The tree takes the list's rows, the list the tree's members.
  const int sourceId = LinesGroupsDrag::TakeDragEvent(event, this, [wanted](int source) { return source == wanted; });
  if (sourceId == IDC_LIST) DropRowsOnTree();
  if (sourceId == IDC_TREE) DropMemberOnList();
  return true;
}

void CAddToGroupsDlg::OnObjectRemoved(CBaseDevice* object) {
  if (object == nullptr) return;
  if (object == m_pGroup) m_pGroup = nullptr;
  m_state.Forget(object);
  if (!isVisible()) return;
  const CGroup* listGroup = GroupOfItem(m_filledFor);
  // The object's connections go after this announcement: the tree is
  // rebuilt without it rather than from its still-present records.
  FillTree(object);
  QTreeWidgetItem* item = listGroup != object ? FindGroupItem(listGroup) : nullptr;
  if (item == nullptr) item = m_tree->topLevelItem(0);
  if (item != nullptr) m_tree->setCurrentItem(item);
  FillCandidates(item);
}
