#ifndef SELV_UNIT_UI_CKCMCONFIGURATIONDLG_H
#define SELV_UNIT_UI_CKCMCONFIGURATIONDLG_H

#include "shell/controls/cdialogimages.h"
#include "shell/controls/cresizabledialog.h"
#include "unit/ui/kcmconfigurationstate.h"

#include <QHash>
#include <QPoint>
#include <QPointer>

#include <memory>
#include <vector>

class CEditableListCtrl;
class CResizableButton;
class CResizableTreeCtrl;
class CSelvantisDoc;
class QDrag;
class QDropEvent;
class QGroupBox;
class QIcon;
class QMimeData;
class QTreeWidgetItem;

// The "KCM Configuration" dialog: the project's card bus as a tree and,
// beside it, what may be dropped on the selected item. Every drop, Delete
// and label edit changes the document at once; the dialog keeps no copy.
// The decisions are KCMConfigurationState's; this class mirrors its nodes
// into the tree and carries the drags.
class CKCMConfigurationDlg final : public CResizableDialog {
  Q_OBJECT

 public:
  static constexpr unsigned kTemplateId = 413;
  static constexpr int kImageStrip = 422;
  static constexpr int kDragBitmap = 131;
  // The format a dragged offer entry travels in: its row as text.
  static constexpr const char* kOfferMimeType = "application/x-selvantis-kcm-offer";

  explicit CKCMConfigurationDlg(CSelvantisDoc& doc, QWidget* parent = nullptr);
  ~CKCMConfigurationDlg() override;

  KCMConfigurationState& State() { return m_state; }
  CResizableTreeCtrl* Tree() const { return m_tree; }
  CEditableListCtrl* OfferList() const { return m_list; }
  QTreeWidgetItem* ItemOf(const KCMConfigurationState::Node* node) const;
  KCMConfigurationState::Node* NodeOf(const QTreeWidgetItem* item) const;

  // The drag data for an offer row.
  static std::unique_ptr<QMimeData> MakeOfferMime(int row);
  // The drag of an offer row, not yet running (the caller owns it until
  // then): its picture, its data and its cursors. Null for no row.
  QDrag* MakeOfferDrag(int row);

  // OK while a label is edited only ends the edit.
  void accept() override;

 protected:
  bool OnInitDialog() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SyncTree();
  void AddItems(QTreeWidgetItem* parentItem, KCMConfigurationState::Node* node);
  void FillOffers();
  void OnCurrentItemChanged(QTreeWidgetItem* current);
  void OnExpandedChanged(QTreeWidgetItem* item, bool expanded);
  void OnItemChanged(QTreeWidgetItem* item, int column);
  void OnDeleteKey();
  void OnObjectRemoved();
  void StartDrag(int row);
  bool HandleDrop(QDropEvent* event);
  void SetDropHighlight(QTreeWidgetItem* item);
  QIcon Image(int index);

  QPointer<CSelvantisDoc> m_doc;
  KCMConfigurationState m_state;
  CDialogImages m_images;
  CEditableListCtrl* m_list;
  QGroupBox* m_frame;
  CResizableTreeCtrl* m_tree;
  CResizableButton* m_ok;
  QHash<const QTreeWidgetItem*, KCMConfigurationState::Node*> m_nodes;
  QHash<const KCMConfigurationState::Node*, QTreeWidgetItem*> m_items;
  bool m_filling = false;
  bool m_editing = false;
  QPointer<QWidget> m_labelEditor;
  // List drag: where the button went down, and the row under it.
  QPoint m_pressPos;
  int m_pressRow = -1;
  QTreeWidgetItem* m_dropHighlight = nullptr;
};

#endif
