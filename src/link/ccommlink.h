#ifndef SELV_LINK_CCOMMLINK_H
#define SELV_LINK_CCOMMLINK_H

#include "link/clinecutter.h"
#include "link/clineowner.h"
#include "link/cprotocolmonitor.h"
#include "link/idevicelink.h"
#include "link/iqueryobserver.h"
#include "link/iserialport.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <deque>
#include <functional>
#include <memory>

class CSelvantisDoc;

// The serial link to the unit: connects and disconnects, writes command
// lines, cuts what the unit sends into lines and hands them on by the link
// mode:
//   LINKMODE_NONE         monitor only;
//   LINKMODE_NORMAL       lines starting with "/" to the served document's
//                         reply routing;
//   LINKMODE_UPLOAD       as NORMAL, but lines whose value is exactly "?"
//                         (echoed queries) are dropped;
//   LINKMODE_DOWNLOAD     not routed; the unit's macro lock is on;
//   LINKMODE_COMMANDLIST  collected for the target of the last command list.
// All traffic goes to the protocol monitor. While a transfer counts (the
// tally), every line written is kept until the unit's echo of it comes back.
// The unit holding the line with XOFF is news (lineHeld) only once it has
// lasted kHoldNewsMs: the unit paces every long transfer that way, and a
// short hold is no fault. Everything runs on the thread
// that made the link; synchronous exchanges (SendAndRead, SendQuery,
// SendListAndWait) drive the port directly and do not run the event loop,
// so no other window can send in between. Every wait has a time limit.
//
// One owner of the line (CLineOwner): while a transfer has taken it, what
// anyone else asks is refused (see IDeviceLink::TakeLine), so no window can
// change the mode or put a line between the transfer's lines.
//
// The link keeps track of what the unit was told: its macros are locked
// from "/MACRO/LOCK ON" until it has taken "/MACRO/LOCK OFF", and its
// settings unprotected from the connect's "/PROTECT OFF" until it has taken
// "/PROTECT ON" (taken: echoed, or for a unit without echo, out of the
// port). A connection that ends otherwise (the port lost, a line the unit
// held past the limit) says so in words and leaves a note for the port in
// the profile ("COMSECTION"/"Unclosed Ports"); the next connect to that
// port sends both lines first and says so.
//
// Owns its port (a CMSComm unless one is handed in) and its monitor; holds
// the served document and the reply target weakly.
class CCommLink final : public QObject, public IDeviceLink {
  Q_OBJECT

 public:
  // Longest text of one command list.
  static constexpr int kMaxCommandListChars = 512;
  // Synchronous exchanges and transfers give up after this long without
  // progress.
  static constexpr int kNoProgressTimeoutMs = 5000;
  // SendListAndWait: the pause after the output has drained.
  static constexpr int kListSettleMs = 750;
  // A hold of the line is told (lineHeld, the protocol monitor) once it has
  // lasted this long.
  static constexpr int kHoldNewsMs = 1000;
  // Disconnect waits this long at most for a line the unit holds.
  static constexpr int kCloseWaitMs = 5000;
  // The identity queries of a connect are asked this often at most.
  static constexpr int kIdentityAttempts = 3;

  explicit CCommLink(QObject* parent = nullptr);
  // With a port of the caller's choosing (an in-memory port in benchmarks).
  explicit CCommLink(std::unique_ptr<ISerialPort> port, QObject* parent = nullptr);
  CCommLink(const CCommLink&) = delete;
  CCommLink& operator=(const CCommLink&) = delete;
  ~CCommLink() override;

  // ---- Connection -------------------------------------------------------------
  // Opens the port of the profile ("COMSECTION"/"Port"), asks the unit for
  // its identity and version, stores them with the "_CLR" values in section
  // "VMX7000", lifts the unit's parameter protection and marks doc (the
  // document the link then serves) connected. Shows a message and returns
  // false when the port cannot be opened or the unit does not answer.
  bool Connect(CSelvantisDoc* doc);
  bool ConnectPort(const QString& portName, CSelvantisDoc* doc);
  // The same with line settings of the caller's choosing ("19200,n,8,1") in
  // place of the profile's.
  bool ConnectPort(const QString& portName, const QString& settings, CSelvantisDoc* doc);
  // Waits (bounded) for a line the unit holds, unlocks the unit's macros
  // where they may be locked, sets the unit's main clock and last-access
  // time to the computer's, switches the unit's parameter protection on,
  // with saveSettings sends "/SERVICE/START FASTSAVE" after the protection,
  // waits (bounded) until the unit has taken the closing lines (and the
  // save), closes the port and marks the document disconnected. False,
  // with a message and the profile's note, when the unit may still be
  // locked or unprotected.
  bool Disconnect(bool saveSettings = false);
  // The unit confirmed the save of the last Disconnect(true).
  bool SavedAtClose() const { return m_savedAtClose; }
  bool IsConnected() const override;
  // The document whose objects the link sends and whose reply routing it
  // feeds.
  CSelvantisDoc* GetDocument() const;
  void SetDocument(CSelvantisDoc* doc);

