#ifndef SELV_EDITORS_LISTS_CCONDITIONDLGVIEW_H
#define SELV_EDITORS_LISTS_CCONDITIONDLGVIEW_H

#include "editors/lists/centrydlgview.h"

#include <QTimer>

class CCondition;
class CSelvantisDoc;

// The list of the project's plain conditions: name, ID, source and level,
// and while connected the state the unit reports. The type and the source
// are chosen from the selection dialog, the level toggles on a double
// click, the name is edited as the row's label; every edit refills the
// list and stops the status poll. A click on the "State" title starts and
// stops the poll (only while connected).
class CConditionDlgView final : public CEntryDlgView {
  Q_OBJECT

 public:
  explicit CConditionDlgView(CSelvantisDoc* doc, QWidget* parent = nullptr);

  void FillList() override;
  void NewEntry() override { NewCondition(); }
  void TransferAll(bool bUpload) override { TransferAllConditions(bUpload); }

  void NewCondition();
  void TransferAllConditions(bool bUpload);

  void EditCell(int row, int column) override;
  bool BeginLabelEdit(int row, int column) override;

  // A click on a column title; only "State" while connected counts.
  void OnHeaderClick(int column);
  bool IsPolling() const;
  // One status poll: asks the unit and fills the "State" column.
  void PollStatus();
  const QTimer& PollTimer() const noexcept { return m_pollTimer; }

 private:
  CCondition* ConditionAt(int row) const;
  void ApplyText(int row, int column, const QString& text) override;
  void SetPolling(bool polling);

  QTimer m_pollTimer;
};

#endif
