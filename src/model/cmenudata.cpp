#include "model/cmenudata.h"

#include <algorithm>

namespace {

void RemoveFrom(std::vector<CMenuItem>& items, int id) {
  items.erase(
      std::remove_if(items.begin(), items.end(),
                     [id](const CMenuItem& item) { return !item.separator && !item.IsSubmenu() && item.id == id; }),
      items.end());
  for (CMenuItem& item : items) RemoveFrom(item.submenu, id);
}

CMenuItem* FindIn(std::vector<CMenuItem>& items, int id) {
  for (CMenuItem& item : items) {
    if (!item.separator && !item.IsSubmenu() && item.id == id) return &item;
    if (CMenuItem* found = FindIn(item.submenu, id)) return found;
  }
  return nullptr;
}

}  // namespace

CMenuItem& CMenuData::AddItem(int id, const QString& text) {
  CMenuItem item;
  item.id = id;
  item.text = text;
  m_items.push_back(item);
  return m_items.back();
}

void CMenuData::AddSeparator() {
  CMenuItem item;
  item.separator = true;
  m_items.push_back(item);
}

std::vector<CMenuItem>& CMenuData::AddSubmenu(const QString& text) {
  CMenuItem item;
  item.text = text;
  m_items.push_back(item);
  return m_items.back().submenu;
}

void CMenuData::RemoveItem(int id) { RemoveFrom(m_items, id); }

CMenuItem* CMenuData::FindItem(int id) { return FindIn(m_items, id); }

const CMenuItem* CMenuData::FindItem(int id) const { return FindIn(const_cast<std::vector<CMenuItem>&>(m_items), id); }
