#include "editors/lists/canalogdlgview.h"

#include "editors/lists/analoglistmodel.h"
#include "editors/lists/centrylisttransfer.h"
#include "editors/lists/entrylistkind.h"
#include "editors/lists/entrylistrules.h"
#include "logic/canalogcondition.h"
#include "model/cselvantisdoc.h"
#include "shell/controls/cinplaceedit.h"

#include <QApplication>

CAnalogDlgView::CAnalogDlgView(CSelvantisDoc* doc, QWidget* parent) : CEBListView(parent), m_doc(doc) {
  EnableRowEditing();
  OnInitialUpdate(AnalogListModel::kColumnCount);
  if (m_doc) {
    connect(m_doc, &CSelvantisDoc::objectAboutToBeRemoved, this, [this](CBaseDevice* object) {
      for (int row = RowCount() - 1; row >= 0; --row) {
        if (ObjectAt(row) == object) delete topLevelItem(row);
      }
    });
  }
}

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

void CAnalogDlgView::TransferAllAnalogConditions(bool bUpload) {
  if (!m_doc) return;
  CEntryListTransfer transfer(*m_doc, entrylists::kAnalog);
  transfer.TransferAll(bUpload, GetProgressHandler());
}

void CAnalogDlgView::TransferSelected(bool bUpload) {
  const CAnalogCondition* condition = AnalogAt(FirstSelectedRow());
  if (!condition || !m_doc) return;
  const int id = condition->GetID();
  CEntryListTransfer transfer(*m_doc, entrylists::kAnalog);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  transfer.TransferEntry(bUpload, id);
  QApplication::restoreOverrideCursor();
  if (bUpload) FillList();
}

void CAnalogDlgView::OnDeviceCommand(uint32_t id) {
  if (id == EntryListRules::kDeviceDownload) TransferSelected(false);
  if (id == EntryListRules::kDeviceUpload) TransferSelected(true);
}

std::optional<ListChoice> CAnalogDlgView::Choose(const ListChoiceRequest& request) {
  if (m_chooser) return m_chooser(request);
  return RunSelectionDialog(this, m_doc, request);
}

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
  return m_editor != nullptr;
}

void CAnalogDlgView::OpenEditor(int row, int column) {
  if (m_editor) return;
  auto* edit = new CInPlaceEdit(row, column, CellText(row, column), viewport(), CellRect(row, column));
  m_editor = edit;
  connect(edit, &CInPlaceEdit::endEdit, this, &CAnalogDlgView::OnEndLabelEdit);
}

void CAnalogDlgView::OnEndLabelEdit(int row, int column, const QString& text, bool cancelled) {
  m_editor = nullptr;
  if (!cancelled && !text.isNull()) {
    if (CAnalogCondition* condition = AnalogAt(row)) AnalogListModel::ApplyText(*condition, column, text);
  }
  FillList();
}

uint32_t CAnalogDlgView::DeleteCommand() const { return entrylists::kAnalog.deleteCommand; }
