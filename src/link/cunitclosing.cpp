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
  m_noted = false;
  m_awaited.clear();
  m_awaitedSeen = false;
}

void CUnitClosing::OweBoth() {
  m_locked = m_unprotected = true;
  m_lockOffWritten = m_protectOnWritten = false;
  // The earlier connection's note is this unit's.
  m_noted = true;
}

bool CUnitClosing::BeforeWrite(const QString& line) {
  if (m_noted || (line != LockOn() && line != ProtectOff())) return true;
  // Written ahead: a crash, a kill or a power cut between this line and
  // the closing lines leaves the note for the next connect.
  m_noted = CUnclosedNotes::Add(m_port, m_unit);
  return m_noted;
}

void CUnitClosing::Written(const QString& line) {
  if (line == LockOn()) {
    m_locked = true;
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
  if (!m_noted || !IsClosed()) return;
  CUnclosedNotes::Remove(m_port, m_unit);
  m_noted = false;
}

void CUnitClosing::Await(const QString& line) {
  m_awaited = line;
  m_awaitedSeen = false;
}

QString CUnitClosing::Warning(bool connected) const {
  if (connected) {
    if (!m_locked) return QString();
    return tr(
        "The unit may still have its macros locked: it has not taken \"/MACRO/LOCK OFF\" yet. It gets the line "
        "when it takes data again, and again when the connection is closed; or send \"/MACRO/LOCK OFF\" to the "
        "unit.");
  }
  if (m_locked && m_unprotected)
    return tr(
        "The unit may still have its macros locked and its settings unprotected: the connection ended before it "
        "had taken \"/MACRO/LOCK OFF\" and \"/PROTECT ON\". Connect to it again (the program then sends both "
        "first), or send these two lines to the unit.");
  if (m_locked)
    return tr(
        "The unit may still have its macros locked: the connection ended before it had taken \"/MACRO/LOCK "
        "OFF\". Connect to it again (the program then sends it first), or send this line to the unit.");
  if (m_unprotected)
    return tr(
        "The unit may still have its settings unprotected: the connection ended before it had taken \"/PROTECT "
        "ON\". Connect to it again (the program then sends it first), or send this line to the unit.");
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
