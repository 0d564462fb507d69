#include "link/portaccesshint.h"

#include "model/cfilename.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool Contains(const std::vector<unsigned>& ids, unsigned id) {
  return std::find(ids.begin(), ids.end(), id) != ids.end();
}

bool ReadWrite(mode_t mode, mode_t read, mode_t write) { return (mode & read) != 0 && (mode & write) != 0; }

QString GroupName(gid_t gid) {
  if (const group* entry = getgrgid(gid)) return QString::fromLocal8Bit(entry->gr_name);
  return QString::number(gid);
}

}  // namespace

PortAccessHint::Account PortAccessHint::Account::OfProcess() {
  Account account;
  account.uid = geteuid();
  account.groups.push_back(getegid());
  const int count = getgroups(0, nullptr);
  if (count > 0) {
    std::vector<gid_t> groups(static_cast<size_t>(count));
    const int got = getgroups(count, groups.data());
    for (int i = 0; i < got; ++i) account.groups.push_back(groups[static_cast<size_t>(i)]);
  }
  if (const passwd* user = getpwuid(account.uid)) {
    account.name = QString::fromLocal8Bit(user->pw_name);
    // The groups the user has after the next login.
    int listed = 64;
    std::vector<gid_t> groups(static_cast<size_t>(listed));
    if (getgrouplist(user->pw_name, user->pw_gid, groups.data(), &listed) < 0 && listed > 0) {
      groups.resize(static_cast<size_t>(listed));
      if (getgrouplist(user->pw_name, user->pw_gid, groups.data(), &listed) < 0) listed = 0;
    }
    for (int i = 0; i < listed; ++i) account.listedGroups.push_back(groups[static_cast<size_t>(i)]);
  }
  return account;
}

QString PortAccessHint::DevicePath(const QString& portName) {
  if (portName.isEmpty() || portName.contains(QLatin1Char('/'))) return portName;
  return QStringLiteral("/dev/") + portName;
}

PortAccessHint::Finding PortAccessHint::Inspect(const QString& portName, const Account& account) {
  Finding finding;
  finding.device = DevicePath(portName);
  struct stat info {};
  if (finding.device.isEmpty() || stat(QFile::encodeName(finding.device).constData(), &info) != 0) return finding;
  finding.group = GroupName(info.st_gid);
  // The system's own order: the owner's rights for the owner, the group's
  // for its members, the others' for everybody else.
  if (account.uid == 0) return finding;
  if (info.st_uid == account.uid) {
    if (!ReadWrite(info.st_mode, S_IRUSR, S_IWUSR)) finding.advice = Advice::AskAdministrator;
    return finding;
  }
  const bool groupMayUse = ReadWrite(info.st_mode, S_IRGRP, S_IWGRP);
  if (Contains(account.groups, info.st_gid)) {
    if (!groupMayUse) finding.advice = Advice::AskAdministrator;
    return finding;
  }
  if (ReadWrite(info.st_mode, S_IROTH, S_IWOTH)) return finding;
  if (!groupMayUse)
    finding.advice = Advice::AskAdministrator;
  else if (Contains(account.listedGroups, info.st_gid))
    finding.advice = Advice::LogInAgain;
  else
    finding.advice = Advice::JoinGroup;
  return finding;
}

QString PortAccessHint::Text(const Finding& finding, const QString& userName) {
  switch (finding.advice) {
    case Advice::None: return QString();
    case Advice::JoinGroup:
      return QCoreApplication::translate("PortAccessHint",
                                         "Your user may not use the serial port %1. It belongs to the group \"%2\": "
                                         "add your user to that group (as administrator: adduser %3 %2), then log "
                                         "out and log in again.")
          .arg(CFileName::Display(finding.device), finding.group,
               userName.isEmpty() ? QStringLiteral("USER") : userName);
    case Advice::LogInAgain:
      return QCoreApplication::translate("PortAccessHint",
                                         "Your user is in the group \"%2\" that may use the serial port %1, but gets "
                                         "the group's rights only with a new login: log out and log in again.")
          .arg(CFileName::Display(finding.device), finding.group);
    case Advice::AskAdministrator:
      return QCoreApplication::translate("PortAccessHint",
                                         "Your user may not use the serial port %1, and no group of yours gives the "
                                         "right to it. Ask the administrator of this computer for access.")
          .arg(CFileName::Display(finding.device));
  }
  return QString();
}

QString PortAccessHint::For(const QString& portName) {
  const Account account = Account::OfProcess();
  return Text(Inspect(portName, account), account.name);
}
