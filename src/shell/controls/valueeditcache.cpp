#include "shell/controls/valueeditcache.h"

#include "model/ctext.h"

#include <QVariantList>

std::optional<QString> ValueEditCache::SetInt(int value, bool bForce, const QString& format) {
  if (!bForce && m_hasInt && value == m_int) {
    return std::nullopt;
  }
  m_hasInt = true;
  m_int = value;
  return FormatText(format.isEmpty() ? QStringLiteral("%d") : format, QVariantList{value});
}

std::optional<QString> ValueEditCache::SetFloat(double value, bool bForce, const QString& format) {
  if (!bForce && m_hasFloat && value == m_float) {
    return std::nullopt;
  }
  m_hasFloat = true;
  m_float = value;
  return FormatText(format.isEmpty() ? QStringLiteral("%f") : format, QVariantList{value});
}

int ValueEditCache::GetInt(bool bRead, const QString& text) {
  int read = 0;
  if (bRead && ScanInt(text, &read)) {
    m_hasInt = true;
    m_int = read;
  }
  return m_int;
}

double ValueEditCache::GetFloat(bool bRead, const QString& text) {
  double read = 0.0;
  if (bRead && ScanDouble(text, &read)) {
    m_hasFloat = true;
    m_float = read;
  }
  return m_float;
}
