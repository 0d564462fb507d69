#include "shell/controls/ctooltipctrlex.h"

#include <algorithm>

CToolTipCtrlEx::CToolTipCtrlEx(QObject* parent) : QObject(parent) {}

bool CToolTipCtrlEx::AddWindowTool(QWidget* control, const QString& text) {
  if (!control) {
    return false;
  }
  // Controls destroyed since are dropped here rather than kept as dead slots.
  const auto goneOrSame = [control](const Tool& t) { return t.control.isNull() || t.control == control; };
  m_tools.erase(std::remove_if(m_tools.begin(), m_tools.end(), goneOrSame), m_tools.end());
  m_tools.push_back(Tool{control, text});
  control->setToolTip(m_active ? text : QString());
  return true;
}

void CToolTipCtrlEx::Activate(bool active) {
  m_active = active;
  for (const Tool& t : m_tools) {
    if (t.control) {
      t.control->setToolTip(active ? t.text : QString());
    }
  }
}

int CToolTipCtrlEx::GetToolCount() const {
  return static_cast<int>(
      std::count_if(m_tools.begin(), m_tools.end(), [](const Tool& t) { return !t.control.isNull(); }));
}
