#include "shell/crecentfilelist.h"

#include "model/cprofile.h"

#include <QDir>
#include <QFileInfo>

namespace {
QString Key(int index) { return QStringLiteral("File%1").arg(index + 1); }
constexpr int kMaxMenuPathLength = 40;
}  // namespace

void CRecentFileList::Load() {
  m_files.clear();
  for (int i = 0; i < kSize; ++i) {
    const QString path = CProfile::GetString(kSection, Key(i));
    if (path.isEmpty()) continue;
    bool seen = false;
    for (const QString& f : m_files) seen = seen || SameFile(f, path);
    if (!seen) m_files.append(path);
  }
}

void CRecentFileList::Save() const {
  for (int i = 0; i < kSize; ++i) {
    if (i < m_files.size())
      CProfile::WriteString(kSection, Key(i), m_files.at(i));
    else
      CProfile::Remove(kSection, Key(i));
  }
}

void CRecentFileList::Add(const QString& path) {
  if (path.isEmpty()) return;
  Remove(path);
  m_files.prepend(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
  while (m_files.size() > kSize) m_files.removeLast();
}

void CRecentFileList::Remove(const QString& path) {
  for (int i = m_files.size() - 1; i >= 0; --i)
    if (SameFile(m_files.at(i), path)) m_files.removeAt(i);
}

void CRecentFileList::RemoveAt(int index) {
  if (index >= 0 && index < m_files.size()) m_files.removeAt(index);
}

QString CRecentFileList::At(int index) const {
  return index >= 0 && index < m_files.size() ? m_files.at(index) : QString();
}

QString CRecentFileList::MenuText(int index, const QString& currentDir) const {
  const QString path = At(index);
  if (path.isEmpty()) return QString();
  const QFileInfo info(path);
  QString shown = QDir::toNativeSeparators(path);
  const bool inCurrentDir = !currentDir.isEmpty() && SameFile(info.absolutePath(), currentDir);
  if (inCurrentDir || shown.size() > kMaxMenuPathLength) {
    shown = info.fileName();
    if (!inCurrentDir) shown = QStringLiteral("...") + QDir::separator() + shown;
  }
  // A literal '&' in the path must not become a mnemonic.
  shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
  return QStringLiteral("&%1 %2").arg(index + 1).arg(shown);
}

bool CRecentFileList::SameFile(const QString& a, const QString& b) {
  const QString ca = QDir::cleanPath(QFileInfo(a).absoluteFilePath());
  const QString cb = QDir::cleanPath(QFileInfo(b).absoluteFilePath());
  return ca == cb;
}
