#ifndef SELV_LINK_CPROTOCOLMONITOR_H
#define SELV_LINK_CPROTOCOLMONITOR_H

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <deque>

// One line of the traffic with the unit.
struct MonitorEntry {
  enum Direction { Sent, Received, Note };
  quint64 serial = 0;  // counts from 1 over the monitor's life, never reused
  Direction direction = Sent;
  qint64 msecs = 0;  // since the monitor was made
  QString text;      // without line end; control characters as <hh>
};

// All traffic with the unit, in order and with its direction, for the
// protocol monitor window. Keeps the newest entries only (Capacity), so a
// long session does not grow without bound. Received data become entries
// line by line, each line whole: a line written or a note made while a
// received line is only partly in waits for nothing, and the received line
// follows as one entry when its end comes. A piece whose rest does not come
// within kPendingFlushMs (or that grows too long for one entry) is entered
// as it is.
class CProtocolMonitor final : public QObject {
  Q_OBJECT

 public:
  static constexpr int kDefaultCapacity = 5000;
  static constexpr int kMaxEntryChars = 256;
  static constexpr int kPendingFlushMs = 1000;

  explicit CProtocolMonitor(QObject* parent = nullptr);

  void AddSent(const QByteArray& bytes);
  void AddReceived(const QByteArray& bytes);
  // A remark of the program (connection lost, line error).
  void AddNote(const QString& text);
  void Clear();

  int Count() const { return static_cast<int>(m_entries.size()); }
  // Entry i of the kept ones, oldest first.
  const MonitorEntry& At(int i) const { return m_entries[static_cast<size_t>(i)]; }
  const std::deque<MonitorEntry>& Entries() const { return m_entries; }
  int Capacity() const { return m_capacity; }
  void SetCapacity(int capacity);
  // Every kept entry as text, one per line: "> " sent, "< " received, "! " note.
  QString ToText() const;

  // Control characters as <hh>, the rest as Latin-1.
  static QString Printable(const QByteArray& bytes);

 signals:
  void entryAdded(const MonitorEntry& entry);
  void cleared();

 private:
  void Add(MonitorEntry::Direction direction, const QString& text);
  void FlushReceived();

  std::deque<MonitorEntry> m_entries;
  int m_capacity = kDefaultCapacity;
  quint64 m_serial = 0;
  QByteArray m_rxPending;
  QTimer m_pendingFlush;
  QElapsedTimer m_clock;
};

Q_DECLARE_METATYPE(MonitorEntry)

#endif
