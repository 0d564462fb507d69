#ifndef SELV_ONLINE_CSERVICESTATE_H
#define SELV_ONLINE_CSERVICESTATE_H

#include <QString>
#include <QStringList>

// What the service dialog sends and how it reads the unit's "/SERVICE"
// replies: status (power-on count, on-line time, version), the self tests
// and the SPI and logic registers. The dialog shows what this holds.
class CServiceState final {
 public:
  static constexpr int kRegisterRows = 8;  // SPI1..SPI7, LOGIC
  static constexpr int kLogicRow = 7;
  static constexpr int kColumnOut = 0;
  static constexpr int kColumnIn = 1;

  // What a reply changed.
  enum class Change { None, Version, OnlineTime, PowerOnCount, Register };
  struct ParseResult {
    Change change = Change::None;
    int row = -1;
    int column = -1;
    QString value;
  };

  // The self tests the unit offers, in the order shown.
  static const QStringList& TestNames();
  // The name of a register row ("SPI1".."SPI7", "LOGIC"); empty out of range.
  static QString RowName(int row);

  // Starts over: nothing answered yet.
  void Reset();

  // The commands when the dialog opens, in order.
  QStringList OpeningCommands() const;
  // The status queries of every timer tick.
  QStringList TimerCommands() const;
  // Starting a test; an empty name still sends the command with its blank.
  static QString StartTestCommand(const QString& testName);
  // Reading all rows again.
  QStringList ReadRegisterCommands() const;
  // Writing a row's output register, then reading its input register.
  // Empty when the row is out of range.
  static QStringList WriteRegisterCommands(int row, const QString& value);

  // One reply line of the service branch, without its leading "/"
  // ("SERVICE/ONTIME 12:00"); other lines change nothing.
  ParseResult ParseReply(const QString& line);

  // The power-on count, -1 until the unit has answered it.
  int PowerOnCount() const { return m_powerOnCount; }
  const QString& OnlineTime() const { return m_onlineTime; }

 private:
  int m_powerOnCount = -1;
  QString m_onlineTime;
};

#endif
