#include "shell/crecentfilelist.h"

#include "model/cfilename.h"
#include "model/cprofile.h"

#include <QDir>

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
  m_files.prepend(CFileName::Absolute(path));
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
  const QString absolute = CFileName::Absolute(path);
  const qsizetype slash = absolute.lastIndexOf(QLatin1Char('/'));
  const QString folder = slash > 0 ? absolute.left(slash) : QStringLiteral("/");
  // A byte that is no character is shown as its value.
  QString shown = CFileName::Display(QDir::toNativeSeparators(path));
  const bool inCurrentDir = !currentDir.isEmpty() && SameFile(folder, currentDir);
  if (inCurrentDir || shown.size() > kMaxMenuPathLength) {
    shown = CFileName::Display(absolute.mid(slash + 1));
    if (!inCurrentDir) shown = QStringLiteral("...") + QDir::separator() + shown;
  }
  // A literal '&' in the path must not become a mnemonic.
  shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
  return QStringLiteral("&%1 %2").arg(index + 1).arg(shown);
}

bool CRecentFileList::SameFile(const QString& a, const QString& b) {
  return CFileName::Absolute(a) == CFileName::Absolute(b);
}
