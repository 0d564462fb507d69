#ifndef SELV_ONLINE_CEVENTFORWARDER_H
#define SELV_ONLINE_CEVENTFORWARDER_H

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <vector>

// Hands log entries that match configured keywords to a drop directory,
// one small text file per matching rule (the three header texts, then the
// rule's message). Configured by "faxconfig.txt" (see ConfigCandidates for
// where it is looked for): line 1
// the drop directory, lines 2 to 4 the header texts, then one rule per line
// (keyword, tab, message; "\n" in the message and the third header stands
// for a line feed). Forwarding is on only when the drop directory exists.
class CEventForwarder final {
 public:
  struct Rule {
    QString keyword;
    QString text;
  };

  static QString ConfigFileName() { return QStringLiteral("faxconfig.txt"); }
  // Where the configuration is looked for, the first file found counting:
  // the user's configuration folder (userConfigDir/selvantis), then
  // /etc/selvantis, then the program's folder, but only when the program
  // runs from a build tree (programDir is not installedBinDir).
  static QStringList ConfigCandidates(const QString& userConfigDir, const QString& programDir,
                                      const QString& installedBinDir);
  // The first of ConfigCandidates for this user and program that exists;
  // the user's file when none does.
  static QString DefaultConfigPath();

  // Reads the configuration; a missing file or a drop directory that does
  // not exist leaves forwarding off. True when forwarding is on.
  bool Load(const QString& configPath);
  bool IsOn() const { return !m_dropDir.isEmpty(); }
  QString DropDirectory() const { return m_dropDir; }
  const std::array<QString, 3>& Headers() const { return m_headers; }
  const std::vector<Rule>& Rules() const { return m_rules; }

  // Writes a file into workDir for every rule whose keyword the entry
  // contains and copies it into the drop directory under the same name.
  // The files are named by the milliseconds since system start; a name
  // already taken in either directory is counted up. Returns the names
  // delivered to the drop directory. A failed copy is left at that: the
  // local file stays.
  QStringList Forward(const QString& entry, const QString& workDir) const;
  // The text of the file of one rule.
  QByteArray FileText(const Rule& rule) const;

 private:
  QString m_dropDir;
  std::array<QString, 3> m_headers;
  std::vector<Rule> m_rules;
};

#endif