  // ---- Sending ----------------------------------------------------------------------
  void SendCommand(const QString& command, const CSelvantisDoc* doc = nullptr) override;
  void SendDeviceCommand(const QString& command, const CSelvantisDoc* doc, bool bShorten) override;
  bool SendCommandList(const QStringList& commands, bool bCountAll, int reserved, QObject* replyTarget,
                       int tag) override;
  QString SendAndRead(const QString& command, int delayMs) override;
  bool SendListAndWait(const QStringList& commands, QStringList* replies) override;
  QString SendQuery(const QString& command) override;
  void OnSaveVmxSettings() override;
  // "/SERVICE/START FASTSAVE" and a wait (bounded) for the unit's echo (for
  // a unit without echo: until it has left the port). False with the
  // reason in the user's language when the unit did not take it.
  bool SaveUnitSettings(QString* reason);

  // ---- Who has the line, and how it is left ------------------------------------------
  bool TakeLine(const void* owner) override { return m_owner.Take(owner); }
  void GiveBackLine(const void* owner) override;
  bool IsLineTaken() const override { return m_owner.IsTaken(); }
  QString LineRefusal() const override { return CLineOwner::Refusal(); }
  bool EndTransferMode(bool endLine, int limitMs) override;
  QString UnclosedWarning() const override;
  // The unit may still have its macros locked / its settings unprotected.
  bool UnitMayBeLocked() const { return m_unitLocked; }
  bool UnitMayBeUnprotected() const { return m_unitUnprotected; }
  // Ports whose last connection ended without the closing lines.
  static QStringList UnclosedPorts();

  // ---- Mode, buffers, time -------------------------------------------------------
  int GetLinkMode() const override { return m_mode; }
  void SetLinkMode(int mode) override;
  int OutBufferCount() const override;
  int InBufferCount() const;
  int64_t GetTimeSinceLastOutput() const override;
  int64_t GetTimeSinceLastInput() const override;
  void PumpMessages() override;
  bool CountsAnswers() const override { return true; }
  int OwedAnswers() const override { return static_cast<int>(m_owed.size()); }
  QString FirstOwedPath() const override { return m_owed.empty() ? QString() : m_owed.front(); }
  bool IsLineHeld() const override { return m_port->IsHeld(); }
  void ReleaseLine() override { m_port->ReleaseLine(); }
  int DiscardQueued() override;
  void DeferLossMessage(bool defer) override;
  QString TakeLossReason() override;
  bool ConfirmsLines() const override;
  void StartTally() override;
  void StopTally() override;
  Tally CurrentTally() const override { return m_tally; }
  QString FirstUnconfirmedPath() const override;
  QString FirstRefusedPath() const override { return m_firstRefused; }

  // ---- Replies of command lists ----------------------------------------------------
  // Every line received since the last SendCommandList.
  const QStringList& ReplyList() const { return m_replyList; }
  void ClearReplyList() { m_replyList.clear(); }
  int ExpectedReplyCount() const { return m_expectedReplies; }
  QObject* ReplyTarget() const { return m_replyTarget.data(); }
  int ReplyTag() const { return m_replyTag; }

  // ---- Queueing: lines collected instead of written (export) ----------------------------
  // From now on lines for doc (null: any document) are collected; the
  // output buffer counts as empty meanwhile.
  void StartQueue(const CSelvantisDoc* doc);
  // Ends queueing and returns the collected lines.
  QStringList TakeQueue();
  bool IsQueueing() const { return m_queueing; }
  // Lines collected so far.
  int QueuedCount() const { return static_cast<int>(m_queue.size()); }

  // ---- Error file ----------------------------------------------------------------------
  QString GetErrorFilePath() override;
  void ShowErrorFile() override;
  QString ErrorFilePath() const override { return m_errorFilePath; }
  // The shell shows text files with this (an in-program viewer or the
  // desktop's, the path passed as an argument). Without one nothing is shown.
  using FileViewer = std::function<void(const QString& path)>;
  void SetFileViewer(FileViewer viewer) { m_viewer = std::move(viewer); }
  // Called with true before and false after a synchronous exchange (the
  // shell shows the wait cursor).
  void SetBusyHook(std::function<void(bool busy)> hook) { m_busyHook = std::move(hook); }

  // ---- Parts -------------------------------------------------------------------------
  CProtocolMonitor& Monitor() { return m_monitor; }
  ISerialPort& Port() { return *m_port; }
  // The path of the last line written (shortened lines keep it).
  QString LastWrittenPath() const { return m_lastPath; }

  // Who learns what the queries of an upload got (null: nobody). The link
  // does not own it; it must be taken away before it goes.
  void SetQueryObserver(IQueryObserver* observer) { m_queryObserver = observer; }

  // Received bytes, as the port hands them over; public for in-memory ports.
  void HandleIncoming(const QByteArray& bytes);

 signals:
  // After each receive event that completed reply lines of a command list,
  // with a copy of every line since the list was sent. The target itself is
  // told through its OnCommReply slot (link/commreply.h); this signal is for
  // observers.
  void commReply(QObject* target, int tag, const QStringList& lines);
  void connectedChanged(bool connected);
  void linkModeChanged(int mode);
  // A serial error as "( text )", for the status bar.
  void linkError(const QString& text);
  // The unit has held the line with XOFF for kHoldNewsMs (true), and takes
  // data again after such a hold (false).
  void lineHeld(bool held);

