#include "logic/cbusycondition.h"

#include "macros/rangelist.h"
#include "model/carchive.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"
#include "model/errorfile.h"
#include "model/modelstrings.h"

#include <algorithm>

SELV_IMPLEMENT_SERIAL(CBusyCondition, 1)

namespace {

const char* const kSourceKeywords[CBusyCondition::kSourceCount] = {"ALARM", "CHIME", "MSG", "PAGE", "BGM"};
const uint32_t kSourceTexts[CBusyCondition::kSourceCount] = {IDS_SOURCE_ALARM, IDS_SOURCE_CHIME, IDS_SOURCE_MESSAGE,
                                                             IDS_SOURCE_PAGE, IDS_SOURCE_BACKGROUND};
// Zones 1..100 and groups 1..100 in the range lists; group 0 is the root.
constexpr unsigned kZoneBits = 100;
constexpr unsigned kGroupBits = 100;
constexpr int kRootGroup = 0;

QString Line(const QString& prefix, const char* field, const QString& value) {
  return prefix + QLatin1Char('/') + QLatin1String(field) + QLatin1Char(' ') + value;
}

QString RangeOf(const std::vector<CBaseDevice*>& objects, unsigned count) {
  BitSet bits = MakeBitSet(count);
  for (const CBaseDevice* object : objects) {
    if (object->GetID() >= 1) SetBit(bits, static_cast<unsigned>(object->GetID() - 1), true);
  }
  return FormatRangeList(bits, count);
}

}  // namespace

CBusyCondition::CBusyCondition() { SetType(DT_BUSYCONDITION); }

void CBusyCondition::Serialize(CArchive& ar) {
  CBaseDevice::Serialize(ar);
  if (ar.IsStoring()) {
    ar << static_cast<uint32_t>(m_sources) << static_cast<int32_t>(m_matching ? 1 : 0)
       << static_cast<int32_t>(m_minPriority) << static_cast<uint32_t>(m_outputs);
    return;
  }
  uint32_t sources = 0, outputs = 0;
  int32_t matching = 0, priority = 0;
  ar >> sources >> matching >> priority >> outputs;
  m_sources = sources & kAllSources;
  m_matching = matching != 0;
  m_minPriority = std::clamp<int>(priority, 0, kMaxPriority);
  m_outputs = outputs & ((1u << kOutputCount) - 1);
}

QString CBusyCondition::SourceKeyword(int index) {
  return index >= 0 && index < kSourceCount ? QString::fromLatin1(kSourceKeywords[index]) : QString();
}

QString CBusyCondition::SourceText(int index) {
  return index >= 0 && index < kSourceCount ? LogicString(kSourceTexts[index]) : QString();
}

QString CBusyCondition::FormatOutputs(uint32_t outputs) {
  QStringList names;
  for (int i = 0; i < kOutputCount; ++i) {
    if (outputs & (1u << i)) names << Fmt("OUT%d", i + 1);
  }
  return names.isEmpty() ? QStringLiteral("NONE") : names.join(QLatin1Char(','));
}

bool CBusyCondition::ParseOutputs(const QString& text, uint32_t* outputs) {
  const QString trimmed = text.trimmed();
  if (trimmed.isEmpty() || trimmed.compare(QLatin1String("NONE"), Qt::CaseInsensitive) == 0 ||
      trimmed == QLatin1String("0")) {
    *outputs = 0;
    return true;
  }
  uint32_t bits = 0;
  for (QString item : trimmed.split(QLatin1Char(','))) {
    item = item.trimmed();
    if (item.startsWith(QLatin1String("OUT"), Qt::CaseInsensitive)) item = item.mid(3);
    // "n" or "a-b"
    const QStringList range = item.split(QLatin1Char('-'));
    if (range.size() > 2) return false;
    bool okA = false, okB = true;
    int a = range.at(0).trimmed().toInt(&okA);
    int b = range.size() == 2 ? range.at(1).trimmed().toInt(&okB) : a;
    if (!okA || !okB) return false;
    if (b < a) std::swap(a, b);
    if (a < 1 || b > kOutputCount) return false;
    for (int n = a; n <= b; ++n) bits |= 1u << (n - 1);
  }
  *outputs = bits;
  return true;
}

std::vector<CBaseDevice*> CBusyCondition::LinkedOfType(int type) const {
  std::vector<CBaseDevice*> all;
  GetInputZonesAndGroups(all);
  std::vector<CBaseDevice*> out;
  for (CBaseDevice* object : all) {
    if (object->GetType() == type) out.push_back(object);
  }
  return out;
}

