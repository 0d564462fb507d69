#include "logic/ccalobject.h"

#include "link/linkmode.h"
#include "logic/cappoint.h"
#include "logic/cdayprog.h"
#include "logic/choliday.h"
#include "logic/logicentries.h"
#include "logic/logicstrings.h"
#include "model/carchive.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"

#include <QRegularExpression>

#include <type_traits>

SELV_IMPLEMENT_SERIAL(CCalObject, 1)

namespace {

constexpr unsigned kAppointBit = 1, kDayprogBit = 2, kHolidayBit = 4;

}  // namespace

CCalObject::CCalObject() { SetType(DT_CALOBJECT); }

void CCalObject::Serialize(CArchive& ar) { CBaseDevice::Serialize(ar); }

QString CCalObject::Path() { return QStringLiteral("/CALENDAR"); }

QString CCalObject::BuildCommandPath() const { return Path(); }

int CCalObject::Download(bool bQuery, int nStep) {
  if (nStep < 0) {
    switch (nStep) {
      case SEL_APPOINTS: m_parts = kAppointBit; break;
      case SEL_DAYPROGS: m_parts = kDayprogBit; break;
      case SEL_HOLIDAYS: m_parts = kHolidayBit; break;
      default: m_parts = kAppointBit | kDayprogBit | kHolidayBit; break;
    }
    m_sender.Reset();
    return kStepCount;
  }
  if (nStep >= kStepCount) return -1;
  return m_sender.Send(
      nStep, nStep + 1, [this, bQuery, nStep]() { return StepLines(bQuery, nStep); }, GetDocument());
}

QStringList CCalObject::StepLines(bool bQuery, int nStep) const {
  auto lines = [&](unsigned bit, int type, const char* name, int id, auto* tag) -> QStringList {
    using Entry = std::remove_pointer_t<decltype(tag)>;
    if (!(m_parts & bit)) return {};
    return EntryLines<Entry>(GetDocument(), type, id, Path() + Fmt("/%s%d", name, id), bQuery, false);
  };
  if (nStep <= kAppointOffset) return {};
  if (nStep <= kDayprogOffset) {
    return lines(kAppointBit, DT_APPOINT, "EVENT", nStep - kAppointOffset, static_cast<CAppoint*>(nullptr));
  }
  if (nStep <= kHolidayOffset) {
    return lines(kDayprogBit, DT_DAYPROG, "DAYPROG", nStep - kDayprogOffset, static_cast<CDayprog*>(nullptr));
  }
  return lines(kHolidayBit, DT_HOLIDAY, "HOLIDAY", nStep - kHolidayOffset, static_cast<CHoliday*>(nullptr));
}

bool CCalObject::Upload(const QString& line, QString& errorFilePath, int mode) {
  QString key, value;
  if (!SplitUploadLine(line, &key, &value)) return false;
  if (mode != LINKMODE_UPLOAD) return false;
  static const QRegularExpression kEntryKey(QStringLiteral("^/(EVENT|DAYPROG|HOLIDAY)(\\d+)/([A-Z0-9_]+)$"),
                                            QRegularExpression::CaseInsensitiveOption);
  const QRegularExpressionMatch match = kEntryKey.match(key);
  CSelvantisDoc* doc = GetDocument();
  if (!match.hasMatch() || doc == nullptr) return false;
  const QString kind = match.captured(1).toUpper();
  const int id = match.captured(2).toInt();
  const QString field = match.captured(3).toUpper();
  // An entry the project lacks is made when the reply shows it in use.
  const bool isFunction = field == QLatin1String("FUNC") && !IsOffValue(value);

  if (kind == QLatin1String("EVENT")) {
    if (id < 1 || id > kMaxAppoints) return false;
    auto* entry =
        FindOrAdoptEntry<CAppoint>(doc, DT_APPOINT, id, isFunction && CAppoint::RepetitionOfKeyword(value) != 0,
                                   CAppoint::kKindEvent, CAT_CALENDAR, IDS_EVENT);
    return entry != nullptr && entry->ParseField(field, value);
  }
  if (kind == QLatin1String("DAYPROG")) {
    if (id < 1 || id > kMaxDayprogs) return false;
    int count = 0;
    auto* entry = FindOrAdoptEntry<CDayprog>(doc, DT_DAYPROG, id,
                                             field == QLatin1String("ENTRIES") && ScanInt(value, &count) && count > 0,
                                             CDayprog::kKindDayprog, CAT_CALENDAR, IDS_DAILY_PROGRAM);
    return entry != nullptr && entry->ParseField(field, value);
  }
  if (id < 1 || id > kMaxHolidays) return false;
  auto* entry = FindOrAdoptEntry<CHoliday>(doc, DT_HOLIDAY, id, isFunction && CHoliday::FunctionOfKeyword(value) != 0,
                                           CHoliday::kKindHoliday, CAT_CALENDAR, IDS_HOLIDAY_PROGRAM);
  return entry != nullptr && entry->ParseField(field, value, errorFilePath);
}
