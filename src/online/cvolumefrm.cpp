#include "online/cvolumefrm.h"

#include "online/cvolumeview.h"

CVolumeFrm::CVolumeFrm(const HostFrameContext& context, QWidget* parent) : CServiceFrame(context, parent) {
  setObjectName(QStringLiteral("CVolumeFrm"));
  CreateBars(0, {}, {});
  m_view = new CVolumeView(GetDocument(), this);
  SetForm(m_view);
  m_view->OnInitialUpdate();
}

SELV_REGISTER_HOST_FRAME(HostFrameKind::Volumes, CVolumeFrm)
