#include "model/cprofile.h"

#include "model/cfilename.h"
#include "model/cmessagesink.h"
#include "model/csystemerror.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLoggingCategory>
#include <QSettings>
#include <QStandardPaths>
#include <QVariant>

#include <cerrno>
#include <cstdio>
#include <memory>

#include <sys/stat.h>
#include <unistd.h>

namespace {

Q_LOGGING_CATEGORY(lcProfile, "sx.model.profile")

QString g_iniPath;

std::unique_ptr<QSettings> Open() {
  if (g_iniPath.isEmpty())
    return std::make_unique<QSettings>(QString::fromLatin1(CProfile::kCompany),
                                       QString::fromLatin1(CProfile::kApplication));
  return std::make_unique<QSettings>(g_iniPath, QSettings::IniFormat);
}

QString Tr(const char* text) { return QCoreApplication::translate("CProfile", text); }

// A failed write is told once a run: settings are written often.
bool g_writeFailureTold = false;

// Why the profile's file cannot be written: its own or its folder's reason.
QString WriteFailureReason(const QString& file) {
  const QByteArray bytes = CFileName::ToSystem(file);
  struct stat st {};
  if (::stat(bytes.constData(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) return CSystemError::Text(EISDIR);
    if (::access(bytes.constData(), W_OK) != 0) return CSystemError::Text(errno);
    return CSystemError::Text(EIO);
  }
  // The nearest folder on the way that exists.
  QByteArray folder = bytes;
  do {
    const qsizetype slash = folder.lastIndexOf('/');
    folder = slash > 0 ? folder.left(slash) : QByteArray(slash == 0 ? "/" : ".");
  } while (::stat(folder.constData(), &st) != 0 && folder != "/" && folder != ".");
  if (!S_ISDIR(st.st_mode)) return CSystemError::Text(ENOTDIR);
  if (::access(folder.constData(), W_OK) != 0) return CSystemError::Text(errno);
  return CSystemError::Text(EIO);
}

// Writes and checks that the file took it.
bool Stored(QSettings& settings, const QString& section, const QString& key) {
  settings.sync();
  // (A file that could not be parsed keeps its FormatError: only a failed
  // write counts here.)
  if (settings.status() != QSettings::AccessError) return true;
  const QString reason = WriteFailureReason(settings.fileName());
  qCWarning(lcProfile) << "profile value" << section << key << "not written to" << settings.fileName() << reason;
  if (!g_writeFailureTold) {
    g_writeFailureTold = true;
    AfxMessageBox(Tr(QT_TRANSLATE_NOOP("CProfile",
                                       "The settings cannot be saved in \"%1\":\n%2\n\nThe program "
                                       "works with them until it ends."))
                      .arg(CFileName::Display(settings.fileName()), reason),
                  MB_OK | MB_ICONEXCLAMATION);
  }
  return false;
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
  if (!value.isValid()) return defaultValue;
  // A text with commas written by hand ("Settings=19200,n,8,1") is a list
  // to the INI format, and is written back as one ("19200, n, 8, 1") when
  // the file is next saved: either way it is the text the user wrote.
  if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(QLatin1Char(','));
  // A name with bytes that are not UTF-8 is kept as its bytes (WriteString).
  if (value.typeId() == QMetaType::QByteArray) return CFileName::FromSystem(value.toByteArray());
  return value.toString();
}

bool CProfile::WriteInt(const QString& section, const QString& key, int value) {
  if (IsReadOnly(section, key)) {
    qCWarning(lcProfile) << "refused to write" << section << key;
    return false;
  }
  const std::unique_ptr<QSettings> settings = Open();
  settings->setValue(Key(section, key), value);
  return Stored(*settings, section, key);
}

bool CProfile::WriteString(const QString& section, const QString& key, const QString& value) {
  if (IsReadOnly(section, key)) {
    qCWarning(lcProfile) << "refused to write" << section << key;
    return false;
  }
  const std::unique_ptr<QSettings> settings = Open();
  // The INI format writes a text as UTF-8, which has no place for a byte
  // that is no part of a character (a file or port name in Latin-1): such a
  // name goes in as its bytes.
  if (CFileName::HasRawBytes(value))
    settings->setValue(Key(section, key), CFileName::ToSystem(value));
  else
    settings->setValue(Key(section, key), value);
  return Stored(*settings, section, key);
}

void CProfile::Remove(const QString& section, const QString& key) {
  if (IsReadOnly(section, key)) {
    qCWarning(lcProfile) << "refused to remove" << section << key;
    return;
  }
  const std::unique_ptr<QSettings> settings = Open();
  settings->remove(Key(section, key));
  Stored(*settings, section, key);
}

void CProfile::UseIniFile(const QString& path) { g_iniPath = path; }

QString CProfile::IniFile() { return g_iniPath; }

QString CProfile::FilePath() {
  if (!g_iniPath.isEmpty()) return g_iniPath;
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') +
         QLatin1String(kCompany) + QLatin1Char('/') + QLatin1String(kApplication) + QStringLiteral(".conf");
}

std::optional<CProfile::SetAside> CProfile::SetAsideUnreadableFile() {
  const QString file = FilePath();
  const QByteArray bytes = CFileName::ToSystem(file);
  struct stat st {};
  if (::stat(bytes.constData(), &st) != 0) return std::nullopt;
  SetAside setAside;
  setAside.file = file;
  setAside.notAFile = !S_ISREG(st.st_mode);
  if (!setAside.notAFile) {
    QSettings settings(file, QSettings::IniFormat);
    settings.allKeys();
    if (settings.status() != QSettings::FormatError) return std::nullopt;
  }
  const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
  QString keptAs = file + QStringLiteral(".unreadable-") + stamp;
  for (int n = 2; ::lstat(CFileName::ToSystem(keptAs).constData(), &st) == 0 && n < 1000; ++n)
    keptAs = file + QStringLiteral(".unreadable-%1-%2").arg(stamp).arg(n);
  if (std::rename(bytes.constData(), CFileName::ToSystem(keptAs).constData()) != 0) {
    setAside.keptAs.clear();
    qCWarning(lcProfile) << "the unreadable profile" << file << "cannot be renamed:" << CSystemError::Text(errno);
  } else {
    setAside.keptAs = keptAs;
  }
  // Left in place, it must still not be read: this run keeps its settings
  // in a file of its own.
  if (setAside.keptAs.isEmpty())
    g_iniPath = QStandardPaths::writableLocation(QStandardPaths::TempLocation) +
                QStringLiteral("/selvantis-settings-%1.conf").arg(QCoreApplication::applicationPid());
  return setAside;
}

QString CProfile::SetAsideMessage(const SetAside& setAside) {
  const QString why =
      setAside.notAFile ? Tr(QT_TRANSLATE_NOOP("CProfile", "The settings file \"%1\" is not a regular file."))
                        : Tr(QT_TRANSLATE_NOOP("CProfile", "The settings file \"%1\" cannot be read: it is damaged."));
  const QString what =
      setAside.keptAs.isEmpty()
          ? Tr(QT_TRANSLATE_NOOP("CProfile", "It cannot be renamed; the program starts with its default settings."))
          : Tr(QT_TRANSLATE_NOOP("CProfile",
                                 "It was renamed to \"%1\", and the program starts with its default settings."))
                .arg(CFileName::Display(setAside.keptAs));
  return why.arg(CFileName::Display(setAside.file)) + QLatin1Char('\n') + what;
}
