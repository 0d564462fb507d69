#ifndef SELV_LINK_CUNITIDENTITY_H
#define SELV_LINK_CUNITIDENTITY_H

#include <QCoreApplication>
#include <QString>

// Who a unit is, as it says when asked ("/SERVICE/DEVID ?", "/SERVICE/VER
// ?"): its device id and its operating-system version. Two units behind the
// same port name (an adapter plugged into another unit, a terminal number
// another program took) tell them apart.
//
// For a reconnect after a loss the unit is the same only with the same
// device id and version (operator==): what the program knows of the unit
// (its capabilities, what a download sends) follows from its version, so a
// unit whose operating system was updated meanwhile is connected by the
// user, who reads it anew. For a note that the unit may have been left
// open the device id alone tells it (SameDevice): an update of its
// operating system leaves it the unit that may be open, and the closing
// lines do no harm to a unit that is closed. Two units of the same device
// id and version are one unit to the program: it has nothing else to ask.
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
  // The same device, whatever its version now.
  bool SameDevice(const CUnitIdentity& other) const;

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
