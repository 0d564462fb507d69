#ifndef SELV_ONLINE_CONLINEVIEW_H
#define SELV_ONLINE_CONLINEVIEW_H

#include <QStringList>
#include <QTimer>
#include <QWidget>

class CSelvantisDoc;

// The form of an on-line window: shows one part of the running unit. While
// the unit is on line when the form is set up, a timer asks the unit for its
// live values at a fixed period (each tick sends one command list naming
// the view as reply target); the replies arrive in OnCommReply. A window
// opened off line never polls. When the view goes, the link returns to its
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

  bool IsPolling() const { return m_pollTimer.isActive(); }
  int PollTimerId() const { return m_pollTimerId; }
  int PollPeriod() const { return m_pollTimer.interval(); }

 public slots:
  // The reply lines of the last command list (every line received since it
  // was sent, so a line can come more than once).
  virtual void OnCommReply(int tag, const QStringList& lines) = 0;

 protected:
  // Starts the window's timer; only when the unit is on line now.
  bool StartPollTimer(int timerId, int periodMs);

 private:
  CSelvantisDoc* m_doc;
  QTimer m_pollTimer;
  int m_pollTimerId = 0;
};

#endif
