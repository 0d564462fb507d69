#include "editors/lists/weeklistmodel.h"

#include "logic/cweek.h"
#include "logic/logicstrings.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"

namespace {

constexpr uint32_t kDayNameIds[WeekListModel::kDays] = {34414, 34415, 34416, 34417, 34418, 34419, 34420};
constexpr int kWidths[WeekListModel::kColumnCount] = {160, 260};

}  // namespace

QStringList WeekListModel::ColumnTitles() { return {LoadString(34452), LoadString(IDS_DAILY_PROGRAM)}; }

int WeekListModel::ColumnWidth(int column) { return column >= 0 && column < kColumnCount ? kWidths[column] : 150; }

CWeek* WeekListModel::Week(const CSelvantisDoc& doc) {
  return dynamic_cast<CWeek*>(doc.GetIDManager().FindBaseDevice(1, DT_WEEK));
}

QString WeekListModel::DayName(int day) { return day >= 0 && day < kDays ? LoadString(kDayNameIds[day]) : QString(); }

QStringList WeekListModel::RowTexts(const CWeek* week, int day) {
  QString dayprog;
  if (week) week->GetColumnText(dayprog, day);
  return {DayName(day), dayprog};
}

bool WeekListModel::ApplyChoice(CWeek& week, int day, int dayprogId) {
  if (day < 0 || day >= kDays) return false;
  week.SetValue(day, dayprogId);
  return true;
}
