#ifndef SELV_EDITORS_LISTS_HOLIDAYLISTMODEL_H
#define SELV_EDITORS_LISTS_HOLIDAYLISTMODEL_H

#include <QString>
#include <QStringList>
#include <Qt>

#include <cstdint>
#include <vector>

class CHoliday;
class CSelvantisDoc;

// What the holiday list shows and how its cells change the holidays: one
// row per holiday program in identifier order; the name edited as the row's
// label, the date and the end of a time range with date pickers, the
// function and the day program chosen from a selection.
class HolidayListModel final {
 public:
  enum Column : int { kName = 0, kId = 1, kFunction = 2, kDate = 3, kUntil = 4, kDayprog = 5 };
  static constexpr int kColumnCount = 6;
  static constexpr int kImage = 22;
  static constexpr uint32_t kSelectDayprog = 34119;  // "Daily Program"
  static constexpr uint32_t kInvalidRange = 34300;   // "No Valid Time Range!"

  enum class Edit { None, Select, Date };
  // How a committed text ended.
  enum class Apply { Changed, Unchanged, RangeRefused };

  static QStringList ColumnTitles();
  static int ColumnWidth(int column);
  static Qt::Alignment ColumnAlignment(int column);

  static std::vector<CHoliday*> Holidays(const CSelvantisDoc& doc);
  static QStringList RowTexts(const CHoliday& holiday);
  // The last day of a time range (the date plus its length in days) in the
  // user's short date form; empty for the other functions.
  static QString UntilText(const CHoliday& holiday);

  static Edit EditOf(int column);
  static uint32_t SelectionKindOf(int column);
  static QString PickerText(const CHoliday& holiday, int column);

  // Column 2 the function (string id), column 5 the day program (ID).
  static bool ApplyChoice(CHoliday& holiday, int column, int value);
  // Column 0 the name; column 3 the date (the length stays, so "until"
  // moves with it); column 4 the end of the range: the length becomes the
  // days from the date, refused (nothing changed, the user told) outside
  // 1 .. 252. A text that is no date changes nothing.
  static Apply ApplyText(CHoliday& holiday, int column, const QString& text);

  static CHoliday* NewHoliday(CSelvantisDoc& doc);
};

#endif
