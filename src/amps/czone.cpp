#include "amps/czone.h"

#include "amps/camplifier.h"
#include "amps/cgroup.h"
#include "amps/clangroup.h"
#include "amps/crelais.h"
#include "amps/crelaismanager.h"
#include "amps/izoneconsolehooks.h"
#include "link/ctransfer.h"
#include "link/linkmode.h"
#include "model/carchive.h"
#include "model/ccmdui.h"
#include "model/cmessagesink.h"
#include "model/commandids.h"
#include "model/cschemareading.h"
#include "model/cselectionprovider.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"
#include "model/errorfile.h"
#include "model/modelstrings.h"
#include "model/replytext.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <memory>

SELV_IMPLEMENT_SERIAL(CZone, CZone::kSchema)

namespace {
const bool g_readsSchemaFour = CSchemaReading::Allow(CZone::kClassName, CZone::kNewestReadSchema);
}  // namespace

namespace {

// String ids of the ignore flags' captions and the zone's messages.
constexpr uint32_t kStrNoEntry = 34421;
constexpr uint32_t kStrPosTol = 34601;
constexpr uint32_t kStrNegTol = 34602;
constexpr uint32_t kStrGroundFault = 34580;
constexpr uint32_t kStrVoltageError = 34609;
constexpr uint32_t kStrCurrentError = 34610;
constexpr uint32_t kStrOutputsDiffer = 34309;
constexpr uint32_t kStrRelaysDiffer = 34310;
constexpr uint32_t kStrPrioRelayDiffers = 34311;
constexpr uint32_t kStrPrioTypeDiffers = 34312;
constexpr uint32_t kStrControlRelayDiffers = 34313;
constexpr uint32_t kStrControlTypeDiffers = 34314;
constexpr uint32_t kStrLanGroupError = 34576;

// The relay types of the unit's zone commands.
const QString kType208 = QStringLiteral("208");
const QString kType209 = QStringLiteral("209");
const QString kTypeInt = QStringLiteral("INT");
const QString kNone = QStringLiteral("0");
const QString kOff = QStringLiteral("OFF");

// The ignore keywords in the order a mask writes them, with their bits and
// display captions.
struct IgnoreKeyword {
  int bit;
  const char* keyword;
  uint32_t caption;
};
constexpr IgnoreKeyword kIgnoreKeywords[] = {
    {CZone::IGN_POSTOL, "POSTOL", kStrPosTol},      {CZone::IGN_NEGTOL, "NEGTOL", kStrNegTol},
    {CZone::IGN_GNDFLT, "GNDFLT", kStrGroundFault}, {CZone::IGN_OVF_U, "OVF_U", kStrVoltageError},
    {CZone::IGN_OVF_I, "OVF_I", kStrCurrentError},
};

// One download step: the key under the zone's path and the column whose
// text is sent.
struct DownloadStep {
  const char* key;
  int column;
};
constexpr DownloadStep kSteps[CZone::kStepsUpgrade] = {
    {"/OUTPUT", CZone::COL_OUTPUTS},
    {"/RELAY", CZone::COL_RELAYS},
    {"/PRIOCALL/RELAY", CZone::COL_PRIO_RELAY},
    {"/PRIOCALL/TYPE", CZone::COL_PRIO_TYPE},
    {"/CONTROL/RELAY", CZone::COL_CONTROL_RELAY},
    {"/CONTROL/TYPE", CZone::COL_CONTROL_TYPE},
    {"/LANGRP", CZone::COL_LANGROUP},
    {"/TEST/POSTOL", CZone::COL_POSTOL},
    {"/TEST/NEGTOL", CZone::COL_NEGTOL},
    {"/TEST/IGNORE", CZone::COL_IGNORE},
    {"/AMPCHAN", CZone::COL_AMPCHAN},
    {"/TESTVOL", CZone::COL_TESTVOL},
};

// Lists of 32-bit entries in old records: an archive count, then the entries.
void ReadLegacyList(CArchive& ar, std::vector<uint32_t>& list) {
  const uint32_t count = ar.ReadCount(4);
  list.clear();
  list.reserve(count);
  for (uint32_t i = 0; i < count; ++i) {
    uint32_t value = 0;
    ar >> value;
    list.push_back(value);
  }
}

void WriteLegacyList(CArchive& ar, const std::vector<uint32_t>& list) {
  ar.WriteCount(static_cast<uint32_t>(list.size()));
  for (uint32_t value : list) ar << value;
}

bool IsDigitalSlotFed(const CBaseDevice& pad, int* slotPin) {
  for (const ConnectionRecord& r : pad.GetInputConnections()) {
    if (r.pPeer != nullptr && r.pPeer->GetType() == DT_DIGITALSLOT) {
      if (slotPin != nullptr) *slotPin = r.nPeerPin;
      return true;
    }
  }
  return false;
}

// The amplifier channel an amplifier output stands for; 0 when the
// amplifier is not on the bus.
int ChannelOfAmplifierOutput(const CBaseDevice* object, int output) {
  const auto* amp = dynamic_cast<const CAmplifier*>(object);
  if (amp == nullptr || !amp->IsAddressable()) return 0;
  const int channel = amp->GetGlobalChannel(output);
  return channel > 0 ? channel : 0;
}

// The zone list's choice of ignore flags: each caption with its bit.
SELV_REGISTER_SELECTION(CZone::kIgnoreChoiceKind, [](const CSelvantisDoc*, const SelectionRequest&) {
  SelectionList list;
  std::vector<uint32_t> ids;
  CZone::ListChoices(static_cast<int>(CZone::kIgnoreChoiceKind), &ids);
  for (uint32_t id : ids) {
    SelectionChoice choice;
    choice.columns << ModelString(id);
    for (const IgnoreKeyword& k : kIgnoreKeywords)
      if (k.caption == id) choice.bits = static_cast<uint32_t>(k.bit);
    choice.number = static_cast<int>(choice.bits);
    list.choices.push_back(choice);
  }
  return list;
})

}  // namespace

