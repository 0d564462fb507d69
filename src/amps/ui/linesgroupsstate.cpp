#include "amps/ui/linesgroupsstate.h"

#include "model/cbasedevice.h"
#include "model/cselvantisdoc.h"
#include "model/devicetype.h"

#include <algorithm>

bool LinesGroupsState::IsZoneOrGroup(const CBaseDevice* object) {
  return object != nullptr && (object->GetType() == DT_ZONE || object->GetType() == DT_GROUP);
}

int LinesGroupsState::ImageOf(const CBaseDevice* object) {
  return object != nullptr && object->GetType() == DT_GROUP ? 1 : 0;
}

void LinesGroupsState::Fill(const CSelvantisDoc* doc, const std::vector<CBaseDevice*>& chosen) {
  m_unused.clear();
  m_selected.clear();
  m_changed = false;
  if (doc != nullptr) {
    doc->GetIDManager().GetBaseDeviceList(m_unused, DT_ZONE);
    doc->GetIDManager().GetBaseDeviceList(m_unused, DT_GROUP);
  }
  for (CBaseDevice* object : chosen) {
    if (!IsZoneOrGroup(object)) continue;
    // A caller's list naming an object twice must not give it two rows.
    if (std::find(m_selected.begin(), m_selected.end(), object) != m_selected.end()) continue;
    m_selected.push_back(object);
    m_unused.erase(std::remove(m_unused.begin(), m_unused.end(), object), m_unused.end());
  }
}

const std::vector<CBaseDevice*>& LinesGroupsState::Rows(Side side) const {
  return side == Side::Unused ? m_unused : m_selected;
}

LinesGroupsState::MoveResult LinesGroupsState::Move(Side from, const std::vector<int>& rows) {
  MoveResult result;
  std::vector<CBaseDevice*>& source = RowsOf(from);
  std::vector<CBaseDevice*>& target = RowsOf(Other(from));
  std::vector<int> indexes;
  for (int row : rows)
    if (row >= 0 && row < static_cast<int>(source.size())) indexes.push_back(row);
  std::sort(indexes.begin(), indexes.end());
  indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
  if (indexes.empty()) return result;

  for (int row : indexes) target.push_back(source[static_cast<size_t>(row)]);
  // The row that moves up into each gap is selected (below the last row
  // there is none); its selection follows it as further rows go.
  std::vector<const CBaseDevice*> reselect;
  for (auto it = indexes.rbegin(); it != indexes.rend(); ++it) {
    source.erase(source.begin() + *it);
    if (from == Side::Unused && *it < static_cast<int>(source.size()))
      reselect.push_back(source[static_cast<size_t>(*it)]);
  }
  for (int row = 0; row < static_cast<int>(source.size()); ++row)
    if (std::find(reselect.begin(), reselect.end(), source[static_cast<size_t>(row)]) != reselect.end())
      result.reselect.push_back(row);
  result.moved = static_cast<int>(indexes.size());
  m_changed = true;
  return result;
}

void LinesGroupsState::Apply(std::vector<CBaseDevice*>& list) const {
  if (!m_changed) return;
  list = m_selected;
}

void LinesGroupsState::Forget(const CBaseDevice* object) {
  if (object == nullptr) return;
  m_unused.erase(std::remove(m_unused.begin(), m_unused.end(), object), m_unused.end());
  const size_t before = m_selected.size();
  m_selected.erase(std::remove(m_selected.begin(), m_selected.end(), object), m_selected.end());
  if (m_selected.size() != before) m_changed = true;
}
