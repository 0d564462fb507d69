#include "support/underwindowmanager.h"

#include "support/waituntil.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <QStringList>

namespace {

QString Xvfb() { return QStandardPaths::findExecutable(QStringLiteral("Xvfb")); }
QString Openbox() { return QStandardPaths::findExecutable(QStringLiteral("openbox")); }

void Stop(QProcess& process) {
  if (process.state() == QProcess::NotRunning) return;
  process.terminate();
  if (!process.waitForFinished(kHangLimitMs)) process.kill();
}

}  // namespace

UnderWindowManager::~UnderWindowManager() {
  Stop(m_manager);
  Stop(m_server);
}

QString UnderWindowManager::Missing() {
  if (Xvfb().isEmpty() || Openbox().isEmpty())
    return QStringLiteral("needs Xvfb and the window manager openbox (scripts/deps.sh installs both)");
  return QString();
}

bool UnderWindowManager::Start(QString* why) {
  m_env = QProcessEnvironment::systemEnvironment();
  // The X server picks a free display and writes its number to a pipe.
  m_server.setProcessChannelMode(QProcess::SeparateChannels);
  m_server.start(Xvfb(), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                          QStringLiteral("0"), QStringLiteral("1280x800x24"), QStringLiteral("-nolisten"),
                          QStringLiteral("tcp")});
  if (!m_server.waitForStarted(kHangLimitMs)) {
    *why = QStringLiteral("the X server did not start: ") + m_server.errorString();
    return false;
  }
  QString number;
  WaitUntil([&] {
    number += QString::fromLatin1(m_server.readAllStandardOutput());
    return number.contains(QLatin1Char('\n')) || m_server.state() == QProcess::NotRunning;
  });
  number = number.trimmed();
  if (number.isEmpty()) {
    *why = QStringLiteral("the X server did not start: ") + QString::fromLocal8Bit(m_server.readAllStandardError());
    return false;
  }
  m_env.insert(QStringLiteral("DISPLAY"), QLatin1Char(':') + number);
  m_env.insert(QStringLiteral("HOME"), m_home.path());
  m_manager.setProcessEnvironment(m_env);
  m_manager.setProcessChannelMode(QProcess::MergedChannels);
  m_manager.start(Openbox(), {});
  if (!m_manager.waitForStarted(kHangLimitMs)) {
    *why = QStringLiteral("the window manager did not start: ") + m_manager.errorString();
    return false;
  }
  return true;
}

bool UnderWindowManager::RunChild(const QString& filter, QString* output) {
  QProcessEnvironment env = m_env;
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
  env.insert(QStringLiteral("SELV_WM_CHILD"), QStringLiteral("1"));
  QProcess child;
  child.setProcessEnvironment(env);
  child.setProcessChannelMode(QProcess::MergedChannels);
  child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=") + filter});
  // The child's own waits each end at the hang limit.
  const bool finished = child.waitForFinished(8 * kHangLimitMs);
  *output = QString::fromLocal8Bit(child.readAll());
  return finished && child.exitCode() == 0 && output->contains(QStringLiteral("[       OK ] ") + filter);
}
