#include "link/cmscomm.h"

#include "model/cfilename.h"
#include "model/csystemerror.h"

#include <QFileInfo>
#include <QLoggingCategory>
#include <QSerialPort>
#include <QSocketNotifier>
#include <QStringList>
#include <QTimer>

#include <linux/serial.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/timerfd.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstring>

Q_LOGGING_CATEGORY(lcSerial, "selv.link.serial", QtInfoMsg)

namespace {

// Counters of the driver's line errors (TIOCGICOUNT); false where the driver
// has none (a pseudo-terminal, for one).
bool ReadLineErrorCounters(int fd, int* frame, int* parity, int* overrun, int* brk) {
  serial_icounter_struct counters{};
  if (fd < 0 || ioctl(fd, TIOCGICOUNT, &counters) != 0) return false;
  *frame = counters.frame;
  *parity = counters.parity;
  *overrun = counters.overrun + counters.buf_overrun;
  *brk = counters.brk;
  return true;
}

// The unit's flow characters.
constexpr char kXon = 0x11;
constexpr char kXoff = 0x13;

// True when Qt's error text names no reason of the system.
bool NamesNoReason(const QString& text) {
  const QString t = text.trimmed();
  return t.isEmpty() || t == QLatin1String("Unknown error") || t == QLatin1String("No error");
}

}  // namespace

// The meter's rounds. A QTimer counts whole milliseconds, and on a fast line
// a slice is on the wire sooner: the rounds run on the system's timer,
// which counts microseconds, so that the line never waits for them. Where
// the system has none, a QTimer does.
class CMSComm::Rounds final {
 public:
  explicit Rounds(std::function<void()> round)
      : m_round(std::move(round)), m_fd(timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC)) {
    if (m_fd < 0) {
      m_fallback.setTimerType(Qt::PreciseTimer);
      QObject::connect(&m_fallback, &QTimer::timeout, &m_fallback, [this] { m_round(); });
      return;
    }
    m_notifier = std::make_unique<QSocketNotifier>(m_fd, QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(), [this] {
      uint64_t expired = 0;
      if (::read(m_fd, &expired, sizeof expired) > 0 && m_active) m_round();
    });
  }
  ~Rounds() {
    m_notifier.reset();
    if (m_fd >= 0) ::close(m_fd);
  }
  Rounds(const Rounds&) = delete;
  Rounds& operator=(const Rounds&) = delete;

  void SetInterval(int us) { m_us = qMax(1, us); }
  void Start() {
    m_active = true;
    if (m_fd < 0) {
      m_fallback.start(qMax(1, m_us / 1000));
      return;
    }
    const timespec every{m_us / 1000000, (m_us % 1000000) * 1000};
    const itimerspec spec{every, every};
    timerfd_settime(m_fd, 0, &spec, nullptr);
  }
  void Stop() {
    m_active = false;
    if (m_fd < 0) {
      m_fallback.stop();
      return;
    }
    const itimerspec off{};
    timerfd_settime(m_fd, 0, &off, nullptr);
  }
  bool IsActive() const { return m_active; }

 private:
  std::function<void()> m_round;
  int m_fd;
  std::unique_ptr<QSocketNotifier> m_notifier;
  QTimer m_fallback;
  int m_us = CMSComm::kPumpIntervalMs * 1000;
  bool m_active = false;
};

CMSComm::CMSComm() : m_port(std::make_unique<QSerialPort>()), m_pump(std::make_unique<Rounds>([this] { Pump(); })) {
  m_clock.start();
  QObject::connect(m_port.get(), &QSerialPort::readyRead, m_port.get(), [this] { OnReadyRead(); });
  QObject::connect(m_port.get(), &QSerialPort::errorOccurred, m_port.get(),
                   [this](QSerialPort::SerialPortError error) { OnError(static_cast<int>(error)); });
}

CMSComm::~CMSComm() {
  m_onReceive = nullptr;
  m_onError = nullptr;
  Close();
}

