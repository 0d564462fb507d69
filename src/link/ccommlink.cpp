#include "link/ccommlink.h"

#include "link/cmscomm.h"
#include "link/commandtext.h"
#include "link/commreply.h"
#include "link/cportlock.h"
#include "link/cserialports.h"
#include "link/ctransfernotifier.h"
#include "link/cunclosednotes.h"
#include "link/cunitinfo.h"
#include "link/linkprofile.h"
#include "link/portaccesshint.h"
#include "model/cfilename.h"
#include "model/cmessagesink.h"
#include "model/cprofile.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QTimer>

#include <cmath>
#include <cstdlib>

Q_LOGGING_CATEGORY(lcLink, "selv.link")

namespace {

using CommandText::ValueOf;

// "hh:mm:ss" as seconds of the day, -1 when unreadable.
int SecondsOfDay(const QString& text) {
  const QStringList parts = text.trimmed().left(8).split(QLatin1Char(':'));
  if (parts.size() != 3) return -1;
  int h = 0, m = 0, s = 0;
  if (!ScanInt(parts[0], &h) || !ScanInt(parts[1], &m) || !ScanInt(parts[2], &s)) return -1;
  return h * 3600 + m * 60 + s;
}

const QString kFastSave = QStringLiteral("/SERVICE/START FASTSAVE");

}  // namespace

CCommLink::CCommLink(QObject* parent)
    : QObject(parent),
      m_port(std::make_unique<CMSComm>()),
      m_protocol(*m_port, m_monitor),
      m_closing(*m_port, [this] { HandleIncoming(m_port->Input()); }) {
  Init();
}

CCommLink::CCommLink(std::unique_ptr<ISerialPort> port, QObject* parent)
    : QObject(parent),
      m_port(std::move(port)),
      m_protocol(*m_port, m_monitor),
      m_closing(*m_port, [this] { HandleIncoming(m_port->Input()); }) {
  Init();
}

void CCommLink::Init() {
  m_holdTimer = new QTimer(this);
  m_holdTimer->setSingleShot(true);
  m_holdTimer->setTimerType(Qt::PreciseTimer);
  m_holdTimer->setInterval(kHoldNewsMs);
  connect(m_holdTimer, &QTimer::timeout, this, &CCommLink::OnHoldLasted);
  m_wakeTimer = new QTimer(this);
  m_wakeTimer->setSingleShot(true);
  m_port->SetHandlers([this] { OnPortReceive(); },
                      [this](const QString& text, bool closed) { OnPortError(text, closed); });
  m_port->SetHoldHandler([this](bool held) { OnHold(held); });
  m_lineOwner.SetGiveBackHandler([this](int refused) {
    if (refused > 0)
      m_monitor.AddNote(tr("%1 requests of other windows were not sent during the transfer").arg(refused));
  });
}

void CCommLink::OnHold(bool held) {
  if (held) {
    if (!m_holdTimer->isActive() && !m_holdTold) m_holdTimer->start();
    return;
  }
  m_holdTimer->stop();
  if (!m_holdTold) return;
  m_holdTold = false;
  m_monitor.AddNote(tr("The unit takes data again (XON)"));
  emit lineHeld(false);
}

void CCommLink::OnHoldLasted() {
  if (!m_port->IsHeld() || m_holdTold) return;
  m_holdTold = true;
  m_monitor.AddNote(tr("The unit holds the line (XOFF)"));
  emit lineHeld(true);
}

CCommLink::~CCommLink() {
  // The program ends: the unit is left unlocked and protected, as by
  // Disconnect (or told). Whoever listened may be going as well.
  m_closeWaitHook = nullptr;
  if (IsConnected()) {
    // Nor does anyone hear of the closing's use of the line: a window
    // that is going may be half gone (the link is its child).
    const QSignalBlocker quiet(this);
    const QSignalBlocker quietNews(&CTransferNotifier::Instance());
    Disconnect(false);
  }
  if (GetDeviceLink() == this) SetDeviceLink(nullptr);
  m_lineOwner.SetGiveBackHandler(nullptr);
  m_port->SetHandlers(nullptr, nullptr);
  m_port->SetHoldHandler(nullptr);
  ForgetTarget();
  if (m_port->IsOpen()) m_port->Close();
}

// ---- Connection ------------------------------------------------------------------

bool CCommLink::Connect(CSelvantisDoc* doc) {
  // The profile's port, else the first the system has: the command line's
  // rule too.
  const QString port = CSerialPorts::ProfilePort();
  if (port.isEmpty()) {
    Say(tr("The system has no serial port, and none is set.\nChoose the unit's port under View > Preferences."),
        MB_OK | MB_ICONSTOP, true);
    return false;
  }
  return ConnectPort(port, doc);
}

bool CCommLink::ConnectPort(const QString& portName, CSelvantisDoc* doc) {
  const QString settings =
      CProfile::GetString(QString::fromLatin1(LinkProfile::kComSection), QString::fromLatin1(LinkProfile::kSettings),
                          QString::fromLatin1(LinkProfile::kDefaultSettings));
  return ConnectPort(portName, settings, doc);
}

