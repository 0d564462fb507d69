#ifndef SELV_UNIT_UI_DIGITALSLOTDLGSTATE_H
#define SELV_UNIT_UI_DIGITALSLOTDLGSTATE_H

#include "unit/ui/terminalrowsstate.h"

#include <QString>

#include <array>

class CBaseDevice;
class CDigitalSlot;

// What the digital slot dialog shows and what its OK does: the eight input
// and eight output terminals, each with the pad wired to it when the dialog
// opened and the name in its edit. A terminal has a name exactly when a pad
// hangs on it, so OK creates, renames and deletes pads; nothing changes in
// the project before Apply. Holds the pads as pointers; the dialog calls
// Forget when the document announces a removal.
class DigitalSlotDlgState final : public TerminalRowsState {
 public:
  static constexpr int kTerminals = 8;

  // One terminal; terminal n (1..8) is pin n - 1 of the slot.
  struct Terminal {
    CBaseDevice* pad = nullptr;  // wired when the dialog opened
    QString text;                // the edit
    bool checked = false;        // the box; the edit is enabled with it
    bool touched = false;        // the user changed the box or the edit
  };

  explicit DigitalSlotDlgState(CDigitalSlot& slot);
  DigitalSlotDlgState(const DigitalSlotDlgState&) = delete;
  DigitalSlotDlgState& operator=(const DigitalSlotDlgState&) = delete;

  CDigitalSlot& Slot() const { return m_slot; }

  // Reads the pads from the slot's connection lists.
  void Load() override;
  // Runs the changes of the terminals the user touched, inputs 1..8 then
  // outputs 1..8 (an untouched terminal keeps its pad even when that has no
  // name).
  void Apply();

  // Pins outside 0..7 read as an empty terminal.
  const Terminal& Input(int pin) const;
  const Terminal& Output(int pin) const;
  bool IsTicked(bool output, int pin) const override { return (output ? Output(pin) : Input(pin)).checked; }
  QString Text(bool output, int pin) const override { return (output ? Output(pin) : Input(pin)).text; }
  // A box ticked or cleared: ticked gives the edit the default name, cleared empties
  // it. Pins outside 0..7 are ignored.
  void Tick(bool output, int pin, bool checked) override;
  // The user typed in the edit of a terminal.
  void SetText(bool output, int pin, const QString& text) override;
  // What a ticked terminal proposes: "Input 3", "Output 5", and "Slave
  // clock" for output 1.
  static QString DefaultText(bool output, int pin);

  // The pad leaves the document: no terminal points at it any more.
  void Forget(const CBaseDevice* pad) override;

 private:
  static bool IsPin(int pin) { return pin >= 0 && pin < kTerminals; }
  Terminal* At(bool output, int pin);
  void ApplyTerminal(bool output, int pin);

  CDigitalSlot& m_slot;
  std::array<Terminal, kTerminals> m_inputs;
  std::array<Terminal, kTerminals> m_outputs;
};

#endif
