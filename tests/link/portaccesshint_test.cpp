// A serial port the user may not open: the hint names the group the device
// belongs to (read from the device) and says to log in again, in both
// languages, and the link's open failure message carries it.
#include "link/portaccesshint.h"
#include "link/ccommlink.h"
#include "link/linkprofile.h"
#include "model/cprofile.h"
#include "shell/clanguageswitcher.h"
#include "support/messagerecorder.h"
#include "support/waituntil.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace {

using Advice = PortAccessHint::Advice;

constexpr uid_t kOtherOwner = 4242;

// A stand-in for a serial device: a file with the group and mode of one, in
// a temporary folder or in folder.
class DeviceFile {
 public:
  explicit DeviceFile(mode_t mode, const QString& folder = QString())
      : m_path((folder.isEmpty() ? m_dir.path() : folder) + QStringLiteral("/ttyTest0")) {
    QFile file(m_path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(chmod(QFile::encodeName(m_path).constData(), mode), 0);
    // Root's own rights are not those of an owner: give the file another.
    if (geteuid() == 0) {
      EXPECT_EQ(chown(QFile::encodeName(m_path).constData(), kOtherOwner, static_cast<gid_t>(-1)), 0);
    }
    struct stat info {};
    EXPECT_EQ(stat(QFile::encodeName(m_path).constData(), &info), 0);
    m_uid = info.st_uid;
    m_gid = info.st_gid;
  }
  QString Path() const { return m_path; }
  unsigned Uid() const { return m_uid; }
  unsigned Gid() const { return m_gid; }
  QString GroupName() const {
    const group* entry = getgrgid(m_gid);
    return entry ? QString::fromLocal8Bit(entry->gr_name) : QString::number(m_gid);
  }

 private:
  QTemporaryDir m_dir;
  QString m_path;
  unsigned m_uid = 0;
  unsigned m_gid = 0;
};

constexpr uid_t kNobody = 65534;

// True when somebody who is neither owner nor in the group may read path (a
// file or a folder) and pass every folder above it.
bool OthersReach(const QString& path) {
  struct stat info {};
  if (stat(QFile::encodeName(path).constData(), &info) != 0 || (info.st_mode & S_IROTH) == 0) return false;
  for (QDir dir = QFileInfo(path).absoluteDir();; ) {
    if (stat(QFile::encodeName(dir.absolutePath()).constData(), &info) != 0 || (info.st_mode & S_IXOTH) == 0)
      return false;
    if (dir.isRoot()) return true;
    dir.setPath(QFileInfo(dir.absolutePath()).path());
  }
}

// What a child run as nobody needs, where nobody reaches it wherever the
// build lies: a 0755 folder of its own under /tmp with a copy of this test
// program and of the shared libraries it loaded from places nobody may
// enter, a home that nobody may write (its temporary files and profile),
// and a folder for the device.
class NobodysCorner {
 public:
  NobodysCorner() {
    QByteArray pattern = "/tmp/selv-access-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
      m_why = QStringLiteral("no folder of its own under /tmp");
      return;
    }
    m_base = QString::fromLocal8Bit(pattern);
    const QFile::Permissions open = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                    QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    QDir base(m_base);
    if (!QFile::setPermissions(m_base, open) || !base.mkpath(QStringLiteral("lib")) ||
        !base.mkpath(QStringLiteral("home")) || !base.mkpath(QStringLiteral("dev")) ||
        !QFile::setPermissions(base.filePath(QStringLiteral("lib")), open) ||
        !QFile::setPermissions(base.filePath(QStringLiteral("dev")), open) ||
        chown(QFile::encodeName(base.filePath(QStringLiteral("home"))).constData(), kNobody, kNobody) != 0) {
      m_why = QStringLiteral("could not prepare %1").arg(m_base);
      return;
    }
    if (!OthersReach(base.filePath(QStringLiteral("lib")))) {
      m_why = QStringLiteral("other users may not enter %1").arg(m_base);
      return;
    }
    m_program = base.filePath(QStringLiteral("test-program"));
    if (!QFile::copy(QCoreApplication::applicationFilePath(), m_program) ||
        !QFile::setPermissions(m_program, open)) {
      m_why = QStringLiteral("could not copy the test program");
      return;
    }
    // The shared libraries this program loaded from where nobody may go.
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly)) {
      m_why = QStringLiteral("/proc/self/maps is not readable");
      return;
    }
    QStringList copied;
    for (const QByteArray& line : maps.readAll().split('\n')) {
      const int slash = line.indexOf('/');
      if (slash < 0) continue;
      const QString path = QString::fromLocal8Bit(line.mid(slash));
      const QString name = QFileInfo(path).fileName();
      if (!name.contains(QStringLiteral(".so")) || copied.contains(name) || OthersReach(path)) continue;
      const QString copy = base.filePath(QStringLiteral("lib/") + name);
      if (!QFile::copy(path, copy) || !QFile::setPermissions(copy, open)) {
        m_why = QStringLiteral("could not copy %1").arg(path);
        return;
      }
      copied << name;
    }
  }
  ~NobodysCorner() {
    if (!m_base.isEmpty()) QDir(m_base).removeRecursively();
  }
  NobodysCorner(const NobodysCorner&) = delete;
  NobodysCorner& operator=(const NobodysCorner&) = delete;

  // Why the corner could not be made (empty when it was).
  QString Why() const { return m_why; }
  QString Program() const { return m_program; }
  QString Libraries() const { return m_base + QStringLiteral("/lib"); }
  QString Home() const { return m_base + QStringLiteral("/home"); }
  QString DeviceFolder() const { return m_base + QStringLiteral("/dev"); }

 private:
  QString m_base;
  QString m_program;
  QString m_why;
};

