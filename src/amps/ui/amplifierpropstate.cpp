#include "amps/ui/amplifierpropstate.h"

#include "amps/camplifier.h"
#include "model/cidmanager.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/ctext.h"
#include "unit/caudiooutputslot.h"

#include <algorithm>

namespace {

constexpr uint32_t kStrNotUsed = 32788;
constexpr uint32_t kStrAddress = 34550;

}  // namespace

AmplifierPropState::AmplifierPropState(CSelvantisDoc* doc) : m_doc(doc) {
  m_remembered.fill(kNone);
  m_selected.fill(kNone);
  if (m_doc == nullptr) return;
  std::vector<CBaseDevice*> outputSlots;
  m_doc->GetIDManager().GetBaseDeviceList(outputSlots, DT_AUDIOOUTPUTSLOT);
  for (CBaseDevice* device : outputSlots) {
    auto* slot = dynamic_cast<CAudioOutputSlot*>(device);
    if (slot == nullptr) continue;
    for (int pin = 0; pin < CAudioOutputSlot::kOutputs; ++pin) {
      // The four channel lists hold four outputs; a project with more slots
      // than the unit has offers the first four.
      if (static_cast<int>(m_sources.size()) >= kMaxSources) break;
      Source source;
      source.slot = slot;
      source.pin = pin;
      source.name = slot->GetPinName(pin);
      if (source.name.isEmpty()) source.name = Fmt("OUT%d", slot->GetOutputNumber(pin));
      m_sources.push_back(source);
    }
  }
}

QStringList AmplifierPropState::ChannelTexts() const {
  QStringList texts;
  for (const Source& source : m_sources) texts << source.name;
  texts << LoadString(kStrNotUsed);
  return texts;
}

QStringList AmplifierPropState::ModelTexts() {
  QStringList texts;
  for (int row = 0; const AmpTypeInfo* info = CAmplifier::GetTypeRow(row); ++row)
    texts << LoadString(static_cast<uint32_t>(info->kind));
  return texts;
}

std::vector<CAmplifier*> AmplifierPropState::Amplifiers() const {
  std::vector<CAmplifier*> amps;
  if (m_doc == nullptr) return amps;
  std::vector<CBaseDevice*> devices;
  m_doc->GetIDManager().GetBaseDeviceList(devices, DT_AMPLIFIER);
  for (CBaseDevice* device : devices)
    if (auto* amp = dynamic_cast<CAmplifier*>(device)) amps.push_back(amp);
  return amps;
}

int AmplifierPropState::TreeImage(const CAmplifier* amp) { return amp != nullptr ? amp->GetModelOutputCount() + 1 : 0; }

void AmplifierPropState::SetAmplifier(CAmplifier* amp) {
  m_amp = amp;
  Reload();
}

int AmplifierPropState::ModelRowOfAmplifier() const {
  if (m_amp == nullptr) return -1;
  const AmpTypeInfo* info = m_amp->GetTypeInfo();
  return info->kind == kAmpKindNotUsed ? -1 : info->index;
}

void AmplifierPropState::Reload() {
  m_remembered.fill(kNone);
  m_modelRow = ModelRowOfAmplifier();
  m_modified = false;
  if (m_amp != nullptr) {
    for (const ConnectionRecord& record : m_amp->GetInputConnections()) {
      // Only the four inputs have lists; anything else is left alone.
      if (record.nOwnPin < 0 || record.nOwnPin >= kChannels) continue;
      const int entry = FindSource(record.pPeer, record.nPeerPin);
      if (entry != kNone) m_remembered[static_cast<size_t>(record.nOwnPin)] = entry;
    }
  }
  m_selected = m_remembered;
}

int AmplifierPropState::FindSource(const CBaseDevice* slot, int pin) const {
  if (slot == nullptr) return kNone;
  for (size_t i = 0; i < m_sources.size(); ++i)
    if (m_sources[i].slot == slot && m_sources[i].pin == pin) return static_cast<int>(i);
  return kNone;
}

int AmplifierPropState::PinCountOfModel(int row) {
  const AmpTypeInfo* info = CAmplifier::GetTypeRow(row);
  return info != nullptr ? std::clamp(info->outputs, 0, kChannels) : 0;
}

