#include "editors/lists/ccombinedlgview.h"

#include "editors/lists/centrylisttransfer.h"
#include "editors/lists/combinelistmodel.h"
#include "editors/lists/entrylistkind.h"
#include "editors/lists/entrylistrules.h"
#include "logic/ccombinecondition.h"
#include "model/cselvantisdoc.h"
#include "shell/controls/cinplaceedit.h"

#include <QApplication>

CCombineDlgView::CCombineDlgView(CSelvantisDoc* doc, QWidget* parent) : CEBListView(parent), m_doc(doc) {
  EnableRowEditing();
  OnInitialUpdate(CombineListModel::kColumnCount);
  if (m_doc) {
    connect(m_doc, &CSelvantisDoc::objectAboutToBeRemoved, this, [this](CBaseDevice* object) {
      for (int row = RowCount() - 1; row >= 0; --row) {
        if (ObjectAt(row) == object) delete topLevelItem(row);
      }
    });
  }
}

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

void CCombineDlgView::TransferAllCombineConditions(bool bUpload) {
  if (!m_doc) return;
  CEntryListTransfer transfer(*m_doc, entrylists::kCombine);
  transfer.TransferAll(bUpload, GetProgressHandler());
}

void CCombineDlgView::TransferSelected(bool bUpload) {
  const CCombineCondition* condition = CombinationAt(FirstSelectedRow());
  if (!condition || !m_doc) return;
  const int id = condition->GetID();
  CEntryListTransfer transfer(*m_doc, entrylists::kCombine);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  transfer.TransferEntry(bUpload, id);
  QApplication::restoreOverrideCursor();
  if (bUpload) FillList();
}

void CCombineDlgView::OnDeviceCommand(uint32_t id) {
  if (id == EntryListRules::kDeviceDownload) TransferSelected(false);
  if (id == EntryListRules::kDeviceUpload) TransferSelected(true);
}

std::optional<ListChoice> CCombineDlgView::Choose(const ListChoiceRequest& request) {
  if (m_chooser) return m_chooser(request);
  return RunSelectionDialog(this, m_doc, request);
}

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
  return m_editor != nullptr;
}

void CCombineDlgView::OpenEditor(int row, int column) {
  if (m_editor) return;
  auto* edit = new CInPlaceEdit(row, column, CellText(row, column), viewport(), CellRect(row, column));
  m_editor = edit;
  connect(edit, &CInPlaceEdit::endEdit, this, &CCombineDlgView::OnEndLabelEdit);
}

void CCombineDlgView::OnEndLabelEdit(int row, int column, const QString& text, bool cancelled) {
  m_editor = nullptr;
  if (!cancelled && !text.isNull()) {
    if (CCombineCondition* condition = CombinationAt(row)) CombineListModel::ApplyText(*condition, column, text);
  }
  FillList();
}

uint32_t CCombineDlgView::DeleteCommand() const { return entrylists::kCombine.deleteCommand; }
