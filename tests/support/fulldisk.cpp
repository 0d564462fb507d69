#include "support/fulldisk.h"

#include "model/cfilename.h"
#include "model/coutputfile.h"

#include <QList>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

qint64 g_room = 0;
qint64 g_refused = 0;
COutputFile::WriteCall g_previous = nullptr;

ssize_t FillingWrite(int fd, const void* data, size_t size) {
  if (g_room <= 0) {
    g_refused += static_cast<qint64>(size);
    errno = ENOSPC;
    return -1;
  }
  const size_t take = std::min(size, static_cast<size_t>(g_room));
  const ssize_t written = ::write(fd, data, take);
  if (written > 0) g_room -= written;
  return written;
}

}  // namespace

FullDisk::FullDisk(qint64 room) {
  g_room = room;
  g_refused = 0;
  g_previous = COutputFile::SetWriteCall(&FillingWrite);
}

FullDisk::~FullDisk() { COutputFile::SetWriteCall(g_previous); }

qint64 FullDisk::Refused() const { return g_refused; }

bool MakeFifo(const QString& path, QString* reason) {
  if (::mkfifo(CFileName::ToSystem(path).constData(), 0600) == 0) return true;
  if (reason) *reason = QString::fromLocal8Bit(std::strerror(errno));
  return false;
}

bool MakeCharacterDevice(const QString& path, int major, int minor, QString* reason) {
  if (::mknod(CFileName::ToSystem(path).constData(), S_IFCHR | 0666, makedev(major, minor)) == 0) return true;
  if (reason) *reason = QString::fromLocal8Bit(std::strerror(errno));
  return false;
}

bool IsCharacterDevice(const QString& path, int major, int minor) {
  struct stat st {};
  return ::lstat(CFileName::ToSystem(path).constData(), &st) == 0 && S_ISCHR(st.st_mode) &&
         static_cast<int>(::major(st.st_rdev)) == major && static_cast<int>(::minor(st.st_rdev)) == minor;
}

bool MakeSecondNode(const QString& device, const QString& path, QString* reason) {
  struct stat st {};
  if (::stat(CFileName::ToSystem(device).constData(), &st) != 0 || !S_ISCHR(st.st_mode)) {
    if (reason) *reason = QString::fromLocal8Bit(std::strerror(errno != 0 ? errno : ENODEV));
    return false;
  }
  return MakeCharacterDevice(path, static_cast<int>(::major(st.st_rdev)), static_cast<int>(::minor(st.st_rdev)),
                             reason);
}

QString BelowAFile(const QString& folder, const QString& name) {
  const QString blocker = folder + QStringLiteral("/blocker");
  const int fd = ::open(CFileName::ToSystem(blocker).constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
  if (fd >= 0) ::close(fd);
  return blocker + QLatin1Char('/') + name;
}

SmallDisk::SmallDisk(const QString& folder, qint64 size) : m_folder(CFileName::ToSystem(folder)) {
  ::mkdir(m_folder.constData(), 0755);
  const QByteArray options = "size=" + QByteArray::number(size);
  m_mounted = ::mount("tmpfs", m_folder.constData(), "tmpfs", 0, options.constData()) == 0;
  if (!m_mounted) m_reason = std::string("no file system can be mounted here (") + std::strerror(errno) + ")";
}

SmallDisk::~SmallDisk() {
  if (m_mounted) ::umount2(m_folder.constData(), MNT_DETACH);
}

bool SmallDisk::Fill(const QString& name, qint64 leave) {
  const QByteArray path = m_folder + '/' + CFileName::ToSystem(name);
  const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const QByteArray block(1024, 'f');
  qint64 size = 0;
  for (ssize_t n = 0; (n = ::write(fd, block.constData(), static_cast<size_t>(block.size()))) > 0;) size += n;
  const bool ok = ::ftruncate(fd, qMax<qint64>(0, size - leave)) == 0;
  ::close(fd);
  return ok;
}

bool SmallDisk::SetReadOnly(bool readOnly) {
  return ::mount(nullptr, m_folder.constData(), nullptr, MS_REMOUNT | (readOnly ? MS_RDONLY : 0), nullptr) == 0;
}

QList<QByteArray> NamesIn(const QString& folder) {
  QList<QByteArray> names;
  DIR* dir = ::opendir(CFileName::ToSystem(folder).constData());
  if (dir == nullptr) return names;
  while (const dirent* entry = ::readdir(dir)) {
    const QByteArray name(entry->d_name);
    if (name != "." && name != "..") names.append(name);
  }
  ::closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}
