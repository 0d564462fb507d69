// The profile: values by section and key, and the one value the program
// must never write.
#include "model/cprofile.h"
#include "support/filebytes.h"
#include "support/fulldisk.h"
#include "support/messagerecorder.h"
#include "support/tempprofile.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <optional>

TEST(CProfileTest, ValuesComeBackBySectionAndKey) {
  TempProfile profile;
  EXPECT_TRUE(CProfile::WriteInt(QStringLiteral("Configuration"), QStringLiteral("ShellCommand"), 2));
  EXPECT_TRUE(CProfile::WriteString(QStringLiteral("Recent File List"), QStringLiteral("File1"),
                                    QStringLiteral("/home/a/Hall \u00e4.sxm")));
  EXPECT_TRUE(
      CProfile::WriteString(QStringLiteral("COMSECTION"), QStringLiteral("Settings"), QStringLiteral("19200,n,8,1")));
  EXPECT_EQ(CProfile::GetInt(QStringLiteral("Configuration"), QStringLiteral("ShellCommand"), 0), 2);
  EXPECT_EQ(CProfile::GetString(QStringLiteral("Recent File List"), QStringLiteral("File1")),
            QStringLiteral("/home/a/Hall \u00e4.sxm"));
  EXPECT_EQ(CProfile::GetString(QStringLiteral("COMSECTION"), QStringLiteral("Settings")),
            QStringLiteral("19200,n,8,1"));
  // The same key in another section is another value.
  EXPECT_EQ(CProfile::GetInt(QStringLiteral("Settings"), QStringLiteral("ShellCommand"), 7), 7);
}

TEST(CProfileTest, MissingAndUnreadableValuesGiveTheDefault) {
  TempProfile profile;
  EXPECT_EQ(CProfile::GetInt(QStringLiteral("VMX7000"), QStringLiteral("MONI_CLR"), 0), 0);
  EXPECT_EQ(CProfile::GetString(QStringLiteral("Settings"), QStringLiteral("Language"), QStringLiteral("English")),
            QStringLiteral("English"));
  CProfile::WriteString(QStringLiteral("VMX7000"), QStringLiteral("MONI_CLR"), QStringLiteral("yes"));
  EXPECT_EQ(CProfile::GetInt(QStringLiteral("VMX7000"), QStringLiteral("MONI_CLR"), 1), 1);
}

TEST(CProfileTest, ServiceFlagsAreNeverWritten) {
  TempProfile profile;
  {
    // Set by the maker's service tool, outside the program.
    QSettings ini(profile.Path(), QSettings::IniFormat);
    ini.setValue(QStringLiteral("Configuration/VMX Registry"), 5);
  }
  EXPECT_FALSE(CProfile::WriteInt(QStringLiteral("Configuration"), QStringLiteral("VMX Registry"), 255));
  EXPECT_FALSE(
      CProfile::WriteString(QStringLiteral("configuration"), QStringLiteral("vmx registry"), QStringLiteral("255")));
  CProfile::Remove(QStringLiteral("Configuration"), QStringLiteral("VMX Registry"));
  EXPECT_EQ(CProfile::GetInt(QStringLiteral("Configuration"), QStringLiteral("VMX Registry"), 0), 5);
  // The same name in another section is an ordinary value.
  EXPECT_TRUE(CProfile::WriteInt(QStringLiteral("Settings"), QStringLiteral("VMX Registry"), 1));
}

TEST(CProfileTest, RemoveDropsTheValue) {
  TempProfile profile;
  CProfile::WriteInt(QStringLiteral("Settings"), QStringLiteral("Zoom"), 150);
  CProfile::Remove(QStringLiteral("Settings"), QStringLiteral("Zoom"));
  EXPECT_EQ(CProfile::GetInt(QStringLiteral("Settings"), QStringLiteral("Zoom"), 100), 100);
}

TEST(CProfileTest, TempProfileIsFreshAndGoesAway) {
  QString path;
  const QString outer = CProfile::IniFile();
  {
    TempProfile profile;
    path = profile.Path();
    EXPECT_EQ(CProfile::IniFile(), path);
    EXPECT_EQ(CProfile::GetInt(QStringLiteral("Settings"), QStringLiteral("Probe"), -1), -1);
    CProfile::WriteInt(QStringLiteral("Settings"), QStringLiteral("Probe"), 1);
    EXPECT_TRUE(QFile::exists(path));
    {
      TempProfile inner;
      EXPECT_EQ(CProfile::GetInt(QStringLiteral("Settings"), QStringLiteral("Probe"), -1), -1);
    }
    EXPECT_EQ(CProfile::GetInt(QStringLiteral("Settings"), QStringLiteral("Probe"), -1), 1);
  }
  EXPECT_FALSE(QFile::exists(path));
  EXPECT_EQ(CProfile::IniFile(), outer);
}

