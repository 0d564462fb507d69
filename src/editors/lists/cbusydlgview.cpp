#include "editors/lists/cbusydlgview.h"

#include "amps/ui/clinesgroupsdlg.h"
#include "editors/lists/busylistmodel.h"
#include "editors/lists/centrylisttransfer.h"
#include "editors/lists/entrylistkind.h"
#include "editors/lists/entrylistrules.h"
#include "logic/cbusycondition.h"
#include "model/cselvantisdoc.h"
#include "shell/controls/cinplaceedit.h"

#include <QApplication>
#include <QDialog>

CBusyDlgView::CBusyDlgView(CSelvantisDoc* doc, QWidget* parent) : CEBListView(parent), m_doc(doc) {
  EnableRowEditing();
  OnInitialUpdate(BusyListModel::kColumnCount);
  if (m_doc) {
    connect(m_doc, &CSelvantisDoc::objectAboutToBeRemoved, this, [this](CBaseDevice* object) {
      for (int row = RowCount() - 1; row >= 0; --row) {
        if (ObjectAt(row) == object) delete topLevelItem(row);
      }
    });
  }
}

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

void CBusyDlgView::TransferAllBusyConditions(bool bUpload) {
  if (!m_doc) return;
  CEntryListTransfer transfer(*m_doc, entrylists::kBusy);
  transfer.TransferAll(bUpload, GetProgressHandler());
}

void CBusyDlgView::TransferSelected(bool bUpload) {
  const CBusyCondition* condition = BusyAt(FirstSelectedRow());
  if (!condition || !m_doc) return;
  const int id = condition->GetID();
  CEntryListTransfer transfer(*m_doc, entrylists::kBusy);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  transfer.TransferEntry(bUpload, id);
  QApplication::restoreOverrideCursor();
  if (bUpload) FillList();
}

void CBusyDlgView::OnDeviceCommand(uint32_t id) {
  if (id == EntryListRules::kDeviceDownload) TransferSelected(false);
  if (id == EntryListRules::kDeviceUpload) TransferSelected(true);
}

std::optional<ListChoice> CBusyDlgView::Choose(const ListChoiceRequest& request) {
  if (m_chooser) return m_chooser(request);
  return RunSelectionDialog(this, m_doc, request);
}

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
  return m_editor != nullptr;
}

void CBusyDlgView::OpenEditor(int row, int column) {
  if (m_editor) return;
  auto* edit = new CInPlaceEdit(row, column, CellText(row, column), viewport(), CellRect(row, column));
  m_editor = edit;
  connect(edit, &CInPlaceEdit::endEdit, this, &CBusyDlgView::OnEndLabelEdit);
}

void CBusyDlgView::OnEndLabelEdit(int row, int column, const QString& text, bool cancelled) {
  m_editor = nullptr;
  if (!cancelled && !text.isNull()) {
    if (CBusyCondition* condition = BusyAt(row)) BusyListModel::ApplyText(*condition, column, text);
  }
  FillList();
}

uint32_t CBusyDlgView::DeleteCommand() const { return entrylists::kBusy.deleteCommand; }
