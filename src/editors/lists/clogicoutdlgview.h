#ifndef SELV_EDITORS_LISTS_CLOGICOUTDLGVIEW_H
#define SELV_EDITORS_LISTS_CLOGICOUTDLGVIEW_H

#include "editors/lists/clogicentrylistview.h"

class CLogicOut;
class CSelvantisDoc;

// The list of the project's logic outputs: name, ID, output (control pad),
// condition and inversion. Output and condition are chosen from a
// selection, the inversion flips on a double click, the name is the row's
// label; every edit refills the list.
class CLogicOutDlgView final : public CLogicEntryListView {
  Q_OBJECT

 public:
  static constexpr uint32_t kKindString = 33085;

  explicit CLogicOutDlgView(CSelvantisDoc* doc, QWidget* parent = nullptr);

  void FillList() override;
  void NewEntry() override { NewLogicOut(); }
  void TransferAll(bool bUpload) override { TransferAllLogicOuts(bUpload); }
  void OnDeviceCommand(uint32_t id) override;

  void NewLogicOut();
  void TransferAllLogicOuts(bool bUpload);
  // The logic output of the selected row to the unit or from it; nothing
  // without a selected logic output.
  void TransferSelected(bool bUpload);

  void EditCell(int row, int column) override;
  void OnEndLabelEdit(int row, int column, const QString& text, bool cancelled) override;

 private:
  CLogicOut* LogicOutAt(int row) const;
};

#endif
