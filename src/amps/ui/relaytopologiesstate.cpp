#include "amps/ui/relaytopologiesstate.h"

#include "amps/crelais.h"
#include "amps/crelaismanager.h"
#include "amps/crelaistopology.h"
#include "amps/czone.h"
#include "model/cidmanager.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/ctext.h"

#include <algorithm>

namespace {

constexpr uint32_t kStrNotUsed = 32788;

}  // namespace

RelayTopologiesState::RelayTopologiesState(CSelvantisDoc* doc) : m_doc(doc) {
  m_inputs.fill(kNone);
  BuildInputEntries();
}

std::vector<RelayTopologiesState::KindEntry> RelayTopologiesState::Kinds() {
  std::vector<KindEntry> kinds;
  for (int index = 0; const CRelaisTopology::KindRow* row = CRelaisTopology::GetKindRow(index); ++index) {
    KindEntry entry;
    entry.kind = row->kind;
    entry.caption = LoadString(static_cast<uint32_t>(row->kind));
    entry.picture = row->picture;
    kinds.push_back(entry);
  }
  return kinds;
}

RelayTopologiesState::KindLayout RelayTopologiesState::LayoutOf(int kind) {
  KindLayout layout;
  layout.inputs = std::min(CRelaisTopology::InputCountOfKind(kind), kInputs);
  switch (kind) {
    case CRelaisTopology::KIND_DIRECT: break;
    case CRelaisTopology::KIND_PROGPAGE:
      layout.firstRelayShown = true;
      layout.pageRelayShown = true;
      layout.background = true;
      break;
    default: layout.firstRelayShown = true; break;
  }
  return layout;
}

int RelayTopologiesState::PictureOf(const CRelaisTopology* topology) {
  return topology != nullptr ? CRelaisTopology::FindKindRow(topology->GetKind())->picture : 0;
}

std::vector<CRelaisTopology*> RelayTopologiesState::Topologies() const {
  std::vector<CRelaisTopology*> topologies;
  if (m_doc == nullptr) return topologies;
  std::vector<CBaseDevice*> devices;
  m_doc->GetIDManager().GetBaseDeviceList(devices, DT_RELAYTOPOLOGY);
  for (CBaseDevice* device : devices)
    if (auto* topology = dynamic_cast<CRelaisTopology*>(device)) topologies.push_back(topology);
  return topologies;
}

void RelayTopologiesState::BuildInputEntries() {
  m_entries.clear();
  if (m_doc == nullptr) return;
  std::vector<CBaseDevice*> amps;
  m_doc->GetIDManager().GetBaseDeviceList(amps, DT_AMPLIFIER);
  for (CBaseDevice* amp : amps) {
    for (int pin = 0; pin < amp->GetOutputCount(); ++pin) {
      QString pinName = amp->GetOutputPinLabel(pin);
      if (pinName.isEmpty()) pinName = amp->GetName() + Fmt(" %d", pin + 1);
      for (const ConnectionRecord& record : amp->GetOutputConnections()) {
        if (record.nOwnPin != pin || record.pPeer == nullptr) continue;
        InputEntry entry;
        entry.amplifier = amp;
        entry.pin = pin;
        entry.peer = record.pPeer;
        entry.peerPin = record.nPeerPin;
        entry.text = pinName + QStringLiteral(" (") + record.pPeer->GetName() + Fmt(" - %d)", record.nPeerPin + 1);
        m_entries.push_back(entry);
      }
    }
  }
}

QStringList RelayTopologiesState::InputTexts() const {
  QStringList texts;
  for (const InputEntry& entry : m_entries) texts << entry.text;
  texts << LoadString(kStrNotUsed);
  return texts;
}

void RelayTopologiesState::SetTopology(CRelaisTopology* topology) {
  m_topology = topology;
  Reload();
}

QString RelayTopologiesState::FirstZoneRelayText(int pin, const QString& fallback) const {
  const CZone* zone = m_topology != nullptr ? m_topology->GetZoneOnPin(0) : nullptr;
  if (zone == nullptr) return QString();
  const int number = zone->GetRelayNumber(pin);
  return number > 0 ? Fmt("%d", number) : fallback;
}

