#include "editors/lists/cbusydlgfrm.h"

#include "editors/lists/cbusydlgview.h"

CBusyDlgFrm::CBusyDlgFrm(const HostFrameContext& context, QWidget* parent)
    : CEntryListFrame(context, entrylists::kBusy, parent), m_busyView(new CBusyDlgView(context.doc, this)) {
  SetView(m_busyView);
}

SELV_REGISTER_HOST_FRAME(HostFrameKind::BusyConditions, CBusyDlgFrm)
