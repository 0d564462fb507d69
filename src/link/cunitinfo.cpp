#include "link/cunitinfo.h"

#include "link/linkprofile.h"
#include "model/cprofile.h"
#include "model/ctext.h"

#include <QRegularExpression>
#include <QStringList>

const std::vector<CUnitInfo::ClearCapability>& CUnitInfo::ClearCapabilities() {
  static const std::vector<ClearCapability> table = {
      {"MACRO_CLR", 0.6},    {"TRIGGER_CLR", 0.6}, {"COND_CLR", 0.6},
      {"READYINP_CLR", 0.7}, {"MONI_CLR", 0.8},    {"SPAREAMP_CLR", 0.8},
  };
  return table;
}

bool CUnitInfo::ParseVersion(const QString& text, double* version) {
  QString t = text.trimmed();
  if (t.startsWith(QLatin1Char('V')) || t.startsWith(QLatin1Char('v'))) t = t.mid(1);
  if (t.isEmpty() || !t[0].isDigit()) return false;
  const QStringList parts = t.split(QLatin1Char('.'));
  bool ok = false;
  const int major = parts[0].toInt(&ok);
  if (!ok) return false;
  double value = major;
  if (parts.size() > 1) {
    // Digits of the fraction up to the first non-digit ("0.551b" -> 0.551).
    QString digits;
    for (QChar c : parts[1]) {
      if (!c.isDigit()) break;
      digits += c;
    }
    double fraction = 0;
    if (!digits.isEmpty() && !ScanDouble(QStringLiteral("0.") + digits, &fraction)) return false;
    value += fraction;
  }
  *version = value;
  return true;
}

QString CUnitInfo::ReplyValue(const QString& reply, const QString& path) {
  // The reply may hold more than one line (an echo, a late answer).
  const QString prefix = path + QLatin1Char(' ');
  for (const QString& raw : reply.split(QRegularExpression(QStringLiteral("[\\r\\n]")), Qt::SkipEmptyParts)) {
    const QString line = raw.trimmed();
    if (!line.startsWith(prefix)) continue;
    const QString value = line.mid(prefix.size()).trimmed();
    if (!value.isEmpty() && value != QLatin1String("?")) return value;
  }
  return QString();
}

void CUnitInfo::Store(int deviceId, const QString& osVersion) {
  const QString section = QString::fromLatin1(LinkProfile::kUnitSection);
  CProfile::WriteInt(section, QString::fromLatin1(LinkProfile::kDeviceId), deviceId);
  CProfile::WriteString(section, QString::fromLatin1(LinkProfile::kOsVersion), osVersion);
  double version = 0;
  const bool known = ParseVersion(osVersion, &version);
  for (const ClearCapability& cap : ClearCapabilities()) {
    // A small tolerance: 0.8 read from text must count as 0.8.
    const bool has = known && version + 1e-9 >= cap.firstVersion;
    CProfile::WriteInt(section, QString::fromLatin1(cap.key), has ? 1 : 0);
  }
}
