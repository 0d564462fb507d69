#ifndef SELV_UNIT_CINTERNALPOWERMANAGEMENT_H
#define SELV_UNIT_CINTERNALPOWERMANAGEMENT_H

#include "model/cbasedevice.h"

#include <QString>

class CSelvantisDoc;

// The unit's power management: the battery, mains and shut-down priorities,
// two flags (drop on shut-down, battery available), and three references:
// the mains condition and the boot and shut-down macros. A reference is a
// connection from the peer's output pin 0 to one of this object's input pins
// (0, 1, 2), so it follows renumbering and deletion of the peer; naming an
// identifier the project lacks creates a placeholder condition or macro
// ("%d *"). One per project, identifier 1, path "/POWER".
class CInternalPowerManagement final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CInternalPowerManagement)

 public:
  // Parameter codes (5 is unused).
  enum Param : int {
    P_BATT_PRIO = 0,
    P_MAINS_PRIO = 1,
    P_MAINS_COND = 2,
    P_BOOT_MAC = 3,
    P_SHUT_MAC = 4,
    P_SHUT_PRIO = 6,
    P_DROP_SHUT = 7,
    P_BATT_AVLBL = 8,
  };
  // Input pins of the references.
  static constexpr int kPinMainsCondition = 0;
  static constexpr int kPinBootMacro = 1;
  static constexpr int kPinShutMacro = 2;

  static constexpr int kKind = 34557;  // "Internal power management"
  static constexpr int kStepCount = 8;
  static constexpr int kMaxPriority = 255;
  static constexpr int kDefaultBattPrio = 70;
  static constexpr int kDefaultMainsPrio = 30;

  CInternalPowerManagement();

  void Serialize(CArchive& ar) override;
  // "POWER/<key> <value>" in LINKMODE_UPLOAD only. Takes BATT_PRIO,
  // MAINS_PRIO and the three references ("OFF" reads as 0); DROP_SHUT,
  // BATT_AVLBL and SHUT_PRIO are not taken from the unit. An echoed query, a
  // value without a number or an identifier outside the pool changes
  // nothing.
  bool Upload(const QString& line, QString& errorFilePath, int mode) override;
  // Eight steps, always.
  int Download(bool bQuery, int nStep) override;

  // 0, 1, 6 the priorities; 2, 3, 4 the identifier of the linked condition
  // or macro (0 when none); 7, 8 the flags (0 or 1); 0 for other codes.
  int GetParam(int code) const;
  // 0, 1, 6 "%d"; 2, 3, 4 the linked object's name ("" when none); 7, 8
  // "YES" or "NO"; "" for other codes.
  QString GetParamText(int code) const;
  void GetParamText(QString& out, int code) const { out = GetParamText(code); }
  // Priorities are kept within 0..255; flags are stored as 0 or 1. A
  // reference code links the condition (2) or macro (3, 4) with that
  // identifier, creating a placeholder when the project has none; 0 only
  // unlinks (the object stays in the project); the identifier linked already
  // changes nothing. An identifier outside the pool, or one that cannot be
  // had, keeps the old link.
  void SetParam(int code, int value);

  // The type of the objects a reference code links (33 or 17); 0 otherwise.
  static int ReferenceType(int code);

  // The project's object (identifier 1), or null.
  static CInternalPowerManagement* Find(const CSelvantisDoc* doc);
  // Creates it (one drawn input and output pin) when the project has none.
  static CInternalPowerManagement* EnsureIn(CSelvantisDoc& doc);

 private:
  static int ClampPriority(int value);
  CBaseDevice* GetReference(int code) const;
  void SetReference(int code, int id);
  void SetField(int& field, int value);

  int m_battPrio = kDefaultBattPrio;
  int m_mainsPrio = kDefaultMainsPrio;
  int m_shutPrio = 0;
  int m_dropShut = 0;
  int m_battAvailable = 0;
};

#endif
