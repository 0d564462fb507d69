#include "logichandlers.h"

#include "unitsimulator.h"

#include <QDateTime>
#include <QRegularExpression>

#include <map>

namespace {

using Command = UnitSimulator::Command;

// What a unit that holds no such entry answers, by path pattern.
struct Default {
  const char* pattern;
  const char* value;
};

constexpr Default kDefaults[] = {
    {"^/CONDITION/COND\\d+/TYPE$", "OFF"},
    {"^/CONDITION/(ANALOG|COND)\\d+/INPUT$", "OFF"},
    {"^/CONDITION/ANALOG\\d+/INPNR$", "0"},
    {"^/CONDITION/COND\\d+/(LEVEL)$", "ON"},
    {"^/CONDITION/COND\\d+/SOURCE$", "0"},
    {"^/CONDITION/ANALOG\\d+/MIN$", "0.0"},
    {"^/CONDITION/ANALOG\\d+/MAX$", "10.0"},
    {"^/CONDITION/BUSY\\d+/AUDIO$", "OFF"},
    {"^/CONDITION/BUSY\\d+/MATCH$", "OFF"},
    {"^/CONDITION/BUSY\\d+/PRIO$", "0"},
    {"^/CONDITION/BUSY\\d+/(ZONES|GROUPS|OUTPUT)$", "NONE"},
    {"^/CONDITION/COMBINE\\d+/LOGIC$", "OFF"},
    {"^/CONDITION/COMBINE\\d+/IN\\d$", "0"},
    {"^/CONDITION/COMBINE\\d+/INV\\d$", "OFF"},
    {"^/CONDITION/TRUE$", "NONE"},
    {"^/CONDITION/MEMOFLAG/ON$", "NONE"},
    {"^/TRIGGER/TRG\\d+/(COND|ON|OFF)$", "0"},
    {"^/TRIGGER/TRG\\d+/TIME$", "0.0"},
    {"^/LOGICOUT/OUT\\d+/OUTPUT$", "OFF"},
    {"^/LOGICOUT/OUT\\d+/(OUTNR|COND)$", "0"},
    {"^/LOGICOUT/OUT\\d+/INVERT$", "OFF"},
    {"^/READYINP/INP\\d+/INPUT$", "OFF"},
    {"^/READYINP/INP\\d+/(INPNR|NR)$", "0"},
    {"^/READYINP/INP\\d+/LEVEL$", "ON"},
    {"^/READYINP/INP\\d+/MASKED$", "OFF"},
    {"^/READYINP/INP\\d+/TEXT$", "1"},
    {"^/READYINP/MASKTIME$", "5.0"},
    {"^/READYINP/(READY|FAULT)$", "NONE"},
    {"^/CALENDAR/(EVENT|HOLIDAY)\\d+/FUNC$", "OFF"},
    {"^/CALENDAR/(EVENT|HOLIDAY)\\d+/DATE$", "01.03.1980"},
    {"^/CALENDAR/EVENT\\d+/TIME$", "00:00:00"},
    {"^/CALENDAR/(EVENT\\d+/MACRO|HOLIDAY\\d+/DAYPROG)$", "0"},
    {"^/CALENDAR/HOLIDAY\\d+/DAYS$", "1"},
    {"^/CALENDAR/WEEK/DAY\\d$", "0"},
    {"^/FAULT/(SOURCES|ACTIVE)$", "NONE"},
    {"^/FAULT/LATCH$", "OFF"},
    {"^/FAULT/DISPLAY$", "OFF"},
    {"^/FAULT/STATE$", "FALSE"},
    {"^/FAULT/MANUAL$", "OFF"},
    {"^/CLOCK/SLAVE/(INVERT|RUN|OVERLOAD)$", "OFF"},
    {"^/CLOCK/DCF/RECEIVE$", "OFF"},
};

QString DefaultFor(const QString& path) {
  for (const Default& entry : kDefaults) {
    if (QRegularExpression(QLatin1String(entry.pattern)).match(path).hasMatch()) return QLatin1String(entry.value);
  }
  // The clocks run with the simulator's host clock.
  const QDateTime now = QDateTime::currentDateTime();
  if (path.endsWith(QLatin1String("/TIME")) && path.startsWith(QLatin1String("/CLOCK/"))) {
    return now.toString(QStringLiteral("HH:mm:ss"));
  }
  if (path.endsWith(QLatin1String("/DATE")) && path.startsWith(QLatin1String("/CLOCK/"))) {
    return now.toString(QStringLiteral("dd.MM.yyyy"));
  }
  return QString();
}

void RemoveMatching(UnitSimulator& sim, const QRegularExpression& pattern) {
  const QMap<QString, QString> values = sim.Values();
  for (auto it = values.constBegin(); it != values.constEnd(); ++it) {
    if (pattern.match(it.key()).hasMatch()) sim.RemoveValue(it.key());
  }
}

// A stored value, or the answer of a unit that holds none; false when the
// unit does not know the path at all (the generic store answers ERROR).
bool AnswerQuery(UnitSimulator& sim, const Command& command, QStringList& replies) {
  if (!command.IsQuery()) return false;
  if (sim.HasValue(command.path)) {
    replies.append(command.path + QLatin1Char(' ') + sim.Value(command.path));
    return true;
  }
  // A strict unit has no defaults: the generic store answers "ERROR".
  if (sim.IsStrict()) return false;
  const QString value = DefaultFor(command.path);
  if (value.isEmpty()) return false;
  replies.append(command.path + QLatin1Char(' ') + value);
  return true;
}

// "<path> <TOKEN>" empties the entries under the path.
UnitSimulator::Handler ClearingFamily(const QString& path, const QString& token, const QString& entryPattern) {
  const QRegularExpression entries(entryPattern);
  return [path, token, entries](UnitSimulator& sim, const Command& command, QStringList& replies) {
    if (command.path == path && command.value == token) {
      RemoveMatching(sim, entries);
      return true;
    }
    return AnswerQuery(sim, command, replies);
  };
}

bool CalendarHandler(UnitSimulator& sim, const Command& command, QStringList& replies) {
  static const QRegularExpression kDayprog(QStringLiteral("^(/CALENDAR/DAYPROG\\d+)/(CLEAR|ENTRIES)$"));
  const QRegularExpressionMatch match = kDayprog.match(command.path);
  if (!match.hasMatch()) return AnswerQuery(sim, command, replies);
  const QString prefix = match.captured(1);
  const QRegularExpression entryKey(QRegularExpression::escape(prefix) + QStringLiteral("/(TIME|MACRO)(\\d+)$"));
  if (match.captured(2) == QLatin1String("CLEAR")) {
    if (command.IsQuery()) return false;
    RemoveMatching(sim, entryKey);
    return true;
  }
  if (!command.IsQuery()) return true;
  // The entry list: the count, then time and macro of each entry in order.
  std::map<int, std::pair<QString, QString>> entries;
  const QMap<QString, QString> values = sim.Values();
  for (auto it = values.constBegin(); it != values.constEnd(); ++it) {
    const QRegularExpressionMatch m = entryKey.match(it.key());
    if (!m.hasMatch()) continue;
    auto& entry = entries[m.captured(2).toInt()];
    (m.captured(1) == QLatin1String("TIME") ? entry.first : entry.second) = it.value();
  }
  replies.append(command.path + QStringLiteral(" %1").arg(entries.size()));
  for (const auto& [number, entry] : entries) {
    replies.append(prefix + QStringLiteral("/TIME%1 ").arg(number) +
                   (entry.first.isEmpty() ? QStringLiteral("OFF") : entry.first));
    replies.append(prefix + QStringLiteral("/MACRO%1 ").arg(number) +
                   (entry.second.isEmpty() ? QStringLiteral("0") : entry.second));
  }
  return true;
}

}  // namespace

