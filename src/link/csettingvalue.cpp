#include "link/csettingvalue.h"

#include "link/commandpath.h"
#include "model/replytext.h"

#include <QRegularExpression>
#include <QStringList>

#include <cmath>
#include <set>
#include <vector>

namespace {

using Kind = CSettingValue::Kind;

struct Rule {
  const char* pattern;  // on the path with ".." resolved
  Kind kind;
  int width;
};

// The first rule that matches names the kind. docs/command-language.md
// ("What a compare counts as equal") lists the same.
const Rule kRules[] = {
    {"^/VMX/ZONE\\d+/(RELAY|PRIOCALL/RELAY|PRIOCALL/TYPE|CONTROL/RELAY|LANGRP)$", Kind::Reference, 0},
    {"^/VMX/COLLCALL\\d+/RELAY$", Kind::Reference, 0},
    {"^/MONI/RELAY\\d+$", Kind::Reference, 0},
    {"^/POWER/(MAINS_COND|BOOT_MAC|SHUT_MAC)$", Kind::Reference, 0},
    {"^/TRIGGER/TRG\\d+/(COND|ON|OFF)$", Kind::Reference, 0},
    {"^/LOGICOUT/OUT\\d+/COND$", Kind::Reference, 0},
    {"^/CONDITION/COMBINE\\d+/IN[1-4]$", Kind::Reference, 0},
    {"^/CALENDAR/(EVENT\\d+/MACRO|HOLIDAY\\d+/DAYPROG|DAYPROG\\d+/MACRO\\d+|WEEK/DAY[1-7])$", Kind::Reference, 0},
    {"^/SERVICE/ZONETEST/(MACRO|OUTPUT)$", Kind::Reference, 0},
    {"^/MACRO/ENTRY\\d+/PARAM/(TYPE|PRECHIME|MACRO|CONDITION|INDEX|POWER_ON|POWER_OFF|STEP[1-5]/(MACRO|CONDITION))$",
     Kind::Reference, 0},
    {"^/SIGNAL/[A-Z]+\\d+/(SOURCE|START_MAC|STOP_MAC)$", Kind::Reference, 0},
    {"^/MACRO/ENTRY\\d+/PARAM/PRIO$", Kind::MacroPriority, 0},
    {"(^|/)([A-Z]+_)?PRIO(_[A-Z]+)?$", Kind::Priority, 0},
    {"^/AUDIO/([A-Z]+_VOL|IN\\d+/VOL|BACK_ATT)$", Kind::Level, 0},
    {"^/PILOT/VOL\\d+$", Kind::Level, 0},
    {"^/VMX/ZONE\\d+/TESTVOL$", Kind::Level, 0},
    {"^/CONS/ADR[0-9A-Fa-f]+/NAME$", Kind::Text, 32},
    {"^/VMX/ZONE\\d+/NAME$", Kind::Text, 32},
    {"^/VMX/ZONE\\d+/TEST/IGNORE$", Kind::Text, 32},
    {"^/MACRO/ENTRY\\d+/PARAM/(TEXT|TITLE|UNIT)$", Kind::Text, 16},
    {"^/READYINP/TEXT[1-5]$", Kind::Text, 16},
    {"^/MONI/TABLE\\d+/SEL$", Kind::Text, 16},
    {"^/MACRO/ENTRY\\d+/PARAM/(ZONE|GROUP|ADR|CHAN)$", Kind::RangeList, 0},
    {"^/CONDITION/BUSY\\d+/(ZONES|GROUPS)$", Kind::RangeList, 0},
    {"^/VMX/COLLCALL\\d+/ZONES$", Kind::RangeList, 0},
    {"^/VMX/LANGRP\\d+$", Kind::RangeList, 0},
    {"^/VIRTCTRL/ENTRY\\d+/(SOURCE/ENC|SOURCE/AD|DEST/DA|DEST/AMPCHAN)$", Kind::RangeList, 0},
    {"^/EVENT/LOG/MASK(/[A-Z_]+)?/ON$", Kind::RangeList, 0},
};

QString Normal(const QString& value) { return ReplyText::Clean(value).trimmed(); }

bool IsNone(const QString& v) {
  return v.isEmpty() || v.compare(QLatin1String("OFF"), Qt::CaseInsensitive) == 0 ||
         v.compare(QLatin1String("NONE"), Qt::CaseInsensitive) == 0;
}

// "OFF", "NONE" and "" as 0, else the number.
bool ReadReference(const QString& v, double* value) {
  if (IsNone(v)) {
    *value = 0;
    return true;
  }
  return CSettingValue::ReadNumber(v, value);
}

bool ReadOff(const QString& v, double* value) {
  if (v.compare(QLatin1String("OFF"), Qt::CaseInsensitive) == 0) {
    *value = 0;
    return true;
  }
  return CSettingValue::ReadNumber(v, value);
}

// The numbers of a range list; false when v is not one. "ALL" is not a
// list of numbers and compares as text.
bool ReadRangeList(const QString& v, std::set<long>* numbers) {
  numbers->clear();
  if (v.isEmpty() || v.compare(QLatin1String("NONE"), Qt::CaseInsensitive) == 0 || v == QLatin1String("0")) return true;
  static const QRegularExpression kPart(QStringLiteral("^\\s*(\\d{1,6})\\s*(?:-\\s*(\\d{1,6})\\s*)?$"));
  for (const QString& part : v.split(QLatin1Char(','))) {
    const QRegularExpressionMatch m = kPart.match(part);
    if (!m.hasMatch()) return false;
    const long from = m.captured(1).toLong();
    const long to = m.captured(2).isEmpty() ? from : m.captured(2).toLong();
    if (to < from || to - from > 100000) return false;
    for (long n = from; n <= to; ++n) numbers->insert(n);
  }
  return true;
}

bool NumbersEqual(double a, double b, double tolerance) { return std::fabs(a - b) <= tolerance; }

QString NumberText(double value) {
  if (value == std::floor(value) && std::fabs(value) < 1e15) return QString::number(static_cast<qint64>(value));
  return QString::number(value, 'g', 12);
}

}  // namespace

