#include "model/csystemerror.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDevice>
#include <QFileInfo>
#include <QStorageInfo>

#include <cerrno>
#include <cstring>

#include <signal.h>

namespace {
struct Reason {
  int code;
  const char* text;
};

// The reasons a user meets when saving, opening a port or a file.
const Reason kReasons[] = {
    {ENOSPC, QT_TRANSLATE_NOOP("CSystemError", "No space left on device")},
    {EDQUOT, QT_TRANSLATE_NOOP("CSystemError", "Disk quota exceeded")},
    {EACCES, QT_TRANSLATE_NOOP("CSystemError", "Permission denied")},
    {EPERM, QT_TRANSLATE_NOOP("CSystemError", "Operation not permitted")},
    {EROFS, QT_TRANSLATE_NOOP("CSystemError", "Read-only file system")},
    {ENOENT, QT_TRANSLATE_NOOP("CSystemError", "No such file or directory")},
    {ENODEV, QT_TRANSLATE_NOOP("CSystemError", "No such device")},
    {ENXIO, QT_TRANSLATE_NOOP("CSystemError", "No such device or address")},
    {EBUSY, QT_TRANSLATE_NOOP("CSystemError", "Device or resource busy")},
    {EIO, QT_TRANSLATE_NOOP("CSystemError", "Input/output error")},
    {EISDIR, QT_TRANSLATE_NOOP("CSystemError", "Is a directory")},
    {ENOTDIR, QT_TRANSLATE_NOOP("CSystemError", "Not a directory")},
    {ENAMETOOLONG, QT_TRANSLATE_NOOP("CSystemError", "File name too long")},
    {EMFILE, QT_TRANSLATE_NOOP("CSystemError", "Too many open files")},
    {EFBIG, QT_TRANSLATE_NOOP("CSystemError", "File too large")},
    {EPIPE, QT_TRANSLATE_NOOP("CSystemError", "Broken pipe")},
    {ELOOP, QT_TRANSLATE_NOOP("CSystemError", "Too many levels of symbolic links")},
};

QString CLibraryText(int code) { return QString::fromLocal8Bit(std::strerror(code)); }

bool NamesNoReason(const QString& text) {
  const QString t = text.trimmed();
  return t.isEmpty() || t == QLatin1String("Unknown error") || t == QLatin1String("No error");
}
}  // namespace

QString CSystemError::Text(int errnoValue) {
  if (errnoValue == 0) return QString();
  for (const Reason& reason : kReasons)
    if (reason.code == errnoValue) return QCoreApplication::translate("CSystemError", reason.text);
  return CLibraryText(errnoValue);
}

QString CSystemError::Translate(const QString& systemText) {
  const QString text = systemText.trimmed();
  for (const Reason& reason : kReasons) {
    if (text.compare(CLibraryText(reason.code), Qt::CaseInsensitive) == 0 ||
        text.compare(QLatin1String(reason.text), Qt::CaseInsensitive) == 0)
      return QCoreApplication::translate("CSystemError", reason.text);
  }
  return systemText;
}

QString CSystemError::ForFile(const QFileDevice& file, int errnoValue, qint64 neededBytes) {
  const QString said = file.errorString();
  if (!NamesNoReason(said)) return Translate(said);
  if (errnoValue != 0) return Text(errnoValue);
  if (neededBytes >= 0 && !file.fileName().isEmpty()) {
    const QStorageInfo storage(QFileInfo(file.fileName()).absolutePath());
    if (storage.isValid() && storage.bytesAvailable() >= 0 && storage.bytesAvailable() < neededBytes)
      return Text(ENOSPC);
  }
  return said.isEmpty() ? QCoreApplication::translate("CSystemError", "Unknown error") : said;
}

void CSystemError::IgnoreFileSizeSignal() {
  struct sigaction action {};
  action.sa_handler = SIG_IGN;
  sigemptyset(&action.sa_mask);
  sigaction(SIGXFSZ, &action, nullptr);
}

void CSystemError::IgnoreBrokenPipeSignal() {
  struct sigaction action {};
  action.sa_handler = SIG_IGN;
  sigemptyset(&action.sa_mask);
  sigaction(SIGPIPE, &action, nullptr);
}
