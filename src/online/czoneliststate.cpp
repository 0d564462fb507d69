#include "online/czoneliststate.h"

#include "amps/czone.h"
#include "macros/rangelist.h"
#include "model/cidmanager.h"
#include "model/cprofile.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/ctext.h"
#include "model/devicetype.h"

#include <algorithm>

const CZoneListState::ColumnInfo CZoneListState::kColumns[kColumnCount] = {
    {32802, "", 1, -1},
    {34599, "", 0, CZone::COL_AMPCHAN_NAME},
    {34600, "", 2, CZone::COL_IGNORE_DISPLAY},
    {34255, "[dB]", 2, CZone::COL_TESTVOL},
    {34602, "[%]", 2, CZone::COL_NEGTOL},
    {34601, "[%]", 2, CZone::COL_POSTOL},
    {34603, "", 2, CZone::COL_LINE_MEAS},
    {34604, "", 2, CZone::COL_LINE_REF},
    {34605, "", 2, CZone::COL_IMP_MEAS},
    {34606, "", 2, CZone::COL_IMP_REF},
    {34607, "", 2, CZone::COL_ADJUST},
    {34608, "", 2, -1},
    {34580, "", 2, -1},
};

namespace {

const QString kSection = QStringLiteral("Settings");
const QString kWidthKey = QStringLiteral("ZoneListColumnWidth");
constexpr std::array<int, CZoneListState::kColumnCount> kDefaultWidths = {125, 75, 30, 30, 40, 40, 90,
                                                                          60,  90, 60, 40, 70, 60};

// The column a stored width belongs to: the twelve numbers cover the
// columns 0 to 10 and 12.
int ColumnOfStoredWidth(int index) { return index < CZoneListState::kFaultColumn ? index : index + 1; }

const char* const kPollLines[] = {"/SERVICE/ZONETEST/MODE ?", "/SERVICE/ZONETEST/ACTIVE ?", "/SERVICE/ZONETEST/FAULT ?",
                                  "/SERVICE/ZONETEST/GNDFLT ?"};
const char* const kZoneQueries[] = {"/TEST/MEAS ?", "/TEST/REF ?",    "/TEST/POSTOL ?", "/TESTVOL ?", "/TEST/NEGTOL ?",
                                    "/TEST/ADJ ?",  "/TEST/IGNORE ?", "/IMP/MEAS ?",    "/IMP/REF ?"};

}  // namespace

CZoneListState::CZoneListState(CSelvantisDoc* doc) : m_doc(doc) {}

QString CZoneListState::ColumnTitle(int column) {
  if (column < 0 || column >= kColumnCount) return QString();
  return LoadString(kColumns[column].title) + QString::fromLatin1(kColumns[column].suffix);
}

std::array<int, CZoneListState::kColumnCount> CZoneListState::ParseWidths(const QString& text) {
  std::array<int, kColumnCount> widths = kDefaultWidths;
  const QStringList parts = text.split(QLatin1Char(','));
  for (int i = 0; i < kStoredWidths && i < parts.size(); ++i) {
    int value = 0;
    // A damaged number ends the list: the rest keep their defaults.
    if (!ScanInt(parts[i].trimmed(), &value) || value < 0) break;
    widths[ColumnOfStoredWidth(i)] = std::min(value, 10000);
  }
  widths[kFaultColumn] = kFaultColumnWidth;
  return widths;
}

QString CZoneListState::FormatWidths(const std::array<int, kColumnCount>& widths) {
  QStringList parts;
  for (int i = 0; i < kStoredWidths; ++i) parts << Fmt("%d", widths[ColumnOfStoredWidth(i)]);
  return parts.join(QLatin1Char(','));
}

std::array<int, CZoneListState::kColumnCount> CZoneListState::ReadWidths() {
  return ParseWidths(CProfile::GetString(kSection, kWidthKey));
}

void CZoneListState::WriteWidths(const std::array<int, kColumnCount>& widths) {
  CProfile::WriteString(kSection, kWidthKey, FormatWidths(widths));
}