bool CMSComm::ParseSettings(const QString& text, LineSettings* out) {
  const QStringList parts = text.split(QLatin1Char(','));
  if (parts.size() != 4) return false;
  LineSettings s;
  bool ok = false;
  s.baud = parts[0].trimmed().toInt(&ok);
  if (!ok || s.baud <= 0) return false;
  const QString parity = parts[1].trimmed().toLower();
  if (parity.size() != 1 || !QStringLiteral("noems").contains(parity)) return false;
  s.parity = parity[0].toLatin1();
  s.dataBits = parts[2].trimmed().toInt(&ok);
  if (!ok || s.dataBits < 5 || s.dataBits > 8) return false;
  s.stopBits = parts[3].trimmed().toInt(&ok);
  if (!ok || (s.stopBits != 1 && s.stopBits != 2)) return false;
  *out = s;
  return true;
}

bool CMSComm::Open(const QString& portName, const QString& settings, QString* error) {
  Close();
  LineSettings s;
  if (!ParseSettings(settings, &s)) {
    if (error) *error = QStringLiteral("Invalid port settings \"%1\"").arg(settings);
    return false;
  }
  // The serial library takes a name as text and gives the system its UTF-8
  // form: a name with a byte that is not UTF-8 (a link named in Latin-1) is
  // opened by the device it leads to.
  QString device = portName;
  if (CFileName::HasRawBytes(portName)) {
    const QString resolved = CFileName::Resolved(portName);
    if (!resolved.isEmpty()) device = resolved;
  }
  // Before the open touches the line: another program's download must not
  // get this one's settings or lose its input to it.
  if (!m_lock.Take(device, error)) return false;
  m_port->setPortName(device);
  m_port->setBaudRate(s.baud);
  switch (s.parity) {
    case 'e': m_port->setParity(QSerialPort::EvenParity); break;
    case 'o': m_port->setParity(QSerialPort::OddParity); break;
    case 'm': m_port->setParity(QSerialPort::MarkParity); break;
    case 's': m_port->setParity(QSerialPort::SpaceParity); break;
    default: m_port->setParity(QSerialPort::NoParity); break;
  }
  m_port->setDataBits(static_cast<QSerialPort::DataBits>(s.dataBits));
  m_port->setStopBits(s.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
  // XON/XOFF from the unit are the program's to handle (see the class
  // comment); the driver's software flow control would also set IXANY.
  m_port->setFlowControl(QSerialPort::NoFlowControl);
  // A failed open is the caller's to report, with the system's reason that
  // the error handler would otherwise clear ("No error").
  m_opening = true;
  const bool opened = m_port->open(QIODevice::ReadWrite);
  m_opening = false;
  if (!opened) {
    if (error) *error = CSystemError::Translate(m_port->errorString());
    m_port->clearError();
    m_lock.Release();
    return false;
  }
  const int fd = static_cast<int>(m_port->handle());
  termios tio{};
  if (tcgetattr(fd, &tio) == 0) {
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXANY);
    tio.c_iflag |= IXOFF;
    tio.c_cc[VSTART] = kXon;
    tio.c_cc[VSTOP] = kXoff;
    if (tcsetattr(fd, TCSANOW, &tio) != 0)
      qCWarning(lcSerial) << "flow control of" << portName << "not set:" << strerror(errno);
  }
  m_txFullReported = false;
  m_input.clear();
  // A slice of the line may be on its way, at the most what a unit's
  // receive buffer must take beyond its XOFF mark.
  const int bitsPerChar = 1 + s.dataBits + (s.parity == 'n' ? 0 : 1) + s.stopBits;
  m_charsPerMs = static_cast<double>(s.baud) / bitsPerChar / 1000.0;
  m_budget = qBound(16, static_cast<int>(m_charsPerMs * kSliceMs), kMaxInFlight);
  // On a fast line a slice is on the wire before the next round would come:
  // a round every half slice, so that the line does not wait for them (a
  // transfer that waits for room waits for these rounds).
  m_pump->SetInterval(
      qBound(kShortestRoundUs, static_cast<int>(m_budget / m_charsPerMs * 500.0), kPumpIntervalMs * 1000));
  m_pending.clear();
  m_midLine = false;
  m_inFlight = 0;
  m_meterTime = m_clock.elapsed();
  m_held = false;
  // An XOFF left over from an earlier session must not hold this one.
  ReleaseLine();
  ReadLineErrorCounters(static_cast<int>(m_port->handle()), &m_frame, &m_parity, &m_overrun, &m_brk);
  return true;
}

