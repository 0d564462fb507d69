#ifndef SELV_SHELL_CDROPPEDFILES_H
#define SELV_SHELL_CDROPPEDFILES_H

#include <QString>
#include <QStringList>

class QUrl;

// Sorts files dropped on the main window: project files (".sxm") are opened,
// command text files (".txt", any case) are sent to the unit, anything else
// is left alone.
class CDroppedFiles final {
 public:
  explicit CDroppedFiles(const QStringList& paths);

  const QStringList& Projects() const noexcept { return m_projects; }
  const QStringList& CommandFiles() const noexcept { return m_commandFiles; }
  const QStringList& Ignored() const noexcept { return m_ignored; }

  // The local file a dropped URL names, by its bytes (CFileName): a byte
  // that is no part of a UTF-8 character comes as "%E9", which the URL's
  // own conversion would turn into U+FFFD. Empty when url is no local file.
  static QString LocalName(const QUrl& url);

  static bool IsProjectFile(const QString& path);
  static bool IsCommandFile(const QString& path);

 private:
  QStringList m_projects;
  QStringList m_commandFiles;
  QStringList m_ignored;
};

#endif
