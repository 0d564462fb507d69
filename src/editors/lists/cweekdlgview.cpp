#include "editors/lists/cweekdlgview.h"

#include "editors/lists/calendarlistkinds.h"
#include "editors/lists/weeklistmodel.h"
#include "logic/cweek.h"
#include "model/cselvantisdoc.h"

#include <QSignalBlocker>

CWeekDlgView::CWeekDlgView(CSelvantisDoc* doc, QWidget* parent) : CCalendarListView(doc, calendarlists::kWeek, parent) {
  OnInitialUpdate(WeekListModel::kColumnCount);
  SetColumn(1, QString(), kDefaultColumnWidth, Qt::AlignLeft);
  connect(this, &QTreeWidget::itemSelectionChanged, this, &CWeekDlgView::OnSelectionChanged);
}

CWeek* CWeekDlgView::Week() const { return GetDocument() ? WeekListModel::Week(*GetDocument()) : nullptr; }

// The weekday names are not the user's to change.
bool CWeekDlgView::CanEditLabel(int row, int column) const {
  (void)row, (void)column;
  return false;
}

void CWeekDlgView::FillList() {
  const QStringList titles = WeekListModel::ColumnTitles();
  for (int column = 0; column < WeekListModel::kColumnCount; ++column) {
    SetColumn(column, titles.at(column), WeekListModel::ColumnWidth(column), WeekListModel::ColumnAlignment(column));
  }
  CWeek* week = Week();
  m_filling = true;
  {
    const QSignalBlocker block(this);
    DeleteAllRows();
    for (int day = 0; day < WeekListModel::kDays; ++day) {
      AddRow(WeekListModel::RowTexts(week, day), week, WeekListModel::kImage);
    }
  }
  m_filling = false;
  if (QTreeWidgetItem* item = topLevelItem(m_selectedRow)) {
    setCurrentItem(item, 0, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  }
}

void CWeekDlgView::OnSelectionChanged() {
  if (m_filling) return;
  QTreeWidgetItem* item = currentItem();
  if (item && item->isSelected()) m_selectedRow = indexOfTopLevelItem(item);
}

void CWeekDlgView::EditCell(int row, int column) {
  ResetHover();
  if (!WeekListModel::IsChoiceColumn(column) || row < 0 || row >= WeekListModel::kDays) return;
  CWeek* week = Week();
  if (!week) return;
  const std::optional<int> id = Choose(WeekListModel::kSelectDayprog, CellText(row, column));
  // The week program may have gone with its project while the dialog was open.
  if (!id || Week() != week) return;
  WeekListModel::ApplyChoice(*week, row, *id);
  FillList();
}
