#include "model/ui/selectionstate.h"

#include <QStringList>

SelectionState::SelectionState(const CSelectionProvider& providers) : m_providers(providers) {}

void SelectionState::Load(const CSelvantisDoc* doc, const SelectionRequest& request) {
  m_request = request;
  m_hasProvider = m_providers.Has(request.kind);
  m_list = m_providers.ListChoices(doc, request);
  if (m_list.multiple) {
    m_request.multiple = true;
  }
  m_chosen.assign(m_list.choices.size(), false);
  Preselect();
}

void SelectionState::Preselect() {
  const int count = RowCount();
  bool any = false;
  for (int row = 0; row < count; ++row) {
    if (m_list.choices[row].preselected) {
      SetChosen(row, true);
      any = true;
    }
  }
  if (any) {
    return;
  }
  const QString text = m_request.selection.trimmed();
  if (!text.isEmpty()) {
    QStringList wanted{text};
    if (m_request.multiple && !m_list.separator.isEmpty()) {
      wanted = text.split(m_list.separator, Qt::SkipEmptyParts);
      for (QString& w : wanted) {
        w = w.trimmed();
      }
    }
    for (int row = 0; row < count; ++row) {
      const SelectionChoice& c = m_list.choices[row];
      if (wanted.contains(c.SelectionText().trimmed(), Qt::CaseInsensitive) ||
          wanted.contains(c.columns.value(0).trimmed(), Qt::CaseInsensitive)) {
        SetChosen(row, true);
        any = true;
        if (!m_request.multiple) {
          return;
        }
      }
    }
  }
  if (any || m_request.multiple) {
    return;
  }
  for (int row = 0; row < count; ++row) {
    if (m_list.choices[row].number == m_request.current) {
      SetChosen(row, true);
      return;
    }
  }
}

bool SelectionState::IsChosen(int row) const { return row >= 0 && row < RowCount() && m_chosen[row]; }

void SelectionState::SetChosen(int row, bool chosen) {
  if (row < 0 || row >= RowCount()) {
    return;
  }
  if (chosen && !m_request.multiple) {
    m_chosen.assign(m_chosen.size(), false);
  }
  m_chosen[row] = chosen;
}

void SelectionState::SetChosenRows(const std::vector<int>& rows) {
  m_chosen.assign(m_chosen.size(), false);
  for (int row : rows) {
    SetChosen(row, true);
  }
}

std::vector<int> SelectionState::ChosenRows() const {
  std::vector<int> rows;
  for (int row = 0; row < RowCount(); ++row) {
    if (m_chosen[row]) {
      rows.push_back(row);
    }
  }
  return rows;
}

bool SelectionState::CanAccept() const {
  // A kind nobody offers choices for has no answer, not even "none".
  if (!m_hasProvider) {
    return false;
  }
  return m_request.multiple || ChosenRows().size() == 1;
}

SelectionResult SelectionState::Result() const {
  SelectionResult result;
  const std::vector<int> rows = ChosenRows();
  if (!m_request.multiple) {
    if (rows.size() == 1) {
      const SelectionChoice& c = m_list.choices[rows.front()];
      result.number = c.number;
      result.type = c.type;
      result.value = c.value;
      result.channel = c.channel;
      result.bits = c.bits;
      result.selection = c.SelectionText();
    }
    return result;
  }
  std::vector<const SelectionChoice*> chosen;
  QStringList texts;
  for (int row : rows) {
    const SelectionChoice& c = m_list.choices[row];
    chosen.push_back(&c);
    result.bits |= c.bits;
    texts << c.SelectionText();
  }
  result.number = static_cast<int>(result.bits);
  if (!chosen.empty()) {
    result.type = chosen.front()->type;
    result.value = chosen.front()->value;
    result.channel = chosen.front()->channel;
  }
  if (m_list.formatSelection) {
    result.selection = m_list.formatSelection(chosen);
  } else if (chosen.empty()) {
    result.selection = m_list.noneText;
  } else {
    result.selection = texts.join(m_list.separator);
  }
  return result;
}
