#include "link/cunitclosing.h"

#include "link/cunclosednotes.h"
#include "link/iserialport.h"

#include <QElapsedTimer>

#include <utility>

namespace {

// How often a wait looks at the port and tells its hook.
constexpr int kWaitSliceMs = 20;

}  // namespace

CUnitClosing::CUnitClosing(ISerialPort& port, std::function<void()> takeInput)
    : m_serial(port), m_takeInput(std::move(takeInput)) {}

void CUnitClosing::Begin(const QString& port, const CUnitIdentity& unit) {
  m_port = port;
  m_unit = unit;
  m_locked = m_unprotected = false;
  m_lockOffWritten = m_protectOnWritten = false;
  m_everLocked = false;
  m_noted = m_notedLocked = m_notedUnprotected = false;
  m_noteFailure.clear();
  m_earlier.clear();
  m_awaited.clear();
  m_awaitedSeen = false;
}

void CUnitClosing::Owe(const std::vector<CUnclosedNotes::Note>& earlier) {
  m_earlier = earlier;
  for (const CUnclosedNotes::Note& note : earlier) {
    m_locked = m_locked || note.locked;
    m_unprotected = m_unprotected || note.unprotected;
  }
  m_everLocked = m_everLocked || m_locked;
  m_lockOffWritten = m_protectOnWritten = false;
}

bool CUnitClosing::WriteNote(bool locked, bool unprotected) {
  CUnclosedNotes::Note note;
  note.port = m_port;
  note.unit = m_unit;
  note.locked = locked;
  note.unprotected = unprotected;
  QString reason;
  if (!CUnclosedNotes::Put(note, &reason)) {
    m_noteFailure = reason;
    return false;
  }
  m_noted = true;
  m_notedLocked = locked;
  m_notedUnprotected = unprotected;
  return true;
}

bool CUnitClosing::BeforeWrite(const QString& line) {
  // Written ahead: a crash, a kill or a power cut between this line and
  // the closing lines leaves the note for the next connect.
  const bool lockOn = line == LockOn();
  const bool protectOff = line == ProtectOff();
  if (!lockOn && !protectOff) return true;
  const bool locked = lockOn || m_locked || (m_noted && m_notedLocked);
  const bool unprotected = protectOff || m_unprotected || (m_noted && m_notedUnprotected);
  if (m_noted && (!locked || m_notedLocked) && (!unprotected || m_notedUnprotected)) return true;
  return WriteNote(locked, unprotected);
}

void CUnitClosing::Written(const QString& line) {
  if (line == LockOn()) {
    m_locked = true;
    m_everLocked = true;
    m_lockOffWritten = false;
  } else if (line == LockOff()) {
    m_lockOffWritten = true;
  } else if (line == ProtectOff()) {
    m_unprotected = true;
    m_protectOnWritten = false;
  } else if (line == ProtectOn()) {
    m_protectOnWritten = true;
  }
}

void CUnitClosing::Echoed(const QString& line) {
  if (line == LockOff() && m_lockOffWritten) m_locked = false;
  if (line == ProtectOn() && m_protectOnWritten) m_unprotected = false;
  if (!m_awaited.isEmpty() && line == m_awaited) m_awaitedSeen = true;
  Settle();
}

void CUnitClosing::LeftPort() {
  if (m_lockOffWritten) m_locked = false;
  if (m_protectOnWritten) m_unprotected = false;
  if (!m_awaited.isEmpty()) m_awaitedSeen = true;
  Settle();
}

void CUnitClosing::Settle() {
  if (IsClosed()) {
    std::vector<CUnclosedNotes::Note> gone = m_earlier;
    if (m_noted) {
      CUnclosedNotes::Note own;
      own.port = m_port;
      own.unit = m_unit;
      gone.push_back(own);
    }
    if (gone.empty()) return;
    // A note that cannot go stays, and the next connect closes the unit
    // once more: no harm to a unit that is closed.
    CUnclosedNotes::Remove(gone, nullptr);
    m_earlier.clear();
    m_noted = m_notedLocked = m_notedUnprotected = false;
    return;
  }
  // The note says no more than may be open: the unlock taken, the next
  // connect does not speak of the macros.
  if (m_noted && ((m_notedLocked && !m_locked) || (m_notedUnprotected && !m_unprotected)))
    WriteNote(m_locked, m_unprotected);
}

