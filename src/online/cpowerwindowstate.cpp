#include "online/cpowerwindowstate.h"

#include "model/cselvantisdoc.h"
#include "model/ctext.h"
#include "online/conlinereplyparser.h"
#include "unit/cinternalpowermanagement.h"

namespace {

using PM = CInternalPowerManagement;

QString Path(const QString& key) { return QString::fromLatin1(CPowerWindowState::kPathRoot) + key; }

struct Key {
  const char* name;
  int code;
};

// The download order.
constexpr Key kDownloadKeys[] = {
    {"MAINS_COND", PM::P_MAINS_COND}, {"MAINS_PRIO", PM::P_MAINS_PRIO}, {"BOOT_MAC", PM::P_BOOT_MAC},
    {"BATT_PRIO", PM::P_BATT_PRIO},   {"SHUT_MAC", PM::P_SHUT_MAC},     {"DROP_SHUT", PM::P_DROP_SHUT},
    {"BATT_AVLBL", PM::P_BATT_AVLBL}, {"SHUT_PRIO", PM::P_SHUT_PRIO},
};
// The upload order.
constexpr Key kUploadKeys[] = {
    {"BATT_PRIO", PM::P_BATT_PRIO},   {"MAINS_PRIO", PM::P_MAINS_PRIO}, {"MAINS_COND", PM::P_MAINS_COND},
    {"BOOT_MAC", PM::P_BOOT_MAC},     {"SHUT_MAC", PM::P_SHUT_MAC},     {"DROP_SHUT", PM::P_DROP_SHUT},
    {"BATT_AVLBL", PM::P_BATT_AVLBL}, {"SHUT_PRIO", PM::P_SHUT_PRIO},
};

// The code of a numeric key, -1 for another key.
int NumericCode(const QString& key) {
  static constexpr Key kNumeric[] = {
      {"BATT_PRIO", PM::P_BATT_PRIO},   {"SHUT_PRIO", PM::P_SHUT_PRIO}, {"MAINS_PRIO", PM::P_MAINS_PRIO},
      {"MAINS_COND", PM::P_MAINS_COND}, {"BOOT_MAC", PM::P_BOOT_MAC},   {"SHUT_MAC", PM::P_SHUT_MAC},
  };
  for (const Key& k : kNumeric) {
    if (key == QLatin1String(k.name)) return k.code;
  }
  return -1;
}

bool IsPriority(int code) { return code == PM::P_BATT_PRIO || code == PM::P_MAINS_PRIO || code == PM::P_SHUT_PRIO; }

}  // namespace

CPowerWindowState::CPowerWindowState(CSelvantisDoc* doc) : m_doc(doc) {}

CInternalPowerManagement* CPowerWindowState::Object() const { return PM::Find(m_doc.data()); }

QString CPowerWindowState::Text(int code) const {
  const PM* object = Object();
  return object ? object->GetParamText(code) : QString();
}

int CPowerWindowState::Value(int code) const {
  const PM* object = Object();
  return object ? object->GetParam(code) : 0;
}

bool CPowerWindowState::IsBatteryAvailable() const { return Value(PM::P_BATT_AVLBL) != 0; }
bool CPowerWindowState::IsDropShut() const { return Value(PM::P_DROP_SHUT) != 0; }

void CPowerWindowState::Load() {
  m_power = PowerState::Unknown;
  PM* object = Object();
  if (object && !IsBatteryAvailable()) object->SetParam(PM::P_DROP_SHUT, 0);
}

bool CPowerWindowState::SetPriorityFromText(int code, const QString& text) {
  PM* object = Object();
  int value = 0;
  if (!object || !IsPriority(code) || !ScanInt(text, &value)) return false;
  object->SetParam(code, value);
  return true;
}

void CPowerWindowState::SetBatteryAvailable(bool available) {
  PM* object = Object();
  if (!object) return;
  object->SetParam(PM::P_BATT_AVLBL, available ? 1 : 0);
  if (!available) object->SetParam(PM::P_DROP_SHUT, 0);
}

void CPowerWindowState::SetDropShut(bool drop) {
  PM* object = Object();
  // Without a battery the system cannot power down directly.
  if (object) object->SetParam(PM::P_DROP_SHUT, drop && IsBatteryAvailable() ? 1 : 0);
}

bool CPowerWindowState::Choose(int code, int id) {
  PM* object = Object();
  if (!object || SelectionKindOf(code) == 0) return false;
  object->SetParam(code, id);
  return true;
}

uint32_t CPowerWindowState::SelectionKindOf(int code) {
  switch (code) {
    case PM::P_MAINS_COND: return kConditionKind;
    case PM::P_BOOT_MAC:
    case PM::P_SHUT_MAC: return kMacroKind;
    default: return 0;
  }
}

QStringList CPowerWindowState::PowerCommands(bool on) {
  return {Path(QStringLiteral("STATE ")) + (on ? QStringLiteral("ON") : QStringLiteral("OFF"))};
}

QStringList CPowerWindowState::PollCommands() { return {Path(QStringLiteral("STATE ?"))}; }

QStringList CPowerWindowState::TransferCommands(bool bUpload) const {
  QStringList lines;
  if (bUpload) {
    for (const Key& key : kUploadKeys) lines.append(Path(QString::fromLatin1(key.name)) + QStringLiteral(" ?"));
    return lines;
  }
  if (!Object()) return lines;
  for (const Key& key : kDownloadKeys) {
    // The references go as their IDs, the flags as "YES"/"NO".
    const bool flag = key.code == PM::P_DROP_SHUT || key.code == PM::P_BATT_AVLBL;
    const QString value = flag ? Text(key.code) : Fmt("%d", Value(key.code));
    lines.append(Path(QString::fromLatin1(key.name)) + QLatin1Char(' ') + value);
  }
  return lines;
}

CPowerWindowState::Changes CPowerWindowState::ApplyReply(const QStringList& lines) {
  Changes changes;
  PM* object = Object();
  for (const COnlineReplyParser::Item& item : COnlineReplyParser::Parse(lines, QString::fromLatin1(kPathRoot))) {
    const QString& key = item.key;
    const QString value = item.value.trimmed();
    if (key == QLatin1String("STATE")) {
      if (value == QLatin1String("OFF") || value == QLatin1String("SHUT")) {
        m_power = PowerState::Off;
        changes.power = true;
      } else if (value == QLatin1String("ON") || value == QLatin1String("BOOT")) {
        m_power = PowerState::On;
        changes.power = true;
      }
      continue;
    }
    if (!object) continue;
    if (key == QLatin1String("DROP_SHUT")) {
      object->SetParam(PM::P_DROP_SHUT, value == QLatin1String("YES") ? 1 : 0);
      changes.settings = true;
      continue;
    }
    if (key == QLatin1String("BATT_AVLBL")) {
      object->SetParam(PM::P_BATT_AVLBL, value == QLatin1String("YES") ? 1 : 0);
      changes.settings = true;
      continue;
    }
    const int code = NumericCode(key);
    if (code < 0) continue;
    int number = 0;
    if (value == QLatin1String("OFF"))
      number = 0;
    else if (!ScanInt(value, &number))
      continue;
    object->SetParam(code, number);
    changes.settings = true;
  }
  return changes;
}
