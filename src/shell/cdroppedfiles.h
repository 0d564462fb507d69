#ifndef SELV_SHELL_CDROPPEDFILES_H
#define SELV_SHELL_CDROPPEDFILES_H

#include <QString>
#include <QStringList>

// Sorts files dropped on the main window: project files (".sxm") are opened,
// command text files (".txt", any case) are sent to the unit, anything else
// is left alone.
class CDroppedFiles final {
 public:
  explicit CDroppedFiles(const QStringList& paths);

  const QStringList& Projects() const noexcept { return m_projects; }
  const QStringList& CommandFiles() const noexcept { return m_commandFiles; }
  const QStringList& Ignored() const noexcept { return m_ignored; }

  static bool IsProjectFile(const QString& path);
  static bool IsCommandFile(const QString& path);

 private:
  QStringList m_projects;
  QStringList m_commandFiles;
  QStringList m_ignored;
};

#endif
