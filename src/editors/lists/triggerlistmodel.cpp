#include "editors/lists/triggerlistmodel.h"

#include "logic/ctrigger.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/ctext.h"

#include <QCoreApplication>

#include <cmath>
#include <memory>

namespace {

constexpr int kTitleIds[TriggerListModel::kColumnCount] = {33085, 34244, 34129, 0, 0, 0};
constexpr int kWidths[TriggerListModel::kColumnCount] = {160, 30, 160, 60, 160, 160};

int ParamOf(int column) {
  switch (column) {
    case TriggerListModel::kCondition: return CTrigger::FIELD_CONDITION;
    case TriggerListModel::kOnMacro: return CTrigger::FIELD_ON_MACRO;
    case TriggerListModel::kOffMacro: return CTrigger::FIELD_OFF_MACRO;
    default: return -1;
  }
}

}  // namespace

QStringList TriggerListModel::ColumnTitles() {
  QStringList titles;
  for (int id : kTitleIds) titles << (id ? LoadString(static_cast<uint32_t>(id)) : QString());
  titles[kDuration] = QCoreApplication::translate("TriggerListModel", "Duration [s]");
  titles[kOnMacro] = QCoreApplication::translate("TriggerListModel", "ON Macro");
  titles[kOffMacro] = QCoreApplication::translate("TriggerListModel", "OFF Macro");
  return titles;
}

int TriggerListModel::ColumnWidth(int column) { return column >= 0 && column < kColumnCount ? kWidths[column] : 150; }

Qt::Alignment TriggerListModel::ColumnAlignment(int column) {
  if (column == kName) return Qt::AlignHCenter;
  if (column == kId) return Qt::AlignRight;
  return Qt::AlignLeft;
}

std::vector<CTrigger*> TriggerListModel::Triggers(const CSelvantisDoc& doc) {
  std::vector<CBaseDevice*> objects;
  doc.GetIDManager().GetBaseDeviceList(objects, DT_TRIGGER);
  std::vector<CTrigger*> triggers;
  for (CBaseDevice* object : objects) {
    if (auto* trigger = dynamic_cast<CTrigger*>(object)) triggers.push_back(trigger);
  }
  return triggers;
}

QStringList TriggerListModel::RowTexts(const CTrigger& trigger) {
  QStringList cells;
  cells << trigger.GetName() << Fmt("%d", trigger.GetID());
  for (int param = 0; param < CTrigger::kFieldCount; ++param) {
    QString text;
    trigger.GetParamText(text, param);
    cells << text;
  }
  return cells;
}

TriggerListModel::Edit TriggerListModel::EditOf(int column) {
  if (column == kDuration) return Edit::InPlace;
  if (SelectionKindOf(column) != 0) return Edit::Select;
  return Edit::None;
}

uint32_t TriggerListModel::SelectionKindOf(int column) {
  if (column == kCondition) return kSelectCondition;
  if (column == kOnMacro || column == kOffMacro) return kSelectMacro;
  return 0;
}

bool TriggerListModel::ApplyChoice(CTrigger& trigger, int column, int id) {
  const int param = ParamOf(column);
  if (param < 0) return false;
  trigger.SetParam(param, id);
  return true;
}

bool TriggerListModel::ApplyText(CTrigger& trigger, int column, const QString& text) {
  if (column == kName) return trigger.SetUniqueName(text, true);
  if (column == kDuration) {
    float value = 0.0f;
    if (!ScanFloat(text, &value) || !std::isfinite(value)) return false;
    trigger.SetParamFloat(CTrigger::FIELD_DURATION, value);
    return true;
  }
  return false;
}

CTrigger* TriggerListModel::NewTrigger(CSelvantisDoc& doc) {
  auto trigger = std::make_unique<CTrigger>();
  if (!trigger->CreateOnCanvas(CTrigger::kKindTrigger, 1, 1, QString(), QRect(), CAT_ENTRIES, 0,
                               CBaseDevice::TF_NAME | CBaseDevice::TF_BELOW, &doc)) {
    return nullptr;
  }
  return static_cast<CTrigger*>(doc.AddObject(std::move(trigger)));
}
