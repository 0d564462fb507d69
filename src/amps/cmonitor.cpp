#include "amps/cmonitor.h"

#include "amps/camplifier.h"
#include "amps/tabletransfer.h"
#include "link/linkmode.h"
#include "macros/rangelist.h"
#include "model/carchive.h"
#include "model/cprofile.h"
#include "model/cselectionprovider.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"
#include "model/errorfile.h"
#include "model/modelstrings.h"
#include "model/replytext.h"
#include "unit/ccontrolpad.h"

#include <cstdint>
#include <iterator>
#include <memory>

SELV_IMPLEMENT_SERIAL(CMonitor, 6)

using TableTransfer::NumberAfter;
using TableTransfer::TellUser;

namespace {

// After the amplifier table, groups and collection calls.
constexpr int kProviderOrder = 520;

constexpr uint32_t kStrNoEntry = 34421;  // "No entry"
constexpr uint32_t kStrKCM209 = 32797;   // "KCM209"
constexpr uint32_t kStrLabel = 32830;    // "Label"

// Unit inputs and outputs the monitor can listen to.
constexpr int kUnitInputs = 4;
constexpr int kUnitOutputs = 4;

const char* const kKeywords[] = {"OFF", "IN", "OUT", "REL", "AMP_IN", "AMP_OUT", "EXT"};

const bool kRegistered = [] {
  CSelvantisDoc::RegisterFixedObjectProvider(kProviderOrder, [](CSelvantisDoc& doc) { CMonitor::EnsureIn(doc); });
  return true;
}();

int MakeCode(unsigned index, int field) {
  return static_cast<int>((static_cast<uint32_t>(index) << 16) | (static_cast<uint32_t>(field) & 0xFFFFu));
}
unsigned IndexOf(int code) { return static_cast<uint32_t>(code) >> 16; }
int FieldOf(int code) { return static_cast<int>(static_cast<uint32_t>(code) & 0xFFFFu); }

bool IsAmpKind(const QString& kind) { return kind == QLatin1String("AMP_IN") || kind == QLatin1String("AMP_OUT"); }

// The monitor's choices for the selection dialog: the choice code as number.
SelectionList MonitorChoices(const CSelvantisDoc* doc) {
  SelectionList list;
  const CMonitor* monitor = CMonitor::Find(doc);
  if (monitor == nullptr) return list;
  std::vector<int> codes;
  monitor->ListChoices(CMonitor::FIELD_KIND, &codes);
  for (int code : codes) {
    SelectionChoice choice;
    QString text;
    choice.columns << monitor->GetColumnText(text, code);
    choice.number = code;
    list.choices.push_back(choice);
  }
  return list;
}

}  // namespace

SELV_REGISTER_SELECTION(CMonitor::kKind,
                        [](const CSelvantisDoc* doc, const SelectionRequest&) { return MonitorChoices(doc); })

CMonitor::CMonitor() { SetType(DT_MONITOR); }

int CMonitor::KindCodeOf(const QString& keyword) {
  for (int i = 0; i < int(std::size(kKeywords)); ++i) {
    if (keyword == QLatin1String(kKeywords[i])) return KC_OFF + i;
  }
  return 0;
}

QString CMonitor::KeywordOf(int kindCode) {
  if (kindCode < KC_OFF || kindCode > KC_EXT) return QString();
  return QString::fromLatin1(kKeywords[kindCode - KC_OFF]);
}

QString CMonitor::Path() const { return GetPath().isEmpty() ? ModelString(IDS_MONI_PATH) : GetPath(); }

int CMonitor::GetMaxEntries() const {
  const CSelvantisDoc* doc = m_pDoc != nullptr ? m_pDoc : GetActiveDoc();
  return doc != nullptr && doc->GetUpgradeFlag() != 0 ? kEntryCount : kSmallEntryCount;
}

