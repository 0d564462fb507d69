#ifndef SELV_ONLINE_CZONELISTSTATE_H
#define SELV_ONLINE_CZONELISTSTATE_H

#include "model/cselvantisdoc.h"

#include <QPointer>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <vector>

class CSelvantisDoc;
class CZone;

// What the zone list of the line-test window shows, edits and sends,
// without widgets: one row per zone fed by an amplifier channel (in ID
// order) with its thirteen cell texts, the zone-test mode text of the
// status bar, the refresh chain that asks the unit for the test values of
// the zones row by row, the reply parser and the measurement lines. The
// zones belong to the project; a row keeps only its zone's ID, so a zone
// deleted meanwhile leaves its row without a zone.
class CZoneListState final {
 public:
  static constexpr int kColumnCount = 13;
  static constexpr int kStoredWidths = 12;
  static constexpr int kFaultColumn = 11;
  static constexpr int kGroundColumn = 12;
  static constexpr int kFaultColumnWidth = 70;
  // Zones the fault replies and the measurement lines can name.
  static constexpr unsigned kZoneBits = 100;
  static constexpr uint32_t kErrorText = 34565;  // "Error"
  static constexpr uint32_t kBlankText = 34242;  // " "

  struct ColumnInfo {
    uint32_t title;      // string id
    const char* suffix;  // appended to the title
    int alignment;       // 0 left, 1 centre, 2 right
    int code;            // CZone column code, -1: empty when filled
  };
  static const ColumnInfo kColumns[kColumnCount];

  enum class Measurement { LineTest, LineReference, Impedance, ImpedanceReference };

  // What the view does after a chain step.
  struct Step {
    enum Kind { Query, Finish } kind = Finish;
    QStringList lines;  // for Query
  };

  explicit CZoneListState(CSelvantisDoc* doc);
  CSelvantisDoc* Document() const { return m_doc; }

  // ---- Columns -----------------------------------------------------------------
  static QString ColumnTitle(int column);
  // Widths of all thirteen columns: the defaults, replaced by the numbers
  // of "Settings" / "ZoneListColumnWidth" (twelve numbers for the columns
  // 0 to 10 and 12; column 11 always starts at 70). A missing, short or
  // damaged value keeps the defaults it does not cover; negative numbers
  // are not taken.
  static std::array<int, kColumnCount> ReadWidths();
  // Stores the twelve widths in the order ReadWidths takes them back.
  static void WriteWidths(const std::array<int, kColumnCount>& widths);
  static std::array<int, kColumnCount> ParseWidths(const QString& text);
  static QString FormatWidths(const std::array<int, kColumnCount>& widths);

  // ---- Rows ----------------------------------------------------------------------
  void Fill();
  int RowCount() const { return static_cast<int>(m_rows.size()); }
  bool IsRow(int row) const { return row >= 0 && row < RowCount(); }
  // The row's zone, null for a bad row or a zone no longer in the project.
  CZone* ZoneAt(int row) const;
  int ZoneIdAt(int row) const { return IsRow(row) ? m_rows[row].id : 0; }
  int FindRowByZoneId(int id) const;
  QString Cell(int row, int column) const;
  QString StatusText() const { return m_status; }

  // ---- Unit ----------------------------------------------------------------------
  static QStringList PollLines();
  static QStringList ZoneQueryLines(int zoneId);
  // The zones' IDs as a range list ("0" for none; IDs beyond the list's
  // reach are left out).
  static QString RangeTextOfZones(const std::vector<int>& ids);
  QString SelectedZonesRangeText(const std::vector<int>& rows) const;
  QString MeasurementLine(Measurement m, const std::vector<int>& selectedRows) const;

  // ---- Refresh chain ---------------------------------------------------------
  // Every row from the top; or the selected rows only (none: false, the
  // chain does not start).
  Step StartRefresh();
  bool StartUpdate(const std::vector<int>& selectedRows, Step* first);
  bool IsChainRunning() const { return m_awaitedZone != 0; }
  // The queries of one row, or Finish at the end of the list.
  Step QueryZoneRow(int row);

  // Takes the reply lines; the chain's next steps in order (usually none or
  // one). True in *changed when a cell or the status text changed.
  std::vector<Step> ApplyReply(const QStringList& lines, bool* changed = nullptr);

  // ---- Editing ------------------------------------------------------------------
  // The text an in-place edit of column 3, 4 or 5 ends with: a decimal
  // number goes to every selected row's zone (which keeps it within its
  // limits); column 0 renames the edited row's zone (made unique, the user
  // told). False when nothing was taken.
  bool ApplyEdit(int column, int editedRow, const QString& text, const std::vector<int>& selectedRows);
  // The ignore flags chosen for the selected rows.
  void ApplyIgnoreMask(int mask, const std::vector<int>& selectedRows);
  // The columns an in-place edit box opens on.
  static bool IsEditColumn(int column) { return column >= 3 && column <= 5; }
  static constexpr int kIgnoreColumn = 2;

 private:
  struct Row {
    int id = 0;
    std::array<QString, kColumnCount> cells;
  };
  void RefreshZoneCells(int row);
  void SetFaultColumn(int column, const QString& value, bool* changed);
  Step NextAfterReply(int row);
  void SetCell(int row, int column, const QString& text, bool* changed);

  QPointer<CSelvantisDoc> m_doc;
  std::vector<Row> m_rows;
  QString m_status;
  bool m_updateSelected = false;
  std::vector<int> m_pendingRows;  // selected rows still to query
  int m_rowInWork = -1;
  int m_awaitedZone = 0;  // zone whose "/IMP/REF" moves the chain on
};

#endif
