#include "macros/cmacro.h"

#include "link/linkmode.h"
#include "logic/logiclinks.h"
#include "macros/rangelist.h"
#include "model/carchive.h"
#include "model/commandids.h"
#include "model/cselectionprovider.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/ctext.h"
#include "model/errorfile.h"
#include "model/replytext.h"

#include <QDateTime>
#include <QTime>

#include <algorithm>
#include <cmath>
#include <memory>

SELV_IMPLEMENT_SERIAL(CMacro, 1)

namespace {

// A parameter the macro never had reads as its default (0, 0.0 or empty), so
// a value equal to that default stores nothing: a macro taken back from the
// unit then saves exactly as it did before it went down.
template <typename Value>
void StoreParam(std::map<int, Value>& params, int index, const Value& value) {
  const auto it = params.find(index);
  if (it != params.end())
    it->second = value;
  else if (value != Value())
    params.emplace(index, value);
}

constexpr uint32_t kStrNoEntry = 34421;  // "No entry"
constexpr uint32_t kStrAll = 34487;      // "All"
constexpr float kMaxPulse = 300.0f;
constexpr float kMinPulse = 0.1f;
constexpr float kMaxStepDelay = 300.0f;
constexpr float kMaxRecordTime = 360.4f;

enum class Pairing { Single, OnOff, UpDown };

struct KindInfo {
  int kind;
  const char* caption;  // the kind's English name, for reading this table
  const char* keyword;  // the unit's name of the kind
  Pairing pairing;
};

// The kinds in the order the kind chooser lists them.
const KindInfo kKinds[] = {
    {CMacro::kKindAlarm, "Alarm", "ALARM", Pairing::OnOff},
    {CMacro::kKindMessage, "Play message", "MESSAGE", Pairing::OnOff},
    {CMacro::kKindChime, "Chime", "CHIME", Pairing::Single},
    {CMacro::kKindPage, "Page", "PAGE", Pairing::OnOff},
    {CMacro::kKindBackground, "Background", "BPROG", Pairing::OnOff},
    {CMacro::kKindAmpSupply, "Amplifier Supply", "AMPSUPPLY", Pairing::Single},
    {CMacro::kKindAmpMute, "Amplifier Mute", "AMPMUTE", Pairing::Single},
    {CMacro::kKindLCDText, "Display text on LCD", "LCDTEXT", Pairing::Single},
    {CMacro::kKindBuzzer, "Buzzer macro", "BUZZER", Pairing::Single},
    {CMacro::kKindRecord, "Record message", "RECORD", Pairing::OnOff},
    {CMacro::kKindErase, "Erase message", "ERASE", Pairing::Single},
    {CMacro::kKindRepeat, "Repeat", "REPEAT", Pairing::Single},
    {CMacro::kKindSequence, "Sequence", "SEQUENCE", Pairing::Single},
    {CMacro::kKindMemoFlag, "Memo Flag", "MEMOFLAG", Pairing::Single},
    {CMacro::kKindSlaveClock, "Slave clocks", "SLAVECLOCK", Pairing::Single},
    {CMacro::kKindLineTest, "Line test", "ZONETEST", Pairing::Single},
    {CMacro::kKindDigitalIO, "Digital IO", "DIGIO", Pairing::OnOff},
    {CMacro::kKindAuxSwitch, "AUX Switch", "AUX", Pairing::Single},
    {CMacro::kKindVolume, "Volume Control", "VOLUME", Pairing::UpDown},
    {CMacro::kKindVirtCtrl, "Virtual controller", "VIRTCTRL", Pairing::UpDown},
    {CMacro::kKindMonitor, "Monitor", "MONITOR", Pairing::UpDown},
    {CMacro::kKindStop, "Stop macro", "STOP", Pairing::Single},
    {CMacro::kKindPower, "Operating voltage", "POWER", Pairing::OnOff},
    {CMacro::kKindNoEntry, "No entry", "NONE", Pairing::Single},
};

const KindInfo* FindKind(int kind) {
  for (const KindInfo& info : kKinds)
    if (info.kind == kind) return &info;
  return nullptr;
}

// How a parameter travels as text.
enum class Wire {
  Int,        // "%d"
  Switch,     // parameter 3: ON/OFF (ADD/SUB in ADD/SUB mode)
  OnOff,      // a flag as ON/OFF
  TrueFalse,  // a flag as TRUE/FALSE
  Link,       // the linked object's ID "%d"
  Text,       // stored text as it is
  Float1,     // "%.1f"
  FloatF,     // "%f"
  AmpBits,    // comma list of MAINS, BATT, PLTGEN, FLTRES or NONE
  Zones,      // "ALL", "0" or the zones' range list
  Groups,     // "0" or the groups' range list
  TestMode,   // TEST / IMP
  ClockTime,  // "HH:MM"
  Output,     // the ID of the control pad on kPinDigitalOutput
};

struct LineSpec {
  const char* key;
  int index;
  Wire wire;
};

using LineList = std::vector<LineSpec>;

const LineList& LinesOf(int kind) {
  static const LineList none;
  static const std::map<int, LineList> table = [] {
    std::map<int, LineList> t;
    t[CMacro::kKindAlarm] = {{"/PARAM/PRIO", 1, Wire::Int},
                             {"/PARAM/SWITCH", 3, Wire::Switch},
                             {"/PARAM/TYPE", 32, Wire::Link},
                             {"/PARAM/ZONE", 63, Wire::Zones},
                             {"/PARAM/GROUP", 63, Wire::Groups}};
    t[CMacro::kKindMessage] = {{"/PARAM/PRIO", 1, Wire::Int},
                               {"/PARAM/SWITCH", 3, Wire::Switch},
                               {"/PARAM/TYPE", 34, Wire::Link},
                               {"/PARAM/ZONE", 63, Wire::Zones},
                               {"/PARAM/GROUP", 63, Wire::Groups}};
    t[CMacro::kKindChime] = {{"/PARAM/PRIO", 1, Wire::Int},
                             {"/PARAM/TYPE", 33, Wire::Link},
                             {"/PARAM/ZONE", 63, Wire::Zones},
                             {"/PARAM/GROUP", 63, Wire::Groups}};
    t[CMacro::kKindPage] = {{"/PARAM/PRIO", 1, Wire::Int},    {"/PARAM/SWITCH", 3, Wire::Switch},
                            {"/PARAM/INPUT", 4, Wire::Int},   {"/PARAM/PRECHIME", 5, Wire::Link},
                            {"/PARAM/ZONE", 63, Wire::Zones}, {"/PARAM/GROUP", 63, Wire::Groups}};
    t[CMacro::kKindBackground] = {{"/PARAM/PRIO", 1, Wire::Int},
                                  {"/PARAM/SWITCH", 3, Wire::Switch},
                                  {"/PARAM/ZONE", 63, Wire::Zones},
                                  {"/PARAM/GROUP", 63, Wire::Groups}};
    t[CMacro::kKindAmpSupply] = {
        {"/PARAM/ADR", 59, Wire::Text}, {"/PARAM/ON", 61, Wire::AmpBits}, {"/PARAM/OFF", 62, Wire::AmpBits}};
    t[CMacro::kKindAmpMute] = {{"/PARAM/CHAN", 58, Wire::Text}, {"/PARAM/MUTE", 29, Wire::OnOff}};
    t[CMacro::kKindLCDText] = {{"/PARAM/ADDRESS", 38, Wire::Int},  {"/PARAM/TEXT", 13, Wire::Text},
                               {"/PARAM/LINE", 20, Wire::Int},     {"/PARAM/TIME", 39, Wire::Int},
                               {"/PARAM/BUZZER", 70, Wire::OnOff}, {"/PARAM/CLEAR", 71, Wire::OnOff}};
    t[CMacro::kKindBuzzer] = {{"/PARAM/ADDRESS", 38, Wire::Int},
                              {"/PARAM/TEXT", 13, Wire::Text},
                              {"/PARAM/PTN_TIME", 39, Wire::Int},
                              {"/PARAM/REPEAT", 75, Wire::Int},
                              {"/PARAM/PAUSE", 76, Wire::Int}};
    t[CMacro::kKindRecord] = {{"/PARAM/SWITCH", 3, Wire::Switch},
                              {"/PARAM/FILE", 64, Wire::Int},
                              {"/PARAM/INPUT", 4, Wire::Int},
                              {"/PARAM/QUALITY", 65, Wire::Text},
                              {"/PARAM/MAXTIME", 66, Wire::Float1}};
    t[CMacro::kKindErase] = {{"/PARAM/FILE", 64, Wire::Int}};
    t[CMacro::kKindRepeat] = {{"/PARAM/MACRO", 67, Wire::Link},
                              {"/PARAM/CONDITION", 25, Wire::Link},
                              {"/PARAM/TIME", 39, Wire::Int},
                              {"/PARAM/COUNT", 68, Wire::Int}};
    static const char* const kStepKeys[CMacro::kSequenceSteps][3] = {
        {"/PARAM/STEP1/MACRO", "/PARAM/STEP1/TIME", "/PARAM/STEP1/CONDITION"},
        {"/PARAM/STEP2/MACRO", "/PARAM/STEP2/TIME", "/PARAM/STEP2/CONDITION"},
        {"/PARAM/STEP3/MACRO", "/PARAM/STEP3/TIME", "/PARAM/STEP3/CONDITION"},
        {"/PARAM/STEP4/MACRO", "/PARAM/STEP4/TIME", "/PARAM/STEP4/CONDITION"},
        {"/PARAM/STEP5/MACRO", "/PARAM/STEP5/TIME", "/PARAM/STEP5/CONDITION"}};
    LineList sequence;
    for (int s = 0; s < CMacro::kSequenceSteps; ++s) {
      sequence.push_back({kStepKeys[s][0], CMacro::P_STEP_MACRO + s, Wire::Link});
      sequence.push_back({kStepKeys[s][1], CMacro::P_STEP_DELAY + s, Wire::Float1});
      sequence.push_back({kStepKeys[s][2], CMacro::P_STEP_CONDITION + s, Wire::Link});
    }
    t[CMacro::kKindSequence] = sequence;
    t[CMacro::kKindMemoFlag] = {{"/PARAM/INDEX", 40, Wire::Link}, {"/PARAM/SET", 22, Wire::TrueFalse}};
    t[CMacro::kKindSlaveClock] = {{"/PARAM/RUN", 3, Wire::OnOff},
                                  {"/PARAM/TIME", 69, Wire::ClockTime},
                                  {"/PARAM/SET_TIME", 70, Wire::OnOff},
                                  {"/PARAM/SET_RUN", 71, Wire::OnOff}};
    t[CMacro::kKindLineTest] = {{"/PARAM/SWITCH", 3, Wire::OnOff},
                                {"/PARAM/MODE", 72, Wire::TestMode},
                                {"/PARAM/ZONE", 63, Wire::Zones},
                                {"/PARAM/GROUP", 63, Wire::Groups}};
    t[CMacro::kKindDigitalIO] = {{"/PARAM/SWITCH", 3, Wire::Switch},
                                 {"/PARAM/OUTPUT", CMacro::kPinDigitalOutput, Wire::Output},
                                 {"/PARAM/TIME", 35, Wire::Float1}};
    t[CMacro::kKindAuxSwitch] = {{"/PARAM/INPUT", 4, Wire::Int}, {"/PARAM/AUX", 18, Wire::Int}};
    t[CMacro::kKindVolume] = {{"/PARAM/SWITCH", 3, Wire::Switch},
                              {"/PARAM/SELECT", 9, Wire::Text},
                              {"/PARAM/VOLUME", 10, Wire::Int},
                              {"/PARAM/INC", 11, Wire::Int}};
    t[CMacro::kKindVirtCtrl] = {{"/PARAM/SWITCH", 3, Wire::Switch}, {"/PARAM/INDEX", 37, Wire::Link},
                                {"/PARAM/INC", 11, Wire::Int},      {"/PARAM/VALUE", 36, Wire::FloatF},
                                {"/PARAM/TITLE", 13, Wire::Text},   {"/PARAM/UNIT", 14, Wire::Text},
                                {"/PARAM/DIGITS", 15, Wire::Int}};
    t[CMacro::kKindMonitor] = {
        {"/PARAM/SWITCH", 3, Wire::Switch}, {"/PARAM/NEXT", 16, Wire::Int}, {"/PARAM/TABLE", 17, Wire::Int}};
    t[CMacro::kKindStop] = {{"/PARAM/PRIO", 1, Wire::Int}};
    t[CMacro::kKindPower] = {{"/PARAM/PRIO", 1, Wire::Int},
                             {"/PARAM/SWITCH", 3, Wire::Switch},
                             {"/PARAM/POWER_ON", 27, Wire::Link},
                             {"/PARAM/POWER_OFF", 28, Wire::Link}};
    return t;
  }();
  const auto it = table.find(kind);
  return it == table.end() ? none : it->second;
}

constexpr const char* kKindKey = "/TYPE";

// Amplifier option bits of parameters 61 and 62.
struct AmpBit {
  int bit;
  const char* keyword;
};
const AmpBit kAmpBits[] = {{1, "MAINS"}, {2, "BATT"}, {4, "PLTGEN"}, {8, "FLTRES"}};
constexpr int kAmpOnMask = 0x0F;
constexpr int kAmpOffMask = 0x07;

QString AmpBitsText(int bits) {
  QStringList words;
  for (const AmpBit& b : kAmpBits)
    if (bits & b.bit) words << QString::fromLatin1(b.keyword);
  return words.isEmpty() ? QStringLiteral("NONE") : words.join(QLatin1Char(','));
}

bool ParseAmpBits(const QString& text, int* out) {
  const QString t = text.trimmed().toUpper();
  if (t == QLatin1String("NONE") || t.isEmpty()) {
    *out = 0;
    return true;
  }
  int bits = 0;
  for (const QString& word : t.split(QLatin1Char(','))) {
    const QString w = word.trimmed();
    bool found = false;
    for (const AmpBit& b : kAmpBits) {
      if (w == QLatin1String(b.keyword)) {
        bits |= b.bit;
        found = true;
      }
    }
    if (!found) return false;
  }
  *out = bits;
  return true;
}

const char* const kVolumeSources[] = {"OFF",  "IN1",  "IN2",   "IN3",   "IN4",     "OUT1",   "OUT2",
                                      "OUT3", "OUT4", "CHIME", "ALARM", "MESSAGE", "MONITOR"};
const char* const kRecordFormats[] = {"20KHZ LINEAR", "10KHZ \xB5-LAW"};

// A free text parameter cut to its field on the unit; the keyword
// parameters (volume source, recording format) are checked by the setter
// instead and pass unchanged.
QString FitText(int kind, int index, const QString& text) {
  using ReplyText::TextField;
  switch (index) {
    case CMacro::P_TEXT: {
      const TextField field = kind == CMacro::kKindBuzzer     ? TextField::BuzzerPattern
                              : kind == CMacro::kKindVirtCtrl ? TextField::ControllerTitle
                                                              : TextField::LcdText;
      return ReplyText::Field(text, field);
    }
    case CMacro::P_UNIT: return ReplyText::Field(text, TextField::ControllerUnit);
    case CMacro::P_AMP_CHANNELS:
    case CMacro::P_AMPS: return ReplyText::Field(text, TextField::RangeList);
    default: return text;
  }
}

float CleanFloat(float value) { return std::isfinite(value) ? value : 0.0f; }

bool IsFloatParam(int index) {
  return index == CMacro::P_PULSE || index == CMacro::P_VC_VALUE || index == CMacro::P_MAXTIME ||
         (index >= CMacro::P_STEP_DELAY && index < CMacro::P_STEP_DELAY + CMacro::kSequenceSteps);
}

bool IsTextParam(int index) {
  return index == CMacro::P_VOLSOURCE || index == CMacro::P_TEXT || index == CMacro::P_UNIT ||
         index == CMacro::P_AMP_CHANNELS || index == CMacro::P_AMPS || index == CMacro::P_QUALITY;
}

QString TimeText(int64_t secondsSinceEpoch) {
  const QTime t = QDateTime::fromSecsSinceEpoch(secondsSinceEpoch).time();
  return Fmt("%02d:%02d", t.hour(), t.minute());
}

// "H:MM" or "HH:MM[:SS]".
bool ParseTime(const QString& text, QTime* out) {
  const QStringList parts = text.trimmed().split(QLatin1Char(':'));
  if (parts.size() < 2 || parts.size() > 3) return false;
  int h = 0, m = 0, s = 0;
  bool ok1 = false, ok2 = false, ok3 = true;
  h = parts[0].toInt(&ok1);
  m = parts[1].toInt(&ok2);
  if (parts.size() == 3) s = parts[2].toInt(&ok3);
  if (!ok1 || !ok2 || !ok3) return false;
  const QTime t(h, m, s);
  if (!t.isValid()) return false;
  *out = t;
  return true;
}

std::unique_ptr<CBaseDevice> MakeMacro(CSelvantisDoc& doc, int kind) {
  if (!CMacro::IsMacroKind(kind)) kind = CMacro::kKindPlaceholder;
  auto macro = std::make_unique<CMacro>();
  if (!macro->Create(kind, 1, 1, QString(), QRect(), CAT_MACROS, 0, CBaseDevice::TF_NAME | CBaseDevice::TF_BELOW, &doc))
    return nullptr;
  macro->SetUniqueName(Fmt("%s %d", CMacro::KindCaption(kind).toLatin1().constData(), macro->GetID()), false);
  return macro;
}

const bool kFactoryRegistered = [] {
  CSelvantisDoc::RegisterObjectFactory(DT_MACRO, MakeMacro);
  return true;
}();

}  // namespace