int CMonitor::GetMaxRelays() const {
  const CSelvantisDoc* doc = m_pDoc != nullptr ? m_pDoc : GetActiveDoc();
  return doc != nullptr && doc->GetUpgradeFlag() != 0 ? kRelayCount : kSmallRelayCount;
}

// ---- Accessors ---------------------------------------------------------------------------

int CMonitor::GetValue(int code) const {
  const unsigned index = IndexOf(code);
  switch (FieldOf(code)) {
    case FIELD_RELAY: return index < kRelayCount ? m_relays[index] : 0;
    case FIELD_CHOICE: {
      if (index >= kEntryCount) return 0;
      const Entry& entry = m_entries[index];
      const int kind = KindCodeOf(entry.kind);
      uint32_t part = 0;
      switch (kind) {
        case KC_IN:
        case KC_OUT:
        case KC_REL: part = static_cast<uint32_t>(entry.value); break;
        case KC_AMP_IN:
        case KC_AMP_OUT:
          part = (static_cast<uint32_t>(entry.value) & 0xFFu) | ((static_cast<uint32_t>(entry.channel) & 0xFFu) << 8);
          break;
        case 0: return 0;
        default: break;
      }
      return static_cast<int>((part << 16) | static_cast<uint32_t>(kind));
    }
    default: return 0;
  }
}

void CMonitor::SetEntry(int index, int kindCode, int value) {
  Entry updated;
  updated.kind = KeywordOf(kindCode);
  switch (kindCode) {
    case KC_IN:
    case KC_OUT:
    case KC_REL: updated.value = value; break;
    case KC_AMP_IN:
    case KC_AMP_OUT:
      updated.value = static_cast<int>(static_cast<uint32_t>(value) & 0xFFu);
      updated.channel = static_cast<int>((static_cast<uint32_t>(value) >> 8) & 0xFFu);
      break;
    default: break;
  }
  Entry& entry = m_entries[static_cast<size_t>(index)];
  if (entry.kind == updated.kind && entry.value == updated.value && entry.reserved == updated.reserved &&
      entry.channel == updated.channel) {
    return;
  }
  entry = updated;
  SetModified();
}

void CMonitor::SetRelayNumber(int slot, int number) {
  if (m_relays[static_cast<size_t>(slot)] == number) return;
  m_relays[static_cast<size_t>(slot)] = number;
  SetModified();
}

bool CMonitor::SetRelaySlot(int slot, int padId) {
  SetRelayNumber(slot, 0);
  const auto* pad = m_pDoc != nullptr
                        ? dynamic_cast<const CControlPad*>(m_pDoc->GetIDManager().FindBaseDevice(padId, DT_CONTROLPAD))
                        : nullptr;
  if (pad == nullptr) return false;
  SetRelayNumber(slot, pad->GetNumber());
  return true;
}

bool CMonitor::SetValue(int code, int value, int /*reserved*/) {
  const unsigned index = IndexOf(code);
  const int op = FieldOf(code);
  if (op == 1 || op > KC_EXT) return true;
  switch (op) {
    case FIELD_RELAY:
      if (index >= kRelayCount) return false;
      return SetRelaySlot(static_cast<int>(index), value);
    case OP_ADD_RELAY:
      for (int slot = 0; slot < GetMaxRelays(); ++slot) {
        if (m_relays[static_cast<size_t>(slot)] == 0) {
          // The slot is taken even when the pad turns out to be missing.
          SetRelaySlot(slot, value);
          return true;
        }
      }
      return false;
    case FIELD_CHOICE: {
      // Only the entry operations; a relay or "first free" operation here
      // would address a slot or recurse.
      const int kind = FieldOf(value);
      if (kind < KC_OFF || kind > KC_EXT) return false;
      for (int i = 0; i < GetMaxEntries(); ++i) {
        if (m_entries[static_cast<size_t>(i)].kind == QLatin1String("OFF")) {
          SetEntry(i, kind, static_cast<int>(IndexOf(value)));
          return true;
        }
      }
      return false;
    }
    default:
      if (index >= kEntryCount) return false;
      SetEntry(static_cast<int>(index), op, value);
      return true;
  }
}