bool CCommLink::ConnectPort(const QString& portName, const QString& settings, CSelvantisDoc* doc) {
  return Open(portName, settings, doc, nullptr) == Opened::Connected;
}

CCommLink::TryResult CCommLink::Reconnect(const QString& portName, CSelvantisDoc* doc, const CUnitIdentity& unit) {
  const QString settings =
      CProfile::GetString(QString::fromLatin1(LinkProfile::kComSection), QString::fromLatin1(LinkProfile::kSettings),
                          QString::fromLatin1(LinkProfile::kDefaultSettings));
  Opened opened = Opened::Failed;
  QString lost;
  {
    const QScopedValueRollback<Telling> telling(m_telling, Telling::Try);
    // A port lost while the try asks the unit who it is ends the try, and
    // is no new loss to tell: the user was told of the loss once.
    const bool deferred = m_lossDeferred;
    m_lossDeferred = true;
    opened = Open(portName, settings, doc, unit.IsEmpty() ? nullptr : &unit);
    lost = TakeLossReason();
    m_lossDeferred = deferred;
  }
  // Only a unit the try itself may have left unprotected is news (the loss
  // notice has told of the earlier connection's).
  if (!lost.isEmpty() && m_begun) {
    const QString unclosed = UnclosedWarning();
    if (!unclosed.isEmpty()) CMessageSink::ShowNotice(QString::fromLatin1(kLossNotice), unclosed);
  }
  switch (opened) {
    case Opened::Connected: return TryResult::Connected;
    case Opened::OtherUnit: return TryResult::OtherUnit;
    default: return TryResult::Failed;
  }
}

void CCommLink::Say(const QString& text, uint32_t style, bool failure) {
  if (m_telling == Telling::Boxes) {
    AfxMessageBox(text, style);
    return;
  }
  // A try: a failure is no news (the loss has been told); anything else
  // takes the place of the loss notice.
  if (failure) return;
  CMessageSink::ShowNotice(QString::fromLatin1(kLossNotice), text, style);
  m_toldInTry = true;
}

QString CCommLink::LossText(const QString& reason) {
  const QString why = reason.trimmed();
  if (why.isEmpty()) return tr("The connection to the unit was lost.");
  return tr("The connection to the unit was lost (%1).").arg(why);
}

CCommLink::Opened CCommLink::Open(const QString& portName, const QString& settings, CSelvantisDoc* doc,
                                  const CUnitIdentity* sameUnit) {
  if (IsConnected()) {
    SetDocument(doc);
    return Opened::Connected;
  }
  m_begun = false;
  QString error;
  if (!m_port->Open(portName, settings, &error)) {
    QString text = tr("The serial port %1 cannot be opened.\n( %2 )").arg(CFileName::Display(portName), error);
    const QString hint = PortAccessHint::For(portName);
    if (!hint.isEmpty()) text += QStringLiteral("\n\n") + hint;
    Say(text, MB_OK | MB_ICONSTOP, true);
    return Opened::Failed;
  }
  m_protocol.Reset();
  ForgetTarget();
  m_replyList.clear();
  m_mode = LINKMODE_NORMAL;
  m_protocol.SetMode(m_mode);
  m_doc = doc;
  m_connected = true;
  m_portName = portName;
  m_monitor.AddNote(tr("Port %1 open").arg(CFileName::Display(portName)));
  // A program killed in the middle of a line leaves its start in the unit:
  // a line end of our own ends it, so that it is not glued to the first
  // question.
  m_protocol.WriteText("\r\n", QString());

  const QString deviceId = QueryIdentity(CUnitInfo::kDeviceIdPath);
  const QString version = QueryIdentity(CUnitInfo::kVersionPath);
  m_answered = CUnitIdentity(deviceId, version);
  if (!m_port->IsOpen()) {
    // Lost while asking; HandleLost has reset the state.
    m_connected = false;
    Say(tr("The connection to the unit on %1 was lost while connecting.").arg(CFileName::Display(portName)),
        MB_OK | MB_ICONSTOP, true);
    return Opened::Failed;
  }
  if (deviceId.isEmpty() && version.isEmpty()) {
    m_port->Close();
    m_connected = false;
    m_monitor.AddNote(tr("No answer"));
    Say(tr("The unit does not answer on %1.\nCheck the cable and the port settings.").arg(CFileName::Display(portName)),
        MB_OK | MB_ICONSTOP, true);
    return Opened::Failed;
  }
  if (version.isEmpty()) {
    // What the download sends depends on the version: one not read is
    // never stored, nor capabilities guessed from nothing.
    m_port->Close();
    m_connected = false;
    m_monitor.AddNote(tr("No version"));
    Say(tr("The unit on %1 did not tell its operating-system version, so nothing was sent to it.\nTry again.")
            .arg(CFileName::Display(portName)),
        MB_OK | MB_ICONSTOP, true);
    return Opened::Failed;
  }
  if (sameUnit && *sameUnit != m_answered) {
    // Another unit behind the same name (an adapter plugged into another
    // unit, a terminal number someone else took): it gets nothing that
    // changes it.
    m_port->Close();
    m_connected = false;
    m_monitor.AddNote(tr("Another unit answers: %1").arg(m_answered.Text()));
    return Opened::OtherUnit;
  }
  m_unit = m_answered;
  m_closing.Begin(portName, m_unit);
  m_begun = true;
  int id = 0;
  ScanInt(deviceId, &id);
  CUnitInfo::Store(id, version);
  m_toldInTry = false;
  QString unreadable;
  QString unwritten;
  if (FinishEarlierClosing(portName, &unreadable) && m_port->IsOpen()) {
    // The unit's parameters are protected while nobody is connected. The
    // note that it may be left open is on the disk first, or nothing opens
    // it.
    if (m_closing.BeforeWrite(CUnitClosing::ProtectOff()))
      SendCommand(CUnitClosing::ProtectOff());
    else
      unwritten = m_closing.NoteFailure();
  }
  if ((!unreadable.isEmpty() || !unwritten.isEmpty()) && m_port->IsOpen()) {
    // What an earlier closing sent goes; nothing else has.
    m_protocol.WaitDrained(kNoProgressTimeoutMs);
    m_port->Close();
    m_monitor.AddNote(tr("Port closed"));
    Closed();
    const QString file = CFileName::Display(CUnclosedNotes::FilePath());
    Say(unreadable.isEmpty()
            ? tr("The unit on %1 was not opened: the note that it may be left open cannot be written to \"%2\" "
                 "(%3). Nothing that unlocks it or lifts its protection was sent.")
                  .arg(CFileName::Display(portName), file, unwritten)
            : tr("The unit on %1 was not opened: the notes of units that may have been left open cannot be read "
                 "from \"%2\" (%3). Nothing that unlocks it or lifts its protection was sent.")
                  .arg(CFileName::Display(portName), file, unreadable),
        MB_OK | MB_ICONSTOP, false);
    return Opened::Failed;
  }
  if (!m_port->IsOpen()) {
    m_connected = false;
    return Opened::Failed;
  }
  if (m_doc) m_doc->SetConnected(true);
  // The connection is back: a notice of its loss no longer holds (a try's
  // notice of the earlier closing stays).
  if (!m_toldInTry) CMessageSink::WithdrawNotice(QString::fromLatin1(kLossNotice));
  emit connectedChanged(true);
  return Opened::Connected;
}

