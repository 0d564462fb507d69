#ifndef SELV_MACROS_RANGELIST_H
#define SELV_MACROS_RANGELIST_H

#include <QString>

#include <cstdint>
#include <vector>

// Bit sets and number-range lists.
// A bit set is a byte array, most significant bit first: bit i is in byte
// i / 8 under mask 0x80 >> (i % 8). A range list names bits from 1:
// "1,3-5,9"; "0" is the empty list.

using BitSet = std::vector<uint8_t>;

// A bit set for count bits, all clear.
BitSet MakeBitSet(unsigned count);
// Index checked: out of range does nothing / reads 0.
void SetBit(BitSet& bits, unsigned index, bool value);
bool TestBit(const BitSet& bits, unsigned index);
void SetBit(uint8_t* bits, size_t byteCount, unsigned index, bool value);
bool TestBit(const uint8_t* bits, size_t byteCount, unsigned index);

// Clears count bits, then reads text as a comma list of decimal numbers and
// ranges a-b (b < a is swapped), numbered from 1, and sets bits a-1..b-1. A
// first item "0" ends reading with nothing set. A number above count, a 0 in
// any other place or a malformed item fails. True when at least one item was
// read and none failed.
bool ParseRangeList(const QString& text, BitSet& bits, unsigned count);
// The same for hexadecimal numbers ("%x-%x").
bool ParseRangeListFmt(const QString& text, BitSet& bits, unsigned count, bool hex);
// The general form: numbers in the conversion conv ('x' hexadecimal, 'u'
// decimal), number n sets bit n - base, which must be below count. With base
// 0 a 0 is an ordinary number; with base 1 it is the empty list as above.
bool ParseRangeListFmt(const QString& text, BitSet& bits, unsigned count, unsigned base, char conv);

// The set bits as a range list numbered from 1, runs of two or more as a-b,
// "0" when none is set. The whole list, for the unit.
QString FormatRangeList(const BitSet& bits, unsigned count, bool hex = false);
// For display only: cut with ",..." once the text reaches maxLength (285).
QString FormatRangeListForDisplay(const BitSet& bits, unsigned count, int maxLength = 285);

// Parameter value texts.
QString OnOffText(bool on);         // "ON" / "OFF"
QString YesNoText(bool yes);        // "YES" / "NO"
QString TrueFalseText(bool value);  // "TRUE" / "FALSE"
QString AllNoneText(bool all);      // "ALL" / "NONE"
// Reads "ON", "YES", "TRUE", "ALL" (any case) or a nonzero number as true.
bool ParseBoolText(const QString& text, bool* out);

#endif
