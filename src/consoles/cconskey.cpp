#include "consoles/cconskey.h"

#include "consoles/cconsole.h"
#include "consoles/consolestrings.h"
#include "link/idevicelink.h"
#include "model/carchive.h"
#include "model/cidmanager.h"
#include "model/cmessagesink.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"

#include <algorithm>
#include <array>
#include <cstdint>

SELV_IMPLEMENT_SERIAL(CConsKey, CConsKey::kSchema)

namespace {

constexpr std::array<const char*, CConsKey::TYPE_COUNT> kKeywords = {
    "DISABLED", "ON",   "STOP", "PROGRAM", "CLEAR", "AUX",    "SEL",    "ALARM",
    "CHIME",    "TEXT", "TALK", "TALKEXT", "MACRO", "MACREP", "MACRAD", "MACSWT"};

// Labels of the types that act on the console or the current selection;
// null where a type has none.
constexpr std::array<const char*, CConsKey::TYPE_COUNT> kTypeLabels = {
    nullptr, "On",   "Stop", "Program", "Clear", "Aux",   nullptr, "Alarm",
    "Chime", "Text", "Talk", "PTT",     nullptr, nullptr, nullptr, nullptr};

struct FixedKeyRow {
  int number;
  const char* label;
  const char* function;
  int type;
  int picture;
};

// Array position -> key number, label, default function, picture.
constexpr std::array<FixedKeyRow, CConsKey::kFixedKeyCount> kFixedKeys = {{
    {102, "Clear", "", CConsKey::CLEAR, 0},
    {101, "All", "", CConsKey::SEL, 0},
    {103, "On", "28", CConsKey::ON, 0},
    {106, "Chime", "0,4,80", CConsKey::CHIME, 0},
    {104, "Stop", "2", CConsKey::STOP, 0},
    {107, "Text", "0,1,20", CConsKey::DISABLED, 0},
    {105, "Program", "", CConsKey::PROGRAM, 0},
    {108, "Talk", "-1,0,50", CConsKey::TALK, 0},
    {112, "PTT", "-1,0,50", CConsKey::DISABLED, 309},
    {111, "Optional key 2", "", CConsKey::DISABLED, 301},
    {110, "Optional key 1", "", CConsKey::DISABLED, 303},
    {109, "Alarm", "0,1,90,UNPROT", CConsKey::ALARM, 303},
}};

bool IsType(int type) { return type >= 0 && type < CConsKey::TYPE_COUNT; }

bool IsKeyNumber(int number) {
  return (number >= 1 && number <= CConsKey::kMaxProgrammableKey) ||
         (number >= CConsKey::kFirstFixedKey && number <= CConsKey::kLastFixedKey);
}

// sscanf's "%d": blanks, a sign, digits; the end of what was read in *pos.
bool ReadNumber(const QString& text, int* pos, int* value) {
  int i = *pos;
  while (i < text.size() && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
    negative = text[i] == QLatin1Char('-');
    ++i;
  }
  const int digits = i;
  long long v = 0;
  while (i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9')) {
    // Only the low byte counts; keep the number small without changing it.
    v = (v * 10 + (text[i].unicode() - '0')) % 65536;
    ++i;
  }
  if (i == digits) return false;
  *value = static_cast<int>(negative ? -v : v);
  *pos = i;
  return true;
}

QString TrimRight(const QString& text) {
  int end = text.size();
  while (end > 0 && (text[end - 1] == QLatin1Char(' ') || text[end - 1] == QLatin1Char('\r') ||
                     text[end - 1] == QLatin1Char('\n') || text[end - 1] == QLatin1Char('\t')))
    --end;
  return text.left(end);
}

void Warn(uint32_t id, const QVariantList& args = {}) {
  AfxMessageBox(FormatText(ConsoleString(id), args), MB_OK | MB_ICONEXCLAMATION, id);
}

}  // namespace

CConsKey::CConsKey() = default;

