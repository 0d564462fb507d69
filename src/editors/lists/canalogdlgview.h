#ifndef SELV_EDITORS_LISTS_CANALOGDLGVIEW_H
#define SELV_EDITORS_LISTS_CANALOGDLGVIEW_H

#include "editors/lists/centrydlgview.h"

class CAnalogCondition;
class CSelvantisDoc;

// The list of the project's range checks: name, ID, control pad, minimum
// and maximum. The pad is chosen from the selection dialog, minimum and
// maximum are typed in place, the name is edited as the row's label; every
// edit refills the list.
class CAnalogDlgView final : public CEntryDlgView {
  Q_OBJECT

 public:
  explicit CAnalogDlgView(CSelvantisDoc* doc, QWidget* parent = nullptr);

  void FillList() override;
  void NewEntry() override { NewAnalogCondition(); }
  void TransferAll(bool bUpload) override { TransferAllAnalogConditions(bUpload); }

  void NewAnalogCondition();
  void TransferAllAnalogConditions(bool bUpload);

  void EditCell(int row, int column) override;
  bool BeginLabelEdit(int row, int column) override;

 private:
  CAnalogCondition* AnalogAt(int row) const;
  void ApplyText(int row, int column, const QString& text) override;
};

#endif
