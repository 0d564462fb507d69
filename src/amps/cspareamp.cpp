#include "amps/cspareamp.h"

#include "amps/camplifier.h"
#include "amps/tabletransfer.h"
#include "link/linkmode.h"
#include "model/carchive.h"
#include "model/cprofile.h"
#include "model/cselectionprovider.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"
#include "model/modelstrings.h"

#include <memory>
#include <vector>

SELV_IMPLEMENT_SERIAL(CSpareAmp, 3)

using TableTransfer::NumberAfter;
using TableTransfer::TellUser;

namespace {

// After the monitor.
constexpr int kProviderOrder = 521;

// The kinds the selection dialog offers targets for.
constexpr uint32_t kSelectWatched = 34383;  // "Watched channel or Ready Input"

const bool kRegistered = [] {
  CSelvantisDoc::RegisterFixedObjectProvider(kProviderOrder, [](CSelvantisDoc& doc) { CSpareAmp::EnsureIn(doc); });
  return true;
}();

// "OFF" is 0; numbers are read as the unit's signed 16-bit values and kept
// as their 16 bits. False for text without a number.
bool ReadValue(const QString& value, uint16_t* out) {
  if (value == QLatin1String("OFF")) {
    *out = 0;
    return true;
  }
  int number = 0;
  if (!ScanInt(value, &number)) return false;
  *out = static_cast<uint16_t>(number);
  return true;
}

QString Signed16(uint16_t value) { return Fmt("%d", static_cast<int>(static_cast<int16_t>(value))); }

QString YesNo(uint16_t kindFlag) { return kindFlag == 0 ? QStringLiteral("YES") : QStringLiteral("NO"); }

// Targets of an entry or a watch item: every channel of the amplifiers on
// the bus (type 2, amplifier ID, channel index) and every ready input
// (type 38, its ID).
SelectionList TargetChoices(const CSelvantisDoc* doc) {
  SelectionList list;
  if (doc == nullptr) return list;
  const CIDManager& ids = doc->GetIDManager();
  std::vector<CBaseDevice*> amps;
  ids.GetAmplifiersByTableRow(amps);
  for (const CBaseDevice* amp : amps) {
    const auto* amplifier = dynamic_cast<const CAmplifier*>(amp);
    if (amplifier == nullptr) continue;
    for (int channel = 0; channel < amplifier->GetAmplifierChannelCount(); ++channel) {
      const int global = amplifier->GetGlobalChannel(channel);
      if (global < 1) continue;
      SelectionChoice choice;
      choice.columns << ids.GetAmpChannelName(global);
      choice.number = global;
      choice.type = CSpareAmp::kTypeAmpChannel;
      choice.value = amp->GetID();
      choice.channel = channel;
      list.choices.push_back(choice);
    }
  }
  std::vector<CBaseDevice*> inputs;
  ids.GetBaseDeviceList(inputs, DT_READYINPUT);
  for (const CBaseDevice* input : inputs) {
    SelectionChoice choice;
    choice.columns << input->GetName();
    choice.number = input->GetID();
    choice.type = CSpareAmp::kTypeReadyInput;
    choice.value = input->GetID();
    list.choices.push_back(choice);
  }
  return list;
}

}  // namespace

SELV_REGISTER_SELECTION(CSpareAmp::kKind,
                        [](const CSelvantisDoc* doc, const SelectionRequest&) { return TargetChoices(doc); })

SELV_REGISTER_SELECTION(kSelectWatched,
                        [](const CSelvantisDoc* doc, const SelectionRequest&) { return TargetChoices(doc); })

CSpareAmp::CSpareAmp() {
  SetType(DT_SPAREAMP);
  for (int i = 0; i < kEntryCount; ++i) m_names << QString();
  ClearEntries();
}

void CSpareAmp::ClearEntries() {
  m_disabled = MakeBitSet(kDisabledBits);
  for (unsigned i = 0; i < kDisabledBits; ++i) SetBit(m_disabled, i, true);
  m_entries = {};
}

QString CSpareAmp::Path() const { return GetPath().isEmpty() ? ModelString(IDS_SPAREAMP_PATH) : GetPath(); }

bool CSpareAmp::IsEnabled(int n) const { return !TestBit(m_disabled, static_cast<unsigned>(n)); }

