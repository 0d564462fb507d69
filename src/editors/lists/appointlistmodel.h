#ifndef SELV_EDITORS_LISTS_APPOINTLISTMODEL_H
#define SELV_EDITORS_LISTS_APPOINTLISTMODEL_H

#include <QString>
#include <QStringList>
#include <Qt>

#include <cstdint>
#include <vector>

class CAppoint;
class CSelvantisDoc;

// What the appointment list shows and how its cells change the
// appointments: one row per appointment in identifier order; the name is
// edited as the row's label, date and time with pickers (both are one point
// in time), repetition and macro chosen from a selection.
class AppointListModel final {
 public:
  enum Column : int { kName = 0, kId = 1, kFunction = 2, kDate = 3, kTime = 4, kMacro = 5 };
  static constexpr int kColumnCount = 6;
  static constexpr int kImage = 20;
  static constexpr uint32_t kSelectMacro = 32806;  // "Macro"
  // The pickers are a little taller than the cell.
  static constexpr int kPickerExtraHeight = 5;

  enum class Edit { None, Select, Date, Time };

  static QStringList ColumnTitles();
  static int ColumnWidth(int column);
  static Qt::Alignment ColumnAlignment(int column);

  static std::vector<CAppoint*> Appointments(const CSelvantisDoc& doc);
  static QStringList RowTexts(const CAppoint& appoint);

  static Edit EditOf(int column);
  // The selection kind of a column chosen from a selection (0 for others).
  static uint32_t SelectionKindOf(int column);
  // The text a date or time picker opens with.
  static QString PickerText(const CAppoint& appoint, int column);

  // The choice of a selection: column 2 the repetition (string id), column
  // 5 the macro (ID). False for other columns.
  static bool ApplyChoice(CAppoint& appoint, int column, int value);
  // A committed text: column 0 the name (made unique, the user told),
  // column 3 the date (the time of day kept), column 4 the time of day (the
  // date kept). A text that is no date or time changes nothing. True when
  // the appointment changed.
  static bool ApplyText(CAppoint& appoint, int column, const QString& text);

  // A new appointment in doc named after "Event" and its ID, or null when
  // none can be made (the user told).
  static CAppoint* NewAppointment(CSelvantisDoc& doc);
};

#endif
