#ifndef SELV_EDITORS_LISTS_CCOMBINEDLGVIEW_H
#define SELV_EDITORS_LISTS_CCOMBINEDLGVIEW_H

#include "editors/lists/centrydlgview.h"

class CCombineCondition;
class CSelvantisDoc;

// The list of the project's combinations, four rows each (one per input):
// name, ID, logic function, invert flag and condition of the input. The
// function and the conditions are chosen from the selection dialog, the
// invert flags toggle on a double click, the name is edited as the label of
// any of the four rows; every edit refills the list.
class CCombineDlgView final : public CEntryDlgView {
  Q_OBJECT

 public:
  explicit CCombineDlgView(CSelvantisDoc* doc, QWidget* parent = nullptr);

  void FillList() override;
  void NewEntry() override { NewCombineCondition(); }
  void TransferAll(bool bUpload) override { TransferAllCombineConditions(bUpload); }
  bool DeleteSelectedByView() override { return DeleteCombineCondition(); }

  void NewCombineCondition();
  void TransferAllCombineConditions(bool bUpload);
  // Deletes the combination of the first selected row and makes the next
  // one (else the one before) current; false without a selection.
  bool DeleteCombineCondition();

  void EditCell(int row, int column) override;
  bool BeginLabelEdit(int row, int column) override;

 private:
  CCombineCondition* CombinationAt(int row) const;
  void ApplyText(int row, int column, const QString& text) override;
};

#endif
