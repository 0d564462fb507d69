#include "editors/lists/clogicoutdlgfrm.h"

#include "editors/lists/clogicoutdlgview.h"
#include "editors/lists/logicoutlistmodel.h"

CLogicOutDlgFrm::CLogicOutDlgFrm(const HostFrameContext& context, QWidget* parent)
    : CEntryListFrame(context, LogicOutListModel::kKind, parent),
      m_logicOutView(new CLogicOutDlgView(context.doc, this)) {
  SetView(m_logicOutView);
}

SELV_REGISTER_HOST_FRAME(HostFrameKind::LogicOutputs, CLogicOutDlgFrm)
