#include "editors/lists/holidaylistmodel.h"

#include "editors/lists/calendarcelltext.h"
#include "logic/choliday.h"
#include "logic/logicstrings.h"
#include "logic/logictime.h"
#include "model/cmessagesink.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/ctext.h"

#include <QDateTime>

#include <memory>

namespace {

constexpr uint32_t kTitleIds[HolidayListModel::kColumnCount] = {IDS_HOLIDAY_PROGRAM, 34244, 34234, 34233, 34299, 34119};
constexpr int kWidths[HolidayListModel::kColumnCount] = {160, 30, 60, 120, 120, 160};
constexpr int kColumnDate = 0;
constexpr int kColumnFunction = 1;
constexpr int kColumnDays = 2;
constexpr int kColumnDayprog = 3;

int64_t Midnight(const QDate& date) { return MakeLocalTime(date.year(), date.month(), date.day()); }

}  // namespace

QStringList HolidayListModel::ColumnTitles() {
  QStringList titles;
  for (uint32_t id : kTitleIds) titles << LoadString(id);
  return titles;
}

int HolidayListModel::ColumnWidth(int column) { return column >= 0 && column < kColumnCount ? kWidths[column] : 150; }

Qt::Alignment HolidayListModel::ColumnAlignment(int column) { return column == kId ? Qt::AlignRight : Qt::AlignLeft; }

std::vector<CHoliday*> HolidayListModel::Holidays(const CSelvantisDoc& doc) {
  std::vector<CBaseDevice*> objects;
  doc.GetIDManager().GetBaseDeviceList(objects, DT_HOLIDAY);
  std::vector<CHoliday*> holidays;
  for (CBaseDevice* object : objects) {
    if (auto* holiday = dynamic_cast<CHoliday*>(object)) holidays.push_back(holiday);
  }
  return holidays;
}

QString HolidayListModel::UntilText(const CHoliday& holiday) {
  if (holiday.GetValue(kColumnFunction) != IDS_TIME_RANGE) return QString();
  const QDate first = CalendarCellText::DateOf(holiday.GetValue(kColumnDate));
  const QDate last = first.addDays(holiday.GetValue(kColumnDays));
  // The same form as the date column.
  return FormatLocaleDate(Midnight(last));
}

QStringList HolidayListModel::RowTexts(const CHoliday& holiday) {
  QString function, date, dayprog;
  holiday.GetColumnText(function, kColumnFunction);
  holiday.GetColumnText(date, kColumnDate);
  holiday.GetColumnText(dayprog, kColumnDayprog);
  return {holiday.GetName(), holiday.GetIDString(), function, date, UntilText(holiday), dayprog};
}

HolidayListModel::Edit HolidayListModel::EditOf(int column) {
  switch (column) {
    case kFunction:
    case kDayprog: return Edit::Select;
    case kDate:
    case kUntil: return Edit::Date;
    default: return Edit::None;
  }
}

uint32_t HolidayListModel::SelectionKindOf(int column) {
  if (column == kFunction) return IDS_HOLIDAY_PROGRAM;
  if (column == kDayprog) return kSelectDayprog;
  return 0;
}

QString HolidayListModel::PickerText(const CHoliday& holiday, int column) {
  const int64_t date = holiday.GetValue(kColumnDate);
  if (column == kDate) return CalendarCellText::PickerDate(date);
  if (column == kUntil) {
    const QDate last = CalendarCellText::DateOf(date).addDays(holiday.GetValue(kColumnDays));
    return CalendarCellText::PickerDate(Midnight(last));
  }
  return QString();
}

bool HolidayListModel::ApplyChoice(CHoliday& holiday, int column, int value) {
  if (column == kFunction) {
    const int64_t before = holiday.GetValue(kColumnFunction);
    holiday.SetValue(kColumnFunction, value);
    return holiday.GetValue(kColumnFunction) != before;
  }
  if (column == kDayprog) {
    holiday.SetValue(kColumnDayprog, value);
    return true;
  }
  return false;
}

HolidayListModel::Apply HolidayListModel::ApplyText(CHoliday& holiday, int column, const QString& text) {
  switch (column) {
    case kName: return holiday.SetUniqueName(text, true) ? Apply::Changed : Apply::Unchanged;
    case kDate: {
      const QDate date = CalendarCellText::ParseDate(text);
      if (!date.isValid()) return Apply::Unchanged;
      holiday.SetValue(kColumnDate, Midnight(date));
      return Apply::Changed;
    }
    case kUntil: {
      const QDate last = CalendarCellText::ParseDate(text);
      if (!last.isValid()) return Apply::Unchanged;
      // Whole calendar days: a change of daylight-saving time between the
      // two dates does not make a fraction of a day.
      const int64_t days = CalendarCellText::DateOf(holiday.GetValue(kColumnDate)).daysTo(last);
      if (days < CHoliday::kMinDays || days > CHoliday::kMaxDays) {
        AfxMessageBox(kInvalidRange, MB_OK);
        return Apply::RangeRefused;
      }
      holiday.SetValue(kColumnDays, days);
      return Apply::Changed;
    }
    default: return Apply::Unchanged;
  }
}

CHoliday* HolidayListModel::NewHoliday(CSelvantisDoc& doc) {
  auto holiday = std::make_unique<CHoliday>();
  if (!holiday->CreateOnCanvas(CHoliday::kKindHoliday, 1, 1, QString(), QRect(), CAT_CALENDAR, 0,
                               CBaseDevice::TF_NAME | CBaseDevice::TF_BELOW, &doc)) {
    return nullptr;
  }
  holiday->SetUniqueName(FormatText(QStringLiteral("%s %d"), {LoadString(IDS_HOLIDAY_PROGRAM), holiday->GetID()}),
                         true);
  return static_cast<CHoliday*>(doc.AddObject(std::move(holiday)));
}
