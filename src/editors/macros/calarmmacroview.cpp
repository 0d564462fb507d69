#include "editors/macros/calarmmacroview.h"

#include "macros/cmacro.h"
#include "model/devicetype.h"

namespace {

CZoneSwitchMacroView::Layout MakeLayout() {
  CZoneSwitchMacroView::Layout layout;
  layout.description = CAlarmMacroView::tr("Alarm signal is switched to selected zones/groups");
  layout.onRow = CAlarmMacroView::tr("Alarm ON");
  layout.offRow = CAlarmMacroView::tr("Alarm OFF");
  layout.hideOffRow = false;
  layout.signalLabel = CAlarmMacroView::tr("Alarm");
  layout.signalType = DT_ALARMSIGNAL;
  layout.signalParam = CMacro::P_ALARM_SIGNAL;
  layout.priority = true;
  layout.input = false;
  layout.modes = true;
  return layout;
}

}  // namespace

CAlarmMacroView::CAlarmMacroView(CMacroDlgFrm* frame, QWidget* parent)
    : CZoneSwitchMacroView(frame, MakeLayout(), parent) {}

SELV_REGISTER_MACRO_STEP_VIEW(CAlarmMacroView)
