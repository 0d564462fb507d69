#include "zonetesthandlers.h"

#include "unitsimulator.h"

#include <QString>
#include <QStringList>

#include <algorithm>
#include <set>

namespace {

constexpr int kZones = 100;
constexpr int kNominalLine = 100;
constexpr int kNominalImpedance = 50;

const QString kPrefix = QStringLiteral("/SERVICE/ZONETEST");

// "1-3,7" -> {1, 2, 3, 7}; "ALL" every zone; "NONE", "0" or nothing none.
std::set<int> ParseZones(const QString& text) {
  std::set<int> zones;
  const QString trimmed = text.trimmed();
  if (trimmed.compare(QLatin1String("ALL"), Qt::CaseInsensitive) == 0) {
    for (int zone = 1; zone <= kZones; ++zone) zones.insert(zone);
    return zones;
  }
  for (const QString& part : trimmed.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
    const QStringList ends = part.split(QLatin1Char('-'));
    bool okFirst = false;
    bool okLast = false;
    const int first = ends.value(0).trimmed().toInt(&okFirst);
    const int last = ends.size() > 1 ? ends.value(1).trimmed().toInt(&okLast) : first;
    if (!okFirst || (ends.size() > 1 && !okLast) || ends.size() > 2) continue;
    for (int zone = std::max(first, 1); zone <= std::min(last, kZones); ++zone) zones.insert(zone);
  }
  return zones;
}

// {1, 2, 3, 7} -> "1-3,7"; "NONE" when empty.
QString FormatZones(const std::set<int>& zones) {
  QStringList runs;
  for (auto it = zones.begin(); it != zones.end();) {
    const int first = *it;
    int last = first;
    for (++it; it != zones.end() && *it == last + 1; ++it) last = *it;
    runs << (first == last ? QString::number(first) : QStringLiteral("%1-%2").arg(first).arg(last));
  }
  return runs.isEmpty() ? QStringLiteral("NONE") : runs.join(QLatin1Char(','));
}

QString ZonePath(int zone, const char* key) {
  return QStringLiteral("/VMX/ZONE%1%2").arg(zone).arg(QLatin1String(key));
}

int Number(const UnitSimulator& sim, const QString& path, int fallback) {
  bool ok = false;
  const int value = sim.HasValue(path) ? sim.Value(path).toInt(&ok) : 0;
  return ok ? value : fallback;
}

// A zone whose line measurement leaves its reference by more than the
// tolerances; a zone without a reference has none.
bool HasLineFault(const UnitSimulator& sim, int zone) {
  const int reference = Number(sim, ZonePath(zone, "/TEST/REF"), 0);
  if (reference <= 0 || !sim.HasValue(ZonePath(zone, "/TEST/MEAS"))) return false;
  const int measured = Number(sim, ZonePath(zone, "/TEST/MEAS"), 0);
  const int above = Number(sim, ZonePath(zone, "/TEST/POSTOL"), 0);
  const int below = Number(sim, ZonePath(zone, "/TEST/NEGTOL"), 0);
  return measured * 100 > reference * (100 + above) || measured * 100 < reference * (100 - below);
}

// The unit takes each measurement or reference on the listed zones at once.
void Measure(UnitSimulator& sim, const QString& what, const std::set<int>& zones) {
  for (int zone : zones) {
    const QString knob = QStringLiteral("/SIM/ZONE%1").arg(zone);
    if (what == QLatin1String("/TEST/MEAS"))
      sim.SetValue(ZonePath(zone, "/TEST/MEAS"),
                   QString::number(Number(sim, knob + QStringLiteral("/LINE"), kNominalLine)));
    else if (what == QLatin1String("/TEST/REF"))
      sim.SetValue(ZonePath(zone, "/TEST/REF"), QString::number(Number(sim, ZonePath(zone, "/TEST/MEAS"), 0)));
    else if (what == QLatin1String("/IMP/MEAS"))
      sim.SetValue(ZonePath(zone, "/IMP/MEAS"),
                   QString::number(Number(sim, knob + QStringLiteral("/IMPEDANCE"), kNominalImpedance)));
    else if (what == QLatin1String("/IMP/REF"))
      sim.SetValue(ZonePath(zone, "/IMP/REF"), QString::number(Number(sim, ZonePath(zone, "/IMP/MEAS"), 0)));
  }
}

bool HandleZoneTest(UnitSimulator& sim, const UnitSimulator::Command& command, QStringList& replies) {
  const QString key = command.path.mid(kPrefix.size());
  if (command.IsQuery()) {
    QString value;
    if (key == QLatin1String("/MODE")) {
      value = QStringLiteral("OFF");
    } else if (key == QLatin1String("/ACTIVE")) {
      value = QStringLiteral("0");
    } else if (key == QLatin1String("/FAULT")) {
      std::set<int> faults;
      for (int zone = 1; zone <= kZones; ++zone)
        if (HasLineFault(sim, zone)) faults.insert(zone);
      value = FormatZones(faults);
    } else if (key == QLatin1String("/GNDFLT")) {
      value = FormatZones(ParseZones(sim.Value(QStringLiteral("/SIM/ZONETEST/GNDFLT"))));
    } else {
      // The zone test's settings (a download's automatic tests, the macro,
      // the output) are kept as the unit keeps any setting.
      return false;
    }
    replies << command.path + QLatin1Char(' ') + value;
    return true;
  }
  if (key == QLatin1String("/TEST/MEAS") || key == QLatin1String("/TEST/REF") || key == QLatin1String("/IMP/MEAS") ||
      key == QLatin1String("/IMP/REF")) {
    Measure(sim, key, ParseZones(command.value));
    return true;
  }
  return false;
}

}  // namespace

void RegisterZoneTestHandlers(UnitSimulator& sim) { sim.RegisterHandler(kPrefix + QLatin1Char('/'), HandleZoneTest); }
