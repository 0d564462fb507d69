#include "macros/cvirtctrl.h"

#include "link/linkmode.h"
#include "logic/logiclinks.h"
#include "macros/rangelist.h"
#include "model/carchive.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/ctext.h"
#include "model/errorfile.h"
#include "unit/ccontrolpad.h"

#include <QStringList>
#include <QVariantList>

#include <memory>

SELV_IMPLEMENT_SERIAL(CVirtCtrl, 1)

namespace {

constexpr int kProviderOrder = 572;
constexpr uint32_t kStrShaftEncoder = 32847;
constexpr uint32_t kStrAlarm = 32822;
constexpr uint32_t kStrChime = 32823;
constexpr uint32_t kStrMonitor = 33086;

struct GroupInfo {
  int group;
  int size;
};
const GroupInfo kGroups[] = {{CVirtCtrl::G_ITEM, CVirtCtrl::kMaxItems},
                             {CVirtCtrl::G_ENCODER, 16},
                             {CVirtCtrl::G_AD, 16},
                             {CVirtCtrl::G_DA, 16},
                             {CVirtCtrl::G_IN, 4},
                             {CVirtCtrl::G_OUT, 4},
                             {CVirtCtrl::G_ALARM, 1},
                             {CVirtCtrl::G_CHIME, 1},
                             {CVirtCtrl::G_MESSAGE, 1},
                             {CVirtCtrl::G_MONITOR, 1},
                             {CVirtCtrl::G_AMPCHAN, 256},
                             {CVirtCtrl::G_DELAY, 4}};

// Destinations listed by name in "/DEST/OTHER".
struct OtherToken {
  int group;
  const char* word;  // with "%d" for groups of several rows
};
const OtherToken kOtherTokens[] = {{CVirtCtrl::G_IN, "IN%d"},         {CVirtCtrl::G_OUT, "OUT%d"},
                                   {CVirtCtrl::G_ALARM, "ALARM"},     {CVirtCtrl::G_CHIME, "CHIME"},
                                   {CVirtCtrl::G_MESSAGE, "MESSAGE"}, {CVirtCtrl::G_MONITOR, "MONITOR"},
                                   {CVirtCtrl::G_DELAY, "DELAY%d"}};

QString TokenOf(const OtherToken& t, int row) {
  return CVirtCtrl::GroupSize(t.group) > 1 ? Fmt(t.word, row + 1) : QString::fromLatin1(t.word);
}

// The six steps of an item: key and group ("/DEST/OTHER" covers several).
struct StepSpec {
  const char* key;
  int group;
};
constexpr int kOtherGroups = -1;
const StepSpec kSteps[CVirtCtrl::kStepsPerItem] = {
    {"/LINK", CVirtCtrl::G_ITEM},  {"/SOURCE/ENC", CVirtCtrl::G_ENCODER},   {"/SOURCE/AD", CVirtCtrl::G_AD},
    {"/DEST/DA", CVirtCtrl::G_DA}, {"/DEST/AMPCHAN", CVirtCtrl::G_AMPCHAN}, {"/DEST/OTHER", kOtherGroups}};

// The KCM216 pad of the kind with the channel number, or null.
const CBaseDevice* AnalogPad(const CSelvantisDoc* doc, int kind, int number) {
  if (!doc) return nullptr;
  std::vector<CBaseDevice*> pads;
  doc->GetIDManager().GetBaseDeviceListByKind(pads, DT_CONTROLPAD, kind);
  for (const CBaseDevice* pad : pads)
    if (PadNumber(pad) == number) return pad;
  return nullptr;
}

const bool kProviderRegistered = [] {
  CSelvantisDoc::RegisterFixedObjectProvider(kProviderOrder, [](CSelvantisDoc& doc) {
    if (CVirtCtrl::Find(&doc)) return;
    auto block = std::make_unique<CVirtCtrl>();
    if (block->CreateWithID(0, QStringLiteral("Virtual controllers"), 1, CAT_LOGIC, &doc))
      doc.AddObject(std::move(block));
  });
  return true;
}();

}  // namespace

CVirtCtrl::CVirtCtrl() {
  m_nType = DT_VIRTCTRL;
  for (const GroupInfo& g : kGroups) Table(g.group)->assign(static_cast<size_t>(g.size), 0);
}

QString CVirtCtrl::BuildCommandPath() const { return QStringLiteral("/VIRTCTRL"); }

CVirtCtrl* CVirtCtrl::Find(const CSelvantisDoc* doc) {
  return doc ? dynamic_cast<CVirtCtrl*>(doc->GetIDManager().FindBaseDevice(1, DT_VIRTCTRL)) : nullptr;
}

