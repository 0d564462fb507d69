#ifndef SELV_UNIT_UI_CTERMINALSLOTDLG_H
#define SELV_UNIT_UI_CTERMINALSLOTDLG_H

#include "shell/controls/cresizabledialog.h"

#include <vector>

class CBaseDevice;
class QCheckBox;
class QDialogButtonBox;
class QLineEdit;
class TerminalRowsState;

// A slot dialog that names the terminals of its module: per input and output
// row a tick box and a name edit (objects "inputCheck<row>",
// "inputName<row>", "outputCheck<row>", "outputName<row>"), with OK and
// Cancel. A tick proposes a name, clearing it empties the name; nothing
// changes in the project until OK. Should the slot go while the dialog is
// open, the dialog closes as cancelled. The derived dialog lays the rows
// out and runs its state's changes.
class CTerminalSlotDlg : public CResizableDialog {
  Q_OBJECT

 public:
  // Closes the dialog and runs the changes.
  void OnOK();
  void accept() override { OnOK(); }

 protected:
  // Creates the boxes and edits of the rows. The state may be a member of
  // the derived dialog: it is used only once the dialog is constructed.
  CTerminalSlotDlg(unsigned templateId, CBaseDevice& slot, TerminalRowsState& state, int rows, QWidget* parent);

  QCheckBox* Check(bool output, int row) const { return (output ? m_outputChecks : m_inputChecks)[row]; }
  QLineEdit* Edit(bool output, int row) const { return (output ? m_outputEdits : m_inputEdits)[row]; }
  // "<kind><index>", the object name of a control.
  static QString ChildName(const char* kind, int index);
  // Creates OK and Cancel; called once the dialog's own controls exist so
  // that the keyboard reaches them first.
  QDialogButtonBox* CreateButtons();

  // Loads the state and fills the rows, then the rest through FillOthers.
  bool OnInitDialog() override;
  // Fills the controls beyond the rows.
  virtual void FillOthers() {}
  // OK: runs the state's changes.
  virtual void ApplyChanges() = 0;

 private:
  void OnTicked(bool output, int row, bool checked);
  void OnObjectRemoved(CBaseDevice* object);

  CBaseDevice* m_slot;
  TerminalRowsState& m_state;
  std::vector<QCheckBox*> m_inputChecks;
  std::vector<QLineEdit*> m_inputEdits;
  std::vector<QCheckBox*> m_outputChecks;
  std::vector<QLineEdit*> m_outputEdits;
};

#endif
