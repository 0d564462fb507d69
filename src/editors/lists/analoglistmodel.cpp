#include "editors/lists/analoglistmodel.h"

#include "logic/canalogcondition.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/ctext.h"

#include <QCoreApplication>

#include <memory>

namespace {

constexpr int kWidths[AnalogListModel::kColumnCount] = {160, 30, 160, 160, 160};

}  // namespace

QStringList AnalogListModel::ColumnTitles() {
  return {QCoreApplication::translate("AnalogListModel", "Range check"), LoadString(34244),
          QCoreApplication::translate("AnalogListModel", "KCM216 Input"),
          QCoreApplication::translate("AnalogListModel", "Minimum"),
          QCoreApplication::translate("AnalogListModel", "Maximum")};
}

int AnalogListModel::ColumnWidth(int column) { return column >= 0 && column < kColumnCount ? kWidths[column] : 150; }

Qt::Alignment AnalogListModel::ColumnAlignment(int column) { return column == kId ? Qt::AlignRight : Qt::AlignLeft; }

std::vector<CAnalogCondition*> AnalogListModel::AnalogConditions(const CSelvantisDoc& doc) {
  std::vector<CBaseDevice*> objects;
  doc.GetIDManager().GetBaseDeviceList(objects, DT_ANALOGCONDITION);
  std::vector<CAnalogCondition*> conditions;
  for (CBaseDevice* object : objects) {
    if (auto* condition = dynamic_cast<CAnalogCondition*>(object)) conditions.push_back(condition);
  }
  return conditions;
}

QStringList AnalogListModel::RowTexts(const CAnalogCondition& condition) {
  QStringList cells{condition.GetName(), Fmt("%d", condition.GetID())};
  for (int field = 0; field < 3; ++field) {
    QString text;
    condition.GetColumnText(text, field);
    cells << text;
  }
  return cells;
}

AnalogListModel::Edit AnalogListModel::EditOf(int column) {
  if (column == kInput) return Edit::Select;
  if (column == kMinimum || column == kMaximum) return Edit::InPlace;
  return Edit::None;
}

bool AnalogListModel::ApplyChoice(CAnalogCondition& condition, int column, int id) {
  if (column != kInput) return false;
  condition.SetValue(0, id, QString());
  return true;
}

bool AnalogListModel::ApplyText(CAnalogCondition& condition, int column, const QString& text) {
  switch (column) {
    case kName: return condition.SetUniqueName(text, true);
    case kMinimum: condition.SetColumnText(1, text); return true;
    case kMaximum: condition.SetColumnText(2, text); return true;
    default: return false;
  }
}

CAnalogCondition* AnalogListModel::NewAnalogCondition(CSelvantisDoc& doc) {
  auto condition = std::make_unique<CAnalogCondition>();
  if (!condition->CreateOnCanvas(CAnalogCondition::kKindAnalog, 1, 1, QString(), QRect(), CAT_ENTRIES, 0,
                                 CBaseDevice::TF_NAME | CBaseDevice::TF_BELOW, &doc)) {
    return nullptr;
  }
  return static_cast<CAnalogCondition*>(doc.AddObject(std::move(condition)));
}
