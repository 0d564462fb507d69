#include "editors/lists/clogicoutdlgview.h"

#include "editors/lists/centrylisttransfer.h"
#include "editors/lists/entrylistrules.h"
#include "editors/lists/logicoutlistmodel.h"
#include "logic/clogicout.h"
#include "model/cselvantisdoc.h"

#include <QApplication>
#include <QPointer>
#include <QSignalBlocker>

CLogicOutDlgView::CLogicOutDlgView(CSelvantisDoc* doc, QWidget* parent)
    : CLogicEntryListView(doc, LogicOutListModel::kColumnCount, LogicOutListModel::kKind.deleteCommand, parent) {}

CLogicOut* CLogicOutDlgView::LogicOutAt(int row) const { return dynamic_cast<CLogicOut*>(ObjectAt(row)); }

void CLogicOutDlgView::FillList() {
  const QStringList titles = LogicOutListModel::ColumnTitles();
  for (int column = 0; column < LogicOutListModel::kColumnCount; ++column) {
    SetColumn(column, titles.at(column), LogicOutListModel::ColumnWidth(column),
              LogicOutListModel::ColumnAlignment(column));
  }
  const int current = GetCurrentID();
  {
    const QSignalBlocker block(this);
    DeleteAllRows();
    if (GetDocument()) {
      for (CLogicOut* out : LogicOutListModel::LogicOuts(*GetDocument())) {
        AddRow(LogicOutListModel::RowTexts(*out), out, LogicOutListModel::kImage);
      }
    }
  }
  SetCurrentID(current);
  const int row = EntryListRules::RowToSelect(RowIds(), current);
  if (row >= 0) SelectRow(row);
}

void CLogicOutDlgView::NewLogicOut() {
  if (!GetDocument()) return;
  if (CLogicOut* out = LogicOutListModel::NewLogicOut(*GetDocument())) SetCurrentID(out->GetID());
}

void CLogicOutDlgView::TransferAllLogicOuts(bool bUpload) {
  if (!GetDocument()) return;
  CEntryListTransfer transfer(*GetDocument(), LogicOutListModel::kKind);
  transfer.TransferAll(bUpload, GetProgressHandler());
}

void CLogicOutDlgView::TransferSelected(bool bUpload) {
  // Without a selected row nothing is sent: the block's steps of "ID 0"
  // (-3 to 0) carry no line of any logic output, so running them would
  // only lock and unlock the unit's macros around an empty transfer.
  const CLogicOut* out = LogicOutAt(FirstSelectedRow());
  if (!out || !GetDocument()) return;
  CEntryListTransfer transfer(*GetDocument(), LogicOutListModel::kKind);
  const QPointer<CLogicOutDlgView> self(this);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  transfer.TransferEntry(bUpload, out->GetID());
  QApplication::restoreOverrideCursor();
  // The transfer lets events in: the list may have gone.
  if (self && bUpload) FillList();
}

void CLogicOutDlgView::OnDeviceCommand(uint32_t id) {
  if (id == EntryListRules::kDeviceDownload) TransferSelected(false);
  if (id == EntryListRules::kDeviceUpload) TransferSelected(true);
}

void CLogicOutDlgView::EditCell(int row, int column) {
  ResetHover();
  CLogicOut* out = LogicOutAt(row);
  if (!out) return;
  switch (LogicOutListModel::EditOf(column)) {
    case LogicOutListModel::Edit::Select: {
      const std::optional<int> id = Choose(LogicOutListModel::SelectionKindOf(column), CellText(row, column));
      // The logic output may have gone while the dialog was open.
      if (!id || LogicOutAt(row) != out) return;
      LogicOutListModel::ApplyChoice(*out, column, *id);
      FillList();
      break;
    }
    case LogicOutListModel::Edit::Toggle:
      LogicOutListModel::Toggle(*out, column);
      FillList();
      break;
    case LogicOutListModel::Edit::None: break;
  }
}

void CLogicOutDlgView::OnEndLabelEdit(int row, int column, const QString& text, bool cancelled) {
  if (cancelled || text.isNull()) return;
  if (CLogicOut* out = LogicOutAt(row)) LogicOutListModel::ApplyText(*out, column, text);
  FillList();
}
