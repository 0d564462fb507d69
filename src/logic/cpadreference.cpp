#include "logic/cpadreference.h"

#include "logic/logiclinks.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"
#include "model/errorfile.h"

QString CPadReference::KeywordValue(const CBaseDevice* pad) {
  const QString keyword = PadKeyword(pad);
  return keyword.isEmpty() ? QStringLiteral("OFF") : keyword;
}

QString CPadReference::NumberValue(const CBaseDevice* pad) {
  return Fmt("%d", PadKeyword(pad).isEmpty() ? 0 : PadNumber(pad));
}

bool CPadReference::TakeKeyword(const QString& value) {
  const QString keyword = value.trimmed();
  if (keyword.compare(QLatin1String("OFF"), Qt::CaseInsensitive) == 0) {
    m_keyword.clear();
    return true;
  }
  m_keyword = keyword;
  return false;
}

int CPadReference::TakeNumber(int number, const CSelvantisDoc* doc, uint32_t nameId, int ownerId,
                              const QString& errorFilePath) {
  if (m_keyword.isEmpty()) return 0;
  const CBaseDevice* pad = doc != nullptr ? doc->GetIDManager().FindControlPadByKeyword(m_keyword, number) : nullptr;
  if (pad == nullptr) {
    AppendMissingLine(errorFilePath, nameId, ownerId, Fmt("%s %d", m_keyword.toLatin1().constData(), number));
  }
  m_keyword.clear();
  return pad != nullptr ? pad->GetID() : 0;
}
