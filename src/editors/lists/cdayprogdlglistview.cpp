#include "editors/lists/cdayprogdlglistview.h"

#include "editors/lists/calendarlistkinds.h"
#include "editors/lists/dayproglistmodel.h"
#include "editors/lists/entrylistrules.h"
#include "logic/cdayprog.h"
#include "model/cselvantisdoc.h"

#include <QSignalBlocker>

CDayprogDlgListView::CDayprogDlgListView(CSelvantisDoc* doc, QWidget* parent)
    : CCalendarListView(doc, calendarlists::kDayprog, parent) {
  OnInitialUpdate(DayprogListModel::kColumnCount);
  connect(this, &QTreeWidget::itemSelectionChanged, this, &CDayprogDlgListView::OnSelectionChanged);
}

CDayprog* CDayprogDlgListView::GetCurrentDayprog() const {
  if (!GetDocument() || GetCurrentID() == 0) return nullptr;
  return dynamic_cast<CDayprog*>(GetDocument()->GetIDManager().FindBaseDevice(GetCurrentID(), DT_DAYPROG));
}

void CDayprogDlgListView::FillList() {
  const QStringList titles = DayprogListModel::ColumnTitles();
  for (int column = 0; column < DayprogListModel::kColumnCount; ++column) {
    SetColumn(column, titles.at(column), DayprogListModel::ColumnWidth(column),
              DayprogListModel::ColumnAlignment(column));
  }
  const int current = GetCurrentID();
  m_filling = true;
  {
    const QSignalBlocker block(this);
    DeleteAllRows();
    if (GetDocument()) {
      for (CDayprog* dayprog : DayprogListModel::Dayprogs(*GetDocument())) {
        AddRow(DayprogListModel::RowTexts(*dayprog), dayprog, DayprogListModel::kImage);
      }
    }
  }
  SetCurrentID(current);
  const int row = EntryListRules::RowToSelect(RowIds(), current);
  if (row >= 0) SelectRow(row);
  m_filling = false;
  // The entry list follows the day program now selected (or none).
  if (m_currentChanged) m_currentChanged();
}

void CDayprogDlgListView::OnSelectionChanged() {
  if (m_filling) return;
  QTreeWidgetItem* item = currentItem();
  if (item && item->isSelected() && m_currentChanged) m_currentChanged();
}

void CDayprogDlgListView::NewDayprog() {
  if (!GetDocument()) return;
  if (CDayprog* dayprog = DayprogListModel::NewDayprog(*GetDocument())) SetCurrentID(dayprog->GetID());
}

bool CDayprogDlgListView::ApplyText(int row, int column, const QString& text) {
  if (column == DayprogListModel::kName) {
    if (CBaseDevice* dayprog = ObjectAt(row)) dayprog->SetUniqueName(text, true);
  }
  return true;
}
