// The profile: values by section and key, and the one value the program
// must never write.
#include "model/cprofile.h"
#include "support/tempprofile.h"

#include <QFile>
#include <QSettings>

#include <gtest/gtest.h>

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