SELV_REGISTER_SELECTION(CMacro::kSelectMacro, [](const CSelvantisDoc* doc, const SelectionRequest&) {
  SelectionList list;
  if (!doc) return list;
  std::vector<CBaseDevice*> macros;
  doc->GetIDManager().GetBaseDeviceList(macros, DT_MACRO);
  for (CBaseDevice* m : macros) {
    SelectionChoice choice;
    choice.columns << m->GetName() << m->GetIDString();
    choice.number = m->GetID();
    choice.type = DT_MACRO;
    choice.value = m->GetID();
    list.choices.push_back(choice);
  }
  return list;
})

SELV_REGISTER_SELECTION(CMacro::kSelectMacroKind, [](const CSelvantisDoc*, const SelectionRequest&) {
  SelectionList list;
  for (int kind : CMacro::UserKinds()) {
    SelectionChoice choice;
    choice.columns << CMacro::KindCaption(kind);
    choice.number = kind;
    list.choices.push_back(choice);
  }
  return list;
})

CMacro::CMacro() {
  m_nType = DT_MACRO;
  m_nKind = kKindNoEntry;
  m_texts[P_VOLSOURCE] = QStringLiteral("OFF");
  m_texts[P_AMP_CHANNELS] = QStringLiteral("NONE");
  m_texts[P_AMPS] = QStringLiteral("NONE");
}