// A write the file does not take is told once, with the reason, and
// reported to the caller.
TEST(CProfileTest, AWriteThatFailsIsToldOnceWithTheReason) {
  TempProfile profile;
  QTemporaryDir dir;
  // A regular file where the profile's folder should be: no one can write
  // below it, the superuser included.
  CProfile::UseIniFile(BelowAFile(dir.path(), QStringLiteral("settings.ini")));
  MessageRecorder messages;
  EXPECT_FALSE(
      CProfile::WriteString(QStringLiteral("COMSECTION"), QStringLiteral("Port"), QStringLiteral("/dev/ttyS1")));
  EXPECT_FALSE(CProfile::WriteInt(QStringLiteral("Settings"), QStringLiteral("Zoom"), 150));
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_TRUE(messages.Requests()[0].text.contains(QStringLiteral("The settings cannot be saved in")));
  EXPECT_TRUE(messages.Requests()[0].text.contains(QStringLiteral("Not a directory")))
      << messages.Requests()[0].text.toStdString();
  CProfile::UseIniFile(profile.Path());
}

// A settings file that is damaged or no file at all is renamed aside with a
// message; a sound one and a missing one are left alone.
TEST(CProfileTest, AnUnreadableSettingsFileIsSetAside) {
  TempProfile profile;
  QTemporaryDir dir;
  const struct {
    const char* name;
    QByteArray contents;  // "fifo": a FIFO
    bool setAside;
    const char* says;
  } cases[] = {
      {"sound.ini", "[COMSECTION]\nPort=/dev/ttyS1\n", false, ""},
      {"missing.ini", QByteArray(), false, ""},
      {"cut.ini", "[COMSECTION]\nPort=/dev/ttyS1\n[Sett", true, "cannot be read: it is damaged."},
      {"binary.ini", QByteArray("\x01\x02\xff\xfe\n", 5), true, "cannot be read: it is damaged."},
      {"fifo.ini", "fifo", true, "is not a regular file."},
  };
  for (const auto& c : cases) {
    const QString path = dir.filePath(QString::fromLatin1(c.name));
    if (c.contents == "fifo") {
      QString reason;
      ASSERT_TRUE(MakeFifo(path, &reason)) << reason.toStdString();
    } else if (!c.contents.isEmpty()) {
      QFile file(path);
      ASSERT_TRUE(file.open(QIODevice::WriteOnly));
      file.write(c.contents);
    }
    CProfile::UseIniFile(path);
    const std::optional<CProfile::SetAside> setAside = CProfile::SetAsideUnreadableFile();
    ASSERT_EQ(setAside.has_value(), c.setAside) << c.name;
    if (!setAside) continue;
    EXPECT_EQ(setAside->file, path);
    EXPECT_TRUE(setAside->keptAs.startsWith(path + QStringLiteral(".unreadable-"))) << setAside->keptAs.toStdString();
    EXPECT_FALSE(QFileInfo::exists(path)) << c.name;
    const QString message = CProfile::SetAsideMessage(*setAside);
    EXPECT_TRUE(message.contains(QString::fromLatin1(c.says))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("It was renamed to"))) << message.toStdString();
    if (c.contents != "fifo") {
      EXPECT_EQ(FileBytes(setAside->keptAs), c.contents) << c.name;
    }
    // The program goes on with the defaults and writes a new file.
    EXPECT_EQ(CProfile::GetString(QStringLiteral("COMSECTION"), QStringLiteral("Port"), QStringLiteral("none")),
              QStringLiteral("none"));
    EXPECT_TRUE(CProfile::WriteString(QStringLiteral("COMSECTION"), QStringLiteral("Port"), QStringLiteral("/dev/x")));
  }
  CProfile::UseIniFile(profile.Path());
}

// What the file does not take is kept, and read, until the program ends, as
// the message says: a value written, and a value removed.
TEST(CProfileTest, WhatTheFileDoesNotTakeIsKeptForTheRun) {
  TempProfile profile;
  QTemporaryDir dir;
  CProfile::UseIniFile(BelowAFile(dir.path(), QStringLiteral("settings.ini")));
  MessageRecorder messages;
  EXPECT_FALSE(CProfile::WriteString(QStringLiteral("VMX7000"), QStringLiteral("OS Version"), QStringLiteral("V1.0")));
  EXPECT_FALSE(CProfile::WriteInt(QStringLiteral("VMX7000"), QStringLiteral("MONI_CLR"), 1));
  EXPECT_EQ(CProfile::GetString(QStringLiteral("VMX7000"), QStringLiteral("OS Version")), QStringLiteral("V1.0"));
  EXPECT_EQ(CProfile::GetInt(QStringLiteral("VMX7000"), QStringLiteral("MONI_CLR"), 0), 1);
  CProfile::Remove(QStringLiteral("VMX7000"), QStringLiteral("MONI_CLR"));
  EXPECT_EQ(CProfile::GetInt(QStringLiteral("VMX7000"), QStringLiteral("MONI_CLR"), 7), 7);
  EXPECT_EQ(messages.Requests().size(), 1u);
  // Another profile file starts from what it holds.
  CProfile::UseIniFile(profile.Path());
  EXPECT_EQ(CProfile::GetString(QStringLiteral("VMX7000"), QStringLiteral("OS Version"), QStringLiteral("none")),
            QStringLiteral("none"));
}

