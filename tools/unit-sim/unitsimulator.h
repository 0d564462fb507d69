#ifndef SELV_TOOLS_UNITSIM_UNITSIMULATOR_H
#define SELV_TOOLS_UNITSIM_UNITSIMULATOR_H

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

#include <chrono>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

// A simulated central unit on a pseudo-terminal: test equipment, never part
// of the application. The application opens PtyPath() like any serial port.
//
// What it does with each line it receives (lines end at CR or LF):
//   - echoes it first, as received, followed by CR LF (the unit's "echo on");
//   - a line that starts with a blank is the previous line's path followed by
//     that text ("/AMP/ADR1/VOL 3" then " 5" sets "/AMP/ADR1/VOL" to 5);
//   - a line the sender left half-sent is part of the next one: the two are
//     one line ("/VI" then "/SERVICE/DEVID ?" is "/VI/SERVICE/DEVID ?"),
//     and a switch of the unit ("/MACRO/LOCK", "/PROTECT") takes only "ON"
//     or "OFF": anything else is answered "ERROR path" and changes nothing;
//   - a registered handler whose prefix matches the path takes the line;
//     otherwise the generic store does: "path value" stores the value,
//     "path ?" answers "path value", an unknown query answers "ERROR path",
//     a bare path is accepted without answer.
//
// Paced (SetPaced), it is as slow as the unit on its line: characters come
// off the wire at the line's rate (what the application has written and the
// wire has not yet carried waits in the pseudo-terminal), go into a receive
// buffer of kRxCapacity characters that the unit empties at the line's rate,
// and the unit sends XOFF when more than kXoffAt wait there and XON below
// kXonAt; while XOFF is in force and characters keep coming it repeats the
// XOFF now and then. What overflows the buffer is lost, as on a unit. It
// measures how well the application keeps to this (FlowStats).
//
// The simulator keeps its own time. When its thread gets no processor for a
// while, the wire, the unit and its output pause together and go on at the
// line's rate from the moment it runs again: the pseudo-terminal's buffer
// stands for the wire, and the simulator's own pause is never a burst. What
// the wire would have carried during such a pause of what waited there (the
// application's clock went on, and a real unit would have taken it) is
// excused: it counts neither as backlog, nor as coming after an XOFF, nor
// as lost. A pause of the application's own thread is measured as it is.
//
// It runs its own thread; every public method may be called from the test's
// thread. Handlers run on the simulator's thread.
class UnitSimulator final {
 public:
  struct Command {
    QString received;  // the line as it came, possibly shortened
    QString line;      // the full line
    QString path;      // text before the first blank
    QString value;     // text after the first blank ("?" for a query)
    bool IsQuery() const { return value == QLatin1String("?"); }
  };
  // Returns true when it took the command; appends answer lines (without
  // line end) to replies. It may read and change the store.
  using Handler = std::function<bool(UnitSimulator& sim, const Command& command, QStringList& replies)>;

  // One character at 19200 baud, 8N1.
  static constexpr std::chrono::microseconds kCharTime{521};

  // How the application kept to the unit's flow control (paced only).
  struct FlowStats {
    int xoffs = 0;         // XOFF sent for a full receive buffer
    int maxAfterXoff = 0;  // most characters that arrived after one XOFF before its XON
    int maxBacklog = 0;    // most characters written by the application and not yet off the wire
    int maxBuffered = 0;   // most characters in the receive buffer
    qint64 lost = 0;       // characters that overflowed the receive buffer
    qint64 heldMs = 0;     // time XOFF was in force (until its XON)
    qint64 pausedMs = 0;   // the simulator's own pauses while the line was in use
    qint64 excused = 0;    // characters the wire would have carried meanwhile
  };

  // The receive buffer and the unit's speed of work (paced only).
  struct Limits {
    int capacity = 2048;  // characters the receive buffer holds
    int xoffAbove = 256;  // XOFF when more than this wait
    int xonBelow = 64;    // XON when fewer wait again
    int msPerLine = 0;    // the unit's work on each line it takes
  };

  UnitSimulator();
  UnitSimulator(const UnitSimulator&) = delete;
  UnitSimulator& operator=(const UnitSimulator&) = delete;
  ~UnitSimulator();

  bool Start(QString* error = nullptr);
  void Stop();
  bool IsRunning() const;
  // The pseudo-terminal's slave path, e.g. "/dev/pts/4".
  QString PtyPath() const;

