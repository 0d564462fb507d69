#include "model/cprojectfolder.h"

#include "model/cfilename.h"
#include "model/coutputfile.h"
#include "model/cprojectfile.h"
#include "model/cselvantisdoc.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

#include <cstring>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

Q_LOGGING_CATEGORY(lcProjectFolder, "sx.model.projectfolder")

// The random part of an older save's temporary name: six letters, as Qt
// picked them. A word ("backup", "BACKUP", "Backup") is someone's name for a
// copy, so only mixed-case ones count.
bool IsOlderRandomSuffix(const QString& suffix) {
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

// The random part of a temporary name the program's own saves give
// (COutputFile): six letters or digits, whatever they are.
bool IsRandomSuffix(const QString& suffix) {
  if (suffix.size() != 6) return false;
  for (const QChar c : suffix) {
    const char16_t u = c.unicode();
    if (!((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9'))) return false;
  }
  return true;
}

// Whether name is base's temporary name.
bool IsTemporaryNameOf(const QString& name, const QString& base) {
  const QString mark = base + QLatin1String(COutputFile::kTemporaryMark);
  if (name.startsWith(mark) && IsRandomSuffix(name.mid(mark.size()))) return true;
  return name.size() == base.size() + 7 && name.startsWith(base + QLatin1Char('.')) &&
         IsOlderRandomSuffix(name.right(6));
}

// The first bytes of a project file, or nothing: a save writes the
// signature first.
bool StartsLikeAProject(const QString& file) {
  QFile in;
  if (!CFileName::OpenForReading(in, file, nullptr)) return false;
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
  for (const QString& base : {project.fileName(), backup.fileName()}) named = named || IsTemporaryNameOf(name, base);
  if (!named) return false;
  // Not followed through a link, and no file someone else keeps or also
  // reaches by another name.
  struct stat st {};
  if (::lstat(CFileName::ToSystem(file).constData(), &st) != 0) return false;
  if (!S_ISREG(st.st_mode) || st.st_uid != ::geteuid() || st.st_nlink != 1) return false;
  return StartsLikeAProject(file);
}

QStringList CProjectFolder::StaleTemporaryFiles(const QString& projectPath) {
  const QFileInfo project(projectPath);
  const QString folder = project.absolutePath();
  // Names are compared as the system gives them: a name filter would read
  // "[" or "*" in the project's name as a pattern, and a name in another
  // encoding would not come back as it is.
  QStringList stale;
  DIR* dir = ::opendir(CFileName::ToSystem(folder).constData());
  if (dir == nullptr) return stale;
  while (const dirent* entry = ::readdir(dir)) {
    const QString file = folder + QLatin1Char('/') + CFileName::FromSystem(entry->d_name);
    if (IsStaleTemporaryFile(projectPath, file)) stale.append(file);
  }
  ::closedir(dir);
  stale.sort();
  return stale;
}

int CProjectFolder::Remove(const QStringList& files) {
  int removed = 0;
  for (const QString& file : files) {
    if (::unlink(CFileName::ToSystem(file).constData()) == 0) {
      ++removed;
      qCInfo(lcProjectFolder) << "removed the leftover" << file;
    } else {
      qCWarning(lcProjectFolder) << "the leftover" << file << "cannot be removed";
    }
  }
  return removed;
}