// Somebody who is neither the device's owner nor in its group.
PortAccessHint::Account Stranger(const DeviceFile& device) {
  PortAccessHint::Account account;
  account.uid = device.Uid() + 4711;
  account.name = QStringLiteral("anna");
  account.groups = {device.Gid() + 4711};
  account.listedGroups = account.groups;
  return account;
}

TEST(PortAccessHintTest, NamesTheDevicesGroupForAUserOutsideIt) {
  DeviceFile device(0660);
  PortAccessHint::Account anna = Stranger(device);
  const PortAccessHint::Finding finding = PortAccessHint::Inspect(device.Path(), anna);
  EXPECT_EQ(finding.advice, Advice::JoinGroup);
  EXPECT_EQ(finding.group, device.GroupName());
  EXPECT_EQ(finding.device, device.Path());
  const QString text = PortAccessHint::Text(finding, anna.name);
  EXPECT_TRUE(text.contains(QStringLiteral("\"%1\"").arg(device.GroupName()))) << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("adduser anna %1").arg(device.GroupName()))) << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("log in again"))) << text.toStdString();

  // Added to the group, but still logged in as before.
  anna.listedGroups.push_back(device.Gid());
  EXPECT_EQ(PortAccessHint::Inspect(device.Path(), anna).advice, Advice::LogInAgain);
  // Logged in again: nothing to say.
  anna.groups.push_back(device.Gid());
  EXPECT_EQ(PortAccessHint::Inspect(device.Path(), anna).advice, Advice::None);
}

TEST(PortAccessHintTest, SaysNothingWhereTheRightsAreNotTheCause) {
  struct Row {
    mode_t mode;
    bool owner;
    bool member;
    Advice expected;
  };
  const Row rows[] = {
      {0666, false, false, Advice::None},             // everybody may
      {0600, true, false, Advice::None},              // the owner may
      {0060, true, true, Advice::AskAdministrator},   // the owner's own rights come first
      {0600, false, true, Advice::AskAdministrator},  // the group may not either
      {0600, false, false, Advice::AskAdministrator},
  };
  for (const Row& row : rows) {
    DeviceFile device(row.mode);
    PortAccessHint::Account account = Stranger(device);
    if (row.owner) account.uid = device.Uid();
    if (row.member) account.groups.push_back(device.Gid());
    EXPECT_EQ(PortAccessHint::Inspect(device.Path(), account).advice, row.expected) << std::oct << row.mode;
  }
  DeviceFile device(0660);
  PortAccessHint::Account root = Stranger(device);
  root.uid = 0;
  EXPECT_EQ(PortAccessHint::Inspect(device.Path(), root).advice, Advice::None);
  // A missing device has its own reason in the message already.
  EXPECT_EQ(PortAccessHint::Inspect(device.Path() + QStringLiteral("-gone"), Stranger(device)).advice, Advice::None);
  EXPECT_TRUE(PortAccessHint::Text(PortAccessHint::Finding(), QStringLiteral("anna")).isEmpty());
  EXPECT_EQ(PortAccessHint::DevicePath(QStringLiteral("ttyUSB0")), QStringLiteral("/dev/ttyUSB0"));
  EXPECT_EQ(PortAccessHint::DevicePath(QStringLiteral("/dev/ttyS1")), QStringLiteral("/dev/ttyS1"));
}