void CBusyCondition::GetColumnText(QString& out, int column) const {
  switch (column) {
    case 0: {
      QStringList names;
      for (int i = 0; i < kSourceCount; ++i) {
        if (m_sources & (1u << i)) names << SourceText(i);
      }
      out = names.join(QLatin1Char(','));
      return;
    }
    case 2: out = LogicString(m_matching ? IDS_LOGIC_ON : IDS_LOGIC_OFF); return;
    case 3: out = Fmt("%d", m_minPriority); return;
    case 4: {
      const std::vector<CBaseDevice*> groups = LinkedOfType(DT_GROUP);
      for (const CBaseDevice* group : groups) {
        if (group->GetID() == kRootGroup) {
          out = AllNoneText(true);
          return;
        }
      }
      const std::vector<CBaseDevice*> zones = LinkedOfType(DT_ZONE);
      QStringList parts;
      BitSet zoneBits = MakeBitSet(kZoneBits);
      for (const CBaseDevice* zone : zones) SetBit(zoneBits, static_cast<unsigned>(zone->GetID() - 1), true);
      if (!zones.empty()) parts << FormatRangeListForDisplay(zoneBits, kZoneBits);
      BitSet groupBits = MakeBitSet(kGroupBits);
      for (const CBaseDevice* group : groups) SetBit(groupBits, static_cast<unsigned>(group->GetID() - 1), true);
      if (!groups.empty()) parts << QStringLiteral("G") + FormatRangeListForDisplay(groupBits, kGroupBits);
      out = parts.isEmpty() ? AllNoneText(false) : parts.join(QLatin1Char(' '));
      return;
    }
    case 6: out = FormatOutputs(m_outputs); return;
    default: out.clear(); return;
  }
}

int CBusyCondition::GetValue(int column) const {
  switch (column) {
    case 0: return static_cast<int>(m_sources);
    case 2: return m_matching ? 1 : 0;
    case 3: return m_minPriority;
    default: return 0;
  }
}

void CBusyCondition::SetValue(int column, int value, const QString& text) {
  (void)text;
  switch (column) {
    case 0: m_sources = static_cast<uint32_t>(value) & kAllSources; break;
    case 2: m_matching = value != 0; break;
    case 3: m_minPriority = std::clamp(value, 0, kMaxPriority); break;
    default: return;
  }
  SetModified();
}

void CBusyCondition::SetColumnText(int column, const QString& text, int reserved) {
  (void)reserved;
  if (column == 3) {
    int value = 0;
    if (ScanInt(text, &value)) SetValue(3, value);
  } else if (column == 5) {
    uint32_t outputs = 0;
    if (!ParseOutputs(text, &outputs)) return;
    m_outputs = outputs;
    SetModified();
  }
}

void CBusyCondition::SetZones(const std::vector<CBaseDevice*>& zones) {
  std::vector<CBaseDevice*> old;
  GetInputZonesAndGroups(old);
  for (CBaseDevice* object : old) DisconnectInputsFrom(object);
  int pin = 0;
  for (CBaseDevice* object : zones) {
    if (object == nullptr || (object->GetType() != DT_ZONE && object->GetType() != DT_GROUP)) continue;
    if (object->GetDocument() != GetDocument()) continue;
    CBaseDevice::Connect(object, 0, this, pin++);
  }
  SetModified();
}

void CBusyCondition::LinkZones(int type, const std::vector<int>& ids) {
  std::vector<CBaseDevice*> keep;
  GetInputZonesAndGroups(keep);
  keep.erase(std::remove_if(keep.begin(), keep.end(), [type](CBaseDevice* o) { return o->GetType() == type; }),
             keep.end());
  if (GetDocument() != nullptr) {
    for (int id : ids) {
      if (CBaseDevice* object = GetDocument()->GetIDManager().FindBaseDevice(id, type)) keep.push_back(object);
    }
  }
  SetZones(keep);
}

