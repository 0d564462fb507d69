#include "link/cunitidentity.h"

#include <utility>

CUnitIdentity::CUnitIdentity(QString deviceId, QString version)
    : m_deviceId(std::move(deviceId)), m_version(std::move(version)) {}

QString CUnitIdentity::Text() const {
  return tr("device id %1, version %2")
      .arg(m_deviceId.isEmpty() ? QStringLiteral("?") : m_deviceId,
           m_version.isEmpty() ? QStringLiteral("?") : m_version);
}

QString CUnitIdentity::Key() const { return m_deviceId + QLatin1Char(',') + m_version; }

bool CUnitIdentity::Parse(const QString& key, CUnitIdentity* identity) {
  const qsizetype comma = key.indexOf(QLatin1Char(','));
  if (comma < 0) return false;
  *identity = CUnitIdentity(key.left(comma).trimmed(), key.mid(comma + 1).trimmed());
  return !identity->IsEmpty();
}
