#include "editors/lists/busylistmodel.h"

#include "logic/cbusycondition.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/ctext.h"

#include <QCoreApplication>

#include <memory>

namespace {

constexpr int kWidths[BusyListModel::kColumnCount] = {160, 30, 140, 90, 140, 100, 80};
// The model's field shown in each column from column 2 on.
constexpr int kFields[BusyListModel::kColumnCount] = {-1, -1, 0, 6, 4, 2, 3};
constexpr int kFieldSources = 0;
constexpr int kFieldMatching = 2;
constexpr int kFieldPriority = 3;
constexpr int kFieldOutputs = 5;

}  // namespace

QStringList BusyListModel::ColumnTitles() {
  return {QCoreApplication::translate("BusyListModel", "Busy condition"),
          LoadString(34244),
          QCoreApplication::translate("BusyListModel", "Audio"),
          QCoreApplication::translate("BusyListModel", "Output"),
          QCoreApplication::translate("BusyListModel", "Zones"),
          QCoreApplication::translate("BusyListModel", "Matching"),
          QCoreApplication::translate("BusyListModel", "min. priority[0..10]")};
}

int BusyListModel::ColumnWidth(int column) { return column >= 0 && column < kColumnCount ? kWidths[column] : 150; }

Qt::Alignment BusyListModel::ColumnAlignment(int column) { return column == kId ? Qt::AlignRight : Qt::AlignLeft; }

std::vector<CBusyCondition*> BusyListModel::BusyConditions(const CSelvantisDoc& doc) {
  std::vector<CBaseDevice*> objects;
  doc.GetIDManager().GetBaseDeviceList(objects, DT_BUSYCONDITION);
  std::vector<CBusyCondition*> conditions;
  for (CBaseDevice* object : objects) {
    if (auto* condition = dynamic_cast<CBusyCondition*>(object)) conditions.push_back(condition);
  }
  return conditions;
}

QStringList BusyListModel::RowTexts(const CBusyCondition& condition) {
  QStringList cells{condition.GetName(), Fmt("%d", condition.GetID())};
  for (int column = kAudio; column < kColumnCount; ++column) {
    QString text;
    condition.GetColumnText(text, kFields[column]);
    cells << text;
  }
  return cells;
}

BusyListModel::Edit BusyListModel::EditOf(int column) {
  switch (column) {
    case kAudio: return Edit::SelectSources;
    case kOutput: return Edit::SelectOutputs;
    case kZones: return Edit::Zones;
    case kMatching: return Edit::ToggleMatching;
    case kPriority: return Edit::InPlace;
    default: return Edit::None;
  }
}

uint32_t BusyListModel::SelectionKindOf(int column) {
  if (column == kAudio) return kSelectSources;
  if (column == kOutput) return kSelectOutputs;
  return 0;
}

void BusyListModel::SetSources(CBusyCondition& condition, int sourceBits) {
  condition.SetValue(kFieldSources, sourceBits);
}

void BusyListModel::SetOutputs(CBusyCondition& condition, const QString& selection) {
  condition.SetColumnText(kFieldOutputs, selection);
}

void BusyListModel::ToggleMatching(CBusyCondition& condition) {
  condition.SetValue(kFieldMatching, condition.GetValue(kFieldMatching) == 0 ? 1 : 0);
}

std::vector<CBaseDevice*> BusyListModel::Zones(const CBusyCondition& condition) {
  std::vector<CBaseDevice*> zones;
  condition.GetInputZonesAndGroups(zones);
  return zones;
}

void BusyListModel::SetZones(CBusyCondition& condition, const std::vector<CBaseDevice*>& zones) {
  condition.SetZones(zones);
}

bool BusyListModel::ApplyText(CBusyCondition& condition, int column, const QString& text) {
  if (column == kName) return condition.SetUniqueName(text, true);
  if (column == kPriority) {
    condition.SetColumnText(kFieldPriority, text);
    return true;
  }
  return false;
}

CBusyCondition* BusyListModel::NewBusyCondition(CSelvantisDoc& doc) {
  auto condition = std::make_unique<CBusyCondition>();
  if (!condition->CreateOnCanvas(CBusyCondition::kKindBusy, 1, 1, QString(), QRect(), CAT_ENTRIES, 0,
                                 CBaseDevice::TF_NAME | CBaseDevice::TF_BELOW, &doc)) {
    return nullptr;
  }
  return static_cast<CBusyCondition*>(doc.AddObject(std::move(condition)));
}
