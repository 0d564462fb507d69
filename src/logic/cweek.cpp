#include "logic/cweek.h"

#include "link/linkmode.h"
#include "logic/logiclinks.h"
#include "logic/logicstrings.h"
#include "model/carchive.h"
#include "model/ctext.h"
#include "model/errorfile.h"

#include <QRegularExpression>

SELV_IMPLEMENT_SERIAL(CWeek, 1)

CWeek::CWeek() { SetType(DT_WEEK); }

void CWeek::Serialize(CArchive& ar) { CBaseDevice::Serialize(ar); }

QString CWeek::Path() { return QStringLiteral("/CALENDAR/WEEK"); }

QString CWeek::BuildCommandPath() const { return Path(); }

void CWeek::GetColumnText(QString& out, int day) const {
  out = day >= 0 && day < kDays ? GetLinkedInputName(*this, day, DT_DAYPROG) : QString();
}

int CWeek::GetValue(int day) const { return day >= 0 && day < kDays ? GetLinkedInputID(*this, day, DT_DAYPROG) : 0; }

void CWeek::SetValue(int day, int id) {
  if (day < 0 || day >= kDays) return;
  SetLinkedInput(*this, day, DT_DAYPROG, id);
}

int CWeek::Download(bool bQuery, int nStep) {
  if (nStep < 0) return kDays;
  if (nStep >= kDays) return -1;
  return SendStep(bQuery, nStep, Path(), Fmt("/DAY%d", nStep + 1), Fmt("%d", GetValue(nStep)));
}

bool CWeek::Upload(const QString& line, QString& errorFilePath, int mode) {
  QString key, value;
  if (!SplitUploadLine(line, &key, &value)) return false;
  if (mode != LINKMODE_UPLOAD) return false;
  static const QRegularExpression kDay(QStringLiteral("^/DAY(\\d)$"), QRegularExpression::CaseInsensitiveOption);
  const QRegularExpressionMatch match = kDay.match(key);
  if (!match.hasMatch()) return false;
  const int day = match.captured(1).toInt() - 1;
  int id = 0;
  if (day < 0 || day >= kDays || !ScanInt(value, &id) || id < 0) return false;
  SetValue(day, id);
  if (id != 0 && GetValue(day) != id) {
    AppendMissingLine(errorFilePath, IDS_WEEKLY_PROGRAM, day + 1, LogicString(IDS_DAILY_PROGRAM) + Fmt(" %d", id));
  }
  return true;
}
