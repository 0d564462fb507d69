#include "editors/lists/cweekdlgfrm.h"

#include "editors/lists/calendarlistkinds.h"
#include "editors/lists/cweekdlgview.h"

#include <QAction>
#include <QToolBar>

CWeekDlgFrm::CWeekDlgFrm(const HostFrameContext& context, QWidget* parent)
    : CEntryListFrame(context, calendarlists::kWeek, parent), m_weekView(new CWeekDlgView(context.doc, this)) {
  // The list has no New and Delete: their places on the bar stay empty.
  if (auto* bar = findChild<QToolBar*>(QStringLiteral("listBar"))) {
    for (QAction* action : bar->actions()) {
      if (action->isSeparator()) bar->removeAction(action);
    }
  }
  SetView(m_weekView);
}

SELV_REGISTER_HOST_FRAME(HostFrameKind::WeekPrograms, CWeekDlgFrm)
