#ifndef SELV_LOGIC_CPADREFERENCE_H
#define SELV_LOGIC_CPADREFERENCE_H

#include <QString>

#include <cstdint>

class CBaseDevice;
class CSelvantisDoc;

// A control pad as the unit names it: two lines, the pad's keyword ("OFF"
// for none) and its number. For a download it gives the two values; in an
// upload it keeps the keyword line's value until the number line arrives
// and then finds the pad they name. Owns nothing.
class CPadReference final {
 public:
  // The keyword line's value for pad: "OFF" for none (or an object the unit
  // cannot address).
  static QString KeywordValue(const CBaseDevice* pad);
  // The number line's value: "0" where the keyword line says "OFF".
  static QString NumberValue(const CBaseDevice* pad);

  // The keyword line of an upload. True when it names no pad ("OFF", in any
  // case); otherwise the keyword waits for its number.
  bool TakeKeyword(const QString& value);
  bool HasKeyword() const { return !m_keyword.isEmpty(); }
  // The number line: the identifier of the pad the waiting keyword and
  // number name in doc, 0 when there is none. A pad the project lacks is
  // noted in the error file as missing from the owner (list name nameId,
  // identifier ownerId). The keyword is used up; without one the result is 0
  // and nothing is noted.
  int TakeNumber(int number, const CSelvantisDoc* doc, uint32_t nameId, int ownerId, const QString& errorFilePath);
  void Forget() { m_keyword.clear(); }

 private:
  QString m_keyword;
};

#endif