QString CCommLink::QueryIdentity(const char* path) {
  QString value;
  for (int attempt = 0; attempt < kIdentityAttempts && value.isEmpty() && m_port->IsOpen(); ++attempt) {
    // A stray XOFF of the unit as the port opened (one that no XON
    // follows) must not keep the question from it.
    if (m_port->IsHeld()) {
      m_monitor.AddNote(tr("Line released (XOFF at connect)"));
      m_port->ReleaseLine();
    }
    value = QueryValue(path);
  }
  return value;
}

bool CCommLink::FinishEarlierClosing(const QString& portName, QString* unreadable) {
  std::vector<CUnclosedNotes::Note> notes;
  if (!CUnclosedNotes::Read(&notes, unreadable)) return false;
  const CUnclosedNotes::Concern concern = CUnclosedNotes::Concerning(notes, portName, m_unit);
  QStringList told;
  bool closed = true;
  if (!concern.mine.empty()) {
    // The last connection to this unit ended before it took these.
    m_closing.Owe(concern.mine);
    const bool locked = m_closing.MayBeLocked();
    const bool unprotected = m_closing.MayBeUnprotected();
    if (locked) SendCommand(CUnitClosing::LockOff());
    if (unprotected) SendCommand(CUnitClosing::ProtectOn());
    closed = m_closing.WaitTaken(kNoProgressTimeoutMs, ConfirmsLines(), [this] { return m_closing.IsClosed(); });
    told << EarlierClosingText(concern.mine.front(), portName, locked, unprotected, closed);
  }
  for (const CUnclosedNotes::Note& note : concern.others) {
    const QString unit = note.unit.IsEmpty() ? tr("which unit, the note does not say") : note.unit.Text();
    const QString open = CUnclosedNotes::OpenText(note.locked, note.unprotected);
    const QString noted = CFileName::Display(note.port);
    told << (CPortLock::DeviceKey(note.port).isEmpty() && note.port != portName
                 ? tr("An earlier connection on %1, which is no longer there, may have left a unit with %2 (%3). The "
                      "unit that answers now on %4 is another one (%5): it got no closing lines, and the note stays "
                      "until that unit is connected again.")
                 : tr("An earlier connection on %1 may have left another unit with %2 (%3). The unit that answers "
                      "now on %4 is another one (%5): it got no closing lines, and the note stays until that unit is "
                      "connected again."))
                .arg(noted, open, unit, CFileName::Display(portName), m_unit.Text());
  }
  if (!told.isEmpty())
    Say(told.join(QStringLiteral("\n\n")), MB_OK | (closed ? MB_ICONINFORMATION : MB_ICONEXCLAMATION), false);
  return true;
}