CZone::CZone() : m_strIgnore(QStringLiteral("NONE")) {
  (void)g_readsSchemaFour;
  SetType(DT_ZONE);
  m_nMenuID = kMenuId;
}

// ---- Column accessors -------------------------------------------------------

CBaseDevice* CZone::FeedingObject() const {
  for (const ConnectionRecord& r : m_inputs)
    if (r.pPeer != nullptr) return r.pPeer;
  return nullptr;
}

QString CZone::OutputsText() const {
  const CBaseDevice* feed = FeedingObject();
  QString text;
  for (int pin = 0; pin <= 1; ++pin) {
    int number = 0;
    if (feed != nullptr) {
      std::vector<ConnectionRecord> records;
      feed->TraceInputPin(pin, CAT_OUTPUTSLOTS, records, false);
      for (const ConnectionRecord& r : records) {
        if (r.pPeer != nullptr && r.pPeer->GetCategory() == CAT_OUTPUTSLOTS) {
          number = r.nPeerPin + 2 * r.pPeer->GetID() - 1;
          break;
        }
      }
    }
    if (pin == 0)
      text = number != 0 ? Fmt("%d", number) : kNone;
    else if (number != 0)
      text += Fmt(",%d", number);
  }
  return text;
}

namespace {

// The relay on an output pin of the zone, or null.
const CRelais* RelayAt(const CZone& zone, int pin) {
  for (const ConnectionRecord& r : zone.GetOutputConnections()) {
    if (r.nOwnPin != pin) continue;
    if (const auto* relay = dynamic_cast<const CRelais*>(r.pPeer)) return relay;
  }
  return nullptr;
}

}  // namespace

int CZone::GetRelayNumber(int pin) const {
  const CRelais* relay = RelayAt(*this, pin);
  return relay != nullptr ? static_cast<int>(relay->GetSeriesNumber()) : 0;
}

QString CZone::RelaysText() const {
  QStringList numbers;
  for (int pin = kFirstRelayPin; pin <= kLastRelayPin; ++pin) {
    if (const CRelais* relay = RelayAt(*this, pin)) numbers << Fmt("%u", relay->GetSeriesNumber());
  }
  return numbers.isEmpty() ? kNone : numbers.join(QLatin1Char(','));
}

QString CZone::RelayTypeText(int pin) const {
  const ConnectionRecord* r = FindOutputConnection(pin);
  if (r == nullptr || r->pPeer == nullptr) return kType208;
  const CBaseDevice* peer = r->pPeer;
  if (peer->GetType() == DT_RELAY) {
    const ConnectionRecord* holder = peer->FindOutputConnection(0);
    if (holder == nullptr || holder->pPeer == nullptr) return kType208;
    if (holder->pPeer->GetKind() == CRelais::KIND_KCM209) return kType209;
    if (holder->pPeer->GetType() == DT_DIGITALSLOT) return kTypeInt;
    return kType208;
  }
  if (peer->GetType() == DT_CONTROLPAD && IsDigitalSlotFed(*peer, nullptr)) return kTypeInt;
  return kNone;
}

