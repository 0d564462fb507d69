#include "link/commandpath.h"

#include <QStringList>

namespace CommandPath {

QString Resolved(const QString& path) {
  if (!path.contains(QLatin1String("/.")) && !path.startsWith(QLatin1Char('.'))) return path;
  QStringList parts;
  for (const QString& part : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
    if (part == QLatin1String("..")) {
      if (!parts.isEmpty()) parts.removeLast();
    } else if (part != QLatin1String(".")) {
      parts.append(part);
    }
  }
  return QLatin1Char('/') + parts.join(QLatin1Char('/'));
}

bool Same(const QString& a, const QString& b) { return a == b || Resolved(a) == Resolved(b); }

}  // namespace CommandPath
