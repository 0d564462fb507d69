#ifndef SELV_EDITORS_LISTS_CBUSYDLGVIEW_H
#define SELV_EDITORS_LISTS_CBUSYDLGVIEW_H

#include "editors/lists/ceblistview.h"
#include "editors/lists/listchoice.h"

#include <QPointer>

#include <functional>
#include <vector>

class CBaseDevice;
class CBusyCondition;
class CSelvantisDoc;

// The list of the project's busy conditions: name, ID, audio sources,
// outputs, zones, matching and minimum priority. Sources and outputs are
// chosen from the selection dialog, zones and groups from the "Lines and
// Groups" dialog, matching toggles on a double click, the priority is typed
// in place, the name is edited as the row's label; every edit refills the
// list.
class CBusyDlgView final : public CEBListView {
  Q_OBJECT

 public:
  explicit CBusyDlgView(CSelvantisDoc* doc, QWidget* parent = nullptr);

  void FillList() override;
  void NewEntry() override { NewBusyCondition(); }
  void TransferAll(bool bUpload) override { TransferAllBusyConditions(bUpload); }
  void OnDeviceCommand(uint32_t id) override;

  void NewBusyCondition();
  void TransferAllBusyConditions(bool bUpload);
  void TransferSelected(bool bUpload);

  void EditCell(int row, int column) override;
  bool BeginLabelEdit(int row, int column) override;
  uint32_t DeleteCommand() const override;
  QWidget* CurrentEditor() const { return m_editor.data(); }
  void OnEndLabelEdit(int row, int column, const QString& text, bool cancelled);

  void SetChooser(ListChooser chooser) { m_chooser = std::move(chooser); }
  // Edits the list of zones and groups; false when cancelled. The "Lines
  // and Groups" dialog unless replaced.
  using ZoneChooser = std::function<bool(std::vector<CBaseDevice*>& zones)>;
  void SetZoneChooser(ZoneChooser chooser) { m_zoneChooser = std::move(chooser); }

 private:
  CBusyCondition* BusyAt(int row) const;
  void OpenEditor(int row, int column);
  std::optional<ListChoice> Choose(const ListChoiceRequest& request);
  bool ChooseZones(std::vector<CBaseDevice*>& zones);

  CSelvantisDoc* m_doc;
  ListChooser m_chooser;
  ZoneChooser m_zoneChooser;
  QPointer<QWidget> m_editor;
};

#endif