CMacro::~CMacro() = default;

// ---- Creation -------------------------------------------------------------------

CMacro* CMacro::CreateMacro(int kind, CSelvantisDoc& doc) {
  if (!IsMacroKind(kind)) return nullptr;
  return dynamic_cast<CMacro*>(doc.CreateObject(DT_MACRO, kind));
}

CMacro* CMacro::FindOrCreatePlaceholder(CSelvantisDoc& doc, int id) {
  if (CMacro* existing = Find(&doc, id)) return existing;
  if (id < kFirstID || id > kMaxID) return nullptr;
  auto macro = std::make_unique<CMacro>();
  if (!macro->CreateWithID(kKindPlaceholder, Fmt("%d *", id), id, CAT_MACROS, &doc)) return nullptr;
  return doc.Adopt(std::move(macro));
}

CMacro* CMacro::Find(const CSelvantisDoc* doc, int id) {
  if (!doc || id < kFirstID || id > kMaxID) return nullptr;
  return dynamic_cast<CMacro*>(doc->GetIDManager().FindBaseDevice(id, DT_MACRO));
}

// ---- Kinds ----------------------------------------------------------------------

const std::vector<int>& CMacro::UserKinds() {
  static const std::vector<int> kinds = [] {
    std::vector<int> v;
    for (const KindInfo& info : kKinds) v.push_back(info.kind);
    return v;
  }();
  return kinds;
}