QString CCommLink::EarlierClosingText(const CUnclosedNotes::Note& note, const QString& portName, bool locked,
                                      bool unprotected, bool closed) const {
  const QString lines = CUnclosedNotes::ClosingText(locked, unprotected);
  QString text = tr("The last connection to the unit on %1 ended before the unit had taken %2.")
                     .arg(CFileName::Display(note.port), lines);
  // Found under another name of the terminal, or on another port by who
  // the unit is: the user learns which unit got the lines.
  if (note.unit.IsEmpty() && note.port != portName)
    text += QLatin1Char(' ') + tr("The note names no unit; the unit that answers now on %1 (%2) is on the same "
                                  "terminal.")
                                   .arg(CFileName::Display(portName), m_unit.Text());
  else if (!note.unit.IsEmpty() && note.unit.Version() != m_unit.Version())
    text += QLatin1Char(' ') +
            tr("The unit that answers now on %1 is that unit (%2); its operating system has "
               "changed since (then %3).")
                .arg(CFileName::Display(portName), m_unit.Text(), CFileName::Display(note.unit.Version()));
  else if (note.port != portName)
    text += QLatin1Char(' ') +
            tr("The unit that answers now on %1 is that unit (%2).").arg(CFileName::Display(portName), m_unit.Text());
  const bool both = locked && unprotected;
  if (closed)
    text += QLatin1Char(' ') + (both ? tr("They have been sent now, and the unit has taken them.")
                                     : tr("It has been sent now, and the unit has taken it."));
  else
    text += QLatin1Char(' ') + (both ? tr("They have been sent now, but the unit has not confirmed them; they go "
                                          "again when this connection is closed.")
                                     : tr("It has been sent now, but the unit has not confirmed it; it goes again "
                                          "when this connection is closed."));
  // A line end of this connect completes a line the last one left half
  // sent, and a transfer cut short leaves the unit with part of it.
  text += QLatin1Char(' ') + tr("The unit may hold part of what that connection was sending when it ended: a whole "
                                "download puts it right.");
  return text;
}

QStringList CCommLink::UnclosedPorts() { return CUnclosedNotes::Ports(); }

QString CCommLink::UnclosedWarning() const { return m_closing.Warning(IsConnected()); }

bool CCommLink::Admit(const QString& what) {
  if (m_lineOwner.Admits()) return true;
  if (m_lineOwner.Refused() == 0) m_monitor.AddNote(tr("Not sent while a transfer has the line: %1").arg(what));
  m_lineOwner.CountRefusal();
  return false;
}

bool CCommLink::EndTransferMode(bool endLine, int limitMs) {
  if (!Admit(tr("change of the link mode"))) return !m_closing.MayBeLocked();
  if (endLine && IsConnected()) {
    // The unit may hold the start of a line whose rest it lost: a line end
    // of its own closes it, so that the closing line is not glued to it.
    m_protocol.WriteText("\r\n", QString());
    m_protocol.ForgetPath();
  }
  const bool unlocking = m_mode == LINKMODE_DOWNLOAD;
  SetMode(LINKMODE_NORMAL);
  if (!unlocking || !m_closing.MayBeLocked()) return !m_closing.MayBeLocked();
  if (!IsConnected()) return false;
  return m_closing.WaitTaken(limitMs, ConfirmsLines(), [this] { return !m_closing.MayBeLocked(); });
}

bool CCommLink::SaveUnitSettings(QString* reason) {
  QString why;
  if (!IsConnected()) {
    why = tr("the unit is not connected");
  } else if (!m_lineOwner.Admits()) {
    why = CLineOwner::Refusal();
  } else {
    m_closing.Await(kFastSave);
    SendCommand(kFastSave);
    const bool taken =
        m_closing.WaitTaken(kNoProgressTimeoutMs, ConfirmsLines(), [this] { return m_closing.AwaitedSeen(); });
    m_closing.StopAwaiting();
    if (taken) return true;
    why = !IsConnected() ? tr("the connection to the unit was lost")
          : m_port->IsHeld()
              ? tr("the unit holds the line (XOFF)")
              : tr("the unit did not confirm the line within %1 seconds").arg(kNoProgressTimeoutMs / 1000);
  }
  if (reason) *reason = why;
  return false;
}

bool CCommLink::CloseWaitTurn(qint64 waitedMs, int limitMs) {
  if (!m_closeWaitHook || m_closeCanceled) return !m_closeCanceled;
  // The window's hook and what runs meanwhile are not the closing's own.
  const CLineToken::Away away = m_lineOwner.HandAway();
  if (!m_closeWaitHook(waitedMs, limitMs)) {
    m_closeCanceled = true;
    m_monitor.AddNote(tr("The wait for the unit was cut short"));
    return false;
  }
  // The window keeps painting; whatever asks for the line meanwhile is
  // refused.
  PumpMessages();
  return !m_closeCanceled;
}

