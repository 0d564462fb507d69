#include "editors/lists/memoflaglistmodel.h"

#include "editors/lists/statuspollcolumn.h"
#include "logic/cmemoflag.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/ctext.h"

#include <memory>

namespace {

constexpr uint32_t kTitleIds[MemoFlagListModel::kColumnCount] = {34130, 34244, 34388};
constexpr int kWidths[MemoFlagListModel::kColumnCount] = {260, 30, 80};

}  // namespace

QStringList MemoFlagListModel::ColumnTitles() {
  QStringList titles;
  for (uint32_t id : kTitleIds) titles << LoadString(id);
  return titles;
}

int MemoFlagListModel::ColumnWidth(int column) { return column >= 0 && column < kColumnCount ? kWidths[column] : 150; }

Qt::Alignment MemoFlagListModel::ColumnAlignment(int column) { return column == kId ? Qt::AlignRight : Qt::AlignLeft; }

std::vector<CMemoFlag*> MemoFlagListModel::MemoFlags(const CSelvantisDoc& doc) {
  std::vector<CBaseDevice*> objects;
  doc.GetIDManager().GetBaseDeviceList(objects, DT_MEMOFLAG);
  std::vector<CMemoFlag*> flags;
  for (CBaseDevice* object : objects) {
    if (auto* flag = dynamic_cast<CMemoFlag*>(object)) flags.push_back(flag);
  }
  return flags;
}

QStringList MemoFlagListModel::RowTexts(const CMemoFlag& flag) {
  return QStringList{flag.GetName(), flag.GetIDString(), QString()};
}

bool MemoFlagListModel::Rename(CMemoFlag& flag, const QString& text) { return flag.SetUniqueName(text, true); }

std::optional<int> MemoFlagListModel::Renumber(CMemoFlag& flag, const QString& text) {
  int id = 0;
  if (!ScanInt(text.trimmed(), &id)) return std::nullopt;
  if (id == flag.GetID()) return id;
  const int changed = flag.ChangeID(id);
  if (changed == 0) return std::nullopt;
  return changed;
}

BitSet MemoFlagListModel::ParseStates(const QString& reply) { return StatusPollColumn::ParseReply(reply, kStateBits); }

QString MemoFlagListModel::StateText(const BitSet& states, int id) {
  return OnOffText(id > 0 && TestBit(states, static_cast<unsigned>(id - 1)));
}

CMemoFlag* MemoFlagListModel::NewMemoFlag(CSelvantisDoc& doc) {
  auto flag = std::make_unique<CMemoFlag>();
  if (!flag->CreateOnCanvas(CMemoFlag::kKindMemoFlag, 1, 1, QString(), QRect(), CAT_ENTRIES, 0,
                            CBaseDevice::TF_NAME | CBaseDevice::TF_BELOW, &doc)) {
    return nullptr;
  }
  return static_cast<CMemoFlag*>(doc.AddObject(std::move(flag)));
}