 private:
  void Init();
  // True when a request may use the line now; else it is refused (noted in
  // the monitor once a transfer).
  bool Admit(const QString& what);
  void SetMode(int mode);
  // Sets the unit's main clock (when it is off) and last-access time.
  void SetUnitClock();
  // The unit's state as its lines go out and their echoes come.
  void NoteClosingLine(const QString& line);
  void NoteClosingEcho(const QString& line);
  // Processes the port without the event loop until done() holds; false
  // when the port closed or nothing went out and done() did not come for
  // limitMs. A unit without echo has taken what left the port.
  bool WaitTaken(int limitMs, const std::function<bool()>& done);
  // While the unit holds the line, at most limitMs; false when it still does.
  bool WaitReleased(int limitMs);
  // Sends the closing lines a port's note says are owed, before anything
  // else of a connect.
  void FinishEarlierClosing(const QString& portName);
  static void NoteUnclosed(const QString& portName, bool unclosed);
  QString QueryIdentity(const char* path);
  bool Serves(const CSelvantisDoc* doc) const;
  bool WriteText(const QByteArray& text, const QString& lastLine);
  bool WriteLine(const QString& line);
  void NotePath(const QString& line);
  // Notes a query written in LINKMODE_UPLOAD as owed an answer.
  void NoteQuery(const QString& line);
  // True when line answers an owed query (which is then no longer owed);
  // *path is then the query's path.
  bool TakeAnswer(const QString& line, QString* path = nullptr);
  // Hands one line to the served document; false when the mode or the
  // document no longer allows more lines.
  bool RouteToDocument(const QString& line);
  // Keeps a line just written until its echo comes.
  void NoteWritten(const QString& line);
  // True when line is the echo of a line still owed one; lines passed over
  // count as missed.
  bool TakeEcho(const QString& line);
  void OnHold(bool held);
  void OnHoldLasted();
  void RouteBytes(const QByteArray& bytes);
  void RouteLines(const QStringList& lines);
  void RecordTarget(QObject* target, int tag, int reserved);
  void ForgetTarget();
  void OnTargetDestroyed();
  void OnPortReceive();
  void OnPortError(const QString& text, bool closed);
  void HandleLost(const QString& text);
  void TellLoss(const QString& reason);
  void BeginCapture();
  // Ends a capture and returns what came; with markCut a line cut off at
  // the end is marked so that its rest does not reach the routing.
  QByteArray EndCapture(bool markCut = true);
  void MarkCut(const QByteArray& captured);
  bool WaitDrained(int noProgressMs);
  void WaitFor(int ms);
  void Busy(bool busy);
  QString QueryValue(const char* path);

  std::unique_ptr<ISerialPort> m_port;
  CLineOwner m_owner;
  bool m_closing = false;  // Disconnect runs: the connection's own lines go
  bool m_savedAtClose = false;
  QString m_portName;
  // What the unit was told (see the class comment).
  bool m_unitLocked = false;
  bool m_unitUnprotected = false;
  bool m_lockOffWritten = false;
  bool m_protectOnWritten = false;
  // A line whose echo a wait looks for, and whether it came.
  QString m_awaitedEcho;
  bool m_awaitedSeen = false;
  QString m_firstRefused;
  CProtocolMonitor m_monitor;
  CLineCutter m_cutter;
  int m_mode = LINKMODE_NORMAL;
  bool m_connected = false;
  QPointer<CSelvantisDoc> m_doc;

  QPointer<QObject> m_replyTarget;
  QMetaObject::Connection m_targetConnection;
  int m_replyTag = 0;
  int m_reserved = 0;
  QStringList m_replyList;
  int m_expectedReplies = 0;

  bool m_queueing = false;
  const CSelvantisDoc* m_queueDoc = nullptr;
  QStringList m_queue;

  QString m_lastPath;
  // Paths of the upload's queries still owed an answer, in the order sent.
  std::deque<QString> m_owed;
  // The upload that asked them has ended: their answers are dropped.
  bool m_owedStale = false;
  IQueryObserver* m_queryObserver = nullptr;
  // The tally of a transfer: lines written and not yet echoed, as sent and
  // as full lines (a shortened line with its path).
  struct SentLine {
    QString text;
    QString full;
  };
  bool m_tallying = false;
  bool m_confirming = false;  // the unit echoes: lines wait for their echo
  Tally m_tally;
  std::deque<SentLine> m_unechoed;
  QString m_firstMissed;
  bool m_lossDeferred = false;
  QString m_untoldLoss;  // the reason of a loss while deferred
  QTimer* m_holdTimer = nullptr;
  bool m_holdTold = false;
  QElapsedTimer m_lastOutput;
  QElapsedTimer m_lastInput;
  bool m_capturing = false;
  QByteArray m_capture;

  QString m_errorFilePath;
  FileViewer m_viewer;
  std::function<void(bool)> m_busyHook;
};

#endif