void CZoneListState::Fill() {
  m_rows.clear();
  m_pendingRows.clear();
  m_rowInWork = -1;
  m_awaitedZone = 0;
  if (!m_doc) return;
  std::vector<CBaseDevice*> zones;
  m_doc->GetIDManager().GetBaseDeviceList(zones, DT_ZONE);
  std::sort(zones.begin(), zones.end(), [](CBaseDevice* a, CBaseDevice* b) { return a->GetID() < b->GetID(); });
  for (CBaseDevice* object : zones) {
    auto* zone = dynamic_cast<CZone*>(object);
    if (!zone || zone->GetAmpChannel() == 0) continue;
    Row row;
    row.id = zone->GetID();
    m_rows.push_back(row);
    RefreshZoneCells(RowCount() - 1);
  }
}

void CZoneListState::RefreshZoneCells(int row) {
  CZone* zone = ZoneAt(row);
  if (!zone) return;
  m_rows[row].cells[0] = zone->GetName();
  for (int c = 1; c < kFaultColumn; ++c) m_rows[row].cells[c] = zone->GetColumnText(kColumns[c].code);
}

CZone* CZoneListState::ZoneAt(int row) const {
  if (!IsRow(row) || !m_doc) return nullptr;
  return dynamic_cast<CZone*>(m_doc->GetIDManager().FindBaseDevice(m_rows[row].id, DT_ZONE));
}

int CZoneListState::FindRowByZoneId(int id) const {
  for (int r = 0; r < RowCount(); ++r) {
    if (m_rows[r].id == id && ZoneAt(r)) return r;
  }
  return -1;
}

QString CZoneListState::Cell(int row, int column) const {
  if (!IsRow(row) || column < 0 || column >= kColumnCount) return QString();
  return m_rows[row].cells[column];
}

void CZoneListState::SetCell(int row, int column, const QString& text, bool* changed) {
  if (!IsRow(row) || column < 0 || column >= kColumnCount) return;
  if (m_rows[row].cells[column] == text) return;
  m_rows[row].cells[column] = text;
  if (changed) *changed = true;
}

QStringList CZoneListState::PollLines() {
  QStringList lines;
  for (const char* line : kPollLines) lines << QString::fromLatin1(line);
  return lines;
}

QStringList CZoneListState::ZoneQueryLines(int zoneId) {
  QStringList lines;
  for (const char* query : kZoneQueries) lines << Fmt("/VMX/ZONE%d", zoneId) + QString::fromLatin1(query);
  return lines;
}

QString CZoneListState::RangeTextOfZones(const std::vector<int>& ids) {
  BitSet bits = MakeBitSet(kZoneBits);
  for (int id : ids) {
    if (id >= 1 && id <= static_cast<int>(kZoneBits)) SetBit(bits, static_cast<unsigned>(id - 1), true);
  }
  return FormatRangeList(bits, kZoneBits);
}

QString CZoneListState::SelectedZonesRangeText(const std::vector<int>& rows) const {
  std::vector<int> ids;
  for (int row : rows) {
    if (ZoneAt(row)) ids.push_back(m_rows[row].id);
  }
  return RangeTextOfZones(ids);
}

QString CZoneListState::MeasurementLine(Measurement m, const std::vector<int>& selectedRows) const {
  const char* command = "/SERVICE/ZONETEST/TEST/MEAS ";
  switch (m) {
    case Measurement::LineTest: break;
    case Measurement::LineReference: command = "/SERVICE/ZONETEST/TEST/REF "; break;
    case Measurement::Impedance: command = "/SERVICE/ZONETEST/IMP/MEAS "; break;
    case Measurement::ImpedanceReference: command = "/SERVICE/ZONETEST/IMP/REF "; break;
  }
  return QString::fromLatin1(command) + SelectedZonesRangeText(selectedRows);
}

