#include "model/cfileidentity.h"

#include "model/cfilename.h"

#include <sys/stat.h>

std::optional<CFileIdentity> CFileIdentity::Of(const QString& path) {
  struct stat st {};
  if (path.isEmpty() || ::stat(CFileName::ToSystem(path).constData(), &st) != 0) return std::nullopt;
  CFileIdentity identity;
  identity.m_device = S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode);
  identity.m_block = S_ISBLK(st.st_mode);
  identity.m_deviceNumber = identity.m_device ? st.st_rdev : 0;
  identity.m_fileSystem = st.st_dev;
  identity.m_inode = st.st_ino;
  return identity;
}

bool CFileIdentity::operator==(const CFileIdentity& other) const noexcept {
  // A device is the same device through any of its nodes (a copy made with
  // mknod, /dev/serial/by-id/...).
  if (m_device || other.m_device)
    return m_device == other.m_device && m_block == other.m_block && m_deviceNumber == other.m_deviceNumber;
  return m_fileSystem == other.m_fileSystem && m_inode == other.m_inode;
}
