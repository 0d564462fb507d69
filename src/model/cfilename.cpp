#include "model/cfilename.h"

#include "model/csystemerror.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Characters that stand for a byte that is no part of a UTF-8 character.
constexpr char16_t kRawFirst = 0xDC80;
constexpr char16_t kRawLast = 0xDCFF;

bool IsRaw(char16_t c) { return c >= kRawFirst && c <= kRawLast; }

// A character beyond U+FFFF (two halves) starts at name[i].
bool IsPairAt(const QString& name, qsizetype i) {
  return name[i].isHighSurrogate() && i + 1 < name.size() && name[i + 1].isLowSurrogate();
}

// The length of the UTF-8 character at bytes[at], or 0 when the bytes there
// are no character (a stray byte, a cut or overlong form, a surrogate).
int CharacterLength(const unsigned char* bytes, qsizetype size, qsizetype at, char32_t* code) {
  const unsigned char lead = bytes[at];
  int length = 0;
  char32_t value = 0;
  char32_t least = 0;
  if (lead < 0x80) {
    *code = lead;
    return 1;
  }
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    value = lead & 0x1F;
    least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    value = lead & 0x0F;
    least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    value = lead & 0x07;
    least = 0x10000;
  } else {
    return 0;
  }
  if (at + length > size) return 0;
  for (int i = 1; i < length; ++i) {
    const unsigned char next = bytes[at + i];
    if ((next & 0xC0) != 0x80) return 0;
    value = (value << 6) | (next & 0x3F);
  }
  if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  *code = value;
  return length;
}

}  // namespace

QString CFileName::FromSystem(const QByteArray& bytes) {
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
  QString name;
  name.reserve(bytes.size());
  for (qsizetype at = 0; at < bytes.size();) {
    char32_t code = 0;
    const int length = CharacterLength(data, bytes.size(), at, &code);
    if (length == 0) {
      name.append(QChar(static_cast<char16_t>(0xDC00 + data[at])));
      ++at;
      continue;
    }
    // Each character as it is: a conversion of its own would take a lone
    // U+FEFF for a byte-order mark and drop it.
    if (QChar::requiresSurrogates(code)) {
      name.append(QChar(QChar::highSurrogate(code)));
      name.append(QChar(QChar::lowSurrogate(code)));
    } else {
      name.append(QChar(static_cast<char16_t>(code)));
    }
    at += length;
  }
  return name;
}

QString CFileName::FromSystem(const char* bytes) {
  return bytes ? FromSystem(QByteArray(bytes, static_cast<qsizetype>(std::strlen(bytes)))) : QString();
}

QByteArray CFileName::ToSystem(const QString& name) {
  // Encoded here rather than by a conversion of the library, which may treat
  // a character at the start (U+FEFF) or a half of a pair as it sees fit: a
  // name must come back byte for byte.
  QByteArray bytes;
  bytes.reserve(name.size() * 3);
  for (qsizetype i = 0; i < name.size(); ++i) {
    const char16_t unit = name[i].unicode();
    char32_t code = unit;
    if (IsPairAt(name, i)) {
      code = QChar::surrogateToUcs4(unit, name[i + 1].unicode());
      ++i;
    } else if (IsRaw(unit)) {
      bytes += static_cast<char>(unit - 0xDC00);
      continue;
    } else if (QChar::isSurrogate(unit)) {
      // Half a pair that no name from the system holds.
      code = 0xFFFD;
    }
    if (code < 0x80) {
      bytes += static_cast<char>(code);
    } else if (code < 0x800) {
      bytes += static_cast<char>(0xC0 | (code >> 6));
      bytes += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      bytes += static_cast<char>(0xE0 | (code >> 12));
      bytes += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      bytes += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      bytes += static_cast<char>(0xF0 | (code >> 18));
      bytes += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
      bytes += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      bytes += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  return bytes;
}

bool CFileName::HasRawBytes(const QString& name) {
  for (qsizetype i = 0; i < name.size(); ++i) {
    if (IsPairAt(name, i))
      ++i;
    else if (IsRaw(name[i].unicode()))
      return true;
  }
  return false;
}

QString CFileName::Display(const QString& name) {
  QString shown;
  shown.reserve(name.size());
  for (qsizetype i = 0; i < name.size(); ++i) {
    const QChar c = name[i];
    if (IsPairAt(name, i)) {
      shown += name.mid(i, 2);
      ++i;
    } else if (IsRaw(c.unicode())) {
      shown += QStringLiteral("\\x") + QString::number(c.unicode() - 0xDC00, 16).toUpper();
    } else if (c.category() == QChar::Other_Control) {
      // A line break or a tab would cut the message the name stands in.
      shown += QStringLiteral("\\x") + QStringLiteral("%1").arg(c.unicode(), 2, 16, QLatin1Char('0')).toUpper();
    } else if (c.category() == QChar::Other_Format) {
      // Invisible (a byte-order mark, a zero width, a change of direction):
      // two names that look alike must not read alike.
      shown += QStringLiteral("\\u") + QStringLiteral("%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
    } else {
      shown += c;
    }
  }
  return shown;
}

bool CFileName::OpenForReading(QFile& file, const QString& path, QString* reason) {
  const int fd = ::open(ToSystem(path).constData(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (reason) *reason = CSystemError::Text(errno);
    return false;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    const int code = S_ISDIR(st.st_mode) ? EISDIR : errno;
    ::close(fd);
    if (reason) *reason = CSystemError::Text(code);
    return false;
  }
  if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    if (reason) *reason = CSystemError::Translate(file.errorString());
    return false;
  }
  return true;
}

bool CFileName::OpenForWriting(QFile& file, const QString& path, bool append, QString* reason) {
  const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (append ? O_APPEND : O_TRUNC);
  const int fd = ::open(ToSystem(path).constData(), flags, 0666);
  if (fd < 0) {
    if (reason) *reason = CSystemError::Text(errno);
    return false;
  }
  const QIODevice::OpenMode mode = QIODevice::WriteOnly | (append ? QIODevice::Append : QIODevice::OpenMode());
  if (!file.open(fd, mode, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    if (reason) *reason = CSystemError::Translate(file.errorString());
    return false;
  }
  return true;
}

qint64 CFileName::Size(const QString& path) {
  struct stat st {};
  if (path.isEmpty() || ::stat(ToSystem(path).constData(), &st) != 0 || S_ISDIR(st.st_mode)) return -1;
  return static_cast<qint64>(st.st_size);
}

bool CFileName::Exists(const QString& name) {
  struct stat st {};
  return !name.isEmpty() && ::stat(ToSystem(name).constData(), &st) == 0;
}

QString CFileName::Absolute(const QString& name) {
  if (name.isEmpty()) return name;
  if (name.startsWith(QLatin1Char('/'))) return QDir::cleanPath(name);
  // The current folder by its bytes: its own name may hold any.
  std::vector<char> folder(PATH_MAX + 1);
  if (::getcwd(folder.data(), folder.size()) == nullptr) return QDir::cleanPath(name);
  return QDir::cleanPath(FromSystem(folder.data()) + QLatin1Char('/') + name);
}

QString CFileName::Resolved(const QString& name) {
  if (name.isEmpty()) return QString();
  char* resolved = ::realpath(ToSystem(name).constData(), nullptr);
  if (resolved == nullptr) return QString();
  const QString result = FromSystem(resolved);
  std::free(resolved);
  return result;
}
