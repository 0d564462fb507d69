#include "model/coutputfile.h"

#include "model/cfileidentity.h"
#include "model/cfilename.h"
#include "model/csystemerror.h"

#include <QCoreApplication>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <cstdio>

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

ssize_t SystemWrite(int fd, const void* data, size_t size) { return ::write(fd, data, size); }

COutputFile::WriteCall g_write = &SystemWrite;

// The step tests make fail, and with which reason (0: none).
COutputFile::Step g_failedStep = COutputFile::Step::Temporary;
int g_failedStepCode = 0;

// True (errno set) when tests make this step fail.
bool StepFails(COutputFile::Step step) {
  if (g_failedStepCode == 0 || g_failedStep != step) return false;
  errno = g_failedStepCode;
  return true;
}

int OpenStep(const char* path, int flags, mode_t mode) {
  return StepFails(COutputFile::Step::Temporary) ? -1 : ::open(path, flags, mode);
}

int SyncStep(COutputFile::Step step, int fd) { return StepFails(step) ? -1 : ::fsync(fd); }

int RenameStep(const char* from, const char* to, unsigned int flags) {
  if (StepFails(COutputFile::Step::Rename)) return -1;
  return flags != 0 ? ::renameat2(AT_FDCWD, from, AT_FDCWD, to, flags) : ::rename(from, to);
}

QString Tr(const char* text) { return QCoreApplication::translate("COutputFile", text); }

// While it lives, a write into a pipe or FIFO whose reader has gone fails
// with EPIPE ("Broken pipe") and nothing else: the signal the system sends
// the writing thread for it would end the whole program, the window with its
// unsaved work included. The signal is held back for this thread only and
// taken back before it goes; one that was already waiting stays.
class BrokenPipeGuard final {
 public:
  BrokenPipeGuard() {
    sigemptyset(&m_pipe);
    sigaddset(&m_pipe, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &m_pipe, &m_previous);
    sigset_t pending;
    m_waitingBefore = sigpending(&pending) == 0 && sigismember(&pending, SIGPIPE) == 1;
  }
  ~BrokenPipeGuard() {
    // The write's reason is the caller's to read.
    const int code = errno;
    sigset_t pending;
    if (!m_waitingBefore && sigpending(&pending) == 0 && sigismember(&pending, SIGPIPE) == 1) {
      const timespec none{0, 0};
      while (sigtimedwait(&m_pipe, nullptr, &none) < 0 && errno == EINTR) {
      }
    }
    pthread_sigmask(SIG_SETMASK, &m_previous, nullptr);
    errno = code;
  }
  BrokenPipeGuard(const BrokenPipeGuard&) = delete;
  BrokenPipeGuard& operator=(const BrokenPipeGuard&) = delete;

 private:
  sigset_t m_pipe{};
  sigset_t m_previous{};
  bool m_waitingBefore = false;
};

QByteArray FolderOf(const QByteArray& path) {
  const qsizetype slash = path.lastIndexOf('/');
  if (slash < 0) return QByteArray(".");
  if (slash == 0) return QByteArray("/");
  return path.left(slash);
}

// The name a chain of symbolic links ends in: what is written is the file
// there, also when it does not exist yet (then it is created, and the links
// lead to it). A device or a FIFO is opened through the name given (the
// system's own links to them, /dev/stdout, name no path). False with the
// reason when the chain loops or cannot be read.
bool EndOfLinks(QByteArray path, QByteArray* end, int* code) {
  struct stat st {};
  if (::stat(path.constData(), &st) == 0) {
    char resolved[PATH_MAX];
    if (!S_ISREG(st.st_mode) || ::realpath(path.constData(), resolved) == nullptr)
      *end = path;
    else
      *end = QByteArray(resolved);
    return true;
  }
  // Nothing at the end: follow the links one by one to the name to create.
  // As many links as the system itself follows in one name.
  constexpr int kMaxLinks = 40;
  for (int hop = 0; hop < kMaxLinks; ++hop) {
    if (::lstat(path.constData(), &st) != 0 || !S_ISLNK(st.st_mode)) {
      *end = path;
      return true;
    }
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink(path.constData(), buffer, sizeof buffer);
    if (length < 0 || length >= static_cast<ssize_t>(sizeof buffer)) {
      *code = length < 0 ? errno : ENAMETOOLONG;
      return false;
    }
    const QByteArray next(buffer, length);
    path = next.startsWith('/') ? next : FolderOf(path) + '/' + next;
  }
  *code = ELOOP;
  return false;
}

}  // namespace

COutputFile::COutputFile(QString path) : m_path(std::move(path)) {}

COutputFile::~COutputFile() { Cancel(); }

COutputFile::WriteCall COutputFile::SetWriteCall(WriteCall call) {
  const WriteCall previous = g_write;
  g_write = call ? call : &SystemWrite;
  return previous;
}

void COutputFile::FailStepForTests(Step step, int errnoValue) {
  g_failedStep = step;
  g_failedStepCode = errnoValue;
}

void COutputFile::ClearFailedStepForTests() { g_failedStepCode = 0; }

