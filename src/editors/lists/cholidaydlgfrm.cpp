#include "editors/lists/cholidaydlgfrm.h"

#include "editors/lists/calendarlistkinds.h"
#include "editors/lists/cholidaydlgview.h"

CHolidayDlgFrm::CHolidayDlgFrm(const HostFrameContext& context, QWidget* parent)
    : CEntryListFrame(context, calendarlists::kHoliday, parent), m_holidayView(new CHolidayDlgView(context.doc, this)) {
  SetView(m_holidayView);
}

SELV_REGISTER_HOST_FRAME(HostFrameKind::Holidays, CHolidayDlgFrm)
