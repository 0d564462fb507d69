#include "editors/macros/cpagemacroview.h"

#include "macros/cmacro.h"
#include "model/devicetype.h"

namespace {

CZoneSwitchMacroView::Layout MakeLayout() {
  CZoneSwitchMacroView::Layout layout;
  layout.description = CPageMacroView::tr("Audio input is switched to selected zones/groups");
  layout.onRow = CPageMacroView::tr("Announcement ON");
  layout.offRow = CPageMacroView::tr("Announcement OFF");
  layout.hideOffRow = false;
  layout.signalLabel = CPageMacroView::tr("Pre-chime");
  layout.signalType = DT_CHIMESIGNAL;
  layout.signalParam = CMacro::P_PRECHIME;
  layout.priority = true;
  layout.input = true;
  layout.modes = true;
  return layout;
}

}  // namespace

CPageMacroView::CPageMacroView(CMacroDlgFrm* frame, QWidget* parent)
    : CZoneSwitchMacroView(frame, MakeLayout(), parent) {}

SELV_REGISTER_MACRO_STEP_VIEW(CPageMacroView)
