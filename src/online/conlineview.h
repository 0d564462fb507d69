#ifndef SELV_ONLINE_CONLINEVIEW_H
#define SELV_ONLINE_CONLINEVIEW_H

#include "online/conlinepoll.h"

#include <QStringList>
#include <QWidget>

class CSelvantisDoc;

// The form of an on-line window: shows one part of the running unit. While
// the unit is connected a timer asks it for its live values at a fixed
// period (each tick sends one command list naming the view as reply
// target); the replies arrive in OnCommReply. The poll follows the
// connection: it stops when the line is lost and starts again when the unit
// is connected (also for a window opened off line), and the view hears of
// each change in OnLineChanged. When the view goes, the link returns to its
// resting mode, so later reply lines reach the project again. Owns nothing
// of the project.
class COnlineView : public QWidget {
  Q_OBJECT

 public:
  // Poll timer ids of the on-line windows.
  static constexpr int IDT_STATUS_POLL = 11;
  static constexpr int IDT_SECOND_TICK = 1000;

  COnlineView(CSelvantisDoc* doc, QWidget* parent);
  ~COnlineView() override;
  COnlineView(const COnlineView&) = delete;
  COnlineView& operator=(const COnlineView&) = delete;

  CSelvantisDoc* GetDocument() const { return m_doc; }

  // Fills the form from the project and starts polling when on line.
  // Called once by the frame.
  virtual void OnInitialUpdate() = 0;
  // One tick of the window's timer (timerId as started).
  void OnTimer(int timerId);
  // The poll of one tick.
  virtual void OnPoll() = 0;

  bool IsPolling() const { return m_poll.IsActive(); }
  int PollTimerId() const { return m_pollTimerId; }
  int PollPeriod() const { return m_poll.Period(); }

 public slots:
  // The reply lines of the last command list (every line received since it
  // was sent, so a line can come more than once).
  virtual void OnCommReply(int tag, const QStringList& lines) = 0;

 protected:
  // The window polls with this timer id and period whenever the unit is
  // connected; true when it polls now.
  bool StartPollTimer(int timerId, int periodMs);
  // The connection changed (the poll has followed it): a view brings its
  // own controls up to date.
  virtual void OnLineChanged(bool online) { (void)online; }

 private:
  CSelvantisDoc* m_doc;
  COnlinePoll m_poll;
  int m_pollTimerId = 0;
};

#endif
