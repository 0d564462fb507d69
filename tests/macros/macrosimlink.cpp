#include "macrosimlink.h"

#include "macrohandlers.h"
#include "model/cselvantisdoc.h"
#include "unitsimulator.h"

#include <QElapsedTimer>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

MacroSimLink::MacroSimLink(CSelvantisDoc* doc)
    : m_doc(doc), m_sim(std::make_unique<UnitSimulator>()), m_scope(this) {
  RegisterMacroHandlers(*m_sim);
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

MacroSimLink::~MacroSimLink() {
  if (m_fd >= 0) ::close(m_fd);
  m_sim->Stop();
}

bool MacroSimLink::ReadLine(QString* line) {
  QElapsedTimer timer;
  timer.start();
  for (;;) {
    const int end = m_pending.indexOf('\n');
    if (end >= 0) {
      QByteArray bytes = m_pending.left(end);
      m_pending.remove(0, end + 1);
      bytes.replace('\r', QByteArray());
      bytes.replace('\x11', QByteArray());
      bytes.replace('\x13', QByteArray());
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

QStringList MacroSimLink::Exchange(const QString& command) {
  QStringList answers;
  if (m_fd < 0) return answers;
  const QByteArray bytes = command.toLatin1() + "\r\n";
  if (::write(m_fd, bytes.constData(), static_cast<size_t>(bytes.size())) != bytes.size()) {
    m_errors << QStringLiteral("write failed: ") + command;
    return answers;
  }
  QString line;
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
  return answers;
}

void MacroSimLink::SendDeviceCommand(const QString& command, const CSelvantisDoc*, bool) {
  for (const QString& answer : Exchange(command)) {
    if (m_doc && answer.startsWith(QLatin1Char('/')) && m_mode != 8) {
      QString errorFile;
      m_doc->RouteReplyLine(answer, errorFile, m_mode);
    }
  }
}

QString MacroSimLink::SendQuery(const QString& command) {
  return Exchange(command).join(QStringLiteral("\r\n"));
}

QString MacroSimLink::SendAndRead(const QString& command, int) {
  return command + QStringLiteral("\r\n") + SendQuery(command);
}
