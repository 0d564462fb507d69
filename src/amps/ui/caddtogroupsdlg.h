#ifndef SELV_AMPS_UI_CADDTOGROUPSDLG_H
#define SELV_AMPS_UI_CADDTOGROUPSDLG_H

#include "amps/ui/addtogroupsstate.h"
#include "shell/controls/cresizabledialog.h"

#include <QIcon>
#include <QPointer>

#include <vector>

class CBaseDevice;
class CEditableListCtrl;
class CGroup;
class CResizableButton;
class CResizableStatic;
class CResizableTreeCtrl;
class CSelvantisDoc;
class QAbstractItemDelegate;
class QMimeData;
class QTreeWidgetItem;

// The modal "Lines and groups" dialog in which the user builds the group
// membership: the tree shows every group with its members, the list the
// zones and groups the selected group may still take. Dragging rows into
// the tree makes them members, dragging a member out of the tree ends its
// membership, and editing a label renames the object; each change is made
// on the model at once, so "Ok" only closes the dialog.
class CAddToGroupsDlg : public CResizableDialog {
  Q_OBJECT

 public:
  static constexpr unsigned kTemplateId = 431;
  enum ControlId : int {
    IDC_LIST_CAPTION = 1434,
    IDC_TREE_CAPTION = 1435,
    IDC_LIST = 1207,
    IDC_TREE = 1203,
  };
  enum DragState : int { DRAG_NONE = 0, DRAG_FROM_TREE = 1, DRAG_FROM_LIST = 2 };

  // pGroup: the group to select first, or null (not owned). The groups are
  // those of pGroup's document, else of doc, else of the active document.
  explicit CAddToGroupsDlg(CGroup* pGroup, QWidget* parent = nullptr, CSelvantisDoc* doc = nullptr);

  CEditableListCtrl* GetList() const noexcept { return m_list; }
  CResizableTreeCtrl* GetTree() const noexcept { return m_tree; }
  const AddToGroupsState& GetState() const noexcept { return m_state; }
  int GetDragState() const noexcept { return m_dragState; }

  // The object an item or a row stands for.
  static CBaseDevice* ObjectOf(const QTreeWidgetItem* item);
  CBaseDevice* ObjectOfRow(int row) const;
  // The tree item of a group (top level), or null.
  QTreeWidgetItem* FindGroupItem(const CGroup* group) const;

  // Fills the list with the candidates of the group item stands for (a
  // member stands for its group); empties it for null.
  void FillCandidates(QTreeWidgetItem* item);

  // The data a drag from IDC_LIST or IDC_TREE carries.
  QMimeData* MakeDragData(int sourceId) const;
  // Completed drops. List rows into the tree: the selected rows join the
  // group of the tree's selected item; returns how many joined. A member
  // out of the tree onto the list: the tree's selected member leaves its
  // group; true when it did.
  int DropRowsOnTree();
  bool DropMemberOnList();

  // The ends of label edits (not cancelled): the object takes the text as
  // its name (made unique); the list row and the tree items show it. True
  // when the name was set.
  bool RenameFromList(int row, const QString& text);
  bool RenameFromTree(QTreeWidgetItem* item, const QString& text);
  // Opens the label editor of a tree item; null when it cannot be edited.
  QWidget* EditTreeLabel(QTreeWidgetItem* item);
  QWidget* TreeLabelEditor() const;

  // While a tree label is edited, OK and Cancel close the edit box (taking
  // or dropping the text) instead of the dialog.
  void accept() override;
  void reject() override;

 protected:
  bool OnInitDialog() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The groups with their members; skip (an object going away) is left out.
  void FillTree(const CBaseDevice* skip = nullptr);
  void BeginListDrag();
  void BeginTreeDrag();
  void ShowName(CBaseDevice* object, int row);
  void OnCurrentItemChanged(QTreeWidgetItem* item);
  void OnObjectRemoved(CBaseDevice* object);
  QTreeWidgetItem* AddMemberItem(QTreeWidgetItem* groupItem, const AddToGroupsState::Member& member);
  CGroup* GroupOfItem(const QTreeWidgetItem* item) const;

  CGroup* m_pGroup;
  QPointer<CSelvantisDoc> m_doc;
  AddToGroupsState m_state;
  std::vector<QIcon> m_icons;
  int m_dragState = DRAG_NONE;
  // The tree item the list was last filled for.
  QTreeWidgetItem* m_filledFor = nullptr;
  CResizableButton* m_ok;
  CResizableStatic* m_listCaption;
  CResizableStatic* m_treeCaption;
  CEditableListCtrl* m_list;
  CResizableTreeCtrl* m_tree;
  QAbstractItemDelegate* m_delegate = nullptr;
  QPointer<QWidget> m_treeEditor;
};

#endif
