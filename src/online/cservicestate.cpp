#include "online/cservicestate.h"

#include "model/ctext.h"

namespace {
const QString kService = QStringLiteral("/SERVICE");

QString Query(const QString& key) { return kService + key + QStringLiteral(" ?"); }
}  // namespace

const QStringList& CServiceState::TestNames() {
  static const QStringList names = {"BOOTLOAD", "RESET",  "WATCHDOG", "EEPROM",   "EEPCLR",   "VCC",     "BATTERY",
                                    "RTC",      "PILOT",  "UART",     "SPIREAD",  "SPIWRITE", "EXTMONI", "INTMONI",
                                    "AMP485",   "VMXNET", "PAGENET",  "LOGICINP", "LOGICOUT", "SLAVE",   "SINESWEEP"};
  return names;
}

QString CServiceState::RowName(int row) {
  if (row < 0 || row >= kRegisterRows) return QString();
  if (row == kLogicRow) return QStringLiteral("LOGIC");
  return QStringLiteral("SPI") + Fmt("%d", row + 1);
}

void CServiceState::Reset() {
  m_powerOnCount = -1;
  m_onlineTime.clear();
}

QStringList CServiceState::OpeningCommands() const {
  QStringList commands{Query("/ONTIME"), Query("/ONCOUNT"), Query("/VER")};
  for (int n = 1; n <= 7; ++n) {
    commands << Query(Fmt("/SPI%d/OUT", n)) << Query(Fmt("/SPI%d/IN", n));
  }
  commands << Query("/SPI/LOGIC/OUT") << Query("/SPI/LOGIC/IN");
  return commands;
}

QStringList CServiceState::TimerCommands() const { return {Query("/ONTIME"), Query("/ONCOUNT")}; }

QString CServiceState::StartTestCommand(const QString& testName) {
  return kService + QStringLiteral("/START ") + testName;
}

QStringList CServiceState::ReadRegisterCommands() const {
  QStringList commands;
  for (int row = 0; row < kRegisterRows; ++row) {
    const QString name = RowName(row);
    commands << Query("/" + name + "/OUT") << Query("/" + name + "/IN");
  }
  return commands;
}

QStringList CServiceState::WriteRegisterCommands(int row, const QString& value) {
  const QString name = RowName(row);
  if (name.isEmpty()) return {};
  return {kService + "/" + name + "/OUT " + value, Query("/" + name + "/IN")};
}

CServiceState::ParseResult CServiceState::ParseReply(const QString& line) {
  ParseResult result;
  const int slash = line.indexOf(QLatin1Char('/'));
  if (slash < 0) return result;
  const QString rest = line.mid(slash);
  const int blank = rest.indexOf(QLatin1Char(' '));
  const QString key = blank < 0 ? rest : rest.left(blank);
  const QString value = blank < 0 ? QString() : rest.mid(blank + 1);
  if (value == QLatin1String("?")) return result;
  result.value = value;

  if (key == QLatin1String("/VER")) {
    result.change = Change::Version;
    return result;
  }
  if (key == QLatin1String("/ONTIME")) {
    if (value != m_onlineTime) {
      m_onlineTime = value;
      result.change = Change::OnlineTime;
    }
    return result;
  }
  if (key == QLatin1String("/ONCOUNT")) {
    int count = 0;
    // A count the unit garbled is not shown as a new count.
    if (!ScanInt(value.trimmed(), &count) || count < 0) return result;
    if (count != m_powerOnCount) {
      m_powerOnCount = count;
      result.change = Change::PowerOnCount;
    }
    return result;
  }

  int row = -1;
  QString tail;
  if (key.startsWith(QLatin1String("/SPI/LOGIC"))) {
    // The logic register as it is asked at opening.
    row = kLogicRow;
    tail = key.mid(10);
  } else if (key.startsWith(QLatin1String("/SPI"))) {
    const QString afterSpi = key.mid(4);
    const int next = afterSpi.indexOf(QLatin1Char('/'));
    if (next <= 0) return result;
    int n = 0;
    if (!ScanInt(afterSpi.left(next), &n) || n < 1 || n > 7) return result;
    row = n - 1;
    tail = afterSpi.mid(next);
  } else if (key.startsWith(QLatin1String("/LOGIC"))) {
    row = kLogicRow;
    tail = key.mid(6);
  } else {
    return result;
  }
  if (tail == QLatin1String("/OUT"))
    result.column = kColumnOut;
  else if (tail == QLatin1String("/IN"))
    result.column = kColumnIn;
  else
    return result;
  result.row = row;
  result.change = Change::Register;
  return result;
}