void RelayTopologiesState::Reload() {
  m_inputs.fill(kNone);
  m_kindRow = -1;
  m_zoneCount.clear();
  m_firstRelay = QStringLiteral("1");
  m_pageRelay = QStringLiteral("1");
  if (m_topology != nullptr) {
    const std::vector<KindEntry> kinds = Kinds();
    for (size_t row = 0; row < kinds.size(); ++row)
      if (kinds[row].kind == m_topology->GetKind()) m_kindRow = static_cast<int>(row);
    m_zoneCount = Fmt("%d", m_topology->GetOutputCount());
    if (m_topology->GetZoneOnPin(0) != nullptr) {
      m_firstRelay = FirstZoneRelayText(1, QStringLiteral("1"));
      m_pageRelay = FirstZoneRelayText(2, QStringLiteral("1"));
    }
    for (int input = 0; input < kInputs; ++input) m_inputs[static_cast<size_t>(input)] = MatchInput(input);
  }
  m_firstValid = IsRelayFree(m_firstRelay);
  m_pageValid = IsRelayFree(m_pageRelay);
}

int RelayTopologiesState::MatchInput(int input) const {
  int sameSource = kNone;
  for (const ConnectionRecord& record : m_topology->GetInputConnections()) {
    if (record.nOwnPin != input || record.pPeer == nullptr) continue;
    for (size_t i = 0; i < m_entries.size(); ++i) {
      const InputEntry& entry = m_entries[i];
      if (entry.amplifier != record.pPeer || entry.pin != record.nPeerPin) continue;
      // The entry of this very connection first; else any of the same output.
      if (entry.peer == m_topology && entry.peerPin == input) return static_cast<int>(i);
      if (sameSource == kNone) sameSource = static_cast<int>(i);
    }
  }
  return sameSource;
}

RelayTopologiesState::View RelayTopologiesState::GetView() const {
  View view;
  view.inputs.fill(kNone);
  if (m_topology == nullptr) return view;
  view.hasTopology = true;
  view.kindRow = m_kindRow;
  view.zoneCount = m_zoneCount;
  view.firstRelay = m_firstRelay;
  view.pageRelay = m_pageRelay;
  view.layout = LayoutOf(GetSelectedKind());
  view.inputs = m_inputs;
  return view;
}

void RelayTopologiesState::SelectKind(int row) {
  if (row >= 0 && row < static_cast<int>(Kinds().size())) m_kindRow = row;
}

int RelayTopologiesState::GetSelectedKind() const {
  const std::vector<KindEntry> kinds = Kinds();
  if (m_kindRow >= 0 && m_kindRow < static_cast<int>(kinds.size())) return kinds[static_cast<size_t>(m_kindRow)].kind;
  return m_topology != nullptr ? m_topology->GetKind() : 0;
}

void RelayTopologiesState::SetZoneCountText(const QString& text) { m_zoneCount = text; }

void RelayTopologiesState::SetFirstRelayText(const QString& text) {
  m_firstRelay = text;
  m_firstValid = IsRelayFree(text);
}

void RelayTopologiesState::SetPageRelayText(const QString& text) {
  m_pageRelay = text;
  m_pageValid = IsRelayFree(text);
}

void RelayTopologiesState::SelectInput(int input, int entry) {
  if (input < 0 || input >= kInputs) return;
  if (entry < 0 || entry >= static_cast<int>(m_entries.size()) ||
      m_entries[static_cast<size_t>(entry)].amplifier == nullptr)
    entry = kNone;
  m_inputs[static_cast<size_t>(input)] = entry;
}

bool RelayTopologiesState::IsRelayFree(const QString& text) const {
  int number = 0;
  if (!ScanInt(text, &number) || number <= 0) return true;
  const CRelaisManager* relays = CRelaisManager::Of(m_doc);
  const CRelais* relay = relays != nullptr ? relays->GetRelayR(static_cast<uint32_t>(number)) : nullptr;
  if (relay == nullptr) return true;
  const auto* zone = dynamic_cast<const CZone*>(relay->GetInputSource(0));
  if (zone == nullptr) return true;
  const auto* feeder = dynamic_cast<const CRelaisTopology*>(zone->GetInputSource(0));
  return feeder == nullptr || feeder == m_topology;
}

bool RelayTopologiesState::ReadRelay(const QString& text, int* number) const {
  int n = 0;
  if (!ScanInt(text, &n) || n < 1 || n > static_cast<int>(CRelaisManager::kMaxRelayR)) return false;
  *number = n;
  return true;
}

