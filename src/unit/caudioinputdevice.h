#ifndef SELV_UNIT_CAUDIOINPUTDEVICE_H
#define SELV_UNIT_CAUDIOINPUTDEVICE_H

#include "model/cbasedevice.h"

#include <QString>

class IPainter;

// An audio source outside the unit that the interface slot feeds: the PC,
// the monitor output, or a power supply. A power supply also carries the
// settings of its control signals and display texts, kept in auxiliary
// objects (conditions, logic output, triggers, macros) and reached through
// the power-supply accessors.
class CAudioInputDevice final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CAudioInputDevice)

 public:
  static constexpr int kKindPC = 0;
  static constexpr int kKindMonitor = 33027;
  static constexpr int kKindRTP3004 = 33100;
  static constexpr int kKindRTP3012 = 33101;
  // A power supply is made with this many input and output pins, in the
  // audio-device list.
  static constexpr int kPowerSupplyPins = 10;
  static constexpr int kPowerSupplyCategory = CAT_AUDIODEVICES;

  CAudioInputDevice();

  void Serialize(CArchive& ar) override;
  void Draw(IPainter& painter) override;
  QString GetToolTipText() const override;
  // A power supply opens the power-supply dialog; the other devices have
  // no properties of their own.
  bool ShowProperties() override;
  void OnUpdateCommandUI(CCmdUI& cmdUI) override;

  bool IsPowerSupply() const { return IsPowerSupplyKind(GetKind()); }
  static bool IsPowerSupplyKind(int kind) { return kind == kKindRTP3004 || kind == kKindRTP3012; }
  // "PC", "Monitor", "RTP3004", "RTP3012".
  static QString KindText(int kind);

  // Power-supply settings by index: 0 pad of the power-failure condition,
  // 1 pad of the power ON/OFF output, 2 pad of the external ON/OFF
  // condition, 3..5 LCD text set for mains/battery/standby, 9..11 their
  // console, 12 battery with charger, 13 the power-failure condition.
  int GetPowerSupplyParam(int index);
  // 6..8: the LCD text of mains, battery and standby mode.
  void GetPowerSupplyText(QString& out, int index);
  void SetPowerSupplyParam(int index, int value, int reserved);
  void SetPowerSupplyText(int index, const QString& text, int reserved);
  // Runs the power-supply dialog on this object (power supplies only).
  void ShowPowerSupplyDialog();
};

#endif
