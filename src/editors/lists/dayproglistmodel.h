#ifndef SELV_EDITORS_LISTS_DAYPROGLISTMODEL_H
#define SELV_EDITORS_LISTS_DAYPROGLISTMODEL_H

#include <QString>
#include <QStringList>
#include <Qt>

#include <cstdint>
#include <vector>

class CDayprog;
class CSelvantisDoc;

// What the day-program editor shows: on the left the day programs (name,
// ID, used entries), on the right the used entries of one day program
// (number, time, macro). Entries are numbered from 1; the day program's
// getters take the index (number - 1), its SetValue the number.
class DayprogListModel final {
 public:
  // Left list.
  enum Column : int { kName = 0, kId = 1, kEntries = 2 };
  static constexpr int kColumnCount = 3;
  // Right list.
  enum EntryColumn : int { kEntryNumber = 0, kEntryTime = 1, kEntryMacro = 2 };
  static constexpr int kEntryColumnCount = 3;
  static constexpr int kImage = 21;
  static constexpr uint32_t kSelectMacro = 32806;  // "Macro"

  static QStringList ColumnTitles();
  static int ColumnWidth(int column);
  static Qt::Alignment ColumnAlignment(int column);
  static QStringList EntryColumnTitles();
  static int EntryColumnWidth(int column);
  static Qt::Alignment EntryColumnAlignment(int column);

  static std::vector<CDayprog*> Dayprogs(const CSelvantisDoc& doc);
  static QStringList RowTexts(const CDayprog& dayprog);

  // One row of the entry list.
  struct EntryRow {
    int number = 0;
    QStringList cells;
  };
  // The used entries (a time, or a macro) in entry order; none without a
  // day program.
  static std::vector<EntryRow> EntryRows(const CDayprog* dayprog);

  // The text the time picker of entry number opens with.
  static QString PickerTime(const CDayprog& dayprog, int number);
  // The time of day of entry number, on 1980-03-01. A text that is no time,
  // or a number outside the table, changes nothing; true when it changed.
  static bool ApplyTime(CDayprog& dayprog, int number, const QString& text);
  // The macro of entry number by ID.
  static bool ApplyMacro(CDayprog& dayprog, int number, int macroId);
  // The first entry without a time gets midnight; false when every entry
  // has a time.
  static bool NewEntry(CDayprog& dayprog);
  // Frees entry number (its time and macro); false for no such entry.
  static bool DeleteEntry(CDayprog& dayprog, int number);

  static CDayprog* NewDayprog(CSelvantisDoc& doc);
};

#endif
