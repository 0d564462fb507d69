#include "editors/lists/ctriggerdlgfrm.h"

#include "editors/lists/ctriggerdlgview.h"

CTriggerDlgFrm::CTriggerDlgFrm(const HostFrameContext& context, QWidget* parent)
    : CEntryListFrame(context, entrylists::kTrigger, parent), m_triggerView(new CTriggerDlgView(context.doc, this)) {
  SetView(m_triggerView);
}

SELV_REGISTER_HOST_FRAME(HostFrameKind::Triggers, CTriggerDlgFrm)
