#ifndef SELV_MODEL_CFILEIDENTITY_H
#define SELV_MODEL_CFILEIDENTITY_H

#include <QString>

#include <optional>

#include <sys/types.h>

// What a name reaches on the system, whatever the name: a file by its file
// system and inode, a device (a serial port, a terminal) by its device
// number, whichever node names it. A link to a file, a second name of it
// and a second node of a device are the same thing; a name that leads
// nowhere is nothing.
class CFileIdentity final {
 public:
  // What path reaches, links followed; none when nothing is there.
  static std::optional<CFileIdentity> Of(const QString& path);

  bool operator==(const CFileIdentity& other) const noexcept;
  bool operator!=(const CFileIdentity& other) const noexcept { return !(*this == other); }
  // A character or block device.
  bool IsDevice() const noexcept { return m_device; }

 private:
  CFileIdentity() = default;

  bool m_device = false;
  bool m_block = false;
  dev_t m_deviceNumber = 0;  // a device's own number
  dev_t m_fileSystem = 0;
  ino_t m_inode = 0;
};

#endif