bool CCommLink::Disconnect(bool saveSettings) {
  m_savedAtClose = false;
  if (!m_port->IsOpen()) {
    if (m_connected) HandleLost(tr("Port closed"));
    return UnclosedWarning().isEmpty();
  }
  const bool was = m_connected;
  CLineToken line;
  if (was) {
    // The closing is the connection's own: nobody else writes meanwhile.
    // A taker of the line may close the connection itself; anyone else
    // waits until it has ended.
    line = TakeLine(LinePurpose::Closing);
    if (!line && !Admit(tr("Disconnect"))) return false;
  }
  bool closed = true;
  if (was) {
    // The closing's own calls; its waits hand control away (CloseWaitTurn).
    const CLineToken::Carried mine = line.Carry();
    m_closeCanceled = false;
    const CUnitClosing::WaitHook turn = [this](qint64 waited, int limit) { return CloseWaitTurn(waited, limit); };
    const bool released = m_closing.WaitReleased(kCloseWaitMs, turn);
    const bool unlocking = m_mode == LINKMODE_DOWNLOAD;
    if (m_mode != LINKMODE_NORMAL) SetMode(LINKMODE_NORMAL);
    // An unlock the unit has not taken (a transfer's, lost on the way) goes
    // again.
    if (m_closing.MayBeLocked() && !unlocking) SendCommand(CUnitClosing::LockOff());
    if (released && !m_closeCanceled) SetUnitClock();
    SendCommand(CUnitClosing::ProtectOn());
    // The save follows the protection: the unit keeps its settings as they
    // are when it saves, protected.
    if (saveSettings) {
      m_closing.Await(kFastSave);
      SendCommand(kFastSave);
    }
    // A unit that still holds the line after the wait is not waited for
    // once more; what it has taken is what counts.
    if (released && !m_closeCanceled)
      m_closing.WaitTaken(
          kNoProgressTimeoutMs, ConfirmsLines(), [this] { return m_closing.IsClosed(); }, turn);
    else
      HandleIncoming(m_port->Input());
    closed = m_closing.IsClosed();
    m_savedAtClose = saveSettings && closed && released && !m_closeCanceled &&
                     m_closing.WaitTaken(
                         kNoProgressTimeoutMs, ConfirmsLines(), [this] { return m_closing.AwaitedSeen(); }, turn);
    m_closing.StopAwaiting();
    // What follows the protection (the save) may still wait in the port's
    // own queue: it goes before the port closes.
    const bool drained = closed && m_protocol.WaitDrained(kNoProgressTimeoutMs);
    if (!drained) m_monitor.AddNote(tr("The last lines could not be sent"));
    if (m_closeWaitHook) {
      const CLineToken::Away away = m_lineOwner.HandAway();
      m_closeWaitHook(-1, 0);
    }
  }
  line.GiveBack();
  if (m_port->IsOpen()) m_port->Close();
  m_monitor.AddNote(tr("Port closed"));
  const bool connected = m_connected;
  Closed();
  if (connected) emit connectedChanged(false);
  emit linkModeChanged(m_mode);
  // The note stays: the next connect to the unit closes it.
  if (was && !closed) AfxMessageBox(UnclosedWarning(), MB_OK | MB_ICONEXCLAMATION);
  return closed;
}

void CCommLink::Closed() {
  m_connected = false;
  m_mode = LINKMODE_NORMAL;
  m_protocol.SetMode(m_mode);
  ForgetTarget();
  m_protocol.Reset();
  if (m_doc) m_doc->SetConnected(false);
}

void CCommLink::SetUnitClock() {
  const QDateTime now = QDateTime::currentDateTime();
  const QString time = Fmt("%02d:%02d:%02d", now.time().hour(), now.time().minute(), now.time().second());
  const QString date = Fmt("%02d.%02d.%04d", now.date().day(), now.date().month(), now.date().year());
  // The clock is set only when it is off by more than a few seconds or
  // shows another day.
  const QString unitTime = QueryValue("/CLOCK/MAIN/TIME");
  const QString unitDate = QueryValue("/CLOCK/MAIN/DATE");
  const int unitSeconds = SecondsOfDay(unitTime);
  const int seconds = SecondsOfDay(time);
  if (unitSeconds < 0 || std::abs(unitSeconds - seconds) > 2 || unitDate.right(10) != date) {
    SendCommand(QStringLiteral("/CLOCK/MAIN/TIME ") + time);
    SendCommand(QStringLiteral("/CLOCK/MAIN/DATE ") + date);
  }
  SendCommand(QStringLiteral("/SERVICE/ACCESS/TIME ") + time);
  SendCommand(QStringLiteral("/SERVICE/ACCESS/DATE ") + date);
}

bool CCommLink::IsConnected() const { return m_connected && m_port->IsOpen(); }

CSelvantisDoc* CCommLink::GetDocument() const { return m_doc.data(); }

void CCommLink::SetDocument(CSelvantisDoc* doc) {
  if (m_doc == doc) return;
  if (m_doc && m_connected) m_doc->SetConnected(false);
  m_doc = doc;
  if (m_doc && m_connected) m_doc->SetConnected(true);
}

// ---- Sending ---------------------------------------------------------------------------

bool CCommLink::Serves(const CSelvantisDoc* doc) const {
  if (!doc) return true;
  return m_queueing ? (!m_queueDoc || m_queueDoc == doc) : doc == m_doc.data();
}

