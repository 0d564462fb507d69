#include "consolehandlers.h"

#include "unitsimulator.h"

#include <QString>
#include <QStringList>

namespace {

constexpr int kConsoles = 16;
constexpr int kGroupSlots = 31;
// Where the simulator keeps which consoles are absent.
const char* const kAbsentPrefix = "/SIM/CONS/ABSENT";

enum class Kind { Text, Flag, Number, PttPrio, Ext, Password, Group, Key, ReadOnly };

struct ConsoleKey {
  const char* key;
  Kind kind;
  const char* fallback;
};

const ConsoleKey kKeys[] = {
    {"NAME", Kind::Text, nullptr},       {"TYPE", Kind::ReadOnly, "RCX6010"},   {"PRIO", Kind::Number, "5"},
    {"COMP", Kind::Flag, "OFF"},         {"BUZZER", Kind::Flag, "ON"},          {"PRECHIME", Kind::Flag, "OFF"},
    {"GERMAN", Kind::Flag, "ON"},        {"DOSCHAR", Kind::Flag, "OFF"},        {"PTTPRIO", Kind::PttPrio, "INT"},
    {"EXT", Kind::Ext, "OFF"},           {"PASSW", Kind::Password, "846,3971"}, {"ON_PRIO", Kind::Number, "40"},
    {"RELEASE", Kind::ReadOnly, "2.10"}, {"OPLEVEL", Kind::ReadOnly, "USER"},
};

void Error(const UnitSimulator::Command& command, QStringList& replies) {
  if (command.IsQuery()) replies << QStringLiteral("ERROR ") + command.path;
}

bool IsNumber(const QString& text) {
  bool ok = false;
  text.toInt(&ok);
  return ok;
}

// Whether the unit takes the value for a key of this kind.
bool Accepts(Kind kind, const QString& value) {
  static const QStringList kFlags = {QStringLiteral("ON"), QStringLiteral("OFF")};
  static const QStringList kPttPrio = {QStringLiteral("FIRST"), QStringLiteral("INT"), QStringLiteral("EXT")};
  static const QStringList kExt = {QStringLiteral("OFF"), QStringLiteral("AUX"), QStringLiteral("6350"),
                                   QStringLiteral("PTT")};
  switch (kind) {
    case Kind::Text: return !value.isEmpty();
    case Kind::Flag: return kFlags.contains(value);
    case Kind::Number: return IsNumber(value);
    case Kind::PttPrio: return kPttPrio.contains(value);
    case Kind::Ext: return kExt.contains(value);
    case Kind::Password: {
      const QStringList parts = value.split(QLatin1Char(','));
      return parts.size() == 2 && IsNumber(parts[0]) && IsNumber(parts[1]);
    }
    case Kind::Group: return !value.isEmpty();
    case Kind::Key: {
      static const QStringList kTypes = {"DISABLED", "ON",   "STOP", "PROGRAM", "CLEAR", "AUX",    "SEL",    "ALARM",
                                         "CHIME",    "TEXT", "TALK", "TALKEXT", "MACRO", "MACREP", "MACRAD", "MACSWT"};
      return kTypes.contains(value.section(QLatin1Char(','), 0, 0));
    }
    case Kind::ReadOnly: return false;
  }
  return false;
}

// Splits "KEY12" into "KEY" and 12 (-1 without digits).
void SplitKeyword(const QString& key, QString* word, int* index) {
  int digit = 0;
  while (digit < key.size() && !key[digit].isDigit()) ++digit;
  *word = key.left(digit);
  *index = -1;
  if (digit < key.size()) {
    bool ok = false;
    const int n = key.mid(digit).toInt(&ok);
    *index = ok && key.size() - digit <= 4 ? n : -2;
  }
}

bool HandleConsole(UnitSimulator& sim, const UnitSimulator::Command& command, QStringList& replies) {
  static const QString prefix = QStringLiteral("/CONS/ADR");
  if (command.path == QLatin1String("/CONS/REFERENCE")) {
    if (command.IsQuery())
      replies << command.path + QLatin1Char(' ') +
                     (sim.HasValue(command.path) ? sim.Value(command.path) : QStringLiteral("NONE"));
    else if (!command.value.isEmpty())
      sim.SetValue(command.path, command.value);
    return true;
  }
  if (!command.path.startsWith(prefix)) {
    Error(command, replies);
    return true;
  }
  const int slash = command.path.indexOf(QLatin1Char('/'), prefix.size());
  bool ok = false;
  const int address = command.path.mid(prefix.size(), slash < 0 ? -1 : slash - prefix.size()).toInt(&ok);
  if (!ok || address < 1 || address > kConsoles || slash < 0) {
    Error(command, replies);
    return true;
  }
  if (sim.HasValue(QString::fromLatin1(kAbsentPrefix) + QString::number(address))) {
    replies << command.path + QStringLiteral(" CONSOLE NOT CONNECTED");
    return true;
  }
  QString word;
  int index = -1;
  SplitKeyword(command.path.mid(slash + 1), &word, &index);
  Kind kind = Kind::Text;
  QString fallback;
  if (word == QLatin1String("KEY") && ((index >= 1 && index <= 100) || (index >= 101 && index <= 112))) {
    kind = Kind::Key;
    fallback = QStringLiteral("DISABLED");
  } else if (word == QLatin1String("GROUP") && index >= 0 && index < kGroupSlots) {
    kind = Kind::Group;
    fallback = QStringLiteral("0");
  } else {
    const ConsoleKey* known = nullptr;
    if (index == -1)
      for (const ConsoleKey& k : kKeys)
        if (word == QLatin1String(k.key)) known = &k;
    if (known == nullptr) {
      Error(command, replies);
      return true;
    }
    kind = known->kind;
    fallback =
        known->fallback != nullptr ? QString::fromLatin1(known->fallback) : QStringLiteral("Console %1").arg(address);
  }
  if (command.IsQuery()) {
    // A strict unit knows only what it got, and what the console reports.
    if (sim.IsStrict() && kind != Kind::ReadOnly && !sim.HasValue(command.path)) {
      Error(command, replies);
      return true;
    }
    replies << command.path + QLatin1Char(' ') + (sim.HasValue(command.path) ? sim.Value(command.path) : fallback);
    return true;
  }
  // The unit ignores what it cannot take.
  if (Accepts(kind, command.value)) sim.SetValue(command.path, command.value);
  return true;
}

}  // namespace

void RegisterConsoleHandlers(UnitSimulator& sim) { sim.RegisterHandler(QStringLiteral("/CONS/"), HandleConsole); }

void SetConsoleConnected(UnitSimulator& sim, int address, bool connected) {
  const QString key = QString::fromLatin1(kAbsentPrefix) + QString::number(address);
  if (connected)
    sim.RemoveValue(key);
  else
    sim.SetValue(key, QStringLiteral("1"));
}
