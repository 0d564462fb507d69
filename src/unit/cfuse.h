#ifndef SELV_UNIT_CFUSE_H
#define SELV_UNIT_CFUSE_H

#include "model/cbasedevice.h"

#include <QString>

class CSelvantisDoc;

// The ratings of the unit's five electronic fuses (outputs A and B of slot
// positions 1 and 2, and the amplifier-bus output AMP485). A rating is an
// index: 0, 1, 2, 3 stand for 0, 330, 660, 990 mA. The object keeps what it
// is given, unchecked: the unit is the judge, and the fuse window shows any
// index it reports. One per project, identifier 1, path "/FUSE".
class CFuse final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CFuse)

 public:
  static constexpr int kKind = 33084;  // "Fuse"
  // The fuses in record and download order.
  enum Fuse : int { SLOT1_A = 0, SLOT1_B = 1, SLOT2_A = 2, SLOT2_B = 3, AMP485 = 4 };
  static constexpr int kFuseCount = 5;
  static constexpr int kDefaultRating = 3;
  static constexpr int kMilliampsPerStep = 330;
  // Five ratings, then the boot priority of the event log.
  static constexpr int kStepCount = 6;
  // The boot-priority line climbs out of the fuse node; its value is fixed.
  static constexpr const char* kPrioBootKey = "/../EVENT/PRIO_BOOT";
  static constexpr int kPrioBoot = 50;

  CFuse();

  void Serialize(CArchive& ar) override;
  // Takes "FUSE/<fuse key> <n>" in LINKMODE_UPLOAD only; echoed queries,
  // other keys (BLOWN, COOLING) and values without a number change nothing.
  bool Upload(const QString& line, QString& errorFilePath, int mode) override;
  int Download(bool bQuery, int nStep) override;

  // The rating of a fuse; 0 for an index outside 0..4.
  int GetRating(int fuse) const;
  // Stores the rating as it is; an index outside 0..4 is ignored.
  void SetRating(int fuse, int rating);
  // The command key of a fuse below "/FUSE" ("/SLOT1/A/VALUE"); "" outside 0..4.
  static QString KeyOf(int fuse);

  // The project's fuse object (identifier 1), or null.
  static CFuse* Find(const CSelvantisDoc* doc);
  // Creates it when the project has none.
  static CFuse* EnsureIn(CSelvantisDoc& doc);

 private:
  int m_rating[kFuseCount] = {kDefaultRating, kDefaultRating, kDefaultRating, kDefaultRating, kDefaultRating};
};

#endif
