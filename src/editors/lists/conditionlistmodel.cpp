#include "editors/lists/conditionlistmodel.h"

#include "logic/ccondition.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/ctext.h"

#include <QCoreApplication>

#include <memory>

namespace {

constexpr int kWidths[ConditionListModel::kColumnCount] = {190, 30, 140, 60, 160};
constexpr int kFieldLevel = 2;
constexpr int kFieldSource = 4;
constexpr int kFieldType = 5;

}  // namespace

QStringList ConditionListModel::ColumnTitles(bool polling) {
  QStringList titles;
  titles << QCoreApplication::translate("ConditionListModel", "Condition") << LoadString(34244)
         << QCoreApplication::translate("ConditionListModel", "Selection")
         << QCoreApplication::translate("ConditionListModel", "Level");
  QString state = QCoreApplication::translate("ConditionListModel", "State");
  if (polling) state += QStringLiteral(" *");
  titles << state;
  return titles;
}

int ConditionListModel::ColumnWidth(int column) { return column >= 0 && column < kColumnCount ? kWidths[column] : 150; }

Qt::Alignment ConditionListModel::ColumnAlignment(int column) { return column == kId ? Qt::AlignRight : Qt::AlignLeft; }

std::vector<CCondition*> ConditionListModel::Conditions(const CSelvantisDoc& doc) {
  std::vector<CBaseDevice*> objects;
  doc.GetIDManager().GetBaseDeviceList(objects, DT_CONDITION);
  std::vector<CCondition*> conditions;
  for (CBaseDevice* object : objects) {
    if (auto* condition = dynamic_cast<CCondition*>(object)) conditions.push_back(condition);
  }
  return conditions;
}

QStringList ConditionListModel::RowTexts(const CCondition& condition) {
  QString source;
  QString level;
  condition.GetColumnText(source, 4);
  condition.GetColumnText(level, 2);
  return {condition.GetName(), Fmt("%d", condition.GetID()), source, level, QString()};
}

ConditionListModel::Edit ConditionListModel::EditOf(int column, const CCondition& condition) {
  switch (column) {
    case kName: return Edit::SelectType;
    case kSelection: return condition.GetSourceObjectKind() != 0 ? Edit::SelectSource : Edit::None;
    case kLevel: return Edit::ToggleLevel;
    default: return Edit::None;
  }
}

void ConditionListModel::SetType(CCondition& condition, int kind) { condition.SetValue(kFieldType, kind); }

void ConditionListModel::SetSource(CCondition& condition, int id) { condition.SetValue(kFieldSource, id); }

void ConditionListModel::ToggleLevel(CCondition& condition) {
  condition.SetValue(kFieldLevel, condition.GetValue(kFieldLevel) == 0 ? 1 : 0);
}

bool ConditionListModel::ApplyText(CCondition& condition, int column, const QString& text) {
  if (column == kName) return condition.SetUniqueName(text, true);
  return false;
}

CCondition* ConditionListModel::NewCondition(CSelvantisDoc& doc, int kind) {
  auto condition = std::make_unique<CCondition>();
  if (!condition->CreateOnCanvas(kind, 1, 1, QString(), QRect(), CAT_ENTRIES, 0,
                                 CBaseDevice::TF_NAME | CBaseDevice::TF_BELOW, &doc)) {
    return nullptr;
  }
  auto* added = static_cast<CCondition*>(doc.AddObject(std::move(condition)));
  if (added) added->SetValue(kFieldSource, kind == CCondition::kKindAmplifierError ? CCondition::kAllAmplifiers : 0);
  return added;
}

QString ConditionListModel::StatusQuery() { return QStringLiteral("/CONDITION/TRUE ?"); }

BitSet ConditionListModel::ParseTrueConditions(const QString& reply) {
  BitSet bits = MakeBitSet(kMaxConditions);
  const QString text = reply.trimmed();
  if (text.isEmpty()) return bits;
  int start = text.size();
  while (start > 0 && !text.at(start - 1).isSpace()) --start;
  const QString list = text.mid(start);
  // A list that does not read leaves nothing half set.
  if (!ParseRangeList(list, bits, kMaxConditions)) bits = MakeBitSet(kMaxConditions);
  return bits;
}

QString ConditionListModel::StateText(const BitSet& trueConditions, int id) {
  const bool isTrue = id >= 1 && TestBit(trueConditions, static_cast<unsigned>(id - 1));
  return isTrue ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
}
