#ifndef SELV_LINK_CCOMMLINK_H
#define SELV_LINK_CCOMMLINK_H

#include "link/clineowner.h"
#include "link/clinkprotocol.h"
#include "link/cprotocolmonitor.h"
#include "link/cunclosednotes.h"
#include "link/cunitclosing.h"
#include "link/cunitidentity.h"
#include "link/idevicelink.h"
#include "link/iqueryobserver.h"
#include "link/iserialport.h"

#include <QByteArray>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>

class CSelvantisDoc;

// The connection to the unit: one object that knows the line's state and
// is the link every part of the program sends through. It holds
//   - which unit it is connected to (port, device id and version as the
//     unit said at connect, CUnitIdentity), kept after a loss so that a
//     reconnect goes on only with the same unit;
//   - who has the line (CLineOwner: a taker's token, see
//     IDeviceLink::TakeLine) and whether a transfer runs;
//   - whether the unit may be left locked or unprotected (CUnitClosing,
//     with the note written ahead of each line that opens the unit, or the
//     line not sent);
// and leaves the lines, echoes, answers and the tally to its protocol
// (CLinkProtocol).
//
// It hands what the unit sends on by the link mode:
//   LINKMODE_NONE         monitor only;
//   LINKMODE_NORMAL       lines starting with "/" to the served document's
//                         reply routing;
//   LINKMODE_UPLOAD       as NORMAL, but lines whose value is exactly "?"
//                         (echoed queries) are dropped;
//   LINKMODE_DOWNLOAD     not routed; the unit's macro lock is on;
//   LINKMODE_COMMANDLIST  collected for the target of the last command list.
// All traffic goes to the protocol monitor. The unit holding the line with
// XOFF is news (lineHeld) only once it has lasted kHoldNewsMs: the unit
// paces every long transfer that way, and a short hold is no fault.
// Everything runs on the thread that made the link; synchronous exchanges
// (SendAndRead, SendQuery, SendListAndWait) drive the port directly and do
// not run the event loop. Every wait has a time limit.
//
// A connect starts with a bare line end, so that a line a killed program
// left half-sent in the unit is not glued to the first question; it asks
// the unit who it is, closes what an earlier connection to this unit left
// open (its note, found by the terminal under any name, or by the unit
// where the noted port is gone) and lifts its protection. A loss is told as
// a notice that goes away when the connection is back.
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
  // The key of the notice about a lost connection (CMessageSink).
  static constexpr const char* kLossNotice = "link.loss";
  // The key of the notice about a line that opens the unit and was not
  // sent, because its note could not be written.
  static constexpr const char* kUnnotedNotice = "link.unnoted";

  explicit CCommLink(QObject* parent = nullptr);
  // With a port of the caller's choosing (an in-memory port in benchmarks).
  explicit CCommLink(std::unique_ptr<ISerialPort> port, QObject* parent = nullptr);
  CCommLink(const CCommLink&) = delete;
  CCommLink& operator=(const CCommLink&) = delete;
  ~CCommLink() override;

  // ---- Connection -------------------------------------------------------------
  // Opens the port of the profile ("COMSECTION"/"Port"), asks the unit for
  // its identity and version, stores them with the "_CLR" values in section
  // "VMX7000", closes what an earlier connection left open in this unit,
  // lifts the unit's parameter protection and marks doc (the document the
  // link then serves) connected. Shows a message and returns false when the
  // port cannot be opened or the unit does not answer.
  bool Connect(CSelvantisDoc* doc);
  bool ConnectPort(const QString& portName, CSelvantisDoc* doc);
  // The same with line settings of the caller's choosing ("19200,n,8,1") in
  // place of the profile's.
  bool ConnectPort(const QString& portName, const QString& settings, CSelvantisDoc* doc);

  // A try of the reconnect: connects to portName only when the unit that
  // answers is unit. A failure says nothing (the loss has been told);
  // another unit gets nothing that changes it (OtherUnit, Answered() says
  // who it is). What the connect says of an earlier closing is shown as the
  // loss notice's successor.
  enum class TryResult { Connected, Failed, OtherUnit };
  TryResult Reconnect(const QString& portName, CSelvantisDoc* doc, const CUnitIdentity& unit);
  // The unit that answered the last connect or try.
  const CUnitIdentity& Answered() const noexcept { return m_answered; }

  // Takes the line for the closing (refused while someone else has it:
  // false and nothing changed), waits (bounded) for a line the unit holds,
  // unlocks the unit's macros where they may be locked, sets the unit's
  // main clock and last-access time to the computer's, switches the unit's
  // parameter protection on, with saveSettings sends "/SERVICE/START
  // FASTSAVE" after the protection, waits (bounded) until the unit has taken
  // the closing lines (and the save), closes the port and marks the document
  // disconnected. False, with a message (the note stays), when
  // the unit may still be locked or unprotected.
  bool Disconnect(bool saveSettings = false);
  // The unit confirmed the save of the last Disconnect(true).
  bool SavedAtClose() const noexcept { return m_savedAtClose; }
  // While Disconnect waits for the unit, the window keeps painting: with a
  // hook set, it is called about every 50 ms with the time waited and the
  // limit, the event loop runs (the hook and whatever runs then are not the
  // closing: their requests are refused), and false from the hook (Cancel)
  // ends the wait at once. Called with waitedMs -1 when the wait is over.
  using CloseWaitHook = std::function<bool(qint64 waitedMs, int limitMs)>;
  void SetCloseWaitHook(CloseWaitHook hook) { m_closeWaitHook = std::move(hook); }

  bool IsConnected() const override;
  // The port and unit of the connection (of the last one after a loss).
  const QString& PortName() const noexcept { return m_portName; }
  const CUnitIdentity& Unit() const noexcept { return m_unit; }
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
  QString LineRefusal() const override { return CLineOwner::Refusal(); }
  bool EndTransferMode(bool endLine, int limitMs) override;
  QString UnclosedWarning() const override;
  // The unit may still have its macros locked / its settings unprotected.
  bool UnitMayBeLocked() const { return m_closing.MayBeLocked(); }
  bool UnitMayBeUnprotected() const { return m_closing.MayBeUnprotected(); }
  // This connection locked the unit's macros (or unlocked them for an
  // earlier one).
  bool UnitWasLocked() const { return m_closing.EverLocked(); }
  // Why the unit may still have what it has open: the closing lines not
  // sent, or not confirmed.
  QString UnclosedReason() const { return m_closing.Reason(); }
  // Ports with a note that their unit may have been left open.
  static QStringList UnclosedPorts();
  // "The connection to the unit was lost (reason)." as one sentence.
  static QString LossText(const QString& reason);

  // ---- Mode, buffers, time -------------------------------------------------------
  int GetLinkMode() const override { return m_mode; }
  void SetLinkMode(int mode) override;
  int OutBufferCount() const override;
  int InBufferCount() const;
  int64_t GetTimeSinceLastOutput() const override { return m_protocol.SinceLastOutput(); }
  int64_t GetTimeSinceLastInput() const override { return m_protocol.SinceLastInput(); }
  void PumpMessages() override;
  void AwaitEvents(int maxMs) override;
  bool CountsAnswers() const override { return true; }
  int OwedAnswers() const override { return m_protocol.OwedAnswers(); }
  QString FirstOwedPath() const override { return m_protocol.FirstOwedPath(); }
  bool IsLineHeld() const override { return m_port->IsHeld(); }
  void ReleaseLine() override { m_port->ReleaseLine(); }
  int DiscardQueued() override { return m_protocol.DiscardQueued(); }
  void DeferLossMessage(bool defer) override;
  QString TakeLossReason() override;
  bool ConfirmsLines() const override;
  void StartTally() override { m_protocol.StartTally(ConfirmsLines()); }
  void StopTally() override { m_protocol.StopTally(); }
  Tally CurrentTally() const override { return m_protocol.Tally(); }
  QString FirstUnconfirmedPath() const override { return m_protocol.FirstUnconfirmedPath(); }
  QString FirstRefusedPath() const override { return m_protocol.FirstRefusedPath(); }

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
  QString LastWrittenPath() const { return m_protocol.LastPath(); }

  // Who learns what the queries of an upload got (null: nobody). The link
  // does not own it; it must be taken away before it goes.
  void SetQueryObserver(IQueryObserver* observer) { m_protocol.SetQueryObserver(observer); }

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
  // A serial error in words, for the status bar.
  void linkError(const QString& text);
  // The unit has held the line with XOFF for kHoldNewsMs (true), and takes
  // data again after such a hold (false).
  void lineHeld(bool held);

 private:
  // How a connect tells what it has to say: to the user in boxes, or (a
  // reconnect's try) failures not at all and the rest as notices.
  enum class Telling { Boxes, Try };
  enum class Opened { Connected, Failed, OtherUnit };
  Opened Open(const QString& portName, const QString& settings, CSelvantisDoc* doc, const CUnitIdentity* sameUnit);
  void Say(const QString& text, uint32_t style, bool failure);
  void Init();
  // True when a request may use the line now; else it is refused (noted in
  // the monitor once a transfer).
  bool Admit(const QString& what);
  void SetMode(int mode);
  // Sets the unit's main clock (when it is off) and last-access time.
  void SetUnitClock();
  // Sends the closing lines that notes of this unit say are owed (a note of
  // the same terminal under any name, or by who the unit is where the noted
  // port is gone), before anything else of a connect, and tells the user;
  // tells of notes of other units it leaves alone. False, with the system's
  // reason, when the notes cannot be read.
  bool FinishEarlierClosing(const QString& portName, QString* unreadable);
  QString EarlierClosingText(const CUnclosedNotes::Note& note, const QString& portName, bool locked, bool unprotected,
                             bool closed) const;
  QString QueryIdentity(const char* path);
  bool Serves(const CSelvantisDoc* doc) const;
  bool WriteLine(const QString& line);
  // Hands one line to the served document; false when the mode or the
  // document no longer allows more lines.
  bool RouteToDocument(const QString& line);
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
  // A capture of a synchronous exchange.
  void BeginCapture();
  QByteArray EndCapture(bool markCut = true);
  // Disconnect's waits: the hook and the event loop, when a hook is set.
  bool CloseWaitTurn(qint64 waitedMs, int limitMs);
  void Busy(bool busy);
  QString QueryValue(const char* path);
  // The port is closed; the link, the document and the listeners learn it.
  void Closed();

  std::unique_ptr<ISerialPort> m_port;
  CProtocolMonitor m_monitor;
  CLinkProtocol m_protocol;
  CUnitClosing m_closing;
  QString m_portName;
  CUnitIdentity m_unit;
  CUnitIdentity m_answered;
  Telling m_telling = Telling::Boxes;
  bool m_toldInTry = false;  // a try's connect has said something
  bool m_begun = false;      // the last connect got as far as the unit
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

  bool m_lossDeferred = false;
  QString m_untoldLoss;  // the reason of a loss while deferred
  QTimer* m_holdTimer = nullptr;
  QTimer* m_wakeTimer = nullptr;  // the bound of AwaitEvents
  bool m_holdTold = false;
  CloseWaitHook m_closeWaitHook;
  bool m_closeCanceled = false;
  bool m_savedAtClose = false;

  QString m_errorFilePath;
  FileViewer m_viewer;
  std::function<void(bool)> m_busyHook;
};

#endif
