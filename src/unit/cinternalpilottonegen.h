#ifndef SELV_UNIT_CINTERNALPILOTTONEGEN_H
#define SELV_UNIT_CINTERNALPILOTTONEGEN_H

#include "model/cbasedevice.h"

#include <QString>

class CSelvantisDoc;

// The unit's pilot-tone generator: on/off, the frequency and one level per
// output (four outputs). Settings are reached by code: the low 16 bits pick
// the setting, the high 16 bits the output index (0..3) of a level. The
// setters clamp, so the on-line window and uploads get the same limits. The
// switch is not stored: a loaded project starts with the generator off.
// Only the upgrade unit has the generator, so only its projects download it.
// One per project, identifier 1, path "/PILOT".
class CInternalPilottoneGen final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CInternalPilottoneGen)

 public:
  enum Param : int { P_FREQUENCY = 0, P_VOLUME = 1, P_ON = 2 };
  static constexpr int kOutputCount = 4;
  static constexpr int kStepCount = 6;

  static constexpr int kKind = 34556;  // "Internal Pilot tone generator"
  static constexpr float kMinFrequency = 10.0f;
  static constexpr float kMaxFrequency = 23000.0f;
  static constexpr float kMinVolume = -150.0f;
  static constexpr float kMaxVolume = 0.0f;

  // The code of the level of output index n (0..3).
  static constexpr int VolumeCode(int n) { return P_VOLUME | (n << 16); }

  CInternalPilottoneGen();

  void Serialize(CArchive& ar) override;
  // "PILOT/<key> <value>" in LINKMODE_UPLOAD only: "/GEN" is on for exactly
  // "ON"; "/FREQU" and "/VOL1".."/VOL4" go through the clamping setter. An
  // echoed query or a value without a number changes nothing.
  bool Upload(const QString& line, QString& errorFilePath, int mode) override;
  // Six steps (GEN, FREQU, VOL1..VOL4) when the document is for the upgrade
  // unit, none otherwise.
  int Download(bool bQuery, int nStep) override;

  // Code 2: the switch, 0 or 1; 0 for other codes.
  int GetParam(int code) const;
  // Code 2: on when value is non-zero; other codes do nothing.
  void SetParam(int code, int value);
  // Low bits 0: the frequency; 1: the level of output index code >> 16.
  // 0.0 for other codes and for an output index outside 0..3.
  float GetParamFloat(int code) const;
  // Low bits 0: frequency kept within 10..23000; 1: level of output index
  // code >> 16 kept within -150..0. Other codes, an output index outside
  // 0..3 and values that are no number do nothing.
  void SetParamFloat(int code, float value);
  // Low bits 0 and 1: "%.1f" of the value; 2: "ON" or "OFF"; "" otherwise.
  QString GetParamText(int code) const;

  // The project's generator (identifier 1), or null.
  static CInternalPilottoneGen* Find(const CSelvantisDoc* doc);
  // Creates it when the project has none.
  static CInternalPilottoneGen* EnsureIn(CSelvantisDoc& doc);

 private:
  static bool IsOutput(int n) { return n >= 0 && n < kOutputCount; }
  static int OutputOf(int code) { return static_cast<int>(static_cast<unsigned>(code) >> 16); }

  bool m_on = false;
  float m_frequency = kMinFrequency;
  float m_volume[kOutputCount] = {kMinVolume, kMinVolume, kMinVolume, kMinVolume};
};

#endif
