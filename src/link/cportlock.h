#ifndef SELV_LINK_CPORTLOCK_H
#define SELV_LINK_CPORTLOCK_H

#include <QCoreApplication>
#include <QString>

// Who uses a serial device: one program at a time. The lock goes by the
// device itself (a terminal's device number, else the file's device and
// inode), not by the name the port was given, so that a second program
// that opens the same terminal under another name (a link in another
// folder, "/dev/serial/by-id/...") is refused before it touches the line;
// the system drops it with the process, also after a kill. The lock file
// lies in a folder every user may write ("/tmp"), holds the number of the
// process that has it, and is taken with flock (a second open in the same
// process is refused too). Root is not exempt.
class CPortLock final {
  Q_DECLARE_TR_FUNCTIONS(CPortLock)

 public:
  CPortLock() = default;
  CPortLock(const CPortLock&) = delete;
  CPortLock& operator=(const CPortLock&) = delete;
  ~CPortLock();

  // Takes the lock of the device portName names; false with the reason in
  // the user's language when another has it. A name that names no device
  // (yet) is nobody's: true, and the open says why it fails.
  bool Take(const QString& portName, QString* error);
  void Release();
  bool IsHeld() const noexcept { return m_fd >= 0; }
  // The device the name resolves to ("" when none).
  static QString ResolvedDevice(const QString& portName);
  // Who the device is, whatever name reaches it: a terminal by its device
  // number ("tty-188-0": a link, a by-id name and a second device node of
  // the same terminal give the same), anything else by the file's device
  // and inode. "" when the name names nothing (any more).
  static QString DeviceKey(const QString& portName);
  // The lock file of that device ("" when the name names none).
  static QString LockFileOf(const QString& portName);

 private:
  int m_fd = -1;
};

#endif
