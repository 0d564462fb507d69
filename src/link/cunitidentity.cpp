#include "link/cunitidentity.h"

#include "model/cfilename.h"

#include <utility>

CUnitIdentity::CUnitIdentity(QString deviceId, QString version)
    : m_deviceId(std::move(deviceId)), m_version(std::move(version)) {}

QString CUnitIdentity::Text() const {
  // What the unit said, as the eye reads it: a control character in its
  // answer (an escape sequence) must not reach a terminal.
  return tr("device id %1, version %2")
      .arg(m_deviceId.isEmpty() ? QStringLiteral("?") : CFileName::Display(m_deviceId),
           m_version.isEmpty() ? QStringLiteral("?") : CFileName::Display(m_version));
}

bool CUnitIdentity::SameDevice(const CUnitIdentity& other) const {
  return !m_deviceId.isEmpty() && m_deviceId == other.m_deviceId;
}

QString CUnitIdentity::Key() const { return m_deviceId + QLatin1Char(',') + m_version; }

bool CUnitIdentity::Parse(const QString& key, CUnitIdentity* identity) {
  const qsizetype comma = key.indexOf(QLatin1Char(','));
  if (comma < 0) return false;
  *identity = CUnitIdentity(key.left(comma).trimmed(), key.mid(comma + 1).trimmed());
  return !identity->IsEmpty();
}