bool CMacro::IsMacroKind(int kind) { return FindKind(kind) != nullptr; }

bool CMacro::IsOnOffPairKind(int kind) {
  const KindInfo* info = FindKind(kind);
  return info && info->pairing == Pairing::OnOff;
}

bool CMacro::IsUpDownPairKind(int kind) {
  const KindInfo* info = FindKind(kind);
  return info && info->pairing == Pairing::UpDown;
}

QString CMacro::KindCaption(int kind) {
  const KindInfo* info = FindKind(kind);
  if (!info) info = FindKind(kKindNoEntry);
  return LoadString(static_cast<uint32_t>(info->kind));
}

QString CMacro::KindKeyword(int kind) {
  const KindInfo* info = FindKind(kind);
  return QString::fromLatin1(info ? info->keyword : "NONE");
}

int CMacro::KindFromKeyword(const QString& keyword) {
  const QString k = keyword.trimmed().toUpper();
  for (const KindInfo& info : kKinds)
    if (k == QLatin1String(info.keyword)) return info.kind;
  return 0;
}

int CMacro::LinkType(int index) {
  switch (index) {
    case P_PRECHIME:
    case P_CHIME_SIGNAL: return DT_CHIMESIGNAL;
    case P_ALARM_SIGNAL: return DT_ALARMSIGNAL;
    case P_MESSAGE_SIGNAL: return DT_MESSAGESIGNAL;
    case P_CONDITION: return DT_CONDITION;
    case P_POWER_ON_MACRO:
    case P_POWER_OFF_MACRO:
    case P_REPEAT_MACRO: return DT_MACRO;
    case P_VC_ITEM: return DT_VIRTCTRLITEM;
    case P_MEMO_FLAG: return DT_MEMOFLAG;
    case kPinDigitalOutput: return DT_CONTROLPAD;
    default: break;
  }
  if (index >= P_STEP_MACRO && index < P_STEP_MACRO + kSequenceSteps) return DT_MACRO;
  if (index >= P_STEP_CONDITION && index < P_STEP_CONDITION + kSequenceSteps) return DT_CONDITION;
  return 0;
}

// ---- Identity ---------------------------------------------------------------------

QString CMacro::BuildCommandPath() const { return Fmt("/MACRO/ENTRY%d", m_nID); }

void CMacro::SetKind(int kind) { CBaseDevice::SetKind(kind); }

bool CMacro::IsZoneSwitchingAddSubKind() const {
  return m_nKind == kKindPage || m_nKind == kKindAlarm || m_nKind == kKindMessage;
}

// ---- Links --------------------------------------------------------------------------

CBaseDevice* CMacro::GetLinkedObject(int index) const {
  const int type = LinkType(index);
  for (const ConnectionRecord& r : m_inputs)
    if (r.nOwnPin == index && r.pPeer && (type == 0 || r.pPeer->GetType() == type)) return r.pPeer;
  return nullptr;
}

void CMacro::SetLink(int index, int id) {
  const int type = LinkType(index);
  CBaseDevice* current = GetLinkedObject(index);
  if (current && current->GetID() == id && id > 0) return;
  DisconnectInputPin(index);
  SetModified();
  if (id <= 0 || !m_pDoc) return;
  CBaseDevice* peer = m_pDoc->GetIDManager().FindBaseDevice(id, type);
  if (!peer && type == DT_MACRO) {
    peer = FindOrCreatePlaceholder(*m_pDoc, id);
  } else if (!peer && type == DT_CONDITION) {
    peer = ::FindOrCreatePlaceholder(m_pDoc, DT_CONDITION, id);
  }
  if (peer) Connect(peer, 0, this, index);
}

