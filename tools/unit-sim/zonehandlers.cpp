#include "zonehandlers.h"

#include "unitsimulator.h"

#include <QMap>
#include <QString>
#include <QStringList>

#include <algorithm>

namespace {

constexpr int kZones = 100;
constexpr int kLanGroups = 64;
constexpr int kCollCalls = 10;

// A zone setting: its key under "/VMX/ZONE<n>", the value the unit has
// before anything is set, and for numbers the limits it keeps them in.
struct ZoneKey {
  const char* key;
  const char* fallback;
  bool number;
  int min;
  int max;
};

const ZoneKey kZoneKeys[] = {
    {"/NAME", nullptr, false, 0, 0},       {"/OUTPUT", "0", false, 0, 0},
    {"/RELAY", "OFF", false, 0, 0},        {"/PRIOCALL/RELAY", "OFF", false, 0, 0},
    {"/PRIOCALL/TYPE", "", false, 0, 0},   {"/CONTROL/RELAY", "OFF", false, 0, 0},
    {"/CONTROL/TYPE", "208", false, 0, 0}, {"/LANGRP", "OFF", false, 0, 0},
    {"/TEST/POSTOL", "0", true, 0, 100},   {"/TEST/NEGTOL", "0", true, 0, 100},
    {"/TEST/IGNORE", "NONE", false, 0, 0}, {"/AMPCHAN", "0", false, 0, 0},
    {"/TESTVOL", "-26", true, -78, 0},     {"/TEST/MEAS", "0", false, 0, 0},
    {"/TEST/REF", "0", false, 0, 0},       {"/TEST/ADJ", "0", false, 0, 0},
    {"/IMP/MEAS", "0", false, 0, 0},       {"/IMP/REF", "0", false, 0, 0},
};

// Reads the decimal number at the start of text[at...]; -1 when there is none.
int LeadingNumber(const QString& text, int at, int* end) {
  int value = 0;
  int i = at;
  while (i < text.size() && text[i].isDigit() && i - at < 6) value = value * 10 + text[i++].digitValue();
  *end = i;
  return i > at ? value : -1;
}

void Error(const UnitSimulator::Command& command, QStringList& replies) {
  if (command.IsQuery()) replies << QStringLiteral("ERROR ") + command.path;
}

bool HandleZone(UnitSimulator& sim, const UnitSimulator::Command& command, QStringList& replies) {
  static const QString prefix = QStringLiteral("/VMX/ZONE");
  int end = 0;
  const int zone = LeadingNumber(command.path, prefix.size(), &end);
  const QString key = command.path.mid(end);
  const ZoneKey* known = nullptr;
  for (const ZoneKey& k : kZoneKeys)
    if (key == QLatin1String(k.key)) known = &k;
  if (zone < 1 || zone > kZones || known == nullptr) {
    Error(command, replies);
    return true;
  }
  if (command.IsQuery()) {
    QString value;
    if (sim.IsStrict() && !sim.HasValue(command.path)) {
      Error(command, replies);
      return true;
    }
    if (sim.HasValue(command.path))
      value = sim.Value(command.path);
    else
      value = known->fallback != nullptr ? QString::fromLatin1(known->fallback) : QStringLiteral("Zone %1").arg(zone);
    replies << command.path + QLatin1Char(' ') + value;
    return true;
  }
  QString value = command.value;
  // The unit reports a relay that is not used as "OFF".
  if (known->fallback != nullptr && QLatin1String(known->fallback) == QLatin1String("OFF") &&
      value == QLatin1String("0"))
    value = QStringLiteral("OFF");
  if (known->number && value != QLatin1String("OFF")) {
    bool ok = false;
    const int number = value.toInt(&ok);
    if (!ok) return true;  // the unit ignores what it cannot read
    value = QString::number(std::clamp(number, known->min, known->max));
  }
  sim.SetValue(command.path, value);
  return true;
}

void RemoveUnder(UnitSimulator& sim, const QString& prefix) {
  const QMap<QString, QString> values = sim.Values();
  for (auto it = values.begin(); it != values.end(); ++it)
    if (it.key().startsWith(prefix)) sim.RemoveValue(it.key());
}

// The root group's clear lines come after the zones and collection calls in
// a download, so they cannot erase what those have just set:
//   "/VMX/CLEAR/ZONE ALL"     releases the zones from the calls and
//                             announcements the unit is running; every zone
//                             setting stays;
//   "/VMX/CLEAR/COLLCALL ALL" ends the collection calls the unit is running;
//                             their relays and zone lists stay;
//   "/VMX/CLEAR/LANGRP ALL"   empties every LAN group's member list, which the
//                             LAN groups that follow in the download send
//                             again.
// The simulator runs no calls, so only the LAN groups' lists change.
bool HandleClear(UnitSimulator& sim, const UnitSimulator::Command& command, QStringList& replies) {
  static const QStringList kKnown = {QStringLiteral("/VMX/CLEAR/ZONE"), QStringLiteral("/VMX/CLEAR/COLLCALL"),
                                     QStringLiteral("/VMX/CLEAR/LANGRP")};
  if (!kKnown.contains(command.path)) {
    Error(command, replies);
    return true;
  }
  // The query form has no value: nothing to answer.
  if (command.value == QLatin1String("ALL") && command.path == kKnown[2])
    RemoveUnder(sim, QStringLiteral("/VMX/LANGRP"));
  return true;
}

bool HandleNumbered(UnitSimulator& sim, const UnitSimulator::Command& command, QStringList& replies,
                    const QString& prefix, int count, const QStringList& keys) {
  int end = 0;
  const int number = LeadingNumber(command.path, prefix.size(), &end);
  const QString key = command.path.mid(end);
  if (number < 1 || number > count || !keys.contains(key)) {
    Error(command, replies);
    return true;
  }
  if (command.IsQuery() && sim.IsStrict() && !sim.HasValue(command.path))
    Error(command, replies);
  else if (command.IsQuery())
    replies << command.path + QLatin1Char(' ') +
                   (sim.HasValue(command.path) ? sim.Value(command.path) : QStringLiteral("0"));
  else if (!command.value.isEmpty())
    sim.SetValue(command.path, command.value);
  return true;
}

}  // namespace

void RegisterZoneHandlers(UnitSimulator& sim) {
  sim.RegisterHandler(QStringLiteral("/VMX/ZONE"), HandleZone);
  sim.RegisterHandler(QStringLiteral("/VMX/CLEAR"), HandleClear);
  sim.RegisterHandler(QStringLiteral("/VMX/LANGRP"),
                      [](UnitSimulator& s, const UnitSimulator::Command& c, QStringList& r) {
                        return HandleNumbered(s, c, r, QStringLiteral("/VMX/LANGRP"), kLanGroups, {QString()});
                      });
  sim.RegisterHandler(QStringLiteral("/VMX/COLLCALL"),
                      [](UnitSimulator& s, const UnitSimulator::Command& c, QStringList& r) {
                        return HandleNumbered(s, c, r, QStringLiteral("/VMX/COLLCALL"), kCollCalls,
                                              {QStringLiteral("/RELAY"), QStringLiteral("/ZONES")});
                      });
}