CConsKey::CConsKey(int numberOrFixed, CConsole* owner) : m_pOwner(owner) {
  if (numberOrFixed >= kFirstFixedKey) {
    const int position = numberOrFixed - kFirstFixedKey;
    m_nNumber = FixedKeyNumber(position);
    m_nPicture = FixedKeyPicture(position);
  } else {
    m_nNumber = numberOrFixed;
  }
  m_stored = Function{};
  m_edit = m_stored;
}

// ---- Record -----------------------------------------------------------------------

uint32_t CConsKey::GetWord1() const {
  return (uint32_t(m_stored.type & 0xFF) << 24) | (uint32_t(m_stored.p1 & 0xFF) << 16) |
         (uint32_t(m_stored.p2 & 0xFF) << 8) | (m_stored.bProtected ? 0x80u : 0u) | (m_bInUse ? 0x40u : 0u);
}

uint32_t CConsKey::GetWord2() const {
  return (uint32_t(m_stored.p3 & 0xFF) << 24) | (uint32_t(m_nNumber & 0xFF) << 16) | uint32_t(m_nPicture & 0xFFFF);
}

bool CConsKey::SetWords(uint32_t word1, uint32_t word2) {
  const int type = static_cast<int>(word1 >> 24);
  const int number = static_cast<int>((word2 >> 16) & 0xFF);
  if (!IsType(type) || !IsKeyNumber(number)) return false;
  m_stored.type = type;
  m_stored.p1 = static_cast<int>((word1 >> 16) & 0xFF);
  m_stored.p2 = static_cast<int>((word1 >> 8) & 0xFF);
  m_stored.bProtected = (word1 & 0x80u) != 0;
  m_bInUse = (word1 & 0x40u) != 0;
  m_stored.p3 = static_cast<int>(word2 >> 24);
  m_nNumber = number;
  m_nPicture = static_cast<int>(word2 & 0xFFFF);
  m_edit = m_stored;
  m_target = m_second = KeyTarget::None();
  m_strLabel.clear();
  return true;
}

void CConsKey::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << GetWord1() << GetWord2();
    return;
  }
  uint32_t word1 = 0, word2 = 0;
  ar >> word1 >> word2;
  if (!SetWords(word1, word2))
    throw CArchiveException(CArchiveException::Cause::Generic,
                            Fmt("A console key has the invalid type %u or number %u.", unsigned(word1 >> 24),
                                unsigned((word2 >> 16) & 0xFF)));
}

// ---- Texts ---------------------------------------------------------------------------

QString CConsKey::TypeKeyword(int type) { return IsType(type) ? QString::fromLatin1(kKeywords[type]) : QString(); }

int CConsKey::TypeFromKeyword(const QString& keyword) {
  for (int type = 0; type < TYPE_COUNT; ++type)
    if (keyword == QLatin1String(kKeywords[type])) return type;
  return -1;
}

QString CConsKey::TypeLabel(int type) {
  if (!IsType(type) || kTypeLabels[type] == nullptr) return QStringLiteral("ERROR");
  return QString::fromLatin1(kTypeLabels[type]);
}

QString CConsKey::FunctionText(const Function& function) {
  QString text = TypeKeyword(function.type);
  const int values[3] = {function.p1, function.p2, function.p3};
  bool present[3] = {function.p1 != 0 || (function.type >= SEL && function.type <= TALKEXT), function.p2 != 0,
                     function.p3 != 0};
  int last = -1;
  for (int i = 0; i < 3; ++i)
    if (present[i]) last = i;
  if (!function.bProtected) last = 2;
  for (int i = 0; i <= last; ++i) text += Fmt(",%d", present[i] ? values[i] : 0);
  if (!function.bProtected) text += QStringLiteral(",UNPROT");
  return text;
}

int CConsKey::MacRepWireValue(int value) { return value >= 1 ? 30 / value : 0; }