void CMSComm::Close() {
  if (!m_port->isOpen()) {
    m_lock.Release();
    return;
  }
  m_closing = true;
  // No flush: what the driver holds still goes out, as the unit's last
  // lines at a disconnect must (the caller waits for the port's own
  // buffer to drain first).
  m_pump->Stop();
  m_pending.clear();
  m_input.clear();
  // A driver told to stop would keep the close waiting for output the
  // unit does not take: what it still holds for a holding unit is dropped.
  const int fd = static_cast<int>(m_port->handle());
  if (m_held && fd >= 0) tcflush(fd, TCOFLUSH);
  SetHeld(false);
  DriverFlow(false);
  m_inFlight = 0;
  m_port->close();
  m_port->clearError();
  m_lock.Release();
  m_closing = false;
}

bool CMSComm::IsOpen() const { return m_port->isOpen(); }

QString CMSComm::PortName() const { return m_port->portName(); }

bool CMSComm::Output(const QByteArray& bytes) {
  if (!m_port->isOpen()) return false;
  if (m_pending.size() + bytes.size() > kOutBufferSize) {
    // Reported once until the buffer has drained again, not for every line.
    if (!m_txFullReported) {
      m_txFullReported = true;
      Report(QStringLiteral("TX full error"), false);
    }
    return false;
  }
  m_pending.append(bytes);
  if (!Pump()) return false;
  if (!m_pending.isEmpty() && !m_pump->IsActive()) m_pump->Start();
  return true;
}

double CMSComm::InFlight() const {
  if (m_held) return m_inFlight;
  const double gone = static_cast<double>(m_clock.elapsed() - m_meterTime) * m_charsPerMs;
  return qMax(0.0, m_inFlight - gone);
}

void CMSComm::SetHeld(bool held) {
  if (m_held == held) return;
  // The meter stands while the line is held: what was on its way stays
  // counted until the unit takes data again.
  m_inFlight = InFlight();
  m_meterTime = m_clock.elapsed();
  m_held = held;
  DriverFlow(held);
  qCDebug(lcSerial) << "line" << (held ? "held by the far end (XOFF)" : "released");
  if (m_onHold) m_onHold(held);
  if (!held && !m_pending.isEmpty() && m_port->isOpen() && !m_pump->IsActive()) m_pump->Start();
}

void CMSComm::DriverFlow(bool stop) {
  const int fd = static_cast<int>(m_port->handle());
  if (fd >= 0 && m_port->isOpen()) tcflow(fd, stop ? TCOOFF : TCOON);
}

void CMSComm::OnReadyRead() {
  CheckLineErrors();
  TakeReceived();
  if (!m_input.isEmpty() && m_onReceive) m_onReceive();
  // A receiver that showed a message box ran the event loop inside this
  // call: what came meanwhile (answers, an XON) waits in the port's buffer,
  // and the port does not announce it again.
  if (m_port->isOpen() && m_port->bytesAvailable() > 0)
    QMetaObject::invokeMethod(
        m_port.get(), [this] { OnReadyRead(); }, Qt::QueuedConnection);
  // What came has been read (an XOFF among it acted on): the meter may
  // write the next slice at once rather than at its next round.
  if (!m_pending.isEmpty() && m_port->isOpen()) Pump();
}

bool CMSComm::TakeReceived() {
  if (!m_port->isOpen()) return false;
  const QByteArray raw = m_port->readAll();
  bool data = false;
  int from = 0;
  for (int i = 0; i < raw.size(); ++i) {
    const char c = raw[i];
    if (c != kXoff && c != kXon) continue;
    if (i > from) {
      m_input.append(raw.constData() + from, i - from);
      data = true;
    }
    from = i + 1;
    // Each in its order: an XOFF after an XON holds, whatever came between.
    SetHeld(c == kXoff);
  }
  if (from < raw.size()) {
    m_input.append(raw.constData() + from, raw.size() - from);
    data = true;
  }
  return data;
}