  // Commands whose path starts with prefix go to the handler; the longest
  // matching prefix wins. Register before Start or at any time.
  void RegisterHandler(const QString& prefix, Handler handler);

  // The generic store, by full path.
  void SetValue(const QString& path, const QString& value);
  QString Value(const QString& path) const;
  bool HasValue(const QString& path) const;
  void RemoveValue(const QString& path);
  QMap<QString, QString> Values() const;

  // Lines received so far, as received and expanded to full lines.
  QStringList ReceivedLines() const;
  QStringList FullLines() const;
  int ReceivedCount() const;
  void ClearLog();
  // Characters received (taken by the unit's command processor) and sent so
  // far (flow-control characters excluded).
  qint64 CharsReceived() const;
  qint64 CharsSent() const;
  // Characters that have come off the wire into the receive buffer (lost
  // ones included).
  qint64 CharsArrived() const;
  // Paced: characters the application wrote that wait on the wire, or
  // still in the kernel, only because the simulator itself paused (they
  // arrive later than a unit would have taken them).
  int WireLag() const;
  // Characters the application has written that the unit has not taken
  // yet: on their way in the terminal (the kernel's own buffers included),
  // on the wire or in the receive buffer. 0 once the unit has everything
  // a program that has ended wrote (a line it left half-sent is taken, and
  // waits for its end).
  int Untaken() const;
  FlowStats Flow() const;
  void ResetFlowStats();
  // Lines the unit dropped (SetDropEveryNthLine), as full lines.
  QStringList DroppedLines() const;

  // Knobs.
  // 19200 baud in both directions, with XON/XOFF when the receive buffer
  // fills, as the unit does. Off (the default) answers at once.
  void SetPaced(bool paced);
  // The line's rate when paced (8N1), 19200 unless set; the application must
  // use the same (profile "Settings").
  void SetLineRate(int baud);
  void SetEcho(bool echo);
  // Answers to commands whose path matches pattern wait ms first. A pattern
  // matches a path that starts with it; '*' stands for any text.
  void SetAnswerDelay(const QString& pattern, int ms);
  // Answers to commands whose path matches pattern are not sent (the echo
  // still is).
  void SetDropAnswers(const QString& pattern);
  void ClearFaults();
  // Every answer line goes out in two writes with a pause between them.
  void SetSplitReplies(bool split);
  // The unit goes on taking lines but sends nothing back: no echo, no
  // answer.
  void SetSilent(bool silent);
  // Every nth line received is lost: not taken, not echoed (0: none).
  void SetDropEveryNthLine(int n);
  // The next count lines received that are exactly line are lost: not
  // taken, not echoed (a line the unit got garbled on the wire).
  void LoseNext(const QString& line, int count = 1);
  // XOFF to the application and no more reading, as a unit whose buffer
  // is full; false sends XON and resumes.
  void SetStalled(bool stalled);
  // The unit takes count more lines (each echoed and answered), then
  // stalls as SetStalled(true) does; 0 cancels a stall still to come. A
  // test holds whoever uses the line at a point of its choosing.
  void StallAfter(int count);
  // A unit with another receive buffer or slower at its work (paced only).
  void SetLimits(const Limits& limits);
  Limits CurrentLimits() const;
  // The simulator's own thread gets no processor for ms, as on a busy
  // machine (for testing the simulator itself).
  void PauseThread(int ms);
  // The far end vanishes: the pseudo-terminal is closed.
  void HangUp();
  // Raw bytes to the application, after whatever is queued.
  void Inject(const QByteArray& bytes);
  // Takes lines as if the application had sent them, at once and without
  // echo or answer, and without logging them: a unit that already holds
  // what a download put there.
  void Preload(const QStringList& lines);

  // As strict as the unit's documentation: the families' handlers answer
  // "ERROR path" for a setting the unit never got, in place of a factory
  // default (what the unit reports of itself, such as its hardware, stays).
  void SetStrict(bool strict);
  bool IsStrict() const;
  // Queries whose path climbs out of a node ("/FUSE/../EVENT/PRIO_BOOT ?")
  // are answered with the path resolved ("/EVENT/PRIO_BOOT 50").
  void SetResolvedAnswers(bool resolved);
  bool ResolvedAnswers() const;

