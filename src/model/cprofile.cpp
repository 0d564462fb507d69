#include "model/cprofile.h"

#include "model/cfilename.h"
#include "model/cmessagesink.h"
#include "model/coutputfile.h"
#include "model/csystemerror.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QHash>
#include <QLoggingCategory>
#include <QSet>
#include <QSettings>
#include <QStandardPaths>
#include <QVariant>

#include <cerrno>
#include <cstdio>
#include <memory>

#include <fcntl.h>
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
// The settings file is a link that leads back to itself: nothing is read
// from it or written to it (a write would put a file in the link's place).
bool g_memoryOnly = false;

// What the file did not take, kept for the run and read before the file:
// a value, or (removed) none.
struct Unsaved {
  QHash<QString, QVariant> values;
  QSet<QString> removed;
};
Unsaved g_unsaved;

bool IsLinkLoop(const QByteArray& bytes) {
  struct stat st {};
  return ::lstat(bytes.constData(), &st) == 0 && S_ISLNK(st.st_mode) && ::stat(bytes.constData(), &st) != 0 &&
         errno == ELOOP;
}

// Whether a file of size bytes can be written into folder: one is made
// there, written, flushed and dropped again; 0, else the reason's errno.
int ProbeFolder(const QByteArray& folder, qint64 size) {
  int fd = ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
  QByteArray named;
  if (fd < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
    // A file system that takes no unnamed files.
    named = folder + "/.selvantis-probe-XXXXXX";
    fd = ::mkostemp(named.data(), O_CLOEXEC);
  }
  if (fd < 0) return errno;
  const bool written = COutputFile::WriteAll(fd, QByteArray(static_cast<qsizetype>(size), '\n'));
  int code = written ? 0 : errno;
  if (written && ::fsync(fd) != 0) code = errno;
  ::close(fd);
  if (!named.isEmpty()) ::unlink(named.constData());
  return code;
}

