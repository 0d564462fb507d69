#include "unit/caudiooutputslot.h"

#include "model/carchive.h"
#include "model/cmessagesink.h"
#include "model/cselectionprovider.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/ctext.h"

#include <QRect>

#include <memory>

SELV_IMPLEMENT_SERIAL(CAudioOutputSlot, 1)

namespace {

// The default system has two slots of each kind: "Slot3" and "Slot4"
// (identifiers 1 and 2), left of the digital slot ("Slot5").
constexpr int kProviderOrder = 100;
constexpr int kFirstSlotNumber = 3;

QRect SlotRect(int slotNumber) { return QRect(1933 - 250 * (5 - slotNumber), 2468, 230, 160); }

std::unique_ptr<CAudioOutputSlot> MakeSlot(CSelvantisDoc& doc, int slotNumber) {
  auto slot = std::make_unique<CAudioOutputSlot>();
  if (!slot->Create(0, 0, CAudioOutputSlot::kOutputs, Fmt("Slot%d", slotNumber), SlotRect(slotNumber), CAT_OUTPUTSLOTS,
                    0, CBaseDevice::TF_NAME, &doc)) {
    return nullptr;
  }
  slot->SetMoveLock(true);
  return slot;
}

const bool kRegistered = [] {
  CSelvantisDoc::RegisterObjectFactory(DT_AUDIOOUTPUTSLOT, [](CSelvantisDoc& doc, int) -> std::unique_ptr<CBaseDevice> {
    const int id = doc.GetIDManager().GetNextID(DT_AUDIOOUTPUTSLOT);
    return id > 0 ? MakeSlot(doc, kFirstSlotNumber + id - 1) : nullptr;
  });
  CSelvantisDoc::RegisterFixedObjectProvider(
      kProviderOrder, [](CSelvantisDoc& doc, CSelvantisDoc::FixedObjectOccasion occasion) {
        if (occasion != CSelvantisDoc::FixedObjectOccasion::NewDocument) return;
        for (int id = 1; id <= 2; ++id) {
          if (doc.GetIDManager().FindBaseDevice(id, DT_AUDIOOUTPUTSLOT) != nullptr) continue;
          if (auto slot = MakeSlot(doc, kFirstSlotNumber + id - 1)) doc.AddObject(std::move(slot));
        }
      });
  return true;
}();

}  // namespace

CAudioOutputSlot::CAudioOutputSlot() { SetType(DT_AUDIOOUTPUTSLOT); }

void CAudioOutputSlot::Serialize(CArchive& ar) {
  CBaseDevice::Serialize(ar);
  if (ar.IsStoring()) {
    ar << m_pinNames;
    return;
  }
  QStringList names;
  ar >> names;
  // Only the two outputs have names; anything beyond is dropped.
  while (names.size() > kOutputs) names.removeLast();
  m_pinNames = names;
}

bool CAudioOutputSlot::RegisterPath() {
  if (!CBaseDevice::RegisterPath()) return false;
  for (int pin = 0; pin < kOutputs; ++pin) {
    if (m_pinNames.value(pin).isEmpty()) {
      while (m_pinNames.size() <= pin) m_pinNames.append(QString());
      m_pinNames[pin] = Fmt("OUT%d", GetOutputNumber(pin));
    }
  }
  ApplyPinNames();
  return true;
}

int CAudioOutputSlot::GetOutputNumber(int pin) const {
  return (pin >= 0 && pin < kOutputs) ? pin + 2 * GetID() - 1 : 0;
}

bool CAudioOutputSlot::SetPinName(int pin, const QString& name) {
  if (pin < 0 || pin >= kOutputs) return false;
  while (m_pinNames.size() <= pin) m_pinNames.append(QString());
  m_pinNames[pin] = name;
  ApplyPinNames();
  SetModified();
  return true;
}

void CAudioOutputSlot::ApplyPinNames() {
  for (int pin = 0; pin < kOutputs && pin < m_pinNames.size(); ++pin) {
    if (pin < GetOutputCount()) SetOutputPinLabel(pin, m_pinNames.at(pin));
  }
}

int CAudioOutputSlot::WarnConnectionCount(int output) {
  if (output < 0 || output >= kOutputs) return 0;
  int count = 0;
  for (const ConnectionRecord& record : GetOutputConnections()) {
    if (record.nOwnPin == output) ++count;
  }
  if (count >= kWarnConnections) {
    QString format = LoadString(kWarnStringId);
    if (format.isEmpty()) format = QStringLiteral("Warning!\nOUT%d is connected to %d amplifier inputs");
    AfxMessageBox(FormatText(format, {GetOutputNumber(output), count}), MB_OK | MB_ICONEXCLAMATION, kWarnStringId);
  }
  return count;
}

namespace {

// The unit's audio outputs, several at a time: OUT1..OUT4, one bit each.
constexpr uint32_t kSelectOutput = 33021;
constexpr int kUnitOutputs = 4;

SELV_REGISTER_SELECTION(kSelectOutput, [](const CSelvantisDoc*, const SelectionRequest& request) {
  SelectionList list;
  const QStringList current = request.selection.split(QLatin1Char(','), Qt::SkipEmptyParts);
  for (int n = 1; n <= kUnitOutputs; ++n) {
    SelectionChoice choice;
    choice.columns = {Fmt("OUT%d", n)};
    choice.bits = 1u << (n - 1);
    choice.number = static_cast<int>(choice.bits);
    choice.preselected = current.contains(choice.columns[0], Qt::CaseInsensitive);
    list.choices.push_back(choice);
  }
  list.noneText = QStringLiteral("NONE");
  return list;
})

}  // namespace
