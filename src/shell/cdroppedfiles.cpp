#include "shell/cdroppedfiles.h"

CDroppedFiles::CDroppedFiles(const QStringList& paths) {
  for (const QString& path : paths) {
    if (IsProjectFile(path))
      m_projects.append(path);
    else if (IsCommandFile(path))
      m_commandFiles.append(path);
    else
      m_ignored.append(path);
  }
}

bool CDroppedFiles::IsProjectFile(const QString& path) {
  return path.endsWith(QStringLiteral(".sxm"), Qt::CaseInsensitive);
}

bool CDroppedFiles::IsCommandFile(const QString& path) {
  return path.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive);
}