// ---- Parameters -----------------------------------------------------------------------

int CMacro::GetParam(int index) const {
  if (index == P_KIND) return m_nKind;
  if (LinkType(index) != 0) {
    const CBaseDevice* peer = GetLinkedObject(index);
    return peer ? peer->GetID() : 0;
  }
  if (index == P_ZONES) {
    std::vector<CBaseDevice*> zones;
    GetInputZonesAndGroups(zones);
    return zones.empty() ? 0 : 1;
  }
  if (index == P_CLOCK_TIME) return static_cast<int>(m_clockTime);
  if (IsFloatParam(index)) return static_cast<int>(GetParamFloat(index));
  const auto it = m_ints.find(index);
  return it == m_ints.end() ? 0 : it->second;
}

void CMacro::SetParam(int index, int value, int) {
  if (index == P_KIND) {
    if (!IsMacroKind(value) || value == m_nKind) return;
    // A different kind means different parameters: nothing linked or paired
    // under the old kind stays meaningful.
    Unpair();
    RemoveAllInputConnections();
    RemoveAllOutputConnections();
    SetKind(value);
    SetModified();
    return;
  }
  if (LinkType(index) != 0) {
    SetLink(index, value);
    return;
  }
  if (index == P_CLOCK_TIME) {
    SetParamTime(value);
    return;
  }
  if (IsFloatParam(index)) {
    SetParamFloat(index, static_cast<float>(value));
    return;
  }
  if (index < 1 || index >= P_COUNT || index == P_ZONES || IsTextParam(index)) return;
  switch (index) {
    case P_PRIO:
      if (GetParam(P_SWITCH) == 0 && value % 10 == 0) value += 1;
      break;
    case P_INC:
      if (m_nKind == kKindVirtCtrl && GetParam(P_SWITCH) == 0) value = -value;
      break;
    case P_TEST_MODE: value = value != 0 ? 1 : 0; break;
    case 74:
    case P_BUZZ_REPEAT:
    case P_BUZZ_PAUSE: value = std::clamp(value, 0, 255); break;
    case P_AMP_ON: value &= kAmpOnMask; break;
    case P_AMP_OFF: value &= kAmpOffMask; break;
    case P_PARTNER:
      if (value < 0 || value > kMaxID) value = 0;
      break;
    default: break;
  }
  StoreParam(m_ints, index, value);
  SetModified();
}

float CMacro::GetParamFloat(int index) const {
  const auto it = m_floats.find(index);
  return it == m_floats.end() ? 0.0f : it->second;
}

void CMacro::SetParamFloat(int index, float value) {
  if (!IsFloatParam(index)) return;
  value = CleanFloat(value);
  if (index == P_PULSE) {
    if (value > kMaxPulse) value = kMaxPulse;
    if (value < kMinPulse) value = 0.0f;
  } else if (index == P_MAXTIME) {
    value = std::clamp(value, 0.0f, kMaxRecordTime);
  } else if (index >= P_STEP_DELAY && index < P_STEP_DELAY + kSequenceSteps) {
    value = std::clamp(value, 0.0f, kMaxStepDelay);
  }
  StoreParam(m_floats, index, value);
  SetModified();
}

void CMacro::SetParamTime(int64_t secondsSinceEpoch) {
  m_clockTime = secondsSinceEpoch;
  SetModified();
}

QString CMacro::GetParamText(int index) const {
  QString text;
  GetParamText(&text, index);
  return text;
}

void CMacro::GetParamText(QString* out, int index) const {
  if (!out) return;
  out->clear();
  if (index == P_KIND) {
    *out = KindCaption(m_nKind);
    return;
  }
  if (index == P_PARTNER) {
    if (const CMacro* partner = GetPartner()) *out = partner->GetName();
    return;
  }
  if (LinkType(index) != 0) {
    if (const CBaseDevice* peer = GetLinkedObject(index)) *out = peer->GetName();
    return;
  }
  switch (index) {
    case P_SWITCH: {
      const bool on = GetParam(P_SWITCH) != 0;
      if (IsZoneSwitchingAddSubKind() && GetParam(P_ADDSUB) != 0)
        *out = on ? QStringLiteral("ADD") : QStringLiteral("SUB");
      else
        *out = OnOffText(on);
      return;
    }
    case P_MEMO_VALUE: *out = TrueFalseText(GetParam(P_MEMO_VALUE) != 0); return;
    case P_AMP_ON:
    case P_AMP_OFF: *out = AmpBitsText(GetParam(index)); return;
    case P_AMP_CHANNELS:
    case P_AMPS: {
      const QString stored = m_texts.count(index) ? m_texts.at(index) : QString();
      if (stored.isEmpty() || stored == QLatin1String("NONE"))
        *out = LoadString(kStrNoEntry);
      else if (stored == QLatin1String("ALL"))
        *out = LoadString(kStrAll);
      else
        *out = stored;
      return;
    }
    case P_ZONES: {
      const QString zones = GetZoneText();
      const QString groups = GetGroupText();
      if (zones == QLatin1String("ALL")) {
        *out = LoadString(kStrAll);
        return;
      }
      const bool noZones = zones == QLatin1String("0");
      const bool noGroups = groups == QLatin1String("0");
      if (noZones && noGroups)
        *out = LoadString(kStrNoEntry);
      else if (noGroups)
        *out = zones;
      else
        *out = (noZones ? QString() : zones + QStringLiteral("; ")) + QStringLiteral("G") + groups;
      return;
    }
    case P_TEST_MODE: *out = GetParam(P_TEST_MODE) != 0 ? QStringLiteral("TEST") : QStringLiteral("IMP"); return;
    case P_CLOCK_TIME: *out = TimeText(m_clockTime); return;
    case P_PULSE:
    case P_MAXTIME: *out = Fmt("%.1f", static_cast<double>(GetParamFloat(index))); return;
    case P_VC_VALUE: *out = Fmt("%f", static_cast<double>(GetParamFloat(index))); return;
    default: break;
  }
  if (index >= P_STEP_DELAY && index < P_STEP_DELAY + kSequenceSteps) {
    *out = Fmt("%.1f", static_cast<double>(GetParamFloat(index)));
    return;
  }
  if (IsTextParam(index)) {
    const auto it = m_texts.find(index);
    if (it != m_texts.end()) *out = it->second;
    return;
  }
  if (index > 0 && index < P_COUNT) *out = Fmt("%d", GetParam(index));
}

