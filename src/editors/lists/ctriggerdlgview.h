#ifndef SELV_EDITORS_LISTS_CTRIGGERDLGVIEW_H
#define SELV_EDITORS_LISTS_CTRIGGERDLGVIEW_H

#include "editors/lists/ceblistview.h"

#include <QPointer>

#include <functional>
#include <optional>

class CSelvantisDoc;
class CTrigger;

// The list of the project's triggers: name, ID, condition, duration and the
// ON and OFF macros. The name is edited as the row's label, the duration in
// place, condition and macros through the selection dialog; every edit
// refills the list from the triggers.
class CTriggerDlgView final : public CEBListView {
  Q_OBJECT

 public:
  // Asks for a choice of a selection kind, preset with the current text;
  // nothing when cancelled.
  using Chooser = std::function<std::optional<int>(uint32_t kind, const QString& current)>;

  explicit CTriggerDlgView(CSelvantisDoc* doc, QWidget* parent = nullptr);

  void FillList() override;
  void NewEntry() override { NewTrigger(); }
  void TransferAll(bool bUpload) override { TransferAllTriggers(bUpload); }
  void OnDeviceCommand(uint32_t id) override;

  void NewTrigger();
  void TransferAllTriggers(bool bUpload);
  // The selected trigger to the unit or from it; nothing without selection.
  void TransferSelected(bool bUpload);

  // The double click on a cell: opens its editor.
  void EditCell(int row, int column) override;
  // The label edit of column 0 (refused over other columns); the open edit.
  bool BeginLabelEdit(int row, int column) override;
  uint32_t DeleteCommand() const override;
  QWidget* CurrentEditor() const { return m_editor.data(); }
  // The end of an edit; cancelled: refill only.
  void OnEndLabelEdit(int row, int column, const QString& text, bool cancelled);

  // The selection dialog unless replaced.
  void SetChooser(Chooser chooser) { m_chooser = std::move(chooser); }

 private:
  CTrigger* TriggerAt(int row) const;
  void OpenEditor(int row, int column);
  std::optional<int> Choose(uint32_t kind, const QString& current);

  CSelvantisDoc* m_doc;
  Chooser m_chooser;
  QPointer<QWidget> m_editor;
};

#endif