int CConsKey::ZoneParam(int p1) {
  const int low = p1 & 0xFF;
  return low == 0xFF ? -1 : low;
}

void CConsKey::ParseParams(int type, const QString& text, Function* function) {
  int values[3] = {0, 0, 0};
  int pos = 0;
  for (int i = 0; i < 3; ++i) {
    if (i > 0) {
      if (pos >= text.size() || text[pos] != QLatin1Char(',')) break;
      ++pos;
    }
    if (!ReadNumber(text, &pos, &values[i])) break;
  }
  // The key holds bytes. The second and third parameters are signed ones
  // (200 is -56). The first keeps 101..130 for group slots and an ON delay
  // above 127; only 255 and -1 name the same "no zone or group".
  const auto signedByte = [](int value) { return static_cast<int>(static_cast<int8_t>(value & 0xFF)); };
  function->p1 = HasZoneParam(type) ? ZoneParam(values[0]) : (values[0] & 0xFF);
  function->p2 = signedByte(values[1]);
  function->p3 = signedByte(values[2]);
  function->bProtected = !TrimRight(text).endsWith(QLatin1String("UNPROT"));
  function->type = type;
}

// ---- Fixed keys ------------------------------------------------------------------------

int CConsKey::FixedKeyNumber(int position) {
  return position >= 0 && position < kFixedKeyCount ? kFixedKeys[static_cast<size_t>(position)].number : 0;
}

int CConsKey::FixedKeyPosition(int number) {
  for (int i = 0; i < kFixedKeyCount; ++i)
    if (kFixedKeys[static_cast<size_t>(i)].number == number) return i;
  return -1;
}

int CConsKey::FixedKeyPicture(int position) {
  return position >= 0 && position < kFixedKeyCount ? kFixedKeys[static_cast<size_t>(position)].picture : 0;
}

int CConsKey::FixedKeyType(int position) {
  return position >= 0 && position < kFixedKeyCount ? kFixedKeys[static_cast<size_t>(position)].type : DISABLED;
}

QString CConsKey::FixedKeyLabel(int position) {
  return position >= 0 && position < kFixedKeyCount
             ? QString::fromLatin1(kFixedKeys[static_cast<size_t>(position)].label)
             : QString();
}

QString CConsKey::FixedKeyFunctionText(int position) {
  return position >= 0 && position < kFixedKeyCount
             ? QString::fromLatin1(kFixedKeys[static_cast<size_t>(position)].function)
             : QString();
}

// ---- Transfers ---------------------------------------------------------------------------

QString CConsKey::BuildLine(bool bQuery) const {
  QString path = m_pOwner != nullptr ? m_pOwner->GetPath() : QString();
  if (!path.startsWith(QLatin1Char('/'))) path.prepend(QLatin1Char('/'));
  QString line = path + Fmt("/KEY%d", m_nNumber);
  if (bQuery) return line + QStringLiteral(" ?");
  Function wire = m_stored;
  if (wire.type == MACREP) wire.p2 = MacRepWireValue(wire.p2);
  return line + QLatin1Char(' ') + FunctionText(wire);
}

const QString& CConsKey::Download(QString& out, bool bShorten, bool bQuery) const {
  out = BuildLine(bQuery);
  // The key's own project: a console of a project in another window must not
  // reach the unit that serves the active one.
  GetDeviceLink()->SendDeviceCommand(out, m_pOwner != nullptr ? m_pOwner->GetDocument() : nullptr, bShorten);
  return out;
}

bool CConsKey::Upload(const QString& value) {
  const QString text = TrimRight(value);
  if (text == QLatin1String("?")) return false;
  const int comma = text.indexOf(QLatin1Char(','));
  const QString keyword = comma < 0 ? text : text.left(comma);
  const QString rest = comma < 0 ? QString() : text.mid(comma + 1);
  const int type = TypeFromKeyword(keyword.trimmed());
  if (type < 0) {
    if (text.compare(QLatin1String("console not connected"), Qt::CaseInsensitive) != 0) Warn(IDS_CONS_PARSER_ERROR);
    return false;
  }
  Function function;
  ParseParams(type, rest, &function);
  if (type == MACREP) function.p2 = MacRepWireValue(function.p2);
  return SetFunction(function, true);
}

