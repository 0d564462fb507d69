#include "editors/lists/dayproglistmodel.h"

#include "editors/lists/calendarcelltext.h"
#include "logic/cdayprog.h"
#include "logic/logicstrings.h"
#include "logic/logictime.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/ctext.h"

#include <memory>

namespace {

constexpr uint32_t kTitleIds[DayprogListModel::kColumnCount] = {IDS_DAILY_PROGRAM, 34244, 34453};
constexpr int kWidths[DayprogListModel::kColumnCount] = {160, 50, 70};
constexpr uint32_t kEntryTitleIds[DayprogListModel::kEntryColumnCount] = {34244, 34232, 32806};
constexpr int kEntryWidths[DayprogListModel::kEntryColumnCount] = {140, 160, 160};

constexpr int kColumnTime = 0;
constexpr int kColumnMacro = 1;
constexpr int kColumnUsed = 2;
constexpr int kOpNewEntry = 3;
constexpr int kOpDeleteEntry = 4;

int GetterCode(int number, int column) { return (number - 1) << 16 | column; }
int SetterCode(int number, int column) { return number << 16 | column; }

bool IsNumber(const CDayprog& dayprog, int number) { return number >= 1 && number <= dayprog.GetMaxEntries(); }

}  // namespace

QStringList DayprogListModel::ColumnTitles() {
  QStringList titles;
  for (uint32_t id : kTitleIds) titles << LoadString(id);
  return titles;
}

int DayprogListModel::ColumnWidth(int column) { return column >= 0 && column < kColumnCount ? kWidths[column] : 150; }

Qt::Alignment DayprogListModel::ColumnAlignment(int column) { return column == kName ? Qt::AlignLeft : Qt::AlignRight; }

QStringList DayprogListModel::EntryColumnTitles() {
  QStringList titles;
  for (uint32_t id : kEntryTitleIds) titles << LoadString(id);
  return titles;
}

int DayprogListModel::EntryColumnWidth(int column) {
  return column >= 0 && column < kEntryColumnCount ? kEntryWidths[column] : 150;
}

Qt::Alignment DayprogListModel::EntryColumnAlignment(int column) {
  return column == kEntryNumber ? Qt::AlignRight : Qt::AlignLeft;
}

std::vector<CDayprog*> DayprogListModel::Dayprogs(const CSelvantisDoc& doc) {
  std::vector<CBaseDevice*> objects;
  doc.GetIDManager().GetBaseDeviceList(objects, DT_DAYPROG);
  std::vector<CDayprog*> dayprogs;
  for (CBaseDevice* object : objects) {
    if (auto* dayprog = dynamic_cast<CDayprog*>(object)) dayprogs.push_back(dayprog);
  }
  return dayprogs;
}

QStringList DayprogListModel::RowTexts(const CDayprog& dayprog) {
  QString used;
  dayprog.GetColumnText(used, kColumnUsed);
  return {dayprog.GetName(), dayprog.GetIDString(), used};
}

std::vector<DayprogListModel::EntryRow> DayprogListModel::EntryRows(const CDayprog* dayprog) {
  std::vector<EntryRow> rows;
  if (!dayprog) return rows;
  for (int number = 1; number <= dayprog->GetMaxEntries(); ++number) {
    QString macro, time;
    dayprog->GetColumnText(macro, GetterCode(number, kColumnMacro));
    dayprog->GetColumnText(time, GetterCode(number, kColumnTime));
    if (macro.isEmpty() && time.isEmpty()) continue;
    rows.push_back(EntryRow{number, {Fmt("%d", number), time, macro}});
  }
  return rows;
}

QString DayprogListModel::PickerTime(const CDayprog& dayprog, int number) {
  if (!IsNumber(dayprog, number)) return QString();
  const int64_t time = dayprog.GetValue(GetterCode(number, kColumnTime));
  // A free entry opens at midnight rather than at its placeholder time.
  return CalendarCellText::PickerTime(time < FreeLimitTime() ? FreeLimitTime() : time);
}

bool DayprogListModel::ApplyTime(CDayprog& dayprog, int number, const QString& text) {
  if (!IsNumber(dayprog, number)) return false;
  const QTime time = CalendarCellText::ParseTime(text);
  if (!time.isValid()) return false;
  dayprog.SetValue(SetterCode(number, kColumnTime), CalendarCellText::WithTime(FreeLimitTime(), time));
  return true;
}

bool DayprogListModel::ApplyMacro(CDayprog& dayprog, int number, int macroId) {
  if (!IsNumber(dayprog, number)) return false;
  dayprog.SetValue(SetterCode(number, kColumnMacro), macroId);
  return true;
}

bool DayprogListModel::NewEntry(CDayprog& dayprog) {
  for (int number = 1; number <= dayprog.GetMaxEntries(); ++number) {
    if (dayprog.GetValue(GetterCode(number, kColumnTime)) < FreeLimitTime()) {
      dayprog.SetValue(kOpNewEntry, 0);
      return true;
    }
  }
  return false;
}

bool DayprogListModel::DeleteEntry(CDayprog& dayprog, int number) {
  if (!IsNumber(dayprog, number)) return false;
  dayprog.SetValue(kOpDeleteEntry, number);
  return true;
}

CDayprog* DayprogListModel::NewDayprog(CSelvantisDoc& doc) {
  auto dayprog = std::make_unique<CDayprog>();
  if (!dayprog->CreateOnCanvas(CDayprog::kKindDayprog, 1, 1, QString(), QRect(), CAT_CALENDAR, 0,
                               CBaseDevice::TF_NAME | CBaseDevice::TF_BELOW, &doc)) {
    return nullptr;
  }
  dayprog->SetUniqueName(FormatText(QStringLiteral("%s %d"), {LoadString(IDS_DAILY_PROGRAM), dayprog->GetID()}), true);
  return static_cast<CDayprog*>(doc.AddObject(std::move(dayprog)));
}
