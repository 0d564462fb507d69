#ifndef SELV_LINK_CSIGNALWATCH_H
#define SELV_LINK_CSIGNALWATCH_H

#include <QObject>
#include <QString>

class QSocketNotifier;

// Catches SIGINT, SIGTERM and SIGHUP for as long as it lives, so that the
// program can end what it does with the unit properly (a Ctrl+C, a kill, a
// closed terminal, a desktop's logout). The handler itself only writes the
// signal's number into a pipe; the watch reads it from the event loop
// (signalled) or when asked (Caught), never in the handler. One watch at a
// time; the previous handlers come back when it goes.
class CSignalWatch final : public QObject {
  Q_OBJECT

 public:
  explicit CSignalWatch(QObject* parent = nullptr);
  CSignalWatch(const CSignalWatch&) = delete;
  CSignalWatch& operator=(const CSignalWatch&) = delete;
  ~CSignalWatch() override;

  // False when the signals could not be caught (another watch lives, no
  // pipe).
  bool IsWatching() const noexcept { return m_watching; }
  // The first signal caught so far (0: none), reading what waits in the
  // pipe first (signalled is emitted for it then).
  int Caught();
  // "SIGTERM" for SIGTERM.
  static QString NameOf(int signalNumber);

 signals:
  // Once per signal caught, from the event loop or from Caught().
  void signalled(int signalNumber);

 private:
  // Reads the pipe and emits signalled for each signal in it.
  void Drain();

  bool m_watching = false;
  int m_caught = 0;
  QSocketNotifier* m_notifier = nullptr;
};

#endif
