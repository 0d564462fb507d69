#include "editors/macros/cmessagemacroview.h"

#include "macros/cmacro.h"
#include "model/devicetype.h"

namespace {

CZoneSwitchMacroView::Layout MakeLayout() {
  CZoneSwitchMacroView::Layout layout;
  layout.description = CMessageMacroView::tr("Switch text signal to selected zones/groups.");
  layout.onRow = CMessageMacroView::tr("Message ON");
  layout.offRow = CMessageMacroView::tr("Message OFF");
  layout.hideOffRow = false;
  layout.signalLabel = CMessageMacroView::tr("Message");
  layout.signalType = DT_MESSAGESIGNAL;
  layout.signalParam = CMacro::P_MESSAGE_SIGNAL;
  layout.priority = true;
  layout.input = false;
  layout.modes = true;
  return layout;
}

}  // namespace

CMessageMacroView::CMessageMacroView(CMacroDlgFrm* frame, QWidget* parent)
    : CZoneSwitchMacroView(frame, MakeLayout(), parent) {}

SELV_REGISTER_MACRO_STEP_VIEW(CMessageMacroView)
