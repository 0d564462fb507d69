#include "editors/lists/combinelistmodel.h"

#include "logic/ccombinecondition.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/ctext.h"

#include <QCoreApplication>

#include <algorithm>
#include <memory>

namespace {

constexpr int kWidths[CombineListModel::kColumnCount] = {180, 30, 80, 60, 180};
constexpr int kFieldLogic = 0;

}  // namespace

QStringList CombineListModel::ColumnTitles() {
  return {QCoreApplication::translate("CombineListModel", "Name"), LoadString(34244),
          QCoreApplication::translate("CombineListModel", "Logic"),
          QCoreApplication::translate("CombineListModel", "Inv."),
          QCoreApplication::translate("CombineListModel", "Condition")};
}

int CombineListModel::ColumnWidth(int column) { return column >= 0 && column < kColumnCount ? kWidths[column] : 150; }

Qt::Alignment CombineListModel::ColumnAlignment(int column) { return column == kId ? Qt::AlignRight : Qt::AlignLeft; }

std::vector<CCombineCondition*> CombineListModel::Combinations(const CSelvantisDoc& doc) {
  std::vector<CBaseDevice*> objects;
  doc.GetIDManager().GetBaseDeviceList(objects, DT_COMBINECONDITION);
  std::vector<CCombineCondition*> combinations;
  for (CBaseDevice* object : objects) {
    if (auto* combination = dynamic_cast<CCombineCondition*>(object)) combinations.push_back(combination);
  }
  return combinations;
}

QStringList CombineListModel::RowTexts(const CCombineCondition& combination, int k) {
  QString invert;
  QString condition;
  combination.GetColumnText(invert, 2 + 2 * k);
  combination.GetColumnText(condition, 3 + 2 * k);
  if (k != 0) return {QString(), QString(), QString(), invert, condition};
  QString logic;
  combination.GetColumnText(logic, kFieldLogic);
  return {combination.GetName(), Fmt("%d", combination.GetID()), logic, invert, condition};
}

int CombineListModel::FieldOf(int row, int column) {
  if (row < 0) return -1;
  const int k = row % kRowsPerEntry;
  switch (column) {
    case kLogic: return kFieldLogic;
    case kInvert: return 2 + 2 * k;
    case kCondition: return 3 + 2 * k;
    default: return -1;
  }
}

uint32_t CombineListModel::KindOf(int column) {
  switch (column) {
    case kLogic: return kSelectLogic;
    case kInvert: return kSelectInvert;
    case kCondition: return kSelectCondition;
    default: return 0;
  }
}

void CombineListModel::ToggleInvert(CCombineCondition& combination, int field) {
  combination.SetValue(field, combination.GetValue(field) == 0 ? 1 : 0);
}

void CombineListModel::ApplyChoice(CCombineCondition& combination, int field, int value) {
  if (field >= 0) combination.SetValue(field, value);
}

bool CombineListModel::ApplyText(CCombineCondition& combination, int column, const QString& text) {
  if (column == kName) return combination.SetUniqueName(text, true);
  return false;
}

int CombineListModel::RowToSelect(const std::vector<int>& rowIds, int currentId) {
  if (rowIds.empty()) return -1;
  for (size_t row = 0; row < rowIds.size(); row += kRowsPerEntry) {
    if (rowIds[row] == currentId) return static_cast<int>(std::min(row + kRowsPerEntry, rowIds.size())) - 1;
  }
  return 0;
}

// By block, not by row: the selected row may be any of the four of its
// combination, and the rows next to it usually belong to the same one.
int CombineListModel::CurrentAfterDelete(const std::vector<int>& rowIds, int deletedRow, int current) {
  const int count = static_cast<int>(rowIds.size());
  if (deletedRow < 0 || deletedRow >= count) return current;
  const int first = deletedRow - deletedRow % kRowsPerEntry;
  if (first + kRowsPerEntry < count) return rowIds[first + kRowsPerEntry];
  if (first - kRowsPerEntry >= 0) return rowIds[first - kRowsPerEntry];
  return current;
}

CCombineCondition* CombineListModel::NewCombineCondition(CSelvantisDoc& doc) {
  auto combination = std::make_unique<CCombineCondition>();
  if (!combination->CreateOnCanvas(CCombineCondition::kKindCombine, 1, 1, QString(), QRect(), CAT_ENTRIES, 0,
                                   CBaseDevice::TF_NAME | CBaseDevice::TF_BELOW, &doc)) {
    return nullptr;
  }
  return static_cast<CCombineCondition*>(doc.AddObject(std::move(combination)));
}