QString CZone::RelayNumberText(int pin) const {
  const ConnectionRecord* r = FindOutputConnection(pin);
  if (r == nullptr || r->pPeer == nullptr) return kNone;
  const CBaseDevice* peer = r->pPeer;
  if (const auto* relay = dynamic_cast<const CRelais*>(peer)) return Fmt("%u", relay->GetSeriesNumber());
  int slotPin = 0;
  if (peer->GetType() == DT_CONTROLPAD && IsDigitalSlotFed(*peer, &slotPin)) return Fmt("%d", slotPin + 1);
  return kNone;
}

QString CZone::LanGroupText() const {
  // Pin 1 of a LAN group is its member list; the zone's own LAN group is
  // linked at any other pin.
  for (const ConnectionRecord& r : m_outputs) {
    if (r.nOwnPin == kGroupPin && r.pPeer != nullptr && r.pPeer->GetType() == DT_LANGROUP &&
        r.nPeerPin != CLANGroup::kMemberPin)
      return Fmt("%d", r.pPeer->GetID());
  }
  return kOff;
}

QString CZone::IgnoreDisplayText() const {
  QStringList shown;
  for (const QString& part : m_strIgnore.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
    const QString keyword = part.trimmed();
    if (keyword == QLatin1String("NONE")) continue;
    QString caption = keyword;
    for (const IgnoreKeyword& k : kIgnoreKeywords)
      if (keyword == QLatin1String(k.keyword)) caption = ModelString(k.caption);
    shown << caption;
  }
  return shown.join(QLatin1Char(','));
}

void CZone::GetColumnText(QString& out, int column) const {
  switch (column) {
    case COL_OUTPUTS: out = OutputsText(); break;
    case COL_RELAYS: out = RelaysText(); break;
    case COL_PRIO_TYPE: out = RelayTypeText(kPrioCallPin); break;
    case COL_PRIO_RELAY: out = RelayNumberText(kPrioCallPin); break;
    case COL_CONTROL_TYPE: out = RelayTypeText(kControlPin); break;
    case COL_CONTROL_RELAY: out = RelayNumberText(kControlPin); break;
    case COL_LANGROUP: out = LanGroupText(); break;
    case COL_AMPCHAN: {
      const int channel = GetAmpChannel();
      out = channel != 0 ? Fmt("%d", channel) : QString();
      break;
    }
    case COL_AMPCHAN_NAME: {
      const int channel = GetAmpChannel();
      out = (channel != 0 && m_pDoc != nullptr) ? m_pDoc->GetIDManager().GetAmpChannelName(channel) : QString();
      break;
    }
    case COL_IGNORE: out = m_strIgnore; break;
    case COL_POSTOL: out = Fmt("%d", m_nPosTol); break;
    case COL_NEGTOL: out = Fmt("%d", m_nNegTol); break;
    case COL_LINE_MEAS: out = m_strLineMeas; break;
    case COL_LINE_REF: out = m_strLineRef; break;
    case COL_ADJUST: out = m_strAdjust; break;
    case COL_IMP_MEAS: out = m_strImpMeas; break;
    case COL_IMP_REF: out = m_strImpRef; break;
    case COL_IGNORE_DISPLAY: out = IgnoreDisplayText(); break;
    case COL_TESTVOL: out = Fmt("%d", m_nTestVol); break;
    default: out.clear(); break;
  }
}

QString CZone::GetColumnText(int column) const {
  QString text;
  GetColumnText(text, column);
  return text;
}

void CZone::SetColumnText(int column, const QString& text) {
  switch (column) {
    case COL_IGNORE:
      if (m_strIgnore == text) return;
      m_strIgnore = text;
      SetModified();
      return;
    case COL_POSTOL:
    case COL_NEGTOL:
    case COL_TESTVOL: {
      int value = 0;
      if (ScanInt(text, &value)) SetValue(column, value);
      return;
    }
    // What the unit measured is shown, not part of the project.
    case COL_LINE_MEAS: m_strLineMeas = text; return;
    case COL_LINE_REF: m_strLineRef = text; return;
    case COL_ADJUST: m_strAdjust = text; return;
    case COL_IMP_MEAS: m_strImpMeas = text; return;
    case COL_IMP_REF: m_strImpRef = text; return;
    default: return;
  }
}

