#ifndef SELV_EDITORS_LISTS_CCALENDARLISTVIEW_H
#define SELV_EDITORS_LISTS_CCALENDARLISTVIEW_H

#include "editors/lists/ceblistview.h"
#include "editors/lists/entrylistkind.h"
#include "shell/controls/celldatetimeformat.h"

#include <QPointer>

#include <functional>
#include <optional>

class CBaseDevice;
class CSelvantisDoc;

// What the calendar lists (appointments, day programs and their entries,
// holidays, the week) share: choices through the selection dialog, in-place
// name edits and date / time pickers over a cell, the Delete key, and the
// whole-list and selected-entry transfers of the list's container. The cell
// decisions belong to the derived lists and their models.
class CCalendarListView : public CEBListView {
  Q_OBJECT

 public:
  // Asks for a choice of a selection kind, preset with the current text;
  // nothing when cancelled.
  using Chooser = std::function<std::optional<int>(uint32_t kind, const QString& current)>;

  CCalendarListView(CSelvantisDoc* doc, const EntryListKind& kind, QWidget* parent = nullptr);

  CSelvantisDoc* GetDocument() const noexcept { return m_doc; }
  const EntryListKind& Kind() const noexcept { return m_kind; }

  void TransferAll(bool bUpload) override;
  void OnDeviceCommand(uint32_t id) override;
  // The entry of the first selected row to the unit or from it; nothing
  // without a selected entry, except the appointment list's download, which
  // then sends the calendar block's step 2.
  void TransferSelected(bool bUpload);

  // The double click on a cell.
  void EditCell(int row, int column) override { (void)row, (void)column; }
  // The label edit of the name; refused where the list allows none.
  bool BeginLabelEdit(int row, int column) override;
  uint32_t DeleteCommand() const override { return m_kind.deleteCommand; }
  // The end of an edit (name, picker); cancelled: refill only.
  virtual void OnEndLabelEdit(int row, int column, const QString& text, bool cancelled);
  // The open in-place editor, or null.
  QWidget* CurrentEditor() const { return m_editor.data(); }

  // The selection dialog unless replaced.
  void SetChooser(Chooser chooser) { m_chooser = std::move(chooser); }
  // What the Delete key does; by default the frame's Delete command.
  void SetDeleteKeyHandler(std::function<void()> handler) { m_deleteKey = std::move(handler); }

 protected:
  // Whether the name of row may be edited in place at column.
  virtual bool CanEditLabel(int row, int column) const;
  // Applies a committed text; the caller refills afterwards unless this
  // returns false.
  virtual bool ApplyText(int row, int column, const QString& text) {
    (void)row, (void)column, (void)text;
    return true;
  }
  // Lists without the Device menu return false.
  virtual bool HasContextMenu() const { return true; }

  std::optional<int> Choose(uint32_t kind, const QString& current);
  void OpenTextEditor(int row, int column);
  // A date or time picker over the cell, heightened by extraHeight pixels.
  void OpenPicker(int row, int column, CellDateTimeFormat::Kind kind, const QString& initialText, int extraHeight = 0);

  void contextMenuEvent(QContextMenuEvent* event) override;

  void OnDeleteKey() override;

 private:
  void DropRowsOf(const CBaseDevice* object);

  CSelvantisDoc* m_doc;
  EntryListKind m_kind;
  Chooser m_chooser;
  std::function<void()> m_deleteKey;
  QPointer<QWidget> m_editor;
};

#endif
