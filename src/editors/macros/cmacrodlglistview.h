#ifndef SELV_EDITORS_MACROS_CMACRODLGLISTVIEW_H
#define SELV_EDITORS_MACROS_CMACRODLGLISTVIEW_H

#include "editors/lists/ceblistview.h"

#include <functional>
#include <optional>

class CMacro;
class CSelvantisDoc;
class IDeviceLink;

// The project's macros: name (editable in place), kind (double click
// chooses another) and identifier. Rows point at the document's macros;
// the current identifier survives refills and decides the selected row.
class CMacroDlgListView final : public CEBListView {
  Q_OBJECT

 public:
  static constexpr uint32_t kDeleteMacro = 33144;

  // Asks for a choice of a selection kind, preset with a text; nothing when
  // cancelled.
  using Chooser = std::function<std::optional<int>(uint32_t kind, const QString& preset)>;

  explicit CMacroDlgListView(CSelvantisDoc* doc, QWidget* parent = nullptr);
  ~CMacroDlgListView() override;

  void FillList() override;
  void NewEntry() override { NewMacro(); }
  void NewMacro();
  void ExecuteMacro();
  void TransferAll(bool bUpload) override;
  void OnDeviceCommand(uint32_t id) override;

  CMacro* MacroAt(int row) const;
  CMacro* SelectedMacro() const;

  // The double click on a cell: column 1 chooses the macro's kind.
  void EditCell(int row, int column) override;
  // Starts the in-place name edit; false for any column but the name.
  bool BeginLabelEdit(int row, int column) override;
  // The end of a name edit; text null: cancelled.
  void EndLabelEdit(int row, const std::optional<QString>& text);

  void SetChooser(Chooser chooser) { m_chooser = std::move(chooser); }
  // The link of transfers and commands; null: the installed one.
  void SetLink(IDeviceLink* link) { m_link = link; }

 signals:
  void command(uint32_t id);
  // The selected macro changed by the user.
  void macroSelected();

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

 private:
  std::optional<int> Choose(uint32_t kind, const QString& preset);
  void OnItemChanged(QTreeWidgetItem* item, int column);
  void OnSelectionChanged();
  void SaveColumnWidths();

  CSelvantisDoc* m_doc;
  Chooser m_chooser;
  IDeviceLink* m_link = nullptr;
  int m_editRow = -1;
  bool m_filling = false;
};

#endif
