#ifndef SELV_AMPS_UI_CLINESGROUPSDLG_H
#define SELV_AMPS_UI_CLINESGROUPSDLG_H

#include "amps/ui/linesgroupsstate.h"
#include "shell/controls/cresizabledialog.h"

#include <QIcon>
#include <QPointer>

#include <vector>

class CBaseDevice;
class CEditableListCtrl;
class CResizableButton;
class CResizableStatic;
class CSelvantisDoc;
class QMimeData;

// The modal "Lines and Groups" dialog: the user moves zones and groups
// between "unused zones and groups" and "selected zones and groups" by
// dragging. The caller fills a list with the objects chosen so far and, on
// IDOK, finds the new choice in it; the list is only rewritten when at least
// one drop took place. No model object is changed.
class CLinesGroupsDlg : public CResizableDialog {
  Q_OBJECT

 public:
  static constexpr unsigned kTemplateId = 430;
  enum ControlId : int {
    IDC_UNUSED_CAPTION = 1434,
    IDC_SELECTED_CAPTION = 1435,
    IDC_UNUSED_LIST = 1207,
    IDC_SELECTED_LIST = 1240,
  };
  // Drag states.
  enum DragState : int { DRAG_NONE = 0, DRAG_FROM_SELECTED = 1, DRAG_FROM_UNUSED = 2 };

  // pList is the caller's list (not owned; it must outlive the dialog). The
  // zones and groups offered are those of doc, or of the active document
  // when doc is null.
  explicit CLinesGroupsDlg(std::vector<CBaseDevice*>* pList, QWidget* parent = nullptr, CSelvantisDoc* doc = nullptr);

  CEditableListCtrl* GetUnusedList() const noexcept { return m_unused; }
  CEditableListCtrl* GetSelectedList() const noexcept { return m_selected; }
  CEditableListCtrl* GetList(int controlId) const;
  const LinesGroupsState& GetState() const noexcept { return m_state; }
  int GetDragState() const noexcept { return m_dragState; }

  // The data a drag from that list carries.
  QMimeData* MakeDragData(int sourceId) const;
  // A completed drop on the list targetId of a drag from sourceId: the
  // selected rows of the source go to the end of the target. Nothing
  // happens unless the two are the two different lists of this dialog.
  // True when rows moved.
  bool DropRows(int sourceId, int targetId);

  // OnOK: takes the selected rows into the caller's list when something was
  // moved, then closes with IDOK.
  void accept() override;

 protected:
  bool OnInitDialog() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BeginDrag(int sourceId);
  void FillList(CEditableListCtrl* list, LinesGroupsState::Side side);
  void OnObjectRemoved(CBaseDevice* object);
  LinesGroupsState::Side SideOf(int controlId) const;

  std::vector<CBaseDevice*>* m_pList;
  QPointer<CSelvantisDoc> m_doc;
  LinesGroupsState m_state;
  std::vector<QIcon> m_icons;
  int m_dragState = DRAG_NONE;
  CResizableStatic* m_unusedCaption;
  CResizableStatic* m_selectedCaption;
  CEditableListCtrl* m_unused;
  CEditableListCtrl* m_selected;
  CResizableButton* m_ok;
  CResizableButton* m_cancel;
};

#endif
