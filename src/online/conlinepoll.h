#ifndef SELV_ONLINE_CONLINEPOLL_H
#define SELV_ONLINE_CONLINEPOLL_H

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>

class CSelvantisDoc;

// The poll of an on-line window: ticks at a fixed period while the window's
// document is connected. A lost line stops it at once; when the connection
// comes back (the user connects, or the program reconnects by itself) it
// starts again without the window doing anything. A window that asked for
// a poll while off line gets it as soon as the unit is connected. A tick
// whose command list the link refuses (a transfer holds the line) simply
// waits for the next one. Holds the document weakly.
class COnlinePoll final : public QObject {
  Q_OBJECT

 public:
  COnlinePoll(CSelvantisDoc* doc, std::function<void()> tick, QObject* parent = nullptr);
  COnlinePoll(const COnlinePoll&) = delete;
  COnlinePoll& operator=(const COnlinePoll&) = delete;

  // From now on the window wants a tick every periodMs; true when the
  // timer runs now (the document is connected).
  bool Start(int periodMs);
  // The window no longer wants ticks (until the next Start).
  void Stop();
  // The timer runs now.
  bool IsActive() const { return m_timer.isActive(); }
  // The window wants ticks (they run whenever the line is there).
  bool IsWanted() const { return m_wanted; }
  int Period() const { return m_period; }
  bool IsLineUp() const;

 signals:
  // The document's connection changed; the timer has already followed it.
  void lineChanged(bool online);

 private:
  void OnConnectedChanged(bool connected);

  QPointer<CSelvantisDoc> m_doc;
  std::function<void()> m_tick;
  QTimer m_timer;
  int m_period = 0;
  bool m_wanted = false;
};

#endif
