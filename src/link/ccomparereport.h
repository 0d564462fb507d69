#ifndef SELV_LINK_CCOMPAREREPORT_H
#define SELV_LINK_CCOMPAREREPORT_H

#include "model/listtabexport.h"

#include <QString>
#include <QStringList>
#include <Qt>

#include <vector>

// One setting where the project and the unit differ, or that the unit did not
// answer. The values are in the user's terms (as the setting's dialog shows
// them); the command forms are the lines' own texts.
struct CompareRow {
  QString kind;     // the kind of object that owns the setting ("Zone")
  QString name;     // the object's name in the project
  QString setting;  // the command path ("/VMX/ZONE1/NAME")
  QString project;  // the value the project downloads ("" when it has none)
  QString unit;     // the value the unit reported ("" when not answered)
  bool answered = true;
  int order = 0;             // place in the download, for the unsorted order and ties
  QString projectCommand{};  // as the download sends it ("30")
  QString unitCommand{};     // as the unit answered ("0")
};

// A kind of object with settings the upload does not read.
struct NotComparedKind {
  QString kind;
  int settings = 0;
};

// What a comparison of a project with the unit found, and the table the
// differences window, its export and the command line show: the rows, their
// order (any column, either way, ties in download order), the one-line
// verdict and the kinds that were not compared. A comparison that stopped
// says how far it came and has no verdict; the rows it read before the stop
// stay, as a part of the unit only.
class CCompareReport final {
 public:
  enum class Outcome { Holds, Differs, Stopped };
  enum Column : int {
    kKindColumn = 0,
    kNameColumn,
    kSettingColumn,
    kProjectColumn,
    kUnitColumn,
    kCommandColumn,
    kColumnCount
  };
  // Exit statuses of the command line.
  static constexpr int kExitHolds = 0;
  static constexpr int kExitDiffers = 1;
  static constexpr int kExitStopped = 2;

  // ---- Filled by the comparison -------------------------------------------------------
  // Rows are kept in the order they are added (the download order).
  void AddRow(CompareRow row);
  void AddNotCompared(const QString& kind);
  void SetComparedCount(int count) { m_compared = count; }
  // The comparison ended before the unit was read completely: reason says
  // why, done of total steps of the upload had been taken. Rows found so far
  // stay as a part; a part is no verdict.
  void SetStopped(const QString& reason, int done, int total);
  // A note of the upload that belongs to no setting ("the unit cannot
  // report its cleared monitor entries").
  void AddNote(const QString& note);
  // A family whose unused entries the download clears and leaves out:
  // they were taken as cleared, not asked one by one.
  void AddCleared(const QString& kind);

  // ---- What it found ---------------------------------------------------------------
  Outcome GetOutcome() const;
  bool IsStopped() const noexcept { return m_stopped; }
  int ComparedCount() const noexcept { return m_compared; }
  // Rows with an answer of the unit, and rows without one.
  int DifferenceCount() const;
  int UnansweredCount() const;
  const std::vector<CompareRow>& Rows() const noexcept { return m_rows; }
  const std::vector<NotComparedKind>& NotCompared() const noexcept { return m_notCompared; }
  const QStringList& Notes() const noexcept { return m_notes; }
  const QStringList& Cleared() const noexcept { return m_cleared; }
  QString StopReason() const { return m_stopReason; }
  int StoppedAt() const noexcept { return m_done; }
  int StopTotal() const noexcept { return m_total; }
  int ExitStatus() const;

  // ---- Order -----------------------------------------------------------------------------
  // Sorts by a column's text (numbers within texts by their value, case
  // ignored); rows equal in that column keep their download order.
  void SortBy(int column, Qt::SortOrder order);
  void SortInDownloadOrder();
  // -1 while in download order.
  int SortColumn() const noexcept { return m_sortColumn; }
  Qt::SortOrder GetSortOrder() const noexcept { return m_sortOrder; }

  // ---- Texts, in the current language ----------------------------------------------
  static QString ColumnTitle(int column);
  static QString CellText(const CompareRow& row, int column);
  // The verdict in one line, or how far a stopped comparison came.
  QString Summary() const;
  // The kinds not compared with their number of settings; "" when every
  // setting was compared.
  QString NotComparedLine() const;
  // The families taken as cleared; "" when none.
  QString ClearedLine() const;
  // The rows as shown: titles and cells, for the tab-separated export and
  // the print-out.
  ListTableText TableText() const;

 private:
  std::vector<CompareRow> m_rows;
  std::vector<NotComparedKind> m_notCompared;
  QStringList m_notes;
  QStringList m_cleared;
  int m_compared = 0;
  bool m_stopped = false;
  QString m_stopReason;
  int m_done = 0;
  int m_total = 0;
  int m_sortColumn = -1;
  Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};

#endif