// ---- Programming ----------------------------------------------------------------------------

int CConsKey::SignalTypeOf(int type) {
  switch (type) {
    case ALARM: return DT_ALARMSIGNAL;
    case CHIME: return DT_CHIMESIGNAL;
    case TEXT: return DT_MESSAGESIGNAL;
    case TALK:
    case TALKEXT: return DT_CHIMESIGNAL;
    default: return 0;
  }
}

uint32_t CConsKey::ResolveZoneParam(int p1, Resolved* out) const {
  const int param = ZoneParam(p1);
  CSelvantisDoc* doc = m_pOwner->GetDocument();
  if (param == -1) {
    out->first = KeyTarget::Mark();
    out->firstCategory = CAT_CONSOLES;
    return 0;
  }
  CBaseDevice* target = nullptr;
  int category = CAT_ZONES;
  if (param >= 1 && param <= kMaxZone) {
    target = doc != nullptr ? doc->FindObjectById(CAT_ZONES, param) : nullptr;
  } else if (param == 0 || (param > kGroupSlotBase && param <= kGroupSlotBase + kMaxGroupSlot)) {
    out->groupSlot = param == 0 ? 0 : param - kGroupSlotBase;
    target = m_pOwner->ResolveGroupSlot(out->groupSlot);
    category = CAT_GROUPS;
  }
  if (target == nullptr) return IDS_CONS_ZONE_MISSING;
  out->first = KeyTarget::Of(target);
  out->firstCategory = category;
  return 0;
}

uint32_t CConsKey::Resolve(const Function& f, Resolved* out) const {
  CSelvantisDoc* doc = m_pOwner->GetDocument();
  switch (f.type) {
    case DISABLED: return 0;
    case ON:
    case STOP:
    case PROGRAM:
    case CLEAR:
      out->first = KeyTarget::Of(m_pOwner);
      out->firstCategory = CAT_CONSOLES;
      return 0;
    case ALARM:
    case CHIME:
    case TEXT:
    case TALK:
    case TALKEXT: {
      const bool needed = f.type <= TEXT;
      if (f.p2 == 0 && needed) return IDS_CONS_SIGNAL_MISSING;
      if (f.p2 != 0) {
        CBaseDevice* signal = doc != nullptr ? doc->GetIDManager().FindBaseDevice(f.p2, SignalTypeOf(f.type)) : nullptr;
        if (signal == nullptr) return IDS_CONS_SIGNAL_MISSING;
        out->second = KeyTarget::Of(signal);
        out->secondCategory = CAT_MISC;
      }
      return ResolveZoneParam(f.p1, out);
    }
    case AUX:
    case SEL: return ResolveZoneParam(f.p1, out);
    case MACRO:
    case MACSWT: {
      if (!(f.type == MACRO && f.p2 == 0)) {
        CBaseDevice* macroB = nullptr;
        if (f.p2 >= 1 && f.p2 <= kMaxKeyMacro && doc != nullptr) macroB = doc->FindObjectById(CAT_MACROS, f.p2);
        if (macroB == nullptr) return IDS_CONS_MACRO2_MISSING;
        out->second = KeyTarget::Of(macroB);
        out->secondCategory = CAT_MACROS;
      }
      [[fallthrough]];
    }
    case MACREP:
    case MACRAD: {
      if (f.p1 < 1 || f.p1 > kMaxKeyMacro) return IDS_CONS_MACRO2_MISSING;
      CBaseDevice* macro = doc != nullptr ? doc->FindObjectById(CAT_MACROS, f.p1) : nullptr;
      if (macro == nullptr) return IDS_CONS_MACRO_MISSING;
      out->first = KeyTarget::Of(macro);
      out->firstCategory = CAT_MACROS;
      return 0;
    }
    default: return IDS_CONS_PARSER_ERROR;
  }
}

