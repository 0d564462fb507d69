#ifndef SELV_LINK_CSIGNALWATCH_H
#define SELV_LINK_CSIGNALWATCH_H

#include <QObject>
#include <QString>

class QSocketNotifier;

// Catches SIGINT, SIGTERM and SIGHUP for as long as it lives, so that the
// program can end what it does with the unit properly (a Ctrl+C, a kill, a
// closed terminal, a desktop's logout). The handler itself only writes the
// signal's number into a pipe; the watch reads it from the event loop
// (signalled) or when asked (Caught), never in the handler; only a second
// signal, where asked for (EndOnSecondSignal), ends the program from the
// handler. One watch at a time; the previous handlers come back when it
// goes.
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

  // From now on a second signal ends the program at once, in the handler
  // itself, with exit status status, after writing the last words to the
  // error output: the user cuts short an ending that waits on the unit (a
  // line it holds). Nothing else runs then: the words must say what the
  // unit may still have.
  void EndOnSecondSignal(int status);
  // What the handler writes then (the system's encoding, line end
  // included, at most kLastWordsBytes); the last one set counts.
  void SetLastWords(const QByteArray& text);
  static constexpr int kLastWordsBytes = 1024;

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
