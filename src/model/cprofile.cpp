#include "model/cprofile.h"

#include <QLoggingCategory>
#include <QSettings>
#include <QVariant>

#include <memory>

namespace {

Q_LOGGING_CATEGORY(lcProfile, "sx.model.profile")

QString g_iniPath;

std::unique_ptr<QSettings> Open() {
  if (g_iniPath.isEmpty())
    return std::make_unique<QSettings>(QString::fromLatin1(CProfile::kCompany),
                                       QString::fromLatin1(CProfile::kApplication));
  return std::make_unique<QSettings>(g_iniPath, QSettings::IniFormat);
}

QString Key(const QString& section, const QString& key) { return section + QLatin1Char('/') + key; }

// The service flags are set by the maker's service tools; the program only
// reads them, so a slip in the code must not be able to change them.
bool IsReadOnly(const QString& section, const QString& key) {
  return section.compare(QLatin1String("Configuration"), Qt::CaseInsensitive) == 0 &&
         key.compare(QLatin1String("VMX Registry"), Qt::CaseInsensitive) == 0;
}

}  // namespace

int CProfile::GetInt(const QString& section, const QString& key, int defaultValue) {
  const QVariant value = Open()->value(Key(section, key));
  if (!value.isValid()) return defaultValue;
  bool ok = false;
  const int result = ParseInt(value.toString(), defaultValue, &ok);
  if (!ok) {
    qCWarning(lcProfile) << "profile value" << section << key << "is not a number:" << value << "- using"
                         << defaultValue;
    return defaultValue;
  }
  return result;
}

int CProfile::ParseInt(const QString& text, int defaultValue, bool* ok) {
  bool parsed = false;
  const int result = text.trimmed().toInt(&parsed);
  if (ok) *ok = parsed;
  return parsed ? result : defaultValue;
}

QString CProfile::GetString(const QString& section, const QString& key, const QString& defaultValue) {
  const QVariant value = Open()->value(Key(section, key));
  return value.isValid() ? value.toString() : defaultValue;
}

bool CProfile::WriteInt(const QString& section, const QString& key, int value) {
  if (IsReadOnly(section, key)) {
    qCWarning(lcProfile) << "refused to write" << section << key;
    return false;
  }
  Open()->setValue(Key(section, key), value);
  return true;
}

bool CProfile::WriteString(const QString& section, const QString& key, const QString& value) {
  if (IsReadOnly(section, key)) {
    qCWarning(lcProfile) << "refused to write" << section << key;
    return false;
  }
  Open()->setValue(Key(section, key), value);
  return true;
}

void CProfile::Remove(const QString& section, const QString& key) {
  if (IsReadOnly(section, key)) {
    qCWarning(lcProfile) << "refused to remove" << section << key;
    return;
  }
  Open()->remove(Key(section, key));
}

void CProfile::UseIniFile(const QString& path) { g_iniPath = path; }

QString CProfile::IniFile() { return g_iniPath; }
