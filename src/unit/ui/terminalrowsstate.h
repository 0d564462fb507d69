#ifndef SELV_UNIT_UI_TERMINALROWSSTATE_H
#define SELV_UNIT_UI_TERMINALROWSSTATE_H

class CBaseDevice;
class QString;

// What a slot dialog's terminal rows read and change: per input and output
// row a box and a name. The slot's own state class holds the rows and runs
// OK; CTerminalSlotDlg maps them to the controls.
class TerminalRowsState {
 public:
  // Reads the rows from the slot.
  virtual void Load() = 0;
  virtual bool IsTicked(bool output, int row) const = 0;
  virtual QString Text(bool output, int row) const = 0;
  // A box ticked or cleared by the user.
  virtual void Tick(bool output, int row, bool checked) = 0;
  // The user typed in the edit of a row.
  virtual void SetText(bool output, int row, const QString& text) = 0;
  // The object leaves the document: no row points at it any more.
  virtual void Forget(const CBaseDevice* object) = 0;

 protected:
  TerminalRowsState() = default;
  ~TerminalRowsState() = default;
  TerminalRowsState(const TerminalRowsState&) = delete;
  TerminalRowsState& operator=(const TerminalRowsState&) = delete;
};

#endif