int CZone::SetValue(int column, int value) {
  int* field = nullptr;
  switch (column) {
    case COL_IGNORE: {
      const int mask = value & IGN_ALL;
      QString text = QStringLiteral("NONE");
      for (const IgnoreKeyword& k : kIgnoreKeywords)
        if (mask & k.bit) text += QLatin1Char(',') + QLatin1String(k.keyword);
      if (mask != 0) text.remove(0, 5);  // "NONE,"
      if (text != m_strIgnore) {
        m_strIgnore = text;
        SetModified();
      }
      return mask;
    }
    case COL_POSTOL:
      field = &m_nPosTol;
      value = std::clamp(value, kMinTolerance, kMaxTolerance);
      break;
    case COL_NEGTOL:
      field = &m_nNegTol;
      value = std::clamp(value, kMinTolerance, kMaxTolerance);
      break;
    case COL_TESTVOL:
      field = &m_nTestVol;
      value = std::clamp(value, kMinTestVolume, kMaxTestVolume);
      break;
    default: return 0;
  }
  if (*field != value) {
    *field = value;
    SetModified();
  }
  return value;
}

int CZone::GetAmpChannel() const {
  const ConnectionRecord* feed = nullptr;
  for (const ConnectionRecord& r : m_inputs) {
    if (r.pPeer != nullptr) {
      feed = &r;
      break;
    }
  }
  if (feed == nullptr) return 0;
  // A zone wired straight to an amplifier output takes that channel: tracing the amplifier's inputs would pass it by.
  if (feed->pPeer->GetType() == DT_AMPLIFIER) return ChannelOfAmplifierOutput(feed->pPeer, feed->nPeerPin);
  for (int pin : {1, 0}) {
    std::vector<ConnectionRecord> records;
    feed->pPeer->TraceInputPin(pin, CAT_OUTPUTSLOTS, records, false);
    if (records.empty() || records.front().pPeer == nullptr) continue;
    const ConnectionRecord& first = records.front();
    // The first object upstream decides: an amplifier ends the search,
    // with its channel only when it is on the bus.
    if (first.pPeer->GetType() == DT_AMPLIFIER) return ChannelOfAmplifierOutput(first.pPeer, first.nPeerPin);
  }
  return 0;
}

int CZone::ListChoices(int columnStringId, std::vector<uint32_t>* ids) {
  if (ids == nullptr) return 0;
  if (columnStringId == static_cast<int>(kIgnoreChoiceKind)) {
    ids->push_back(kStrNoEntry);
    for (const IgnoreKeyword& k : kIgnoreKeywords) ids->push_back(k.caption);
  }
  return static_cast<int>(ids->size());
}

// ---- Relays --------------------------------------------------------------------

CRelais* CZone::EnsureRelayBlock(CSelvantisDoc& doc, int number, int kind, bool bRList) {
  CRelaisManager* manager = CRelaisManager::Of(&doc);
  const int last = static_cast<int>(bRList ? CRelaisManager::kMaxRelayR : CRelaisManager::kMaxRelayS);
  // Number 0 would make the block 1..5 and re-kind relays nobody asked for.
  if (manager == nullptr || number < 1 || number > last) return nullptr;
  auto lookup = [&](int n) {
    return bRList ? manager->GetRelayR(static_cast<uint32_t>(n)) : manager->GetRelayS(static_cast<uint32_t>(n));
  };
  const int first = ((number - 1) / CRelais::kRelaysPerCard) * CRelais::kRelaysPerCard + 1;
  for (int n = first; n < first + CRelais::kRelaysPerCard && n <= last; ++n) {
    if (CRelais* existing = lookup(n)) {
      existing->SetKind(kind);
      continue;
    }
    auto fresh = std::make_unique<CRelais>();
    if (!fresh->CreateOnCanvas(kind, 1, 1, QString(), QRect(), CAT_MISC, CRelais::kBitmap, 3, &doc)) continue;
    CRelais* relay = doc.Adopt(std::move(fresh));
    if (relay == nullptr) continue;
    // Renumber gives back the number the relay took by its kind, in
    // whichever series that was, before it claims n in the chosen one.
    relay->Renumber(static_cast<uint32_t>(n), bRList);
    relay->AttachToCard(kind, bRList);
  }
  return lookup(number);
}

CRelais* CZone::GetOrCreateRelay(int number, int kind, bool bRList) {
  if (m_pDoc == nullptr) return nullptr;
  return EnsureRelayBlock(*m_pDoc, number, kind, bRList);
}

