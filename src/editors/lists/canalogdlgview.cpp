#include "editors/lists/canalogdlgview.h"

#include "editors/lists/analoglistmodel.h"
#include "editors/lists/entrylistkind.h"
#include "editors/lists/entrylistrules.h"
#include "logic/canalogcondition.h"
#include "model/cselvantisdoc.h"

CAnalogDlgView::CAnalogDlgView(CSelvantisDoc* doc, QWidget* parent)
    : CEntryDlgView(doc, entrylists::kAnalog, AnalogListModel::kColumnCount, parent) {}

CAnalogCondition* CAnalogDlgView::AnalogAt(int row) const { return dynamic_cast<CAnalogCondition*>(ObjectAt(row)); }

void CAnalogDlgView::FillList() {
  const QStringList titles = AnalogListModel::ColumnTitles();
  for (int column = 0; column < AnalogListModel::kColumnCount; ++column) {
    SetColumn(column, titles.at(column), AnalogListModel::ColumnWidth(column),
              AnalogListModel::ColumnAlignment(column));
  }
  const int current = GetCurrentID();
  {
    const QSignalBlocker block(this);
    DeleteAllRows();
    if (m_doc) {
      for (CAnalogCondition* condition : AnalogListModel::AnalogConditions(*m_doc)) {
        AddRow(AnalogListModel::RowTexts(*condition), condition, AnalogListModel::kImage);
      }
    }
  }
  SetCurrentID(current);
  const int row = EntryListRules::RowToSelect(RowIds(), current);
  if (row >= 0) SelectRow(row);
}

void CAnalogDlgView::NewAnalogCondition() {
  if (!m_doc) return;
  if (CAnalogCondition* condition = AnalogListModel::NewAnalogCondition(*m_doc)) SetCurrentID(condition->GetID());
}

void CAnalogDlgView::TransferAllAnalogConditions(bool bUpload) { TransferAllEntries(bUpload); }

void CAnalogDlgView::EditCell(int row, int column) {
  ResetHover();
  CAnalogCondition* condition = AnalogAt(row);
  if (!condition) return;
  switch (AnalogListModel::EditOf(column)) {
    case AnalogListModel::Edit::Select: {
      const std::optional<ListChoice> choice = Choose({AnalogListModel::kSelectInput, CellText(row, column), 0, false});
      // The range check may have gone while the dialog was open.
      if (!choice || AnalogAt(row) != condition) return;
      AnalogListModel::ApplyChoice(*condition, column, choice->number);
      FillList();
      break;
    }
    case AnalogListModel::Edit::InPlace: OpenEditor(row, column); break;
    case AnalogListModel::Edit::None: break;
  }
}

bool CAnalogDlgView::BeginLabelEdit(int row, int column) {
  if (!AnalogListModel::CanEditLabel(column) || !AnalogAt(row)) return false;
  ResetHover();
  OpenEditor(row, column);
  return CurrentEditor() != nullptr;
}

void CAnalogDlgView::ApplyText(int row, int column, const QString& text) {
  if (CAnalogCondition* entry = AnalogAt(row)) AnalogListModel::ApplyText(*entry, column, text);
}
