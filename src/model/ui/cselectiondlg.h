#ifndef SELV_MODEL_UI_CSELECTIONDLG_H
#define SELV_MODEL_UI_CSELECTIONDLG_H

#include "model/cselectionprovider.h"
#include "model/ui/selectionstate.h"
#include "shell/controls/cresizabledialog.h"

#include <cstdint>

class CSelvantisDoc;
class QDialogButtonBox;
class QLabel;
class QTreeWidget;

// The shared "Selection" dialog: lists the choices of one kind (macros,
// conditions, control pads, repetition choices, ...) as the kind's provider
// gives them and hands back what the user chose.
//
//   CSelectionDlg dlg(this);
//   dlg.SetKind(32806);                 // "Macro"
//   dlg.SetSelection(cellText);
//   if (dlg.DoModal() == IDOK) entry.SetValue(3, dlg.GetResult());
class CSelectionDlg : public CResizableDialog {
  Q_OBJECT

 public:
  static constexpr unsigned kTemplateId = 498;

  explicit CSelectionDlg(QWidget* parent = nullptr, const CSelectionProvider& providers = CSelectionProvider::Global());

  // The request; set before DoModal.
  void SetKind(uint32_t kind) { m_request.kind = kind; }
  uint32_t GetKind() const noexcept { return m_request.kind; }
  void SetMultiple(bool multiple) { m_request.multiple = multiple; }
  void SetCurrent(int current);
  void SetRequest(int request) { m_request.request = request; }
  void SetSelection(const QString& text);
  // The project the choices come from; the active document unless set.
  void SetDocument(const CSelvantisDoc* doc) {
    m_doc = doc;
    m_docSet = true;
  }

  // The result after IDOK. Before that: the current number and the preset
  // text.
  int GetResult() const noexcept { return m_result.number; }
  int GetResultType() const noexcept { return m_result.type; }
  int GetResultValue() const noexcept { return m_result.value; }
  int GetResultChannel() const noexcept { return m_result.channel; }
  uint32_t GetResultBits() const noexcept { return m_result.bits; }
  QString GetSelection() const { return m_result.selection; }
  const SelectionState& State() const noexcept { return m_state; }

 public slots:
  void accept() override;

 protected:
  bool OnInitDialog() override;

 private:
  // Grows the dialog to show every choice and column (within the screen).
  void FitToChoices();
  void OnUserSelectionChanged();
  void UpdateOk();

  SelectionRequest m_request;
  SelectionState m_state;
  SelectionResult m_result;
  const CSelvantisDoc* m_doc = nullptr;
  bool m_docSet = false;
  QLabel* m_kindLabel;
  QTreeWidget* m_list;
  QDialogButtonBox* m_buttons;
};

#endif
