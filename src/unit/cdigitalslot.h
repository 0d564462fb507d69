#ifndef SELV_UNIT_CDIGITALSLOT_H
#define SELV_UNIT_CDIGITALSLOT_H

#include "model/cbasedevice.h"

#include <QString>

class CControlPad;

// Slot 5 of the central unit: an optional control module with eight digital
// inputs and eight digital outputs ("Slot5"). One fixed, locked block per
// project. The pins are the module's terminals; each used terminal is wired
// to a control pad of its own, which the rest of the system links to. The
// pins-shown flag says whether the module is fitted. The slot owns nothing:
// its pads are objects of the document.
class CDigitalSlot final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CDigitalSlot)

 public:
  static constexpr int kSchema = 2;
  static constexpr int kKind = 1;
  static constexpr int kMenuId = 228;
  static constexpr int kPins = 8;
  // Drawn size and place of the block on a new project's canvas.
  static constexpr int kLeft = 1933;
  static constexpr int kTop = 2468;
  static constexpr int kWidth = 230;
  static constexpr int kHeight = 160;
  // Records before schema 2 were drawn this much higher.
  static constexpr int kOldRecordShiftY = 20;
  // The bounding rectangle reaches this far beyond the pins on both sides.
  static constexpr int kBoundWiden = 5;
  // A pad for an output is placed this far right of the pin.
  static constexpr int kOutputPadOffset = 20;

  enum CommandId : int {
    ID_EMPTY_SLOT = 33008,      // "Make this slot empty"
    ID_FIT_MODULE = 33009,      // "Put 8 x digital I/O into this slot"
    ID_NEW_INPUT_PAD = 33020,   // "Input"
    ID_NEW_OUTPUT_PAD = 33021,  // "Output"
  };
  enum StringId : uint32_t {
    IDS_MODULE_NAME = 34138,       // "8 I/O Control module"
    IDS_SLAVE_CLOCK_PIN = 34361,   // "SC"
    IDS_SELECT_PIN_FIRST = 34465,  // "Please select first an output !"
    IDS_SLAVE_CLOCK = 34091,       // "Slave clock"
  };

  CDigitalSlot();

  // The project's digital slot, or null.
  static CDigitalSlot* Find(CSelvantisDoc* doc);
  // Creates the slot of the default system when the document has none.
  static CDigitalSlot* EnsureIn(CSelvantisDoc& doc);

  void Serialize(CArchive& ar) override;
  // Base registration (the slot gets no command path), then the pin labels:
  // IN1..IN8, and SC, OUT2..OUT8.
  bool RegisterPath() override;
  // Records before schema 2 move down by kOldRecordShiftY.
  int OnAfterLoad() override;
  void CalcBoundingRect() override;

  // Module fitted (pins shown) or slot empty.
  bool IsFitted() const noexcept { return ArePinsShown(); }
  // Emptying is refused while any pad is connected; true when the state is
  // as asked afterwards.
  bool SetFitted(bool fitted);
  bool HasConnections() const { return !GetInputConnections().empty() || !GetOutputConnections().empty(); }

  // The context menu works on the pins under the cursor when it opened:
  // BuildContextMenu takes them, the pin commands use them.
  void BuildContextMenu(CMenuData& menu) override;
  void OnUpdateCommandUI(CCmdUI& cmdUI) override;
  bool OnCommand(int id) override;
  int GetMenuInputPin() const noexcept { return m_nMenuInPin; }
  int GetMenuOutputPin() const noexcept { return m_nMenuOutPin; }
  // Takes the pins the pin commands act on (normally the highlighted pins
  // when the menu opens); a pin outside 0..7 counts as none.
  void SetMenuPins(int inputPin, int outputPin);

  // Creates the pad of an input or output pin and wires it; an output pin
  // wins over an input pin. No pin: message 34465, no pad. Null as well
  // while the slot is empty, when the pin already has a connection or when
  // the pad pool is full.
  CControlPad* CreatePad(int inputPin, int outputPin);

  // Runs the properties dialog only while the module is fitted; redraws
  // after OK.
  bool ShowProperties() override;
  int GetReportColumns(std::vector<ReportColumn>& columns) const override;
  int GetReportLine(QStringList& cells, bool bHeader) const override;

 private:
  bool IsPinFree(bool output, int pin) const;

  int m_nMenuInPin = -1;
  int m_nMenuOutPin = -1;
};

#endif
