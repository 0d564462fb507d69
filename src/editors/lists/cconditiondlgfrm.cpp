#include "editors/lists/cconditiondlgfrm.h"

#include "editors/lists/cconditiondlgview.h"

CConditionDlgFrm::CConditionDlgFrm(const HostFrameContext& context, QWidget* parent)
    : CEntryListFrame(context, entrylists::kCondition, parent),
      m_conditionView(new CConditionDlgView(context.doc, this)) {
  SetView(m_conditionView);
}

SELV_REGISTER_HOST_FRAME(HostFrameKind::Conditions, CConditionDlgFrm)
