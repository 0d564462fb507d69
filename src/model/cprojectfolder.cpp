#include "model/cprojectfolder.h"

#include "model/cprojectfile.h"
#include "model/cselvantisdoc.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace {

Q_LOGGING_CATEGORY(lcProjectFolder, "sx.model.projectfolder")

// The random part of a safe save's temporary name: six letters, as Qt picks
// them. A word ("backup", "BACKUP", "Backup") is someone's name for a copy.
bool IsRandomSuffix(const QString& suffix) {
  if (suffix.size() != 6) return false;
  int upper = 0;
  for (const QChar c : suffix) {
    if (c.unicode() >= 'A' && c.unicode() <= 'Z')
      ++upper;
    else if (c.unicode() < 'a' || c.unicode() > 'z')
      return false;
  }
  const bool capitalised = upper == 1 && suffix[0].isUpper();
  return upper != 0 && upper != suffix.size() && !capitalised;
}

// The first bytes of a project file, or nothing: a save writes the
// signature first.
bool StartsLikeAProject(const QString& file) {
  QFile in(file);
  if (!in.open(QIODevice::ReadOnly)) return false;
  const QByteArray head = in.read(sizeof(CProjectFile::kSignature));
  return std::memcmp(head.constData(), CProjectFile::kSignature, static_cast<size_t>(head.size())) == 0;
}

}  // namespace

bool CProjectFolder::IsStaleTemporaryFile(const QString& projectPath, const QString& file) {
  const QFileInfo info(file);
  const QString name = info.fileName();
  const QFileInfo project(projectPath);
  const QFileInfo backup(CSelvantisDoc::BackupPathFor(projectPath));
  if (info.absolutePath() != project.absolutePath()) return false;
  bool named = false;
  for (const QString& base : {project.fileName(), backup.fileName()})
    named = named || (name.size() == base.size() + 7 && name.startsWith(base + QLatin1Char('.')) &&
                      IsRandomSuffix(name.right(6)));
  if (!named) return false;
  // Not followed through a link, and no file someone else keeps or also
  // reaches by another name.
  struct stat st {};
  if (::lstat(QFile::encodeName(file).constData(), &st) != 0) return false;
  if (!S_ISREG(st.st_mode) || st.st_uid != ::geteuid() || st.st_nlink != 1) return false;
  return StartsLikeAProject(file);
}

QStringList CProjectFolder::StaleTemporaryFiles(const QString& projectPath) {
  const QDir folder = QFileInfo(projectPath).absoluteDir();
  // Names are compared as they are: a name filter would read "[" or "*" in
  // the project's name as a pattern.
  QStringList stale;
  for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks)) {
    const QString file = folder.filePath(name);
    if (IsStaleTemporaryFile(projectPath, file)) stale.append(file);
  }
  return stale;
}

int CProjectFolder::Remove(const QStringList& files) {
  int removed = 0;
  for (const QString& file : files) {
    if (QFile::remove(file)) {
      ++removed;
      qCInfo(lcProjectFolder) << "removed the leftover" << file;
    } else {
      qCWarning(lcProjectFolder) << "the leftover" << file << "cannot be removed";
    }
  }
  return removed;
}
