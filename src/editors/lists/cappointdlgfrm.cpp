#include "editors/lists/cappointdlgfrm.h"

#include "editors/lists/calendarlistkinds.h"
#include "editors/lists/cappointdlgview.h"

CAppointDlgFrm::CAppointDlgFrm(const HostFrameContext& context, QWidget* parent)
    : CEntryListFrame(context, calendarlists::kAppoint, parent), m_appointView(new CAppointDlgView(context.doc, this)) {
  SetView(m_appointView);
  // Unlike most lists, the appointments' transfer buttons are kept up to
  // date with the link.
  FollowLinkWithTransfers();
}

SELV_REGISTER_HOST_FRAME(HostFrameKind::Appointments, CAppointDlgFrm)