QStringList CBusyCondition::GetLines(const QString& prefix, bool bQuery) const {
  if (bQuery) return QueryLines(prefix);
  QStringList sources;
  for (int i = 0; i < kSourceCount; ++i) {
    if (m_sources & (1u << i)) sources << SourceKeyword(i);
  }
  const std::vector<CBaseDevice*> groups = LinkedOfType(DT_GROUP);
  bool all = false;
  std::vector<CBaseDevice*> numbered;
  for (CBaseDevice* group : groups) {
    if (group->GetID() == kRootGroup)
      all = true;
    else
      numbered.push_back(group);
  }
  const QString zones = all ? AllNoneText(true) : RangeOf(LinkedOfType(DT_ZONE), kZoneBits);
  BitSet outputs = MakeBitSet(kOutputCount);
  for (int i = 0; i < kOutputCount; ++i) SetBit(outputs, static_cast<unsigned>(i), (m_outputs & (1u << i)) != 0);
  auto noneForZero = [](const QString& range) { return range == QLatin1String("0") ? AllNoneText(false) : range; };
  return {Line(prefix, "AUDIO", sources.isEmpty() ? QStringLiteral("OFF") : sources.join(QLatin1Char(','))),
          Line(prefix, "MATCH", OnOffText(m_matching)),
          Line(prefix, "PRIO", Fmt("%d", m_minPriority)),
          Line(prefix, "ZONES", noneForZero(zones)),
          Line(prefix, "GROUPS", noneForZero(RangeOf(numbered, kGroupBits))),
          Line(prefix, "OUTPUT", noneForZero(FormatRangeList(outputs, kOutputCount)))};
}

QStringList CBusyCondition::UnusedLines(const QString& prefix) {
  return {Line(prefix, "AUDIO", QStringLiteral("OFF"))};
}

QStringList CBusyCondition::QueryLines(const QString& prefix) {
  const QString q = QStringLiteral("?");
  return {Line(prefix, "AUDIO", q), Line(prefix, "MATCH", q),  Line(prefix, "PRIO", q),
          Line(prefix, "ZONES", q), Line(prefix, "GROUPS", q), Line(prefix, "OUTPUT", q)};
}

bool CBusyCondition::ParseField(const QString& field, const QString& value, const QString& errorFilePath) {
  const QString v = value.trimmed();
  auto isNone = [&v]() {
    return v.compare(QLatin1String("NONE"), Qt::CaseInsensitive) == 0 || v == QLatin1String("0");
  };
  if (field == QLatin1String("AUDIO")) {
    uint32_t bits = 0;
    if (v.compare(QLatin1String("OFF"), Qt::CaseInsensitive) != 0 && !isNone()) {
      for (const QString& item : v.split(QLatin1Char(','))) {
        int index = -1;
        for (int i = 0; i < kSourceCount; ++i) {
          if (item.trimmed().compare(SourceKeyword(i), Qt::CaseInsensitive) == 0) index = i;
        }
        if (index < 0) return false;
        bits |= 1u << index;
      }
    }
    SetValue(0, static_cast<int>(bits));
    return true;
  }
  if (field == QLatin1String("MATCH")) {
    bool on = false;
    if (!ParseBoolText(v, &on)) return false;
    SetValue(2, on ? 1 : 0);
    return true;
  }
  if (field == QLatin1String("PRIO")) {
    int priority = 0;
    if (!ScanInt(v, &priority)) return false;
    SetValue(3, priority);
    return true;
  }
  if (field == QLatin1String("ZONES") || field == QLatin1String("GROUPS")) {
    const bool zones = field == QLatin1String("ZONES");
    const int type = zones ? DT_ZONE : DT_GROUP;
    std::vector<int> ids;
    if (zones && v.compare(QLatin1String("ALL"), Qt::CaseInsensitive) == 0) {
      LinkZones(DT_ZONE, {});
      LinkZones(DT_GROUP, {kRootGroup});
      return true;
    }
    if (!isNone()) {
      const unsigned count = zones ? kZoneBits : kGroupBits;
      BitSet bits;
      if (!ParseRangeList(v, bits, count)) return false;
      for (unsigned i = 0; i < count; ++i) {
        if (!TestBit(bits, i)) continue;
        const int id = static_cast<int>(i) + 1;
        if (GetDocument() != nullptr && GetDocument()->GetIDManager().FindBaseDevice(id, type) == nullptr) {
          AppendMissingLine(errorFilePath, IDS_BUSY_CONDITION, GetID(), Fmt(zones ? "Zone %d" : "Group %d", id));
        }
        ids.push_back(id);
      }
    }
    if (zones) {
      // A list of zones replaces "all zones" as well.
      std::vector<int> groups;
      for (CBaseDevice* group : LinkedOfType(DT_GROUP)) {
        if (group->GetID() != kRootGroup) groups.push_back(group->GetID());
      }
      LinkZones(DT_GROUP, groups);
    }
    LinkZones(type, ids);
    return true;
  }
  if (field == QLatin1String("OUTPUT")) {
    uint32_t outputs = 0;
    if (!ParseOutputs(v, &outputs)) return false;
    m_outputs = outputs;
    SetModified();
    return true;
  }
  return false;
}
