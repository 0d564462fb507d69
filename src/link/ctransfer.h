#ifndef SELV_LINK_CTRANSFER_H
#define SELV_LINK_CTRANSFER_H

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class CBaseDevice;
class CSelvantisDoc;
class IDeviceLink;

// Runs downloads and uploads over the installed device link: one object, a
// range of a container's steps, a whole project, or the lines of a command
// file. A download runs in LINKMODE_DOWNLOAD (the unit's macros locked;
// SetDownloadLinkMode may choose LINKMODE_NONE), an upload in LINKMODE_UPLOAD
// after the project's error file has been prepared. Every transfer starts
// from a released line (a stray XOFF of the unit must not hold it). The
// object's Download is stepped from the first step to its count, a step
// repeated while the output buffer is full or too many lines wait for the
// unit (kMaxOwedLines), events processed in between.
//
// What counts is what the unit confirms, where the link can tell
// (IDeviceLink::ConfirmsLines, CountsAnswers): a download is Done only when
// the unit has echoed every line, an upload only when every query has its
// answer. Progress is reported in those: lines echoed out of the lines the
// download sends (known from a dry run of its steps before it starts),
// answers out of the queries the upload asks (a dry run on a copy of the
// project; the count grows when an object asks more than it did there). A
// link that confirms nothing falls back on steps and a quiet line.
//
// No progress for NoProgressTimeoutMs (5 s) ends a transfer. While a
// download's lines are owed their echo, only an echo (or an answer) is
// progress; while an upload's queries are owed answers, only an answer (or
// an "ERROR" for a queried path) is: the echoes of its queries show that
// the unit is there, not that it answers. While nothing is owed, any
// character that leaves or comes is. Endings that are not Done: Canceled,
// NoProgress, LinkLost, Unanswered (an upload's queries without answers),
// Unconfirmed (a download's lines without echoes, also a line lost in the
// middle), Refused (the unit answered "ERROR path" to lines of a download).
// Every ending puts the link back into LINKMODE_NORMAL and waits, up to the
// no-progress limit, until the unit has taken the "/MACRO/LOCK OFF" of a
// download; one that is not Done first drops what still waits in the
// link's own buffer, so the unit stops getting lines within about half a
// second of the line, and ends a line the unit may hold in part. A
// whole-project upload that is not Done leaves the project as it was
// before. Then the end handler runs (the progress dialog goes) and one
// message says how the transfer ended and what it left behind, also the
// loss of the connection with the system's reason and a unit that may
// still be locked.
//
// The transfer has the line for its run (IDeviceLink::TakeLine) and
// carries its token only around its own calls (the mode changes, each
// step, its closing): no window sends or changes the mode in between, not
// even from the transfer's progress handler or while the transfer waits
// for the unit. One transfer at a time: a second one is refused while one
// runs, and none starts during the connection's closing. Whether a
// transfer runs is the line's use (CurrentLineUse), whoever started it
// (the main window, the key view, the command line); IsRunning() reads it,
// and CTransferNotifier tells when it changes. A transfer runs from the
// moment it has the line until its end message has been answered; it
// gives the line back once its closing lines are out, so that the
// connection may close (Disconnect) while that message is still up. While
// it waits for the unit it sleeps until the port (or the clock, kIdleMs)
// has news.
//
// The messages the objects show during a transfer (an upload's differences)
// wait for the user: the transfer's clocks stand still while one is up, and
// what the unit sent meanwhile counts once it has been answered. A transfer
// cancelled while such a message is up (a signal to end the program) sends
// its closing lines at once and gives the line back; it unwinds when the message
// has been answered. A cancelled transfer does not wait for a line the unit
// holds: its unlock goes when the unit takes data again, and the message
// says so.
class CTransfer final : public QObject {
  Q_OBJECT

 public:
  enum class Result {
    Done,
    Canceled,
    NoProgress,  // the unit took no data / sent no awaited answer
    LinkLost,
    Busy,  // another transfer runs
    NotConnected,
    Failed,       // the document went away, a file could not be read
    Unanswered,   // an upload's queries stayed unanswered
    Unconfirmed,  // a download's lines were not all echoed by the unit
    Refused       // the unit answered "ERROR path" to lines of a download
  };

