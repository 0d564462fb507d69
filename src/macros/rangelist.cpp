#include "macros/rangelist.h"

#include "model/ctext.h"

#include <QStringList>

namespace {

int DigitValue(QChar c, bool hex) {
  const char16_t u = c.unicode();
  if (u >= '0' && u <= '9') return u - '0';
  if (hex && u >= 'a' && u <= 'f') return u - 'a' + 10;
  if (hex && u >= 'A' && u <= 'F') return u - 'A' + 10;
  return -1;
}

void SkipBlanks(const QString& s, int& i) {
  while (i < s.size() && s.at(i).isSpace()) ++i;
}

// Reads one unsigned number at i. Values beyond limit are kept at limit + 1,
// which every caller rejects, so "99999999999999999999" cannot overflow.
bool ReadNumber(const QString& s, int& i, bool hex, uint64_t limit, uint64_t* out) {
  const int start = i;
  uint64_t value = 0;
  int digit;
  while (i < s.size() && (digit = DigitValue(s.at(i), hex)) >= 0) {
    value = value * (hex ? 16 : 10) + static_cast<uint64_t>(digit);
    if (value > limit) value = limit + 1;
    ++i;
  }
  *out = value;
  return i > start;
}

enum class Item { Bad, Single, Range };

Item ParseItem(const QString& item, bool hex, uint64_t limit, uint64_t* lo, uint64_t* hi) {
  int i = 0;
  SkipBlanks(item, i);
  if (!ReadNumber(item, i, hex, limit, lo)) return Item::Bad;
  SkipBlanks(item, i);
  if (i == item.size()) return Item::Single;
  if (item.at(i) != QLatin1Char('-')) return Item::Bad;
  ++i;
  SkipBlanks(item, i);
  if (!ReadNumber(item, i, hex, limit, hi)) return Item::Bad;
  SkipBlanks(item, i);
  return i == item.size() ? Item::Range : Item::Bad;
}

bool Parse(const QString& text, BitSet& bits, unsigned count, unsigned base, bool hex) {
  const size_t bytes = (static_cast<size_t>(count) + 7) / 8;
  if (bits.size() < bytes) bits.resize(bytes, 0);
  for (unsigned i = 0; i < count; ++i) SetBit(bits, i, false);

  // Highest number that names a bit.
  const uint64_t limit = static_cast<uint64_t>(count) + base - 1;
  const QStringList items = text.split(QLatin1Char(','));
  bool first = true;
  for (const QString& item : items) {
    uint64_t lo = 0;
    uint64_t hi = 0;
    const Item kind = ParseItem(item, hex, limit + 1, &lo, &hi);
    if (kind == Item::Bad) return false;
    if (first && kind == Item::Single && lo == 0 && base > 0) return true;  // "0": nothing set
    first = false;
    if (kind == Item::Single) hi = lo;
    if (lo > hi) std::swap(lo, hi);
    if (lo < base || hi > limit || count == 0) return false;
    for (uint64_t n = lo; n <= hi; ++n) SetBit(bits, static_cast<unsigned>(n - base), true);
  }
  return !first;
}

QString Number(unsigned n, bool hex) { return hex ? Fmt("%x", n) : Fmt("%u", n); }

// Appends runs of set bits; stops with ",..." once the text has reached
// maxLength and more follows (maxLength < 0: never).
QString Format(const BitSet& bits, unsigned count, bool hex, int maxLength) {
  QString out;
  unsigned i = 0;
  while (i < count) {
    if (!TestBit(bits, i)) {
      ++i;
      continue;
    }
    unsigned end = i;
    while (end + 1 < count && TestBit(bits, end + 1)) ++end;
    if (!out.isEmpty()) {
      if (maxLength >= 0 && out.size() >= maxLength) {
        out += QStringLiteral(",...");
        return out;
      }
      out += QLatin1Char(',');
    }
    out += Number(i + 1, hex);
    if (end > i) {
      out += QLatin1Char('-');
      out += Number(end + 1, hex);
    }
    i = end + 1;
  }
  return out.isEmpty() ? QStringLiteral("0") : out;
}

}  // namespace

BitSet MakeBitSet(unsigned count) { return BitSet((static_cast<size_t>(count) + 7) / 8, 0); }

void SetBit(BitSet& bits, unsigned index, bool value) { SetBit(bits.data(), bits.size(), index, value); }

bool TestBit(const BitSet& bits, unsigned index) { return TestBit(bits.data(), bits.size(), index); }

void SetBit(uint8_t* bits, size_t byteCount, unsigned index, bool value) {
  if (!bits || index / 8 >= byteCount) return;
  const uint8_t mask = static_cast<uint8_t>(0x80u >> (index % 8));
  if (value)
    bits[index / 8] |= mask;
  else
    bits[index / 8] &= static_cast<uint8_t>(~mask);
}

bool TestBit(const uint8_t* bits, size_t byteCount, unsigned index) {
  if (!bits || index / 8 >= byteCount) return false;
  return (bits[index / 8] & (0x80u >> (index % 8))) != 0;
}

bool ParseRangeList(const QString& text, BitSet& bits, unsigned count) { return Parse(text, bits, count, 1, false); }

bool ParseRangeListFmt(const QString& text, BitSet& bits, unsigned count, bool hex) {
  return Parse(text, bits, count, 1, hex);
}

bool ParseRangeListFmt(const QString& text, BitSet& bits, unsigned count, unsigned base, char conv) {
  return Parse(text, bits, count, base, conv == 'x' || conv == 'X');
}

QString FormatRangeList(const BitSet& bits, unsigned count, bool hex) { return Format(bits, count, hex, -1); }

QString FormatRangeListForDisplay(const BitSet& bits, unsigned count, int maxLength) {
  return Format(bits, count, false, maxLength < 0 ? 0 : maxLength);
}

QString OnOffText(bool on) { return on ? QStringLiteral("ON") : QStringLiteral("OFF"); }
QString YesNoText(bool yes) { return yes ? QStringLiteral("YES") : QStringLiteral("NO"); }
QString TrueFalseText(bool value) { return value ? QStringLiteral("TRUE") : QStringLiteral("FALSE"); }
QString AllNoneText(bool all) { return all ? QStringLiteral("ALL") : QStringLiteral("NONE"); }

bool ParseBoolText(const QString& text, bool* out) {
  const QString t = text.trimmed().toUpper();
  if (t == QLatin1String("ON") || t == QLatin1String("YES") || t == QLatin1String("TRUE") ||
      t == QLatin1String("ALL")) {
    *out = true;
    return true;
  }
  if (t == QLatin1String("OFF") || t == QLatin1String("NO") || t == QLatin1String("FALSE") ||
      t == QLatin1String("NONE")) {
    *out = false;
    return true;
  }
  int n = 0;
  if (!ScanInt(t, &n)) return false;
  *out = n != 0;
  return true;
}
