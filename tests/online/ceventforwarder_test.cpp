// Forwarding of log entries to a drop directory as configured.
#include "online/ceventforwarder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class EventForwarderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_root.isValid());
    QDir(m_root.path()).mkdir("drop");
    QDir(m_root.path()).mkdir("work");
    m_drop = m_root.filePath("drop");
    m_work = m_root.filePath("work");
  }
  QString WriteConfig(const QByteArray& text) {
    const QString path = m_root.filePath("faxconfig.txt");
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    return path;
  }
  static QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
  }

  QTemporaryDir m_root;
  QString m_drop;
  QString m_work;
};

TEST_F(EventForwarderTest, ReadsHeadersAndRules) {
  CEventForwarder forwarder;
  ASSERT_TRUE(forwarder.Load(WriteConfig(m_drop.toLatin1() + "\r\nTo: desk\r\nFrom: hall\nLine1\\nLine2\r\n"
                                                             "FIRE\tFire alarm\\nact now\n\nCALL\tA call\n")));
  EXPECT_TRUE(forwarder.IsOn());
  EXPECT_EQ(forwarder.DropDirectory(), m_drop);
  EXPECT_EQ(forwarder.Headers()[0], "To: desk\r\n");
  EXPECT_EQ(forwarder.Headers()[1], "From: hall\r\n");
  EXPECT_EQ(forwarder.Headers()[2], "Line1\nLine2\r\n");
  // The empty line is no rule (it would match every entry).
  ASSERT_EQ(forwarder.Rules().size(), 2u);
  EXPECT_EQ(forwarder.Rules()[0].keyword, "FIRE");
  EXPECT_EQ(forwarder.Rules()[0].text, "Fire alarm\nact now");
}

TEST_F(EventForwarderTest, OffWithoutFileOrWithAMissingDirectory) {
  CEventForwarder forwarder;
  EXPECT_FALSE(forwarder.Load(m_root.filePath("none.txt")));
  EXPECT_FALSE(forwarder.Load(WriteConfig(m_root.filePath("gone").toLatin1() + "\nA\nB\nC\nFIRE\tx\n")));
  EXPECT_FALSE(forwarder.IsOn());
  EXPECT_TRUE(forwarder.Rules().empty());
  EXPECT_TRUE(forwarder.Forward("FIRE", m_work).isEmpty());
}

TEST_F(EventForwarderTest, EveryMatchingRuleWritesItsOwnFile) {
  CEventForwarder forwarder;
  ASSERT_TRUE(
      forwarder.Load(WriteConfig(m_drop.toLatin1() + "\nH1\nH2\nH3\nFIRE\tFire!\nZONE\tZone!\nPOWER\tPower\n")));
  const QStringList names = forwarder.Forward("a b c d FIRE ZONE 3", m_work);
  ASSERT_EQ(names.size(), 2);
  EXPECT_NE(names[0], names[1]);
  EXPECT_EQ(Read(QDir(m_drop).filePath(names[0])), "H1\r\nH2\r\nH3\r\nFire!");
  EXPECT_EQ(Read(QDir(m_drop).filePath(names[1])), "H1\r\nH2\r\nH3\r\nZone!");
  EXPECT_TRUE(QFile::exists(QDir(m_work).filePath(names[0])));
  EXPECT_TRUE(forwarder.Forward("nothing to see", m_work).isEmpty());
}

TEST_F(EventForwarderTest, KeywordsMayEndWithTheLineFeed) {
  CEventForwarder forwarder;
  ASSERT_TRUE(forwarder.Load(WriteConfig(m_drop.toLatin1() + "\nH1\nH2\nH3\nRESET\\n\tReset\n")));
  EXPECT_EQ(forwarder.Rules()[0].keyword, "RESET\n");
  EXPECT_TRUE(forwarder.Forward("x RESET done", m_work).isEmpty());
  EXPECT_EQ(forwarder.Forward("x RESET", m_work).size(), 1);
}

TEST_F(EventForwarderTest, AGoneDropDirectoryKeepsTheLocalFile) {
  CEventForwarder forwarder;
  ASSERT_TRUE(forwarder.Load(WriteConfig(m_drop.toLatin1() + "\nH1\nH2\nH3\nFIRE\tFire!\n")));
  ASSERT_TRUE(QDir(m_drop).removeRecursively());
  EXPECT_TRUE(forwarder.Forward("FIRE", m_work).isEmpty());
  EXPECT_EQ(QDir(m_work).entryList(QDir::Files).size(), 1);
}


// The configuration comes from the user's folder, then the system's; the
// program's own folder counts only for a program run from its build tree.
TEST(EventForwarderConfigTest, TheUsersFolderThenTheSystemsTheProgramsOnlyInABuildTree) {
  struct Row {
    const char* what;
    QString programDir;
    QStringList expected;
  };
  const Row rows[] = {
      {"installed", "/usr/bin",
       {"/home/ann/.config/selvantis/faxconfig.txt", "/etc/selvantis/faxconfig.txt"}},
      {"installed, named another way", "/usr/bin/",
       {"/home/ann/.config/selvantis/faxconfig.txt", "/etc/selvantis/faxconfig.txt"}},
      {"a build tree", "/src/selvantis/build/src",
       {"/home/ann/.config/selvantis/faxconfig.txt", "/etc/selvantis/faxconfig.txt",
        "/src/selvantis/build/src/faxconfig.txt"}},
  };
  for (const Row& row : rows)
    EXPECT_EQ(CEventForwarder::ConfigCandidates("/home/ann/.config", row.programDir, "/usr/bin"), row.expected)
        << row.what;
  EXPECT_EQ(CEventForwarder::ConfigCandidates(QString(), "/usr/bin", "/usr/bin"),
            QStringList{"/etc/selvantis/faxconfig.txt"})
      << "no user folder known";
}

TEST(EventForwarderConfigTest, TheUsersFileIsReadWhenItExists) {
  QTemporaryDir home;
  ASSERT_TRUE(home.isValid());
  const QByteArray previous = qgetenv("XDG_CONFIG_HOME");
  const bool hadPrevious = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
  qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
  const QString users = home.filePath("selvantis/faxconfig.txt");
  if (!QFile::exists("/etc/selvantis/faxconfig.txt")) {
    EXPECT_EQ(CEventForwarder::DefaultConfigPath(), users) << "where it would be read from";
  }
  ASSERT_TRUE(QDir(home.path()).mkpath("selvantis"));
  QFile file(users);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(home.path().toLocal8Bit() + "\nA\nB\nC\nFIRE\tFire\n");
  file.close();
  EXPECT_EQ(CEventForwarder::DefaultConfigPath(), users);
  CEventForwarder forwarder;
  EXPECT_TRUE(forwarder.Load(CEventForwarder::DefaultConfigPath()));
  if (hadPrevious)
    qputenv("XDG_CONFIG_HOME", previous);
  else
    qunsetenv("XDG_CONFIG_HOME");
}

}  // namespace
