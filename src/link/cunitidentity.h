#ifndef SELV_LINK_CUNITIDENTITY_H
#define SELV_LINK_CUNITIDENTITY_H

#include <QCoreApplication>
#include <QString>

// Who a unit is, as it says when asked ("/SERVICE/DEVID ?", "/SERVICE/VER
// ?"): its device id and its operating-system version. Two units behind the
// same port name (an adapter plugged into another unit, a terminal number
// another program took) tell them apart.
class CUnitIdentity final {
  Q_DECLARE_TR_FUNCTIONS(CUnitIdentity)

 public:
  CUnitIdentity() = default;
  CUnitIdentity(QString deviceId, QString version);

  const QString& DeviceId() const noexcept { return m_deviceId; }
  const QString& Version() const noexcept { return m_version; }
  // Nothing known (a note of an older program, a unit not asked yet).
  bool IsEmpty() const noexcept { return m_deviceId.isEmpty() && m_version.isEmpty(); }
  bool operator==(const CUnitIdentity& other) const {
    return m_deviceId == other.m_deviceId && m_version == other.m_version;
  }
  bool operator!=(const CUnitIdentity& other) const { return !(*this == other); }

  // "device id 10337, version V1.0", in the user's language.
  QString Text() const;
  // As kept in a note: "10337,V1.0"; Parse reads it back (false for a text
  // that is not one).
  QString Key() const;
  static bool Parse(const QString& key, CUnitIdentity* identity);

 private:
  QString m_deviceId;
  QString m_version;
};

#endif
