#ifndef SELV_UNIT_CINTERNALMESSAGEREC_H
#define SELV_UNIT_CINTERNALMESSAGEREC_H

#include "model/cbasedevice.h"

#include <QString>
#include <QStringList>

class CSelvantisDoc;

// The settings of the unit's message recorder: the input it records from,
// the output it plays to, the current message file, the maximum recording
// time, the quality, and the user's names of the 25 messages (message n at
// position n - 1). The on-line recorder window, the macro texts and the
// editors read and change it by parameter code; the low 16 bits pick the
// setting, the high 16 bits a message position. It takes no part in
// parameter transfers. One per project, identifier 1, path "/RECORDER".
class CInternalMessageRec final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CInternalMessageRec)

 public:
  // Code 1 is the file in the integer accessors and a message name in the
  // text getter; code 5 is the name in the text setter.
  enum Param : int { P_INPUT = 0, P_FILE = 1, P_NAME = 1, P_OUTPUT = 2, P_QUALITY = 3, P_MAXTIME = 4, P_SET_NAME = 5 };
  static constexpr int kMessageCount = 25;
  static constexpr int kKind = 34555;             // "Internal message recorder"
  static constexpr int kPlayMessageText = 34259;  // "Play message"
  static constexpr float kMaxTime = 360.4f;
  // The two qualities, as the unit spells them (µ is the Latin-1 byte 0xB5).
  static QString QualityLinear();
  static QString QualityMuLaw();

  // The code of message position n (0..24) for the name accessors.
  static constexpr int NameCode(int param, int position) { return param | (position << 16); }

  CInternalMessageRec();

  void Serialize(CArchive& ar) override;
  // Takes nothing.
  bool Upload(const QString& line, QString& errorFilePath, int mode) override;
  // No steps.
  int Download(bool bQuery, int nStep) override;

  // 0 input, 1 file, 2 output; 0 for other codes.
  int GetParam(int code) const;
  // 0 input, 1 file, 2 output, stored as given; other codes do nothing.
  void SetParam(int code, int value);
  // 4 the maximum time; 0.0 for other codes.
  float GetParamFloat(int code) const;
  // 4 the maximum time kept within 0.0..360.4; other codes and values that
  // are no number do nothing.
  void SetParamFloat(int code, float value);
  // By the low 16 bits: 0 "IN%d" of the input; 1 the name at position
  // code >> 16 ("" for a position outside 0..24); 2 "%d" of the output;
  // 3 the quality; 4 "%3.1f" of the maximum time; "" otherwise.
  QString GetParamText(int code) const;
  void GetParamText(QString& out, int code) const { out = GetParamText(code); }
  // By the low 16 bits: 3 the quality, only one of the two exact texts; 5
  // the name at position code >> 16 (0..24). True when something was taken.
  bool SetParamText(int code, const QString& text);
  // Null list: 0. Code 1 appends the 25 names in order; returns the list's
  // count afterwards (other codes append nothing).
  int ListChoices(int code, QStringList* list) const;

  // The default name of message n (1..25): "Play message n".
  static QString DefaultName(int message);

  // The project's recorder (identifier 1), or null.
  static CInternalMessageRec* Find(const CSelvantisDoc* doc);
  // Creates it when the project has none.
  static CInternalMessageRec* EnsureIn(CSelvantisDoc& doc);

 private:
  static int PositionOf(int code) { return static_cast<int>(static_cast<unsigned>(code) >> 16); }
  // Replaces the default names at the front by the loaded ones; positions
  // the list does not reach keep their defaults, names beyond 25 are dropped.
  void TakeNames(const QStringList& loaded);

  QStringList m_names;
  int m_input = 1;
  int m_output = 1;
  int m_file = 1;
  float m_maxTime = 0.0f;
  QString m_quality;
};

#endif
