#include "logic/ctriggerobject.h"

#include "link/idevicelink.h"
#include "link/linkmode.h"
#include "logic/ctrigger.h"
#include "logic/logicentries.h"
#include "model/carchive.h"
#include "model/cprofile.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"

#include <QRegularExpression>

SELV_IMPLEMENT_SERIAL(CTriggerObject, 1)

CTriggerObject::CTriggerObject() { SetType(DT_TRIGGEROBJECT); }

void CTriggerObject::Serialize(CArchive& ar) { CBaseDevice::Serialize(ar); }

QString CTriggerObject::Path() { return QStringLiteral("/TRIGGER"); }

QString CTriggerObject::BuildCommandPath() const { return Path(); }

int CTriggerObject::Download(bool bQuery, int nStep) {
  if (nStep < 0) {
    m_canClear = CProfile::GetInt(QStringLiteral("VMX7000"), QStringLiteral("TRIGGER_CLR"), 0) != 0;
    m_cleared = false;
    return kStepCount;
  }
  if (nStep >= kStepCount) return -1;
  if (IsLinkBusy()) return nStep;
  QString line;
  if (nStep == 0) {
    if (!bQuery && m_canClear) {
      line = Path() + QStringLiteral(" TRIGGER_CLR");
      m_cleared = true;
    }
  } else {
    const int id = (nStep - 1) / 4 + 1;
    const int field = (nStep - 1) % 4;
    const auto* trigger = FindEntry<const CTrigger>(GetDocument(), DT_TRIGGER, id);
    // After a clear the unit holds no trigger, so missing ones need no line;
    // without it a trigger the project lacks is sent without condition.
    if (trigger != nullptr || bQuery || !m_cleared) line = CTrigger::FieldLine(id, field, trigger, bQuery);
  }
  if (!line.isEmpty()) GetDeviceLink()->SendDeviceCommand(line, GetDocument(), false);
  return nStep + 1;
}

bool CTriggerObject::Upload(const QString& line, QString& errorFilePath, int mode) {
  (void)errorFilePath;
  QString key, value;
  if (!SplitUploadLine(line, &key, &value)) return false;
  if (mode != LINKMODE_UPLOAD) return false;
  static const QRegularExpression kKey(QStringLiteral("^/TRG(\\d+)/([A-Z]+)$"),
                                       QRegularExpression::CaseInsensitiveOption);
  const QRegularExpressionMatch match = kKey.match(key);
  CSelvantisDoc* doc = GetDocument();
  if (!match.hasMatch() || doc == nullptr) return false;
  const int id = match.captured(1).toInt();
  const int field = CTrigger::FieldOfKey(match.captured(2));
  if (id < 1 || id > kMaxTriggers || field < 0) return false;
  // A trigger is in use on the unit when it has a condition.
  int condition = 0;
  const bool inUse = field == CTrigger::FIELD_CONDITION && ScanInt(value, &condition) && condition > 0;
  auto* trigger =
      FindOrAdoptEntry<CTrigger>(doc, DT_TRIGGER, id, inUse, CTrigger::kKindTrigger, CAT_ENTRIES, IDS_TRIGGER);
  return trigger != nullptr && trigger->ParseField(match.captured(2), value);
}