int CMonitor::ListChoices(int field, std::vector<int>* choices) const {
  if (field != FIELD_KIND || choices == nullptr) return 0;
  choices->push_back(KC_OFF);
  for (unsigned n = 1; n <= kUnitInputs; ++n) choices->push_back(MakeCode(n, KC_IN));
  for (unsigned n = 1; n <= kUnitOutputs; ++n) choices->push_back(MakeCode(n, KC_OUT));
  for (unsigned slot = 0; slot < kRelayCount; ++slot) {
    if (m_relays[slot] != 0) choices->push_back(MakeCode(slot + 1, KC_REL));
  }
  if (m_pDoc == nullptr) return 0;
  std::vector<CBaseDevice*> amps;
  m_pDoc->GetIDManager().GetBaseDeviceList(amps, DT_AMPLIFIER);
  for (const CBaseDevice* object : amps) {
    const auto* amp = dynamic_cast<const CAmplifier*>(object);
    if (amp == nullptr || !amp->IsAddressable()) continue;
    const unsigned address = static_cast<uint32_t>(amp->GetAddress(false)) & 0xFFu;
    const int channels = amp->GetTypeInfo() != nullptr ? amp->GetTypeInfo()->channels : 0;
    for (int kind : {KC_AMP_IN, KC_AMP_OUT}) {
      for (int channel = 1; channel <= channels; ++channel) {
        choices->push_back(MakeCode(address | (static_cast<unsigned>(channel) << 8), kind));
      }
    }
  }
  return 0;
}

QString CMonitor::RelayText(int number) const {
  const CBaseDevice* pad = m_pDoc != nullptr ? m_pDoc->GetIDManager().FindControlPadByKeyword(
                                                   CControlPad::KeywordOfKind(CControlPad::kKindKCM209), number)
                                             : nullptr;
  return pad != nullptr ? pad->GetName() : Fmt("%d *", number);
}

QString& CMonitor::GetColumnText(QString& out, int code) const {
  const unsigned index = IndexOf(code);
  const bool isEntry = index < kEntryCount;
  out.clear();
  switch (FieldOf(code)) {
    case FIELD_RELAY:
      if (index < kRelayCount) out = RelayText(m_relays[index]);
      break;
    case FIELD_KIND:
      if (isEntry) out = m_entries[index].kind;
      break;
    case KC_OFF: out = ModelString(kStrNoEntry); break;
    case KC_IN: out = Fmt("IN%u", index); break;
    case KC_OUT: out = Fmt("OUT%u", index); break;
    case KC_REL:
      // A REL choice names its slot from 1; slot 0 does not exist.
      if (index < 1 || static_cast<int>(index) > GetMaxRelays())
        out = Fmt("%u *", index);
      else
        out = RelayText(m_relays[index - 1]);
      break;
    case KC_AMP_IN:
    case KC_AMP_OUT: {
      const int address = static_cast<int>(index & 0xFFu);
      const int channel = static_cast<int>((index >> 8) & 0xFFu);
      QString name = Fmt("%d *", address);
      if (m_pDoc != nullptr) {
        std::vector<CBaseDevice*> amps;
        m_pDoc->GetIDManager().GetAmplifiersByTableRow(amps);
        // The last amplifier with the address names it.
        for (const CBaseDevice* amp : amps) {
          if (amp->GetAmplifierBusAddress() == address) name = amp->GetName();
        }
      }
      out = name + Fmt(FieldOf(code) == KC_AMP_IN ? " - %d IN" : " - %d OUT", channel);
      break;
    }
    case KC_EXT: out = QStringLiteral("EXT"); break;
    case FIELD_VALUE_TEXT:
      if (isEntry) {
        const Entry& entry = m_entries[index];
        out = IsAmpKind(entry.kind) ? Fmt("%x", static_cast<unsigned>(entry.value)) : Fmt("%d", entry.value);
      }
      break;
    case FIELD_CHANNEL_TEXT:
      if (isEntry) out = Fmt("%d", m_entries[index].channel);
      break;
    default: break;
  }
  return out;
}