bool CCommLink::WriteLine(const QString& line) {
  // A line that opens the unit goes only once its note is on the disk.
  if (!m_closing.BeforeWrite(line)) {
    m_monitor.AddNote(tr("Not sent: %1").arg(line));
    CMessageSink::ShowNotice(QString::fromLatin1(kUnnotedNotice),
                             tr("\"%1\" was not sent to the unit: the note that it may be left open cannot be "
                                "written to \"%2\" (%3).")
                                 .arg(line, CFileName::Display(CUnclosedNotes::FilePath()), m_closing.NoteFailure()),
                             MB_OK | MB_ICONSTOP);
    return false;
  }
  if (!m_protocol.WriteLine(line)) return false;
  m_closing.Written(line);
  return true;
}

bool CCommLink::ConfirmsLines() const {
  return CProfile::GetInt(QString::fromLatin1(LinkProfile::kUnitSection), QString::fromLatin1(LinkProfile::kEchoOn),
                          1) != 0;
}

void CCommLink::SendCommand(const QString& command, const CSelvantisDoc* doc) {
  if (!Serves(doc)) return;
  if (m_queueing) {
    m_queue.append(command);
    m_protocol.NotePath(command);
    return;
  }
  if (!Admit(command)) return;
  WriteLine(command);
}

void CCommLink::SendDeviceCommand(const QString& command, const CSelvantisDoc* doc, bool bShorten) {
  if (!Serves(doc)) return;
  SendCommand(CommandText::Shortened(command, m_protocol.LastPath(), bShorten), nullptr);
}

bool CCommLink::SendCommandList(const QStringList& commands, bool bCountAll, int reserved, QObject* replyTarget,
                                int tag) {
  QByteArray text;
  for (const QString& command : commands) text += ToUnitText(command) + "\r\n";
  if (text.size() > kMaxCommandListChars) return false;
  if (!Admit(commands.value(0))) return false;
  if (m_mode != LINKMODE_COMMANDLIST) {
    SetMode(LINKMODE_COMMANDLIST);
    RecordTarget(replyTarget, tag, reserved);
    m_expectedReplies = 0;
  } else if (m_replyTarget.isNull()) {
    // The earlier target has gone: this caller's replies must reach it.
    RecordTarget(replyTarget, tag, reserved);
  }
  if (bCountAll) {
    m_expectedReplies += commands.size();
    const int echo =
        CProfile::GetInt(QString::fromLatin1(LinkProfile::kUnitSection), QString::fromLatin1(LinkProfile::kEchoOn), 1);
    if (echo) m_expectedReplies += commands.size();
  }
  m_replyList.clear();
  if (commands.isEmpty()) return true;
  if (!m_protocol.WriteText(text, commands.last())) return false;
  m_protocol.NoteListWritten(commands);
  return true;
}

void CCommLink::RecordTarget(QObject* target, int tag, int reserved) {
  ForgetTarget();
  m_replyTarget = target;
  m_replyTag = tag;
  m_reserved = reserved;
  if (target) m_targetConnection = connect(target, &QObject::destroyed, this, &CCommLink::OnTargetDestroyed);
}

void CCommLink::ForgetTarget() {
  if (m_targetConnection) disconnect(m_targetConnection);
  m_targetConnection = QMetaObject::Connection();
  m_replyTarget = nullptr;
}

void CCommLink::OnTargetDestroyed() {
  // A window that collected replies has gone without resetting the mode:
  // the link must not stay deaf to the document.
  m_targetConnection = QMetaObject::Connection();
  if (m_mode == LINKMODE_COMMANDLIST && m_lineOwner.Admits()) SetMode(LINKMODE_NORMAL);
}

void CCommLink::SetLinkMode(int mode) {
  // A window that closes while a transfer runs changes nothing.
  if (mode == m_mode || !Admit(tr("change of the link mode"))) return;
  SetMode(mode);
}

void CCommLink::SetMode(int mode) {
  const int old = m_mode;
  if (mode == LINKMODE_DOWNLOAD && old != LINKMODE_DOWNLOAD) SendCommand(CUnitClosing::LockOn());
  // Whatever mode follows a download, the unit's macros must not stay
  // locked.
  if (old == LINKMODE_DOWNLOAD && mode != LINKMODE_DOWNLOAD) SendCommand(CUnitClosing::LockOff());
  if (old == LINKMODE_COMMANDLIST && mode != LINKMODE_COMMANDLIST) ForgetTarget();
  m_protocol.SetMode(mode);
  m_mode = mode;
  if (old != mode) emit linkModeChanged(mode);
}

void CCommLink::OnSaveVmxSettings() { SendCommand(kFastSave); }

// ---- Buffers and time -------------------------------------------------------------------

int CCommLink::OutBufferCount() const { return m_queueing ? 0 : m_port->OutBufferCount(); }

int CCommLink::InBufferCount() const { return m_port->InBufferCount(); }

