#ifndef SELV_LINK_IDEVICELINK_H
#define SELV_LINK_IDEVICELINK_H

#include "link/clineowner.h"
#include "link/linkmode.h"
#include "model/idevicecommands.h"

#include <QString>
#include <QStringList>

#include <cstdint>

class CSelvantisDoc;
class QObject;

// What editors and transfers use of the serial link (model objects use only
// its IDeviceCommands part): the services the main window offers
// (SendDeviceCommand, SendQuery, GetTimeSinceLastOutput, the message pump)
// and the link's output buffer and mode. The application installs the real link; tests install a recording
// fake or the real link on a simulated unit. Without an installed link a null
// link is used that sends nothing and reports an empty output buffer.
class IDeviceLink : public IDeviceCommands {
 public:
  virtual ~IDeviceLink() = default;

  // SendDeviceCommand and OutBufferCount come from IDeviceCommands.
  virtual int GetLinkMode() const = 0;
  virtual void SetLinkMode(int mode) = 0;
  // Milliseconds since the last output, on a monotonic clock.
  virtual int64_t GetTimeSinceLastOutput() const = 0;
  // Sends the command and returns the unit's reply without the echo, empty
  // when nothing came in time.
  virtual QString SendQuery(const QString& command) = 0;
  // Sends the command, waits delayMs and returns what arrived (echo
  // included), bypassing the reply routing.
  virtual QString SendAndRead(const QString& command, int delayMs) = 0;
  virtual bool IsConnected() const = 0;
  // Processes pending events; called inside transfer loops. Nothing carries
  // the line's token meanwhile (TakeLine).
  virtual void PumpMessages() = 0;
  // The project's error file for the current transfer ("" when none).
  virtual QString ErrorFilePath() const = 0;

  // The services below have plain defaults, so a small fake needs only the
  // ones above.

  // One command line (CR LF appended) for doc (null: any document), as it
  // is: queued while the link queues, else written. Never shortened.
  virtual void SendCommand(const QString& command, const CSelvantisDoc* doc) { SendDeviceCommand(command, doc, false); }
  // The commands as one text, each followed by CR LF; false and nothing sent
  // when the text would be longer than 512 characters. The replies go to
  // replyTarget's OnCommReply slot (link/commreply.h) until someone sets
  // another link mode. With bCountAll the expected reply count grows by the
  // number of commands, twice that while the unit echoes ("Echo On").
  virtual bool SendCommandList(const QStringList& commands, bool bCountAll, int reserved, QObject* replyTarget,
                               int tag) {
    return false;
  }
  // A synchronous exchange: sends the commands, waits until they have gone
  // out and the answers have come, and returns the answer lines without the
  // echoed commands. False when the output does not drain (5 s without
  // progress) or the link is not connected.
  virtual bool SendListAndWait(const QStringList& commands, QStringList* replies) {
    if (replies) replies->clear();
    return false;
  }
  // Prepares the error file of a transfer: the project's path with ".err"
  // in place of its extension, created empty. Returns that path ("" for a
  // project that has not been saved: nothing is written then).
  virtual QString GetErrorFilePath() { return QString(); }
  // Shows the error file when it is not empty, then forgets its path.
  virtual void ShowErrorFile() {}
  // Milliseconds since the unit last sent anything, on a monotonic clock
  // (very large when nothing came or the link cannot tell). Transfers wait
  // for answers still on their way.
  virtual int64_t GetTimeSinceLastInput() const { return INT64_MAX / 2; }
  // "/SERVICE/START FASTSAVE": the unit keeps its settings.
  virtual void OnSaveVmxSettings() { SendCommand(QStringLiteral("/SERVICE/START FASTSAVE"), nullptr); }

  // Answers owed: the link counts the queries ("path ?") written in
  // LINKMODE_UPLOAD and the answers ("path value" or "ERROR path") that came
  // for them. A link that cannot count says so, and transfers then wait for
  // a quiet line instead.
  virtual bool CountsAnswers() const { return false; }
  virtual int OwedAnswers() const { return 0; }
  // The path of the first query still owed an answer ("" when none).
  virtual QString FirstOwedPath() const { return QString(); }
  // The unit holds the line with XOFF.
  virtual bool IsLineHeld() const { return false; }
  // Lets output flow again after an XOFF that no XON followed.
  virtual void ReleaseLine() {}
  // A lost connection is told to the user once. While deferred (a transfer
  // runs, and its message says what the loss left behind) the link does not
  // tell it itself; TakeLossReason hands the reason over (the system's
  // words in the user's language, "" when nothing was lost since), and a
  // loss nobody took is told when the deferral ends.
  virtual void DeferLossMessage(bool defer) { (void)defer; }
  virtual QString TakeLossReason() { return QString(); }
  // Drops the lines still waiting in the link's own output buffer (a line
  // already begun still goes out whole); returns the characters dropped.
  virtual int DiscardQueued() { return 0; }

