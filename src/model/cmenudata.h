#ifndef SELV_MODEL_CMENUDATA_H
#define SELV_MODEL_CMENUDATA_H

#include <QString>

#include <vector>

// A context menu as plain data: the shell fills it from the object's menu
// resource, the object adjusts it (BuildContextMenu, OnUpdateCommandUI) and
// the shell shows it. Command id 0 with an empty text and no submenu is a
// separator.
struct CMenuItem {
  int id = 0;
  QString text;
  bool enabled = true;
  int checked = 0;  // 0 unchecked, 1 checked, 2 indeterminate
  bool separator = false;
  std::vector<CMenuItem> submenu;

  bool IsSubmenu() const noexcept { return !submenu.empty(); }
};

class CMenuData final {
 public:
  CMenuItem& AddItem(int id, const QString& text);
  void AddSeparator();
  // Adds a submenu entry and returns its item list to fill.
  std::vector<CMenuItem>& AddSubmenu(const QString& text);
  // Removes every item with this command id (also in submenus).
  void RemoveItem(int id);
  // The first item with this command id (searching submenus), or null.
  CMenuItem* FindItem(int id);
  const CMenuItem* FindItem(int id) const;

  std::vector<CMenuItem>& Items() noexcept { return m_items; }
  const std::vector<CMenuItem>& Items() const noexcept { return m_items; }
  bool IsEmpty() const noexcept { return m_items.empty(); }

 private:
  std::vector<CMenuItem> m_items;
};

#endif