void CUnitClosing::Await(const QString& line) {
  m_awaited = line;
  m_awaitedSeen = false;
}

QString CUnitClosing::Reason() const {
  const bool lockSent = m_locked && m_lockOffWritten;
  const bool protectSent = m_unprotected && m_protectOnWritten;
  const bool lockUnsent = m_locked && !m_lockOffWritten;
  const bool protectUnsent = m_unprotected && !m_protectOnWritten;
  const QString unconfirmed = CUnclosedNotes::ClosingText(lockSent, protectSent);
  const QString unsent = CUnclosedNotes::ClosingText(lockUnsent, protectUnsent);
  if (!lockUnsent && !protectUnsent) return tr("the connection ended before it had confirmed %1").arg(unconfirmed);
  if (!lockSent && !protectSent) return tr("the connection ended before it got %1").arg(unsent);
  return tr("the connection ended before it had confirmed %1 and before it got %2").arg(unconfirmed, unsent);
}

QString CUnitClosing::Warning(bool connected) const {
  if (connected) {
    if (!m_locked) return QString();
    // Out of the port and no echo: the unit may have it.
    if (m_lockOffWritten && m_serial.OutBufferCount() == 0)
      return tr(
          "The unit may still have its macros locked: it has not confirmed \"/MACRO/LOCK OFF\" yet. It gets the "
          "line again when the connection is closed; or send \"/MACRO/LOCK OFF\" to the unit.");
    return tr(
        "The unit may still have its macros locked: it has not taken \"/MACRO/LOCK OFF\" yet. It gets the line "
        "when it takes data again, and again when the connection is closed; or send \"/MACRO/LOCK OFF\" to the "
        "unit.");
  }
  if (m_locked && m_unprotected)
    return tr("The unit may still have its macros locked and its settings unprotected: %1. Connect to it again "
              "(the program then sends \"/MACRO/LOCK OFF\" and \"/PROTECT ON\" first), or send these two lines "
              "to the unit.")
        .arg(Reason());
  if (m_locked)
    return tr("The unit may still have its macros locked: %1. Connect to it again (the program then sends "
              "\"/MACRO/LOCK OFF\" first), or send this line to the unit.")
        .arg(Reason());
  if (m_unprotected)
    return tr("The unit may still have its settings unprotected: %1. Connect to it again (the program then sends "
              "\"/PROTECT ON\" first), or send this line to the unit.")
        .arg(Reason());
  return QString();
}

bool CUnitClosing::WaitTaken(int limitMs, bool echoes, const std::function<bool()>& done, const WaitHook& hook) {
  QElapsedTimer clock;
  clock.start();
  QElapsedTimer waited;
  waited.start();
  int last = m_serial.OutBufferCount();
  while (m_serial.IsOpen()) {
    m_takeInput();
    const int out = m_serial.OutBufferCount();
    // A unit without echo: what has left the port is what it gets.
    if (!echoes && out == 0) LeftPort();
    if (done()) return true;
    // Only output that goes is progress: a unit that holds the line and
    // chatters on does not keep this wait open.
    if (out < last) clock.restart();
    last = out;
    if (clock.elapsed() > limitMs) return false;
    if (hook && !hook(waited.elapsed(), limitMs)) return done();
    m_serial.WaitForInput(kWaitSliceMs);
  }
  return done();
}

bool CUnitClosing::WaitReleased(int limitMs, const WaitHook& hook) {
  QElapsedTimer clock;
  clock.start();
  while (m_serial.IsOpen() && m_serial.IsHeld()) {
    if (clock.elapsed() > limitMs) return false;
    if (hook && !hook(clock.elapsed(), limitMs)) return false;
    m_serial.WaitForInput(kWaitSliceMs * 2);
  }
  return m_serial.IsOpen();
}
