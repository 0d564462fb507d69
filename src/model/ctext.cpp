#include "model/ctext.h"

#include <locale.h>
#include <cerrno>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

locale_t CLocale() {
  static const locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return loc;
}

// Runs printf-family calls of this thread under the C locale.
class CLocaleScope final {
 public:
  CLocaleScope() : m_previous(uselocale(CLocale())) {}
  CLocaleScope(const CLocaleScope&) = delete;
  CLocaleScope& operator=(const CLocaleScope&) = delete;
  ~CLocaleScope() { uselocale(m_previous); }

 private:
  locale_t m_previous;
};

QString VFormat(const char* format, va_list args) {
  CLocaleScope scope;
  char small[256];
  va_list copy;
  va_copy(copy, args);
  const int needed = std::vsnprintf(small, sizeof small, format, copy);
  va_end(copy);
  if (needed < 0) return QString();
  if (static_cast<size_t>(needed) < sizeof small) return QString::fromLatin1(small, needed);
  std::vector<char> big(static_cast<size_t>(needed) + 1);
  std::vsnprintf(big.data(), big.size(), format, args);
  return QString::fromLatin1(big.data(), needed);
}

// One number through snprintf, with conversion a complete, checked conversion.
template <typename T>
QString FormatNumber(const std::string& conversion, T value) {
  CLocaleScope scope;
  char small[128];
  const int needed = std::snprintf(small, sizeof small, conversion.c_str(), value);
  if (needed < 0) return QString();
  if (static_cast<size_t>(needed) < sizeof small) return QString::fromLatin1(small, needed);
  std::vector<char> big(static_cast<size_t>(needed) + 1);
  std::snprintf(big.data(), big.size(), conversion.c_str(), value);
  return QString::fromLatin1(big.data(), needed);
}

long long ToInteger(const QVariant& v) {
  if (!v.isValid()) return 0;
  switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float: {
      const double d = v.toDouble();
      if (!std::isfinite(d)) return 0;
      if (d >= 9.2e18) return LLONG_MAX;
      if (d <= -9.2e18) return LLONG_MIN;
      return static_cast<long long>(d);
    }
    case QMetaType::ULongLong: return static_cast<long long>(v.toULongLong());
    case QMetaType::QString: {
      int n = 0;
      return ScanInt(v.toString(), &n) ? n : 0;
    }
    case QMetaType::QChar: return v.toChar().unicode();
    default: return v.toLongLong();
  }
}

double ToDouble(const QVariant& v) {
  if (!v.isValid()) return 0.0;
  if (v.typeId() == QMetaType::QString) {
    double d = 0.0;
    return ScanDouble(v.toString(), &d) ? d : 0.0;
  }
  return v.toDouble();
}

QString Pad(const QString& text, int width, bool left) {
  if (text.size() >= width) return text;
  const QString fill(width - text.size(), QLatin1Char(' '));
  return left ? text + fill : fill + text;
}

bool ScanPrefix(const QString& text, bool hex, bool allowMinus, long long min, long long max, long long* out) {
  const QByteArray bytes = text.toLatin1();
  const char* begin = bytes.constData();
  const char* p = begin;
  while (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n' || *p == '\f' || *p == '\v') ++p;
  if (!allowMinus && *p == '-') return false;
  char* end = nullptr;
  errno = 0;
  const long long value = strtoll_l(p, &end, hex ? 16 : 10, CLocale());
  if (end == p) return false;
  if (errno == ERANGE || value < min || value > max) return false;
  *out = value;
  return true;
}

}  // namespace

QString Fmt(const char* format, ...) {
  va_list args;
  va_start(args, format);
  QString result = VFormat(format, args);
  va_end(args);
  return result;
}

