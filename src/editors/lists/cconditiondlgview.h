#ifndef SELV_EDITORS_LISTS_CCONDITIONDLGVIEW_H
#define SELV_EDITORS_LISTS_CCONDITIONDLGVIEW_H

#include "editors/lists/ceblistview.h"
#include "editors/lists/listchoice.h"

#include <QPointer>
#include <QTimer>

class CCondition;
class CSelvantisDoc;

// The list of the project's plain conditions: name, ID, source and level,
// and while connected the state the unit reports. The type and the source
// are chosen from the selection dialog, the level toggles on a double
// click, the name is edited as the row's label; every edit refills the
// list and stops the status poll. A click on the "State" title starts and
// stops the poll (only while connected).
class CConditionDlgView final : public CEBListView {
  Q_OBJECT

 public:
  explicit CConditionDlgView(CSelvantisDoc* doc, QWidget* parent = nullptr);

  void FillList() override;
  void NewEntry() override { NewCondition(); }
  void TransferAll(bool bUpload) override { TransferAllConditions(bUpload); }
  void OnDeviceCommand(uint32_t id) override;

  void NewCondition();
  void TransferAllConditions(bool bUpload);
  void TransferSelected(bool bUpload);

  void EditCell(int row, int column) override;
  bool BeginLabelEdit(int row, int column) override;
  uint32_t DeleteCommand() const override;
  QWidget* CurrentEditor() const { return m_editor.data(); }
  void OnEndLabelEdit(int row, int column, const QString& text, bool cancelled);

  // A click on a column title; only "State" while connected counts.
  void OnHeaderClick(int column);
  bool IsPolling() const;
  // One status poll: asks the unit and fills the "State" column.
  void PollStatus();
  const QTimer& PollTimer() const noexcept { return m_pollTimer; }

  void SetChooser(ListChooser chooser) { m_chooser = std::move(chooser); }

 private:
  CCondition* ConditionAt(int row) const;
  void OpenEditor(int row, int column);
  std::optional<ListChoice> Choose(const ListChoiceRequest& request);
  void SetPolling(bool polling);

  CSelvantisDoc* m_doc;
  ListChooser m_chooser;
  QPointer<QWidget> m_editor;
  QTimer m_pollTimer;
};

#endif
