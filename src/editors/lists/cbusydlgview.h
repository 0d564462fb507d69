#ifndef SELV_EDITORS_LISTS_CBUSYDLGVIEW_H
#define SELV_EDITORS_LISTS_CBUSYDLGVIEW_H

#include "editors/lists/centrydlgview.h"

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
class CBusyDlgView final : public CEntryDlgView {
  Q_OBJECT

 public:
  explicit CBusyDlgView(CSelvantisDoc* doc, QWidget* parent = nullptr);

  void FillList() override;
  void NewEntry() override { NewBusyCondition(); }
  void TransferAll(bool bUpload) override { TransferAllBusyConditions(bUpload); }

  void NewBusyCondition();
  void TransferAllBusyConditions(bool bUpload);

  void EditCell(int row, int column) override;
  bool BeginLabelEdit(int row, int column) override;

  // Edits the list of zones and groups; false when cancelled. The "Lines
  // and Groups" dialog unless replaced.
  using ZoneChooser = std::function<bool(std::vector<CBaseDevice*>& zones)>;
  void SetZoneChooser(ZoneChooser chooser) { m_zoneChooser = std::move(chooser); }

 private:
  CBusyCondition* BusyAt(int row) const;
  void ApplyText(int row, int column, const QString& text) override;
  bool ChooseZones(std::vector<CBaseDevice*>& zones);

  ZoneChooser m_zoneChooser;
};

#endif