// ---- Project file ----------------------------------------------------------------------

void CMonitor::Serialize(CArchive& ar) {
  CBaseDevice::Serialize(ar);
  if (ar.IsStoring()) {
    // All 80 slots: with the upgrade flag slots 51..80 are in use too.
    for (const Entry& entry : m_entries) {
      ar << entry.kind << int32_t(entry.value) << int32_t(entry.reserved) << int32_t(entry.channel);
    }
    for (int relay : m_relays) ar << int32_t(relay);
    return;
  }
  const int schema = GetSchema();
  int entries = kSmallEntryCount;
  int slotCount = 0;
  if (schema <= 1) {
    entries = 20;
  } else if (schema == 4) {
    slotCount = kSmallRelayCount;
  } else if (schema == 5) {
    entries = kEntryCount;
    slotCount = 50;
  } else if (schema >= 6) {
    entries = kEntryCount;
    slotCount = kRelayCount;
  }
  const bool hasChannel = schema >= 3;
  m_entries = {};
  m_relays = {};
  for (int i = 0; i < entries; ++i) {
    Entry& entry = m_entries[static_cast<size_t>(i)];
    int32_t value = 0;
    int32_t reserved = 0;
    ar >> entry.kind >> value >> reserved;
    entry.value = value;
    entry.reserved = reserved;
    if (hasChannel) {
      int32_t channel = 0;
      ar >> channel;
      // Schema 3 wrote 0 for "no channel"; later schemas store the channel as it was set.
      entry.channel = schema == 3 && channel == 0 ? 1 : channel;
    }
  }
  for (int slot = 0; slot < slotCount; ++slot) {
    int32_t relay = 0;
    ar >> relay;
    m_relays[static_cast<size_t>(slot)] = relay;
  }
}

int CMonitor::OnAfterLoad() {
  const int schema = GetSchema();
  if (schema >= 0 && schema < 4) {
    for (int pin = 1; pin <= kSmallRelayCount; ++pin) {
      if (const ConnectionRecord* record = FindOutputConnection(pin)) {
        const auto* pad = dynamic_cast<const CControlPad*>(record->pPeer);
        m_relays[static_cast<size_t>(pin - 1)] = pad != nullptr ? pad->GetNumber() : 0;
        DisconnectOutputPin(pin);
      }
    }
  }
  SetName(ModelString(IDS_MONITOR));
  return 1;
}

// ---- Transfers --------------------------------------------------------------------------

void CMonitor::SendLine(const QString& keyAndValue) { SendCommandLine(Path() + keyAndValue, true); }

void CMonitor::QueueEntryQueries(int index) {
  const int n = index + 1;
  m_pending << Path() + Fmt("/TABLE%d/SEL ?", n) << Path() + Fmt("/TABLE%d/IDX ?", n)
            << Path() + Fmt("/TABLE%d/AMPCHAN ?", n);
}

void CMonitor::FillPendingDownload() {
  QString text;
  for (int i = 0; i < GetMaxEntries(); ++i) {
    const unsigned index = static_cast<unsigned>(i);
    if (m_canClear && m_entries[index].kind == QLatin1String("OFF")) continue;
    const int n = i + 1;
    m_pending << Path() + Fmt("/TABLE%d/SEL ", n) +
                     ReplyText::Field(GetColumnText(text, MakeCode(index, FIELD_KIND)),
                                      ReplyText::TextField::MonitorKind)
              << Path() + Fmt("/TABLE%d/IDX ", n) + GetColumnText(text, MakeCode(index, FIELD_VALUE_TEXT))
              << Path() + Fmt("/TABLE%d/AMPCHAN ", n) + GetColumnText(text, MakeCode(index, FIELD_CHANNEL_TEXT));
  }
  for (int slot = 0; slot < GetMaxRelays(); ++slot) {
    const int relay = m_relays[static_cast<size_t>(slot)];
    if (m_canClear && relay == 0) continue;
    m_pending << Path() + Fmt("/RELAY%d %d", slot + 1, relay);
  }
}