bool CMSComm::Pump() {
  if (!m_port->isOpen()) {
    m_pump->Stop();
    return false;
  }
  // The meter moves on only while the line is free.
  m_inFlight = InFlight();
  m_meterTime = m_clock.elapsed();
  const int room = m_budget - static_cast<int>(std::ceil(m_inFlight));
  if (m_pending.isEmpty()) {
    m_pump->Stop();
    m_txFullReported = false;
    return true;
  }
  if (m_held || room <= 0) return true;
  const int fd = static_cast<int>(m_port->handle());
  // Input not yet read may hold the unit's XOFF: it is read first (the
  // reader comes before the next round of the meter).
  int unread = 0;
  if (ioctl(fd, FIONREAD, &unread) == 0 && unread > 0) return true;
  const ssize_t n = ::write(fd, m_pending.constData(), static_cast<size_t>(qMin<qsizetype>(room, m_pending.size())));
  if (n > 0) {
    m_midLine = m_pending[static_cast<int>(n) - 1] != '\n';
    m_pending.remove(0, n);
    m_inFlight += static_cast<double>(n);
    if (m_pending.isEmpty()) {
      m_pump->Stop();
      m_txFullReported = false;
    }
    return true;
  }
  // A full driver takes nothing for now; the meter tries again.
  if (n == 0 || errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) return true;
  const int code = errno;
  if (code == EIO || code == ENXIO || code == ENODEV || code == EBADF || code == EPIPE) {
    Lost(CSystemError::Text(code));
    return false;
  }
  qCWarning(lcSerial) << "write on" << m_port->portName() << "failed:" << strerror(code);
  Report(QStringLiteral("Write error"), false);
  return true;
}

void CMSComm::ReleaseLine() {
  if (!m_port->isOpen()) return;
  // What the unit still sends is read first: an XOFF already on its way
  // belongs to before the release.
  TakeReceived();
  SetHeld(false);
  DriverFlow(false);
  if (!m_input.isEmpty() && m_onReceive) m_onReceive();
  if (m_port->isOpen()) Pump();
}

int CMSComm::DiscardQueued() {
  // The head of the queue may be the rest of a line the driver has begun:
  // it goes out whole.
  const int lineEnd = m_midLine ? static_cast<int>(m_pending.indexOf('\n')) : -1;
  const int keep = !m_midLine ? 0 : lineEnd < 0 ? static_cast<int>(m_pending.size()) : lineEnd + 1;
  const int dropped = static_cast<int>(m_pending.size()) - keep;
  m_pending.truncate(keep);
  if (m_pending.isEmpty()) m_txFullReported = false;
  return dropped;
}

bool CMSComm::PortGone() const {
  const int fd = static_cast<int>(m_port->handle());
  if (fd < 0) return true;
  pollfd p{fd, POLLIN, 0};
  if (poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) return true;
  // A device that was removed leaves no node behind.
  const QString name = m_port->portName();
  const QString path = name.startsWith(QLatin1Char('/')) ? name : QStringLiteral("/dev/") + name;
  return !QFileInfo::exists(path);
}

QString CMSComm::LostReason() const {
  const QString name = m_port->portName();
  const QString path = name.startsWith(QLatin1Char('/')) ? name : QStringLiteral("/dev/") + name;
  if (!QFileInfo::exists(path)) return CSystemError::Text(ENODEV);
  const QString said = m_port->errorString();
  return NamesNoReason(said) ? CSystemError::Text(EIO) : CSystemError::Translate(said);
}

void CMSComm::Lost(const QString& text) {
  qCWarning(lcSerial) << "port" << m_port->portName() << "lost:" << text;
  Close();
  Report(text, true);
}

QByteArray CMSComm::Input() {
  if (!m_port->isOpen()) return QByteArray();
  TakeReceived();
  QByteArray input;
  input.swap(m_input);
  return input;
}

int CMSComm::InBufferCount() const {
  return m_port->isOpen() ? static_cast<int>(m_input.size() + m_port->bytesAvailable()) : 0;
}

