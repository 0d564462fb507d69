#ifndef SELV_MACROS_CZONETESTOBJECT_H
#define SELV_MACROS_CZONETESTOBJECT_H

#include "model/cbasedevice.h"

#include <QString>

class CSelvantisDoc;

// The project's zone-test settings (one per project, identifier 1, path
// "/SERVICE/ZONETEST"): the daily line test (on or off, its time of day, the
// console that shows its result), the impedance test (on or off, its
// console) and the output switched while a test runs. The work is done by
// project objects whose names begin with "ZT", linked to this object:
// the macro "ZT Line test" (kind Line test, all zones) on input pin 6, the
// logic output "ZT Output" that switches the chosen control pad on pin 5,
// and the condition it follows on pin 4 ("ZT Condition", true while the
// line-test macro runs, unless another condition was chosen).
class CZonetestObject final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CZonetestObject)

 public:
  enum Param : int {
    P_LINETEST = 1,   // line test on (1) / off (0)
    P_TIME = 2,       // time of day of the daily line test, seconds after midnight
    P_LINE_CONS = 3,  // console showing the line-test result: -1 all, 0 none, else its ID
    P_CONDITION = 4,  // the condition the output follows (its ID)
    P_OUTPUT = 5,     // get: the ID of the ZT logic output; set: the ID of the control pad it switches
    P_IMPTEST = 7,    // impedance test on / off
    P_IMP_CONS = 8,   // console showing the impedance-test result
  };
  static constexpr int kPinCondition = 4;
  static constexpr int kPinLogicOut = 5;
  static constexpr int kPinMacro = 6;
  static constexpr int kAllConsoles = -1;
  static constexpr int kSecondsPerDay = 86400;
  static constexpr int kStepCount = 7;

  CZonetestObject();

  void Serialize(CArchive& ar) override;

  // The settings above; 0 for another index.
  int GetParam(int index) const;
  // Stores a setting and creates or updates the ZT objects. P_TIME takes
  // seconds after midnight (a value of a whole day or more is taken as
  // seconds since 1970 and reduced to its local time of day); consoles
  // outside -1..16 become 0.
  void SetParam(int index, int value, int reserved = 0);

  // The ID of the control pad the ZT output switches (0 when none).
  int GetOutputPadID() const;

  // Seven lines: "/TEST/AUTO", "/TEST/TIME", "/TEST/CONS", "/IMP/AUTO",
  // "/IMP/CONS", "/MACRO", "/OUTPUT".
  int Download(bool bQuery, int nStep) override;
  bool Upload(const QString& line, QString& errorFilePath, int mode) override;
  QString StepLine(int nStep, bool bQuery) const;

  static CZonetestObject* Find(const CSelvantisDoc* doc);

 protected:
  QString BuildCommandPath() const override;

 private:
  CBaseDevice* EnsureMacro();
  CBaseDevice* EnsureCondition();
  void ApplyConditionToOutput();

  bool m_lineTest = false;
  int m_time = 0;
  int m_lineConsole = 0;
  bool m_impTest = false;
  int m_impConsole = 0;
};

#endif
