#ifndef SELV_EDITORS_LISTS_CANALOGDLGVIEW_H
#define SELV_EDITORS_LISTS_CANALOGDLGVIEW_H

#include "editors/lists/ceblistview.h"
#include "editors/lists/listchoice.h"

#include <QPointer>

class CAnalogCondition;
class CSelvantisDoc;

// The list of the project's range checks: name, ID, control pad, minimum
// and maximum. The pad is chosen from the selection dialog, minimum and
// maximum are typed in place, the name is edited as the row's label; every
// edit refills the list.
class CAnalogDlgView final : public CEBListView {
  Q_OBJECT

 public:
  explicit CAnalogDlgView(CSelvantisDoc* doc, QWidget* parent = nullptr);

  void FillList() override;
  void NewEntry() override { NewAnalogCondition(); }
  void TransferAll(bool bUpload) override { TransferAllAnalogConditions(bUpload); }
  void OnDeviceCommand(uint32_t id) override;

  void NewAnalogCondition();
  void TransferAllAnalogConditions(bool bUpload);
  void TransferSelected(bool bUpload);

  void EditCell(int row, int column) override;
  bool BeginLabelEdit(int row, int column) override;
  uint32_t DeleteCommand() const override;
  QWidget* CurrentEditor() const { return m_editor.data(); }
  void OnEndLabelEdit(int row, int column, const QString& text, bool cancelled);

  void SetChooser(ListChooser chooser) { m_chooser = std::move(chooser); }

 private:
  CAnalogCondition* AnalogAt(int row) const;
  void OpenEditor(int row, int column);
  std::optional<ListChoice> Choose(const ListChoiceRequest& request);

  CSelvantisDoc* m_doc;
  ListChooser m_chooser;
  QPointer<QWidget> m_editor;
};

#endif