int CMonitor::GiveUpWaiting() {
  m_pending.clear();
  TellUser(GetName() + Fmt(": the unit did not say within %d s which monitor entries and relays are cleared. "
                           "The monitor was not uploaded completely.",
                           kClearReplyTimeoutMs / 1000));
  return kStepCount;
}

int CMonitor::Download(bool bQuery, int nStep) {
  if (nStep < 0) {
    m_pending.clear();
    m_tableQuerySent = m_tableReply = false;
    m_relayQuerySent = m_relayReply = false;
    m_canClear = CProfile::GetInt(QStringLiteral("VMX7000"), QStringLiteral("MONI_CLR"), 0) != 0;
    return kStepCount;
  }
  if (nStep >= kStepCount) return nStep;
  if (IsLinkBusy()) return nStep;
  switch (nStep) {
    case 0:
      if (!bQuery) {
        SendLine(QStringLiteral("/CLEAR/TABLE ALL"));
        return 1;
      }
      if (!m_canClear) {
        // Without the clear replies there is no way to tell used entries
        // from cleared ones: nothing is asked, and the user learns why.
        TellUser(GetName() + QStringLiteral(": the unit cannot report its cleared monitor entries (its operating "
                                            "system is too old). The monitor was not uploaded."));
        return 2;
      }
      SendLine(QStringLiteral("/CLEAR/TABLE ?"));
      m_tableQuerySent = true;
      return 1;
    case 1:
      if (!bQuery) {
        FillPendingDownload();
        SendLine(QStringLiteral("/CLEAR/RELAY ALL"));
        return 2;
      }
      if (!m_canClear) return 2;
      // Both replies must be in before step 2 finds the queue, or the
      // queries of a late table reply would never be sent.
      if (m_relayReply && (m_tableReply || !m_tableQuerySent)) return 2;
      if (m_relayQuerySent) {
        if (TableTransfer::ClearReplyOverdue(kClearReplyTimeoutMs)) return GiveUpWaiting();
        return 1;
      }
      SendLine(QStringLiteral("/CLEAR/RELAY ?"));
      m_relayQuerySent = true;
      return 1;
    default:
      if (m_pending.isEmpty()) return kStepCount;
      SendCommandLine(m_pending.takeFirst(), true);
      return 2;
  }
}

void CMonitor::OnClearTableReply(const QString& value, const QString& errorFilePath) {
  // A list that cannot be read clears nothing: every entry is asked for.
  BitSet cleared;
  TableTransfer::ReadClearList(*this, QStringLiteral("/CLEAR/TABLE"), value, kClearListBits, &cleared, errorFilePath,
                               QStringLiteral("entry"));
  for (int i = 0; i < GetMaxEntries(); ++i) {
    if (TestBit(cleared, static_cast<unsigned>(i)))
      SetEntry(i, KC_OFF, 0);
    else
      QueueEntryQueries(i);
  }
  m_tableReply = true;
}

void CMonitor::OnClearRelayReply(const QString& value, const QString& errorFilePath) {
  BitSet cleared;
  TableTransfer::ReadClearList(*this, QStringLiteral("/CLEAR/RELAY"), value, kClearListBits, &cleared, errorFilePath,
                               QStringLiteral("relay"));
  for (int slot = 0; slot < GetMaxRelays(); ++slot) {
    if (TestBit(cleared, static_cast<unsigned>(slot)))
      SetRelayNumber(slot, 0);
    else
      m_pending << Path() + Fmt("/RELAY%d ?", slot + 1);
  }
  m_relayReply = true;
}

