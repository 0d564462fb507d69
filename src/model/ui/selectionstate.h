#ifndef SELV_MODEL_UI_SELECTIONSTATE_H
#define SELV_MODEL_UI_SELECTIONSTATE_H

#include "model/cselectionprovider.h"

#include <QString>

#include <cstdint>
#include <vector>

class CSelvantisDoc;

// What the selection dialog hands back after OK.
struct SelectionResult {
  int number = 0;
  int type = 0;
  int value = 0;
  int channel = 0;
  uint32_t bits = 0;
  QString selection;
};

// The decisions of the selection dialog: the choices of a request, which of
// them start out chosen, what the user may confirm, and the result. The
// dialog only mirrors it.
class SelectionState final {
 public:
  explicit SelectionState(const CSelectionProvider& providers = CSelectionProvider::Global());

  // Asks the kind's provider for the choices and marks the ones that match
  // the request: those the provider marked; otherwise, one choice (several
  // when several are allowed) whose text equals the request's text (the
  // texts separated by the list's separator), or else the choice whose
  // number is the request's current number. A list that always allows
  // several choices makes the request one for several.
  void Load(const CSelvantisDoc* doc, const SelectionRequest& request);

  const SelectionRequest& Request() const noexcept { return m_request; }
  const SelectionList& List() const noexcept { return m_list; }
  int RowCount() const { return static_cast<int>(m_list.choices.size()); }
  bool HasProvider() const noexcept { return m_hasProvider; }

  bool IsChosen(int row) const;
  // Chooses or unchooses a row; with a single choice, choosing a row
  // unchooses the others. Rows outside the list are ignored.
  void SetChosen(int row, bool chosen);
  void SetChosenRows(const std::vector<int>& rows);
  std::vector<int> ChosenRows() const;

  // OK needs one chosen row when only one choice is allowed; with several,
  // choosing none is an answer too ("none of them"). A kind without
  // provider gives no answer at all.
  bool CanAccept() const;
  // The result of the chosen rows: one row gives its number, target and
  // bits; several give the OR of their bits as number and bits, the target of
  // the first, and their texts joined (or the list's own formatting).
  SelectionResult Result() const;

 private:
  void Preselect();

  const CSelectionProvider& m_providers;
  SelectionRequest m_request;
  SelectionList m_list;
  std::vector<bool> m_chosen;
  bool m_hasProvider = false;
};

#endif
