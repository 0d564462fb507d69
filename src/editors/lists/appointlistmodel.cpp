#include "editors/lists/appointlistmodel.h"

#include "editors/lists/calendarcelltext.h"
#include "logic/cappoint.h"
#include "logic/logicstrings.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/ctext.h"

#include <memory>

namespace {

constexpr uint32_t kTitleIds[AppointListModel::kColumnCount] = {IDS_EVENT, 34244, 34234, 34233, 34232, 32806};
constexpr int kWidths[AppointListModel::kColumnCount] = {160, 30, 100, 140, 140, 160};
constexpr int kColumnTime = 0;
constexpr int kColumnDate = 1;
constexpr int kColumnRepetition = 2;
constexpr int kColumnMacro = 3;

}  // namespace

QStringList AppointListModel::ColumnTitles() {
  QStringList titles;
  for (uint32_t id : kTitleIds) titles << LoadString(id);
  return titles;
}

int AppointListModel::ColumnWidth(int column) { return column >= 0 && column < kColumnCount ? kWidths[column] : 150; }

Qt::Alignment AppointListModel::ColumnAlignment(int column) { return column == kId ? Qt::AlignRight : Qt::AlignLeft; }

std::vector<CAppoint*> AppointListModel::Appointments(const CSelvantisDoc& doc) {
  std::vector<CBaseDevice*> objects;
  doc.GetIDManager().GetBaseDeviceList(objects, DT_APPOINT);
  std::vector<CAppoint*> appoints;
  for (CBaseDevice* object : objects) {
    if (auto* appoint = dynamic_cast<CAppoint*>(object)) appoints.push_back(appoint);
  }
  return appoints;
}

QStringList AppointListModel::RowTexts(const CAppoint& appoint) {
  QString function, date, time, macro;
  appoint.GetColumnText(function, kColumnRepetition);
  appoint.GetColumnText(date, kColumnDate);
  appoint.GetColumnText(time, kColumnTime);
  appoint.GetColumnText(macro, kColumnMacro);
  return {appoint.GetName(), appoint.GetIDString(), function, date, time, macro};
}

AppointListModel::Edit AppointListModel::EditOf(int column) {
  switch (column) {
    case kFunction:
    case kMacro: return Edit::Select;
    case kDate: return Edit::Date;
    case kTime: return Edit::Time;
    default: return Edit::None;
  }
}

uint32_t AppointListModel::SelectionKindOf(int column) {
  if (column == kFunction) return IDS_EVENT;
  if (column == kMacro) return kSelectMacro;
  return 0;
}

QString AppointListModel::PickerText(const CAppoint& appoint, int column) {
  if (column == kDate) return CalendarCellText::PickerDate(appoint.GetTime());
  if (column == kTime) return CalendarCellText::PickerTime(appoint.GetTime());
  return QString();
}

bool AppointListModel::ApplyChoice(CAppoint& appoint, int column, int value) {
  if (column == kFunction) {
    const int before = appoint.GetRepetition();
    appoint.SetValue(kColumnRepetition, value);
    return appoint.GetRepetition() != before;
  }
  if (column == kMacro) {
    appoint.SetValue(kColumnMacro, value);
    return true;
  }
  return false;
}

bool AppointListModel::ApplyText(CAppoint& appoint, int column, const QString& text) {
  switch (column) {
    case kName: return appoint.SetUniqueName(text, true);
    case kDate: {
      // The time of day is the appointment's own, not a re-read of the time
      // cell: a cell text may lack the seconds.
      const QDate date = CalendarCellText::ParseDate(text);
      if (!date.isValid()) return false;
      // A new date marks the project modified, as any edit: unsaved, it would be lost.
      appoint.SetValue(kColumnDate, CalendarCellText::WithDate(appoint.GetTime(), date));
      return true;
    }
    case kTime: {
      const QTime time = CalendarCellText::ParseTime(text);
      if (!time.isValid()) return false;
      appoint.SetValue(kColumnTime, CalendarCellText::WithTime(appoint.GetTime(), time));
      return true;
    }
    default: return false;
  }
}

CAppoint* AppointListModel::NewAppointment(CSelvantisDoc& doc) {
  auto appoint = std::make_unique<CAppoint>();
  if (!appoint->CreateOnCanvas(CAppoint::kKindEvent, 1, 1, QString(), QRect(), CAT_CALENDAR, 0,
                               CBaseDevice::TF_NAME | CBaseDevice::TF_BELOW, &doc)) {
    return nullptr;
  }
  appoint->SetUniqueName(FormatText(QStringLiteral("%s %d"), {LoadString(IDS_EVENT), appoint->GetID()}), true);
  return static_cast<CAppoint*>(doc.AddObject(std::move(appoint)));
}
