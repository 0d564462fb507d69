#ifndef SELV_AMPS_FIXEDTEXT_H
#define SELV_AMPS_FIXEDTEXT_H

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <array>
#include <cstddef>

// A zero-terminated 8-bit text field of N bytes, as the unit's tables hold
// them: at most N - 1 characters. Every way in cuts the text to that width,
// so a long text from a file or a caller can never run past the field.
template <std::size_t N>
class FixedText {
  static_assert(N >= 1, "a field needs room for its terminator");

 public:
  static constexpr std::size_t kMaxLength = N - 1;

  FixedText() { m_bytes.fill('\0'); }

  // Latin-1; characters beyond the width are dropped.
  void Set(const QString& text) { SetBytes(text.toLatin1()); }
  void SetBytes(const QByteArray& bytes) {
    m_bytes.fill('\0');
    const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(bytes.size()), kMaxLength);
    std::copy_n(bytes.constData(), n, m_bytes.begin());
  }
  QString Get() const { return QString::fromLatin1(m_bytes.data(), static_cast<int>(Length())); }
  std::size_t Length() const {
    return static_cast<std::size_t>(std::find(m_bytes.begin(), m_bytes.end() - 1, '\0') - m_bytes.begin());
  }
  void Clear() { m_bytes.fill('\0'); }
  bool IsEmpty() const { return m_bytes[0] == '\0'; }
  const std::array<char, N>& Bytes() const noexcept { return m_bytes; }

  bool operator==(const FixedText& other) const { return m_bytes == other.m_bytes; }
  bool operator!=(const FixedText& other) const { return !(*this == other); }

 private:
  std::array<char, N> m_bytes;
};

#endif