void CZone::ConnectRelays(int kind, int count, int third) {
  (void)kind;
  (void)third;
  CRelaisManager* manager = CRelaisManager::Of(m_pDoc);
  if (manager == nullptr) return;
  count = std::clamp(count, 0, kLastRelayPin);
  for (int pin = kFirstRelayPin; pin <= count; ++pin) {
    if (FindOutputConnection(pin) != nullptr) continue;
    CRelais* chosen = nullptr;
    std::vector<CRelais*> used;
    manager->ListRelaysR(used);
    for (CRelais* relay : used) {
      if (relay->FindInputConnection(0) == nullptr) {
        chosen = relay;
        break;
      }
    }
    if (chosen == nullptr) {
      const uint32_t free = manager->GetFreeRelayR();
      // Every number is taken: the pin stays empty.
      if (free == 0) break;
      chosen = GetOrCreateRelay(static_cast<int>(free), CRelais::KIND_ZONE, true);
      if (chosen == nullptr || chosen->FindInputConnection(0) != nullptr) break;
    }
    Connect(this, pin, chosen, 0);
  }
  // Relay links beyond the count go wherever they sit: one above a gap would otherwise stay and keep its relay.
  const std::vector<ConnectionRecord> outputs = m_outputs;
  for (const ConnectionRecord& r : outputs) {
    if (r.nOwnPin > count && r.nOwnPin <= kLastRelayPin && r.pPeer != nullptr && r.pPeer->GetType() == DT_RELAY)
      DisconnectOutput(r);
  }
}

int CZone::ConnectFreeRelay(int kind, int from, int pin) {
  (void)kind;
  CRelaisManager* manager = CRelaisManager::Of(m_pDoc);
  const int last = static_cast<int>(CRelaisManager::kMaxRelayR);
  int n = std::max(from, 1);
  if (manager == nullptr) return n;
  for (; n <= last; ++n) {
    CRelais* relay = manager->GetRelayR(static_cast<uint32_t>(n));
    if (relay == nullptr) break;
    if (relay->GetKind() == CRelais::KIND_ZONE && relay->FindInputConnection(0) == nullptr) {
      Connect(this, pin, relay, 0);
      return n + 1;
    }
  }
  // Past the end of the series nothing more can be made: the pin stays empty.
  if (n > last) return n;
  if (CRelais* relay = GetOrCreateRelay(n, CRelais::KIND_ZONE, true)) {
    if (relay->FindInputConnection(0) == nullptr) Connect(this, pin, relay, 0);
  }
  return n + 1;
}

// ---- Project file ----------------------------------------------------------------

void CZone::Serialize(CArchive& ar) {
  CBaseDevice::Serialize(ar);
  if (ar.IsStoring()) {
    const int schema = ar.GetObjectSchema() >= 0 ? ar.GetObjectSchema() : kSchema;
    if (schema <= 1) {
      for (int i = 0; i < 8; ++i) ar << uint32_t(0);
      WriteLegacyList(ar, m_legacy1);
      WriteLegacyList(ar, m_legacy2);
      return;
    }
    if (schema == 2) return;
    // The file keeps the test volume after the ignore text. What the unit
    // measured is never written.
    ar << uint32_t(m_nNegTol) << uint32_t(m_nPosTol) << m_strIgnore << uint32_t(m_nTestVol);
    return;
  }
  m_legacy1.clear();
  m_legacy2.clear();
  const int schema = GetSchema();
  if (schema <= 1) {
    uint32_t skipped = 0;
    for (int i = 0; i < 8; ++i) ar >> skipped;
    ReadLegacyList(ar, m_legacy1);
    ReadLegacyList(ar, m_legacy2);
    return;
  }
  if (schema == 2) return;
  uint32_t neg = 0, pos = 0, vol = 0;
  QString ignore;
  ar >> neg >> pos >> ignore >> vol;
  // A damaged record cannot put a value outside the unit's limits.
  m_nNegTol = std::clamp(static_cast<int32_t>(neg), kMinTolerance, kMaxTolerance);
  m_nPosTol = std::clamp(static_cast<int32_t>(pos), kMinTolerance, kMaxTolerance);
  m_nTestVol = std::clamp(static_cast<int32_t>(vol), kMinTestVolume, kMaxTestVolume);
  m_strIgnore = ignore;
  if (schema >= 4) {
    // Measurements an earlier version saved: values of another day, read
    // past and dropped.
    QString dropped;
    for (int i = 0; i < 5; ++i) ar >> dropped;
  }
}

