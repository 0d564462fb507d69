#include "link/ccommlink.h"

#include "link/cmscomm.h"
#include "link/commandpath.h"
#include "link/commandtext.h"
#include "link/commreply.h"
#include "link/cunitinfo.h"
#include "link/linkprofile.h"
#include "link/portaccesshint.h"
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

using CommandText::PathOf;
using CommandText::ValueOf;

// "hh:mm:ss" as seconds of the day, -1 when unreadable.
int SecondsOfDay(const QString& text) {
  const QStringList parts = text.trimmed().left(8).split(QLatin1Char(':'));
  if (parts.size() != 3) return -1;
  int h = 0, m = 0, s = 0;
  if (!ScanInt(parts[0], &h) || !ScanInt(parts[1], &m) || !ScanInt(parts[2], &s)) return -1;
  return h * 3600 + m * 60 + s;
}

const QString kLockOn = QStringLiteral("/MACRO/LOCK ON");
const QString kLockOff = QStringLiteral("/MACRO/LOCK OFF");
const QString kProtectOn = QStringLiteral("/PROTECT ON");
const QString kProtectOff = QStringLiteral("/PROTECT OFF");
const QString kFastSave = QStringLiteral("/SERVICE/START FASTSAVE");

}  // namespace

CCommLink::CCommLink(QObject* parent) : QObject(parent), m_port(std::make_unique<CMSComm>()) { Init(); }

CCommLink::CCommLink(std::unique_ptr<ISerialPort> port, QObject* parent) : QObject(parent), m_port(std::move(port)) {
  Init();
}

void CCommLink::Init() {
  m_holdTimer = new QTimer(this);
  m_holdTimer->setSingleShot(true);
  m_holdTimer->setTimerType(Qt::PreciseTimer);
  m_holdTimer->setInterval(kHoldNewsMs);
  connect(m_holdTimer, &QTimer::timeout, this, &CCommLink::OnHoldLasted);
  m_port->SetHandlers([this] { OnPortReceive(); },
                      [this](const QString& text, bool closed) { OnPortError(text, closed); });
  m_port->SetHoldHandler([this](bool held) { OnHold(held); });
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
  if (IsConnected()) {
    const QSignalBlocker quiet(this);
    Disconnect(false);
  }
  if (GetDeviceLink() == this) SetDeviceLink(nullptr);
  m_port->SetHandlers(nullptr, nullptr);
  m_port->SetHoldHandler(nullptr);
  ForgetTarget();
  if (m_port->IsOpen()) m_port->Close();
}

// ---- Connection ------------------------------------------------------------------

bool CCommLink::Connect(CSelvantisDoc* doc) {
  const QString port =
      CProfile::GetString(QString::fromLatin1(LinkProfile::kComSection), QString::fromLatin1(LinkProfile::kPort),
                          QString::fromLatin1(LinkProfile::kDefaultPort));
  return ConnectPort(port, doc);
}

bool CCommLink::ConnectPort(const QString& portName, CSelvantisDoc* doc) {
  const QString settings =
      CProfile::GetString(QString::fromLatin1(LinkProfile::kComSection), QString::fromLatin1(LinkProfile::kSettings),
                          QString::fromLatin1(LinkProfile::kDefaultSettings));
  return ConnectPort(portName, settings, doc);
}