namespace {

// Whether count relay numbers from first on can be used: numbers without a
// relay, and relays that already switch a zone of this topology (the
// assignment takes them back first).
bool EnoughRelays(const CSelvantisDoc* doc, const CRelaisTopology* topology, int first, int count) {
  const CRelaisManager* relays = CRelaisManager::Of(const_cast<CSelvantisDoc*>(doc));
  if (relays == nullptr || first < 1) return false;
  if (count <= 0) return true;
  for (uint32_t n = static_cast<uint32_t>(first); n <= CRelaisManager::kMaxRelayR; ++n) {
    const CRelais* relay = relays->GetRelayR(n);
    bool usable = relay == nullptr;
    if (!usable) {
      const auto* zone = dynamic_cast<const CZone*>(relay->GetInputSource(0));
      usable = zone != nullptr && zone->GetInputSource(0) == topology;
    }
    if (usable && --count == 0) return true;
  }
  return false;
}

}  // namespace

RelayTopologiesState::ApplyResult RelayTopologiesState::Apply() {
  if (m_topology == nullptr) return ApplyResult::Ok;
  bool ok = false;
  const unsigned zones = m_zoneCount.trimmed().toUInt(&ok, 10);
  if (!ok || zones < static_cast<unsigned>(kMinZones) || zones > static_cast<unsigned>(kMaxZones))
    return ApplyResult::BadZoneCount;
  const int zoneCount = static_cast<int>(zones);
  const int kind = GetSelectedKind();
  const KindLayout layout = LayoutOf(kind);

  // Hidden relay edits are not checked: the kind does not use them.
  int first = std::max(1, m_topology->GetFirstRelay());
  if (layout.firstRelayShown) {
    if (!ReadRelay(m_firstRelay, &first)) {
      m_firstRelay = FirstZoneRelayText(1, QStringLiteral("1"));
      if (m_firstRelay.isEmpty()) m_firstRelay = QStringLiteral("1");
      m_firstValid = IsRelayFree(m_firstRelay);
      return ApplyResult::BadFirstRelay;
    }
    m_firstValid = IsRelayFree(m_firstRelay);
    if (!m_firstValid || !EnoughRelays(m_doc, m_topology, first, zoneCount)) return ApplyResult::FirstRelayTaken;
  }
  int page = std::max(1, m_topology->GetFirstPageRelay());
  if (layout.pageRelayShown) {
    if (!ReadRelay(m_pageRelay, &page)) return ApplyResult::BadPageRelay;
    m_pageValid = IsRelayFree(m_pageRelay);
    if (!m_pageValid || !EnoughRelays(m_doc, m_topology, page, zoneCount)) return ApplyResult::PageRelayTaken;
  }

  m_topology->Invalidate();
  m_topology->RemoveAllInputConnections();
  m_topology->ChangeKind(kind, zoneCount);
  m_topology->SetFirstRelays(first, page);
  m_topology->AssignRelays(first);
  const int inputs = std::min(CRelaisTopology::InputCountOfKind(kind), kInputs);
  for (int input = 0; input < inputs; ++input) {
    const int chosen = m_inputs[static_cast<size_t>(input)];
    if (chosen == kNone) continue;
    const InputEntry& entry = m_entries[static_cast<size_t>(chosen)];
    if (entry.amplifier == nullptr) continue;
    CBaseDevice::Connect(entry.amplifier, entry.pin, m_topology, input);
    m_topology->SetInputValue(input, entry.amplifier->GetID());
    m_topology->Invalidate();
  }
  m_topology->SetModified();
  Reload();
  m_firstRelay = FirstZoneRelayText(1, QStringLiteral("0"));
  m_pageRelay = FirstZoneRelayText(2, QStringLiteral("0"));
  if (m_firstRelay.isEmpty()) m_firstRelay = QStringLiteral("0");
  if (m_pageRelay.isEmpty()) m_pageRelay = QStringLiteral("0");
  m_firstValid = IsRelayFree(m_firstRelay);
  m_pageValid = IsRelayFree(m_pageRelay);
  return ApplyResult::Ok;
}

void RelayTopologiesState::Forget(const CBaseDevice* object) {
  if (object == nullptr) return;
  if (object == m_topology) {
    m_topology = nullptr;
    Reload();
  }
  for (size_t i = 0; i < m_entries.size(); ++i) {
    InputEntry& entry = m_entries[i];
    if (entry.peer == object) entry.peer = nullptr;
    if (entry.amplifier != object) continue;
    // The lists keep their indexes: the entry stays, unusable.
    entry.amplifier = nullptr;
    for (int& chosen : m_inputs)
      if (chosen == static_cast<int>(i)) chosen = kNone;
  }
}