void CSpareAmp::SetEnabled(int n, bool enabled) { SetBit(m_disabled, static_cast<unsigned>(n), !enabled); }

int CSpareAmp::GlobalChannelOf(int ampId, int channel) const {
  if (m_pDoc == nullptr) return -1;
  const auto* amp = dynamic_cast<const CAmplifier*>(m_pDoc->GetIDManager().FindBaseDevice(ampId, DT_AMPLIFIER));
  if (amp == nullptr || channel < 0 || channel >= amp->GetAmplifierChannelCount()) return -1;
  // -1 for an amplifier that is not on the bus.
  return amp->GetGlobalChannel(channel);
}

// ---- Accessors ---------------------------------------------------------------------------

bool CSpareAmp::GetEntry(int n, QString* pName, int* pType, int* pValue, int* pChannel) const {
  if (!IsEntry(n)) return false;
  const Entry& entry = m_entries[static_cast<size_t>(n)];
  if (pName != nullptr) *pName = m_names.value(n);
  if (pValue != nullptr) *pValue = entry.target;
  if (entry.targetKind == 0) {
    if (pType != nullptr) *pType = kTypeAmpChannel;
    if (pChannel != nullptr) *pChannel = entry.target;
  } else if (pType != nullptr) {
    *pType = kTypeReadyInput;
  }
  return IsEnabled(n);
}

bool CSpareAmp::GetWatch(int w, int n, int* pType, int* pValue, int* pOutRelay, int* pInRelay) const {
  if (!IsEntry(n) || !IsWatch(w)) return false;
  const Watch& item = m_entries[static_cast<size_t>(n)].watches[static_cast<size_t>(w)];
  if (pType != nullptr) *pType = item.kind != 0 ? kTypeReadyInput : kTypeAmpChannel;
  if (pValue != nullptr) *pValue = item.value;
  if (pOutRelay != nullptr) *pOutRelay = item.outRelay;
  if (pInRelay != nullptr) *pInRelay = item.inRelay;
  return item.value != 0 || item.outRelay != 0 || item.inRelay != 0;
}

bool CSpareAmp::SetEntry(int n, const QString& name, bool bEnabled, int type, int value, int channel) {
  if (!IsEntry(n)) return false;
  SetModified();
  m_names[n] = name;
  SetEnabled(n, bEnabled);
  Entry& entry = m_entries[static_cast<size_t>(n)];
  if (type == kTypeAmpChannel) {
    entry.targetKind = 0;
    const int global = GlobalChannelOf(value, channel);
    if (global > 0) entry.target = static_cast<uint16_t>(global);
  } else {
    entry.targetKind = 1;
    entry.target = static_cast<uint16_t>(value);
  }
  if (!bEnabled) entry.watches = {};
  return true;
}

bool CSpareAmp::SetWatch(int w, int n, int /*inUse*/, int type, int value, int channel) {
  if (!IsEntry(n) || !IsWatch(w)) return false;
  SetModified();
  Watch& item = m_entries[static_cast<size_t>(n)].watches[static_cast<size_t>(w)];
  if (type == kTypeAmpChannel) {
    item.kind = 0;
    const int global = GlobalChannelOf(value, channel);
    if (global > 0) item.value = static_cast<uint16_t>(global);
  } else if (type == kTypeReadyInput) {
    item.kind = 1;
    item.value = static_cast<uint16_t>(value);
  } else {
    item = Watch{};
  }
  return true;
}

bool CSpareAmp::SetWatchRelays(int w, int n, int outRelay, int inRelay) {
  if (!IsEntry(n) || !IsWatch(w)) return false;
  Watch& item = m_entries[static_cast<size_t>(n)].watches[static_cast<size_t>(w)];
  const bool outChanged = SetField(item.outRelay, static_cast<uint16_t>(outRelay));
  const bool inChanged = SetField(item.inRelay, static_cast<uint16_t>(inRelay));
  if (outChanged || inChanged) SetModified();
  return true;
}

bool CSpareAmp::SetField(uint16_t& field, uint16_t value) {
  if (field == value) return false;
  field = value;
  return true;
}

// ---- Project file ----------------------------------------------------------------------

