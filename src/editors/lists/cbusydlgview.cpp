#include "editors/lists/cbusydlgview.h"

#include "amps/ui/clinesgroupsdlg.h"
#include "editors/lists/busylistmodel.h"
#include "editors/lists/entrylistkind.h"
#include "editors/lists/entrylistrules.h"
#include "logic/cbusycondition.h"
#include "model/cselvantisdoc.h"

#include <QDialog>

CBusyDlgView::CBusyDlgView(CSelvantisDoc* doc, QWidget* parent)
    : CEntryDlgView(doc, entrylists::kBusy, BusyListModel::kColumnCount, parent) {}

CBusyCondition* CBusyDlgView::BusyAt(int row) const { return dynamic_cast<CBusyCondition*>(ObjectAt(row)); }

void CBusyDlgView::FillList() {
  const QStringList titles = BusyListModel::ColumnTitles();
  for (int column = 0; column < BusyListModel::kColumnCount; ++column) {
    SetColumn(column, titles.at(column), BusyListModel::ColumnWidth(column), BusyListModel::ColumnAlignment(column));
  }
  const int current = GetCurrentID();
  {
    const QSignalBlocker block(this);
    DeleteAllRows();
    if (m_doc) {
      for (CBusyCondition* condition : BusyListModel::BusyConditions(*m_doc)) {
        AddRow(BusyListModel::RowTexts(*condition), condition, BusyListModel::kImage);
      }
    }
  }
  SetCurrentID(current);
  const int row = EntryListRules::RowToSelect(RowIds(), current);
  if (row >= 0) SelectRow(row);
}

void CBusyDlgView::NewBusyCondition() {
  if (!m_doc) return;
  if (CBusyCondition* condition = BusyListModel::NewBusyCondition(*m_doc)) SetCurrentID(condition->GetID());
}

void CBusyDlgView::TransferAllBusyConditions(bool bUpload) { TransferAllEntries(bUpload); }

bool CBusyDlgView::ChooseZones(std::vector<CBaseDevice*>& zones) {
  if (m_zoneChooser) return m_zoneChooser(zones);
  CLinesGroupsDlg dialog(&zones, this, m_doc);
  return dialog.DoModal() == QDialog::Accepted;
}

void CBusyDlgView::EditCell(int row, int column) {
  ResetHover();
  CBusyCondition* condition = BusyAt(row);
  if (!condition) return;
  switch (BusyListModel::EditOf(column)) {
    case BusyListModel::Edit::SelectSources:
    case BusyListModel::Edit::SelectOutputs: {
      const std::optional<ListChoice> choice =
          Choose({BusyListModel::SelectionKindOf(column), CellText(row, column), 0, true});
      // The condition may have gone while the dialog was open.
      if (!choice || BusyAt(row) != condition) return;
      if (column == BusyListModel::kAudio) {
        BusyListModel::SetSources(*condition, choice->number);
      } else {
        BusyListModel::SetOutputs(*condition, choice->selection);
      }
      FillList();
      break;
    }
    case BusyListModel::Edit::Zones: {
      std::vector<CBaseDevice*> zones = BusyListModel::Zones(*condition);
      if (!ChooseZones(zones) || BusyAt(row) != condition) return;
      BusyListModel::SetZones(*condition, zones);
      FillList();
      break;
    }
    case BusyListModel::Edit::ToggleMatching:
      BusyListModel::ToggleMatching(*condition);
      FillList();
      break;
    case BusyListModel::Edit::InPlace: OpenEditor(row, column); break;
    case BusyListModel::Edit::None: break;
  }
}

bool CBusyDlgView::BeginLabelEdit(int row, int column) {
  if (!BusyListModel::CanEditLabel(column) || !BusyAt(row)) return false;
  ResetHover();
  OpenEditor(row, column);
  return CurrentEditor() != nullptr;
}

void CBusyDlgView::ApplyText(int row, int column, const QString& text) {
  if (CBusyCondition* entry = BusyAt(row)) BusyListModel::ApplyText(*entry, column, text);
}
