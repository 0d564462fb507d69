#ifndef SELV_MODEL_CCMDUI_H
#define SELV_MODEL_CCMDUI_H

#include "model/cmenudata.h"

#include <QString>

// The state of one command's user interface (menu item, toolbar button) as an
// object's OnUpdateCommandUI sets it. The shell creates one per command, asks
// the object and applies what was set; a field nobody set keeps the default.
class CCmdUI final {
 public:
  explicit CCmdUI(int id) : m_nID(id) {}

  int GetID() const noexcept { return m_nID; }

  void Enable(bool enable = true) {
    m_bEnabled = enable;
    m_bEnableSet = true;
  }
  void SetCheck(int check = 1) {
    m_nCheck = check;
    m_bCheckSet = true;
  }
  void SetText(const QString& text) {
    m_strText = text;
    m_bTextSet = true;
  }

  bool IsEnabled() const noexcept { return m_bEnabled; }
  int GetCheck() const noexcept { return m_nCheck; }
  const QString& GetText() const noexcept { return m_strText; }
  bool WasEnableSet() const noexcept { return m_bEnableSet; }
  bool WasCheckSet() const noexcept { return m_bCheckSet; }
  bool WasTextSet() const noexcept { return m_bTextSet; }

  // Copies what was set into a menu item.
  void ApplyTo(CMenuItem& item) const;

 private:
  int m_nID;
  bool m_bEnabled = true;
  int m_nCheck = 0;
  QString m_strText;
  bool m_bEnableSet = false;
  bool m_bCheckSet = false;
  bool m_bTextSet = false;
};

#endif
