#include "editors/lists/logicoutlistmodel.h"

#include "logic/clogicout.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"

#include <memory>

namespace {

constexpr uint32_t kTitleIds[LogicOutListModel::kColumnCount] = {34460, 34244, 33021, 34129, 34454};
constexpr int kWidths[LogicOutListModel::kColumnCount] = {160, 30, 160, 160, 160};

// The column of CLogicOut::GetColumnText / GetValue / SetValue a list column shows.
int FieldOf(int column) {
  switch (column) {
    case LogicOutListModel::kOutput: return 4;
    case LogicOutListModel::kCondition: return 2;
    case LogicOutListModel::kInvert: return 3;
    default: return -1;
  }
}

}  // namespace

QStringList LogicOutListModel::ColumnTitles() {
  QStringList titles;
  for (uint32_t id : kTitleIds) titles << LoadString(id);
  return titles;
}

int LogicOutListModel::ColumnWidth(int column) { return column >= 0 && column < kColumnCount ? kWidths[column] : 150; }

Qt::Alignment LogicOutListModel::ColumnAlignment(int column) { return column == kId ? Qt::AlignRight : Qt::AlignLeft; }

std::vector<CLogicOut*> LogicOutListModel::LogicOuts(const CSelvantisDoc& doc) {
  std::vector<CBaseDevice*> objects;
  doc.GetIDManager().GetBaseDeviceList(objects, DT_LOGICOUT);
  std::vector<CLogicOut*> outs;
  for (CBaseDevice* object : objects) {
    if (auto* out = dynamic_cast<CLogicOut*>(object)) outs.push_back(out);
  }
  return outs;
}

QStringList LogicOutListModel::RowTexts(const CLogicOut& out) {
  QStringList cells;
  cells << out.GetName() << out.GetIDString();
  for (int column = kOutput; column < kColumnCount; ++column) {
    QString text;
    out.GetColumnText(text, FieldOf(column));
    cells << text;
  }
  return cells;
}

LogicOutListModel::Edit LogicOutListModel::EditOf(int column) {
  if (column == kInvert) return Edit::Toggle;
  if (SelectionKindOf(column) != 0) return Edit::Select;
  return Edit::None;
}

uint32_t LogicOutListModel::SelectionKindOf(int column) {
  if (column == kOutput) return kSelectOutput;
  if (column == kCondition) return kSelectCondition;
  return 0;
}

bool LogicOutListModel::ApplyChoice(CLogicOut& out, int column, int id) {
  if (column != kOutput && column != kCondition) return false;
  out.SetValue(FieldOf(column), id);
  return true;
}

bool LogicOutListModel::Toggle(CLogicOut& out, int column) {
  if (column != kInvert) return false;
  const int field = FieldOf(column);
  out.SetValue(field, out.GetValue(field) ? 0 : 1);
  return true;
}

bool LogicOutListModel::ApplyText(CLogicOut& out, int column, const QString& text) {
  if (column != kName) return false;
  return out.SetUniqueName(text, true);
}

CLogicOut* LogicOutListModel::NewLogicOut(CSelvantisDoc& doc) {
  auto out = std::make_unique<CLogicOut>();
  if (!out->CreateOnCanvas(CLogicOut::kKindLogicOut, 1, 1, QString(), QRect(), CAT_ENTRIES, 0,
                           CBaseDevice::TF_NAME | CBaseDevice::TF_BELOW, &doc)) {
    return nullptr;
  }
  return static_cast<CLogicOut*>(doc.AddObject(std::move(out)));
}