void CMacro::SetParamText(int index, const QString& rawText) {
  // Control characters would split the command line the text travels in.
  const QString text = ReplyText::Clean(rawText);
  if (IsFloatParam(index)) {
    float value = 0.0f;
    if (ScanFloat(text, &value)) SetParamFloat(index, value);
    return;
  }
  switch (index) {
    case P_VOLSOURCE: {
      const QString t = text.trimmed().toUpper();
      for (const char* source : kVolumeSources) {
        if (t == QLatin1String(source)) {
          StoreParam(m_texts, index, t);
          SetModified();
        }
      }
      return;
    }
    case P_TEXT:
    case P_UNIT:
      StoreParam(m_texts, index, FitText(m_nKind, index, text));
      SetModified();
      return;
    case P_AMP_CHANNELS:
    case P_AMPS: {
      const QString t = text.trimmed();
      QString stored = t;
      if (t.isEmpty() || t.compare(QLatin1String("NONE"), Qt::CaseInsensitive) == 0 || t == LoadString(kStrNoEntry))
        stored = QStringLiteral("NONE");
      else if (t.compare(QLatin1String("ALL"), Qt::CaseInsensitive) == 0 || t == LoadString(kStrAll))
        stored = QStringLiteral("ALL");
      m_texts[index] = FitText(m_nKind, index, stored);
      SetModified();
      return;
    }
    case P_QUALITY:
      for (const char* format : kRecordFormats) {
        if (text.trimmed() == QString::fromLatin1(format)) {
          m_texts[index] = QString::fromLatin1(format);
          SetModified();
        }
      }
      return;
    case P_AMP_ON:
    case P_AMP_OFF: {
      int bits = 0;
      if (ParseAmpBits(text, &bits))
        SetParam(index, bits);
      else if (ScanInt(text, &bits))
        SetParam(index, bits);
      return;
    }
    case P_CLOCK_TIME: {
      QTime t;
      if (!ParseTime(text, &t)) return;
      QDateTime dt = QDateTime::fromSecsSinceEpoch(m_clockTime);
      dt.setTime(t);
      SetParamTime(dt.toSecsSinceEpoch());
      return;
    }
    default: break;
  }
  int value = 0;
  if (index > 0 && index < P_COUNT && index != P_ZONES && ScanInt(text, &value)) SetParam(index, value);
}

// ---- Zones ---------------------------------------------------------------------------

void CMacro::SetZones(const std::vector<CBaseDevice*>& zonesAndGroups) {
  std::vector<CBaseDevice*> wanted;
  for (CBaseDevice* object : zonesAndGroups) {
    if (!object || (object->GetType() != DT_ZONE && object->GetType() != DT_GROUP)) continue;
    if (m_pDoc && !m_pDoc->Contains(object)) continue;
    if (std::find(wanted.begin(), wanted.end(), object) == wanted.end()) wanted.push_back(object);
  }
  std::vector<CBaseDevice*> current;
  GetInputZonesAndGroups(current);
  bool changed = false;
  for (CBaseDevice* object : current) {
    if (std::find(wanted.begin(), wanted.end(), object) != wanted.end()) continue;
    // Any pin: links made by older code on other pins go as well.
    DisconnectInputsFrom(object);
    changed = true;
  }
  for (CBaseDevice* object : wanted) {
    if (std::find(current.begin(), current.end(), object) != current.end()) continue;
    Connect(object, 0, this, kPinZones);
    changed = true;
  }
  if (changed) SetModified();
}

QString CMacro::GetZoneText() const {
  std::vector<CBaseDevice*> linked;
  GetInputZonesAndGroups(linked);
  const unsigned count = static_cast<unsigned>(std::max(0, CIDManager::GetPoolMaxID(DT_ZONE)));
  BitSet bits = MakeBitSet(count);
  for (const CBaseDevice* object : linked) {
    if (object->GetType() == DT_GROUP && object->GetID() == 0) return QStringLiteral("ALL");
    if (object->GetType() == DT_ZONE && object->GetID() >= 1)
      SetBit(bits, static_cast<unsigned>(object->GetID() - 1), true);
  }
  return FormatRangeList(bits, count);
}

QString CMacro::GetGroupText() const {
  std::vector<CBaseDevice*> linked;
  GetInputZonesAndGroups(linked);
  const unsigned count = static_cast<unsigned>(std::max(0, CIDManager::GetPoolMaxID(DT_GROUP)));
  BitSet bits = MakeBitSet(count);
  for (const CBaseDevice* object : linked)
    if (object->GetType() == DT_GROUP && object->GetID() >= 1)
      SetBit(bits, static_cast<unsigned>(object->GetID() - 1), true);
  return FormatRangeList(bits, count);
}

// ---- Pairs -------------------------------------------------------------------------------

CMacro* CMacro::GetPartner() const {
  const auto it = m_ints.find(P_PARTNER);
  if (it == m_ints.end() || it->second == 0) return nullptr;
  CMacro* partner = Find(m_pDoc, it->second);
  if (!partner || partner == this) return nullptr;
  return partner->GetParam(P_PARTNER) == m_nID ? partner : nullptr;
}

void CMacro::MakePair(CMacro& first, CMacro& second) {
  if (&first == &second) return;
  first.Unpair();
  second.Unpair();
  first.m_ints[P_PARTNER] = second.GetID();
  second.m_ints[P_PARTNER] = first.GetID();
  first.SetModified();
}

void CMacro::Unpair() {
  if (CMacro* partner = GetPartner()) partner->m_ints[P_PARTNER] = 0;
  if (m_ints.count(P_PARTNER) && m_ints[P_PARTNER] != 0) {
    m_ints[P_PARTNER] = 0;
    SetModified();
  }
}

// ---- Transfer ----------------------------------------------------------------------------