int CZone::OnAfterLoad() {
  if (m_nKind == 0) m_nKind = kKind;
  const int schema = GetSchema();
  if (schema == 0 || schema == 1) ConvertLegacyRelays();
  m_legacy1.clear();
  m_legacy1.shrink_to_fit();
  m_legacy2.clear();
  m_legacy2.shrink_to_fit();
  return 1;
}

void CZone::ClaimRelayNumbers(CSelvantisDoc& doc) {
  std::vector<CBaseDevice*> relays;
  doc.GetIDManager().GetBaseDeviceList(relays, DT_RELAY);
  // A relay's claim is idempotent: one already in its slot stays there.
  for (CBaseDevice* relay : relays) relay->OnAfterLoad();
}

void CZone::ConvertLegacyRelays() {
  if (m_pDoc == nullptr || m_legacy2.empty()) return;
  // Relays of the file claim their numbers in their own OnAfterLoad, which
  // comes after the zones': claim them now, or the conversion would build
  // second relays on their numbers.
  ClaimRelayNumbers(*m_pDoc);
  constexpr uint32_t kSSeriesBit = 1u << 28;
  for (size_t i = 0; i < m_legacy2.size(); ++i) {
    const uint32_t entry = m_legacy2[i];
    if (entry == 0) continue;
    const int pin = static_cast<int>(i) + 1;
    // Only the relay pins can take a relay; longer lists come from damaged
    // files.
    if (pin > kLastRelayPin) break;
    if (FindOutputConnection(pin) != nullptr) continue;
    const int number = static_cast<int>(entry & 0xFFFF);
    // The third entry was the control relay (kept on its old pin).
    const bool control = (i == 2);
    const bool rTable = !control || (entry & kSSeriesBit) == 0;
    CRelais* relay = GetOrCreateRelay(number, control ? CRelais::KIND_CONTROL : CRelais::KIND_ZONE, rTable);
    if (relay != nullptr) Connect(this, pin, relay, 0);
  }
}

// ---- Creation and commands ---------------------------------------------------------

bool CZone::CreateOnCanvas(int kind, int nInputs, int nOutputs, const QString& name, const QRect& rect, int category,
                           int bitmapId, int textFlags, CSelvantisDoc* doc) {
  if (!CBaseDevice::CreateOnCanvas(kind == 0 ? kKind : kind, nInputs, nOutputs, name, rect.translated(kPlaceOffsetX, 0),
                                   category, bitmapId, textFlags, doc))
    return false;
  AvoidOverlap();
  ShowPins(true);
  if (IZoneConsoleHooks* hooks = IZoneConsoleHooks::Installed()) hooks->ProgramSelectionKeys(*this);
  return true;
}

bool CZone::HasLanGroupLink() const {
  return std::any_of(m_outputs.begin(), m_outputs.end(),
                     [](const ConnectionRecord& r) { return r.pPeer != nullptr && r.pPeer->GetType() == DT_LANGROUP; });
}

CBaseDevice* CZone::AddNewGroup() {
  if (m_pDoc == nullptr) return nullptr;
  CGroup* group = CGroup::CreateIn(*m_pDoc, m_rect, CGroup::kLevelFromZone);
  if (group == nullptr) return nullptr;
  Connect(this, kGroupPin, group, 0);
  group->Invalidate();
  return group;
}

CBaseDevice* CZone::AddNewLanGroup() {
  if (m_pDoc == nullptr) return nullptr;
  CLANGroup* lan = CLANGroup::CreateIn(*m_pDoc, m_rect);
  if (lan == nullptr) return nullptr;
  Connect(this, kGroupPin, lan, CLANGroup::kOwnerPin);
  lan->SetLevel(CGroup::kLevelFromZone);
  // One pass keeps it clear of every block: the zone and its groups it
  // starts on, the unit, the amplifiers and the topologies (categories 0 to
  // 4) and the blocks of its own list.
  lan->AvoidOverlap();
  lan->Invalidate();
  return lan;
}

bool CZone::DeleteZone() {
  if (m_pDoc == nullptr) return false;
  Invalidate();
  IZoneConsoleHooks* hooks = IZoneConsoleHooks::Installed();
  // A copy: the records change while the links are taken apart.
  const std::vector<ConnectionRecord> outputs = m_outputs;
  for (const ConnectionRecord& r : outputs) {
    if (r.pPeer == nullptr) continue;
    if (r.pPeer->GetType() == DT_CONSOLE) {
      r.pPeer->Invalidate();
      if (hooks != nullptr) hooks->DisableKey(*r.pPeer, r.nPeerPin);
    } else if (r.pPeer->GetType() == DT_RELAY) {
      DisconnectOutput(r);
    }
  }
  return m_pDoc->DeleteObject(this);
}

