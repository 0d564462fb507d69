#ifndef SELV_UNIT_CAUDIOINPUTSLOT_H
#define SELV_UNIT_CAUDIOINPUTSLOT_H

#include "model/cbasedevice.h"

#include <QString>

// An audio input slot of the unit: slot s holds the unit's inputs 2s-1 (A)
// and 2s (B), each with the kind of module fitted and its level.
class CAudioInputSlot final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CAudioInputSlot)

 public:
  enum ModuleKind : int { MODULE_NONE = 0, MODULE_CONSOLE = 1, MODULE_MIC = 2, MODULE_LINE = 3, MODULE_AUX = 4 };
  static constexpr int kInputs = 2;
  static constexpr float kMinLevel = -80.0f;
  static constexpr float kMaxLevel = 6.0f;
  // Parameter kind of the level accessors.
  static constexpr int kParamLevel = 0;

  CAudioInputSlot();

  void Serialize(CArchive& ar) override;
  bool RegisterPath() override;
  int Download(bool bQuery, int nStep) override;

  // The unit's number of input 0 or 1 of this slot (1..4); 0 for another input.
  int GetInputNumber(int input) const;
  int GetModuleKind(int input) const;
  // Kinds outside 0..4 are refused.
  void SetModuleKind(int input, int kind);
  float GetLevel(int input) const;
  // Kept within -80 .. 6 dB.
  void SetLevel(int input, float level);

  // kind 0: the level of input 0 or 1 in dB, "%2.1f"; "" otherwise.
  void GetParamText(QString& out, int kind, int input) const;
  // kind 0: the level from the text, kept within -80 .. 6 dB; text that is
  // no number changes nothing.
  void SetParamText(int kind, int input, const QString& text);

  // A level reply of the unit ("IN3/VOL" with "-12.5"); false when the key
  // is not one of this slot's inputs or the value is no number.
  bool ParseLevelReply(const QString& key, const QString& value);

 private:
  static bool IsInput(int input) { return input >= 0 && input < kInputs; }

  int m_moduleKind[kInputs] = {MODULE_NONE, MODULE_NONE};
  float m_level[kInputs] = {0.0f, 0.0f};
};

#endif
