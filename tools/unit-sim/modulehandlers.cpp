#include "modulehandlers.h"

#include "unitsimulator.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

using Command = UnitSimulator::Command;

// What a factory-fresh unit answers, by path pattern.
struct Default {
  const char* pattern;
  const char* value;
};

constexpr Default kDefaults[] = {
    {"^/FUSE/(SLOT[12]/[AB]|AMP485)/VALUE$", "3"},
    {"^/FUSE/(SLOT[12]/[AB]|AMP485)/(BLOWN|COOLING)$", "NO"},
    {"^/EVENT/PRIO_BOOT$", "50"},
    {"^/AUDIO/ALARM_VOL$", "-14.8"},
    {"^/AUDIO/CHIME_VOL$", "-9.0"},
    {"^/AUDIO/MESSAGE_VOL$", "-3.6"},
    {"^/AUDIO/PANIC_VOL$", "0.0"},
    {"^/AUDIO/BACK_ATT$", "-127"},
    {"^/AUDIO/(EXT_ALARM_INP|EXT_MSG_INP)$", "3"},
    {"^/AUDIO/BACK_INP$", "4"},
    {"^/AUDIO/IN[1-4]/VOL$", "0.0"},
    {"^/PILOT/GEN$", "OFF"},
    {"^/PILOT/FREQU$", "10.0"},
    {"^/PILOT/VOL[1-4]$", "-150.0"},
    {"^/POWER/BATT_PRIO$", "70"},
    {"^/POWER/MAINS_PRIO$", "30"},
    {"^/POWER/SHUT_PRIO$", "0"},
    {"^/POWER/(MAINS_COND|BOOT_MAC|SHUT_MAC)$", "OFF"},
    {"^/POWER/(DROP_SHUT|BATT_AVLBL)$", "NO"},
    {"^/POWER/STATE$", "ON"},
    {"^/RECORDER/INPUT$", "1"},
    {"^/RECORDER/OUTPUT$", "NONE"},
    {"^/RECORDER/FILE$", "OFF"},
    {"^/RECORDER/QUALITY$", "20KHZ LINEAR"},
    {"^/RECORDER/MAXTIME$", "0.0"},
    {"^/RECORDER/INFO$", "READY"},
    {"^/RECORDER/FORMAT$", "1-4"},
    {"^/RECORDER/TIME$", "0.0"},
    {"^/RECORDER/FUNCTION$", "STOP"},
    {"^/RECORDER/FREE$", "360.4"},
    // The hardware scan: the module of each slot, and the devices present
    // on the amplifier bus, the console bus and the card bus.
    {"^/SLOT[1-5]/MODULE$", "NONE"},
    {"^/(AMP|KCM)/AVLBL$", "NONE"},
    {"^/CONS/CONNECTED$", "NONE"},
};

QString DefaultFor(const QString& path) {
  for (const Default& entry : kDefaults) {
    if (QRegularExpression(QLatin1String(entry.pattern)).match(path).hasMatch()) return QLatin1String(entry.value);
  }
  return QString();
}

// The unit resolves ".." in a path: "/FUSE/../EVENT/PRIO_BOOT" is
// "/EVENT/PRIO_BOOT".
QString Resolve(const QString& path) {
  QStringList parts;
  for (const QString& part : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
    if (part == QLatin1String("..")) {
      if (!parts.isEmpty()) parts.removeLast();
    } else if (part != QLatin1String(".")) {
      parts.append(part);
    }
  }
  return QLatin1Char('/') + parts.join(QLatin1Char('/'));
}

// What the unit reports of itself (states, hardware), as against settings
// it only holds once it got them.
bool IsReport(const QString& path) {
  static const QRegularExpression kReport(QStringLiteral(
      "^/(FUSE/.*/(BLOWN|COOLING)|RECORDER/(INFO|TIME|FUNCTION|FREE)|POWER/STATE|SLOT[1-5]/MODULE|(AMP|KCM)/AVLBL|"
      "CONS/CONNECTED)$"));
  return kReport.match(path).hasMatch();
}

bool IsFuseRating(const QString& path) {
  static const QRegularExpression kRating(QStringLiteral("^/FUSE/(SLOT[12]/[AB]|AMP485)/VALUE$"));
  return kRating.match(path).hasMatch();
}

bool ModuleHandler(UnitSimulator& sim, const Command& command, QStringList& replies) {
  const QString path = Resolve(command.path);
  if (command.IsQuery()) {
    const bool known = sim.HasValue(path) || !sim.IsStrict() || IsReport(path);
    const QString value = sim.HasValue(path) ? sim.Value(path) : known ? DefaultFor(path) : QString();
    // A path the unit does not know: the generic store answers "ERROR".
    if (value.isEmpty()) {
      replies.append(QStringLiteral("ERROR ") + command.path);
      return true;
    }
    replies.append((sim.ResolvedAnswers() ? path : command.path) + QLatin1Char(' ') + value);
    return true;
  }
  if (command.value.isEmpty()) return false;
  if (IsFuseRating(path)) {
    bool ok = false;
    const int rating = command.value.trimmed().toInt(&ok);
    if (!ok || rating < 0 || rating > 3) {
      replies.append(QStringLiteral("ERROR ") + command.path);
      return true;
    }
  }
  sim.SetValue(path, command.value);
  return true;
}

}  // namespace

void RegisterModuleHandlers(UnitSimulator& sim) {
  for (const char* family :
       {"/FUSE", "/AUDIO", "/PILOT", "/POWER", "/RECORDER", "/SLOT", "/AMP/AVLBL", "/KCM/AVLBL", "/CONS/CONNECTED"}) {
    sim.RegisterHandler(QLatin1String(family), ModuleHandler);
  }
}
