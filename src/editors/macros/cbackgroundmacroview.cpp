#include "editors/macros/cbackgroundmacroview.h"

namespace {

CZoneSwitchMacroView::Layout MakeLayout() {
  CZoneSwitchMacroView::Layout layout;
  layout.description = CBackgroundMacroView::tr(
      "Switch background music to selected zones/groups.\n (The actual selection is shown on all consoles.)");
  layout.onRow = CBackgroundMacroView::tr("Program ON");
  layout.offRow = CBackgroundMacroView::tr("Program OFF");
  layout.hideOffRow = false;
  layout.signalLabel = QString();
  layout.signalType = 0;
  layout.signalParam = 0;
  layout.priority = false;
  layout.input = false;
  layout.modes = false;
  return layout;
}

}  // namespace

CBackgroundMacroView::CBackgroundMacroView(CMacroDlgFrm* frame, QWidget* parent)
    : CZoneSwitchMacroView(frame, MakeLayout(), parent) {}

SELV_REGISTER_MACRO_STEP_VIEW(CBackgroundMacroView)