  // Receive buffer limits for the flow control of the paced mode.
  static constexpr int kXoffAt = 256;
  static constexpr int kXonAt = 64;
  static constexpr int kRxCapacity = 2048;
  // Paced: the unit takes no more input while this much of its output
  // waits to be sent.
  static constexpr int kOutBacklog = 512;

 private:
  using Clock = std::chrono::steady_clock;
  struct Chunk {
    QByteArray bytes;
    Clock::time_point notBefore;
  };
  struct Rule {
    QString pattern;
    int delayMs = 0;
  };

  void Run();
  void Wake();
  void ReadInput();
  // Paced: takes off the wire what it has carried by now.
  void ReadWire(Clock::time_point now);
  // Paced: the wire, the unit and its output up to now, in small steps.
  void Advance(Clock::time_point now);
  void TakeChar(char c, Clock::time_point now);
  void RepeatXoffWhileSent(Clock::time_point now);
  void SendXoff(Clock::time_point now);
  void ConsumeInput(Clock::time_point now);
  // Adds c to the line being assembled; true when it ended a line (which
  // was handled).
  bool TakeIntoLine(char c);
  // Paced: the simulator's thread got no processor for pause; everything
  // the unit's time drives goes on from now as if no time had passed.
  void PauseFor(Clock::duration pause);
  int Waiting() const;
  // Characters of the line between the unit's time now and the clock's.
  int LateChars(Clock::time_point now) const;
  // Forgets what our pauses held back once the wire has been idle a while.
  void ForgetDebtWhenIdle(int waiting, Clock::time_point now);
  bool OutputBacklogged() const;
  void HandleLine(const QByteArray& raw);
  void WriteOutput(Clock::time_point now);
  int WriteNow(const char* data, int size);
  void SendFlowChar(char c);
  void CloseFds();
  static bool Matches(const QString& pattern, const QString& path);
  void Enqueue(const QByteArray& bytes, Clock::time_point notBefore);

  mutable std::recursive_mutex m_mutex;
  std::thread m_thread;
  bool m_stop = false;
  bool m_running = false;
  int m_master = -1;
  int m_slave = -1;
  int m_wakeRead = -1;
  int m_wakeWrite = -1;
  QString m_ptyPath;

  std::vector<std::pair<QString, Handler>> m_handlers;
  QMap<QString, QString> m_store;
  QStringList m_received;
  QStringList m_full;
  QString m_lastPath;
  qint64 m_charsIn = 0;
  qint64 m_charsOut = 0;

  bool m_paced = false;
  std::chrono::nanoseconds m_charTime = kCharTime;
  bool m_echo = true;
  bool m_split = false;
  bool m_silent = false;
  bool m_preloading = false;
  int m_dropEvery = 0;
  int m_lineCount = 0;
  QString m_loseLine;
  int m_loseCount = 0;
  QStringList m_dropped;
  bool m_stalled = false;
  int m_stallAfter = 0;  // lines still taken before the stall, 0: none planned
  bool m_hangUp = false;
  bool m_strict = false;
  bool m_resolvedAnswers = false;
  std::vector<Rule> m_delays;
  std::vector<QString> m_drops;

  QByteArray m_rx;             // received, not yet taken by the unit
  QByteArray m_line;           // the line being assembled
  bool m_xoffSent = false;     // we asked the application to stop
  bool m_peerStopped = false;  // the application asked us to stop
  Clock::time_point m_lastXoff;
  Clock::time_point m_firstXoff;  // of the XOFF in force
  bool m_wireBusy = false;        // the wire carries characters
  Clock::time_point m_wireAt;     // when the wire's last character arrived
  qint64 m_arrived = 0;
  int m_afterXoff = 0;
  FlowStats m_flow;
  Limits m_limits;
  Clock::time_point m_plannedWake;                // paced: when the thread meant to run again
  int m_debt = 0;                                 // characters in the pseudo-terminal owed to our pauses
  int m_excuse = 0;                               // of them, those that come after the XOFF in force
  int m_pauseMs = 0;                              // PauseThread's request
  Clock::duration m_pauseCarry{};                 // of our pauses, less than a character's time
  std::optional<Clock::time_point> m_emptySince;  // the wire has had nothing to carry since
  Clock::time_point m_simNow;                     // paced: how far the unit's time has gone
  Clock::time_point m_nextIn;
  Clock::time_point m_nextOut;
  std::deque<Chunk> m_out;
};

#endif
