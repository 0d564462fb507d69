#include "editors/lists/canalogdlgfrm.h"

#include "editors/lists/canalogdlgview.h"

CAnalogDlgFrm::CAnalogDlgFrm(const HostFrameContext& context, QWidget* parent)
    : CEntryListFrame(context, entrylists::kAnalog, parent), m_analogView(new CAnalogDlgView(context.doc, this)) {
  SetView(m_analogView);
}

SELV_REGISTER_HOST_FRAME(HostFrameKind::AnalogConditions, CAnalogDlgFrm)