bool CConsKey::SetFunctionFromText(int type, const QString& text, bool bStore) {
  if (!IsType(type)) return false;
  Function function;
  ParseParams(type, text, &function);
  return SetFunction(function, bStore);
}

bool CConsKey::SetFunction(const Function& requested, bool bStore) {
  if (m_pOwner == nullptr || !IsType(requested.type)) return false;
  Function function = requested;
  if (function.type == DISABLED) function.p1 = function.p2 = function.p3 = 0;
  Resolved resolved;
  const uint32_t refusal = Resolve(function, &resolved);
  if (refusal != 0) {
    if (refusal == IDS_CONS_SIGNAL_MISSING)
      Warn(refusal, {m_nNumber});
    else
      Warn(refusal);
    return false;
  }
  m_edit = function;
  if (bStore) {
    m_stored = function;
    ApplyLinks(resolved);
  }
  m_bInUse = function.type != DISABLED;
  m_nTargetCategory = resolved.firstCategory;
  m_second = resolved.second;
  m_target = resolved.first;
  m_nPort = m_nNumber;
  RebuildLabel();
  return true;
}

void CConsKey::ApplyLinks(const Resolved& resolved) {
  CConsole* console = m_pOwner;
  // The links this key already has, unchanged (an upload taking back what
  // went down), stay where they are, so the project saves as it did.
  struct Wanted {
    int pin;
    const KeyTarget* target;
    int category;
  };
  std::vector<Wanted> wanted;
  if (resolved.second.IsSet())
    wanted.push_back({MakeConsolePin(-m_nNumber, 0), &resolved.second, resolved.secondCategory});
  if (resolved.first.IsSet())
    wanted.push_back({MakeConsolePin(m_nNumber, resolved.groupSlot), &resolved.first, resolved.firstCategory});
  size_t own = 0;
  size_t same = 0;
  for (const ConnectionRecord& r : console->GetInputConnections()) {
    const int port = ConsolePinPort(r.nOwnPin);
    if (port != m_nNumber && port != -m_nNumber) continue;
    ++own;
    for (const Wanted& w : wanted)
      if (w.pin == r.nOwnPin && w.category == r.nPeerCategory &&
          (w.target->mark ? r.pPeer == nullptr : r.pPeer == w.target->object))
        ++same;
  }
  if (own == wanted.size() && same == wanted.size()) return;
  // Every link of this key goes, whatever slot or sign form it was stored in.
  const std::vector<ConnectionRecord> inputs = console->GetInputConnections();
  for (const ConnectionRecord& r : inputs) {
    const int port = ConsolePinPort(r.nOwnPin);
    if (port == m_nNumber || port == -m_nNumber) console->DisconnectInput(r);
  }
  auto link = [console](int pin, const KeyTarget& target, int category) {
    if (target.mark) {
      console->AddNoObjectInput(pin, 0, category);
      return;
    }
    console->AddInputConnection(pin, target.object, 0, category);
    // The console's own links keep their mirror too, so both ends agree
    // in the project file.
    target.object->AddOutputConnection(0, console, pin, CAT_CONSOLES);
  };
  if (resolved.second.IsSet()) link(MakeConsolePin(-m_nNumber, 0), resolved.second, resolved.secondCategory);
  if (resolved.first.IsSet())
    link(MakeConsolePin(m_nNumber, resolved.groupSlot), resolved.first, resolved.firstCategory);
}

