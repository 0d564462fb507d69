#include "monitorhandlers.h"

#include "unitsimulator.h"

#include <QMap>
#include <QString>
#include <QStringList>

#include <functional>

namespace {

using Command = UnitSimulator::Command;

constexpr int kMonitorEntries = 250;
constexpr int kMonitorRelays = 80;
constexpr int kSpareEntries = 8;
constexpr int kSpareWatches = 10;

const QString kMoni = QStringLiteral("/MONI");
const QString kSpare = QStringLiteral("/SPAREAMP");

// The decimal number at text[at...] (at most six digits); -1 when there is
// none. *end is the position after it.
int NumberAt(const QString& text, int at, int* end) {
  int value = 0;
  int i = at;
  while (i < text.size() && text[i].isDigit() && i - at < 6) value = value * 10 + text[i++].digitValue();
  *end = i;
  return i > at ? value : -1;
}

void Error(const Command& command, QStringList& replies) {
  if (command.IsQuery()) replies << QStringLiteral("ERROR ") + command.path;
}

void Answer(const Command& command, const QString& value, QStringList& replies) {
  replies << command.path + QLatin1Char(' ') + value;
}

void RemoveUnder(UnitSimulator& sim, const QString& prefix) {
  const QMap<QString, QString> values = sim.Values();
  for (auto it = values.begin(); it != values.end(); ++it)
    if (it.key().startsWith(prefix)) sim.RemoveValue(it.key());
}

// Numbers 1..count for which cleared(n) holds, as the unit lists them:
// "1-48,50", "0" for none.
QString RangeList(int count, const std::function<bool(int)>& cleared) {
  QStringList items;
  int n = 1;
  while (n <= count) {
    if (!cleared(n)) {
      ++n;
      continue;
    }
    int last = n;
    while (last + 1 <= count && cleared(last + 1)) ++last;
    items << (last > n ? QStringLiteral("%1-%2").arg(n).arg(last) : QString::number(n));
    n = last + 1;
  }
  return items.isEmpty() ? QStringLiteral("0") : items.join(QLatin1Char(','));
}

bool IsAmpKind(const QString& kind) { return kind == QLatin1String("AMP_IN") || kind == QLatin1String("AMP_OUT"); }

// ---- Monitor ------------------------------------------------------------------------------

QString TablePath(int n, const char* key) { return kMoni + QStringLiteral("/TABLE%1/").arg(n) + QLatin1String(key); }

bool EntryCleared(const UnitSimulator& sim, int n) {
  const QString path = TablePath(n, "SEL");
  return !sim.HasValue(path) || sim.Value(path) == QLatin1String("OFF");
}

bool RelayFree(const UnitSimulator& sim, int n) {
  const QString path = kMoni + QStringLiteral("/RELAY%1").arg(n);
  if (!sim.HasValue(path)) return true;
  const QString value = sim.Value(path);
  return value == QLatin1String("0") || value == QLatin1String("OFF");
}

bool HandleMonitorClear(UnitSimulator& sim, const Command& command, QStringList& replies) {
  const bool table = command.path == kMoni + QStringLiteral("/CLEAR/TABLE");
  const bool relay = command.path == kMoni + QStringLiteral("/CLEAR/RELAY");
  if (!table && !relay) {
    Error(command, replies);
    return true;
  }
  if (command.IsQuery()) {
    if (table)
      Answer(command, RangeList(kMonitorEntries, [&sim](int n) { return EntryCleared(sim, n); }), replies);
    else
      Answer(command, RangeList(kMonitorRelays, [&sim](int n) { return RelayFree(sim, n); }), replies);
  } else if (command.value == QLatin1String("ALL")) {
    RemoveUnder(sim, kMoni + (table ? QStringLiteral("/TABLE") : QStringLiteral("/RELAY")));
  }
  return true;
}

bool HandleMonitorTable(UnitSimulator& sim, const Command& command, QStringList& replies) {
  int end = 0;
  const int n = NumberAt(command.path, (kMoni + QStringLiteral("/TABLE")).size(), &end);
  const QString key = command.path.mid(end);
  const bool known = key == QLatin1String("/SEL") || key == QLatin1String("/IDX") || key == QLatin1String("/AMPCHAN");
  if (n < 1 || n > kMonitorEntries || !known) {
    Error(command, replies);
    return true;
  }
  if (command.IsQuery()) {
    if (key == QLatin1String("/SEL")) {
      Answer(command, sim.HasValue(command.path) ? sim.Value(command.path) : QStringLiteral("OFF"), replies);
    } else if (key == QLatin1String("/IDX")) {
      Answer(command, sim.HasValue(command.path) ? sim.Value(command.path) : QStringLiteral("0"), replies);
    } else {
      const int channel = sim.HasValue(command.path) ? sim.Value(command.path).toInt() : 1;
      Answer(command, QString::number(channel, 16), replies);
    }
    return true;
  }
  if (key == QLatin1String("/SEL")) {
    sim.SetValue(command.path, command.value);
    return true;
  }
  bool ok = false;
  int number = 0;
  if (key == QLatin1String("/IDX")) {
    // An amplifier is named by its bus address in hexadecimal.
    const bool hex = IsAmpKind(sim.Value(TablePath(n, "SEL")));
    number = command.value.toInt(&ok, hex ? 16 : 10);
  } else {
    number = command.value.toInt(&ok, 10);
  }
  if (ok) sim.SetValue(command.path, QString::number(number));  // the unit ignores what it cannot read
  return true;
}

bool HandleMonitorRelay(UnitSimulator& sim, const Command& command, QStringList& replies) {
  int end = 0;
  const int n = NumberAt(command.path, (kMoni + QStringLiteral("/RELAY")).size(), &end);
  if (n < 1 || n > kMonitorRelays || end != command.path.size()) {
    Error(command, replies);
    return true;
  }
  if (command.IsQuery()) {
    Answer(command, sim.HasValue(command.path) ? sim.Value(command.path) : QStringLiteral("0"), replies);
    return true;
  }
  bool ok = false;
  const int number = command.value.toInt(&ok);
  if (ok && number >= 0) sim.SetValue(command.path, QString::number(number));
  return true;
}

// ---- Backup amplifiers ------------------------------------------------------------------------

QString EntryPath(int n) { return kSpare + QStringLiteral("/ENTRY%1").arg(n); }

bool SpareCleared(const UnitSimulator& sim, int n) {
  const QString path = EntryPath(n) + QStringLiteral("/INDEX");
  if (!sim.HasValue(path)) return true;
  const QString value = sim.Value(path);
  return value == QLatin1String("0") || value == QLatin1String("OFF");
}

bool HandleSpareClear(UnitSimulator& sim, const Command& command, QStringList& replies) {
  if (command.path != kSpare + QStringLiteral("/CLEAR")) {
    Error(command, replies);
    return true;
  }
  if (command.IsQuery())
    Answer(command, RangeList(kSpareEntries, [&sim](int n) { return SpareCleared(sim, n); }), replies);
  else if (command.value == QLatin1String("ALL"))
    RemoveUnder(sim, kSpare + QStringLiteral("/ENTRY"));
  return true;
}

bool HandleSpareEntry(UnitSimulator& sim, const Command& command, QStringList& replies) {
  int end = 0;
  const int n = NumberAt(command.path, (kSpare + QStringLiteral("/ENTRY")).size(), &end);
  QString key = command.path.mid(end);
  int w = 0;
  if (key.startsWith(QLatin1String("/WATCH"))) {
    int watchEnd = 0;
    w = NumberAt(key, 6, &watchEnd);
    key = key.mid(watchEnd);
    if (w < 1 || w > kSpareWatches) w = -1;
  }
  const bool known = key == QLatin1String("/INDEX") || key == QLatin1String("/REMOTE") ||
                     (w > 0 && (key == QLatin1String("/OUTRELAY") || key == QLatin1String("/INPRELAY"))) ||
                     (w == 0 && key == QLatin1String("/REPLACE"));
  if (n < 1 || n > kSpareEntries || w < 0 || !known) {
    Error(command, replies);
    return true;
  }
  if (command.IsQuery()) {
    QString value = sim.Value(command.path);
    if (key == QLatin1String("/REMOTE")) {
      if (value.isEmpty()) value = QStringLiteral("YES");
    } else if (key == QLatin1String("/INDEX") || key == QLatin1String("/REPLACE")) {
      if (value.isEmpty() || value == QLatin1String("0")) value = QStringLiteral("OFF");
    } else if (value.isEmpty()) {
      value = QStringLiteral("0");
    }
    Answer(command, value, replies);
    return true;
  }
  // The replacement is the unit's state, not a setting.
  if (key == QLatin1String("/REPLACE")) return true;
  if (key == QLatin1String("/REMOTE")) {
    if (command.value == QLatin1String("YES") || command.value == QLatin1String("NO"))
      sim.SetValue(command.path, command.value);
    return true;
  }
  bool ok = false;
  const int number = command.value.toInt(&ok);
  if (ok) sim.SetValue(command.path, QString::number(number));
  return true;
}

}  // namespace

void RegisterMonitorHandlers(UnitSimulator& sim) {
  sim.RegisterHandler(kMoni + QStringLiteral("/CLEAR"), HandleMonitorClear);
  sim.RegisterHandler(kMoni + QStringLiteral("/TABLE"), HandleMonitorTable);
  sim.RegisterHandler(kMoni + QStringLiteral("/RELAY"), HandleMonitorRelay);
  sim.RegisterHandler(kSpare + QStringLiteral("/CLEAR"), HandleSpareClear);
  sim.RegisterHandler(kSpare + QStringLiteral("/ENTRY"), HandleSpareEntry);
}