void CSpareAmp::Serialize(CArchive& ar) {
  CBaseDevice::Serialize(ar);
  if (ar.IsStoring()) {
    for (const Entry& entry : m_entries) {
      ar << entry.target << entry.targetKind;
      for (const Watch& item : entry.watches) ar << item.value << item.kind << item.outRelay << item.inRelay;
    }
    ar << m_names;
    return;
  }
  const int schema = GetSchema();
  if (schema < 2) return;
  for (Entry& entry : m_entries) {
    ar >> entry.target >> entry.targetKind;
    for (Watch& item : entry.watches) ar >> item.value >> item.kind >> item.outRelay >> item.inRelay;
  }
  if (schema < 3) return;
  QStringList names;
  ar >> names;
  // One name per entry, whatever the file held.
  while (names.size() < kEntryCount) names << QString();
  m_names = names.mid(0, kEntryCount);
  // The flags are not stored: an entry without a name is not in use.
  for (int n = 0; n < kEntryCount; ++n) SetEnabled(n, !m_names.at(n).isEmpty());
}

// ---- Transfers --------------------------------------------------------------------------

void CSpareAmp::SendKey(int n, const QString& key, const QString& value, bool bQuery) {
  SendCommandLine(Path() + Fmt("/ENTRY%d", n) + key + QLatin1Char(' ') + (bQuery ? QStringLiteral("?") : value), true);
}

int CSpareAmp::SkipUnnamed(int nStep) const {
  if (!m_canClear || m_queryAll) return nStep;
  int entry = (nStep - 1) / kStepsPerEntry;
  if (!m_names.value(entry).isEmpty()) return nStep;
  // An entry reached by skipping is taken when it has a target, even
  // without a name.
  for (;;) {
    nStep += kStepsPerEntry;
    ++entry;
    if (entry >= kEntryCount) return nStep;
    if (m_entries[static_cast<size_t>(entry)].target != 0) return nStep;
    if (!m_names.value(entry).isEmpty()) return nStep;
  }
}

int CSpareAmp::Download(bool bQuery, int nStep) {
  if (nStep < 0) {
    m_clearQuerySent = m_clearReply = m_queryAll = false;
    m_canClear = CProfile::GetInt(QStringLiteral("VMX7000"), QStringLiteral("SPAREAMP_CLR"), 0) != 0;
    return kStepCount;
  }
  if (nStep >= kStepCount) return nStep;
  if (IsLinkBusy()) return nStep;
  if (nStep == 0) {
    if (!bQuery) {
      SendCommandLine(Path() + QStringLiteral("/CLEAR ALL"), true);
      return 1;
    }
    if (!m_canClear || m_clearReply) return 1;
    if (m_clearQuerySent) {
      if (!TableTransfer::ClearReplyOverdue(kClearReplyTimeoutMs)) return 0;
      TellUser(GetName() + Fmt(": the unit did not say within %d s which backup amplifier entries are cleared. "
                               "The backup amplifiers were not uploaded.",
                               kClearReplyTimeoutMs / 1000));
      return kStepCount;
    }
    SendCommandLine(Path() + QStringLiteral("/CLEAR ?"), true);
    m_clearQuerySent = true;
    return 0;
  }

  const int step = SkipUnnamed(nStep);
  if (step >= kStepCount) return step;
  const int e = (step - 1) / kStepsPerEntry;
  const int sub = (step - 1) % kStepsPerEntry;
  const int n = e + 1;
  const Entry& entry = m_entries[static_cast<size_t>(e)];
  switch (sub) {
    case 0:
      SendKey(n, QStringLiteral("/INDEX"), Signed16(entry.target), bQuery);
      // An entry without a target has nothing more to send.
      return !bQuery && entry.target == 0 ? step + kStepsPerEntry : step + 1;
    case 1: SendKey(n, QStringLiteral("/REMOTE"), YesNo(entry.targetKind), bQuery); return step + 1;
    case 2:
      // The unit's current replacement can only be asked for.
      if (bQuery) SendKey(n, QStringLiteral("/REPLACE"), QString(), true);
      return step + 1;
    default: break;
  }
  const int j = (sub - 3) / 4;
  const Watch& item = entry.watches[static_cast<size_t>(j)];
  const QString watch = Fmt("/WATCH%d", j + 1);
  switch ((sub - 3) % 4) {
    case 0:
      SendKey(n, watch + QStringLiteral("/INDEX"), Signed16(item.value), bQuery);
      return !bQuery && item.value == 0 ? step + 4 : step + 1;
    case 1: SendKey(n, watch + QStringLiteral("/REMOTE"), YesNo(item.kind), bQuery); return step + 1;
    case 2: SendKey(n, watch + QStringLiteral("/OUTRELAY"), Fmt("%d", item.outRelay), bQuery); return step + 1;
    default: SendKey(n, watch + QStringLiteral("/INPRELAY"), Fmt("%d", item.inRelay), bQuery); return step + 1;
  }
}

