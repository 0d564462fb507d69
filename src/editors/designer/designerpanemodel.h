#ifndef SELV_EDITORS_DESIGNER_DESIGNERPANEMODEL_H
#define SELV_EDITORS_DESIGNER_DESIGNERPANEMODEL_H

#include <QByteArray>
#include <QString>

#include <vector>

class CSelvantisDoc;
class CVirtCtrl;
class CVirtCtrlItem;

// What one pane of the virtual-controller designer shows and does: the
// items, the sources or the destinations, the wiring of a row to an item and
// the drag record. The widget only mirrors the rows.
class DesignerPaneModel final {
 public:
  enum Role : int { ItemsRole = 32963, SourcesRole = 32966, DestinationsRole = 32967 };
  static constexpr int kItemImage = 4;
  static constexpr int kDragRecordSize = 12;
  // The MIME type of the registered "DATA Object" format.
  static QString MimeType();

  struct Row {
    int image = 0;  // the group (CVirtCtrl::Group)
    int index = 0;  // within the group; for the items pane the item's ID
    QString label;  // column 0
    QString name;   // column 1: wired item's name, or the item's ID text
  };

  DesignerPaneModel(CSelvantisDoc* doc, Role role);

  Role GetRole() const noexcept { return m_role; }
  const std::vector<Row>& Rows() const noexcept { return m_rows; }
  // Column titles (string ids).
  QString Title(int column) const;

  // Rebuilds the rows from the project.
  void Fill();
  // The row to select after a fill (current ID or remembered row).
  int SelectedRow() const noexcept { return m_selected; }
  void SetSelectedRow(int row) { m_selected = row; }
  int CurrentId() const noexcept { return m_currentId; }
  // Items pane: the user selected the item's row; refills keep it selected.
  void SetCurrentId(int id) { m_currentId = id; }

  // Sources/destinations: wires the item to the selected row (0 clears).
  // Wiring refills, clearing empties the cell in place. False without a
  // selected row or for an identifier that is no item.
  bool Wire(int itemId);
  bool Clear();

  // Items pane: a new item becomes current; null when none is left.
  CVirtCtrlItem* NewItem();
  // Deletes the selected item and its links; the row below (else above)
  // becomes current. False without a selection.
  bool DeleteItem();
  // Renames the selected item (made unique); false when not allowed.
  bool Rename(const QString& text);
  bool CanRename() const noexcept { return m_role == ItemsRole; }
  // The ID of the selected item row, 0 for none.
  int SelectedItemId() const;
  // Tool tip of a row: item tip in the items pane, else the label.
  QString ToolTip(int row) const;

  // "New" allowed while items are below the limit; "Delete" while any exist.
  bool CanCreate() const;
  bool CanDelete() const;

  // The 12-byte record: kind, image, item ID, little-endian.
  static QByteArray DragRecord(int itemId);
  // The item ID of a record, or 0 for a malformed one.
  static int ParseDragRecord(const QByteArray& record);
  // Applies a drop to this pane (items: new item; others: wire the
  // selected row). False when nothing changed.
  bool Drop(const QByteArray& record);

  CVirtCtrl* Block() const;

 private:
  void FillItems();
  void FillLinks(const std::vector<int>& groups);

  CSelvantisDoc* m_doc;
  Role m_role;
  std::vector<Row> m_rows;
  int m_selected = 0;
  int m_currentId = 0;
};

#endif
