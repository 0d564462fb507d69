#ifndef SELV_SHELL_CRECENTFILELIST_H
#define SELV_SHELL_CRECENTFILELIST_H

#include <QString>
#include <QStringList>

// The most recently used project files, newest first, kept in the profile
// section "Recent File List" as "File1" to "File4".
class CRecentFileList final {
 public:
  static constexpr int kSize = 4;
  static constexpr const char* kSection = "Recent File List";

  // Reads the list from the profile; empty and repeated entries are dropped.
  void Load();
  // Writes the list; keys beyond the list's end are removed.
  void Save() const;

  // Puts path in front; an entry naming the same file moves instead of
  // appearing twice; the oldest entry falls off the end.
  void Add(const QString& path);
  void Remove(const QString& path);
  void RemoveAt(int index);

  int Count() const noexcept { return m_files.size(); }
  QString At(int index) const;
  const QStringList& Files() const noexcept { return m_files; }
  // The menu text of entry index: "&1 name", the path shortened to its file
  // name when it lies in currentDir or is long.
  QString MenuText(int index, const QString& currentDir = QString()) const;

  static bool SameFile(const QString& a, const QString& b);

 private:
  QStringList m_files;
};

#endif