void CSpareAmp::OnClearReply(const QString& value, const QString& errorFilePath) {
  m_clearReply = true;
  BitSet cleared;
  if (!TableTransfer::ReadClearList(*this, QStringLiteral("/CLEAR"), value, kDisabledBits, &cleared, errorFilePath,
                                    QStringLiteral("entry"))) {
    // Nothing is emptied on a list that cannot be read; every entry is asked for instead.
    m_queryAll = true;
    return;
  }
  m_disabled = cleared;
  for (int i = 0; i < kEntryCount; ++i) {
    if (TestBit(cleared, static_cast<unsigned>(i))) {
      m_names[i].clear();
      m_entries[static_cast<size_t>(i)] = Entry{};
    } else if (m_names.at(i).isEmpty()) {
      m_names[i] = ModelString(IDS_BACKUP_AMPLIFIER) + Fmt(" %d", i + 1);
    }
  }
  SetModified();
}

bool CSpareAmp::Upload(const QString& line, QString& errorFilePath, int mode) {
  if (mode != LINKMODE_UPLOAD) return false;
  // "SPAREAMP/ENTRY3/WATCH10/INDEX 12"
  TableTransfer::Reply reply;
  if (!TableTransfer::SplitReply(line, &reply)) return false;
  const QString& key = reply.key;
  const QString& value = reply.value;

  if (key == QLatin1String("/CLEAR")) {
    OnClearReply(value, errorFilePath);
    return true;
  }
  QString rest;
  const int n = NumberAfter(key, QStringLiteral("/ENTRY"), &rest);
  if (n < 1 || n > kEntryCount) return false;
  Entry& entry = m_entries[static_cast<size_t>(n - 1)];
  uint16_t number = 0;
  bool changed = false;
  if (rest == QLatin1String("/REMOTE")) {
    changed = SetField(entry.targetKind, value == QLatin1String("NO") ? 1 : 0);
  } else if (rest == QLatin1String("/INDEX")) {
    if (!ReadValue(value, &number)) return false;
    changed = SetField(entry.target, number);
  } else {
    QString field;
    const int w = NumberAfter(rest, QStringLiteral("/WATCH"), &field);
    if (w < 1 || w > kWatchCount) return false;
    Watch& item = entry.watches[static_cast<size_t>(w - 1)];
    if (field == QLatin1String("/REMOTE")) {
      changed = SetField(item.kind, value == QLatin1String("NO") ? 1 : 0);
    } else {
      uint16_t* target = nullptr;
      if (field == QLatin1String("/INDEX"))
        target = &item.value;
      else if (field == QLatin1String("/OUTRELAY"))
        target = &item.outRelay;
      else if (field == QLatin1String("/INPRELAY"))
        target = &item.inRelay;
      if (target == nullptr || !ReadValue(value, &number)) return false;
      changed = SetField(*target, number);
    }
  }
  if (changed) SetModified();
  return true;
}

// ---- The project's spare-amplifier object ------------------------------------------------

CSpareAmp* CSpareAmp::Find(const CSelvantisDoc* doc) {
  return doc != nullptr ? dynamic_cast<CSpareAmp*>(doc->GetIDManager().FindBaseDevice(1, DT_SPAREAMP)) : nullptr;
}

CSpareAmp* CSpareAmp::EnsureIn(CSelvantisDoc& doc) {
  if (CSpareAmp* existing = Find(&doc)) return existing;
  if (doc.GetIDManager().FindBaseDevice(1, DT_SPAREAMP) != nullptr) return nullptr;
  auto spare = std::make_unique<CSpareAmp>();
  if (!spare->CreateWithID(kKind, ModelString(IDS_BACKUP_AMPLIFIER), 1, CAT_MODULES, &doc)) return nullptr;
  return doc.Adopt(std::move(spare));
}
