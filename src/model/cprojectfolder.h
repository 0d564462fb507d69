#ifndef SELV_MODEL_CPROJECTFOLDER_H
#define SELV_MODEL_CPROJECTFOLDER_H

#include <QString>
#include <QStringList>

// What the program itself leaves beside a project file: the backup (".bak"
// in place of ".sxm") and, after a save that was killed half-way, the
// temporary files its saves write first ("Plant.sxm.qZtRkA",
// "Plant.bak.HwYpeL": the file's name, a dot and six random letters). Only
// files that are clearly such leftovers count: a file someone named
// "Plant.sxm.backup" or "Plant.sxm.Golden" is never taken for one.
class CProjectFolder final {
 public:
  CProjectFolder() = delete;

  // Whether file is a leftover temporary file of the project at projectPath
  // or of its backup: named as one (mixed-case random letters, not a word),
  // a regular file of this user with no other name, and holding the start of
  // a project file or nothing yet.
  static bool IsStaleTemporaryFile(const QString& projectPath, const QString& file);
  // The leftover temporary files of the project and its backup.
  static QStringList StaleTemporaryFiles(const QString& projectPath);
  // Removes files (leftovers found before a save, while the project file
  // still had its name); returns how many were removed.
  static int Remove(const QStringList& files);
};

#endif