  // Steps [firstStep, endStep) of an object; endStep -1: to the count that
  // Download(bQuery, countStep) returns.
  struct Item {
    CBaseDevice* object = nullptr;
    int firstStep = 0;
    int endStep = -1;
    int countStep = -1;
  };

  static constexpr int kDefaultNoProgressMs = 5000;
  // The line must have been quiet this long before a transfer ends.
  static constexpr int kQuietMs = 1000;
  // Steps wait while the output buffer holds this much.
  static constexpr int kOutBufferLimit = 512;
  // Steps wait while this many lines are owed their echo or answer: a unit
  // that stops replying does not get the rest of the project poured into
  // it. A healthy line never comes near it: what is on its way and in the
  // unit's buffers is at most about 1,300 characters, some 330 of the
  // shortest lines (" 1").
  static constexpr int kMaxOwedLines = 600;
  // A transfer waiting for the unit looks again after this long at the
  // latest, when nothing has happened on the line.
  static constexpr int kIdleMs = 10;

  // link null: the installed link (GetDeviceLink) at the time of the run.
  explicit CTransfer(IDeviceLink* link = nullptr, QObject* parent = nullptr);
  ~CTransfer() override;

  Result DownloadObject(CBaseDevice& object);
  Result UploadObject(CBaseDevice& object);
  // Every object of the project, lists 1 to 16 in list order. An upload
  // that does not complete leaves the project as it was before.
  Result DownloadProject(CSelvantisDoc& doc);
  Result UploadProject(CSelvantisDoc& doc);
  // The general form.
  Result Run(bool bUpload, std::vector<Item> items, CSelvantisDoc* doc, bool restoreOnFailure = false);
  // Lines sent one by one as the output buffer has room, in the download's
  // link mode.
  Result SendLines(const QStringList& lines);
  // A command text file (".txt"), line by line.
  Result SendCommandFile(const QString& path);

  void Cancel();
  bool IsCanceled() const { return m_canceled; }
  // A transfer runs (of any driver): from its start to the answer to its
  // end message. The installed link's use of the line is Transfer.
  static bool IsRunning();
  // Cancels the transfer that runs on the installed link, if any (a signal
  // to end the program).
  static void CancelRunning();

  // done out of total: lines the unit has echoed (download) or answers that
  // came (upload), or steps where the link cannot tell.
  using ProgressHandler = std::function<void(int done, int total)>;
  void SetProgressHandler(ProgressHandler handler) { m_progress = std::move(handler); }
  // Runs once when a transfer has ended, before its message is shown (the
  // progress dialog closes there).
  void SetEndHandler(std::function<void()> handler) { m_onEnd = std::move(handler); }
  int NoProgressTimeoutMs() const { return m_noProgressMs; }
  void SetNoProgressTimeoutMs(int ms) { m_noProgressMs = ms > 0 ? ms : kDefaultNoProgressMs; }

  // The message shown for a result ("" for none).
  static QString ResultMessage(Result result, bool restored);
  // The caller closes the connection as soon as the transfer has ended and
  // says itself what the unit kept then (the command line): the end message
  // leaves out a unit that may still be locked, and the open connection.
  void SetCallerCloses(bool closes) { m_callerCloses = closes; }
  // The link mode of a download: LINKMODE_DOWNLOAD (the default, the unit's
  // macros locked) or LINKMODE_NONE (no lock, replies only to the monitor).
  void SetDownloadLinkMode(int mode) { m_downloadMode = mode; }
  // After a transfer ended Unanswered: how many queries had no answer and
  // the path of the first.
  int Unanswered() const { return m_unanswered; }
  const QString& FirstUnanswered() const { return m_firstUnanswered; }
  // After a download ended Unconfirmed: how many lines the unit did not
  // echo and the path of the first.
  int Unconfirmed() const { return m_unconfirmed; }
  const QString& FirstUnconfirmed() const { return m_firstUnconfirmed; }
  // After a download ended Refused (or Unconfirmed with refusals): how many
  // lines the unit refused and the path of the first.
  int Refused() const { return m_refused; }
  const QString& FirstRefused() const { return m_firstRefused; }
  // The unit took the closing of the last run ("/MACRO/LOCK OFF" after a
  // download); false when it may still have its macros locked.
  bool Closed() const { return m_closed; }
  // The last run took every step of every object: all its lines or queries
  // went out, whatever came back (an upload that ended Unanswered may still
  // have asked everything).
  bool AllStepped() const { return m_allStepped; }

