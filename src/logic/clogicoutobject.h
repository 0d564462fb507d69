#ifndef SELV_LOGIC_CLOGICOUTOBJECT_H
#define SELV_LOGIC_CLOGICOUTOBJECT_H

#include "model/cbasedevice.h"

#include <QString>

// The block through which the logic outputs are transferred (one per
// project, ID 1, path "/LOGICOUT"). Step 0 is the block's own and sends
// nothing; logic output n owns the four steps 4n-3 .. 4n (output keyword,
// output number, condition, invert flag). Replies reach the block, which
// hands them to their logic output (creating outputs the project lacks).
class CLogicOutObject final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CLogicOutObject)

 public:
  static constexpr int kMaxLogicOuts = 250;
  static constexpr int kStepCount = 4 * kMaxLogicOuts + 1;

  CLogicOutObject();

  void Serialize(CArchive& ar) override;
  // A negative step resets the block and returns 1001.
  int Download(bool bQuery, int nStep) override;
  bool Upload(const QString& line, QString& errorFilePath, int mode) override;

  static QString Path();
  static int FirstStepOf(int id) { return 4 * id - 3; }

 protected:
  QString BuildCommandPath() const override;
};

#endif
