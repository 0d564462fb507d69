#ifndef SELV_TESTS_SUPPORT_FULLDISK_H
#define SELV_TESTS_SUPPORT_FULLDISK_H

#include <QByteArray>
#include <QString>

#include <string>

#include <sys/types.h>

// A disk that takes `room` more bytes of the program's outputs (COutputFile)
// while it lives, then fails every write with "No space left on device",
// the first one short, as a full disk does.
//
//   FullDisk disk(4096);
//   EXPECT_FALSE(CCommandFile::Write(path, lines, &error));
class FullDisk final {
 public:
  explicit FullDisk(qint64 room);
  FullDisk(const FullDisk&) = delete;
  FullDisk& operator=(const FullDisk&) = delete;
  ~FullDisk();

  // The bytes the failing writes did not take.
  qint64 Refused() const;
};

// Makes a FIFO; false with the reason.
bool MakeFifo(const QString& path, QString* reason);
// Makes a character device node like the system's /dev/null (1, 3) or
// /dev/full (1, 7); false with the reason (only the superuser may).
bool MakeCharacterDevice(const QString& path, int major, int minor, QString* reason);
// Whether path is a character device with these numbers.
bool IsCharacterDevice(const QString& path, int major, int minor);
// Makes at path a second device node of the character device at device
// (as mknod with its numbers); false with the reason.
bool MakeSecondNode(const QString& device, const QString& path, QString* reason);
// A name below a regular file in folder ("folder/blocker/name"): no one can
// create it, the superuser included ("Not a directory").
QString BelowAFile(const QString& folder, const QString& name);

// A file system of its own of size bytes (a memory one) mounted at folder
// while it lives, where the system lets the test mount one (Mounted() says,
// Reason() why not).
//
//   SmallDisk disk(dir.filePath("disk"), 64 * 1024);
//   if (!disk.Mounted()) GTEST_SKIP() << disk.Reason();
class SmallDisk final {
 public:
  SmallDisk(const QString& folder, qint64 size);
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;
  ~SmallDisk();

  bool Mounted() const { return m_mounted; }
  std::string Reason() const { return m_reason; }
  // A file that takes all the room but leave bytes; false when it could not
  // be made.
  bool Fill(const QString& name, qint64 leave);
  bool SetReadOnly(bool readOnly);

 private:
  QByteArray m_folder;
  bool m_mounted = false;
  std::string m_reason;
};
// The names in a folder, hidden ones included, by their bytes.
QList<QByteArray> NamesIn(const QString& folder);

#endif
