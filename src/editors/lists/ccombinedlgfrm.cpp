#include "editors/lists/ccombinedlgfrm.h"

#include "editors/lists/ccombinedlgview.h"

CCombineDlgFrm::CCombineDlgFrm(const HostFrameContext& context, QWidget* parent)
    : CEntryListFrame(context, entrylists::kCombine, parent), m_combineView(new CCombineDlgView(context.doc, this)) {
  SetView(m_combineView);
}

SELV_REGISTER_HOST_FRAME(HostFrameKind::CombineConditions, CCombineDlgFrm)
