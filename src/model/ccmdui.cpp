#include "model/ccmdui.h"

void CCmdUI::ApplyTo(CMenuItem& item) const {
  if (m_bEnableSet) item.enabled = m_bEnabled;
  if (m_bCheckSet) item.checked = m_nCheck;
  if (m_bTextSet) item.text = m_strText;
}
