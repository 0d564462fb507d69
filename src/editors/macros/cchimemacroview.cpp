#include "editors/macros/cchimemacroview.h"

#include "macros/cmacro.h"
#include "model/devicetype.h"

namespace {

CZoneSwitchMacroView::Layout MakeLayout() {
  CZoneSwitchMacroView::Layout layout;
  layout.description = CChimeMacroView::tr("Chime signal is switched to selected zones/groups");
  layout.onRow = CChimeMacroView::tr("Chime ON");
  layout.offRow = CChimeMacroView::tr("Chime OFF");
  layout.hideOffRow = true;
  layout.signalLabel = CChimeMacroView::tr("Chime");
  layout.signalType = DT_CHIMESIGNAL;
  layout.signalParam = CMacro::P_CHIME_SIGNAL;
  layout.priority = true;
  layout.input = false;
  layout.modes = false;
  return layout;
}

}  // namespace

CChimeMacroView::CChimeMacroView(CMacroDlgFrm* frame, QWidget* parent)
    : CZoneSwitchMacroView(frame, MakeLayout(), parent) {}

SELV_REGISTER_MACRO_STEP_VIEW(CChimeMacroView)