CZoneListState::Step CZoneListState::QueryZoneRow(int row) {
  // Rows whose zone went away are passed over rather than ending the chain
  // in silence.
  while (IsRow(row) && !ZoneAt(row)) {
    if (m_updateSelected) {
      if (m_pendingRows.empty()) break;
      row = m_pendingRows.front();
      m_pendingRows.erase(m_pendingRows.begin());
    } else {
      ++row;
    }
  }
  if (!IsRow(row) || !ZoneAt(row)) {
    m_awaitedZone = 0;
    m_rowInWork = -1;
    m_pendingRows.clear();
    return Step{};
  }
  m_rowInWork = row;
  m_awaitedZone = m_rows[row].id;
  return Step{Step::Query, ZoneQueryLines(m_awaitedZone)};
}

CZoneListState::Step CZoneListState::StartRefresh() {
  m_updateSelected = false;
  m_pendingRows.clear();
  return QueryZoneRow(0);
}

bool CZoneListState::StartUpdate(const std::vector<int>& selectedRows, Step* first) {
  std::vector<int> rows;
  for (int row : selectedRows) {
    if (IsRow(row)) rows.push_back(row);
  }
  if (rows.empty()) return false;
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  m_updateSelected = true;
  m_pendingRows.assign(rows.begin() + 1, rows.end());
  const Step step = QueryZoneRow(rows.front());
  if (first) *first = step;
  return true;
}

CZoneListState::Step CZoneListState::NextAfterReply(int row) {
  if (m_updateSelected) {
    if (m_pendingRows.empty()) return QueryZoneRow(RowCount());
    const int next = m_pendingRows.front();
    m_pendingRows.erase(m_pendingRows.begin());
    return QueryZoneRow(next);
  }
  return QueryZoneRow(row + 1);
}

void CZoneListState::SetFaultColumn(int column, const QString& value, bool* changed) {
  const QString text = value == QLatin1String("NONE") ? QStringLiteral("0") : value;
  BitSet bits = MakeBitSet(kZoneBits);
  // A list the unit sent damaged marks nothing rather than part of it.
  if (!ParseRangeList(text, bits, kZoneBits)) bits = MakeBitSet(kZoneBits);
  const QString error = LoadString(kErrorText);
  const QString blank = LoadString(kBlankText);
  for (int r = 0; r < RowCount(); ++r) {
    const int id = m_rows[r].id;
    const bool set = id >= 1 && TestBit(bits, static_cast<unsigned>(id - 1));
    SetCell(r, column, set ? error : blank, changed);
  }
}

