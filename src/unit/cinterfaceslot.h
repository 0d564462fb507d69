#ifndef SELV_UNIT_CINTERFACESLOT_H
#define SELV_UNIT_CINTERFACESLOT_H

#include "model/cbasedevice.h"

#include <QRect>
#include <QString>

#include <functional>

class CSelvantisDoc;

// The central unit's interface slot: the external control connections (PC
// port, DCF 77 time signal, two control inputs, the 24 V supply; the ready,
// monitor and remote outputs) as the pins of one fixed block. What hangs on
// a connector is another object (a control pad or an audio input device)
// that the slot's menu or dialog creates and wires to the pin. The slot has
// no settings and sends nothing.
class CInterfaceSlot final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CInterfaceSlot)

 public:
  static constexpr int kMenuId = 230;
  // Input pins.
  enum InputPin : int { IN_RS232 = 0, IN_DCF77 = 1, IN_INP1 = 2, IN_INP2 = 3, IN_POWER = 4 };
  static constexpr int kInputs = 5;
  // Records of the first schema have no "POWER 24V" input.
  static constexpr int kOldInputs = 4;
  // Output pins.
  enum OutputPin : int { OUT_READY = 0, OUT_MONITOR = 1, OUT_REMOTE = 2 };
  static constexpr int kOutputs = 3;
  // How far the bounding rectangle reaches beyond the block on each side,
  // and how much taller an old block gets for its fifth input.
  static constexpr int kBoundMargin = 5;
  static constexpr int kPowerPinGrowth = 20;

  // Commands of the pin items.
  enum Command : int {
    ID_DCF77 = 33024,    // "DCF77 receiver"
    ID_INP1 = 33025,     // "INP1"
    ID_READY = 33026,    // "READY"
    ID_MONITOR = 33027,  // "Monitor" (check item)
    ID_PC = 33028,       // "PC" (check item)
    ID_REMOTE = 33029,   // "REMOTE" (never enabled)
    ID_RTP3004 = 33100,  // power supply, 4 A
    ID_RTP3012 = 33101,  // power supply, 12 A
    ID_INP2 = 33181,     // "INP2"
  };
  static bool IsPinCommand(int id);

  // What the properties dialog ended with: accepted or not, and a power
  // supply to create (33100 or 33101; 0 for none).
  struct DialogOutcome {
    bool accepted = false;
    int createCommand = 0;
  };
  // The properties dialog lives in the widget library; without a hook
  // nothing opens. Returns the hook set before.
  using PropertiesDialogHook = std::function<DialogOutcome(CInterfaceSlot& slot)>;
  static PropertiesDialogHook SetPropertiesDialogHook(PropertiesDialogHook hook);

  CInterfaceSlot();

  void Serialize(CArchive& ar) override;
  // The base registration, then the pin names.
  bool RegisterPath() override;
  // Gives a block of the first schema its fifth input ("POWER 24V"): the
  // pins are laid out again on a block 20 units taller. Newer records stay
  // as loaded.
  int OnAfterLoad() override;
  // The block's rectangle widened by kBoundMargin left and right, so the
  // pins' labels and squares stay inside it.
  void CalcBoundingRect() override;

  // Names input pins 0..3 "RS232", "DCF 77", "INP1", "INP2", and pin 4
  // "POWER 24V" when count is above 4.
  void SetInputPinNames(int count);

  // Keeps the pins under the cursor as the menu opens (the cursor leaves
  // them for the menu) and adds the items of those pins.
  void BuildContextMenu(CMenuData& menu) override;
  // The states of the pin items by the pins the menu opened on.
  void OnUpdateCommandUI(CCmdUI& cmdUI) override;
  // 33002 shows the properties; the pin items act on the pins the menu
  // opened on (nothing when no pin was under the cursor).
  bool OnCommand(int id) override;
  // Runs a pin command on the given pins (-1: none) instead of the ones the
  // menu opened on. True when something was created or removed.
  bool OnPinCommand(int id, int inputPin, int outputPin);
  // The state of a pin command on the given pins.
  void UpdatePinCommand(CCmdUI& cmdUI, int inputPin, int outputPin) const;
  // Runs the properties dialog; when it ends with OK and asks for a power
  // supply, creates it on "POWER 24V".
  bool ShowProperties() override;

  // The pins the last menu opened on (-1: none).
  int GetMenuInputPin() const noexcept { return m_nMenuInPin; }
  int GetMenuOutputPin() const noexcept { return m_nMenuOutPin; }
  // Where an object attached to a pin is placed on the canvas.
  QRect AttachRect(bool output, int pin, const QSize& size) const;

  // The project's interface slot, or null.
  static CInterfaceSlot* Find(const CSelvantisDoc* doc);
  // Creates it when the project has none ("Interface", right of the slots).
  static CInterfaceSlot* EnsureIn(CSelvantisDoc& doc);
  static QRect DefaultRect();

 private:
  bool IsInputPin(int pin) const { return pin >= 0 && pin < GetInputCount(); }
  bool IsOutputPin(int pin) const { return pin >= 0 && pin < GetOutputCount(); }
  bool AttachControlPad(int command, int inputPin, int outputPin);
  bool ToggleMonitor(int outputPin);
  bool TogglePC(int inputPin);
  bool AttachPowerSupply(int kind);
  // Takes the object off the slot and deletes it.
  void RemoveAttached(CBaseDevice* object);

  int m_nMenuInPin = -1;
  int m_nMenuOutPin = -1;
};

#endif
