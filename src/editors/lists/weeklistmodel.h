#ifndef SELV_EDITORS_LISTS_WEEKLISTMODEL_H
#define SELV_EDITORS_LISTS_WEEKLISTMODEL_H

#include <QString>
#include <QStringList>
#include <Qt>

#include <cstdint>

class CSelvantisDoc;
class CWeek;

// What the week-program list shows: seven fixed rows, Monday to Sunday,
// each with the day program of that day; a day program is chosen from a
// selection in column 1.
class WeekListModel final {
 public:
  enum Column : int { kDay = 0, kDayprog = 1 };
  static constexpr int kColumnCount = 2;
  static constexpr int kDays = 7;
  static constexpr int kImage = 23;
  static constexpr uint32_t kSelectDayprog = 34119;  // "Daily Program"

  static QStringList ColumnTitles();
  static int ColumnWidth(int column);
  static Qt::Alignment ColumnAlignment(int column) {
    (void)column;
    return Qt::AlignLeft;
  }

  // The project's week program, or null when it lacks one.
  static CWeek* Week(const CSelvantisDoc& doc);
  static QString DayName(int day);
  // The cells of day d; the day-program cell is empty without a week
  // program.
  static QStringList RowTexts(const CWeek* week, int day);

  // Only the day-program column is chosen.
  static bool IsChoiceColumn(int column) { return column == kDayprog; }
  // Links day d to the chosen day program; false for a day outside 0..6.
  static bool ApplyChoice(CWeek& week, int day, int dayprogId);
};

#endif
