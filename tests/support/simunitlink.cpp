#include "support/simunitlink.h"

#include "model/cselvantisdoc.h"
#include "unitsimulator.h"

#include <QElapsedTimer>
#include <QRegularExpression>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

SimUnitLink::SimUnitLink(CSelvantisDoc* doc, const Families& registerFamilies)
    : m_doc(doc), m_sim(std::make_unique<UnitSimulator>()), m_scope(this) {
  if (registerFamilies) registerFamilies(*m_sim);
  QString error;
  if (!m_sim->Start(&error)) {
    m_errors << QStringLiteral("simulator: ") + error;
    return;
  }
  m_fd = ::open(m_sim->PtyPath().toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (m_fd < 0) {
    m_errors << QStringLiteral("cannot open ") + m_sim->PtyPath();
    return;
  }
  termios tio{};
  if (tcgetattr(m_fd, &tio) == 0) {
    cfmakeraw(&tio);
    tcsetattr(m_fd, TCSANOW, &tio);
  }
}

SimUnitLink::~SimUnitLink() {
  if (m_fd >= 0) ::close(m_fd);
  m_sim->Stop();
}

bool SimUnitLink::ReadLine(QString* line) {
  QElapsedTimer timer;
  timer.start();
  for (;;) {
    const int end = m_pending.indexOf('\n');
    if (end >= 0) {
      QByteArray bytes = m_pending.left(end);
      m_pending.remove(0, end + 1);
      bytes.replace('\r', QByteArray());
      bytes.replace('\x11', QByteArray());  // XON
      bytes.replace('\x13', QByteArray());  // XOFF
      *line = QString::fromLatin1(bytes);
      return true;
    }
    const qint64 left = kReplyTimeoutMs - timer.elapsed();
    if (left <= 0) return false;
    pollfd pfd{m_fd, POLLIN, 0};
    if (::poll(&pfd, 1, static_cast<int>(left)) <= 0) continue;
    char buffer[512];
    const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
    if (n > 0) m_pending.append(buffer, static_cast<int>(n));
  }
}

QStringList SimUnitLink::Exchange(const QString& command) {
  QStringList answers;
  if (m_fd < 0) return answers;
  const QByteArray bytes = command.toLatin1() + "\r\n";
  if (::write(m_fd, bytes.constData(), static_cast<size_t>(bytes.size())) != bytes.size()) {
    m_errors << QStringLiteral("write failed: ") + command;
    return answers;
  }
  QString line;
  // The echo first.
  do {
    if (!ReadLine(&line)) {
      m_errors << QStringLiteral("no echo: ") + command;
      return answers;
    }
  } while (line != command);
  if (!command.endsWith(QLatin1String(" ?"))) return answers;
  if (!ReadLine(&line)) {
    m_errors << QStringLiteral("no answer: ") + command;
    return answers;
  }
  answers << line;
  // A day program's entry list announces how many pairs of lines follow.
  static const QRegularExpression kEntries(QStringLiteral("^/CALENDAR/DAYPROG\\d+/ENTRIES (\\d+)$"));
  const QRegularExpressionMatch match = kEntries.match(line);
  const int more = match.hasMatch() ? 2 * match.captured(1).toInt() : 0;
  for (int i = 0; i < more; ++i) {
    if (!ReadLine(&line)) {
      m_errors << QStringLiteral("entry list cut short: ") + command;
      break;
    }
    answers << line;
  }
  return answers;
}

void SimUnitLink::SendDeviceCommand(const QString& command, const CSelvantisDoc* doc, bool bShorten) {
  // Every line goes out in full, for whichever document: the tests step one
  // document at a time and say through SetDocument where answers belong.
  (void)doc;
  (void)bShorten;
  for (const QString& answer : Exchange(command)) {
    if (m_doc != nullptr && answer.startsWith(QLatin1Char('/')) && m_mode != LINKMODE_DOWNLOAD) {
      QString errorFile;
      m_doc->RouteReplyLine(answer, errorFile, m_mode);
    }
  }
}

QString SimUnitLink::SendQuery(const QString& command) { return Exchange(command).join(QStringLiteral("\r\n")); }

QString SimUnitLink::SendAndRead(const QString& command, int delayMs) {
  (void)delayMs;
  return command + QStringLiteral("\r\n") + SendQuery(command);
}
