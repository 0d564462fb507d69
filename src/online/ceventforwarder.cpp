#include "online/ceventforwarder.h"

#include "model/ctext.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

// Where the installed program lies; set by the build.
#ifndef SELV_INSTALL_FULL_BINDIR
#define SELV_INSTALL_FULL_BINDIR "/usr/bin"
#endif

namespace {

QString WithLineFeeds(const QString& text) {
  QString out = text;
  out.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
  return out;
}

QString ChopLineEnd(QByteArray bytes) {
  while (bytes.endsWith('\n') || bytes.endsWith('\r')) bytes.chop(1);
  return FromUnitText(bytes);
}

}  // namespace

QStringList CEventForwarder::ConfigCandidates(const QString& userConfigDir, const QString& programDir,
                                              const QString& installedBinDir) {
  QStringList candidates;
  if (!userConfigDir.isEmpty())
    candidates << QDir(userConfigDir).filePath(QStringLiteral("selvantis/") + ConfigFileName());
  candidates << QStringLiteral("/etc/selvantis/") + ConfigFileName();
  // Installed, the program's folder is the system's (/usr/bin), no place
  // for a configuration; a build tree keeps it beside the program.
  const QString program = QDir::cleanPath(programDir);
  if (!program.isEmpty() && program != QDir::cleanPath(installedBinDir))
    candidates << QDir(program).filePath(ConfigFileName());
  return candidates;
}

QString CEventForwarder::DefaultConfigPath() {
  const QStringList candidates =
      ConfigCandidates(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
                       QCoreApplication::applicationDirPath(), QStringLiteral(SELV_INSTALL_FULL_BINDIR));
  for (const QString& path : candidates)
    if (QFileInfo(path).isFile()) return path;
  return candidates.value(0);
}

bool CEventForwarder::Load(const QString& configPath) {
  m_dropDir.clear();
  m_headers = {};
  m_rules.clear();
  QFile file(configPath);
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QString dir = ChopLineEnd(file.readLine());
  if (dir.isEmpty() || !QFileInfo(dir).isDir()) return false;
  m_dropDir = dir;
  const QString crlf = QStringLiteral("\r\n");
  for (int i = 0; i < 3 && !file.atEnd(); ++i) {
    const QString header = ChopLineEnd(file.readLine());
    m_headers[static_cast<size_t>(i)] = (i == 2 ? WithLineFeeds(header) : header) + crlf;
  }
  while (!file.atEnd()) {
    // A keyword ending in "\n" matches only at the end of an entry.
    const QString line = WithLineFeeds(ChopLineEnd(file.readLine()));
    const int tab = static_cast<int>(line.indexOf(QLatin1Char('\t')));
    Rule rule;
    rule.keyword = tab < 0 ? line : line.left(tab);
    rule.text = tab < 0 ? QString() : line.mid(tab + 1);
    // An empty keyword would forward every entry.
    if (!rule.keyword.isEmpty()) m_rules.push_back(rule);
  }
  return true;
}

QByteArray CEventForwarder::FileText(const Rule& rule) const {
  return ToUnitText(m_headers[0] + m_headers[1] + m_headers[2] + rule.text);
}

QStringList CEventForwarder::Forward(const QString& entry, const QString& workDir) const {
  QStringList delivered;
  if (!IsOn()) return delivered;
  const QString probe = entry + QLatin1Char('\n');
  const QDir work(workDir);
  const QDir drop(m_dropDir);
  QElapsedTimer clock;
  clock.start();
  qint64 number = clock.msecsSinceReference();
  for (const Rule& rule : m_rules) {
    if (!probe.contains(rule.keyword)) continue;
    // Several rules can match within one millisecond: each gets its own file.
    QString name;
    do {
      name = Fmt("%lld", static_cast<long long>(number++));
    } while (work.exists(name) || drop.exists(name));
    const QString local = work.filePath(name);
    QSaveFile file(local);
    if (!file.open(QIODevice::WriteOnly)) continue;
    file.write(FileText(rule));
    if (!file.commit()) continue;
    if (QFile::copy(local, drop.filePath(name))) delivered << name;
  }
  return delivered;
}
