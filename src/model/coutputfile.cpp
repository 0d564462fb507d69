#include "model/coutputfile.h"

#include "model/cfilename.h"
#include "model/csystemerror.h"

#include <QCoreApplication>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

ssize_t SystemWrite(int fd, const void* data, size_t size) { return ::write(fd, data, size); }

COutputFile::WriteCall g_write = &SystemWrite;

QString Tr(const char* text) { return QCoreApplication::translate("COutputFile", text); }

mode_t UsualMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

QByteArray FolderOf(const QByteArray& path) {
  const qsizetype slash = path.lastIndexOf('/');
  if (slash < 0) return QByteArray(".");
  if (slash == 0) return QByteArray("/");
  return path.left(slash);
}

// The file a link leads to, as a path; the path itself when it is no link
// or leads nowhere.
QByteArray Resolved(const QByteArray& path) {
  struct stat st {};
  if (::lstat(path.constData(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
  char resolved[PATH_MAX];
  if (::realpath(path.constData(), resolved) == nullptr) return path;
  return QByteArray(resolved);
}

}  // namespace

COutputFile::COutputFile(QString path) : m_path(std::move(path)) {}

COutputFile::~COutputFile() { Cancel(); }

COutputFile::WriteCall COutputFile::SetWriteCall(WriteCall call) {
  const WriteCall previous = g_write;
  g_write = call ? call : &SystemWrite;
  return previous;
}

bool COutputFile::WriteAll(int fd, const QByteArray& bytes) {
  const char* data = bytes.constData();
  size_t left = static_cast<size_t>(bytes.size());
  while (left > 0) {
    const ssize_t written = g_write(fd, data, left);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (written == 0) {
      // No progress and no reason: the disk takes nothing more.
      errno = ENOSPC;
      return false;
    }
    data += written;
    left -= static_cast<size_t>(written);
  }
  return true;
}

bool COutputFile::Fail(int code) {
  m_error = CSystemError::Text(code != 0 ? code : EIO);
  CloseAndRemove();
  return false;
}

void COutputFile::CloseAndRemove() {
  if (m_fd >= 0) ::close(m_fd);
  m_fd = -1;
  if (!m_temporary.isEmpty()) ::unlink(m_temporary.constData());
  m_temporary.clear();
  m_unnamed = false;
}

bool COutputFile::Open() {
  Cancel();
  m_unnamed = false;
  m_error.clear();
  m_inPlace = false;
  if (m_path.isEmpty()) return Fail(ENOENT);
  m_target = Resolved(CFileName::ToSystem(m_path));
  struct stat st {};
  mode_t mode = m_modeSet ? m_mode : UsualMode();
  if (::stat(m_target.constData(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) return Fail(EISDIR);
    if (S_ISCHR(st.st_mode) || S_ISFIFO(st.st_mode)) {
      // Without a wait for a reader that may never come.
      m_fd = ::open(m_target.constData(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
      if (m_fd < 0) {
        if (errno == ENXIO && S_ISFIFO(st.st_mode)) {
          m_error = Tr(QT_TRANSLATE_NOOP("COutputFile", "No program reads from this FIFO"));
          return false;
        }
        return Fail(errno);
      }
      const int flags = ::fcntl(m_fd, F_GETFL);
      if (flags < 0 || ::fcntl(m_fd, F_SETFL, flags & ~O_NONBLOCK) != 0) return Fail(errno);
      m_inPlace = true;
      return true;
    }
    if (!S_ISREG(st.st_mode)) {
      m_error = Tr(QT_TRANSLATE_NOOP("COutputFile", "Not a file the program writes to (a block device or socket)"));
      return false;
    }
    if (!m_modeSet) mode = st.st_mode & 07777;
  } else if (errno != ENOENT) {
    return Fail(errno);
  }

  // An unnamed file in the folder first: a program killed while writing
  // leaves nothing behind. It gets its temporary name only when complete.
  // (It is named through /proc, so only where that is mounted.)
  const bool canName = ::access("/proc/self/fd", X_OK) == 0;
  m_fd = canName ? ::open(FolderOf(m_target).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600) : -1;
  if (!canName) errno = EOPNOTSUPP;
  if (m_fd >= 0) {
    m_unnamed = true;
  } else if (!(errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL || errno == ENOENT)) {
    // The folder's reason (it is read-only, not ours) is the file's.
    return Fail(errno);
  } else if (!CreateNamed()) {
    return false;
  }
  if (::fchmod(m_fd, mode) != 0 && m_modeSet) return Fail(errno);
  return true;
}

bool COutputFile::CreateNamed() {
  const QByteArray stem = m_target + kTemporaryMark;
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  for (int attempt = 0; attempt < 100; ++attempt) {
    QByteArray name = stem;
    for (int i = 0; i < 6; ++i) name += kLetters[QRandomGenerator::global()->bounded(62)];
    if (m_unnamed) {
      // The unnamed file gets the name (through the process's view of its
      // descriptor).
      const QByteArray self = "/proc/self/fd/" + QByteArray::number(m_fd);
      if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) == 0) {
        m_temporary = name;
        return true;
      }
    } else {
      m_fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
      if (m_fd >= 0) {
        m_temporary = name;
        return true;
      }
    }
    if (errno != EEXIST) return Fail(errno);
  }
  return Fail(EEXIST);
}

bool COutputFile::Write(const QByteArray& bytes) {
  if (m_fd < 0) {
    if (m_error.isEmpty()) m_error = CSystemError::Text(EBADF);
    return false;
  }
  if (!WriteAll(m_fd, bytes)) return Fail(errno);
  return true;
}

bool COutputFile::Commit() {
  if (m_fd < 0) {
    if (m_error.isEmpty()) m_error = CSystemError::Text(EBADF);
    return false;
  }
  // A file system that keeps written data back reports what it could not
  // store here or at the close.
  if (!m_inPlace && ::fsync(m_fd) != 0 && errno != EINVAL) return Fail(errno);
  if (m_unnamed && !CreateNamed()) return false;
  const int fd = m_fd;
  m_fd = -1;
  if (::close(fd) != 0 && errno != EINTR) {
    const int code = errno;
    CloseAndRemove();
    return Fail(code);
  }
  if (m_inPlace) return true;
  if (::rename(m_temporary.constData(), m_target.constData()) != 0) return Fail(errno);
  m_temporary.clear();
  // The new name is on the disk with the folder.
  const int folder = ::open(FolderOf(m_target).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    ::fsync(folder);
    ::close(folder);
  }
  return true;
}

void COutputFile::Cancel() { CloseAndRemove(); }

bool COutputFile::WriteFile(const QString& path, const QByteArray& bytes, QString* reason) {
  COutputFile file(path);
  if (file.Open() && file.Write(bytes) && file.Commit()) return true;
  if (reason) *reason = file.ErrorString();
  return false;
}

bool COutputFile::SameFile(const QString& first, const QString& second) {
  struct stat a {};
  struct stat b {};
  if (::stat(CFileName::ToSystem(first).constData(), &a) != 0) return false;
  if (::stat(CFileName::ToSystem(second).constData(), &b) != 0) return false;
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool COutputFile::Exists(const QString& path) {
  struct stat st {};
  return ::lstat(CFileName::ToSystem(path).constData(), &st) == 0;
}
