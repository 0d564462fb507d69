#include "shell/cdroppedfiles.h"

#include "model/cfilename.h"

#include <QByteArray>
#include <QUrl>

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

QString CDroppedFiles::LocalName(const QUrl& url) {
  if (!url.isLocalFile()) return QString();
  return CFileName::FromSystem(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
}

bool CDroppedFiles::IsProjectFile(const QString& path) {
  return path.endsWith(QStringLiteral(".sxm"), Qt::CaseInsensitive);
}

bool CDroppedFiles::IsCommandFile(const QString& path) {
  return path.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive);
}
