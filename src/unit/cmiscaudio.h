#ifndef SELV_UNIT_CMISCAUDIO_H
#define SELV_UNIT_CMISCAUDIO_H

#include "model/cbasedevice.h"

#include <QString>

#include <cstdint>

class CSelvantisDoc;

// The unit's global audio settings: the volumes of alarm, chime, message and
// panic signals, the background-music attenuation and the inputs of the
// background music and the external alarm and message sources. Each setting
// has a code (its position in the keyword table) and travels as one line
// "/AUDIO/<KEYWORD> <value>". What is stored and what the unit speaks differ:
// a silent volume is -80 here and -150.0 on the wire, the attenuation's "off"
// is -41 here and -127 on the wire, inputs count from 0 here and from 1 on
// the wire. One per project, identifier 1, path "AUDIO".
//
// The unit's input levels ("/AUDIO/IN<n>/VOL") share the branch: their
// replies reach this object and are handed to the audio input slot that
// holds the input.
class CMiscAudio final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CMiscAudio)

 public:
  enum Code : int {
    ALARM_VOL = 0,
    CHIME_VOL = 1,
    MESSAGE_VOL = 2,
    PANIC_VOL = 3,
    BACK_ATT = 4,
    EXT_ALARM_INP = 5,
    EXT_MSG_INP = 6,
    BACK_INP = 7,
  };
  static constexpr int kCodeCount = 8;
  static constexpr int kVolumeCount = 4;

  static constexpr int kKind = 34077;  // "Audio"
  // Stored limits.
  static constexpr float kMinVolume = -80.0f;  // silent
  static constexpr float kMaxVolume = 6.0f;
  static constexpr int kBackAttOff = -41;
  static constexpr int kMinBackAtt = -40;
  static constexpr int kMaxInput = 3;
  // The unit's values for the silent volume and the attenuation's off.
  static constexpr double kUnitSilentVolume = -150.0;
  static constexpr int kUnitBackAttOff = -127;
  // Message shown for a reply this object cannot read.
  static constexpr uint32_t kParserError = 34029;

  CMiscAudio();

  void Serialize(CArchive& ar) override;
  // Takes "AUDIO/<KEYWORD> <value>" in any link mode (the keyword is cut at
  // its first digit) and converts the unit's value to the stored one. An
  // echoed query is ignored; an unknown keyword or a value without a number
  // changes nothing and shows message 34029.
  bool Upload(const QString& line, QString& errorFilePath, int mode) override;
  // Eight steps: SendSetting of codes 0 to 7, not shortened.
  int Download(bool bQuery, int nStep) override;

  // By the low 16 bits of the code: 0..3 the volume as "%2.1f", 4..7 the
  // value as "%d"; "" for other codes.
  QString GetParamText(int code) const;
  void GetParamText(QString& out, int code) const { out = GetParamText(code); }
  // Sets one setting (codes 0..7) from a text, clamped:
  //   volumes: at or below -80 -> -80, at or above 6 -> 6;
  //   attenuation: below -40 -> -41 (off), 0 or more -> 0;
  //   inputs: below 1 -> 0, 3 or more -> 3.
  // False for another code, or a text without a number (nothing changes).
  bool SetParamText(int code, const QString& text);
  // Builds "/AUDIO/<KEYWORD> <unit value>" (" ?" in place of the value with
  // bQuery), sends it for this object's own document and returns it; "" and
  // nothing sent for a code outside 0..7 or an object without a path.
  QString SendSetting(int code, bool bShorten, bool bQuery);
  // The value SendSetting puts on the wire.
  QString GetUnitValueText(int code) const;

  // The keyword table: "ALARM_VOL" for 0 ... "BACK_INP" for 7; "" or -1 when
  // unknown.
  static QString KeywordOf(int code);
  static int CodeOf(const QString& keyword);

  // The project's object (identifier 1), or null.
  static CMiscAudio* Find(const CSelvantisDoc* doc);
  // Creates it when the project has none.
  static CMiscAudio* EnsureIn(CSelvantisDoc& doc);

 private:
  static bool IsVolume(int code) { return code >= ALARM_VOL && code <= PANIC_VOL; }
  // A unit value converted to the text SetParamText stores; false when it
  // holds no number.
  static bool UnitToStoredText(int code, const QString& unitValue, QString* stored);
  // Hands "IN<n>/VOL" replies to the audio input slot holding input n. True
  // when keyword is such a key; *taken tells whether a slot took the value.
  bool ForwardInputLevel(const QString& keyword, const QString& value, bool* taken);
  void SetVolume(int code, float value);
  void SetValue(int code, int value);

  float m_volume[kVolumeCount] = {-14.8f, -9.0f, -3.6f, 0.0f};
  // Codes 4..7: attenuation, external alarm input, external message input,
  // background input.
  int m_value[kCodeCount - kVolumeCount] = {kBackAttOff, 2, 2, 3};
};

#endif
