#ifndef SELV_UNIT_UI_INTERFACESLOTDLGSTATE_H
#define SELV_UNIT_UI_INTERFACESLOTDLGSTATE_H

#include "unit/ui/terminalrowsstate.h"

#include <QString>

#include <array>

class CBaseDevice;
class CInterfaceSlot;

// What the interface slot dialog shows and what its OK does: for each of
// four input and four output connectors the object attached when the
// dialog opened and the name in its edit (an empty name means "nothing
// attached"), and the chosen model of the 24 V power supply. Nothing in the
// project changes before Apply. Holds the attached objects as pointers; the
// dialog calls Forget when the document announces a removal.
class InterfaceSlotDlgState final : public TerminalRowsState {
 public:
  static constexpr int kRows = 4;
  // No power supply model chosen.
  static constexpr int kNoPower = -1;

  // One connector row.
  struct Row {
    CBaseDevice* object = nullptr;  // attached when the dialog opened
    QString text;                   // the edit
    bool checked = false;           // the box; the edit is enabled with it
    bool touched = false;           // the user changed the box or the edit
  };

  explicit InterfaceSlotDlgState(CInterfaceSlot& slot);
  InterfaceSlotDlgState(const InterfaceSlotDlgState&) = delete;
  InterfaceSlotDlgState& operator=(const InterfaceSlotDlgState&) = delete;

  CInterfaceSlot& Slot() const { return m_slot; }

  // Reads the attached objects and the power supply from the slot.
  void Load() override;
  // Runs the changes of the rows the user touched (an untouched row keeps
  // its object even when that has no name): renames, deletes and creates the attached objects and
  // sets the kind of an attached power supply. Returns the command that
  // creates a power supply after the dialog has closed (33100 or 33101), or
  // 0 when there is none to create.
  int Apply();

  // Rows outside 0..3 read as an empty row.
  const Row& Input(int row) const;
  const Row& Output(int row) const;
  bool IsTicked(bool output, int row) const override { return (output ? Output(row) : Input(row)).checked; }
  QString Text(bool output, int row) const override { return (output ? Output(row) : Input(row)).text; }
  // A box ticked or cleared: ticked gives the edit the row's default text, cleared
  // empties it. Rows outside 0..3 are ignored.
  void Tick(bool output, int row, bool checked) override;
  // The user typed in the edit of a row.
  void SetText(bool output, int row, const QString& text) override;

  // The pin command of a row, 0 for a row that attaches nothing.
  static int RowCommand(bool output, int row);
  // What a ticked row proposes.
  static QString DefaultText(bool output, int row);

  // 0 (RTP3004), 1 (RTP3012) or kNoPower.
  int PowerChoice() const { return m_power; }
  void ChoosePower(int choice);
  // The power supply attached when the dialog opened, or null.
  CBaseDevice* PowerSupply() const { return m_powerSupply; }

  // The object leaves the document: the rows no longer point at it.
  void Forget(const CBaseDevice* object) override;

 private:
  static bool IsRow(int row) { return row >= 0 && row < kRows; }
  Row* RowAt(bool output, int row);
  // Runs the changes of one row.
  void ApplyRow(bool output, int row);

  CInterfaceSlot& m_slot;
  std::array<Row, kRows> m_inputs;
  std::array<Row, kRows> m_outputs;
  CBaseDevice* m_powerSupply = nullptr;
  int m_power = kNoPower;
};

#endif