int CVirtCtrl::GroupSize(int group) {
  for (const GroupInfo& g : kGroups)
    if (g.group == group) return g.size;
  return 0;
}

std::vector<uint8_t>* CVirtCtrl::Table(int group) {
  return const_cast<std::vector<uint8_t>*>(static_cast<const CVirtCtrl*>(this)->Table(group));
}

const std::vector<uint8_t>* CVirtCtrl::Table(int group) const {
  switch (group) {
    case G_ITEM: return &m_items;
    case G_ENCODER: return &m_encoders;
    case G_AD: return &m_ad;
    case G_DA: return &m_da;
    case G_IN: return &m_in;
    case G_OUT: return &m_out;
    case G_ALARM: return &m_alarm;
    case G_CHIME: return &m_chime;
    case G_MESSAGE: return &m_message;
    case G_MONITOR: return &m_monitor;
    case G_AMPCHAN: return &m_ampChannels;
    case G_DELAY: return &m_delays;
    default: return nullptr;
  }
}

int CVirtCtrl::GetLink(int group, int index) const {
  const std::vector<uint8_t>* table = Table(group);
  if (!table || index < 0 || static_cast<size_t>(index) >= table->size()) return 0;
  return (*table)[static_cast<size_t>(index)];
}

bool CVirtCtrl::SetLink(int group, int index, int itemId) {
  std::vector<uint8_t>* table = Table(group);
  if (!table || index < 0 || static_cast<size_t>(index) >= table->size()) return false;
  if (itemId < 0 || itemId > kMaxItems) return false;
  (*table)[static_cast<size_t>(index)] = static_cast<uint8_t>(itemId);
  SetModified();
  return true;
}

void CVirtCtrl::RemoveItemLinks(int itemId) {
  if (itemId < 1 || itemId > kMaxItems) return;
  for (const GroupInfo& g : kGroups)
    for (uint8_t& link : *Table(g.group))
      if (link == itemId) link = 0;
  m_items[static_cast<size_t>(itemId - 1)] = 0;
  SetModified();
}

void CVirtCtrl::RenumberItem(int oldId, int newId) {
  if (oldId < 1 || oldId > kMaxItems || newId < 1 || newId > kMaxItems || oldId == newId) return;
  for (const GroupInfo& g : kGroups)
    for (uint8_t& link : *Table(g.group))
      if (link == oldId) link = static_cast<uint8_t>(newId);
  m_items[static_cast<size_t>(newId - 1)] = m_items[static_cast<size_t>(oldId - 1)];
  m_items[static_cast<size_t>(oldId - 1)] = 0;
  SetModified();
}

// ---- Row texts -------------------------------------------------------------------

QString CVirtCtrl::ItemName(int itemId) const {
  if (itemId <= 0) return QString();
  const CBaseDevice* item = m_pDoc ? m_pDoc->GetIDManager().FindBaseDevice(itemId, DT_VIRTCTRLITEM) : nullptr;
  return item ? item->GetName() : Fmt("%d *", itemId);
}

bool CVirtCtrl::GetRowText(int group, int row, QString& label, QString& name) const {
  label.clear();
  name.clear();
  if (row < 0 || row >= GroupSize(group)) return false;
  name = ItemName(GetLink(group, row));
  const int number = row + 1;
  switch (group) {
    case G_ITEM: {
      const CBaseDevice* item = m_pDoc ? m_pDoc->GetIDManager().FindBaseDevice(number, DT_VIRTCTRLITEM) : nullptr;
      label = item ? item->GetName() : Fmt("%d *", number);
      return item != nullptr;
    }
    case G_ENCODER: {
      const QString text = LoadString(kStrShaftEncoder);
      label = text.contains(QLatin1Char('%')) ? FormatText(text, QVariantList{number}) : text + Fmt(" %d", number);
      return true;
    }
    case G_AD:
    case G_DA: {
      const int kind = group == G_AD ? CControlPad::kKindKCM216Input : CControlPad::kKindKCM216Output;
      const CBaseDevice* pad = AnalogPad(m_pDoc, kind, number);
      label = pad ? pad->GetName() : Fmt(group == G_AD ? "AD%d" : "DA%d", number);
      return pad != nullptr;
    }
    case G_IN: label = Fmt("IN%d", number); return true;
    case G_OUT: label = Fmt("OUT%d", number); return true;
    case G_ALARM: label = LoadString(kStrAlarm); return true;
    case G_CHIME: label = LoadString(kStrChime); return true;
    case G_MESSAGE: label = QStringLiteral("Prerecorded Text Message"); return true;
    case G_MONITOR: label = LoadString(kStrMonitor); return true;
    case G_AMPCHAN: {
      if (!m_pDoc) {
        label = Fmt("%d *", number);
        return false;
      }
      label = m_pDoc->GetIDManager().GetAmpChannelName(number);
      int channel = 0;
      return m_pDoc->GetIDManager().FindAmpChannel(number, &channel) != nullptr;
    }
    case G_DELAY: label = Fmt("DELAY%d", number); return true;
    default: return false;
  }
}

