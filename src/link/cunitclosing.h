#ifndef SELV_LINK_CUNITCLOSING_H
#define SELV_LINK_CUNITCLOSING_H

#include "link/cunclosednotes.h"
#include "link/cunitidentity.h"

#include <QCoreApplication>
#include <QString>

#include <functional>
#include <vector>

class ISerialPort;

// What the unit was told that must be undone before the connection ends,
// and the waits for it: its macros are locked from "/MACRO/LOCK ON" until
// it has taken "/MACRO/LOCK OFF", its settings unprotected from "/PROTECT
// OFF" until it has taken "/PROTECT ON" (taken: echoed, or for a unit
// without echo, out of the port). Before a line that opens the unit goes
// out, a note of the port, the unit and what it may have open is on the
// disk (CUnclosedNotes), or the line does not go; the note follows what
// the unit takes, and goes once it has taken both closing lines. What the
// user must know when it may still be open is said by Warning, and says
// only what is true: what was open, and whether a closing line was not
// sent or only not confirmed.
class CUnitClosing final {
  Q_DECLARE_TR_FUNCTIONS(CUnitClosing)

 public:
  static QString LockOn() { return QStringLiteral("/MACRO/LOCK ON"); }
  static QString LockOff() { return QStringLiteral("/MACRO/LOCK OFF"); }
  static QString ProtectOn() { return QStringLiteral("/PROTECT ON"); }
  static QString ProtectOff() { return QStringLiteral("/PROTECT OFF"); }

  // takeInput hands what the port has received to the link (whose routing
  // reports the echoes back through Echoed).
  CUnitClosing(ISerialPort& port, std::function<void()> takeInput);
  CUnitClosing(const CUnitClosing&) = delete;
  CUnitClosing& operator=(const CUnitClosing&) = delete;

  // A connection to the unit on port begins: nothing told yet.
  void Begin(const QString& port, const CUnitIdentity& unit);
  const QString& Port() const noexcept { return m_port; }
  const CUnitIdentity& Unit() const noexcept { return m_unit; }
  // The notes of earlier connections to this unit: what they say may be
  // open is owed, and they go once the unit has taken it.
  void Owe(const std::vector<CUnclosedNotes::Note>& earlier);

  // A line is about to go out: one that opens the unit is noted first.
  // False when the note is not on the disk (NoteFailure says why): the
  // line must not go.
  bool BeforeWrite(const QString& line);
  const QString& NoteFailure() const noexcept { return m_noteFailure; }
  // A line went out, and a line the unit echoed.
  void Written(const QString& line);
  void Echoed(const QString& line);
  // A unit without echo: everything written has left the port.
  void LeftPort();

  bool MayBeLocked() const noexcept { return m_locked; }
  bool MayBeUnprotected() const noexcept { return m_unprotected; }
  bool IsClosed() const noexcept { return !m_locked && !m_unprotected; }
  // "/MACRO/LOCK OFF" went out since the last "/MACRO/LOCK ON".
  bool LockOffWritten() const noexcept { return m_lockOffWritten; }
  // This connection locked the unit's macros (or owed their unlock) at
  // some time.
  bool EverLocked() const noexcept { return m_everLocked; }

  // A line whose echo a wait looks for (SaveUnitSettings).
  void Await(const QString& line);
  bool AwaitedSeen() const noexcept { return m_awaitedSeen; }
  void StopAwaiting() { m_awaited.clear(); }

  // What the user must know when the unit may still be locked or
  // unprotected, and how to clear it ("" when nothing): while connected,
  // of the lock only (the protection follows at the end); else of what
  // the unit has not taken, what the next connect to it sends first.
  QString Warning(bool connected) const;
  // Why the unit has not taken what it may still have open: the closing
  // lines not sent, or sent and not confirmed ("the connection ended
  // before it had confirmed ...").
  QString Reason() const;

  // Called while a wait goes on, about every 50 ms, with the time waited
  // and the limit; false ends the wait at once.
  using WaitHook = std::function<bool(qint64 elapsedMs, int limitMs)>;
  // Drives the port without the event loop until done() holds; false when
  // the port closed, or nothing went out and done() did not come for
  // limitMs. A unit without echo (echoes false) has taken what left the
  // port.
  bool WaitTaken(int limitMs, bool echoes, const std::function<bool()>& done, const WaitHook& hook = nullptr);
  // While the unit holds the line, at most limitMs; false when it still
  // does.
  bool WaitReleased(int limitMs, const WaitHook& hook = nullptr);

 private:
  // The note follows what the unit has taken, and goes (with the earlier
  // ones) once it has taken both closing lines.
  void Settle();
  // Writes the note of this connection as saying these may be open.
  bool WriteNote(bool locked, bool unprotected);

  ISerialPort& m_serial;
  std::function<void()> m_takeInput;
  QString m_port;
  CUnitIdentity m_unit;
  bool m_locked = false;
  bool m_unprotected = false;
  bool m_lockOffWritten = false;
  bool m_protectOnWritten = false;
  bool m_everLocked = false;
  // The note of this connection on the disk, and what it says.
  bool m_noted = false;
  bool m_notedLocked = false;
  bool m_notedUnprotected = false;
  QString m_noteFailure;
  // Notes of earlier connections this one closes.
  std::vector<CUnclosedNotes::Note> m_earlier;
  QString m_awaited;
  bool m_awaitedSeen = false;
};

#endif
