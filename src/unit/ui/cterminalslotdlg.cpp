#include "unit/ui/cterminalslotdlg.h"

#include "model/cbasedevice.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"
#include "unit/ui/terminaledit.h"
#include "unit/ui/terminalrowsstate.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QSignalBlocker>

CTerminalSlotDlg::CTerminalSlotDlg(unsigned templateId, CBaseDevice& slot, TerminalRowsState& state, int rows,
                                   QWidget* parent)
    : CResizableDialog(templateId, parent), m_slot(&slot), m_state(state) {
  // Row by row, input before output, the order the keyboard walks them.
  for (int row = 0; row < rows; ++row) {
    auto* inputCheck = new QCheckBox(this);
    inputCheck->setObjectName(ChildName("inputCheck", row));
    auto* inputEdit = new QLineEdit(this);
    inputEdit->setObjectName(ChildName("inputName", row));
    auto* outputCheck = new QCheckBox(this);
    outputCheck->setObjectName(ChildName("outputCheck", row));
    auto* outputEdit = new QLineEdit(this);
    outputEdit->setObjectName(ChildName("outputName", row));
    m_inputChecks.push_back(inputCheck);
    m_inputEdits.push_back(inputEdit);
    m_outputChecks.push_back(outputCheck);
    m_outputEdits.push_back(outputEdit);
  }
  for (bool output : {false, true}) {
    for (int row = 0; row < rows; ++row) {
      // toggled, so that a box changed from the keyboard counts as well.
      connect(Check(output, row), &QCheckBox::toggled, this,
              [this, output, row](bool checked) { OnTicked(output, row, checked); });
      connect(Edit(output, row), &QLineEdit::textEdited, this,
              [this, output, row](const QString& text) { m_state.SetText(output, row, text); });
    }
  }

  if (CSelvantisDoc* doc = slot.GetDocument()) {
    connect(doc, &CSelvantisDoc::objectAboutToBeRemoved, this, &CTerminalSlotDlg::OnObjectRemoved);
    connect(doc, &CSelvantisDoc::aboutToClear, this, [this] { OnObjectRemoved(m_slot); });
  }
}

QString CTerminalSlotDlg::ChildName(const char* kind, int index) { return QLatin1String(kind) + Fmt("%d", index); }

QDialogButtonBox* CTerminalSlotDlg::CreateButtons() {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &CTerminalSlotDlg::OnOK);
  connect(buttons, &QDialogButtonBox::rejected, this, &CTerminalSlotDlg::reject);
  return buttons;
}

bool CTerminalSlotDlg::OnInitDialog() {
  if (m_slot == nullptr) return false;
  m_state.Load();
  for (bool output : {false, true}) {
    const std::vector<QCheckBox*>& checks = output ? m_outputChecks : m_inputChecks;
    for (int row = 0; row < static_cast<int>(checks.size()); ++row) {
      const bool ticked = m_state.IsTicked(output, row);
      {
        // Filling is not the user's tick.
        const QSignalBlocker blocker(Check(output, row));
        Check(output, row)->setChecked(ticked);
      }
      Edit(output, row)->setText(m_state.Text(output, row));
      Edit(output, row)->setEnabled(ticked);
    }
  }
  FillOthers();
  return CResizableDialog::OnInitDialog();
}

void CTerminalSlotDlg::OnTicked(bool output, int row, bool checked) {
  m_state.Tick(output, row, checked);
  ShowTickedTerminal(Edit(output, row), m_state.Text(output, row), checked);
  if (!checked && m_slot != nullptr) m_slot->Invalidate();
}

void CTerminalSlotDlg::OnObjectRemoved(CBaseDevice* object) {
  if (object == nullptr) return;
  if (object == m_slot) {
    m_slot = nullptr;
    if (result() != QDialog::Accepted) reject();
    return;
  }
  m_state.Forget(object);
}

void CTerminalSlotDlg::OnOK() {
  if (m_slot == nullptr) {
    reject();
    return;
  }
  QDialog::accept();
  ApplyChanges();
}