bool COutputFile::WriteAll(int fd, const QByteArray& bytes) {
  const BrokenPipeGuard guard;
  const char* data = bytes.constData();
  size_t left = static_cast<size_t>(bytes.size());
  while (left > 0) {
    const ssize_t written = StepFails(Step::Write) ? -1 : g_write(fd, data, left);
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
  m_replacing = false;
  m_error.clear();
  m_inPlace = false;
  if (m_path.isEmpty()) return Fail(ENOENT);
  int code = 0;
  if (!EndOfLinks(CFileName::ToSystem(m_path), &m_target, &code)) return Fail(code);
  struct stat st {};
  // A new file is created with the permissions the system gives it (the
  // user's mask applied there): the process's mask is never changed, not
  // even for a moment, for another thread would create its files with it.
  bool setMode = m_modeSet;
  mode_t mode = m_mode;
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
    if (st.st_nlink > 1) {
      m_error = Tr(QT_TRANSLATE_NOOP("COutputFile",
                                     "The file has other names (hard links), which would keep its old contents if "
                                     "it were replaced: it is left as it is. Choose another name, or remove its "
                                     "other names first"));
      return false;
    }
    if (!m_modeSet) mode = st.st_mode & 07777;
    setMode = true;
    m_replacing = true;
  } else if (errno != ENOENT) {
    return Fail(errno);
  }
  // Only readable by its owner until it has the permissions it is given.
  const mode_t createMode = setMode ? 0600 : 0666;

  // An unnamed file in the folder first: a program killed while writing
  // leaves nothing behind. It gets its temporary name only when complete.
  // (It is named through /proc, so only where that is mounted.)
  const bool canName = ::access("/proc/self/fd", X_OK) == 0;
  m_fd = canName ? OpenStep(FolderOf(m_target).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, createMode) : -1;
  if (!canName) errno = EOPNOTSUPP;
  if (m_fd >= 0) {
    m_unnamed = true;
  } else if (!(errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL || errno == ENOENT)) {
    // The folder's reason (it is read-only, not ours) is the file's.
    return Fail(errno);
  } else if (!CreateNamed(createMode)) {
    return false;
  }
  if (setMode && ::fchmod(m_fd, mode) != 0 && m_modeSet) return Fail(errno);
  return true;
}

bool COutputFile::CreateNamed(mode_t createMode) {
  const QByteArray stem = m_target + kTemporaryMark;
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  for (int attempt = 0; attempt < 100; ++attempt) {
    QByteArray name = stem;
    for (int i = 0; i < 6; ++i) name += kLetters[QRandomGenerator::global()->bounded(62)];
    if (m_unnamed) {
      // The unnamed file gets the name (through the process's view of its
      // descriptor).
      const QByteArray self = "/proc/self/fd/" + QByteArray::number(m_fd);
      if (!StepFails(Step::Temporary) &&
          ::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) == 0) {
        m_temporary = name;
        return true;
      }
    } else {
      m_fd = OpenStep(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, createMode);
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
  if (!m_inPlace && SyncStep(Step::Sync, m_fd) != 0 && errno != EINVAL) return Fail(errno);
  if (m_unnamed && !CreateNamed(0)) return false;
  const int fd = m_fd;
  m_fd = -1;
  if (::close(fd) != 0 && errno != EINTR) {
    const int code = errno;
    CloseAndRemove();
    return Fail(code);
  }
  if (m_inPlace) return true;
  return Replace();
}

bool COutputFile::Replace() {
  // The old file and the new one change names, so that the old one is at
  // hand until the folder holds the new one on the disk: a failure then puts
  // it back. A file system that cannot exchange names gets a plain rename.
  bool exchanged = false;
  if (m_replacing) {
    if (RenameStep(m_temporary.constData(), m_target.constData(), RENAME_EXCHANGE) == 0) {
      exchanged = true;
      // Only a file is taken over: something else that took the name
      // meanwhile (a folder) gets its name back.
      struct stat st {};
      if (::lstat(m_temporary.constData(), &st) != 0 || !S_ISREG(st.st_mode)) {
        const int code = S_ISDIR(st.st_mode) ? EISDIR : EEXIST;
        ::renameat2(AT_FDCWD, m_temporary.constData(), AT_FDCWD, m_target.constData(), RENAME_EXCHANGE);
        return Fail(code);
      }
    } else if (errno == ENOENT) {
      // Removed meanwhile: the file is a new one again.
      m_replacing = false;
    } else if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) {
      return Fail(errno);
    }
  }
  if (!exchanged) {
    if (RenameStep(m_temporary.constData(), m_target.constData(), 0) != 0) return Fail(errno);
    if (m_replacing) {
      // The old file is gone: nothing to put back, nothing to remove.
      m_temporary.clear();
    }
  }

  // The new name is on the disk with the folder. A file system that cannot
  // flush a folder says so with EINVAL.
  int code = 0;
  const int folder = ::open(FolderOf(m_target).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    if (SyncStep(Step::FolderSync, folder) != 0 && errno != EINVAL) code = errno;
    ::close(folder);
  }
  if (code != 0) {
    // The old file back in its place (the new one then has the temporary
    // name and goes); a new name goes again.
    if (exchanged)
      ::renameat2(AT_FDCWD, m_temporary.constData(), AT_FDCWD, m_target.constData(), RENAME_EXCHANGE);
    else if (!m_replacing && ::rename(m_target.constData(), m_temporary.constData()) != 0)
      ::unlink(m_target.constData());
    // (Replaced by a plain rename, the new file stays: the old one is gone.)
    return Fail(code);
  }
  // The old file, now under the temporary name.
  if (exchanged) ::unlink(m_temporary.constData());
  m_temporary.clear();
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
  const std::optional<CFileIdentity> a = CFileIdentity::Of(first);
  const std::optional<CFileIdentity> b = CFileIdentity::Of(second);
  return a && b && *a == *b;
}

bool COutputFile::Exists(const QString& path) {
  struct stat st {};
  return ::lstat(CFileName::ToSystem(path).constData(), &st) == 0;
}