QStringList CMacro::GetDownloadLines(bool bQuery) const {
  QStringList lines;
  const QString path = m_strPath.isEmpty() ? BuildCommandPath() : m_strPath;
  auto add = [&](const QString& key, const QString& value) {
    lines << path + key + QLatin1Char(' ') + (bQuery ? QStringLiteral("?") : value);
  };
  add(QLatin1String(kKindKey), KindKeyword(m_nKind));
  for (const LineSpec& spec : LinesOf(m_nKind)) {
    QString value;
    switch (spec.wire) {
      case Wire::Int:
      case Wire::Link: value = Fmt("%d", GetParam(spec.index)); break;
      case Wire::Switch: value = GetParamText(P_SWITCH); break;
      case Wire::OnOff: value = OnOffText(GetParam(spec.index) != 0); break;
      case Wire::TrueFalse: value = TrueFalseText(GetParam(spec.index) != 0); break;
      case Wire::Text: {
        // A text of an older project file may be longer than its field.
        const auto it = m_texts.find(spec.index);
        value = it == m_texts.end() ? QString() : FitText(m_nKind, spec.index, it->second);
        break;
      }
      case Wire::Float1: value = Fmt("%.1f", static_cast<double>(GetParamFloat(spec.index))); break;
      case Wire::FloatF: value = Fmt("%f", static_cast<double>(GetParamFloat(spec.index))); break;
      case Wire::AmpBits: value = AmpBitsText(GetParam(spec.index)); break;
      case Wire::Zones: value = GetZoneText(); break;
      case Wire::Groups: value = GetGroupText(); break;
      case Wire::TestMode: value = GetParamText(P_TEST_MODE); break;
      case Wire::ClockTime: value = TimeText(m_clockTime); break;
      case Wire::Output: {
        // The unit knows a pad by its family's keyword and its number.
        const CBaseDevice* pad = GetLinkedObject(kPinDigitalOutput);
        const QString keyword = PadKeyword(pad);
        value = keyword.isEmpty() ? QStringLiteral("OFF") : keyword + Fmt(" %d", PadNumber(pad));
        break;
      }
    }
    add(QLatin1String(spec.key), value);
  }
  return lines;
}

int CMacro::Download(bool, int nStep) { return nStep < 0 ? 0 : -1; }

bool CMacro::Upload(const QString& line, QString& errorFilePath, int mode) {
  QString key, value;
  if (!SplitUploadLine(line, &key, &value)) return false;
  if (mode != LINKMODE_UPLOAD) return false;
  const int kindBefore = m_nKind;
  if (!TakeValue(key, value, errorFilePath)) return false;
  // The unit holds another kind than the project: the queries already sent
  // were those of the old kind, so ask for the new kind's parameters too.
  if (key == QLatin1String(kKindKey) && m_nKind != kindBefore) {
    const QStringList queries = GetDownloadLines(true);
    for (int i = 1; i < queries.size(); ++i) SendCommandLine(queries[i]);
  }
  return true;
}

bool CMacro::TakeValue(const QString& key, const QString& value, const QString& errorFilePath) {
  if (key == QLatin1String(kKindKey)) {
    const int kind = KindFromKeyword(value);
    if (kind == 0) {
      AppendMismatchLine(errorFilePath, GetName() + QStringLiteral(" /TYPE"), KindKeyword(m_nKind), value);
      return false;
    }
    SetParam(P_KIND, kind);
    return true;
  }
  const LineSpec* spec = nullptr;
  for (const LineSpec& s : LinesOf(m_nKind))
    if (key == QLatin1String(s.key)) spec = &s;
  if (!spec) return false;
  const QString v = value.trimmed();
  int number = 0;
  float real = 0.0f;
  bool flag = false;
  switch (spec->wire) {
    case Wire::Int:
      if (!ScanInt(v, &number)) return false;
      // The unit's value is taken as it is: the priority and step rules of
      // SetParam apply to what a user types, not to stored values.
      if (spec->index == 74 || spec->index == P_BUZZ_REPEAT || spec->index == P_BUZZ_PAUSE)
        number = std::clamp(number, 0, 255);
      StoreParam(m_ints, spec->index, number);
      SetModified();
      return true;
    case Wire::Link: {
      if (v.compare(QLatin1String("OFF"), Qt::CaseInsensitive) == 0)
        number = 0;
      else if (!ScanInt(v, &number))
        return false;
      SetLink(spec->index, number);
      if (number > 0 && GetParam(spec->index) != number)
        AppendMissingLine(errorFilePath, kSelectMacro, m_nID, key + QLatin1Char(' ') + v);
      return true;
    }
    case Wire::Output: {
      if (v.compare(QLatin1String("OFF"), Qt::CaseInsensitive) == 0) {
        DisconnectInputPin(kPinDigitalOutput);
        SetModified();
        return true;
      }
      const int blank = v.lastIndexOf(QLatin1Char(' '));
      if (blank <= 0 || !ScanInt(v.mid(blank + 1), &number)) return false;
      const QString keyword = v.left(blank).trimmed();
      CBaseDevice* pad = m_pDoc ? m_pDoc->GetIDManager().FindControlPadByKeyword(keyword, number) : nullptr;
      DisconnectInputPin(kPinDigitalOutput);
      if (pad)
        Connect(pad, 0, this, kPinDigitalOutput);
      else
        AppendMissingLine(errorFilePath, kSelectMacro, m_nID, v);
      SetModified();
      return true;
    }
    case Wire::Switch:
    case Wire::OnOff:
    case Wire::TrueFalse: {
      const QString u = v.toUpper();
      if (spec->wire == Wire::Switch && (u == QLatin1String("ADD") || u == QLatin1String("SUB"))) {
        StoreParam(m_ints, P_SWITCH, u == QLatin1String("ADD") ? 1 : 0);
        StoreParam(m_ints, P_ADDSUB, 1);
      } else {
        if (!ParseBoolText(v, &flag)) return false;
        StoreParam(m_ints, spec->index, flag ? 1 : 0);
        if (spec->wire == Wire::Switch && IsZoneSwitchingAddSubKind()) StoreParam(m_ints, P_ADDSUB, 0);
      }
      SetModified();
      return true;
    }
    case Wire::Text: SetParamText(spec->index, value); return true;
    case Wire::Float1:
    case Wire::FloatF:
      if (!ScanFloat(v, &real)) return false;
      SetParamFloat(spec->index, real);
      return true;
    case Wire::AmpBits:
      if (!ParseAmpBits(v, &number)) return false;
      SetParam(spec->index, number);
      return true;
    case Wire::TestMode:
      if (v.compare(QLatin1String("TEST"), Qt::CaseInsensitive) == 0)
        SetParam(P_TEST_MODE, 1);
      else if (v.compare(QLatin1String("IMP"), Qt::CaseInsensitive) == 0)
        SetParam(P_TEST_MODE, 0);
      else
        return false;
      return true;
    case Wire::ClockTime: SetParamText(P_CLOCK_TIME, v); return true;
    case Wire::Zones:
    case Wire::Groups: {
      if (!m_pDoc) return false;
      const bool zones = spec->wire == Wire::Zones;
      const int type = zones ? DT_ZONE : DT_GROUP;
      std::vector<CBaseDevice*> keep;
      std::vector<CBaseDevice*> linked;
      GetInputZonesAndGroups(linked);
      // The other line's share stays as it is.
      for (CBaseDevice* object : linked) {
        const bool isRoot = object->GetType() == DT_GROUP && object->GetID() == 0;
        const bool ownShare =
            zones ? (object->GetType() == DT_ZONE || isRoot) : (object->GetType() == DT_GROUP && !isRoot);
        if (!ownShare) keep.push_back(object);
      }
      if (zones && v.compare(QLatin1String("ALL"), Qt::CaseInsensitive) == 0) {
        if (CBaseDevice* root = m_pDoc->GetIDManager().FindBaseDevice(0, DT_GROUP))
          keep.push_back(root);
        else
          AppendMissingLine(errorFilePath, 32806, m_nID, QStringLiteral("group 0"));
        SetZones(keep);
        return true;
      }
      const unsigned count = static_cast<unsigned>(std::max(0, CIDManager::GetPoolMaxID(type)));
      BitSet bits = MakeBitSet(count);
      if (v.compare(QLatin1String("NONE"), Qt::CaseInsensitive) != 0 && !ParseRangeList(v, bits, count)) return false;
      for (unsigned i = 0; i < count; ++i) {
        if (!TestBit(bits, i)) continue;
        CBaseDevice* object = m_pDoc->GetIDManager().FindBaseDevice(static_cast<int>(i + 1), type);
        if (object)
          keep.push_back(object);
        else
          AppendMissingLine(errorFilePath, 32806, m_nID, Fmt("%s %u", zones ? "zone" : "group", i + 1));
      }
      SetZones(keep);
      return true;
    }
  }
  return false;
}

