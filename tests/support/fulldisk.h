#ifndef SELV_TESTS_SUPPORT_FULLDISK_H
#define SELV_TESTS_SUPPORT_FULLDISK_H

#include <QByteArray>
#include <QString>

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
// The names in a folder, hidden ones included, by their bytes.
QList<QByteArray> NamesIn(const QString& folder);

#endif