int CMSComm::OutBufferCount() const {
  if (!m_port->isOpen()) return 0;
  // What the meter says is still on its way, or what the driver says it
  // holds where it can tell (a pseudo-terminal cannot), whichever is more.
  int queued = 0;
  const int fd = static_cast<int>(m_port->handle());
  if (fd < 0 || ioctl(fd, TIOCOUTQ, &queued) != 0) queued = 0;
  const qint64 count =
      m_pending.size() + m_port->bytesToWrite() + qMax<qint64>(queued, static_cast<qint64>(std::ceil(InFlight())));
  return static_cast<int>(qMin<qint64>(count, 0x7fffffff));
}

bool CMSComm::WaitForInput(int ms) {
  if (!m_port->isOpen()) return false;
  // Queued output goes on leaving meanwhile.
  QElapsedTimer timer;
  timer.start();
  for (;;) {
    if (!Pump()) return false;
    const qint64 left = ms - timer.elapsed();
    const int slice = m_pending.isEmpty() ? static_cast<int>(qMax<qint64>(0, left))
                                          : static_cast<int>(qBound<qint64>(0, left, qint64{kPumpIntervalMs}));
    if (m_port->waitForReadyRead(slice)) return true;
    if (!m_port->isOpen()) return false;
    if (timer.elapsed() >= ms) return false;
  }
}

bool CMSComm::WaitForOutput(int ms) {
  if (!m_port->isOpen()) return false;
  const int before = OutBufferCount();
  if (before == 0) return false;
  QElapsedTimer timer;
  timer.start();
  do {
    if (!Pump()) return false;
    if (OutBufferCount() < before) return true;
    // Reads what comes meanwhile (an XOFF or XON among it), which the
    // meter needs before it writes more.
    m_port->waitForReadyRead(2);
    if (!m_port->isOpen()) return false;
  } while (timer.elapsed() < ms);
  return false;
}

void CMSComm::SetHandlers(ReceiveHandler onReceive, ErrorHandler onError) {
  m_onReceive = std::move(onReceive);
  m_onError = std::move(onError);
}

void CMSComm::CheckLineErrors() {
  int frame = 0, parity = 0, overrun = 0, brk = 0;
  if (!ReadLineErrorCounters(static_cast<int>(m_port->handle()), &frame, &parity, &overrun, &brk)) return;
  if (frame > m_frame) Report(QStringLiteral("Framing error"), false);
  if (parity > m_parity) Report(QStringLiteral("Parity error"), false);
  if (overrun > m_overrun) Report(QStringLiteral("Receive overrun error"), false);
  if (brk > m_brk) Report(QStringLiteral("Break detected"), false);
  m_frame = frame;
  m_parity = parity;
  m_overrun = overrun;
  m_brk = brk;
}

void CMSComm::OnError(int code) {
  const auto error = static_cast<QSerialPort::SerialPortError>(code);
  if (error == QSerialPort::NoError || m_closing || m_opening) return;
  const QString detail = m_port->errorString();
  switch (error) {
    case QSerialPort::UnsupportedOperationError:
      // Modem-line and similar calls that a pseudo-terminal refuses.
      qCDebug(lcSerial) << "unsupported operation on" << m_port->portName() << detail;
      m_port->clearError();
      return;
    case QSerialPort::TimeoutError:
      // A wait that ran out: the caller decides.
      m_port->clearError();
      return;
    case QSerialPort::ReadError: Lost(LostReason()); return;
    case QSerialPort::ResourceError:
      // Also what a held line or a busy driver reports ("Resource
      // temporarily unavailable"): only a port that has gone ends the
      // connection.
      if (PortGone()) {
        Lost(LostReason());
        return;
      }
      qCInfo(lcSerial) << "passing condition on" << m_port->portName() << detail;
      m_port->clearError();
      return;
    case QSerialPort::WriteError:
      m_port->clearError();
      Report(QStringLiteral("Write error"), false);
      return;
    default:
      m_port->clearError();
      Report(detail.isEmpty() ? QStringLiteral("Port error") : detail, false);
      return;
  }
}

void CMSComm::Report(const QString& text, bool closed) {
  qCInfo(lcSerial) << "serial error:" << text << (closed ? "(port closed)" : "");
  if (m_onError) m_onError(text, closed);
}