bool CVirtCtrl::GetVCRowText(int row, QString& label, QString& name) const {
  return GetRowText(G_ITEM, row, label, name);
}
bool CVirtCtrl::GetEncoderRowText(int row, QString& label, QString& name) const {
  return GetRowText(G_ENCODER, row, label, name);
}
bool CVirtCtrl::GetADRowText(int row, QString& label, QString& name) const {
  return GetRowText(G_AD, row, label, name);
}
bool CVirtCtrl::GetDARowText(int row, QString& label, QString& name) const {
  return GetRowText(G_DA, row, label, name);
}
bool CVirtCtrl::GetInRowText(int row, QString& label, QString& name) const {
  return GetRowText(G_IN, row, label, name);
}
bool CVirtCtrl::GetOutRowText(int row, QString& label, QString& name) const {
  return GetRowText(G_OUT, row, label, name);
}
bool CVirtCtrl::GetAlarmRowText(QString& label, QString& name) const { return GetRowText(G_ALARM, 0, label, name); }
bool CVirtCtrl::GetChimeRowText(QString& label, QString& name) const { return GetRowText(G_CHIME, 0, label, name); }
bool CVirtCtrl::GetMessageRowText(QString& label, QString& name) const { return GetRowText(G_MESSAGE, 0, label, name); }
bool CVirtCtrl::GetMonitorRowText(QString& label, QString& name) const { return GetRowText(G_MONITOR, 0, label, name); }
bool CVirtCtrl::GetAmpChanRowText(int row, QString& label, QString& name) const {
  return GetRowText(G_AMPCHAN, row, label, name);
}
bool CVirtCtrl::GetDelayRowText(int row, QString& label, QString& name) const {
  return GetRowText(G_DELAY, row, label, name);
}

// ---- Texts of an item ---------------------------------------------------------------

QString CVirtCtrl::RangeOf(int group, int itemId) const {
  const std::vector<uint8_t>& table = *Table(group);
  const unsigned count = static_cast<unsigned>(table.size());
  BitSet bits = MakeBitSet(count);
  for (unsigned i = 0; i < count; ++i)
    if (table[i] == itemId) SetBit(bits, i, true);
  return FormatRangeList(bits, count);
}

bool CVirtCtrl::TakeRange(int group, int itemId, const QString& text) {
  std::vector<uint8_t>& table = *Table(group);
  const unsigned count = static_cast<unsigned>(table.size());
  BitSet bits;
  const QString t = text.trimmed();
  if (t.compare(QLatin1String("NONE"), Qt::CaseInsensitive) == 0)
    bits = MakeBitSet(count);
  else if (!ParseRangeList(t, bits, count))
    return false;
  for (unsigned i = 0; i < count; ++i) {
    if (TestBit(bits, i))
      table[i] = static_cast<uint8_t>(itemId);
    else if (table[i] == itemId)
      table[i] = 0;
  }
  SetModified();
  return true;
}

QString CVirtCtrl::SourcesText(int itemId) const {
  QStringList parts;
  for (int i = 0; i < kMaxItems; ++i)
    if (m_items[static_cast<size_t>(i)] == itemId) parts << ItemName(i + 1);
  const QString enc = RangeOf(G_ENCODER, itemId);
  if (enc != QLatin1String("0")) parts << QStringLiteral("ENC") + enc;
  const QString ad = RangeOf(G_AD, itemId);
  if (ad != QLatin1String("0")) parts << QStringLiteral("AD") + ad;
  return parts.join(QLatin1Char(','));
}

QString CVirtCtrl::DestinationsText(int itemId) const {
  QStringList parts;
  const QString da = RangeOf(G_DA, itemId);
  if (da != QLatin1String("0")) parts << QStringLiteral("DA") + da;
  const QString amp = RangeOf(G_AMPCHAN, itemId);
  if (amp != QLatin1String("0")) parts << QStringLiteral("AMPCHAN") + amp;
  for (const OtherToken& t : kOtherTokens)
    for (int row = 0; row < GroupSize(t.group); ++row)
      if (GetLink(t.group, row) == itemId) parts << TokenOf(t, row);
  return parts.join(QLatin1Char(','));
}

// ---- Transfer ---------------------------------------------------------------------------

