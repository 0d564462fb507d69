#include "editors/lists/monitorlistmodel.h"

#include "amps/cmonitor.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/ctext.h"

namespace {

constexpr uint32_t kEntryTitleIds[MonitorListModel::kColumnCount] = {33086, 34244, 34453};
constexpr uint32_t kRelayTitleIds[MonitorListModel::kColumnCount] = {34242, 34244, 32794};
constexpr int kEntryWidths[MonitorListModel::kColumnCount] = {140, 30, 160};
constexpr int kRelayWidths[MonitorListModel::kColumnCount] = {30, 30, 160};

QStringList Titles(const uint32_t (&ids)[MonitorListModel::kColumnCount]) {
  QStringList titles;
  for (uint32_t id : ids) titles << LoadString(id);
  return titles;
}

int Code(int index, int field) { return (index << 16) | field; }

}  // namespace

CMonitor* MonitorListModel::Monitor(const CSelvantisDoc* doc) {
  if (!doc) return nullptr;
  return dynamic_cast<CMonitor*>(doc->GetIDManager().GetBaseDevice(1, DT_MONITOR));
}

QStringList MonitorListModel::EntryTitles() { return Titles(kEntryTitleIds); }
QStringList MonitorListModel::RelayTitles() { return Titles(kRelayTitleIds); }

int MonitorListModel::EntryWidth(int column) {
  return column >= 0 && column < kColumnCount ? kEntryWidths[column] : 150;
}

int MonitorListModel::RelayWidth(int column) {
  return column >= 0 && column < kColumnCount ? kRelayWidths[column] : 150;
}

std::vector<MonitorListModel::Row> MonitorListModel::EntryRows(const CMonitor& monitor) {
  std::vector<Row> rows;
  for (int i = 0; i < monitor.GetMaxEntries(); ++i) {
    const int code = monitor.GetValue(Code(i, CMonitor::FIELD_CHOICE));
    if ((code & 0xFFFF) == CMonitor::KC_OFF) continue;
    QString text;
    monitor.GetColumnText(text, code);
    rows.push_back(Row{{QString(), Fmt("%d", i + 1), text}, code});
  }
  return rows;
}

std::vector<MonitorListModel::Row> MonitorListModel::RelayRows(const CMonitor& monitor) {
  std::vector<Row> rows;
  for (int i = 0; i < monitor.GetMaxRelays(); ++i) {
    if (monitor.GetValue(Code(i, CMonitor::FIELD_RELAY)) == 0) continue;
    QString text;
    monitor.GetColumnText(text, Code(i, CMonitor::FIELD_RELAY));
    rows.push_back(Row{{QString(), Fmt("%d", i + 1), text}, i});
  }
  return rows;
}

int MonitorListModel::NumberOf(const QString& cell) {
  int number = 0;
  return ScanInt(cell, &number) ? number : 0;
}

bool MonitorListModel::SetEntryChoice(CMonitor& monitor, int entryNumber, int choice) {
  const int kind = choice & 0xFFFF;
  // A row number outside the table must not reach another entry through the
  // shifted index.
  if (entryNumber < 1 || entryNumber > monitor.GetMaxEntries()) return false;
  if (kind < CMonitor::KC_OFF || kind > CMonitor::KC_EXT) return false;
  return monitor.SetValue(Code(entryNumber - 1, kind), choice >> 16);
}

bool MonitorListModel::NewEntry(CMonitor& monitor, int choice) {
  return monitor.SetValue(CMonitor::FIELD_CHOICE, choice);
}

bool MonitorListModel::DeleteEntry(CMonitor& monitor, int entryNumber) {
  if (entryNumber < 1 || entryNumber > monitor.GetMaxEntries()) return false;
  return monitor.SetValue(Code(entryNumber - 1, CMonitor::KC_OFF), 0);
}

bool MonitorListModel::SetRelay(CMonitor& monitor, int slot, int padId) {
  if (slot < 0 || slot >= monitor.GetMaxRelays()) return false;
  return monitor.SetValue(Code(slot, CMonitor::FIELD_RELAY), padId);
}

bool MonitorListModel::NewRelay(CMonitor& monitor, int padId) {
  return monitor.SetValue(CMonitor::OP_ADD_RELAY, padId);
}

bool MonitorListModel::DeleteRelay(CMonitor& monitor, int slot) {
  if (slot < 0 || slot >= monitor.GetMaxRelays()) return false;
  // Operation 0 frees the slot first; ID 0 names no pad, so it stays free.
  monitor.SetValue(Code(slot, CMonitor::FIELD_RELAY), 0);
  return true;
}
