#ifndef SELV_LOGIC_CCONDITIONOBJECT_H
#define SELV_LOGIC_CCONDITIONOBJECT_H

#include "logic/cstepsender.h"
#include "model/cbasedevice.h"

#include <QString>

// The block through which every condition kind is transferred to and from
// the unit (one per project, ID 1, path "/CONDITION"). Its steps: 0 the
// clear line, 1..3 reserved, then one step per entry: analog conditions at
// ID + 3, busy at ID + 23, combinations at ID + 73, plain conditions at
// ID + 123 (374 steps). The entries have no path of their own: their reply
// lines reach the block, which hands each to its entry (creating entries the
// project lacks).
class CConditionObject final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CConditionObject)

 public:
  static constexpr int kStepCount = 374;
  static constexpr int kAnalogOffset = 3;
  static constexpr int kBusyOffset = 23;
  static constexpr int kCombineOffset = 73;
  static constexpr int kPlainOffset = 123;
  static constexpr int kMaxAnalog = 20;
  static constexpr int kMaxBusy = 50;
  static constexpr int kMaxCombine = 50;
  static constexpr int kMaxPlain = 250;
  // Selectors (negative steps).
  enum Selector : int { SEL_ALL = -1, SEL_ANALOG = -2, SEL_BUSY = -3, SEL_COMBINE = -4, SEL_PLAIN = -5 };

  CConditionObject();

  void Serialize(CArchive& ar) override;
  // A negative step prepares the block for the kinds of the selector (an
  // unknown selector: all kinds), reads the unit's "COND_CLR" capability and
  // returns 374. Steps 0..373 send or query their lines and return the next
  // step, or the same step while the link's output buffer is full; -1 for
  // a step beyond the block.
  int Download(bool bQuery, int nStep) override;
  bool Upload(const QString& line, QString& errorFilePath, int mode) override;

  // The block's path for the entries' lines ("/CONDITION").
  static QString Path();

 protected:
  QString BuildCommandPath() const override;

 private:
  QStringList StepLines(bool bQuery, int nStep);

  unsigned m_kinds = 0xF;  // bit 0 analog, 1 busy, 2 combine, 3 plain
  bool m_allKinds = true;
  bool m_canClear = false;
  bool m_cleared = false;  // the clear line went out in this run
  CStepSender m_sender;
};

#endif
