#include "logic/clogicoutobject.h"

#include "link/idevicelink.h"
#include "link/linkmode.h"
#include "logic/clogicout.h"
#include "logic/logicentries.h"
#include "model/carchive.h"
#include "model/cselvantisdoc.h"

#include <QRegularExpression>

SELV_IMPLEMENT_SERIAL(CLogicOutObject, 1)

CLogicOutObject::CLogicOutObject() { SetType(DT_LOGICOUTOBJECT); }

void CLogicOutObject::Serialize(CArchive& ar) { CBaseDevice::Serialize(ar); }

QString CLogicOutObject::Path() { return QStringLiteral("/LOGICOUT"); }

QString CLogicOutObject::BuildCommandPath() const { return Path(); }

int CLogicOutObject::Download(bool bQuery, int nStep) {
  if (nStep < 0) return kStepCount;
  if (nStep >= kStepCount) return -1;
  if (IsLinkBusy()) return nStep;
  if (nStep == 0) return 1;
  const int id = (nStep - 1) / 4 + 1;
  const int field = (nStep - 1) % 4;
  const auto* out = FindEntry<const CLogicOut>(GetDocument(), DT_LOGICOUT, id);
  // An output the project lacks is switched off on the unit; its other
  // fields are left alone.
  if (out != nullptr || bQuery || field == CLogicOut::FIELD_OUTPUT) {
    GetDeviceLink()->SendDeviceCommand(CLogicOut::FieldLine(id, field, out, bQuery), GetDocument(), false);
  }
  return nStep + 1;
}

bool CLogicOutObject::Upload(const QString& line, QString& errorFilePath, int mode) {
  QString key, value;
  if (!SplitUploadLine(line, &key, &value)) return false;
  if (mode != LINKMODE_UPLOAD) return false;
  static const QRegularExpression kKey(QStringLiteral("^/OUT(\\d+)/([A-Z]+)$"),
                                       QRegularExpression::CaseInsensitiveOption);
  const QRegularExpressionMatch match = kKey.match(key);
  CSelvantisDoc* doc = GetDocument();
  if (!match.hasMatch() || doc == nullptr) return false;
  const int id = match.captured(1).toInt();
  const int field = CLogicOut::FieldOfKey(match.captured(2));
  if (id < 1 || id > kMaxLogicOuts || field < 0) return false;
  // An output is in use on the unit when it names one.
  const bool inUse = field == CLogicOut::FIELD_OUTPUT && !IsOffValue(value);
  auto* out =
      FindOrAdoptEntry<CLogicOut>(doc, DT_LOGICOUT, id, inUse, CLogicOut::kKindLogicOut, CAT_ENTRIES, IDS_LOGIC_STATE);
  return out != nullptr && out->ParseField(match.captured(2), value, errorFilePath);
}
