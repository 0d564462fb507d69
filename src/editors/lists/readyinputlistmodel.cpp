#include "editors/lists/readyinputlistmodel.h"

#include "editors/lists/statuspollcolumn.h"
#include "logic/cglobalreadyinput.h"
#include "logic/creadyinput.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/ctext.h"

#include <memory>

namespace {

constexpr uint32_t kTitleIds[ReadyInputListModel::kColumnCount] = {34282, 34244, 33020, 34243,
                                                                   34284, 34285, 34286, 34388};
constexpr int kWidths[ReadyInputListModel::kColumnCount] = {110, 30, 130, 60, 60, 70, 40, 60};
constexpr uint32_t kOptionTitleIds[2] = {34483, 34244};
constexpr int kOptionWidths[2] = {135, 35};

int TextCode(int index) { return (index << 16) | 1; }

}  // namespace

QStringList ReadyInputListModel::ColumnTitles() {
  QStringList titles;
  for (uint32_t id : kTitleIds) titles << LoadString(id);
  return titles;
}

int ReadyInputListModel::ColumnWidth(int column) {
  return column >= 0 && column < kColumnCount ? kWidths[column] : 150;
}

Qt::Alignment ReadyInputListModel::ColumnAlignment(int column) {
  return column == kId ? Qt::AlignRight : Qt::AlignLeft;
}

CGlobalReadyInput* ReadyInputListModel::Global(const CSelvantisDoc& doc) {
  return dynamic_cast<CGlobalReadyInput*>(doc.GetIDManager().FindBaseDevice(1, DT_GLOBALREADYINPUT));
}

std::vector<CReadyInput*> ReadyInputListModel::ReadyInputs(const CSelvantisDoc& doc) {
  std::vector<CBaseDevice*> objects;
  doc.GetIDManager().GetBaseDeviceList(objects, DT_READYINPUT);
  std::vector<CReadyInput*> inputs;
  for (CBaseDevice* object : objects) {
    if (auto* input = dynamic_cast<CReadyInput*>(object)) inputs.push_back(input);
  }
  return inputs;
}

QStringList ReadyInputListModel::RowTexts(const CReadyInput& input, const CGlobalReadyInput* global) {
  QStringList cells;
  cells << input.GetName() << input.GetIDString();
  QString text;
  input.GetColumnText(text, 0);
  cells << text;
  input.GetColumnText(text, 3);
  cells << text;
  input.GetColumnText(text, 4);
  cells << text;
  text.clear();
  if (global) global->GetColumnText(text, TextCode(input.GetValue(5) - 1));
  cells << text;
  input.GetColumnText(text, 6);
  cells << text << QString();
  return cells;
}

ReadyInputListModel::Edit ReadyInputListModel::EditOf(int column) {
  switch (column) {
    case kInput:
    case kText: return Edit::Select;
    case kLevel:
    case kMasked: return Edit::Toggle;
    case kNumber: return Edit::InPlace;
    default: return Edit::None;
  }
}

uint32_t ReadyInputListModel::SelectionKindOf(int column) {
  if (column == kInput) return kSelectInput;
  if (column == kText) return kSelectText;
  return 0;
}

bool ReadyInputListModel::ApplyChoice(CReadyInput& input, int column, int choice) {
  if (column == kInput) {
    input.SetValue(0, choice);
    return true;
  }
  if (column == kText) {
    input.SetValue(5, choice + 1);
    return true;
  }
  return false;
}

bool ReadyInputListModel::Toggle(CReadyInput& input, int column) {
  if (column != kLevel && column != kMasked) return false;
  input.SetValue(column, input.GetValue(column) == 0 ? 1 : 0);
  return true;
}

bool ReadyInputListModel::ApplyText(CReadyInput& input, int column, const QString& text) {
  if (column == kName) return input.SetUniqueName(text, true);
  if (column == kNumber) {
    const int before = input.GetValue(6);
    input.SetColumnText(6, text);
    return input.GetValue(6) != before;
  }
  return false;
}

QString ReadyInputListModel::StateText(const BitSet& ready, const BitSet& fault, int id) {
  if (id <= 0) return QString();
  const unsigned bit = static_cast<unsigned>(id - 1);
  QString text;
  if (TestBit(ready, bit)) text = QStringLiteral("READY");
  if (TestBit(fault, bit)) text += text.isEmpty() ? QStringLiteral("FAULT") : QStringLiteral("+FAULT");
  return text;
}

BitSet ReadyInputListModel::ParseStates(const QString& reply) {
  return StatusPollColumn::ParseReply(reply, kStateBits);
}

QStringList ReadyInputListModel::OptionTitles() {
  return QStringList{LoadString(kOptionTitleIds[0]), LoadString(kOptionTitleIds[1])};
}

int ReadyInputListModel::OptionWidth(int column) { return column == 0 || column == 1 ? kOptionWidths[column] : 150; }

std::vector<QStringList> ReadyInputListModel::OptionRows(const CGlobalReadyInput& global) {
  std::vector<QStringList> rows;
  for (int i = 0; i < global.GetTextCount(3); ++i) {
    QString text;
    global.GetColumnText(text, TextCode(i));
    rows.push_back(QStringList{text, Fmt("%d", i + 1)});
  }
  return rows;
}

void ReadyInputListModel::SetUserText(CGlobalReadyInput& global, int row, const QString& text) {
  if (row < 0 || row >= global.GetTextCount(3)) return;
  global.SetColumnText(TextCode(row), text);
}

QString ReadyInputListModel::MaskTimeText(const CGlobalReadyInput& global) {
  QString text;
  global.GetColumnText(text, 2);
  return text;
}

void ReadyInputListModel::SetMaskTime(CGlobalReadyInput& global, const QString& text) { global.SetColumnText(2, text); }

CReadyInput* ReadyInputListModel::NewReadyInput(CSelvantisDoc& doc) {
  auto input = std::make_unique<CReadyInput>();
  if (!input->CreateOnCanvas(CReadyInput::kKindReadyInput, 1, 1, QString(), QRect(), CAT_ENTRIES, 0,
                             CBaseDevice::TF_NAME | CBaseDevice::TF_BELOW, &doc)) {
    return nullptr;
  }
  return static_cast<CReadyInput*>(doc.AddObject(std::move(input)));
}
