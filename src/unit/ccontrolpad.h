#ifndef SELV_UNIT_CCONTROLPAD_H
#define SELV_UNIT_CCONTROLPAD_H

#include "model/cbasedevice.h"

#include <QString>

// One logical digital input or output of a card, a slot or the interface
// (a "label" of a terminal). The pad is wired to its terminal: an input pad's
// output pin 0 leads to the terminal's input, an output terminal leads to
// the pad's input pin 0, a relay pad's output pin 0 leads to its relay. The
// kind says which terminal family it belongs to; the unit names the pad by a
// keyword of that family and the terminal's number.
class CControlPad final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CControlPad)

 public:
  static constexpr int kKindDigitalInput = 34321;    // "Digital slot input"
  static constexpr int kKindDigitalOutput = 34322;   // "Digital slot output"
  static constexpr int kKindSlaveClock = 34091;      // "Slave clock"
  static constexpr int kKindDcf = 34092;             // "DCF receiver"
  static constexpr int kKindReady = 34093;           // "READY"
  static constexpr int kKindInterfaceInput = 34323;  // "Interface input"
  static constexpr int kKindKCM208 = 32796;          // relay output of a KCM208
  static constexpr int kKindKCM209 = 32797;          // relay output of a KCM209
  static constexpr int kKindKCM212 = 34136;          // input channel of a KCM212
  static constexpr int kKindKCM216 = 34263;          // KCM216 channel, not yet told apart
  static constexpr int kKindKCM216Input = 32848;     // "KCM216 Input"
  static constexpr int kKindKCM216Output = 32849;    // "KCM216 Output"
  // A KCM216 output channel sits on card input 100 + channel.
  static constexpr int kKCM216OutputPinBase = 100;

  CControlPad();

  void Serialize(CArchive& ar) override;

  // The number of the input or output the pad stands for, from its kind and
  // its terminal connection (a relay pad: the relay number); 0 when the pad
  // is not wired to a terminal.
  int GetNumber() const;
  // The unit's keyword of the pad's family ("KCM208", ...); "" for a kind
  // the unit does not address.
  QString GetKeyword() const;
  // True when the pad is of a source kind and its keyword and number match.
  bool Matches(const QString& keyword, int number) const;
  bool MatchesPadKeyword(const QString& keyword, int number) const override;

  // The kind tables.
  static QString KeywordOfKind(int kind);
  static bool IsSourceKind(int kind);
  // Pads whose signal comes into the unit (condition and ready-input sources).
  static bool IsInputKind(int kind);
  // Pads the unit switches (logic-output targets).
  static bool IsOutputKind(int kind);
  bool IsInput() const;
  bool IsOutput() const;

  QString GetToolTipText() const override;

 private:
  // The connection to the pad's terminal: the peer and the peer's pin.
  const ConnectionRecord* FindTerminal(int type) const;
  const ConnectionRecord* FindTerminalOut(int type) const;
};

#endif
