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
#include <thread>
#include <vector>

// A simulated central unit on a pseudo-terminal: test equipment, never part
// of the application. The application opens PtyPath() like any serial port.
//
// What it does with each line it receives (lines end at CR or LF):
//   - echoes it first, as received, followed by CR LF (the unit's "echo on");
//   - a line that starts with a blank is the previous line's path followed by
//     that text ("/AMP/ADR1/VOL 3" then " 5" sets "/AMP/ADR1/VOL" to 5);
//   - a registered handler whose prefix matches the path takes the line;
//     otherwise the generic store does: "path value" stores the value,
//     "path ?" answers "path value", an unknown query answers "ERROR path",
//     a bare path is accepted without answer.
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
  // Characters received and sent so far (flow-control characters excluded).
  qint64 CharsReceived() const;
  qint64 CharsSent() const;

  // Knobs.
  // 19200 baud in both directions, with XON/XOFF when the receive buffer
  // fills, as the unit does. Off (the default) answers at once.
  void SetPaced(bool paced);
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
  // XOFF to the application and no more reading, as a unit whose buffer
  // is full; false sends XON and resumes.
  void SetStalled(bool stalled);
  // The far end vanishes: the pseudo-terminal is closed.
  void HangUp();
  // Raw bytes to the application, after whatever is queued.
  void Inject(const QByteArray& bytes);

  // Receive buffer limits for the flow control of the paced mode.
  static constexpr int kXoffAt = 256;
  static constexpr int kXonAt = 64;
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
  void ConsumeInput(Clock::time_point now);
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
  bool m_echo = true;
  bool m_split = false;
  bool m_stalled = false;
  bool m_hangUp = false;
  std::vector<Rule> m_delays;
  std::vector<QString> m_drops;

  QByteArray m_rx;             // received, not yet taken by the unit
  QByteArray m_line;           // the line being assembled
  bool m_xoffSent = false;     // we asked the application to stop
  bool m_peerStopped = false;  // the application asked us to stop
  Clock::time_point m_nextIn;
  Clock::time_point m_nextOut;
  std::deque<Chunk> m_out;
};

#endif