// ---- Commands ------------------------------------------------------------------------------

bool CMacro::OnCommand(int id) {
  if (id == ID_DELETE_OBJECT) Unpair();
  return CBaseDevice::OnCommand(id);
}

void CMacro::SetID(int id) {
  // The partner follows the new identifier, so the pair survives a move.
  if (CMacro* partner = GetPartner()) partner->m_ints[P_PARTNER] = id;
  CBaseDevice::SetID(id);
}

QString CMacro::GetToolTipText() const {
  QStringList lines;
  lines << GetName() << KindCaption(m_nKind) << Fmt("ID %d", m_nID);
  if (const CMacro* partner = GetPartner()) lines << partner->GetName();
  return lines.join(QLatin1Char('\n'));
}

QString CMacro::SettingInWords(const QString& path, const QString& value) const {
  if (path.compare(BuildCommandPath() + QLatin1String(kKindKey), Qt::CaseInsensitive) != 0) return QString();
  // A type the program does not know stays as the unit wrote it.
  const int kind = KindFromKeyword(value);
  return kind != 0 ? KindCaption(kind) : QString();
}

// ---- Project file --------------------------------------------------------------------------

void CMacro::Serialize(CArchive& ar) {
  CBaseDevice::Serialize(ar);
  if (ar.IsStoring()) {
    ar.WriteCount(static_cast<uint32_t>(m_ints.size()));
    for (const auto& [index, value] : m_ints) ar << static_cast<int32_t>(index) << static_cast<int32_t>(value);
    ar.WriteCount(static_cast<uint32_t>(m_floats.size()));
    for (const auto& [index, value] : m_floats) ar << static_cast<int32_t>(index) << value;
    ar.WriteCount(static_cast<uint32_t>(m_texts.size()));
    for (const auto& [index, value] : m_texts) ar << static_cast<int32_t>(index) << value;
    const uint64_t time = static_cast<uint64_t>(m_clockTime);
    ar << static_cast<uint32_t>(time & 0xFFFFFFFFu) << static_cast<uint32_t>(time >> 32);
    return;
  }
  // Indexes this version does not know are skipped, not refused.
  m_ints.clear();
  m_floats.clear();
  uint32_t n = ar.ReadCount(8);
  for (uint32_t i = 0; i < n; ++i) {
    int32_t index = 0, value = 0;
    ar >> index >> value;
    if (index > 0 && index < P_COUNT && !IsFloatParam(index) && !IsTextParam(index)) m_ints[index] = value;
  }
  n = ar.ReadCount(8);
  for (uint32_t i = 0; i < n; ++i) {
    int32_t index = 0;
    float value = 0.0f;
    ar >> index >> value;
    if (IsFloatParam(index)) m_floats[index] = CleanFloat(value);
  }
  n = ar.ReadCount(5);
  for (uint32_t i = 0; i < n; ++i) {
    int32_t index = 0;
    QString value;
    ar >> index >> value;
    if (IsTextParam(index)) m_texts[index] = ReplyText::Clean(value);
  }
  uint32_t low = 0, high = 0;
  ar >> low >> high;
  m_clockTime = static_cast<int64_t>((static_cast<uint64_t>(high) << 32) | low);
  if (!IsMacroKind(m_nKind)) m_nKind = kKindPlaceholder;
}