std::vector<CZoneListState::Step> CZoneListState::ApplyReply(const QStringList& lines, bool* changed) {
  std::vector<Step> steps;
  bool dummy = false;
  bool* ch = changed ? changed : &dummy;
  for (const QString& raw : lines) {
    QString line = raw;
    while (line.endsWith(QLatin1Char('\r')) || line.endsWith(QLatin1Char('\n'))) line.chop(1);
    const int blank = line.indexOf(QLatin1Char(' '));
    if (blank < 0) continue;
    const QString key = line.left(blank);
    const QString value = line.mid(blank + 1);
    if (value == QLatin1String("?")) continue;

    if (key == QLatin1String("/SERVICE/ZONETEST/FAULT")) {
      SetFaultColumn(kFaultColumn, value, ch);
    } else if (key == QLatin1String("/SERVICE/ZONETEST/GNDFLT")) {
      SetFaultColumn(kGroundColumn, value, ch);
    } else if (key == QLatin1String("/SERVICE/ZONETEST/MODE")) {
      QString status = m_status;
      if (value == QLatin1String("OFF"))
        status.clear();
      else if (value == QLatin1String("TEST"))
        status = LoadString(34577);
      else if (value == QLatin1String("IMP"))
        status = LoadString(34616);
      if (status != m_status) *ch = true;
      m_status = status;
    } else if (key == QLatin1String("/SERVICE/ZONETEST/ACTIVE")) {
      if (!m_status.isEmpty()) {
        // The mode text of this poll, without an earlier poll's suffix.
        const int open = m_status.indexOf(QLatin1String(" ("));
        const QString base = open < 0 ? m_status : m_status.left(open);
        const QString status = base + QStringLiteral(" (") + value + QStringLiteral(" )");
        if (status != m_status) *ch = true;
        m_status = status;
      }
    } else if (key.startsWith(QLatin1String("/VMX/ZONE"))) {
      const QString rest = key.mid(9);
      const int slash = rest.indexOf(QLatin1Char('/'));
      if (slash <= 0) continue;
      int id = 0;
      if (!ScanInt(rest.left(slash), &id)) continue;
      const QString sub = rest.mid(slash);
      const int row = FindRowByZoneId(id);
      CZone* zone = ZoneAt(row);
      if (sub == QLatin1String("/IMP/REF")) {
        if (zone) {
          zone->SetColumnText(CZone::COL_IMP_REF, value);
          SetCell(row, 9, value, ch);
        }
        // Only the answer of the zone asked last moves the chain on (the
        // reply list may repeat earlier lines).
        if (m_awaitedZone != 0 && id == m_awaitedZone) {
          steps.push_back(row < 0 ? QueryZoneRow(RowCount()) : NextAfterReply(row));
        }
        continue;
      }
      if (!zone) continue;
      if (sub == QLatin1String("/TEST/MEAS")) {
        zone->SetColumnText(CZone::COL_LINE_MEAS, value);
        SetCell(row, 6, value, ch);
      } else if (sub == QLatin1String("/TEST/REF")) {
        zone->SetColumnText(CZone::COL_LINE_REF, value);
        SetCell(row, 7, value, ch);
      } else if (sub == QLatin1String("/TEST/POSTOL")) {
        zone->SetColumnText(CZone::COL_POSTOL, value);
        SetCell(row, 5, zone->GetColumnText(CZone::COL_POSTOL), ch);
      } else if (sub == QLatin1String("/TEST/NEGTOL")) {
        zone->SetColumnText(CZone::COL_NEGTOL, value);
        SetCell(row, 4, zone->GetColumnText(CZone::COL_NEGTOL), ch);
      } else if (sub == QLatin1String("/TEST/ADJ")) {
        zone->SetColumnText(CZone::COL_ADJUST, value);
        SetCell(row, 10, value, ch);
      } else if (sub == QLatin1String("/TESTVOL")) {
        zone->SetColumnText(CZone::COL_TESTVOL, value);
        SetCell(row, 3, zone->GetColumnText(CZone::COL_TESTVOL), ch);
      } else if (sub == QLatin1String("/TEST/IGNORE")) {
        zone->SetColumnText(CZone::COL_IGNORE, value);
        SetCell(row, 2, zone->GetColumnText(CZone::COL_IGNORE_DISPLAY), ch);
      } else if (sub == QLatin1String("/IMP/MEAS")) {
        zone->SetColumnText(CZone::COL_IMP_MEAS, value);
        SetCell(row, 8, value, ch);
      }
    }
  }
  return steps;
}

bool CZoneListState::ApplyEdit(int column, int editedRow, const QString& text, const std::vector<int>& selectedRows) {
  if (text.isEmpty()) return false;
  if (column == 0) {
    CZone* zone = ZoneAt(editedRow);
    if (!zone) return false;
    zone->SetUniqueName(text, true);
    m_rows[editedRow].cells[0] = zone->GetName();
    if (m_doc) m_doc->SetModifiedFlag();
    return true;
  }
  if (!IsEditColumn(column)) return false;
  int value = 0;
  if (!ScanInt(text.trimmed(), &value)) return false;
  const int code = kColumns[column].code;
  bool any = false;
  for (int row : selectedRows) {
    CZone* zone = ZoneAt(row);
    if (!zone) continue;
    zone->SetValue(code, value);
    m_rows[row].cells[column] = zone->GetColumnText(code);
    any = true;
  }
  if (any && m_doc) m_doc->SetModifiedFlag();
  return any;
}

void CZoneListState::ApplyIgnoreMask(int mask, const std::vector<int>& selectedRows) {
  bool any = false;
  for (int row : selectedRows) {
    CZone* zone = ZoneAt(row);
    if (!zone) continue;
    zone->SetValue(CZone::COL_IGNORE, mask & CZone::IGN_ALL);
    m_rows[row].cells[kIgnoreColumn] = zone->GetColumnText(CZone::COL_IGNORE_DISPLAY);
    any = true;
  }
  if (any && m_doc) m_doc->SetModifiedFlag();
}