 signals:
  void progress(int done, int total);

 private:
  // The line and the run, from the start to the closing lines (ctransfer.cpp).
  class Line;
  // A clock that stands still while the user answers a message box.
  class Clock final {
   public:
    void Start();
    void Invalidate() { m_clock.invalidate(); }
    bool IsValid() const { return m_clock.isValid(); }
    qint64 Elapsed() const;

   private:
    QElapsedTimer m_clock;
    qint64 m_answeredAtStart = 0;
  };

  // One run of steps; step(s) returns the next step, s again when it could
  // not send, or -1 to end. expected: the lines (download) or queries
  // (upload) its dry run sent, -1 when unknown.
  struct Job {
    std::function<int(int)> step;
    std::function<bool()> alive;
    int first = 0;
    int end = 0;
    int expected = -1;
  };

  IDeviceLink& Link() const;
  // A transfer that does not start: the end handler runs, the box says
  // text, and the result goes back.
  Result Unstarted(Result result, const QString& text, uint32_t style);
  // Busy or NotConnected (said as Unstarted) when the transfer cannot take
  // the line now; Done when it can.
  Result Refuse();
  Result Execute(int mode, std::vector<Job>& jobs, CSelvantisDoc* doc, bool restoreOnFailure);
  Result Steps(std::vector<Job>& jobs);
  Result WaitQuiet();
  Result WaitAnswers();
  void Idle();
  // Lines (download) or queries (upload) each item sends, by a dry run:
  // a download on the objects themselves (their steps only send), an upload
  // on a copy of the project (its steps change what they upload into).
  void Estimate(bool bUpload, const std::vector<Item>& items, CSelvantisDoc* doc, std::vector<Job>& jobs) const;
  // The message box text of a run that ended with result.
  QString EndMessage(Result result, int mode, bool restored, const QString& lossReason) const;
  // Lines owed an echo or an answer.
  int Owed() const;
  // The end of the run on the line: what waits in the link's own buffer is
  // dropped when stopped, the link goes back to LINKMODE_NORMAL (the unlock
  // after a download) and the line is given back. Once per run; m_closed
  // then says whether the unit took it.
  void CloseLine(bool stopped);
  // Where the unit may still be locked: in the end message's words.
  QString UnclosedText() const;

  // The no-progress clock. While lines are owed an echo or an answer only
  // those count; while nothing is owed, output that left, input that came
  // or a step that went on do.
  class Liveness {
   public:
    explicit Liveness(CTransfer& transfer);
    // Milliseconds since the last sign of life.
    qint64 Check(bool stepped = false);

   private:
    CTransfer& m_transfer;
    Clock m_clock;
    // The signs that count while something is owed.
    int64_t Signs() const;

    int m_lastOut;
    int64_t m_lastReplies;
  };

  // Progress in what the unit confirmed (see the class comment).
  void ReportProgress(bool force = false);
  void Report(int done, int total);

  IDeviceLink* m_link;
  std::unique_ptr<Line> m_line;
  bool m_canceled = false;
  bool m_callerCloses = false;
  bool m_docCleared = false;
  int m_noProgressMs = kDefaultNoProgressMs;
  int m_downloadMode;
  int m_unanswered = 0;
  QString m_firstUnanswered;
  int m_unconfirmed = 0;
  QString m_firstUnconfirmed;
  int m_refused = 0;
  QString m_firstRefused;
  bool m_closed = true;
  bool m_stopped = false;  // by the no-progress limit
  bool m_allStepped = false;
  ProgressHandler m_progress;
  std::function<void()> m_onEnd;

  // Progress of the run: by the unit's confirmation (counting) or by steps.
  bool m_upload = false;
  bool m_counting = false;
  int m_base = 0;               // lines written before the first step (the macro lock)
  std::vector<int> m_jobUnits;  // what each job wrote, as far as it got
  std::vector<int> m_expected;  // what each job should write
  int m_currentJob = -1;
  int m_jobStart = 0;  // units written before the current job
  int m_stepsDone = 0;
  int m_stepsTotal = 0;
  int m_lastDone = -1;
  int m_lastTotal = -1;
};

#endif
