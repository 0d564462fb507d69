#ifndef SELV_LINK_CTRANSFER_H
#define SELV_LINK_CTRANSFER_H

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class CBaseDevice;
class CSelvantisDoc;
class IDeviceLink;

// Runs downloads and uploads over the installed device link: one object, a
// range of a container's steps, a whole project, or the lines of a command
// file. A download runs in LINKMODE_DOWNLOAD (the unit's macros locked;
// SetDownloadLinkMode may choose another mode), an upload in LINKMODE_UPLOAD
// after the project's error file has been prepared. Every transfer starts
// from a released line (a stray XOFF of the unit must not hold it). The
// object's Download is stepped from the first step to its count, a step
// repeated while the output buffer is full, events processed in between.
// Then a download waits until its output has left and the line has been
// quiet both ways for more than a second; an upload waits until every query
// it wrote has its answer. Every ending, also a cancel, a loss of the link
// or a stall, puts the link back into LINKMODE_NORMAL (which unlocks the
// macros); after an upload the error file is shown when it is not empty (the
// upload notes its mismatches there).
//
// One transfer at a time: a second one is refused while one runs. Progress
// is any sign of life: a character that leaves or one that comes. A
// transfer without progress for NoProgressTimeoutMs (5 s) ends with a
// message; an upload that ends so with answers still owed is not Done.
// Progress goes to the progress handler and the progress signal; Cancel
// (from the progress dialog) ends the transfer at the next step.
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
    Failed,     // the document went away, a file could not be read
    Unanswered  // an upload's queries stayed unanswered
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
  // Lines sent one by one as the output buffer has room, in LINKMODE_DOWNLOAD.
  Result SendLines(const QStringList& lines);
  // A command text file (".txt"), line by line.
  Result SendCommandFile(const QString& path);

  void Cancel() { m_canceled = true; }
  bool IsCanceled() const { return m_canceled; }
  // A transfer is running (of any driver).
  static bool IsRunning();

  using ProgressHandler = std::function<void(int done, int total)>;
  void SetProgressHandler(ProgressHandler handler) { m_progress = std::move(handler); }
  int NoProgressTimeoutMs() const { return m_noProgressMs; }
  void SetNoProgressTimeoutMs(int ms) { m_noProgressMs = ms > 0 ? ms : kDefaultNoProgressMs; }

  // The message shown for a result ("" for none).
  static QString ResultMessage(Result result, bool restored);
  // The link mode of a download: LINKMODE_DOWNLOAD (the default, the unit's
  // macros locked) or LINKMODE_NONE (no lock, replies only to the monitor).
  void SetDownloadLinkMode(int mode) { m_downloadMode = mode; }
  // After a transfer ended Unanswered: how many queries had no answer and
  // the path of the first.
  int Unanswered() const { return m_unanswered; }
  const QString& FirstUnanswered() const { return m_firstUnanswered; }

 signals:
  void progress(int done, int total);

 private:
  // One run of steps; step(s) returns the next step, s again when it could
  // not send, or -1 to end.
  struct Job {
    std::function<int(int)> step;
    std::function<bool()> alive;
    int first = 0;
    int end = 0;
  };

  IDeviceLink& Link() const;
  Result Execute(int mode, std::vector<Job>& jobs, CSelvantisDoc* doc, bool restoreOnFailure);
  Result Steps(std::vector<Job>& jobs, int total);
  Result WaitQuiet();
  Result WaitAnswers();
  void Idle();
  // The message box text of a run that ended with result.
  QString EndMessage(Result result, int mode, bool restored) const;

  // Restarts clock when the link showed a sign of life since the last call:
  // output that left, or input that came.
  class Liveness {
   public:
    explicit Liveness(IDeviceLink& link);
    // Milliseconds since the last sign of life.
    qint64 Check();
    void Restart();

   private:
    IDeviceLink& m_link;
    QElapsedTimer m_clock;
    int m_lastOut;
  };
  void Report(int done, int total);

  IDeviceLink* m_link;
  bool m_canceled = false;
  bool m_docCleared = false;
  int m_noProgressMs = kDefaultNoProgressMs;
  int m_downloadMode;
  int m_unanswered = 0;
  QString m_firstUnanswered;
  ProgressHandler m_progress;
};

#endif
