#include "editors/lists/cdayprogdlgentryview.h"

#include "editors/lists/calendarlistkinds.h"
#include "editors/lists/dayproglistmodel.h"
#include "logic/cdayprog.h"
#include "model/cselvantisdoc.h"

#include <QSignalBlocker>

CDayprogDlgEntryView::CDayprogDlgEntryView(CSelvantisDoc* doc, DayprogSource source, QWidget* parent)
    : CCalendarListView(doc, calendarlists::kDayprog, parent), m_source(std::move(source)) {
  OnInitialUpdate(DayprogListModel::kEntryColumnCount);
  connect(this, &QTreeWidget::itemSelectionChanged, this, &CDayprogDlgEntryView::OnSelectionChanged);
}

int CDayprogDlgEntryView::EntryNumberAt(int row) const {
  return row >= 0 && row < static_cast<int>(m_numbers.size()) ? m_numbers[static_cast<size_t>(row)] : 0;
}

// Never over the entry number. Over the macro the box opens as over the
// time, but what is typed there changes nothing: the macro is chosen from
// the selection a double click opens.
bool CDayprogDlgEntryView::CanEditLabel(int row, int column) const {
  return column != DayprogListModel::kEntryNumber && EntryNumberAt(row) != 0;
}

bool CDayprogDlgEntryView::BeginLabelEdit(int row, int column) {
  CDayprog* dayprog = Current();
  if (!dayprog || !CanEditLabel(row, column) || CurrentEditor()) return false;
  if (!CCalendarListView::BeginLabelEdit(row, column)) return false;
  // The typed time goes to this entry, as the picker's does.
  m_editDayprogId = dayprog->GetID();
  m_editNumber = EntryNumberAt(row);
  return true;
}

void CDayprogDlgEntryView::FillList() {
  const QStringList titles = DayprogListModel::EntryColumnTitles();
  for (int column = 0; column < DayprogListModel::kEntryColumnCount; ++column) {
    SetColumn(column, titles.at(column), DayprogListModel::EntryColumnWidth(column),
              DayprogListModel::EntryColumnAlignment(column));
  }
  m_filling = true;
  {
    const QSignalBlocker block(this);
    DeleteAllRows();
    m_numbers.clear();
    for (const DayprogListModel::EntryRow& row : DayprogListModel::EntryRows(Current())) {
      AddRow(row.cells, nullptr, DayprogListModel::kImage);
      m_numbers.push_back(row.number);
    }
  }
  m_filling = false;
  // A remembered row past the end selects nothing.
  if (m_selectedRow >= 0 && m_selectedRow < RowCount()) SelectRow(m_selectedRow);
}

void CDayprogDlgEntryView::OnSelectionChanged() {
  if (m_filling) return;
  QTreeWidgetItem* item = currentItem();
  if (item && item->isSelected()) m_selectedRow = indexOfTopLevelItem(item);
}

void CDayprogDlgEntryView::NewEntry() {
  if (CDayprog* dayprog = Current()) DayprogListModel::NewEntry(*dayprog);
}

void CDayprogDlgEntryView::DeleteEntry() {
  CDayprog* dayprog = Current();
  const int number = EntryNumberAt(FirstSelectedRow());
  if (dayprog && number > 0) DayprogListModel::DeleteEntry(*dayprog, number);
}

void CDayprogDlgEntryView::EditCell(int row, int column) {
  ResetHover();
  CDayprog* dayprog = Current();
  const int number = EntryNumberAt(row);
  if (!dayprog || number == 0) return;
  if (column == DayprogListModel::kEntryTime) {
    if (CurrentEditor()) return;
    m_editDayprogId = dayprog->GetID();
    m_editNumber = number;
    OpenPicker(row, column, CellDateTimeFormat::Kind::Time, DayprogListModel::PickerTime(*dayprog, number));
  } else if (column == DayprogListModel::kEntryMacro) {
    const std::optional<int> id = Choose(DayprogListModel::kSelectMacro, CellText(row, column));
    // The day program may have gone while the dialog was open.
    if (!id || (Current()) != dayprog) return;
    DayprogListModel::ApplyMacro(*dayprog, number, *id);
    FillList();
  }
}

bool CDayprogDlgEntryView::ApplyText(int row, int column, const QString& text) {
  (void)row;
  CDayprog* dayprog = Current();
  // Only into the entry the picker was opened for.
  if (dayprog && dayprog->GetID() == m_editDayprogId && column == DayprogListModel::kEntryTime) {
    DayprogListModel::ApplyTime(*dayprog, m_editNumber, text);
  }
  m_editDayprogId = 0;
  m_editNumber = 0;
  return true;
}
