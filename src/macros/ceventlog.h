#ifndef SELV_MACROS_CEVENTLOG_H
#define SELV_MACROS_CEVENTLOG_H

#include "model/cbasedevice.h"

#include <QString>

#include <array>
#include <cstdint>

class CSelvantisDoc;

// The project's event-log settings (one per project, identifier 1, path
// "/EVENT/LOG"): which events the unit writes to its log, as six mask texts:
// the general mask (category keywords such as AUDIO, FAULT, MACRO, POWER) and
// the details of the audio signals, faults, macros, ready inputs and virtual
// controllers. Every mask is "NONE" until set.
class CEventLog final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CEventLog)

 public:
  // Mask indexes of GetParamText / SetParamText.
  enum Index : int {
    I_GENERAL = 0,
    I_AUDIO = 1,
    I_FAULT = 2,
    I_MACRO = 3,
    I_READYINP = 4,
    I_AUDIO_TEXT = 5,
    I_FAULT_TEXT = 6,
    I_MACRO_TEXT = 7,
    I_READYINP_TEXT = 8,
    I_VIRTCTRL = 9,
    I_VIRTCTRL_TEXT = 10,
  };
  // Audio bits of SetMaskBits(1, ...).
  enum AudioBit : uint32_t {
    AB_ALARM = 0x01,
    AB_CHIME = 0x02,
    AB_MESSAGE = 0x04,
    AB_PAGE1 = 0x08,
    AB_PAGE2 = 0x10,
    AB_PAGE3 = 0x20,
    AB_PAGE4 = 0x40,
    AB_BPROG = 0x80,
  };
  // Fault-source bits of SetMaskBits(2, ...): those of the collective fault
  // (0x001 UNKNOWN .. 0x400 ZONEGNDFLT) and 0x800 LAN.
  static constexpr uint32_t kFaultLan = 0x800;
  static constexpr int kStepCount = 6;

  CEventLog();

  void Serialize(CArchive& ar) override;

  // 0..4 and 9 the masks; 5, 6, 7, 8, 10 the display texts of the audio,
  // fault, macro, ready-input and virtual-controller details ("All" for ALL,
  // "No entry" for NONE); empty for other indexes.
  void GetParamText(QString* out, int index) const;
  QString GetParamText(int index) const;
  // 0..4 and 9 store the text (empty: "NONE"); 7, 8 and 10 take a selection
  // text for the macro, ready-input and virtual-controller mask: "All",
  // "No entry" or a range list of identifiers (a text that is none of these
  // leaves the mask as it was). Nothing for other indexes.
  void SetParamText(int index, const QString& text, int reserved = 0);
  // which 1: the audio mask from the audio bits; 2: the fault mask from the
  // fault-source bits; "NONE" when no bit is set.
  void SetMaskBits(int which, uint32_t bits, int reserved = 0);
  // The bits the audio (1) or fault (2) mask names.
  uint32_t GetMaskBits(int which) const;

  // Six lines: "/MASK/ON", "/MASK/AUDIO/ON", "/MASK/MACRO/ON",
  // "/MASK/FAULT/ON", "/MASK/READYINP/ON", "/MASK/VIRTCTRL/ON".
  int Download(bool bQuery, int nStep) override;
  bool Upload(const QString& line, QString& errorFilePath, int mode) override;

  static CEventLog* Find(const CSelvantisDoc* doc);

 protected:
  QString BuildCommandPath() const override;

 private:
  static int Slot(int index);

  std::array<QString, 6> m_masks;
};

#endif