void RegisterLogicHandlers(UnitSimulator& sim) {
  sim.RegisterHandler(QStringLiteral("/CONDITION"),
                      ClearingFamily(QStringLiteral("/CONDITION"), QStringLiteral("COND_CLR"),
                                     QStringLiteral("^/CONDITION/(ANALOG|BUSY|COMBINE|COND)\\d+/")));
  sim.RegisterHandler(
      QStringLiteral("/TRIGGER"),
      ClearingFamily(QStringLiteral("/TRIGGER"), QStringLiteral("TRIGGER_CLR"), QStringLiteral("^/TRIGGER/TRG\\d+/")));
  sim.RegisterHandler(QStringLiteral("/READYINP"),
                      ClearingFamily(QStringLiteral("/READYINP"), QStringLiteral("READYINP_CLR"),
                                     QStringLiteral("^/READYINP/INP\\d+/")));
  for (const char* family : {"/LOGICOUT", "/FAULT", "/CLOCK"}) {
    sim.RegisterHandler(QLatin1String(family), [](UnitSimulator& s, const Command& command, QStringList& replies) {
      if (command.path == QLatin1String("/FAULT/STATE") && command.value == QLatin1String("QUIT")) {
        s.SetValue(command.path, QStringLiteral("FALSE"));
        return true;
      }
      return AnswerQuery(s, command, replies);
    });
  }
  sim.RegisterHandler(QStringLiteral("/CALENDAR"), CalendarHandler);
}