CSettingValue::CSettingValue(const QString& path) {
  // Compiled once: a comparison reads thousands of settings.
  static const std::vector<QRegularExpression> patterns = [] {
    std::vector<QRegularExpression> out;
    for (const Rule& rule : kRules) out.emplace_back(QLatin1String(rule.pattern));
    return out;
  }();
  const QString resolved = CommandPath::Resolved(path.trimmed());
  for (size_t i = 0; i < patterns.size(); ++i) {
    if (!patterns[i].match(resolved).hasMatch()) continue;
    m_kind = kRules[i].kind;
    m_width = kRules[i].width;
    return;
  }
}

bool CSettingValue::ReadNumber(const QString& text, double* value) {
  const QString t = text.trimmed();
  if (t.isEmpty()) return false;
  bool ok = false;
  if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) && t.size() > 2) {
    const qulonglong n = t.mid(2).toULongLong(&ok, 16);
    if (ok) *value = static_cast<double>(n);
    return ok;
  }
  static const QRegularExpression kDecimal(QStringLiteral("^[+-]?(\\d+(\\.\\d*)?|\\.\\d+)$"));
  if (!kDecimal.match(t).hasMatch()) return false;
  // The C locale: the unit writes a point whatever the computer's language.
  const double n = t.toDouble(&ok);
  if (ok) *value = n;
  return ok;
}

bool CSettingValue::SameMeaning(const QString& a, const QString& b) const {
  const QString x = Normal(a);
  const QString y = Normal(b);
  if (x == y) return true;
  double p = 0;
  double q = 0;
  switch (m_kind) {
    case Kind::Reference:
      if (ReadReference(x, &p) && ReadReference(y, &q)) return NumbersEqual(p, q, 0);
      break;
    case Kind::Priority:
    case Kind::MacroPriority:
      if (ReadOff(x, &p) && ReadOff(y, &q)) return NumbersEqual(p, q, 0);
      break;
    case Kind::Level:
      // The unit keeps a tenth of a decibel.
      if (ReadNumber(x, &p) && ReadNumber(y, &q)) return NumbersEqual(p, q, 0.05);
      break;
    case Kind::Text: return ReplyText::Field(x, m_width).trimmed() == ReplyText::Field(y, m_width).trimmed();
    case Kind::RangeList: {
      std::set<long> s;
      std::set<long> t;
      if (ReadRangeList(x, &s) && ReadRangeList(y, &t)) return s == t;
      break;
    }
    case Kind::Plain: break;
  }
  return ReadNumber(x, &p) && ReadNumber(y, &q) && NumbersEqual(p, q, 0);
}

QString CSettingValue::UserForm(const QString& value) const {
  const QString v = Normal(value);
  if (v.isEmpty()) return v;
  double n = 0;
  switch (m_kind) {
    case Kind::Reference:
      if (IsNone(v)) return QStringLiteral("OFF");
      if (ReadNumber(v, &n)) return n == 0 ? QStringLiteral("OFF") : NumberText(n);
      break;
    case Kind::Priority:
      if (ReadOff(v, &n)) return n == 0 ? QStringLiteral("OFF") : NumberText(n);
      break;
    case Kind::MacroPriority:
      // The dialog offers OFF and the steps 1 to 10 (sent as 10 to 100, one
      // more for the OFF macro of a pair); any other number stays as it is.
      if (ReadOff(v, &n)) {
        const qint64 p = static_cast<qint64>(n);
        if (p == 0) return QStringLiteral("OFF");
        if (p == n && p >= 10 && p <= 101 && p % 10 <= 1) return QString::number(p / 10);
        return NumberText(n);
      }
      break;
    case Kind::Level:
      if (ReadNumber(v, &n)) return QStringLiteral("%1 dB").arg(n, 0, 'f', 1);
      break;
    case Kind::Text: return ReplyText::Field(v, m_width).trimmed();
    case Kind::RangeList:
      if (v == QLatin1String("0") || v.compare(QLatin1String("NONE"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("NONE");
      break;
    case Kind::Plain:
      if (ReadNumber(v, &n) && !v.contains(QLatin1Char('.'))) return NumberText(n);
      break;
  }
  return v;
}
