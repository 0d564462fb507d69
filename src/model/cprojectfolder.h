#ifndef SELV_MODEL_CPROJECTFOLDER_H
#define SELV_MODEL_CPROJECTFOLDER_H

#include <QString>
#include <QStringList>

// What the program itself leaves beside a project file: the backup (".bak"
// in place of ".sxm") and, after a save that was killed half-way, the
// temporary files its saves write first ("Plant.sxm.sxtmp-k3Zq9A",
// "Plant.bak.sxtmp-HW0peL": the file's name, the program's mark and six
// random letters or digits; older versions wrote "Plant.sxm.qZtRkA"). Only
// files that are clearly such leftovers count: a file someone named
// "Plant.sxm.backup" or "Plant.sxm.Golden" is never taken for one.
class CProjectFolder final {
 public:
  CProjectFolder() = delete;

  // Whether file is a leftover temporary file of the project at projectPath
  // or of its backup: named as one, a regular file of this user with no other name, and holding the start of
  // a project file or nothing yet. Any random part of the program's own
  // temporary names counts; of the older names only mixed-case ones.
  static bool IsStaleTemporaryFile(const QString& projectPath, const QString& file);
  // The leftover temporary files of the project and its backup.
  static QStringList StaleTemporaryFiles(const QString& projectPath);
  // Removes files (leftovers found before a save, while the project file
  // still had its name); returns how many were removed.
  static int Remove(const QStringList& files);
};

#endif
