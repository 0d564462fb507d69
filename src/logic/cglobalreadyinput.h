#ifndef SELV_LOGIC_CGLOBALREADYINPUT_H
#define SELV_LOGIC_CGLOBALREADYINPUT_H

#include "model/cbasedevice.h"

#include <QString>
#include <QStringList>

// The settings all ready inputs share (one per project, ID 1, path
// "/READYINP"): the mask time of masked signals and the 18 fault texts, of
// which the first five are the user's and the other 13 fixed device texts.
// It is also the block through which the ready inputs are transferred:
// step 0 clears, 1 the mask time, 2..6 the user texts, and 7 + 6(n-1) + f
// field f of ready input n (so ready input n owns steps 6n+1 .. 6n+6).
class CGlobalReadyInput final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CGlobalReadyInput)

 public:
  static constexpr int kMaxReadyInputs = 50;
  static constexpr int kStepCount = 7 + 6 * kMaxReadyInputs;
  static constexpr int kTextCount = 18;
  static constexpr int kUserTextCount = 5;
  static constexpr float kDefaultMaskTime = 5.0f;
  static constexpr float kMaxMaskTime = 999.9f;

  CGlobalReadyInput();

  void Serialize(CArchive& ar) override;
  int Download(bool bQuery, int nStep) override;
  bool Upload(const QString& line, QString& errorFilePath, int mode) override;

  // code = index << 16 | column: column 1 text index (0..17), "" outside;
  // column 2 the mask time "%2.1f".
  void GetColumnText(QString& out, int code) const;
  // Column 1: user text index (0..4; the device texts are fixed); column 2:
  // the mask time read with "%f" (kept within 0 .. 999.9; no number: no change).
  void SetColumnText(int code, const QString& text, int reserved = 0);
  // 0: all texts (18); 3: the user texts (5).
  int GetTextCount(int which) const;
  QString GetText(int index) const;
  float GetMaskTime() const { return m_maskTime; }

  static QString Path();
  static int FirstStepOf(int id) { return 6 * id + 1; }

 protected:
  QString BuildCommandPath() const override;

 private:
  bool SetUserText(int index, const QString& text);

  float m_maskTime = kDefaultMaskTime;
  QStringList m_userTexts;
  bool m_canClear = false;
  bool m_cleared = false;
};

#endif