TEST(PortAccessHintTest, SpeaksGerman) {
  DeviceFile device(0660);
  PortAccessHint::Account anna = Stranger(device);
  CLanguageSwitcher languages;
  languages.Apply(CStringTable::Language::German);
  PortAccessHint::Finding finding = PortAccessHint::Inspect(device.Path(), anna);
  const QString join = PortAccessHint::Text(finding, anna.name);
  anna.listedGroups.push_back(device.Gid());
  const QString again = PortAccessHint::Text(PortAccessHint::Inspect(device.Path(), anna), anna.name);
  finding.advice = Advice::AskAdministrator;
  const QString ask = PortAccessHint::Text(finding, anna.name);
  languages.Apply(CStringTable::Language::English);
  EXPECT_TRUE(join.contains(QStringLiteral("Gruppe \u201e%1\u201c").arg(device.GroupName()))) << join.toStdString();
  EXPECT_TRUE(join.contains(QStringLiteral("wieder an"))) << join.toStdString();
  EXPECT_TRUE(again.contains(QStringLiteral("neuen Anmeldung"))) << again.toStdString();
  EXPECT_TRUE(ask.contains(QStringLiteral("Administrator"))) << ask.toStdString();
}

// Run by TheOpenFailureNamesTheGroupToJoin as a user outside the device's
// group: the link's message when the port cannot be opened.
TEST(PortAccessHintTest, OpenFailureChild) {
  const QString device = qEnvironmentVariable("SELV_DENIED_DEVICE");
  if (device.isEmpty()) GTEST_SKIP() << "run by TheOpenFailureNamesTheGroupToJoin";
  CProfile::WriteString(LinkProfile::kComSection, LinkProfile::kPort, device);
  // Otherwise the link would try its default port and fail for another
  // reason.
  ASSERT_EQ(CProfile::GetString(LinkProfile::kComSection, LinkProfile::kPort), device)
      << "the profile " << CProfile::IniFile().toStdString() << " did not keep the port";
  MessageRecorder messages;
  CCommLink link;
  EXPECT_FALSE(link.Connect(nullptr));
  ASSERT_EQ(messages.Requests().size(), 1u);
  const QString text = messages.Requests()[0].text;
  EXPECT_TRUE(text.contains(QStringLiteral("Permission denied"))) << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("\"%1\"").arg(qEnvironmentVariable("SELV_DENIED_GROUP"))))
      << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("log in again"))) << text.toStdString();
}

TEST(PortAccessHintTest, TheOpenFailureNamesTheGroupToJoin) {
  // A device of a group the user is not in needs another user: root makes
  // it and runs the link as nobody.
  if (geteuid() != 0) GTEST_SKIP() << "needs root to make a device of a group the user is not in";
  const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
  if (setpriv.isEmpty()) GTEST_SKIP() << "setpriv (util-linux) is not installed";
  const NobodysCorner corner;
  if (!corner.Why().isEmpty()) GTEST_SKIP() << "no place for a child run as nobody: " << corner.Why().toStdString();
  const group* dialout = getgrnam("dialout");
  DeviceFile device(0660, corner.DeviceFolder());
  if (dialout != nullptr) {
    ASSERT_EQ(chown(QFile::encodeName(device.Path()).constData(), 0, dialout->gr_gid), 0);
  }
  const QString groupName = dialout != nullptr ? QString::fromLocal8Bit(dialout->gr_name) : device.GroupName();

  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("SELV_DENIED_DEVICE"), device.Path());
  env.insert(QStringLiteral("SELV_DENIED_GROUP"), groupName);
  // Its temporary files (the profile among them) where nobody may write.
  env.insert(QStringLiteral("TMPDIR"), corner.Home());
  env.insert(QStringLiteral("HOME"), corner.Home());
  env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
  const QString libraries = env.value(QStringLiteral("LD_LIBRARY_PATH"));
  env.insert(QStringLiteral("LD_LIBRARY_PATH"),
             libraries.isEmpty() ? corner.Libraries() : corner.Libraries() + QLatin1Char(':') + libraries);
  QProcess child;
  child.setProcessEnvironment(env);
  child.setProcessChannelMode(QProcess::MergedChannels);
  child.start(setpriv, {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                        QStringLiteral("--clear-groups"), corner.Program(),
                        QStringLiteral("--gtest_filter=PortAccessHintTest.OpenFailureChild")});
  ASSERT_TRUE(child.waitForFinished(kHangLimitMs));
  const QString output = QString::fromLocal8Bit(child.readAll());
  EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
  EXPECT_TRUE(output.contains(QStringLiteral("[       OK ] PortAccessHintTest.OpenFailureChild")))
      << output.toStdString();
}

}  // namespace