QString CVirtCtrl::StepLine(int nStep, bool bQuery) const {
  if (nStep < 1 || nStep >= kStepCount) return QString();
  const int itemId = (nStep - 1) / kStepsPerItem + 1;
  const StepSpec& spec = kSteps[(nStep - 1) % kStepsPerItem];
  QString value;
  if (spec.group == G_ITEM) {
    value = Fmt("%d", GetLink(G_ITEM, itemId - 1));
  } else if (spec.group == kOtherGroups) {
    QStringList words;
    for (const OtherToken& t : kOtherTokens)
      for (int row = 0; row < GroupSize(t.group); ++row)
        if (GetLink(t.group, row) == itemId) words << TokenOf(t, row);
    value = words.isEmpty() ? QStringLiteral("NONE") : words.join(QLatin1Char(','));
  } else {
    value = RangeOf(spec.group, itemId);
  }
  const QString path = m_strPath.isEmpty() ? BuildCommandPath() : m_strPath;
  return path + Fmt("/ENTRY%d", itemId) + QLatin1String(spec.key) + QLatin1Char(' ') +
         (bQuery ? QStringLiteral("?") : value);
}

int CVirtCtrl::Download(bool bQuery, int nStep) {
  if (nStep < 0) return kStepCount;
  if (nStep >= kStepCount) return -1;
  const int next = nStep + 1 < kStepCount ? nStep + 1 : -1;
  if (nStep == 0) return next;
  const int itemId = (nStep - 1) / kStepsPerItem + 1;
  // There is nothing to ask about an item the project does not hold; a
  // download still sends its (empty) lines so the unit forgets old wiring.
  if (bQuery && !(m_pDoc && m_pDoc->GetIDManager().FindBaseDevice(itemId, DT_VIRTCTRLITEM))) return next;
  if (IsLinkBusy()) return nStep;
  SendCommandLine(StepLine(nStep, bQuery));
  return next;
}

bool CVirtCtrl::Upload(const QString& line, QString&, int mode) {
  QString key, value;
  if (mode != LINKMODE_UPLOAD || !SplitUploadLine(line, &key, &value)) return false;
  if (!key.startsWith(QLatin1String("/ENTRY"))) return false;
  int itemId = 0;
  if (!ScanInt(key.mid(6), &itemId) || itemId < 1 || itemId > kMaxItems) return false;
  const int slash = key.indexOf(QLatin1Char('/'), 1);
  if (slash < 0) return false;
  const QString field = key.mid(slash);
  const QString v = value.trimmed();
  for (const StepSpec& spec : kSteps) {
    if (field != QLatin1String(spec.key)) continue;
    if (spec.group == G_ITEM) {
      int target = 0;
      if (!ScanInt(v, &target) || target < 0 || target > kMaxItems) return false;
      SetLink(G_ITEM, itemId - 1, target);
    } else if (spec.group == kOtherGroups) {
      QStringList words;
      if (v.compare(QLatin1String("NONE"), Qt::CaseInsensitive) != 0 && !v.isEmpty())
        words = v.toUpper().split(QLatin1Char(','));
      for (QString& w : words) w = w.trimmed();
      for (const OtherToken& t : kOtherTokens) {
        for (int row = 0; row < GroupSize(t.group); ++row) {
          const bool wired = words.contains(TokenOf(t, row));
          if (wired)
            SetLink(t.group, row, itemId);
          else if (GetLink(t.group, row) == itemId)
            SetLink(t.group, row, 0);
        }
      }
    } else if (!TakeRange(spec.group, itemId, v)) {
      return false;
    }
    return true;
  }
  return false;
}

// ---- Project file ---------------------------------------------------------------------

void CVirtCtrl::Serialize(CArchive& ar) {
  CBaseDevice::Serialize(ar);
  if (ar.IsStoring()) {
    for (const GroupInfo& g : kGroups) {
      const std::vector<uint8_t>& table = *Table(g.group);
      ar.WriteCount(static_cast<uint32_t>(table.size()));
      ar.WriteBytes(reinterpret_cast<const char*>(table.data()), static_cast<uint32_t>(table.size()));
    }
    return;
  }
  for (const GroupInfo& g : kGroups) {
    const uint32_t count = ar.ReadCount(1);
    std::vector<char> bytes(count);
    if (count > 0) ar.ReadBytes(bytes.data(), count);
    std::vector<uint8_t>& table = *Table(g.group);
    table.assign(static_cast<size_t>(g.size), 0);
    // A longer table of a later version is cut; identifiers beyond the
    // items' pool are dropped.
    for (size_t i = 0; i < table.size() && i < bytes.size(); ++i) {
      const uint8_t id = static_cast<uint8_t>(bytes[i]);
      table[i] = id <= kMaxItems ? id : 0;
    }
  }
}
