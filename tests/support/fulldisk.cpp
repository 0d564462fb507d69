#include "support/fulldisk.h"

#include "model/cfilename.h"
#include "model/coutputfile.h"

#include <QList>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <dirent.h>
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