bool CZone::OnCommand(int id) {
  switch (id) {
    case ID_DELETE_OBJECT: return DeleteZone();
    case ID_ADD_GROUP: AddNewGroup(); return true;
    case ID_ADD_LANGROUP:
      if (!HasLanGroupLink()) AddNewLanGroup();
      return true;
    case ID_DEVICE_DOWNLOAD: {
      CTransfer transfer;
      transfer.DownloadObject(*this);
      return true;
    }
    case ID_DEVICE_UPLOAD: {
      CTransfer transfer;
      transfer.UploadObject(*this);
      return true;
    }
    case ID_ZONE_PROPERTIES:
      if (ShowProperties()) Invalidate();
      return true;
    case ID_ADD_CONTROL_RELAY: return true;
    default: return CBaseDevice::OnCommand(id);
  }
}

void CZone::OnUpdateCommandUI(CCmdUI& cmdUI) {
  switch (cmdUI.GetID()) {
    case ID_ADD_LANGROUP: cmdUI.Enable(!HasLanGroupLink()); break;
    case ID_DEVICE_DOWNLOAD:
    case ID_DEVICE_UPLOAD: cmdUI.Enable(IsOnline()); break;
    case ID_ADD_CONTROL_RELAY: cmdUI.SetCheck(0); break;
    default: break;
  }
}

CZone::TextWidthFn& CZone::ToolTipMeasure() {
  static TextWidthFn measure;
  return measure;
}

void CZone::SetToolTipMeasure(TextWidthFn measure) { ToolTipMeasure() = std::move(measure); }

QString CZone::GetToolTipText() const {
  struct Line {
    const char* label;
    QString value;
    bool shown;
  };
  const QString relays = GetColumnText(COL_RELAYS);
  const QString outputs = GetColumnText(COL_OUTPUTS);
  const QString prio = GetColumnText(COL_PRIO_RELAY);
  const QString control = GetColumnText(COL_CONTROL_RELAY);
  const QString lan = GetColumnText(COL_LANGROUP);
  const Line lines[] = {
      {"id", GetIDString(), true},
      {"r", relays, relays != kNone},
      {"out", outputs, outputs != kNone},
      {"p", prio + QStringLiteral(" (") + GetColumnText(COL_PRIO_TYPE) + QLatin1Char(')'), prio != kNone},
      {"c", control + QStringLiteral(" (") + GetColumnText(COL_CONTROL_TYPE) + QLatin1Char(')'), control != kNone},
      {"lan", lan, lan != kNone && lan != kOff},
  };
  // The labels are padded by the blanks' measured width, so that the values
  // start in one column of a proportional font.
  const TextWidthFn& measure = ToolTipMeasure();
  auto width = [&measure](const QString& text) { return measure ? measure(text) : static_cast<int>(text.size()); };
  const int blank = std::max(1, width(QStringLiteral(" ")));
  int widest = 0;
  for (const Line& line : lines) widest = std::max(widest, width(QLatin1String(line.label)));
  QStringList out;
  for (const Line& line : lines) {
    if (!line.shown) continue;
    const QString label = QLatin1String(line.label);
    const int pad = std::max(1, (widest + 5 * blank - width(label)) / blank);
    out << label + QString(pad, QLatin1Char(' ')) + line.value;
  }
  return out.join(QLatin1Char('\n'));
}

// ---- Command lines ---------------------------------------------------------------------

void CZone::TakeUploadedName(const QString& value, const QString& errorFilePath) {
  const QString name = ReplyText::Field(value, ReplyText::TextField::Name).trimmed();
  // An empty name could not be shown or chosen; the unit's own is kept out.
  if (name.isEmpty() || name == m_strName) return;
  // The project holds what the unit holds, even where that name is taken.
  SetName(name);
  SetModified();
  Invalidate();
  const CBaseDevice* other = m_pDoc != nullptr ? m_pDoc->FindObjectByName(name, this) : nullptr;
  if (other == nullptr) return;
  const QString text =
      other->GetType() == DT_ZONE
          ? QCoreApplication::translate("CZone", "Zone %1 : the unit names it \"%2\", the name of zone %3 too")
                .arg(m_nID)
                .arg(name)
                .arg(other->GetID())
          : QCoreApplication::translate("CZone", "Zone %1 : the unit names it \"%2\", the name of another object too")
                .arg(m_nID)
                .arg(name);
  // Said with the upload's other findings; without an error file at once.
  if (!AppendErrorLine(errorFilePath, text)) AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
}

