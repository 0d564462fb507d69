#include "link/cportlock.h"

#include "link/portaccesshint.h"
#include "model/cfilename.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <cerrno>

namespace {

// The same folder for every user and every program: a lock another user's
// program took must be seen.
constexpr const char* kLockFolder = "/tmp";

// Opens the lock file without following another user's file into trouble:
// an existing one is opened as it is (a sticky folder refuses O_CREAT on
// another user's file), a missing one is made readable by all.
int OpenLockFile(const QByteArray& path) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    int fd = ::open(path.constData(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0 && errno == EACCES) fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd >= 0 || errno != ENOENT) return fd;
    fd = ::open(path.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd >= 0) {
      ::fchmod(fd, 0644);
      return fd;
    }
    if (errno != EEXIST) return -1;
  }
  return -1;
}

QString HolderOf(int fd) {
  char text[32] = {};
  const ssize_t n = ::pread(fd, text, sizeof text - 1, 0);
  if (n <= 0) return QString();
  bool ok = false;
  const qint64 pid = QByteArray(text, static_cast<int>(n)).trimmed().toLongLong(&ok);
  return ok && pid > 0 ? QString::number(pid) : QString();
}

}  // namespace

CPortLock::~CPortLock() { Release(); }

QString CPortLock::ResolvedDevice(const QString& portName) {
  const QString path = PortAccessHint::DevicePath(portName);
  if (path.isEmpty()) return QString();
  return QFileInfo(path).canonicalFilePath();
}

QString CPortLock::DeviceKey(const QString& portName) {
  const QString path = PortAccessHint::DevicePath(portName);
  if (path.isEmpty()) return QString();
  struct stat info {};
  if (::stat(CFileName::ToSystem(path).constData(), &info) != 0) return QString();
  if (S_ISCHR(info.st_mode)) return QStringLiteral("tty-%1-%2").arg(major(info.st_rdev)).arg(minor(info.st_rdev));
  return QStringLiteral("file-%1-%2")
      .arg(static_cast<qulonglong>(info.st_dev))
      .arg(static_cast<qulonglong>(info.st_ino));
}

QString CPortLock::LockFileOf(const QString& portName) {
  const QString key = DeviceKey(portName);
  if (key.isEmpty()) return QString();
  return QString::fromLatin1(kLockFolder) + QStringLiteral("/selvantis-port-") + key + QStringLiteral(".lock");
}

bool CPortLock::Take(const QString& portName, QString* error) {
  Release();
  const QString file = LockFileOf(portName);
  if (file.isEmpty()) return true;
  const int fd = OpenLockFile(QFile::encodeName(file));
  if (fd < 0) {
    // A lock nobody can take keeps nobody out: the open decides.
    return true;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const QString holder = HolderOf(fd);
    ::close(fd);
    if (error) {
      const QString device = CFileName::Display(ResolvedDevice(portName));
      *error = holder.isEmpty() ? tr("%1 is in use by another program").arg(device)
                                : tr("%1 is in use by another program (process %2)").arg(device, holder);
    }
    return false;
  }
  const QByteArray pid = QByteArray::number(static_cast<qlonglong>(::getpid())) + '\n';
  if (::ftruncate(fd, 0) == 0) {
    const ssize_t written = ::pwrite(fd, pid.constData(), static_cast<size_t>(pid.size()), 0);
    (void)written;
  }
  m_fd = fd;
  return true;
}

void CPortLock::Release() {
  if (m_fd < 0) return;
  // The file stays: removing it could let two programs lock two files.
  ::close(m_fd);
  m_fd = -1;
}