// Why the profile's file cannot be written: its own or its folder's
// reason, or the disk's (full, over the quota).
QString WriteFailureReason(const QString& file) {
  const QByteArray bytes = CFileName::ToSystem(file);
  if (IsLinkLoop(bytes)) return CSystemError::Text(ELOOP);
  struct stat st {};
  qint64 size = 0;
  if (::stat(bytes.constData(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) return CSystemError::Text(EISDIR);
    const int fd = ::open(bytes.constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return CSystemError::Text(errno);
    ::close(fd);
    size = st.st_size;
  }
  // The nearest folder on the way that exists.
  QByteArray folder = bytes;
  do {
    const qsizetype slash = folder.lastIndexOf('/');
    folder = slash > 0 ? folder.left(slash) : QByteArray(slash == 0 ? "/" : ".");
  } while (::stat(folder.constData(), &st) != 0 && folder != "/" && folder != ".");
  if (!S_ISDIR(st.st_mode)) return CSystemError::Text(ENOTDIR);
  // The file is written anew beside itself: its size, and some more.
  if (const int code = ProbeFolder(folder, size + 4096)) return CSystemError::Text(code);
  return CSystemError::Text(EIO);
}

void TellWriteFailure(const QString& file, const QString& reason) {
  if (g_writeFailureTold) return;
  g_writeFailureTold = true;
  AfxMessageBox(Tr(QT_TRANSLATE_NOOP("CProfile",
                                     "The settings cannot be saved in \"%1\":\n%2\n\nThe program "
                                     "works with them until it ends."))
                    .arg(CFileName::Display(file), reason),
                MB_OK | MB_ICONEXCLAMATION);
}

// Writes and checks that the file took it.
bool Stored(QSettings& settings, const QString& section, const QString& key) {
  settings.sync();
  // (A file that could not be parsed keeps its FormatError: only a failed
  // write counts here.)
  if (settings.status() != QSettings::AccessError) return true;
  const QString reason = WriteFailureReason(settings.fileName());
  qCWarning(lcProfile) << "profile value" << section << key << "not written to" << settings.fileName() << reason;
  TellWriteFailure(settings.fileName(), reason);
  return false;
}

QString Key(const QString& section, const QString& key) { return section + QLatin1Char('/') + key; }

// The service flags are set by the maker's service tools; the program only
// reads them, so a slip in the code must not be able to change them.
bool IsReadOnly(const QString& section, const QString& key) {
  return section.compare(QLatin1String("Configuration"), Qt::CaseInsensitive) == 0 &&
         key.compare(QLatin1String("VMX Registry"), Qt::CaseInsensitive) == 0;
}

// The value as the program has it: what the file did not take first.
QVariant Value(const QString& section, const QString& key) {
  const QString name = Key(section, key);
  if (g_unsaved.removed.contains(name)) return QVariant();
  const auto kept = g_unsaved.values.constFind(name);
  if (kept != g_unsaved.values.constEnd()) return *kept;
  if (g_memoryOnly) return QVariant();
  return Open()->value(name);
}

// Writes (or with no value removes) the value; what the file does not take
// is kept for the run.
bool Write(const QString& section, const QString& key, const std::optional<QVariant>& value) {
  const QString name = Key(section, key);
  bool stored = false;
  const QString file = CProfile::FilePath();
  if (g_memoryOnly || IsLinkLoop(CFileName::ToSystem(file))) {
    qCWarning(lcProfile) << "profile value" << section << key << "kept for the run:" << file << "is a loop of links";
    if (!g_memoryOnly) TellWriteFailure(file, CSystemError::Text(ELOOP));
  } else {
    const std::unique_ptr<QSettings> settings = Open();
    if (value)
      settings->setValue(name, *value);
    else
      settings->remove(name);
    stored = Stored(*settings, section, key);
  }
  if (stored) {
    g_unsaved.values.remove(name);
    g_unsaved.removed.remove(name);
  } else if (value) {
    g_unsaved.values.insert(name, *value);
    g_unsaved.removed.remove(name);
  } else {
    g_unsaved.values.remove(name);
    g_unsaved.removed.insert(name);
  }
  return stored;
}

}  // namespace

int CProfile::GetInt(const QString& section, const QString& key, int defaultValue) {
  const QVariant value = Value(section, key);
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
  const QVariant value = Value(section, key);
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
  return Write(section, key, QVariant(value));
}

bool CProfile::WriteString(const QString& section, const QString& key, const QString& value) {
  if (IsReadOnly(section, key)) {
    qCWarning(lcProfile) << "refused to write" << section << key;
    return false;
  }
  // The INI format writes a text as UTF-8, which has no place for a byte
  // that is no part of a character (a file or port name in Latin-1): such a
  // name goes in as its bytes.
  if (CFileName::HasRawBytes(value)) return Write(section, key, QVariant(CFileName::ToSystem(value)));
  return Write(section, key, QVariant(value));
}

bool CProfile::Remove(const QString& section, const QString& key) {
  if (IsReadOnly(section, key)) {
    qCWarning(lcProfile) << "refused to remove" << section << key;
    return false;
  }
  return Write(section, key, std::nullopt);
}

void CProfile::UseIniFile(const QString& path) {
  g_iniPath = path;
  // Another file: what the last one did not take is not its, and its
  // failures are news.
  g_unsaved = Unsaved();
  g_memoryOnly = false;
  g_writeFailureTold = false;
}

QString CProfile::IniFile() { return g_iniPath; }

QString CProfile::FilePath() {
  if (!g_iniPath.isEmpty()) return g_iniPath;
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') +
         QLatin1String(kCompany) + QLatin1Char('/') + QLatin1String(kApplication) + QStringLiteral(".conf");
}

std::optional<CProfile::SetAside> CProfile::SetAsideUnreadableFile() {
  const QString file = FilePath();
  const QByteArray bytes = CFileName::ToSystem(file);
  SetAside setAside;
  setAside.file = file;
  if (IsLinkLoop(bytes)) {
    // Renamed, the loop would be gone from where the user made it; written
    // over, a file would take its place.
    setAside.loop = true;
    g_memoryOnly = true;
    return setAside;
  }
  struct stat st {};
  if (::stat(bytes.constData(), &st) != 0) return std::nullopt;
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
  if (setAside.loop)
    return Tr(QT_TRANSLATE_NOOP("CProfile",
                                "The settings file \"%1\" cannot be read: %2.\nIt is left as it is; the program "
                                "starts with its default settings and works with them until it ends."))
        .arg(CFileName::Display(setAside.file), CSystemError::Text(ELOOP));
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
