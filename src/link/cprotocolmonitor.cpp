#include "link/cprotocolmonitor.h"

#include "model/ctext.h"

CProtocolMonitor::CProtocolMonitor(QObject* parent) : QObject(parent) {
  qRegisterMetaType<MonitorEntry>();
  m_pendingFlush.setSingleShot(true);
  m_pendingFlush.setInterval(kPendingFlushMs);
  connect(&m_pendingFlush, &QTimer::timeout, this, &CProtocolMonitor::FlushReceived);
  m_clock.start();
}

QString CProtocolMonitor::Printable(const QByteArray& bytes) {
  QString text;
  text.reserve(bytes.size());
  for (char c : bytes) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7f)
      text += Fmt("<%02x>", u);
    else
      text += QChar(u);
  }
  return text;
}

void CProtocolMonitor::AddSent(const QByteArray& bytes) {
  int start = 0;
  while (start < bytes.size()) {
    int end = start;
    while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n') ++end;
    if (end > start) Add(MonitorEntry::Sent, Printable(bytes.mid(start, end - start)));
    start = end + 1;
  }
}

void CProtocolMonitor::AddReceived(const QByteArray& bytes) {
  for (char c : bytes) {
    if (c == '\r' || c == '\n') {
      FlushReceived();
    } else {
      m_rxPending.append(c);
      if (m_rxPending.size() >= kMaxEntryChars) FlushReceived();
    }
  }
  if (!m_rxPending.isEmpty()) m_pendingFlush.start();
}

void CProtocolMonitor::AddNote(const QString& text) { Add(MonitorEntry::Note, text); }

void CProtocolMonitor::FlushReceived() {
  m_pendingFlush.stop();
  if (m_rxPending.isEmpty()) return;
  const QByteArray pending = m_rxPending;
  m_rxPending.clear();
  Add(MonitorEntry::Received, Printable(pending));
}

void CProtocolMonitor::Add(MonitorEntry::Direction direction, const QString& text) {
  MonitorEntry entry;
  entry.serial = ++m_serial;
  entry.direction = direction;
  entry.msecs = m_clock.elapsed();
  entry.text = text;
  m_entries.push_back(entry);
  while (static_cast<int>(m_entries.size()) > m_capacity) m_entries.pop_front();
  emit entryAdded(entry);
}

void CProtocolMonitor::Clear() {
  m_entries.clear();
  m_rxPending.clear();
  m_pendingFlush.stop();
  emit cleared();
}

void CProtocolMonitor::SetCapacity(int capacity) {
  m_capacity = qMax(1, capacity);
  while (static_cast<int>(m_entries.size()) > m_capacity) m_entries.pop_front();
}

QString CProtocolMonitor::ToText() const {
  QString text;
  for (const MonitorEntry& entry : m_entries) {
    text += entry.direction == MonitorEntry::Sent       ? QStringLiteral("> ")
            : entry.direction == MonitorEntry::Received ? QStringLiteral("< ")
                                                        : QStringLiteral("! ");
    text += entry.text;
    text += QLatin1Char('\n');
  }
  return text;
}