void CMonitor::OnRelayReply(int slot, const QString& value, const QString& errorFilePath) {
  const int pin = slot + 1;
  if (value == QLatin1String("OFF")) {
    // The unit no longer switches the relay; the slot keeps its number.
    DisconnectOutputPin(pin);
    return;
  }
  int number = 0;
  if (!ScanInt(value, &number)) return;
  DisconnectOutputPin(pin);
  if (number == 0) {
    // What a download sends for a free slot: free, not a missing pad.
    SetRelayNumber(slot, 0);
    return;
  }
  SetRelayNumber(slot, number);
  if (m_pDoc != nullptr) {
    std::vector<CBaseDevice*> pads;
    m_pDoc->GetIDManager().GetBaseDeviceListByKind(pads, DT_CONTROLPAD, CControlPad::kKindKCM209);
    for (CBaseDevice* object : pads) {
      const auto* pad = dynamic_cast<const CControlPad*>(object);
      if (pad != nullptr && pad->GetNumber() == number) {
        Connect(this, pin, object, 0);
        return;
      }
    }
  }
  AppendMissingLine(errorFilePath, IDS_MONITOR, GetID(),
                    ModelString(kStrKCM209) + QLatin1Char(' ') + ModelString(kStrLabel) + Fmt("-%d", number));
}

bool CMonitor::Upload(const QString& line, QString& errorFilePath, int mode) {
  if (mode != LINKMODE_UPLOAD) return false;
  TableTransfer::Reply reply;
  if (!TableTransfer::SplitReply(line, &reply)) return false;
  const QString& key = reply.key;
  const QString& value = reply.value;

  if (key == QLatin1String("/CLEAR/TABLE")) {
    OnClearTableReply(value, errorFilePath);
    return true;
  }
  if (key == QLatin1String("/CLEAR/RELAY")) {
    OnClearRelayReply(value, errorFilePath);
    return true;
  }
  QString rest;
  const int entry = NumberAfter(key, QStringLiteral("/TABLE"), &rest);
  if (entry >= 1 && entry <= kEntryCount) {
    Entry& target = m_entries[static_cast<size_t>(entry - 1)];
    if (rest == QLatin1String("/SEL")) {
      const QString kind = ReplyText::Field(value, ReplyText::TextField::MonitorKind);
      if (target.kind != kind) {
        target.kind = kind;
        SetModified();
      }
      return true;
    }
    int number = 0;
    unsigned hex = 0;
    if (rest == QLatin1String("/IDX")) {
      if (!ScanInt(value, &number)) return false;
      if (target.value != number) {
        target.value = number;
        SetModified();
      }
      return true;
    }
    if (rest == QLatin1String("/AMPCHAN")) {
      // The unit answers the channel in hexadecimal.
      if (!ScanHex(value, &hex)) return false;
      if (target.channel != static_cast<int>(hex)) {
        target.channel = static_cast<int>(hex);
        SetModified();
      }
      return true;
    }
    return false;
  }
  const int slot = NumberAfter(key, QStringLiteral("/RELAY"), &rest);
  if (slot >= 1 && slot <= kRelayCount && rest.isEmpty()) {
    OnRelayReply(slot - 1, value, errorFilePath);
    return true;
  }
  return false;
}

// ---- The project's monitor -------------------------------------------------------------

CMonitor* CMonitor::Find(const CSelvantisDoc* doc) {
  return doc != nullptr ? dynamic_cast<CMonitor*>(doc->GetIDManager().FindBaseDevice(1, DT_MONITOR)) : nullptr;
}

CMonitor* CMonitor::EnsureIn(CSelvantisDoc& doc) {
  if (CMonitor* existing = Find(&doc)) return existing;
  if (doc.GetIDManager().FindBaseDevice(1, DT_MONITOR) != nullptr) return nullptr;
  auto monitor = std::make_unique<CMonitor>();
  if (!monitor->CreateWithID(kKind, ModelString(IDS_MONITOR), 1, CAT_MODULES, &doc)) return nullptr;
  return doc.Adopt(std::move(monitor));
}
