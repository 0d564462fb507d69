#include "macrohandlers.h"

#include "unitsimulator.h"

#include <QRegularExpression>

namespace {

using Command = UnitSimulator::Command;

struct Default {
  const char* pattern;
  const char* value;
};

// What a unit that holds no such setting answers, by path pattern.
constexpr Default kDefaults[] = {
    {"^/MACRO/ENTRY\\d+/TYPE$", "NONE"},
    {"^/SIGNAL/(ALARM|CHIME|MESSAGE|TEXT)\\d+/PRIO$", "1"},
    {"^/SIGNAL/(ALARM|CHIME|MESSAGE|TEXT)\\d+/(SOURCE|FILE|START_MAC|STOP_MAC)$", "0"},
    {"^/EVENT/LOG/MASK/(AUDIO/|FAULT/|MACRO/|READYINP/|VIRTCTRL/)?ON$", "NONE"},
    {"^/EVENT/LOG/ENTRIES$", "0"},
    {"^/EVENT/LOG/READ$", "empty"},
    {"^/VIRTCTRL/ENTRY\\d+/LINK$", "0"},
    {"^/VIRTCTRL/ENTRY\\d+/(SOURCE/ENC|SOURCE/AD|DEST/DA|DEST/AMPCHAN)$", "0"},
    {"^/VIRTCTRL/ENTRY\\d+/DEST/OTHER$", "NONE"},
    {"^/SERVICE/ZONETEST/(TEST|IMP)/(AUTO|CONS)$", "OFF"},
    {"^/SERVICE/ZONETEST/TEST/TIME$", "00:00"},
    {"^/SERVICE/ZONETEST/(MACRO|OUTPUT)$", "0"},
};

QString DefaultFor(const QString& path) {
  for (const Default& entry : kDefaults)
    if (QRegularExpression(QLatin1String(entry.pattern)).match(path).hasMatch()) return QLatin1String(entry.value);
  return QString();
}

// Settings are kept by the generic store; queries of settings the unit
// never got are answered with its defaults.
bool AnswerQuery(UnitSimulator& sim, const Command& command, QStringList& replies) {
  if (!command.IsQuery() || sim.HasValue(command.path)) return false;
  // A strict unit has no defaults: the generic store answers "ERROR".
  if (sim.IsStrict()) return false;
  const QString value = DefaultFor(command.path);
  if (value.isEmpty()) return false;
  replies.append(command.path + QLatin1Char(' ') + value);
  return true;
}

bool MacroHandler(UnitSimulator& sim, const Command& command, QStringList& replies) {
  if (command.path == QLatin1String("/MACRO/CLEAR") && command.value == QLatin1String("MACRO_CLR")) {
    static const QRegularExpression kEntry(QStringLiteral("^/MACRO/ENTRY\\d+/"));
    const QMap<QString, QString> values = sim.Values();
    for (auto it = values.constBegin(); it != values.constEnd(); ++it)
      if (kEntry.match(it.key()).hasMatch()) sim.RemoveValue(it.key());
    return true;
  }
  return AnswerQuery(sim, command, replies);
}

}  // namespace

void RegisterMacroHandlers(UnitSimulator& sim) {
  sim.RegisterHandler(QStringLiteral("/MACRO"), MacroHandler);
  for (const char* family : {"/SIGNAL", "/EVENT/LOG", "/VIRTCTRL", "/SERVICE/ZONETEST"})
    sim.RegisterHandler(QLatin1String(family), AnswerQuery);
}
