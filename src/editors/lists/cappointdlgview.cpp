#include "editors/lists/cappointdlgview.h"

#include "editors/lists/appointlistmodel.h"
#include "editors/lists/calendarlistkinds.h"
#include "editors/lists/entrylistrules.h"
#include "logic/cappoint.h"
#include "logic/logicstrings.h"
#include "model/cselvantisdoc.h"

#include <QSignalBlocker>

CAppointDlgView::CAppointDlgView(CSelvantisDoc* doc, QWidget* parent)
    : CCalendarListView(doc, calendarlists::kAppoint, parent) {
  OnInitialUpdate(AppointListModel::kColumnCount);
}

CAppoint* CAppointDlgView::AppointAt(int row) const { return dynamic_cast<CAppoint*>(ObjectAt(row)); }

void CAppointDlgView::FillList() {
  const QStringList titles = AppointListModel::ColumnTitles();
  for (int column = 0; column < AppointListModel::kColumnCount; ++column) {
    SetColumn(column, titles.at(column), AppointListModel::ColumnWidth(column),
              AppointListModel::ColumnAlignment(column));
  }
  const int current = GetCurrentID();
  {
    const QSignalBlocker block(this);
    DeleteAllRows();
    if (GetDocument()) {
      for (CAppoint* appoint : AppointListModel::Appointments(*GetDocument())) {
        AddRow(AppointListModel::RowTexts(*appoint), appoint, AppointListModel::kImage);
      }
    }
  }
  SetCurrentID(current);
  const int row = EntryListRules::RowToSelect(RowIds(), current);
  if (row >= 0) SelectRow(row);
}

void CAppointDlgView::NewAppointment() {
  if (!GetDocument()) return;
  if (CAppoint* appoint = AppointListModel::NewAppointment(*GetDocument())) SetCurrentID(appoint->GetID());
}

void CAppointDlgView::EditCell(int row, int column) {
  ResetHover();
  CAppoint* appoint = AppointAt(row);
  if (!appoint) return;
  switch (AppointListModel::EditOf(column)) {
    case AppointListModel::Edit::Select: {
      const std::optional<int> value = Choose(AppointListModel::SelectionKindOf(column), CellText(row, column));
      // The appointment may have gone while the dialog was open.
      if (!value || AppointAt(row) != appoint) return;
      AppointListModel::ApplyChoice(*appoint, column, *value);
      FillList();
      break;
    }
    case AppointListModel::Edit::Date:
      OpenPicker(row, column, CellDateTimeFormat::Kind::Date, AppointListModel::PickerText(*appoint, column),
                 AppointListModel::kPickerExtraHeight);
      break;
    case AppointListModel::Edit::Time:
      OpenPicker(row, column, CellDateTimeFormat::Kind::Time, AppointListModel::PickerText(*appoint, column),
                 AppointListModel::kPickerExtraHeight);
      break;
    case AppointListModel::Edit::None: break;
  }
}

bool CAppointDlgView::ApplyText(int row, int column, const QString& text) {
  if (CAppoint* appoint = AppointAt(row)) AppointListModel::ApplyText(*appoint, column, text);
  return true;
}
