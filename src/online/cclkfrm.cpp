#include "online/cclkfrm.h"

#include "online/cclkview.h"

CClkFrm::CClkFrm(const HostFrameContext& context, QWidget* parent) : CServiceFrame(context, parent) {
  setObjectName(QStringLiteral("CClkFrm"));
  CreateBars(0, {}, {});
  m_view = new CClkView(GetDocument(), this);
  SetForm(m_view);
  m_view->OnInitialUpdate();
}

SELV_REGISTER_HOST_FRAME(HostFrameKind::Clock, CClkFrm)