void CCommLink::PumpMessages() {
  // What runs now is not the code of whoever has the line.
  const CLineToken::Away away = m_lineOwner.HandAway();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void CCommLink::AwaitEvents(int maxMs) {
  const CLineToken::Away away = m_lineOwner.HandAway();
  // The port wakes the loop when the unit sends and while output waits
  // (its pump); the timer bounds the wait for what only the clock tells
  // (a quiet line, the no-progress limit).
  m_wakeTimer->start(qMax(1, maxMs));
  QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

// ---- Queueing ------------------------------------------------------------------------------

void CCommLink::StartQueue(const CSelvantisDoc* doc) {
  m_queueing = true;
  m_queueDoc = doc;
  m_queue.clear();
  // The collected lines start a stream of their own.
  m_protocol.ForgetPath();
}

QStringList CCommLink::TakeQueue() {
  m_queueing = false;
  m_queueDoc = nullptr;
  m_protocol.ForgetPath();
  QStringList lines;
  lines.swap(m_queue);
  return lines;
}

// ---- Receiving ------------------------------------------------------------------------------

void CCommLink::OnPortReceive() { HandleIncoming(m_port->Input()); }

void CCommLink::HandleIncoming(const QByteArray& bytes) {
  if (bytes.isEmpty()) return;
  m_protocol.NoteInput();
  m_monitor.AddReceived(bytes);
  if (m_protocol.Capturing()) {
    m_protocol.Capture(bytes);
    return;
  }
  RouteBytes(bytes);
}

void CCommLink::RouteBytes(const QByteArray& bytes) {
  const QStringList lines = m_protocol.Cut(bytes);
  if (!lines.isEmpty()) RouteLines(lines);
}

void CCommLink::RouteLines(const QStringList& lines) {
  for (const QString& line : lines) m_closing.Echoed(line);
  for (const QString& line : lines) m_protocol.TakeEcho(line);
  switch (m_mode) {
    case LINKMODE_NORMAL:
    case LINKMODE_UPLOAD:
      for (const QString& line : lines) {
        // A late answer to an upload that has ended must not change the
        // project it left behind.
        const bool stale = m_protocol.OwedStale();
        QString answered;
        const bool answer = m_protocol.TakeAnswer(line, &answered);
        if (answer && stale && m_mode != LINKMODE_UPLOAD) continue;
        IQueryObserver* observer = answer && m_mode == LINKMODE_UPLOAD ? m_protocol.QueryObserver() : nullptr;
        if (observer) observer->AnswerArrived(answered, line);
        const bool more = RouteToDocument(line);
        if (observer) observer->AnswerRouted(answered);
        if (!more) break;
      }
      break;
    case LINKMODE_COMMANDLIST: {
      for (const QString& line : lines) m_protocol.TakeAnswer(line);
      m_replyList += lines;
      QObject* target = m_replyTarget.data();
      if (!target) break;
      const QStringList copy = m_replyList;
      const int tag = m_replyTag;
      DeliverCommReply(target, tag, copy);
      emit commReply(target, tag, copy);
      break;
    }
    default:
      for (const QString& line : lines) {
        // The unit refused a line of the download.
        if (!m_protocol.TakeAnswer(line)) m_protocol.NoteRefusal(line);
      }
      break;
  }
}

bool CCommLink::RouteToDocument(const QString& line) {
  // A handler may change the mode or the document: look again each time.
  if (m_mode != LINKMODE_NORMAL && m_mode != LINKMODE_UPLOAD) return false;
  CSelvantisDoc* doc = m_doc.data();
  if (!doc) return false;
  if (!line.startsWith(QLatin1Char('/'))) return true;
  // A name may end in "?": only an echoed query has the value "?".
  if (m_mode == LINKMODE_UPLOAD && ValueOf(line) == QLatin1String("?")) return true;
  doc->RouteReplyLine(line, m_errorFilePath, m_mode);
  return true;
}

void CCommLink::OnPortError(const QString& text, bool closed) {
  m_monitor.AddNote(text);
  emit linkError(tr("Serial port: %1").arg(text));
  if (closed) HandleLost(text);
}

void CCommLink::HandleLost(const QString& text) {
  const bool was = m_connected;
  // The unit did not get the closing lines: the note written before it was
  // opened stays for the next connect.
  Closed();
  if (!was) return;
  emit connectedChanged(false);
  emit linkModeChanged(m_mode);
  if (m_lossDeferred) {
    m_untoldLoss = text;
    return;
  }
  TellLoss(text);
}

void CCommLink::TellLoss(const QString& reason) {
  // A notice, not a box that waits: it goes when the connection is back.
  // Shown from the event loop: the port is in the middle of its own error
  // handling now.
  QString message = LossText(reason);
  const QString unclosed = UnclosedWarning();
  if (!unclosed.isEmpty()) message += QLatin1Char('\n') + unclosed;
  QTimer::singleShot(0, this, [this, message] {
    if (!IsConnected()) CMessageSink::ShowNotice(QString::fromLatin1(kLossNotice), message, MB_OK | MB_ICONSTOP);
  });
}

void CCommLink::DeferLossMessage(bool defer) {
  m_lossDeferred = defer;
  if (defer || m_untoldLoss.isEmpty()) return;
  TellLoss(m_untoldLoss);
  m_untoldLoss.clear();
}

QString CCommLink::TakeLossReason() {
  QString reason;
  reason.swap(m_untoldLoss);
  return reason;
}

// ---- Synchronous exchanges ----------------------------------------------------------------

void CCommLink::Busy(bool busy) {
  if (m_busyHook) m_busyHook(busy);
}

void CCommLink::BeginCapture() {
  // What came before the exchange belongs to the routing.
  HandleIncoming(m_port->Input());
  m_protocol.BeginCapture();
}

QByteArray CCommLink::EndCapture(bool markCut) {
  HandleIncoming(m_port->Input());
  const QByteArray captured = m_protocol.EndCapture(markCut);
  // The echo of a closing line may come in an exchange.
  for (const QByteArray& line : captured.split('\n')) m_closing.Echoed(FromUnitText(line.trimmed()));
  return captured;
}

QString CCommLink::SendAndRead(const QString& command, int delayMs) {
  if (!IsConnected() || !Admit(command)) return QString();
  Busy(true);
  BeginCapture();
  if (WriteLine(command)) m_protocol.WaitFor(qMax(0, delayMs));
  QByteArray raw = EndCapture(false);
  Busy(false);
  // Lines that came before the echo of this command answer earlier
  // commands (an echo still on its way): they go to the routing, not to
  // the caller.
  const QByteArray echo = ToUnitText(command) + '\r';
  int at = raw.startsWith(echo) ? 0 : -1;
  for (int from = 0; at < 0;) {
    const int found = raw.indexOf(echo, from);
    if (found < 0) break;
    if (raw[found - 1] == '\n' || raw[found - 1] == '\r') at = found;
    from = found + 1;
  }
  if (at > 0) {
    RouteBytes(raw.left(at));
    raw.remove(0, at);
  }
  m_protocol.MarkCut(raw);
  return FromUnitText(raw);
}

QString CCommLink::SendQuery(const QString& command) {
  // The time the line needs both ways at 1920 characters a second, the
  // unit's turn-around, and a margin.
  const int n = command.size() + 2;
  const int waitMs = static_cast<int>(std::ceil((2.0 * n / 1920.0 + 1.0 / 96.0) * 1000.0)) + 100;
  const QString raw = SendAndRead(command, waitMs);
  if (!raw.startsWith(command)) return raw;
  int skip = command.size();
  for (int i = 0; i < 2 && skip < raw.size() && (raw[skip] == QLatin1Char('\r') || raw[skip] == QLatin1Char('\n')); ++i)
    ++skip;
  return raw.mid(skip);
}

QString CCommLink::QueryValue(const char* path) {
  const QString p = QString::fromLatin1(path);
  return CUnitInfo::ReplyValue(SendQuery(p + QStringLiteral(" ?")), p);
}

bool CCommLink::SendListAndWait(const QStringList& commands, QStringList* replies) {
  if (replies) replies->clear();
  if (!IsConnected() || !Admit(commands.value(0))) return false;
  Busy(true);
  BeginCapture();
  QByteArray text;
  for (const QString& command : commands) text += ToUnitText(command) + "\r\n";
  bool ok = commands.isEmpty() || m_protocol.WriteText(text, commands.last());
  if (ok) ok = m_protocol.WaitDrained(kNoProgressTimeoutMs);
  if (ok) {
    m_protocol.WaitFor(kListSettleMs);
    // An answer still coming in: wait for its line end while data flow,
    // at most until the time limit.
    QElapsedTimer limit;
    limit.start();
    auto partial = [this] {
      const QByteArray& capture = m_protocol.Captured();
      return !capture.isEmpty() && !capture.endsWith('\r') && !capture.endsWith('\n');
    };
    while (m_port->IsOpen() && partial() && limit.elapsed() < kNoProgressTimeoutMs) {
      if (!m_port->WaitForInput(200)) break;
    }
    ok = m_port->IsOpen();
  }
  const QByteArray raw = EndCapture();
  Busy(false);
  if (!ok) return false;
  CLineCutter cutter;
  QStringList lines = cutter.Feed(raw);
  QByteArray rest = cutter.Partial();
  int start = 0;
  while (start < rest.size() && (rest[start] == '\n' || rest[start] == '\r')) ++start;
  rest.remove(0, start);
  if (!rest.isEmpty()) lines.append(FromUnitText(rest));
  for (const QString& command : commands) {
    const int echo = lines.indexOf(command);
    if (echo >= 0) lines.removeAt(echo);
  }
  if (replies) *replies = lines;
  return true;
}

// ---- Error file ------------------------------------------------------------------------------

QString CCommLink::GetErrorFilePath() {
  m_errorFilePath.clear();
  const CSelvantisDoc* doc = m_doc ? m_doc.data() : GetActiveDoc();
  const QString project = doc ? doc->GetPathName() : QString();
  if (project.isEmpty()) return QString();
  const QFileInfo info(project);
  const QString path = info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".err");
  QFile file;
  QString reason;
  if (!CFileName::OpenForWriting(file, path, false, &reason)) {
    qCWarning(lcLink) << "error file" << CFileName::Display(path) << "cannot be created:" << reason;
    return QString();
  }
  m_errorFilePath = path;
  return path;
}

void CCommLink::ShowErrorFile() {
  const QString path = m_errorFilePath;
  m_errorFilePath.clear();
  if (CFileName::Size(path) <= 0) return;
  if (m_viewer) m_viewer(path);
}