// A settings file that is a loop of links is the user's: it is told, left
// as it is, and the program works with its defaults and what it sets.
TEST(CProfileTest, ASettingsFileThatIsALoopOfLinksIsToldAndLeftAsItIs) {
  TempProfile profile;
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("settings.ini"));
  const QString other = dir.filePath(QStringLiteral("other.ini"));
  ASSERT_TRUE(QFile::link(other, file));
  ASSERT_TRUE(QFile::link(file, other));
  CProfile::UseIniFile(file);
  const std::optional<CProfile::SetAside> setAside = CProfile::SetAsideUnreadableFile();
  ASSERT_TRUE(setAside.has_value());
  EXPECT_TRUE(setAside->loop);
  EXPECT_TRUE(setAside->keptAs.isEmpty());
  const QString message = CProfile::SetAsideMessage(*setAside);
  EXPECT_EQ(message, QStringLiteral("The settings file \"%1\" cannot be read: Too many levels of symbolic links.\nIt "
                                    "is left as it is; the program starts with its default settings and works with "
                                    "them until it ends.")
                         .arg(file));
  MessageRecorder messages;
  EXPECT_FALSE(CProfile::WriteString(QStringLiteral("COMSECTION"), QStringLiteral("Port"), QStringLiteral("/dev/x")));
  EXPECT_EQ(CProfile::GetString(QStringLiteral("COMSECTION"), QStringLiteral("Port")), QStringLiteral("/dev/x"));
  EXPECT_TRUE(QFileInfo(file).isSymLink());
  EXPECT_EQ(QFileInfo(file).symLinkTarget(), other);
  EXPECT_TRUE(QFileInfo(other).isSymLink());
  // Made a loop while the program runs: not replaced either, and told.
  CProfile::UseIniFile(file);
  EXPECT_FALSE(CProfile::WriteInt(QStringLiteral("Settings"), QStringLiteral("Zoom"), 150));
  EXPECT_EQ(CProfile::GetInt(QStringLiteral("Settings"), QStringLiteral("Zoom"), 100), 150);
  EXPECT_TRUE(QFileInfo(file).isSymLink());
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_TRUE(messages.Requests()[0].text.contains(QStringLiteral("Too many levels of symbolic links")))
      << messages.Requests()[0].text.toStdString();
  CProfile::UseIniFile(profile.Path());
}

// The reason of a failed write is the system's: a full disk is no folder
// that cannot be written. On a small file system of the test's own, where
// the system lets the test make one.
TEST(CProfileTest, AFullDiskAndAReadOnlyDiskAreToldAsWhatTheyAre) {
  TempProfile profile;
  QTemporaryDir dir;
  const QString disk = dir.filePath(QStringLiteral("disk"));
  SmallDisk small(disk, 64 * 1024);
  if (!small.Mounted()) GTEST_SKIP() << small.Reason();
  const QString settings = disk + QStringLiteral("/settings.ini");
  CProfile::UseIniFile(settings);
  ASSERT_TRUE(CProfile::WriteString(QStringLiteral("COMSECTION"), QStringLiteral("Port"), QStringLiteral("/dev/x")));
  ASSERT_TRUE(small.Fill(QStringLiteral("filler"), 0));
  {
    MessageRecorder messages;
    EXPECT_FALSE(CProfile::WriteString(QStringLiteral("Settings"), QStringLiteral("Long"), QString(8000, 'x')));
    ASSERT_EQ(messages.Requests().size(), 1u);
    EXPECT_TRUE(messages.Requests()[0].text.contains(QStringLiteral("No space left on device")))
        << messages.Requests()[0].text.toStdString();
  }
  ASSERT_TRUE(QFile::remove(disk + QStringLiteral("/filler")));
  ASSERT_TRUE(small.SetReadOnly(true)) << std::strerror(errno);
  CProfile::UseIniFile(settings);
  MessageRecorder messages;
  EXPECT_FALSE(CProfile::WriteString(QStringLiteral("Settings"), QStringLiteral("Zoom"), QStringLiteral("150")));
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_TRUE(messages.Requests()[0].text.contains(QStringLiteral("Read-only file system")))
      << messages.Requests()[0].text.toStdString();
  CProfile::UseIniFile(profile.Path());
}