AmplifierPropState::View AmplifierPropState::GetView() const {
  View view;
  if (m_amp == nullptr) return view;
  view.hasAmplifier = true;
  view.modelRow = m_modelRow;
  view.advancedEnabled = m_amp->IsAddressable();
  view.addressEnabled = m_amp->IsAddressable();
  view.addressText = AddressText();
  // The rows show the amplifier's model as applied: a model picked in the
  // list shows its rows once Apply has made it the amplifier's.
  const int applied = ModelRowOfAmplifier();
  const AmpTypeInfo* info = CAmplifier::GetTypeRow(applied);
  const int outputs = PinCountOfModel(applied);
  for (int ch = 0; ch < kChannels; ++ch) {
    ChannelView& row = view.channels[static_cast<size_t>(ch)];
    row.shown = ch < outputs;
    row.power = Fmt("%d W", info != nullptr ? info->power[ch] : 0);
    row.choice = m_selected[static_cast<size_t>(ch)];
  }
  return view;
}

void AmplifierPropState::SelectModel(int row) {
  if (CAmplifier::GetTypeRow(row) == nullptr || row == m_modelRow) return;
  m_modelRow = row;
  m_modified = true;
}

void AmplifierPropState::SelectSource(int channel, int entry) {
  if (channel < 0 || channel >= kChannels) return;
  if (entry < 0 || entry >= static_cast<int>(m_sources.size()) || m_sources[static_cast<size_t>(entry)].slot == nullptr)
    entry = kNone;
  m_selected[static_cast<size_t>(channel)] = entry;
  m_modified = true;
}

int AmplifierPropState::GetSelectedSource(int channel) const {
  return (channel >= 0 && channel < kChannels) ? m_selected[static_cast<size_t>(channel)] : kNone;
}

void AmplifierPropState::Apply() {
  if (m_amp == nullptr) return;
  const AmpTypeInfo* info = CAmplifier::GetTypeRow(m_modelRow);
  const bool kindChanged = info != nullptr && info->kind != m_amp->GetKind();
  if (kindChanged) {
    m_amp->SetKind(info->kind);  // removes every input connection
    m_remembered.fill(kNone);
  }
  m_amp->Invalidate();
  const int pins = std::min(m_amp->GetInputCount(), kChannels);
  for (int input = 0; input < pins; ++input) {
    const int chosen = m_selected[static_cast<size_t>(input)];
    const int old = m_remembered[static_cast<size_t>(input)];
    // An unchanged choice keeps its connection (and warns no one again).
    if (chosen != old) {
      if (old != kNone) {
        const Source& from = m_sources[static_cast<size_t>(old)];
        CBaseDevice::Disconnect(from.slot, from.pin, m_amp, input);
      }
      if (chosen != kNone) {
        const Source& from = m_sources[static_cast<size_t>(chosen)];
        CBaseDevice::Connect(from.slot, from.pin, m_amp, input);
        from.slot->WarnConnectionCount(from.pin);
      }
      m_remembered[static_cast<size_t>(input)] = chosen;
    }
    // "Not used" keeps the stored source number: only the connection goes.
    if (chosen != kNone) m_amp->SetInputValue(input, chosen + 1);
  }
  m_amp->SetModified();
  m_amp->Invalidate();
  Reload();
}

QString AmplifierPropState::AddressText() const {
  if (m_amp != nullptr && m_amp->IsAddressable() && m_amp->GetAddress() >= 0)
    return Fmt("Adr. %02x", m_amp->GetAddress());
  return LoadString(kStrAddress);
}

QString AmplifierPropState::AddressSelection() const {
  return (m_amp != nullptr && m_amp->GetAddress() >= 0) ? Fmt("%x", m_amp->GetAddress()) : QString();
}

bool AmplifierPropState::SetAddress(int address) {
  if (m_amp == nullptr || address < 0 || address >= CAmplifier::kAddressCount) return false;
  m_amp->SetAddress(0, address);
  m_amp->SetModified();
  m_amp->Invalidate();
  return true;
}

void AmplifierPropState::Forget(const CBaseDevice* object) {
  if (object == nullptr) return;
  if (object == m_amp) {
    m_amp = nullptr;
    Reload();
  }
  for (size_t i = 0; i < m_sources.size(); ++i) {
    if (m_sources[i].slot != object) continue;
    // Keep the indexes of the lists: the entry stays, without a slot.
    for (int& r : m_remembered)
      if (r == static_cast<int>(i)) r = kNone;
    for (int& s : m_selected)
      if (s == static_cast<int>(i)) s = kNone;
    m_sources[i].slot = nullptr;
  }
}