void CConsKey::SetProgramming(int type, int p1, int p2, int p3, const KeyTarget& target, int category, bool bStore) {
  if (m_pOwner == nullptr || !IsType(type)) return;
  Function function{type, p1, p2, p3, m_edit.bProtected};
  Resolved resolved;
  resolved.first = target;
  resolved.firstCategory = category;
  if (category == CAT_GROUPS && HasZoneParam(type)) {
    const int param = ZoneParam(p1);
    resolved.groupSlot = param > kGroupSlotBase ? param - kGroupSlotBase : 0;
  }
  resolved.second = m_second;
  resolved.secondCategory = m_second.object != nullptr ? m_second.object->GetCategory() : 0;
  m_edit = function;
  if (bStore) {
    m_stored = function;
    ApplyLinks(resolved);
  }
  m_bInUse = type != DISABLED;
  m_nTargetCategory = category;
  m_target = target;
  m_nPort = m_nNumber;
  RebuildLabel();
}

void CConsKey::ResetToDefault(int position) {
  if (position < 0 || position >= kFixedKeyCount) return;
  const FixedKeyRow& row = kFixedKeys[static_cast<size_t>(position)];
  SetFunctionFromText(row.type, QString::fromLatin1(row.function), true);
  m_strLabel = QString::fromLatin1(row.label);
  m_nPicture = row.picture;
}

void CConsKey::SyncFunction(bool bToEdit) {
  if (bToEdit)
    m_edit = m_stored;
  else
    m_stored = m_edit;
}

void CConsKey::UpdateLabel(const KeyTarget& target) {
  m_target = target;
  if (target.object != nullptr) m_nTargetCategory = target.object->GetCategory();
  if (target.mark) m_nTargetCategory = CAT_CONSOLES;
  RebuildLabel();
}

void CConsKey::RebuildLabel() {
  const int type = m_edit.type;
  CBaseDevice* console = m_pOwner;
  // A key is in use while it has a function or shows a target; without a
  // target it shows nothing and is not in use (below).
  m_bInUse = type != DISABLED || m_target.IsSet();
  if (m_second.object != nullptr && m_second.object != console && type < TALK) {
    m_strLabel = m_second.object->GetName();
    m_nTargetCategory = m_second.object->GetCategory();
    return;
  }
  if (!m_target.IsSet()) {
    m_strLabel.clear();
    m_bInUse = false;
    return;
  }
  if (m_target.mark || m_target.object == console || (m_second.object != nullptr && m_second.object == console)) {
    m_strLabel = TypeLabel(type);
    if (type == ALARM || type == CHIME || type == TEXT) m_strLabel += QStringLiteral(" ?");
    return;
  }
  QString prefix;
  if (type == AUX) prefix = QStringLiteral("AUX-");
  if (type == TALKEXT) prefix = QStringLiteral("PTT-");
  if (type == TALK && m_nNumber != kTalkKey) prefix = QStringLiteral("@");
  m_strLabel = prefix + m_target.object->GetName();
}

void CConsKey::SetTargetFromSelection(const KeyTarget& object, CBaseDevice* signal, int slot) {
  m_stored = m_edit;
  Function& f = m_stored;
  if (f.type == DISABLED) f.bProtected = true;
  if (f.type == AUX || f.type == SEL) f.p2 = 0;
  if (f.type >= ALARM && f.type <= TALKEXT) {
    if (signal != nullptr) f.p2 = signal->GetID();
    if (!object.IsSet() || object.mark) f.p1 = -1;
  }
  if (f.type >= MACRO && f.type <= MACSWT) f.p1 = object.object != nullptr ? object.object->GetID() : 0;
  if (HasZoneParam(f.type) && object.IsSet()) {
    if (object.mark)
      f.p1 = -1;
    else if (object.object->GetCategory() == CAT_ZONES)
      f.p1 = object.object->GetID();
    else if (object.object->GetCategory() == CAT_GROUPS)
      f.p1 = slot == 0 ? 0 : slot + kGroupSlotBase;
    else
      f.p1 = -1;
  }
  if (f.type == SEL) f.p3 = 0;
  m_edit = m_stored;
}
