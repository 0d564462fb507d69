#ifndef SELV_SHELL_CONTROLS_VALUEEDITCACHE_H
#define SELV_SHELL_CONTROLS_VALUEEDITCACHE_H

#include <QString>

#include <optional>

// The value behind an edit that shows live values. A value that has not
// changed is not written again, so that a periodic refresh does not disturb
// the user's typing; reading back takes the typed text only when it scans.
class ValueEditCache final {
 public:
  // The text to show, or nothing when value equals the cached value and
  // bForce is clear. The value is cached either way.
  std::optional<QString> SetInt(int value, bool bForce, const QString& format = QStringLiteral("%d"));
  std::optional<QString> SetFloat(double value, bool bForce, const QString& format = QStringLiteral("%f"));

  // With bRead the text is scanned ("%d" / "%f") into the cache; a text that
  // does not scan leaves the cache as it was. Returns the cached value.
  int GetInt(bool bRead, const QString& text);
  double GetFloat(bool bRead, const QString& text);

  int CachedInt() const noexcept { return m_int; }
  double CachedFloat() const noexcept { return m_float; }

 private:
  bool m_hasInt = false;
  bool m_hasFloat = false;
  int m_int = 0;
  double m_float = 0.0;
};

#endif
