#include "shell/controls/numericeditvalue.h"

#include "model/ctext.h"

#include <QVariantList>

#include <algorithm>
#include <cmath>
#include <utility>

void NumericEditValue::Setup(bool bFloat, const QString& format, double minimum, double maximum, double value,
                             bool bSpecial, double specialValue, const QString& specialText) {
  m_bFloat = bFloat;
  m_format = format.isEmpty() ? QString(bFloat ? QStringLiteral("%f") : QStringLiteral("%d")) : format;
  if (minimum > maximum) {
    std::swap(minimum, maximum);
  }
  m_minimum = minimum;
  m_maximum = maximum;
  m_bSpecial = bSpecial;
  m_specialValue = specialValue;
  m_specialText = specialText;
  m_value = Normalise(value);
}

double NumericEditValue::Normalise(double value) const {
  if (std::isnan(value)) {
    return m_value;
  }
  if (m_bSpecial && value == m_specialValue) {
    return value;
  }
  if (!m_bFloat) {
    value = std::round(value);
  }
  return std::clamp(value, m_minimum, m_maximum);
}

double NumericEditValue::SetValue(double value) {
  m_value = Normalise(value);
  return m_value;
}

double NumericEditValue::ReadText(const QString& text) {
  const QString trimmed = text.trimmed();
  if (m_bSpecial && !m_specialText.isEmpty() && trimmed.compare(m_specialText.trimmed(), Qt::CaseInsensitive) == 0) {
    m_value = m_specialValue;
    return m_value;
  }
  double read = 0.0;
  if (ScanDouble(trimmed, &read)) {
    m_value = Normalise(read);
  }
  return m_value;
}

bool NumericEditValue::IsSpecial() const { return m_bSpecial && m_value == m_specialValue; }

QString NumericEditValue::Text() const {
  if (IsSpecial() && !m_specialText.isEmpty()) {
    return m_specialText;
  }
  if (m_bFloat) {
    return FormatText(m_format, QVariantList{m_value});
  }
  return FormatText(m_format, QVariantList{static_cast<qlonglong>(std::llround(m_value))});
}