int CZone::Download(bool bQuery, int nStep) {
  if (nStep == -1) return (m_pDoc != nullptr && m_pDoc->GetUpgradeFlag() != 0) ? kStepsUpgrade : kStepsPlain;
  if (nStep < 0 || nStep >= kStepsUpgrade) return nStep;
  const DownloadStep& step = kSteps[nStep];
  QString value = GetColumnText(step.column);
  // An over-long text of a project file never goes beyond its field.
  if (step.column == COL_IGNORE) value = ReplyText::Field(value, ReplyText::TextField::ZoneIgnore);
  return SendStep(bQuery, nStep, m_strPath, QLatin1String(step.key), value, true);
}

bool CZone::Upload(const QString& line, QString& errorFilePath, int mode) {
  if (mode != LINKMODE_UPLOAD) return false;
  QString key;
  QString value;
  // A line without a value is not a reply.
  if (!line.contains(QLatin1Char(' ')) || !SplitUploadLine(line, &key, &value)) return false;

  auto compare = [&](uint32_t messageId, const QString& project) {
    if (value == project) return;
    AfxMessageBox(FormatText(ModelString(messageId), {GetName(), value, project}), MB_OK | MB_ICONEXCLAMATION,
                  messageId);
  };
  // The relay numbers are compared with "OFF" where the project has none,
  // the priority-call type with "" where the project's type is "0".
  auto relayOrOff = [&](int column) {
    const QString text = GetColumnText(column);
    return text == kNone ? kOff : text;
  };
  // No relay: the unit may say "OFF" or "0", both mean none.
  auto compareRelay = [&](uint32_t messageId, const QString& project) {
    if ((value == kOff || value == kNone) && (project == kOff || project == kNone)) return;
    compare(messageId, project);
  };

  if (key == QLatin1String("/NAME")) {
    TakeUploadedName(value, errorFilePath);
  } else if (key == QLatin1String("/OUTPUT")) {
    compare(kStrOutputsDiffer, GetColumnText(COL_OUTPUTS));
  } else if (key == QLatin1String("/RELAY")) {
    compareRelay(kStrRelaysDiffer, GetColumnText(COL_RELAYS));
  } else if (key == QLatin1String("/PRIOCALL/RELAY")) {
    compareRelay(kStrPrioRelayDiffers, relayOrOff(COL_PRIO_RELAY));
  } else if (key == QLatin1String("/PRIOCALL/TYPE")) {
    const QString type = GetColumnText(COL_PRIO_TYPE);
    compare(kStrPrioTypeDiffers, type == kNone ? QString() : type);
  } else if (key == QLatin1String("/CONTROL/RELAY")) {
    compareRelay(kStrControlRelayDiffers, relayOrOff(COL_CONTROL_RELAY));
  } else if (key == QLatin1String("/CONTROL/TYPE")) {
    compare(kStrControlTypeDiffers, GetColumnText(COL_CONTROL_TYPE));
  } else if (key == QLatin1String("/LANGRP")) {
    int number = 0;
    if (!ScanInt(value == kOff ? kNone : value, &number)) return false;
    const QString project = GetColumnText(COL_LANGROUP);
    if (Fmt("%d", number) != project && project != kOff)
      AfxMessageBox(ModelString(kStrLanGroupError), MB_OK | MB_ICONEXCLAMATION, kStrLanGroupError);
  } else if (key == QLatin1String("/TEST/POSTOL") || key == QLatin1String("/TEST/NEGTOL")) {
    int number = 0;
    if (!ScanInt(value == kOff ? kNone : value, &number)) return false;
    SetValue(key == QLatin1String("/TEST/POSTOL") ? COL_POSTOL : COL_NEGTOL, number);
  } else if (key == QLatin1String("/TEST/IGNORE")) {
    SetColumnText(COL_IGNORE, ReplyText::Field(value, ReplyText::TextField::ZoneIgnore));
  } else if (key == QLatin1String("/TESTVOL")) {
    int number = 0;
    if (!ScanInt(value, &number)) return false;
    SetValue(COL_TESTVOL, number);
  } else if (key == QLatin1String("/AMPCHAN")) {
    if (value != GetColumnText(COL_AMPCHAN)) AppendMissingLine(errorFilePath, IDS_ZONE, m_nID, value);
  } else {
    return false;
  }
  return true;
}
