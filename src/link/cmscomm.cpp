#include "link/cmscomm.h"

#include "model/csystemerror.h"

#include <QLoggingCategory>
#include <QSerialPort>
#include <QStringList>

#include <linux/serial.h>
#include <sys/ioctl.h>

Q_LOGGING_CATEGORY(lcSerial, "selv.link.serial")

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

}  // namespace

CMSComm::CMSComm() : m_port(std::make_unique<QSerialPort>()) {
  QObject::connect(m_port.get(), &QSerialPort::readyRead, m_port.get(), [this] {
    CheckLineErrors();
    if (m_onReceive) m_onReceive();
  });
  QObject::connect(m_port.get(), &QSerialPort::errorOccurred, m_port.get(),
                   [this](QSerialPort::SerialPortError error) { OnError(static_cast<int>(error)); });
  QObject::connect(m_port.get(), &QSerialPort::bytesWritten, m_port.get(), [this](qint64) {
    if (m_port->bytesToWrite() == 0) m_txFullReported = false;
  });
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
  m_port->setPortName(portName);
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
  m_port->setFlowControl(QSerialPort::SoftwareControl);
  // A failed open is the caller's to report, with the system's reason that
  // the error handler would otherwise clear ("No error").
  m_opening = true;
  const bool opened = m_port->open(QIODevice::ReadWrite);
  m_opening = false;
  if (!opened) {
    if (error) *error = CSystemError::Translate(m_port->errorString());
    m_port->clearError();
    return false;
  }
  m_txFullReported = false;
  ReadLineErrorCounters(static_cast<int>(m_port->handle()), &m_frame, &m_parity, &m_overrun, &m_brk);
  return true;
}

void CMSComm::Close() {
  if (!m_port->isOpen()) return;
  m_closing = true;
  // No flush: what the driver holds still goes out, as the unit's last
  // lines at a disconnect must.
  m_port->close();
  m_port->clearError();
  m_closing = false;
}

bool CMSComm::IsOpen() const { return m_port->isOpen(); }

QString CMSComm::PortName() const { return m_port->portName(); }

bool CMSComm::Output(const QByteArray& bytes) {
  if (!m_port->isOpen()) return false;
  if (m_port->bytesToWrite() + bytes.size() > kOutBufferSize) {
    // Reported once until the buffer has drained again, not for every line.
    if (!m_txFullReported) {
      m_txFullReported = true;
      Report(QStringLiteral("TX full error"), false);
    }
    return false;
  }
  return m_port->write(bytes) == bytes.size();
}

QByteArray CMSComm::Input() {
  if (!m_port->isOpen()) return QByteArray();
  return m_port->readAll();
}

int CMSComm::InBufferCount() const { return m_port->isOpen() ? static_cast<int>(m_port->bytesAvailable()) : 0; }

int CMSComm::OutBufferCount() const {
  if (!m_port->isOpen()) return 0;
  qint64 count = m_port->bytesToWrite();
  // What the driver still holds counts too; a pseudo-terminal reports 0.
  int queued = 0;
  const int fd = static_cast<int>(m_port->handle());
  if (fd >= 0 && ioctl(fd, TIOCOUTQ, &queued) == 0 && queued > 0) count += queued;
  return static_cast<int>(qMin<qint64>(count, 0x7fffffff));
}

bool CMSComm::WaitForInput(int ms) {
  if (!m_port->isOpen()) return false;
  return m_port->waitForReadyRead(qMax(0, ms));
}

bool CMSComm::WaitForOutput(int ms) {
  if (!m_port->isOpen() || m_port->bytesToWrite() == 0) return false;
  return m_port->waitForBytesWritten(qMax(0, ms));
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
    case QSerialPort::ReadError:
    case QSerialPort::ResourceError: {
      qCWarning(lcSerial) << "port" << m_port->portName() << "lost:" << detail;
      Close();
      Report(error == QSerialPort::ReadError ? QStringLiteral("Read error") : QStringLiteral("Port lost"), true);
      return;
    }
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