QString FormatText(const QString& format, const QVariantList& args) {
  QString out;
  int next = 0;
  auto take = [&]() -> QVariant { return next < args.size() ? args.at(next++) : QVariant(); };
  const int n = format.size();
  int i = 0;
  while (i < n) {
    const QChar c = format.at(i);
    if (c != QLatin1Char('%')) {
      out += c;
      ++i;
      continue;
    }
    const int start = i++;
    if (i < n && format.at(i) == QLatin1Char('%')) {
      out += QLatin1Char('%');
      ++i;
      continue;
    }
    std::string flags;
    while (i < n && QStringLiteral("-+ #0").contains(format.at(i))) {
      if (flags.find(char(format.at(i).unicode())) == std::string::npos) flags += char(format.at(i).unicode());
      ++i;
    }
    // Width and precision are capped: a string-table text must not be able
    // to ask for a gigabyte of padding.
    constexpr int kMaxField = 1024;
    int width = -1;
    if (i < n && format.at(i) == QLatin1Char('*')) {
      long long w = ToInteger(take());
      if (w < -kMaxField) w = -kMaxField;
      if (w > kMaxField) w = kMaxField;
      if (w < 0) {
        flags += '-';
        w = -w;
      }
      width = static_cast<int>(w);
      ++i;
    } else {
      while (i < n && format.at(i).isDigit()) {
        width = (width < 0 ? 0 : width) * 10 + format.at(i).digitValue();
        if (width > kMaxField) width = kMaxField;
        ++i;
      }
    }
    if (width > kMaxField) width = kMaxField;
    int precision = -1;
    if (i < n && format.at(i) == QLatin1Char('.')) {
      ++i;
      precision = 0;
      if (i < n && format.at(i) == QLatin1Char('*')) {
        const long long p = ToInteger(take());
        precision = p < 0 ? -1 : static_cast<int>(p > kMaxField ? kMaxField : p);
        ++i;
      } else {
        while (i < n && format.at(i).isDigit()) {
          precision = precision * 10 + format.at(i).digitValue();
          if (precision > kMaxField) precision = kMaxField;
          ++i;
        }
      }
      if (precision > kMaxField) precision = kMaxField;
    }
    // Length modifiers say nothing here: every argument carries its type.
    while (i < n && QStringLiteral("hlLqjzt").contains(format.at(i))) ++i;
    if (i >= n) {
      out += format.mid(start);
      break;
    }
    const char conv = static_cast<char>(format.at(i).unicode());
    ++i;

    std::string conversion = "%" + flags;
    if (width >= 0) conversion += std::to_string(width);
    if (precision >= 0) conversion += "." + std::to_string(precision);

    switch (conv) {
      case 'd':
      case 'i': out += FormatNumber(conversion + "lld", ToInteger(take())); break;
      case 'u':
      case 'x':
      case 'X':
      case 'o': {
        // Like printf, a negative value shows its 32-bit pattern ("%x" of -1 is ffffffff).
        const long long v = ToInteger(take());
        const unsigned long long u =
            (v < 0 && v >= INT_MIN) ? static_cast<unsigned int>(v) : static_cast<unsigned long long>(v);
        out += FormatNumber(conversion + "ll" + conv, u);
        break;
      }
      case 'f':
      case 'F':
      case 'e':
      case 'E':
      case 'g':
      case 'G':
      case 'a':
      case 'A': out += FormatNumber(conversion + conv, ToDouble(take())); break;
      case 'c': {
        const QVariant v = take();
        QString ch;
        if (v.typeId() == QMetaType::QString)
          ch = v.toString().left(1);
        else if (v.isValid())
          ch = QChar(static_cast<char16_t>(ToInteger(v) & 0xFFFF));
        out += Pad(ch, width, flags.find('-') != std::string::npos);
        break;
      }
      case 's': {
        const QVariant v = take();
        QString text = v.isValid() ? v.toString() : QString();
        if (precision >= 0) text.truncate(precision);
        out += Pad(text, width, flags.find('-') != std::string::npos);
        break;
      }
      default:
        // Not a conversion we know: keep the text as written.
        out += format.mid(start, i - start);
        break;
    }
  }
  return out;
}

bool ScanInt(const QString& text, int* out) {
  long long v = 0;
  if (!ScanPrefix(text, false, true, INT_MIN, INT_MAX, &v)) return false;
  *out = static_cast<int>(v);
  return true;
}

bool ScanUInt(const QString& text, unsigned* out) {
  long long v = 0;
  if (!ScanPrefix(text, false, false, 0, UINT_MAX, &v)) return false;
  *out = static_cast<unsigned>(v);
  return true;
}

bool ScanHex(const QString& text, unsigned* out) {
  long long v = 0;
  if (!ScanPrefix(text, true, false, 0, UINT_MAX, &v)) return false;
  *out = static_cast<unsigned>(v);
  return true;
}

bool ScanDouble(const QString& text, double* out) {
  const QByteArray bytes = text.toLatin1();
  const char* p = bytes.constData();
  char* end = nullptr;
  errno = 0;
  const double value = strtod_l(p, &end, CLocale());
  if (end == p) return false;
  // Infinity, NaN and overflow are no values of this program; a tiny value
  // that underflows is taken as the 0 it rounds to.
  if (!std::isfinite(value)) return false;
  if (errno == ERANGE && std::fabs(value) > 1.0) return false;
  *out = value;
  return true;
}

bool ScanFloat(const QString& text, float* out) {
  double v = 0.0;
  if (!ScanDouble(text, &v) || std::fabs(v) > FLT_MAX) return false;
  *out = static_cast<float>(v);
  return true;
}
