#ifndef SELV_LOGIC_CTRIGGEROBJECT_H
#define SELV_LOGIC_CTRIGGEROBJECT_H

#include "model/cbasedevice.h"

#include <QString>

// The block through which the triggers are transferred (one per project, ID
// 1, path "/TRIGGER"). Step 0 is the clear line; the trigger with ID n owns
// the four steps 4n-3 .. 4n (step s is field (s-1) mod 4 of trigger
// (s-1)/4 + 1), for sending and querying alike. Trigger replies reach the
// block, which hands them to their trigger (creating triggers the project
// lacks).
class CTriggerObject final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CTriggerObject)

 public:
  static constexpr int kMaxTriggers = 100;
  static constexpr int kStepCount = 4 * kMaxTriggers + 1;

  CTriggerObject();

  void Serialize(CArchive& ar) override;
  // -1 (any negative step) prepares the block, reads the unit's
  // "TRIGGER_CLR" capability and returns 401.
  int Download(bool bQuery, int nStep) override;
  bool Upload(const QString& line, QString& errorFilePath, int mode) override;

  static QString Path();
  // The first step of trigger id.
  static int FirstStepOf(int id) { return 4 * id - 3; }

 protected:
  QString BuildCommandPath() const override;

 private:
  bool m_canClear = false;
  bool m_cleared = false;
};

#endif
