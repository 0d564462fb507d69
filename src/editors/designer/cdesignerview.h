#ifndef SELV_EDITORS_DESIGNER_CDESIGNERVIEW_H
#define SELV_EDITORS_DESIGNER_CDESIGNERVIEW_H

#include "editors/designer/designerpanemodel.h"
#include "editors/lists/ceblistview.h"

#include <cstdint>
#include <memory>

class CSelvantisDoc;
class VirtCtrlValueQueue;
class QMimeData;

// One pane of the virtual-controller designer: the items, the sources or
// the destinations (the role is set by the fill). Items are dragged from
// the items pane onto the selected row of another pane; what a row shows
// and what a drop or key does is the pane model's.
class CDesignerView final : public CEBListView {
  Q_OBJECT

 public:
  explicit CDesignerView(CSelvantisDoc* doc, QWidget* parent = nullptr);
  ~CDesignerView() override;

  void FillItems();
  void FillSources();
  void FillDestinations();
  // Refills with the current role.
  void FillList() override;

  DesignerPaneModel& Model() { return *m_model; }
  int GetRole() const { return m_model->GetRole(); }

  CVirtCtrlItem* NewItem();
  bool DeleteItem();
  void TransferAll(bool bUpload) override;
  void OnDeviceCommand(uint32_t id) override;

  // Live value of an item while its properties are edited (items pane only).
  void QueueVirtCtrlValue(int entry, double value);
  VirtCtrlValueQueue* ValueQueue() const { return m_values; }

  // Drop handling, also what the tests deliver.
  bool CanAccept(const QMimeData* data) const;
  bool DropData(const QMimeData* data);
  // The record a drag of the row carries (null for no item row).
  QMimeData* CreateDragData(int row) const;
  // Double click on a cell: properties (items) or item choice (others).
  void OnDoubleClick(int row, int column);
  // Items pane: the properties of the row's item, modal.
  void OnItemProperties(int row);
  // Delete key.
  void OnDeleteKey() override;
  // End of a label edit in the items pane.
  bool OnEndLabelEdit(int row, const QString& text);

 signals:
  // Something changed that the other panes show.
  void panesChanged();
  // Ask the frame to run a command (Delete from the key).
  void frameCommand(uint32_t id);

 protected:
  void startDrag(Qt::DropActions supportedActions) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  // Only the items pane offers Device > Download / Upload.
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void Show();
  void Fill(DesignerPaneModel::Role role);

  CSelvantisDoc* m_doc;
  std::unique_ptr<DesignerPaneModel> m_model;
  VirtCtrlValueQueue* m_values = nullptr;
  bool m_filling = false;
};

#endif
