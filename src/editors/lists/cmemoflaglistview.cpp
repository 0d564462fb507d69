#include "editors/lists/cmemoflaglistview.h"

#include "editors/lists/entrylistrules.h"
#include "editors/lists/memoflaglistmodel.h"
#include "link/idevicelink.h"
#include "logic/cmemoflag.h"
#include "model/cselvantisdoc.h"

#include <QContextMenuEvent>
#include <QSignalBlocker>

CMemoFlagListView::CMemoFlagListView(CSelvantisDoc* doc, QWidget* parent)
    : CLogicEntryListView(doc, MemoFlagListModel::kColumnCount, MemoFlagListModel::kKind.deleteCommand, parent) {
  EnableStatusPoll(MemoFlagListModel::kState);
}

CMemoFlag* CMemoFlagListView::MemoFlagAt(int row) const { return dynamic_cast<CMemoFlag*>(ObjectAt(row)); }

void CMemoFlagListView::FillList() {
  const QStringList titles = MemoFlagListModel::ColumnTitles();
  for (int column = 0; column < MemoFlagListModel::kColumnCount; ++column) {
    SetColumn(column, titles.at(column), MemoFlagListModel::ColumnWidth(column),
              MemoFlagListModel::ColumnAlignment(column));
  }
  StopStatusPoll();
  const int current = GetCurrentID();
  {
    const QSignalBlocker block(this);
    DeleteAllRows();
    if (GetDocument()) {
      for (CMemoFlag* flag : MemoFlagListModel::MemoFlags(*GetDocument())) {
        AddRow(MemoFlagListModel::RowTexts(*flag), flag, MemoFlagListModel::kImage);
      }
    }
  }
  SetCurrentID(current);
  const int row = EntryListRules::RowToSelect(RowIds(), current);
  if (row >= 0) SelectRow(row);
}

void CMemoFlagListView::NewMemoFlag() {
  if (!GetDocument()) return;
  if (CMemoFlag* flag = MemoFlagListModel::NewMemoFlag(*GetDocument())) SetCurrentID(flag->GetID());
}

void CMemoFlagListView::EditCell(int row, int column) {
  ResetHover();
  if (MemoFlagListModel::CanEditInPlace(column) && MemoFlagAt(row)) OpenEditor(row, column);
}

void CMemoFlagListView::OnEndLabelEdit(int row, int column, const QString& text, bool cancelled) {
  if (cancelled || text.isNull()) return;
  CMemoFlag* flag = MemoFlagAt(row);
  if (!flag) return;
  if (column == MemoFlagListModel::kName) {
    MemoFlagListModel::Rename(*flag, text);
  } else if (column == MemoFlagListModel::kId) {
    const std::optional<int> id = MemoFlagListModel::Renumber(*flag, text);
    // A taken identifier is refused quietly; the row still shows the old one.
    if (!id) return;
    SetCurrentID(*id);
  } else {
    return;
  }
  FillList();
}

void CMemoFlagListView::PollStatus() {
  const QString reply = GetDeviceLink()->SendAndRead(MemoFlagListModel::StateQuery(), StatusPollColumn::kReplyWaitMs);
  const BitSet states = MemoFlagListModel::ParseStates(reply);
  for (int row = 0; row < RowCount(); ++row) {
    const CBaseDevice* object = ObjectAt(row);
    if (!object) continue;
    topLevelItem(row)->setText(MemoFlagListModel::kState, MemoFlagListModel::StateText(states, object->GetID()));
  }
}

void CMemoFlagListView::contextMenuEvent(QContextMenuEvent* event) { event->accept(); }
