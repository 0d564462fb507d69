// Messages name the operating system's reason: a full disk, a missing
// serial port, in the user's language where the program has the text.
#include "model/csystemerror.h"
#include "link/cmscomm.h"

#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <cerrno>

namespace {

TEST(CSystemErrorTest, NamesTheCommonReasons) {
  EXPECT_EQ(CSystemError::Text(ENOSPC), QStringLiteral("No space left on device"));
  EXPECT_EQ(CSystemError::Text(EACCES), QStringLiteral("Permission denied"));
  EXPECT_EQ(CSystemError::Text(ENOENT), QStringLiteral("No such file or directory"));
  EXPECT_FALSE(CSystemError::Text(EPIPE).isEmpty()) << "others as the C library words them";
  EXPECT_TRUE(CSystemError::Text(0).isEmpty());
  EXPECT_EQ(CSystemError::Translate(QStringLiteral("No space left on device")),
            QStringLiteral("No space left on device"));
  EXPECT_EQ(CSystemError::Translate(QStringLiteral("Some driver's own words")),
            QStringLiteral("Some driver's own words"));
}

TEST(CSystemErrorTest, AWriteOntoAFullDeviceSaysSo) {
  // Only the system's device is always full: a file of that name would
  // take the write.
  struct stat info {};
  if (stat("/dev/full", &info) != 0 || !S_ISCHR(info.st_mode) || major(info.st_rdev) != 1 || minor(info.st_rdev) != 7)
    GTEST_SKIP() << "/dev/full is not the system's full device here";
  QFile full(QStringLiteral("/dev/full"));
  if (!full.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) GTEST_SKIP() << "/dev/full cannot be opened here";
  errno = 0;
  const bool written = full.write(QByteArray(4096, 'x')) == 4096 && full.flush();
  const int error = errno;
  ASSERT_FALSE(written);
  const QString reason = CSystemError::ForFile(full, error, 4096);
  EXPECT_EQ(reason, QStringLiteral("No space left on device"));
}

TEST(CSystemErrorTest, QtsUnknownErrorGivesWayToErrno) {
  QFile file;  // names no reason of its own
  EXPECT_EQ(CSystemError::ForFile(file, ENOSPC), QStringLiteral("No space left on device"));
  EXPECT_EQ(CSystemError::ForFile(file, EDQUOT), QStringLiteral("Disk quota exceeded"));
}

TEST(CSystemErrorTest, AMissingSerialPortSaysWhy) {
  CMSComm port;
  QString error;
  ASSERT_FALSE(port.Open(QStringLiteral("/dev/ttySelvantisNoSuchPort"), QStringLiteral("19200,n,8,1"), &error));
  EXPECT_NE(error, QStringLiteral("No error"));
  EXPECT_EQ(error, QStringLiteral("No such file or directory"));
}

}  // namespace
