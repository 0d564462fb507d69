#ifndef SELV_ONLINE_CPENDINGLISTS_H
#define SELV_ONLINE_CPENDINGLISTS_H

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <deque>
#include <vector>

// The command lists an on-line window hands to the link (its Download or
// Upload), while a transfer may have the line. The link refuses a list
// then; the list waits and is handed again every kRetryMs once the line is
// free, until the link takes it, so that a click during a transfer is not
// lost and the window is never held. The lists go in the order they came;
// the same list is not queued twice while it waits. A list still waiting
// when the connection goes is given up, never sent to the unit connected
// next: the window says so (Drop).
class CPendingLists final : public QObject {
  Q_OBJECT

 public:
  static constexpr int kRetryMs = 200;

  // replyTarget gets the link's replies to the lists; countAll as the
  // link's SendCommandList takes it.
  CPendingLists(QObject* replyTarget, bool countAll, QObject* parent = nullptr);

  // Queues the lists and hands over now what the link takes.
  void Send(const std::vector<QStringList>& lists);
  bool HasPending() const { return !m_pending.empty(); }
  // The connection went: the waiting lists are given up. True when any
  // was waiting.
  bool Drop();

 private:
  // Hands the waiting lists over in order until the link refuses one.
  void SendWaiting();

  QPointer<QObject> m_target;
  bool m_countAll;
  std::deque<QStringList> m_pending;
  QTimer m_retry;
};

#endif