bool CCommLink::ConnectPort(const QString& portName, const QString& settings, CSelvantisDoc* doc) {
  if (IsConnected()) {
    SetDocument(doc);
    return true;
  }
  QString error;
  if (!m_port->Open(portName, settings, &error)) {
    QString text = tr("The serial port %1 cannot be opened.\n( %2 )").arg(portName, error);
    const QString hint = PortAccessHint::For(portName);
    if (!hint.isEmpty()) text += QStringLiteral("\n\n") + hint;
    AfxMessageBox(text, MB_OK | MB_ICONSTOP);
    return false;
  }
  m_cutter.Reset();
  m_lastPath.clear();
  m_owed.clear();
  m_owedStale = false;
  ForgetTarget();
  m_replyList.clear();
  m_mode = LINKMODE_NORMAL;
  m_doc = doc;
  m_connected = true;
  m_portName = portName;
  m_unitLocked = m_unitUnprotected = false;
  m_lockOffWritten = m_protectOnWritten = false;
  m_monitor.AddNote(tr("Port %1 open").arg(portName));

  const QString deviceId = QueryIdentity(CUnitInfo::kDeviceIdPath);
  const QString version = QueryIdentity(CUnitInfo::kVersionPath);
  if (!m_port->IsOpen()) {
    // Lost while asking; HandleLost has reset the state.
    m_connected = false;
    AfxMessageBox(tr("The connection to the unit on %1 was lost while connecting.").arg(portName), MB_OK | MB_ICONSTOP);
    return false;
  }
  if (deviceId.isEmpty() && version.isEmpty()) {
    m_port->Close();
    m_connected = false;
    m_monitor.AddNote(tr("No answer"));
    AfxMessageBox(tr("The unit does not answer on %1.\nCheck the cable and the port settings.").arg(portName),
                  MB_OK | MB_ICONSTOP);
    return false;
  }
  if (version.isEmpty()) {
    // What the download sends depends on the version: one not read is
    // never stored, nor capabilities guessed from nothing.
    m_port->Close();
    m_connected = false;
    m_monitor.AddNote(tr("No version"));
    AfxMessageBox(tr("The unit on %1 did not tell its operating-system version.\nConnect again.").arg(portName),
                  MB_OK | MB_ICONSTOP);
    return false;
  }
  int id = 0;
  ScanInt(deviceId, &id);
  CUnitInfo::Store(id, version);
  FinishEarlierClosing(portName);
  if (!m_port->IsOpen()) {
    m_connected = false;
    return false;
  }
  // The unit's parameters are protected while nobody is connected.
  SendCommand(kProtectOff);
  if (m_doc) m_doc->SetConnected(true);
  emit connectedChanged(true);
  return true;
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

void CCommLink::FinishEarlierClosing(const QString& portName) {
  if (!UnclosedPorts().contains(portName)) return;
  // The last connection to this port ended before the unit took these.
  m_unitLocked = m_unitUnprotected = true;
  SendCommand(kLockOff);
  SendCommand(kProtectOn);
  const bool done = WaitTaken(kNoProgressTimeoutMs, [this] { return !m_unitLocked && !m_unitUnprotected; });
  if (done) {
    NoteUnclosed(portName, false);
    AfxMessageBox(tr("The last connection to the unit on %1 ended before the unit had taken \"/MACRO/LOCK OFF\" "
                     "and \"/PROTECT ON\". They have been sent now: its macros are unlocked and its settings "
                     "protected.")
                      .arg(portName),
                  MB_OK | MB_ICONINFORMATION);
  } else {
    AfxMessageBox(UnclosedWarning(), MB_OK | MB_ICONEXCLAMATION);
  }
}

QStringList CCommLink::UnclosedPorts() {
  return CProfile::GetString(QString::fromLatin1(LinkProfile::kComSection),
                             QString::fromLatin1(LinkProfile::kUnclosedPorts))
      .split(QLatin1Char('|'), Qt::SkipEmptyParts);
}

void CCommLink::NoteUnclosed(const QString& portName, bool unclosed) {
  if (portName.isEmpty()) return;
  QStringList ports = UnclosedPorts();
  if (unclosed == ports.contains(portName)) return;
  if (unclosed)
    ports.append(portName);
  else
    ports.removeAll(portName);
  const QString section = QString::fromLatin1(LinkProfile::kComSection);
  const QString key = QString::fromLatin1(LinkProfile::kUnclosedPorts);
  if (ports.isEmpty())
    CProfile::Remove(section, key);
  else
    CProfile::WriteString(section, key, ports.join(QLatin1Char('|')));
}

QString CCommLink::UnclosedWarning() const {
  if (IsConnected()) {
    if (!m_unitLocked) return QString();
    return tr(
        "The unit may still have its macros locked: it has not taken \"/MACRO/LOCK OFF\" yet. It gets the "
        "line when it takes data again; Disconnect sends it again, or send \"/MACRO/LOCK OFF\" to the unit.");
  }
  if (!m_unitLocked && !m_unitUnprotected) return QString();
  return tr(
      "The unit may still have its macros locked and its settings unprotected: the connection ended before "
      "it had taken \"/MACRO/LOCK OFF\" and \"/PROTECT ON\". Connect to it again (the program then sends "
      "both first), or send these two lines to the unit.");
}

bool CCommLink::WaitReleased(int limitMs) {
  QElapsedTimer clock;
  clock.start();
  while (m_port->IsOpen() && m_port->IsHeld()) {
    if (clock.elapsed() > limitMs) return false;
    m_port->WaitForInput(50);
  }
  return m_port->IsOpen();
}

bool CCommLink::WaitTaken(int limitMs, const std::function<bool()>& done) {
  const bool echoes = ConfirmsLines();
  QElapsedTimer clock;
  clock.start();
  int last = m_port->OutBufferCount();
  while (m_port->IsOpen()) {
    HandleIncoming(m_port->Input());
    const int out = m_port->OutBufferCount();
    if (!echoes && out == 0) {
      // A unit without echo: what has left the port is what it gets.
      if (m_lockOffWritten) m_unitLocked = false;
      if (m_protectOnWritten) m_unitUnprotected = false;
      if (!m_awaitedEcho.isEmpty()) m_awaitedSeen = true;
    }
    if (done()) return true;
    // Only output that goes is progress: a unit that holds the line and
    // chatters on does not keep this wait open.
    if (out < last) clock.restart();
    last = out;
    if (clock.elapsed() > limitMs) return false;
    m_port->WaitForInput(20);
  }
  return done();
}

void CCommLink::NoteClosingLine(const QString& line) {
  if (line == kLockOn) {
    m_unitLocked = true;
    m_lockOffWritten = false;
  } else if (line == kLockOff) {
    m_lockOffWritten = true;
  } else if (line == kProtectOff) {
    m_unitUnprotected = true;
    m_protectOnWritten = false;
  } else if (line == kProtectOn) {
    m_protectOnWritten = true;
  }
}

void CCommLink::NoteClosingEcho(const QString& line) {
  if (line == kLockOff && m_lockOffWritten) m_unitLocked = false;
  if (line == kProtectOn && m_protectOnWritten) m_unitUnprotected = false;
  if (!m_awaitedEcho.isEmpty() && line == m_awaitedEcho) m_awaitedSeen = true;
}

bool CCommLink::Admit(const QString& what) {
  if (m_closing || m_owner.Admits()) return true;
  if (m_owner.Refused() == 0) m_monitor.AddNote(tr("Not sent while a transfer has the line: %1").arg(what));
  m_owner.CountRefusal();
  return false;
}

void CCommLink::GiveBackLine(const void* owner) {
  if (!m_owner.IsTaken()) return;
  const int refused = m_owner.Refused();
  m_owner.GiveBack(owner);
  if (!m_owner.IsTaken() && refused > 0)
    m_monitor.AddNote(tr("%1 requests of other windows were not sent during the transfer").arg(refused));
}

bool CCommLink::EndTransferMode(bool endLine, int limitMs) {
  if (!Admit(tr("change of the link mode"))) return !m_unitLocked;
  if (endLine && IsConnected()) {
    // The unit may hold the start of a line whose rest it lost: a line end
    // of its own closes it, so that the closing line is not glued to it.
    WriteText("\r\n", QString());
    m_lastPath.clear();
  }
  const bool unlocking = m_mode == LINKMODE_DOWNLOAD;
  SetMode(LINKMODE_NORMAL);
  if (!unlocking || !m_unitLocked) return !m_unitLocked;
  if (!IsConnected()) return false;
  return WaitTaken(limitMs, [this] { return !m_unitLocked; });
}

bool CCommLink::SaveUnitSettings(QString* reason) {
  QString why;
  if (!IsConnected()) {
    why = tr("the unit is not connected");
  } else if (!m_owner.Admits()) {
    why = CLineOwner::Refusal();
  } else {
    m_awaitedEcho = kFastSave;
    m_awaitedSeen = false;
    SendCommand(kFastSave);
    const bool taken = WaitTaken(kNoProgressTimeoutMs, [this] { return m_awaitedSeen; });
    m_awaitedEcho.clear();
    if (taken) return true;
    why = !IsConnected() ? tr("the connection to the unit was lost")
          : m_port->IsHeld()
              ? tr("the unit holds the line (XOFF)")
              : tr("the unit did not confirm the line within %1 seconds").arg(kNoProgressTimeoutMs / 1000);
  }
  if (reason) *reason = why;
  return false;
}

bool CCommLink::Disconnect(bool saveSettings) {
  m_savedAtClose = false;
  if (!m_port->IsOpen()) {
    if (m_connected) HandleLost(tr("Port closed"));
    return UnclosedWarning().isEmpty();
  }
  bool closed = true;
  if (m_connected) {
    // Whoever had the line, the connection ends now.
    const QScopedValueRollback<bool> closing(m_closing, true);
    const bool released = WaitReleased(kCloseWaitMs);
    const bool unlocking = m_mode == LINKMODE_DOWNLOAD;
    if (m_mode != LINKMODE_NORMAL) SetMode(LINKMODE_NORMAL);
    // An unlock the unit has not taken (a transfer's, lost on the way) goes
    // again.
    if (m_unitLocked && !unlocking) SendCommand(kLockOff);
    if (released) SetUnitClock();
    SendCommand(kProtectOn);
    // The save follows the protection: the unit keeps its settings as they
    // are when it saves, protected.
    if (saveSettings) {
      m_awaitedEcho = kFastSave;
      m_awaitedSeen = false;
      SendCommand(kFastSave);
    }
    closed = released && WaitTaken(kNoProgressTimeoutMs, [this] { return !m_unitLocked && !m_unitUnprotected; });
    m_savedAtClose = saveSettings && closed && WaitTaken(kNoProgressTimeoutMs, [this] { return m_awaitedSeen; });
    m_awaitedEcho.clear();
    // What follows the protection (the save) may still wait in the port's
    // own queue: it goes before the port closes.
    const bool drained = closed && WaitDrained(kNoProgressTimeoutMs);
    if (!drained) m_monitor.AddNote(tr("The last lines could not be sent"));
  }
  m_port->Close();
  m_monitor.AddNote(tr("Port closed"));
  const bool was = m_connected;
  m_connected = false;
  m_mode = LINKMODE_NORMAL;
  ForgetTarget();
  m_cutter.Reset();
  m_lastPath.clear();
  if (m_doc) m_doc->SetConnected(false);
  if (was) emit connectedChanged(false);
  emit linkModeChanged(m_mode);
  if (was && !closed) {
    NoteUnclosed(m_portName, true);
    AfxMessageBox(UnclosedWarning(), MB_OK | MB_ICONEXCLAMATION);
  }
  return closed;
}

void CCommLink::SetUnitClock() {
  {
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

void CCommLink::NotePath(const QString& line) {
  // A shortened line (" value") keeps the path it continues.
  m_lastPath = CommandText::NextPath(line, m_lastPath);
}

bool CCommLink::WriteText(const QByteArray& text, const QString& lastLine) {
  if (text.isEmpty()) return true;
  if (!m_port->IsOpen() || !m_port->Output(text)) {
    // The unit did not get it: the next line must carry its full path.
    m_lastPath.clear();
    return false;
  }
  m_monitor.AddSent(text);
  m_lastOutput.start();
  NotePath(lastLine);
  return true;
}

bool CCommLink::WriteLine(const QString& line) {
  if (!WriteText(ToUnitText(line) + "\r\n", line)) return false;
  NoteClosingLine(line);
  NoteWritten(line);
  NoteQuery(line);
  return true;
}

void CCommLink::NoteWritten(const QString& line) {
  // A synchronous exchange takes its echo itself.
  if (!m_tallying || m_capturing) return;
  ++m_tally.written;
  if (m_mode == LINKMODE_UPLOAD && ValueOf(line) == QLatin1String("?")) ++m_tally.queries;
  if (!m_confirming) return;
  // NotePath has run: a shortened line continues the path written last.
  m_unechoed.push_back(SentLine{line, line.startsWith(QLatin1Char(' ')) ? m_lastPath + line : line});
}

bool CCommLink::TakeEcho(const QString& line) {
  // The echo is cut as every received line is.
  auto same = [&line](const QString& sent) {
    return sent.size() > CLineCutter::kDefaultMaxLineChars
               ? QStringView(sent).left(CLineCutter::kDefaultMaxLineChars) == line
               : sent == line;
  };
  for (size_t i = 0; i < m_unechoed.size(); ++i) {
    const SentLine& sent = m_unechoed[i];
    if (!same(sent.text) && !same(sent.full)) continue;
    // The unit echoes in order: the lines before this one never reached it
    // whole.
    for (size_t j = 0; j < i; ++j) {
      ++m_tally.missed;
      if (m_firstMissed.isEmpty()) m_firstMissed = PathOf(m_unechoed[j].full);
    }
    m_unechoed.erase(m_unechoed.begin(), m_unechoed.begin() + static_cast<std::ptrdiff_t>(i) + 1);
    ++m_tally.echoed;
    ++m_tally.replies;
    return true;
  }
  return false;
}

bool CCommLink::ConfirmsLines() const {
  return CProfile::GetInt(QString::fromLatin1(LinkProfile::kUnitSection), QString::fromLatin1(LinkProfile::kEchoOn),
                          1) != 0;
}

void CCommLink::StartTally() {
  m_tallying = true;
  m_confirming = ConfirmsLines();
  m_tally = Tally();
  m_unechoed.clear();
  m_firstMissed.clear();
  m_firstRefused.clear();
}

void CCommLink::StopTally() {
  m_tallying = false;
  m_unechoed.clear();
}

QString CCommLink::FirstUnconfirmedPath() const {
  if (!m_firstMissed.isEmpty()) return m_firstMissed;
  return m_unechoed.empty() ? QString() : PathOf(m_unechoed.front().full);
}

int CCommLink::DiscardQueued() {
  const int dropped = m_port->DiscardQueued();
  if (dropped > 0) {
    m_monitor.AddNote(tr("%1 characters not sent").arg(dropped));
    // What follows must carry its full path.
    m_lastPath.clear();
  }
  return dropped;
}

void CCommLink::NoteQuery(const QString& line) {
  // A synchronous exchange takes its answer itself.
  if (m_mode != LINKMODE_UPLOAD || m_capturing || ValueOf(line) != QLatin1String("?")) return;
  // A shortened line continues the path written before it.
  m_owed.push_back(CommandText::NextPath(line, m_lastPath));
  if (m_queryObserver) m_queryObserver->QueryWritten(m_owed.back());
}

bool CCommLink::TakeAnswer(const QString& line, QString* answered) {
  if (m_owed.empty()) return false;
  QString path;
  if (line.startsWith(QLatin1String("ERROR "))) {
    path = line.mid(6).trimmed();
  } else {
    if (!line.startsWith(QLatin1Char('/')) || ValueOf(line) == QLatin1String("?")) return false;
    path = PathOf(line);
  }
  // Answers come in order; one whose query went unanswered leaves a gap.
  for (auto it = m_owed.begin(); it != m_owed.end(); ++it) {
    if (!CommandPath::Same(*it, path)) continue;
    if (answered) *answered = *it;
    m_owed.erase(it);
    if (m_owed.empty()) m_owedStale = false;
    if (m_tallying && !m_owedStale) {
      ++m_tally.answered;
      ++m_tally.replies;
    }
    return true;
  }
  return false;
}

void CCommLink::SendCommand(const QString& command, const CSelvantisDoc* doc) {
  if (!Serves(doc)) return;
  if (m_queueing) {
    m_queue.append(command);
    NotePath(command);
    return;
  }
  if (!Admit(command)) return;
  WriteLine(command);
}

void CCommLink::SendDeviceCommand(const QString& command, const CSelvantisDoc* doc, bool bShorten) {
  if (!Serves(doc)) return;
  SendCommand(CommandText::Shortened(command, m_lastPath, bShorten), nullptr);
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
  if (!WriteText(text, commands.last())) return false;
  // The list went out as one text; for the tally each line counts. Only
  // its last path is noted, so the lines carry their paths as given.
  const QString last = m_lastPath;
  for (const QString& command : commands) {
    m_lastPath = CommandText::NextPath(command, m_lastPath);
    NoteWritten(command);
  }
  m_lastPath = last;
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
  if (m_mode == LINKMODE_COMMANDLIST && m_owner.Admits()) SetMode(LINKMODE_NORMAL);
}

void CCommLink::SetLinkMode(int mode) {
  // A window that closes while a transfer runs changes nothing.
  if (mode == m_mode || !Admit(tr("change of the link mode"))) return;
  SetMode(mode);
}

void CCommLink::SetMode(int mode) {
  const int old = m_mode;
  if (mode == LINKMODE_DOWNLOAD && old != LINKMODE_DOWNLOAD) SendCommand(kLockOn);
  // Whatever mode follows a download, the unit's macros must not stay
  // locked.
  if (old == LINKMODE_DOWNLOAD && mode != LINKMODE_DOWNLOAD) SendCommand(kLockOff);
  if (old == LINKMODE_COMMANDLIST && mode != LINKMODE_COMMANDLIST) ForgetTarget();
  // A new upload counts its own queries; when one ends, the answers it is
  // still owed belong to nothing any more.
  if (mode == LINKMODE_UPLOAD && old != LINKMODE_UPLOAD) {
    m_owed.clear();
    m_owedStale = false;
  }
  if (old == LINKMODE_UPLOAD && mode != LINKMODE_UPLOAD && !m_owed.empty()) m_owedStale = true;
  m_mode = mode;
  if (old != mode) emit linkModeChanged(mode);
}

void CCommLink::OnSaveVmxSettings() { SendCommand(kFastSave); }

// ---- Buffers and time -------------------------------------------------------------------

int CCommLink::OutBufferCount() const { return m_queueing ? 0 : m_port->OutBufferCount(); }

int CCommLink::InBufferCount() const { return m_port->InBufferCount(); }

int64_t CCommLink::GetTimeSinceLastOutput() const {
  return m_lastOutput.isValid() ? m_lastOutput.elapsed() : INT64_MAX / 2;
}

int64_t CCommLink::GetTimeSinceLastInput() const {
  return m_lastInput.isValid() ? m_lastInput.elapsed() : INT64_MAX / 2;
}

void CCommLink::PumpMessages() {
  // What runs now is not the code of whoever has the line.
  CLineOwner::Pumping others(m_owner);
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

// ---- Queueing ------------------------------------------------------------------------------

void CCommLink::StartQueue(const CSelvantisDoc* doc) {
  m_queueing = true;
  m_queueDoc = doc;
  m_queue.clear();
  // The collected lines start a stream of their own.
  m_lastPath.clear();
}

QStringList CCommLink::TakeQueue() {
  m_queueing = false;
  m_queueDoc = nullptr;
  m_lastPath.clear();
  QStringList lines;
  lines.swap(m_queue);
  return lines;
}

// ---- Receiving ------------------------------------------------------------------------------

void CCommLink::OnPortReceive() { HandleIncoming(m_port->Input()); }

void CCommLink::HandleIncoming(const QByteArray& bytes) {
  if (bytes.isEmpty()) return;
  m_lastInput.start();
  m_monitor.AddReceived(bytes);
  if (m_capturing) {
    m_capture.append(bytes);
    return;
  }
  RouteBytes(bytes);
}

void CCommLink::RouteBytes(const QByteArray& bytes) {
  QStringList lines;
  if (m_cutter.Feed(bytes, lines) > 0) RouteLines(lines);
}

void CCommLink::RouteLines(const QStringList& lines) {
  for (const QString& line : lines) NoteClosingEcho(line);
  if (m_tallying && !m_unechoed.empty())
    for (const QString& line : lines) TakeEcho(line);
  switch (m_mode) {
    case LINKMODE_NORMAL:
    case LINKMODE_UPLOAD:
      for (const QString& line : lines) {
        // A late answer to an upload that has ended must not change the
        // project it left behind.
        const bool stale = m_owedStale;
        QString answered;
        const bool answer = TakeAnswer(line, &answered);
        if (answer && stale && m_mode != LINKMODE_UPLOAD) continue;
        IQueryObserver* observer = answer && m_mode == LINKMODE_UPLOAD ? m_queryObserver : nullptr;
        if (observer) observer->AnswerArrived(answered, line);
        const bool more = RouteToDocument(line);
        if (observer) observer->AnswerRouted(answered);
        if (!more) break;
      }
      break;
    case LINKMODE_COMMANDLIST: {
      for (const QString& line : lines) TakeAnswer(line);
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
        if (TakeAnswer(line) || !m_tallying || !line.startsWith(QLatin1String("ERROR "))) continue;
        // The unit refused a line of the download.
        ++m_tally.refused;
        if (m_firstRefused.isEmpty()) m_firstRefused = line.mid(6).trimmed();
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
  const QString shown = Fmt("( %s )", text.toLatin1().constData());
  m_monitor.AddNote(shown);
  emit linkError(shown);
  if (closed) HandleLost(text);
}

void CCommLink::HandleLost(const QString& text) {
  const bool was = m_connected;
  // The unit did not get the closing lines: the next connect sends them.
  if (was && (m_unitLocked || m_unitUnprotected)) NoteUnclosed(m_portName, true);
  m_connected = false;
  m_mode = LINKMODE_NORMAL;
  ForgetTarget();
  m_cutter.Reset();
  m_lastPath.clear();
  m_owed.clear();
  m_owedStale = false;
  if (m_doc) m_doc->SetConnected(false);
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
  // Shown from the event loop: the port is in the middle of its own error
  // handling now.
  QString message = tr("The connection to the unit was lost.\n( %1 )").arg(reason);
  const QString unclosed = UnclosedWarning();
  if (!unclosed.isEmpty()) message += QLatin1Char('\n') + unclosed;
  QTimer::singleShot(0, this, [message] { AfxMessageBox(message, MB_OK | MB_ICONSTOP); });
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
  m_capturing = true;
  m_capture = m_cutter.TakePartial();
}

namespace {

// The line feed that ends the line before an exchange is not part of it.
void DropLeadingLineEnds(QByteArray& bytes) {
  int start = 0;
  while (start < bytes.size() && (bytes[start] == '\n' || bytes[start] == '\r')) ++start;
  bytes.remove(0, start);
}

}  // namespace

QByteArray CCommLink::EndCapture(bool markCut) {
  HandleIncoming(m_port->Input());
  m_capturing = false;
  QByteArray captured;
  captured.swap(m_capture);
  DropLeadingLineEnds(captured);
  // The echo of a closing line may come in an exchange.
  for (const QByteArray& line : captured.split('\n')) NoteClosingEcho(FromUnitText(line.trimmed()));
  // A line cut off at the end of the wait: its rest must not reach the
  // routing as a line of its own.
  if (markCut) MarkCut(captured);
  return captured;
}

void CCommLink::MarkCut(const QByteArray& captured) {
  if (!captured.isEmpty() && !captured.endsWith('\r') && !captured.endsWith('\n')) m_cutter.SkipToLineEnd();
}

void CCommLink::WaitFor(int ms) {
  QElapsedTimer timer;
  timer.start();
  while (m_port->IsOpen()) {
    const qint64 left = ms - timer.elapsed();
    if (left <= 0) break;
    m_port->WaitForInput(static_cast<int>(left));
  }
}

bool CCommLink::WaitDrained(int noProgressMs) {
  QElapsedTimer progress;
  progress.start();
  int last = m_port->OutBufferCount();
  while (m_port->IsOpen()) {
    const int count = m_port->OutBufferCount();
    if (count == 0) return true;
    if (count < last) {
      last = count;
      progress.restart();
    } else if (progress.elapsed() > noProgressMs) {
      return false;
    }
    m_port->WaitForOutput(50);
  }
  return false;
}

QString CCommLink::SendAndRead(const QString& command, int delayMs) {
  if (!IsConnected() || !Admit(command)) return QString();
  Busy(true);
  BeginCapture();
  if (WriteLine(command)) WaitFor(qMax(0, delayMs));
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
  MarkCut(raw);
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
  bool ok = commands.isEmpty() || WriteText(text, commands.last());
  if (ok) ok = WaitDrained(kNoProgressTimeoutMs);
  if (ok) {
    WaitFor(kListSettleMs);
    // An answer still coming in: wait for its line end while data flow,
    // at most until the time limit.
    QElapsedTimer limit;
    limit.start();
    while (m_port->IsOpen() && !m_capture.isEmpty() && !m_capture.endsWith('\r') && !m_capture.endsWith('\n') &&
           limit.elapsed() < kNoProgressTimeoutMs) {
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
  DropLeadingLineEnds(rest);
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
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    qCWarning(lcLink) << "error file" << path << "cannot be created:" << file.errorString();
    return QString();
  }
  m_errorFilePath = path;
  return path;
}

void CCommLink::ShowErrorFile() {
  const QString path = m_errorFilePath;
  m_errorFilePath.clear();
  if (path.isEmpty() || QFileInfo(path).size() == 0) return;
  if (m_viewer) m_viewer(path);
}