  // Who has the line: a transfer takes it for its run, Disconnect for its
  // closing, and keeps the token (CLineToken) that TakeLine hands out;
  // TakeLine's token is empty when someone has the line (or, for a
  // transfer, while another transfer runs). While someone has it, a request
  // is let through only when the holder carries its token around its own
  // call (CLineToken::Carry); while the link runs the event loop for the
  // holder (PumpMessages, AwaitEvents, Disconnect's waits) and while the
  // holder's message box waits, nothing carries it. Whoever else asks (a
  // window's poll timer, a window that closes) is refused: lines are not
  // sent, SendCommandList and SendListAndWait return false, SendAndRead and
  // SendQuery return "", SetLinkMode changes nothing, and LineRefusal()
  // says why. A link that keeps no owner (a recording fake) counts who has
  // the line all the same and lets everything through.
  virtual CLineToken TakeLine(LinePurpose purpose) { return m_lineOwner.Take(purpose); }
  virtual QString LineRefusal() const { return QString(); }
  // Who uses the line now (lineuse.h): the one answer everyone asks (the
  // transfers, the reconnect, the windows); CTransferNotifier::lineUseChanged
  // tells when it changes.
  virtual LineUse CurrentLineUse() const { return m_lineOwner.Use(); }
  // Stops the transfer that uses the line, if any (a signal to end the
  // program, a window that closes): its closing lines go as for a Cancel.
  virtual void CancelTransfer() { m_lineOwner.CancelTransfer(); }
  // Where a transfer waits for the unit: waits until something happens (the
  // port's input or room for its output, a timer, the user), at most maxMs,
  // and processes it, as PumpMessages does. The default (a link without
  // events of its own) processes what is pending and rests a millisecond.
  virtual void AwaitEvents(int maxMs);

  // A transfer's ending: with endLine a line the unit may have got only in
  // part (a transfer stopped in the middle, a unit that lost characters) is
  // ended first, so that no closing line is glued to it; then the link goes
  // back to LINKMODE_NORMAL (which sends "/MACRO/LOCK OFF" after a download)
  // and waits, at most limitMs without progress (a line the unit holds
  // included), until the unit has taken it. False when the unit may still
  // have its macros locked; UnclosedWarning() then says so in words.
  virtual bool EndTransferMode(bool endLine, int limitMs) {
    (void)endLine;
    (void)limitMs;
    SetLinkMode(LINKMODE_NORMAL);
    return true;
  }
  // What the user must know when the unit may still have its macros locked
  // or its settings unprotected, and how to clear it ("" when nothing).
  virtual QString UnclosedWarning() const { return QString(); }

  // What the unit has confirmed of a transfer, counted from StartTally on:
  // the lines the link writes, the unit's echoes of them (the unit echoes
  // every line it takes, in order, so a line whose echo is passed over by a
  // later line's echo was lost on the way) and the answers to the queries of
  // LINKMODE_UPLOAD. A link that cannot tell (a unit that does not echo, no
  // unit at all) confirms nothing: transfers then go by its output buffer.
  struct Tally {
    int written = 0;      // lines written since StartTally
    int echoed = 0;       // of them, echoed by the unit
    int missed = 0;       // of them, passed over by a later line's echo
    int queries = 0;      // of them, queries written in LINKMODE_UPLOAD
    int answered = 0;     // answers that came for those queries
    int64_t replies = 0;  // echoes and answers matched, a sign of progress
    int refused = 0;      // lines the unit answered with "ERROR path" (not queries)
    // Lines written that are still owed their echo.
    int Unechoed() const { return written - echoed - missed; }
  };
  virtual bool ConfirmsLines() const { return false; }
  // Starts counting afresh; StopTally ends it.
  virtual void StartTally() {}
  virtual void StopTally() {}
  virtual Tally CurrentTally() const { return Tally(); }
  // The path of the first line the unit did not confirm: the first one
  // passed over, else the first still owed its echo ("" when none).
  virtual QString FirstUnconfirmedPath() const { return QString(); }
  // The path of the first line the unit refused ("" when none).
  virtual QString FirstRefusedPath() const { return QString(); }

 protected:
  CLineOwner m_lineOwner;
};

// The installed link, never null.
IDeviceLink* GetDeviceLink();
// Installs a link (null: back to the null link); returns the previous one.
IDeviceLink* SetDeviceLink(IDeviceLink* link);

// Installs a link for as long as it lives and puts the previous one back.
class DeviceLinkScope final {
 public:
  explicit DeviceLinkScope(IDeviceLink* link) : m_previous(SetDeviceLink(link)) {}
  DeviceLinkScope(const DeviceLinkScope&) = delete;
  DeviceLinkScope& operator=(const DeviceLinkScope&) = delete;
  ~DeviceLinkScope() { SetDeviceLink(m_previous); }

 private:
  IDeviceLink* m_previous;
};

#endif
