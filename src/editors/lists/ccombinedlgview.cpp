#include "editors/lists/ccombinedlgview.h"

#include "editors/lists/combinelistmodel.h"
#include "editors/lists/entrylistkind.h"
#include "editors/lists/entrylistrules.h"
#include "logic/ccombinecondition.h"
#include "model/cselvantisdoc.h"

CCombineDlgView::CCombineDlgView(CSelvantisDoc* doc, QWidget* parent)
    : CEntryDlgView(doc, entrylists::kCombine, CombineListModel::kColumnCount, parent) {}

CCombineCondition* CCombineDlgView::CombinationAt(int row) const {
  return dynamic_cast<CCombineCondition*>(ObjectAt(row));
}

void CCombineDlgView::FillList() {
  const QStringList titles = CombineListModel::ColumnTitles();
  for (int column = 0; column < CombineListModel::kColumnCount; ++column) {
    SetColumn(column, titles.at(column), CombineListModel::ColumnWidth(column),
              CombineListModel::ColumnAlignment(column));
  }
  const int current = GetCurrentID();
  {
    const QSignalBlocker block(this);
    DeleteAllRows();
    if (m_doc) {
      for (CCombineCondition* combination : CombineListModel::Combinations(*m_doc)) {
        for (int k = 0; k < CombineListModel::kRowsPerEntry; ++k) {
          AddRow(CombineListModel::RowTexts(*combination, k), combination, CombineListModel::ImageOf(k));
        }
      }
    }
  }
  SetCurrentID(current);
  const int row = CombineListModel::RowToSelect(RowIds(), current);
  if (row >= 0) SelectRow(row);
}

bool CCombineDlgView::DeleteCombineCondition() {
  const int row = FirstSelectedRow();
  CCombineCondition* combination = CombinationAt(row);
  if (!combination) return false;
  // The successor is taken before the delete: the rows of the combination
  // leave the list while it goes.
  const int next = CombineListModel::CurrentAfterDelete(RowIds(), row, GetCurrentID());
  setFocus();
  combination->OnCommand(EntryListRules::kDeleteObjectCommand);
  SetCurrentID(next);
  return true;
}

void CCombineDlgView::NewCombineCondition() {
  if (!m_doc) return;
  if (CCombineCondition* condition = CombineListModel::NewCombineCondition(*m_doc)) SetCurrentID(condition->GetID());
}

void CCombineDlgView::TransferAllCombineConditions(bool bUpload) { TransferAllEntries(bUpload); }

void CCombineDlgView::EditCell(int row, int column) {
  ResetHover();
  CCombineCondition* combination = CombinationAt(row);
  if (!combination) return;
  const int field = CombineListModel::FieldOf(row, column);
  const uint32_t kind = CombineListModel::KindOf(column);
  if (field < 0 || kind == 0) return;
  if (kind == CombineListModel::kSelectInvert) {
    CombineListModel::ToggleInvert(*combination, field);
    FillList();
    return;
  }
  QString current;
  combination->GetColumnText(current, field);
  const std::optional<ListChoice> choice = Choose({kind, current, combination->GetValue(field), false});
  // The combination may have gone while the dialog was open.
  if (!choice || CombinationAt(row) != combination) return;
  CombineListModel::ApplyChoice(*combination, field, choice->number);
  FillList();
}

bool CCombineDlgView::BeginLabelEdit(int row, int column) {
  if (!CombineListModel::CanEditLabel(column) || !CombinationAt(row)) return false;
  ResetHover();
  OpenEditor(row, column);
  return CurrentEditor() != nullptr;
}

void CCombineDlgView::ApplyText(int row, int column, const QString& text) {
  if (CCombineCondition* entry = CombinationAt(row)) CombineListModel::ApplyText(*entry, column, text);
}
