#include "unit/caudioinputslot.h"

#include "link/idevicelink.h"
#include "model/carchive.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"

#include <QRect>

#include <algorithm>
#include <memory>

SELV_IMPLEMENT_SERIAL(CAudioInputSlot, 1)

namespace {

// The default system has two slots of each kind: "Slot1" and "Slot2"
// (identifiers 1 and 2), left of the digital slot ("Slot5").
constexpr int kProviderOrder = 100;
constexpr int kFirstSlotNumber = 1;

QRect SlotRect(int slotNumber) { return QRect(1933 - 250 * (5 - slotNumber), 2468, 230, 160); }

std::unique_ptr<CAudioInputSlot> MakeSlot(CSelvantisDoc& doc, int slotNumber) {
  auto slot = std::make_unique<CAudioInputSlot>();
  if (!slot->Create(0, CAudioInputSlot::kInputs, 0, Fmt("Slot%d", slotNumber), SlotRect(slotNumber), CAT_INPUTSLOTS, 0,
                    CBaseDevice::TF_NAME, &doc)) {
    return nullptr;
  }
  slot->SetMoveLock(true);
  return slot;
}

const bool kRegistered = [] {
  CSelvantisDoc::RegisterObjectFactory(DT_AUDIOINPUTSLOT, [](CSelvantisDoc& doc, int) -> std::unique_ptr<CBaseDevice> {
    const int id = doc.GetIDManager().GetNextID(DT_AUDIOINPUTSLOT);
    return id > 0 ? MakeSlot(doc, kFirstSlotNumber + id - 1) : nullptr;
  });
  CSelvantisDoc::RegisterFixedObjectProvider(
      kProviderOrder, [](CSelvantisDoc& doc, CSelvantisDoc::FixedObjectOccasion occasion) {
        if (occasion != CSelvantisDoc::FixedObjectOccasion::NewDocument) return;
        for (int id = 1; id <= 2; ++id) {
          if (doc.GetIDManager().FindBaseDevice(id, DT_AUDIOINPUTSLOT) != nullptr) continue;
          if (auto slot = MakeSlot(doc, kFirstSlotNumber + id - 1)) doc.AddObject(std::move(slot));
        }
      });
  return true;
}();

}  // namespace

CAudioInputSlot::CAudioInputSlot() { SetType(DT_AUDIOINPUTSLOT); }

void CAudioInputSlot::Serialize(CArchive& ar) {
  CBaseDevice::Serialize(ar);
  if (ar.IsStoring()) {
    for (int i = 0; i < kInputs; ++i) ar << static_cast<int32_t>(m_moduleKind[i]) << m_level[i];
    return;
  }
  for (int i = 0; i < kInputs; ++i) {
    int32_t kind = 0;
    float level = 0.0f;
    ar >> kind >> level;
    // A damaged value falls back to no module / the clamped level.
    m_moduleKind[i] = (kind >= MODULE_NONE && kind <= MODULE_AUX) ? kind : MODULE_NONE;
    m_level[i] = level == level ? std::clamp(level, kMinLevel, kMaxLevel) : 0.0f;
  }
}

bool CAudioInputSlot::RegisterPath() {
  if (!CBaseDevice::RegisterPath()) return false;
  SetInputPinLabel(0, Fmt("IN%d", GetInputNumber(0)));
  SetInputPinLabel(1, Fmt("IN%d", GetInputNumber(1)));
  return true;
}

int CAudioInputSlot::GetInputNumber(int input) const { return IsInput(input) ? 2 * GetID() - 1 + input : 0; }

int CAudioInputSlot::GetModuleKind(int input) const { return IsInput(input) ? m_moduleKind[input] : MODULE_NONE; }

void CAudioInputSlot::SetModuleKind(int input, int kind) {
  if (!IsInput(input) || kind < MODULE_NONE || kind > MODULE_AUX) return;
  m_moduleKind[input] = kind;
  SetModified();
}

float CAudioInputSlot::GetLevel(int input) const { return IsInput(input) ? m_level[input] : 0.0f; }

void CAudioInputSlot::SetLevel(int input, float level) {
  if (!IsInput(input) || level != level) return;
  m_level[input] = std::clamp(level, kMinLevel, kMaxLevel);
  SetModified();
}

void CAudioInputSlot::GetParamText(QString& out, int kind, int input) const {
  out = (kind == kParamLevel && IsInput(input)) ? Fmt("%2.1f", static_cast<double>(m_level[input])) : QString();
}

void CAudioInputSlot::SetParamText(int kind, int input, const QString& text) {
  float value = 0.0f;
  if (kind != kParamLevel || !IsInput(input) || !ScanFloat(text, &value)) return;
  SetLevel(input, value);
}

bool CAudioInputSlot::ParseLevelReply(const QString& key, const QString& value) {
  QString k = key;
  if (k.startsWith(QLatin1Char('/'))) k.remove(0, 1);
  for (int i = 0; i < kInputs; ++i) {
    if (k.compare(Fmt("IN%d/VOL", GetInputNumber(i)), Qt::CaseInsensitive) != 0) continue;
    float level = 0.0f;
    if (!ScanFloat(value, &level)) return false;
    SetLevel(i, level);
    return true;
  }
  return false;
}

int CAudioInputSlot::Download(bool bQuery, int nStep) {
  if (nStep < 0) return kInputs;
  if (nStep >= kInputs) return -1;
  if (IsLinkBusy()) return nStep;
  const QString value = bQuery ? QStringLiteral("?") : Fmt("%2.1f", static_cast<double>(m_level[nStep]));
  GetDeviceLink()->SendDeviceCommand(Fmt("/AUDIO/IN%d/VOL ", GetInputNumber(nStep)) + value, GetDocument(), false);
  return nStep + 1;
}
