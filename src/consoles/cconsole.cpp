#include "consoles/cconsole.h"

#include "consoles/cconskey.h"
#include "consoles/consolestrings.h"
#include "link/idevicelink.h"
#include "link/linkmode.h"
#include "macros/caudiosignal.h"
#include "macros/rangelist.h"
#include "model/carchive.h"
#include "model/ccmdui.h"
#include "model/cmessagesink.h"
#include "model/commandids.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"
#include "model/modelstrings.h"
#include "model/replytext.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>

SELV_IMPLEMENT_SERIAL(CConsole, CConsole::kSchema)

namespace {

struct KeywordRow {
  const char* keyword;
  int code;
};

// KEY has no code-to-keyword direction: its lines are the key's.
constexpr std::array<KeywordRow, 14> kKeywords = {{
    {"BUZZER", CConsProp::P_BUZZER},
    {"DOSCHAR", CConsProp::P_DOSCHAR},
    {"PRECHIME", CConsProp::P_PRECHIME},
    {"GERMAN", CConsProp::P_GERMAN},
    {"PRIO", CConsProp::P_PRIO},
    {"PTTPRIO", CConsProp::P_PTTPRIO},
    {"TYPE", CConsProp::P_TYPE},
    {"NAME", CConsProp::P_NAME},
    {"COMP", CConsProp::P_COMP},
    {"EXT", CConsProp::P_EXT},
    {"PASSW", CConsProp::P_PASSW},
    {"ON_PRIO", CConsProp::P_ONPRIO},
    {"KEY", CConsProp::P_KEY},
    {"GROUP", CConsProp::P_GROUP},
}};

constexpr std::array<const char*, 3> kPttPrioTexts = {"FIRST", "INT", "EXT"};
constexpr std::array<const char*, 4> kExtTexts = {"OFF", "AUX", "6350", "PTT"};

// The parameter of each download step 0..11; steps 12..42 are GROUP0..30.
constexpr std::array<int, 12> kStepCodes = {CConsProp::P_NAME,   CConsProp::P_TYPE,    CConsProp::P_PRIO,
                                            CConsProp::P_COMP,   CConsProp::P_BUZZER,  CConsProp::P_PRECHIME,
                                            CConsProp::P_GERMAN, CConsProp::P_DOSCHAR, CConsProp::P_PTTPRIO,
                                            CConsProp::P_EXT,    CConsProp::P_PASSW,   CConsProp::P_ONPRIO};

constexpr int kZoneBits = 100;
constexpr int kMaxOverlapMoves = 100000;

bool IsFlagCode(int code) {
  return code == CConsProp::P_BUZZER || code == CConsProp::P_DOSCHAR || code == CConsProp::P_PRECHIME ||
         code == CConsProp::P_GERMAN || code == CConsProp::P_COMP;
}

QString TrimRight(const QString& text) {
  int end = text.size();
  while (end > 0 && (text[end - 1] == QLatin1Char(' ') || text[end - 1] == QLatin1Char('\r') ||
                     text[end - 1] == QLatin1Char('\n') || text[end - 1] == QLatin1Char('\t')))
    --end;
  return text.left(end);
}

// Windows-style rectangles: right and bottom are outside.
struct Box {
  int left, top, right, bottom;
};

Box BoxOf(const QRect& r) { return Box{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

bool Intersects(const Box& a, const Box& b) {
  if (a.left >= a.right || a.top >= a.bottom || b.left >= b.right || b.top >= b.bottom) return false;
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

void Warn(uint32_t id, const QVariantList& args = {}) {
  AfxMessageBox(FormatText(ConsoleString(id), args), MB_OK | MB_ICONEXCLAMATION, id);
}

void LinkWithMirror(CConsole* console, int pin, const KeyTarget& target, int category) {
  if (target.mark) {
    console->AddNoObjectInput(pin, 0, category);
    return;
  }
  console->AddInputConnection(pin, target.object, 0, category);
  target.object->AddOutputConnection(0, console, pin, CAT_CONSOLES);
}

const bool kFactoryRegistered = [] {
  CSelvantisDoc::RegisterObjectFactory(DT_CONSOLE, [](CSelvantisDoc& doc, int kind) -> std::unique_ptr<CBaseDevice> {
    auto console = std::make_unique<CConsole>();
    const int model = CConsProp::IsKnownModel(kind) ? kind : int(CConsProp::RCX6010);
    console->GetProp().CreateKeys(model, console.get());
    if (!console->CreateAndPlace(model, 0, 1, QString(), QRect(0, 0, 64, 48), CAT_CONSOLES, CConsole::kBitmap,
                                 CBaseDevice::TF_NAME | CBaseDevice::TF_BELOW, &doc))
      return nullptr;
    return console;
  });
  return true;
}();

}  // namespace

CConsole::CConsole() {
  SetType(DT_CONSOLE);
  m_nMenuID = kMenuId;
  m_bMoveLock = true;
  m_groupSlots.fill(-1);
  m_prop.SetOwner(this);
}

CConsole::~CConsole() = default;

CConsole* CConsole::CreateIn(CSelvantisDoc& doc, int model, const QRect& rect) {
  auto console = std::make_unique<CConsole>();
  console->m_prop.CreateKeys(model, console.get());
  if (!console->CreateOnCanvas(model, 0, 1, QString(), rect, CAT_CONSOLES, kBitmap, TF_NAME | TF_BELOW, &doc))
    return nullptr;
  CConsole* added = doc.Adopt(std::move(console));
  if (added != nullptr) added->AvoidOverlap();
  return added;
}

bool CConsole::CreateAndPlace(int kind, int nInputs, int nOutputs, const QString& name, const QRect& rect, int category,
                              int bitmapId, int textFlags, CSelvantisDoc* doc) {
  const bool created = CreateOnCanvas(kind, nInputs, nOutputs, name, rect, category, bitmapId, textFlags, doc);
  if (created) AvoidOverlap();
  return created;
}

int CConsole::GetUnitPort() const {
  for (const ConnectionRecord& r : m_outputs) {
    if (r.pPeer == nullptr || r.pPeer == this || r.nOwnPin != 0) continue;
    if (r.pPeer->GetType() != DT_AUDIOINPUTSLOT || r.nPeerPin < 0 || r.nPeerPin > 1) return -1;
    return 2 * r.pPeer->GetID() + r.nPeerPin - 2;
  }
  return -1;
}

// ---- Command language ---------------------------------------------------------------

QString CConsole::KeywordOf(int code) {
  for (const KeywordRow& row : kKeywords)
    if (row.code == code && code != CConsProp::P_KEY) return QString::fromLatin1(row.keyword);
  return QString();
}

int CConsole::CodeOf(const QString& keyword) {
  for (const KeywordRow& row : kKeywords)
    if (keyword == QLatin1String(row.keyword)) return row.code;
  return -1;
}

QString CConsole::PttPrioText(int index) {
  return index >= 0 && index < int(kPttPrioTexts.size()) ? QString::fromLatin1(kPttPrioTexts[size_t(index)])
                                                         : QString::fromLatin1(kPttPrioTexts[1]);
}

QString CConsole::ExtText(int index) {
  return index >= 0 && index < int(kExtTexts.size()) ? QString::fromLatin1(kExtTexts[size_t(index)])
                                                     : QString::fromLatin1(kExtTexts[0]);
}

QString CConsole::SettingValue(int code) const {
  const int base = code & 0xFFFF;
  if (IsFlagCode(base)) return m_prop.GetParamText(base) == QLatin1String("0") ? OnOffText(false) : OnOffText(true);
  if (base == CConsProp::P_PTTPRIO) return PttPrioText(m_prop.GetPttPrio());
  if (base == CConsProp::P_EXT) return ExtText(m_prop.GetExt());
  if (base == CConsProp::P_GROUP) {
    const int slot = static_cast<int>(static_cast<uint32_t>(code) >> 16);
    CSelvantisDoc* doc = GetDocument();
    CBaseDevice* group =
        slot == 0 ? (doc != nullptr ? doc->FindObjectById(CAT_GROUPS, 0) : nullptr) : FindGroupInSlot(slot);
    if (group == nullptr) return QStringLiteral("0");
    BitSet zones = MakeBitSet(kZoneBits);
    CollectGroupZones(*group, zones);
    return FormatRangeList(zones, kZoneBits);
  }
  // A name given on the canvas or in an older file may be longer than the
  // unit's field.
  if (base == CConsProp::P_NAME) return ReplyText::Field(GetName(), ReplyText::TextField::Name);
  return m_prop.GetParamText(base);
}

const QString& CConsole::SendSetting(QString& out, int code, bool bShorten, bool bQuery) {
  const int base = code & 0xFFFF;
  QString path = GetPath();
  if (!path.startsWith(QLatin1Char('/'))) path.prepend(QLatin1Char('/'));
  out = path + QLatin1Char('/') + KeywordOf(base);
  if (base == CConsProp::P_GROUP) out += Fmt("%u", static_cast<uint32_t>(code) >> 16);
  out += bQuery ? QStringLiteral(" ?") : QLatin1Char(' ') + SettingValue(code);
  GetDeviceLink()->SendDeviceCommand(out, GetDocument(), bShorten);
  return out;
}

int CConsole::Download(bool bQuery, int nStep) {
  const int keys = m_prop.GetKeyCount();
  const int count = kParamSteps + keys + CConsKey::kFixedKeyCount;
  if (nStep == -1) {
    m_bAbort = false;
    m_bNotConnectedShown = false;
    return count;
  }
  if (m_bAbort) return -1;
  if (nStep < 0 || nStep >= count) return count;
  if (IsLinkBusy()) return nStep;
  QString line;
  if (nStep < kParamSteps) {
    const int code = nStep < kFirstGroupStep ? kStepCodes[static_cast<size_t>(nStep)]
                                             : (CConsProp::P_GROUP | ((nStep - kFirstGroupStep) << 16));
    if (code == CConsProp::P_TYPE || code == CConsProp::P_PRIO) return nStep + 1;
    SendSetting(line, code, false, bQuery);
    return nStep + 1;
  }
  // Keys go by number: the programmable array is ordered down the columns.
  const int number =
      nStep < kParamSteps + keys ? nStep - (kParamSteps - 1) : nStep - (kParamSteps + keys) + CConsKey::kFirstFixedKey;
  if (const CConsKey* key = m_prop.FindKey(number)) key->Download(line, false, bQuery);
  return nStep + 1;
}

void CConsole::ShowNotConnected() {
  m_bAbort = true;
  if (m_bNotConnectedShown) return;
  m_bNotConnectedShown = true;
  Warn(IDS_CONS_NOT_CONNECTED, {GetName()});
}

bool CConsole::Upload(const QString& line, QString& errorFilePath, int mode) {
  (void)errorFilePath;
  QString key, value;
  if (!SplitUploadLine(line, &key, &value)) return false;
  value = TrimRight(value);
  if (value == QLatin1String("?")) return false;
  if (value == QLatin1String("CONSOLE NOT CONNECTED")) {
    ShowNotConnected();
    return true;
  }
  // Values count only in an upload: anything else is an echo of what was
  // sent or a line for someone else.
  if (mode != LINKMODE_UPLOAD) return true;
  // A bare path carries nothing to take.
  if (!line.contains(QLatin1Char(' '))) return true;
  while (key.startsWith(QLatin1Char('/'))) key.remove(0, 1);
  int digit = 0;
  while (digit < key.size() && !key[digit].isDigit()) ++digit;
  const QString keyword = key.left(digit);
  int index = -1;
  if (digit < key.size()) {
    const QString digits = key.mid(digit);
    // Numbers this long name no key and no slot.
    index = digits.size() <= 4 ? digits.toInt() : 100000;
  }
  UploadValue(keyword, index, value);
  return true;
}

void CConsole::UploadValue(const QString& keyword, int index, const QString& value) {
  const int code = CodeOf(keyword);
  if (code < 0) {
    Warn(IDS_CONS_PARSER_ERROR);
    return;
  }
  switch (code) {
    case CConsProp::P_PTTPRIO:
    case CConsProp::P_EXT: {
      const int count = code == CConsProp::P_EXT ? int(kExtTexts.size()) : int(kPttPrioTexts.size());
      for (int i = 0; i < count; ++i) {
        const QString text = code == CConsProp::P_EXT ? ExtText(i) : PttPrioText(i);
        if (value == text) {
          m_prop.SetParamText(code, Fmt("%d", i));
          SetModified();
        }
      }
      return;
    }
    case CConsProp::P_KEY: {
      const bool known = (index >= 1 && index <= CConsKey::kMaxProgrammableKey) ||
                         (index >= CConsKey::kFirstFixedKey && index <= CConsKey::kLastReplyKey);
      if (!known) return;
      // A function taken from the unit is a change to the project, as every
      // other value is, even where the key's links stay as they were.
      CConsKey* k = m_prop.FindKey(index);
      if (k != nullptr && k->Upload(value)) SetModified();
      return;
    }
    case CConsProp::P_GROUP: {
      if (index < 0 || index >= kGroupSlots) return;
      if (value.isEmpty() || value == QLatin1String("0") || value == QLatin1String("NONE")) return;
      if (CBaseDevice* group = FindGroupByZoneList(value))
        SetGroupSlot(index, group);
      else
        Warn(IDS_CONS_GROUP_MISSING, {index});
      return;
    }
    default: {
      QString text = value;
      if (text == QLatin1String("ON")) text = QStringLiteral("1");
      if (text == QLatin1String("OFF")) text = QStringLiteral("0");
      if (!m_prop.SetParamText(code, text))
        Warn(IDS_CONS_PARSER_ERROR);
      else
        SetModified();
      return;
    }
  }
}

QString CConsole::GetVersionQuery() const {
  QString path = GetPath();
  if (!path.startsWith(QLatin1Char('/'))) path.prepend(QLatin1Char('/'));
  return path + QStringLiteral("/RELEASE ?");
}

QString CConsole::ParseVersionReply(const QString& reply, const QString& query) {
  const QString path = query.section(QLatin1Char(' '), 0, 0);
  const QStringList lines = reply.split(QRegularExpression(QStringLiteral("[\\r\\n]")), Qt::SkipEmptyParts);
  for (const QString& raw : lines) {
    const QString line = raw.trimmed();
    if (!line.startsWith(path + QLatin1Char(' '))) continue;
    const QString value = line.mid(path.size() + 1).trimmed();
    if (value.isEmpty() || value == QLatin1String("?")) continue;
    if (value.compare(QLatin1String("console not connected"), Qt::CaseInsensitive) == 0) return QString();
    return value.section(QLatin1Char(' '), -1);
  }
  return QString();
}

QString CConsole::DefaultKeyParamText(int type) const {
  auto lowestSignal = [this](int signalType, int* priority) -> int {
    std::vector<CBaseDevice*> found;
    if (m_pDoc != nullptr) m_pDoc->GetIDManager().GetBaseDeviceList(found, signalType);
    if (found.empty()) return 0;
    const auto* signal = dynamic_cast<const CAudioSignal*>(found.front());
    *priority = signal != nullptr ? signal->GetPriority() : 0;
    return found.front()->GetID();
  };
  const int prio = m_prop.GetParamText(CConsProp::P_PRIO).toInt();
  switch (type) {
    case CConsKey::ON: return QStringLiteral("28");
    case CConsKey::STOP: return QStringLiteral("2,0,90");
    case CConsKey::AUX:
    case CConsKey::SEL: return QStringLiteral("0,0,20");
    case CConsKey::ALARM:
    case CConsKey::CHIME:
    case CConsKey::TEXT: {
      int priority = 0;
      const int id = lowestSignal(CConsKey::SignalTypeOf(type), &priority);
      const char* fallback = type == CConsKey::ALARM ? "0,1,90" : type == CConsKey::CHIME ? "0,1,80" : "0,1,40";
      QString text = id > 0 ? Fmt("0,%d,%d", id, priority * 10) : QString::fromLatin1(fallback);
      if (type == CConsKey::ALARM) text += QStringLiteral(",UNPROT");
      return text;
    }
    case CConsKey::TALK: return Fmt("-1,0,%d", prio * 10);
    case CConsKey::TALKEXT: {
      const QString ptt = m_prop.GetParamText(CConsProp::P_PTTPRIO);
      const int p = ptt == QLatin1String("0") ? prio : ptt == QLatin1String("1") ? prio - 1 : prio + 1;
      return Fmt("-1,0,%d", p * 10);
    }
    default: return type >= CConsKey::MACRO && type <= CConsKey::MACSWT ? QStringLiteral("1,0") : QString();
  }
}

// ---- Group slots -------------------------------------------------------------------------

CBaseDevice* CConsole::GetGroupSlot(int slot) const {
  if (slot < 0 || slot >= kGroupSlots || m_pDoc == nullptr) return nullptr;
  const int id = m_groupSlots[static_cast<size_t>(slot)];
  return id >= 0 ? m_pDoc->FindObjectById(CAT_GROUPS, id) : nullptr;
}

void CConsole::SetGroupSlot(int slot, CBaseDevice* group) {
  if (slot < 0 || slot >= kGroupSlots) return;
  m_groupSlots[static_cast<size_t>(slot)] = group != nullptr ? group->GetID() : -1;
}

CBaseDevice* CConsole::ResolveGroupSlot(int slot) const {
  if (slot == 0) return m_pDoc != nullptr ? m_pDoc->FindObjectById(CAT_GROUPS, 0) : nullptr;
  if (CBaseDevice* group = GetGroupSlot(slot)) return group;
  return FindGroupInSlot(slot);
}

bool CConsole::HasLinkOnPort(int port) const {
  return std::any_of(m_inputs.begin(), m_inputs.end(),
                     [port](const ConnectionRecord& r) { return ConsolePinPort(r.nOwnPin) == port; });
}

CBaseDevice* CConsole::FindGroupInSlot(int slot) const {
  for (const ConnectionRecord& r : m_inputs) {
    if (r.nPeerCategory != CAT_GROUPS || r.pPeer == nullptr) continue;
    if (ConsolePinGroupSlot(NormalizeConsolePin(r.nOwnPin)) == slot) return r.pPeer;
  }
  return nullptr;
}

void CConsole::CollectGroupZones(const CBaseDevice& group, std::vector<uint8_t>& bits) {
  std::vector<ConnectionRecord> records;
  group.CollectUpstream(CAT_ZONES, records, true);
  for (const ConnectionRecord& r : records) {
    if (r.pPeer == nullptr || r.pPeer->GetCategory() != CAT_ZONES) continue;
    const int id = r.pPeer->GetID();
    if (id >= 1 && id <= kZoneBits) SetBit(bits, static_cast<unsigned>(id - 1), true);
  }
}

CBaseDevice* CConsole::FindGroupByZoneList(const QString& rangeText) const {
  if (m_pDoc == nullptr || rangeText.size() > kMaxGroupValueLength) return nullptr;
  BitSet wanted = MakeBitSet(kZoneBits);
  if (!ParseRangeList(rangeText, wanted, kZoneBits)) return nullptr;
  if (std::all_of(wanted.begin(), wanted.end(), [](uint8_t b) { return b == 0; })) return nullptr;
  for (CBaseDevice* group : m_pDoc->GetObjectList(CAT_GROUPS)) {
    BitSet zones = MakeBitSet(kZoneBits);
    CollectGroupZones(*group, zones);
    if (zones == wanted) return group;
  }
  return nullptr;
}

// ---- Key programming ------------------------------------------------------------------------

void CConsole::ProgramKeyRange(int first, int last, int firstZone) {
  if (last < first) {
    RemoveAllInputConnections();
    last = m_prop.GetKeyCount();
  }
  // No key is numbered beyond 100: a larger bound would only spin.
  last = std::min(last, static_cast<int>(CConsKey::kMaxProgrammableKey));
  int zone = firstZone;
  // A range whose first key is its last programs that one key: else the range dialog could not program one key.
  for (int n = std::max(first, 1); n <= last; ++n) {
    CConsKey* key = m_prop.FindKey(n);
    if (key == nullptr) continue;
    if (m_pDoc != nullptr && m_pDoc->FindObjectById(CAT_ZONES, zone) != nullptr)
      key->SetFunctionFromText(CConsKey::SEL, Fmt("%d", zone), true);
    ++zone;
  }
  for (int position = 0; position < CConsKey::kFixedKeyCount; ++position)
    if (CConsKey* key = m_prop.GetKeyAt(CConsKey::kFirstFixedKey + position)) key->ResetToDefault(position);
}

void CConsole::ClearAllKeys() {
  auto clear = [](const std::vector<std::unique_ptr<CConsKey>>& keys) {
    for (const auto& key : keys) {
      key->SetSecondTarget(KeyTarget::None());
      key->SetFunctionFromText(CConsKey::DISABLED, QString(), true);
    }
  };
  clear(m_prop.GetProgrammableKeys());
  clear(m_prop.GetFixedKeys());
  RemoveAllInputConnections();
}

void CConsole::CopyKeyProgrammingTo(CConsole* target) {
  if (target == nullptr || target == this) return;
  const int targetKeys = target->m_prop.GetKeyCount();
  const std::vector<ConnectionRecord> inputs = m_inputs;
  for (const ConnectionRecord& r : inputs) {
    const int port = ConsolePinPort(r.nOwnPin);
    const int number = std::abs(port);
    if (!(number <= targetKeys || number >= CConsKey::kFirstFixedKey)) continue;
    // A port that names no key of the target would be a dangling link.
    if (target->FindKey(number) == nullptr) continue;
    const int pin = NormalizeConsolePin(r.nOwnPin);
    if (r.pPeer == nullptr) {
      target->AddNoObjectInput(pin, r.nPeerPin, r.nPeerCategory);
    } else {
      CBaseDevice* peer = r.pPeer == this ? target : r.pPeer;
      target->AddInputConnection(pin, peer, r.nPeerPin, r.nPeerCategory);
      peer->AddOutputConnection(r.nPeerPin, target, pin, CAT_CONSOLES);
    }
    if (port > 0) {
      const CConsKey* source = m_prop.FindKey(number);
      CConsKey* copy = target->FindKey(number);
      if (source != nullptr && copy != nullptr) {
        copy->EditFunction() = source->GetEditFunction();
        copy->SyncFunction(false);
      }
    }
  }
  target->RefreshKeysFromLinks(false);
  target->m_prop.SetParamText(CConsProp::P_PRECHIME, m_prop.GetParamText(CConsProp::P_PRECHIME));
  target->m_prop.SetParamText(CConsProp::P_EXT, m_prop.GetParamText(CConsProp::P_EXT));
  target->SetModified();
}

void CConsole::CheckExtension() {
  const bool xModel = m_prop.GetParamText(CConsProp::P_TYPE).endsWith(QLatin1Char('X'));
  const int ext = m_prop.GetExt();
  if (ext == CConsProp::EXT_6350 && !xModel) m_prop.SetParamText(CConsProp::P_EXT, QStringLiteral("0"));
  if (ext != CConsProp::EXT_6350 && xModel) m_prop.SetParamText(CConsProp::P_EXT, QStringLiteral("2"));
  // Whether an extension occupies the EXT connector follows the model alone, not an EXT value just corrected:
  // a stored "6350" on a model without the extension names no housing and must not keep a key off the connector.
  CheckExtConnectorKeys(xModel, false);
}

int CConsole::CheckExtConnectorKeys(bool bExtension, bool bQuiet) {
  int found = 0;
  // Each key set by number, up to its first key that uses the EXT connector.
  auto scan = [&](int first, int last, bool sync) {
    for (int n = first; n <= last; ++n) {
      CConsKey* key = m_prop.FindKey(n);
      if (key == nullptr) continue;
      if (sync) key->SyncFunction(true);
      const int type = key->GetEditFunction().type;
      if (type == CConsKey::TALKEXT || type == CConsKey::AUX) {
        found |= type == CConsKey::TALKEXT ? 1 : 2;
        return;
      }
    }
  };
  scan(1, CConsKey::kMaxProgrammableKey, !bQuiet);
  scan(CConsKey::kFirstFixedKey, CConsKey::kLastFixedKey, true);
  if (bQuiet) return found;
  if (found == 0 && !bExtension) m_prop.SetParamText(CConsProp::P_EXT, QStringLiteral("0"));
  if ((found & 2) != 0) {
    if (bExtension)
      Warn(IDS_CONS_AUX_WITH_EXTENSION, {GetName()});
    else
      m_prop.SetParamText(CConsProp::P_EXT, QStringLiteral("1"));
  }
  if ((found & 1) != 0) {
    if (bExtension)
      Warn(IDS_CONS_PTT_WITH_EXTENSION, {GetName()});
    else
      m_prop.SetParamText(CConsProp::P_EXT, QStringLiteral("3"));
  }
  return found;
}

KeyTarget CConsole::ResolveKeyTarget(CConsKey& key, bool bMessages) {
  const CConsKey::Function& f = key.GetEditFunction();
  switch (f.type) {
    case CConsKey::ON:
    case CConsKey::STOP:
    case CConsKey::PROGRAM:
    case CConsKey::CLEAR:
      // These keys act on the console itself.
      return KeyTarget::Of(this);
    case CConsKey::ALARM:
    case CConsKey::CHIME:
    case CConsKey::TEXT: {
      const int id = f.p2 == 0 ? 1 : f.p2;
      CBaseDevice* signal =
          m_pDoc != nullptr ? m_pDoc->GetIDManager().FindBaseDevice(id, CConsKey::SignalTypeOf(f.type)) : nullptr;
      if (signal == nullptr) {
        if (bMessages) Warn(IDS_CONS_SIGNAL_MISSING, {key.GetNumber()});
        return KeyTarget::None();
      }
      key.SetSecondTarget(KeyTarget::Of(signal));
      break;
    }
    case CConsKey::TALK:
      if (m_prop.GetParamText(CConsProp::P_PRECHIME) != QLatin1String("0") && m_pDoc != nullptr) {
        if (CBaseDevice* chime = m_pDoc->GetIDManager().FindBaseDevice(f.p2, DT_CHIMESIGNAL))
          key.SetSecondTarget(KeyTarget::Of(chime));
      }
      break;
    default: return KeyTarget::None();
  }
  const int zone = CConsKey::ZoneParam(f.p1);
  if (zone >= 1 && zone <= CConsKey::kMaxZone && m_pDoc != nullptr)
    if (CBaseDevice* z = m_pDoc->FindObjectById(CAT_ZONES, zone)) return KeyTarget::Of(z);
  return KeyTarget::None();
}

int CConsole::RefreshKeysFromLinks(bool bMessages) {
  auto each = [this](const std::function<void(CConsKey&)>& fn) {
    for (const auto& key : m_prop.GetProgrammableKeys()) fn(*key);
    for (const auto& key : m_prop.GetFixedKeys()) fn(*key);
  };
  each([](CConsKey& key) {
    key.SyncFunction(true);
    key.SetSecondTarget(KeyTarget::None());
    key.UpdateLabel(KeyTarget::None());
  });
  const bool oldFile = m_pDoc != nullptr && m_pDoc->GetFileVersion() < kSignalLinkFileVersion;
  const std::vector<ConnectionRecord> inputs = m_inputs;
  // Second targets first, so that every label sees both targets.
  for (const ConnectionRecord& r : inputs) {
    const int port = ConsolePinPort(r.nOwnPin);
    if (port >= 0) continue;
    if (CConsKey* key = m_prop.FindKey(-port))
      key->SetSecondTarget(r.pPeer != nullptr ? KeyTarget::Of(r.pPeer) : KeyTarget::Mark());
  }
  for (const ConnectionRecord& r : inputs) {
    const int port = ConsolePinPort(r.nOwnPin);
    if (port < 0) continue;
    CConsKey* key = m_prop.FindKey(port);
    if (key == nullptr) continue;
    KeyTarget target = r.pPeer != nullptr ? KeyTarget::Of(r.pPeer) : KeyTarget::Mark();
    const CConsKey::Function& f = key->GetEditFunction();
    if (r.pPeer == this) {
      target = ResolveKeyTarget(*key, bMessages);
    } else {
      if ((f.type == CConsKey::MACRO || f.type == CConsKey::MACSWT) && f.p2 >= 1 && !key->GetSecondTarget().IsSet() &&
          m_pDoc != nullptr) {
        if (CBaseDevice* macro = m_pDoc->FindObjectById(CAT_MACROS, f.p2)) key->SetSecondTarget(KeyTarget::Of(macro));
      }
      // Older projects did not link the signal of these keys: it comes from
      // the key's parameter. The linked zone or group stays the target.
      if (oldFile && r.pPeer != nullptr && f.type >= CConsKey::ALARM && f.type <= CConsKey::TEXT &&
          !key->GetSecondTarget().IsSet())
        ResolveKeyTarget(*key, bMessages);
    }
    key->UpdateLabel(target);
  }
  int groups = 0;
  int slotted = 0;
  each([&groups, &slotted](CConsKey& key) {
    const CBaseDevice* target = key.GetTarget().object;
    if (target == nullptr || target->GetCategory() != CAT_GROUPS) return;
    ++groups;
    // The root group needs no slot; the unit has 30 for the others.
    if (target->GetID() != 0) ++slotted;
  });
  if (bMessages && slotted > CConsKey::kMaxGroupSlot)
    AfxMessageBox(
        QCoreApplication::translate("CConsole", "Warning: This console has too many Groups ! (%1)").arg(slotted), MB_OK,
        0);
  return groups;
}

int CConsole::StoreKeyLinks() {
  RemoveAllInputConnections();
  int slot = 0;
  QStringList unlinkedKeys;
  auto store = [&](CConsKey& key) {
    const KeyTarget first = key.GetTarget();
    if (!first.IsSet()) return;
    const int number = key.GetNumber();
    const KeyTarget second = key.GetSecondTarget();
    if (second.IsSet()) {
      // The record carries the category of what the key shows: a signal
      // key shows its signal, a macro key its macro. A TALK key shows its
      // zone, so its pre-chime is recorded as the signal it is.
      const bool chime = second.object != nullptr && second.object->GetType() == DT_CHIMESIGNAL;
      LinkWithMirror(this, MakeConsolePin(-number, 0), second, chime ? CAT_MISC : key.GetTargetCategory());
    }
    const int category = first.mark ? CAT_CONSOLES : first.object->GetCategory();
    int groupSlot = 0;
    if (category == CAT_GROUPS && first.object->GetID() != 0) {
      // The console's slot table has 31 entries, GROUP0 to GROUP30, and
      // slot 0 always holds the root group: only 30 other groups fit. A
      // 31st would go to a slot the unit does not have (and past the end of
      // the table an upload fills), so its key stays unlinked and is named
      // to the user.
      if (slot >= CConsKey::kMaxGroupSlot) {
        unlinkedKeys << QString::number(number);
        return;
      }
      groupSlot = ++slot;
    }
    LinkWithMirror(this, MakeConsolePin(number, groupSlot), first, category);
    CBaseDevice* signal =
        second.object != nullptr && second.object->GetCategory() == CAT_MISC ? second.object : nullptr;
    key.SetTargetFromSelection(first, signal, groupSlot);
  };
  // By key number, so that group slots follow the keys as the user counts them.
  for (int n = 1; n <= CConsKey::kLastFixedKey; ++n)
    if (CConsKey* key = m_prop.FindKey(n)) store(*key);
  const int unlinked = static_cast<int>(unlinkedKeys.size());
  if (unlinked > 0) {
    AfxMessageBox(QCoreApplication::translate("CConsole", "Warning: This console has too many Groups ! (%1)")
                          .arg(slot + unlinked) +
                      QLatin1Char('\n') +
                      QCoreApplication::translate("CConsole", "Keys whose group was not stored: %1")
                          .arg(unlinkedKeys.join(QStringLiteral(", "))),
                  MB_OK, 0);
  }
  return unlinked;
}

// ---- Base operations ---------------------------------------------------------------------------

void CConsole::Serialize(CArchive& ar) {
  CBaseDevice::Serialize(ar);
  if (ar.IsStoring()) {
    // Checked before the record is written, so the file holds what the
    // console holds afterwards.
    CheckExtension();
    m_prop.SerializeData(ar, kSchema);
    return;
  }
  m_prop.SetOwner(this);
  m_prop.SerializeData(ar, GetSchema());
  m_prop.SetOwner(this);
  CheckExtension();
}

bool CConsole::RegisterPath() {
  if (!CBaseDevice::RegisterPath()) return false;
  m_groupSlots.fill(-1);
  if (m_pDoc != nullptr && m_pDoc->FindObjectById(CAT_GROUPS, 0) != nullptr) m_groupSlots[0] = 0;
  return true;
}

int CConsole::OnAfterLoad() {
  SetCommandPath(Fmt("CONS/ADR%d", m_nID));
  m_prop.SetOwner(this);
  const bool oldFile = m_pDoc != nullptr && m_pDoc->GetFileVersion() < kSignalLinkFileVersion;
  RefreshKeysFromLinks(oldFile);
  if (oldFile) {
    // Give the signal keys of older projects the links they lacked.
    auto addSignal = [this](CConsKey& key) {
      const KeyTarget second = key.GetSecondTarget();
      if (second.object == nullptr || second.object == this) return;
      if (HasLinkOnPort(-key.GetNumber())) return;
      LinkWithMirror(this, MakeConsolePin(-key.GetNumber(), 0), second, second.object->GetCategory());
    };
    for (const auto& key : m_prop.GetProgrammableKeys()) addSignal(*key);
    for (const auto& key : m_prop.GetFixedKeys()) addSignal(*key);
  }
  return 1;
}

void CConsole::LayoutPins() {
  if (m_outPinPoints.empty()) return;
  m_outPinPoints[0] = QPoint(m_rect.left() + m_rect.width() / 2, m_rect.top() + m_rect.height());
}

void CConsole::CalcBoundingRect() {
  Box box = BoxOf(m_rect);
  for (const ConnectionRecord& r : m_outputs) {
    if (r.nOwnPin != 0 || r.pPeer == nullptr || r.pPeer == this) continue;
    const QPoint p = r.pPeer->GetInputPinPoint(r.nPeerPin);
    box.right = std::max(box.right, p.x());
    box.top = std::min(box.top, p.y());
    box.bottom = std::max(box.bottom, p.y() + 1);
  }
  m_boundRect = QRect(box.left, box.top, box.right - box.left, box.bottom - box.top);
}

bool CConsole::OnCommand(int id) {
  // Deleting goes through the document, which tells every view before the
  // console goes, so none keeps it as its current object.
  return CBaseDevice::OnCommand(id);
}

void CConsole::OnUpdateCommandUI(CCmdUI& cmdUI) {
  if (cmdUI.GetID() == ID_DELETE_OBJECT) cmdUI.Enable(true);
  // Properties only once a dialog has been registered for consoles.
  if (cmdUI.GetID() == ID_SHOW_PROPERTIES) cmdUI.Enable(HasPropertiesHandler(DT_CONSOLE));
}

void CConsole::AvoidOverlap() {
  if (m_pDoc == nullptr) return;
  int moves = 0;
  auto pass = [&](int category) {
    bool moved = false;
    for (bool again = true; again && moves < kMaxOverlapMoves;) {
      again = false;
      for (CBaseDevice* other : m_pDoc->GetObjectList(category)) {
        if (other == this) continue;
        if (Intersects(BoxOf(m_rect), BoxOf(other->GetRect()))) {
          Move(-kOverlapStep, 0, false);
          moved = again = true;
          ++moves;
          break;
        }
      }
    }
    return moved;
  };
  for (bool moved = true; moved && moves < kMaxOverlapMoves;) {
    const bool a = pass(CAT_AUDIODEVICES);
    const bool b = pass(CAT_CONSOLES);
    moved = a || b;
  }
  if (m_rect.left() < 0) Move(-m_rect.left(), 0, false);
  const int right = m_rect.left() + m_rect.width();
  if (right >= kMaxRight + 1) Move(kMaxRight - right, 0, false);
}

int CConsole::GetReportColumns(std::vector<ReportColumn>& columns) const {
  columns.push_back(ReportColumn{2, 0});
  columns.push_back(ReportColumn{30, 0});
  columns.push_back(ReportColumn{50, 0});
  return 1;
}

int CConsole::GetReportLine(QStringList& cells, bool bHeader) const {
  if (bHeader) {
    cells << ModelString(IDS_NAME) << ModelString(IDS_ID) << ModelString(IDS_TYPE);
  } else {
    QString model = CConsProp::ModelName(m_nKind);
    if (model.isEmpty()) model = m_prop.GetParamText(CConsProp::P_TYPE);
    cells << GetName() << GetIDString() << model;
  }
  return static_cast<int>(cells.size());
}
