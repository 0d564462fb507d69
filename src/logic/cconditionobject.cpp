#include "logic/cconditionobject.h"

#include "link/linkmode.h"
#include "logic/canalogcondition.h"
#include "logic/cbusycondition.h"
#include "logic/ccombinecondition.h"
#include "logic/ccondition.h"
#include "logic/logicentries.h"
#include "model/carchive.h"
#include "model/cprofile.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"

#include <QRegularExpression>

#include <type_traits>

SELV_IMPLEMENT_SERIAL(CConditionObject, 1)

namespace {

constexpr unsigned kAnalogBit = 1, kBusyBit = 2, kCombineBit = 4, kPlainBit = 8;

QString EntryPrefix(const char* name, int id) { return CConditionObject::Path() + Fmt("/%s%d", name, id); }

}  // namespace

CConditionObject::CConditionObject() { SetType(DT_CONDITIONOBJECT); }

void CConditionObject::Serialize(CArchive& ar) {
  // The block holds no settings of its own; the entries are stored by themselves.
  CBaseDevice::Serialize(ar);
}

QString CConditionObject::Path() { return QStringLiteral("/CONDITION"); }

QString CConditionObject::BuildCommandPath() const { return Path(); }

int CConditionObject::Download(bool bQuery, int nStep) {
  if (nStep < 0) {
    switch (nStep) {
      case SEL_ANALOG: m_kinds = kAnalogBit; break;
      case SEL_BUSY: m_kinds = kBusyBit; break;
      case SEL_COMBINE: m_kinds = kCombineBit; break;
      case SEL_PLAIN: m_kinds = kPlainBit; break;
      default: m_kinds = kAnalogBit | kBusyBit | kCombineBit | kPlainBit; break;
    }
    m_allKinds = m_kinds == (kAnalogBit | kBusyBit | kCombineBit | kPlainBit);
    m_canClear = CProfile::GetInt(QStringLiteral("VMX7000"), QStringLiteral("COND_CLR"), 0) != 0;
    m_cleared = false;
    m_sender.Reset();
    return kStepCount;
  }
  if (nStep >= kStepCount) return -1;
  return m_sender.Send(
      nStep, nStep + 1, [this, bQuery, nStep]() { return StepLines(bQuery, nStep); }, GetDocument());
}

QStringList CConditionObject::StepLines(bool bQuery, int nStep) {
  if (nStep == 0) {
    // Clearing would also erase the kinds not being sent, so only a run over
    // all kinds clears; entries missing from the project are then left out.
    if (bQuery || !m_allKinds || !m_canClear) return {};
    m_cleared = true;
    return {Path() + QStringLiteral(" COND_CLR")};
  }
  auto lines = [&](unsigned bit, int type, const char* name, int id, auto* tag) -> QStringList {
    using Entry = std::remove_pointer_t<decltype(tag)>;
    if (!(m_kinds & bit)) return {};
    return EntryLines<Entry>(GetDocument(), type, id, EntryPrefix(name, id), bQuery, m_cleared);
  };
  if (nStep <= kAnalogOffset) return {};
  if (nStep <= kBusyOffset) {
    return lines(kAnalogBit, DT_ANALOGCONDITION, "ANALOG", nStep - kAnalogOffset,
                 static_cast<CAnalogCondition*>(nullptr));
  }
  if (nStep <= kCombineOffset) {
    return lines(kBusyBit, DT_BUSYCONDITION, "BUSY", nStep - kBusyOffset, static_cast<CBusyCondition*>(nullptr));
  }
  if (nStep <= kPlainOffset) {
    return lines(kCombineBit, DT_COMBINECONDITION, "COMBINE", nStep - kCombineOffset,
                 static_cast<CCombineCondition*>(nullptr));
  }
  return lines(kPlainBit, DT_CONDITION, "COND", nStep - kPlainOffset, static_cast<CCondition*>(nullptr));
}

bool CConditionObject::Upload(const QString& line, QString& errorFilePath, int mode) {
  QString key, value;
  if (!SplitUploadLine(line, &key, &value)) return false;
  // Only the answers of an upload change the project; echoes of commands
  // sent at other times are not settings.
  if (mode != LINKMODE_UPLOAD) return false;
  static const QRegularExpression kEntryKey(QStringLiteral("^/(ANALOG|BUSY|COMBINE|COND)(\\d+)/([A-Z0-9_]+)$"),
                                            QRegularExpression::CaseInsensitiveOption);
  const QRegularExpressionMatch match = kEntryKey.match(key);
  CSelvantisDoc* doc = GetDocument();
  if (!match.hasMatch() || doc == nullptr) return false;
  const QString kind = match.captured(1).toUpper();
  const int id = match.captured(2).toInt();
  const QString field = match.captured(3).toUpper();
  // An entry the project lacks is made when the reply shows it in use.
  if (kind == QLatin1String("ANALOG")) {
    if (id < 1 || id > kMaxAnalog) return false;
    auto* entry = FindOrAdoptEntry<CAnalogCondition>(doc, DT_ANALOGCONDITION, id,
                                                     field == QLatin1String("INPUT") && !IsOffValue(value),
                                                     CAnalogCondition::kKindAnalog, CAT_ENTRIES, IDS_RANGE_CHECK);
    return entry != nullptr && entry->ParseField(field, value, errorFilePath);
  }
  if (kind == QLatin1String("BUSY")) {
    if (id < 1 || id > kMaxBusy) return false;
    auto* entry = FindOrAdoptEntry<CBusyCondition>(doc, DT_BUSYCONDITION, id,
                                                   field == QLatin1String("AUDIO") && !IsOffValue(value),
                                                   CBusyCondition::kKindBusy, CAT_ENTRIES, IDS_BUSY_CONDITION);
    return entry != nullptr && entry->ParseField(field, value, errorFilePath);
  }
  if (kind == QLatin1String("COMBINE")) {
    if (id < 1 || id > kMaxCombine) return false;
    auto* entry = FindOrAdoptEntry<CCombineCondition>(
        doc, DT_COMBINECONDITION, id,
        field == QLatin1String("LOGIC") && !IsOffValue(value) && CCombineCondition::FunctionOfKeyword(value) != 0,
        CCombineCondition::kKindCombine, CAT_ENTRIES, IDS_COMBINATION);
    return entry != nullptr && entry->ParseField(field, value, errorFilePath);
  }
  if (id < 1 || id > kMaxPlain) return false;
  // A plain condition's kind is its type keyword.
  const int type = field == QLatin1String("TYPE") ? CCondition::TypeOfKeyword(value) : 0;
  auto* entry = FindOrAdoptEntry<CCondition>(doc, DT_CONDITION, id, type != 0, type, CAT_ENTRIES, IDS_CONDITION);
  return entry != nullptr && entry->ParseField(field, value, errorFilePath);
}
