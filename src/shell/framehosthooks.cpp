// The central unit's internal slots (Macro, Clock, Trigger, Calendar, System,
// Fuse, Monitor) open their editors in the modal editor host. The slots live
// in the headless library and only name the frame kind; the host is a widget,
// so the shell hands the slots the way to open it.
#include "model/cselvantisdoc.h"
#include "shell/controls/cframehostdialog.h"
#include "shell/controls/hostframekind.h"
#include "unit/cinternalslot.h"

#include <QApplication>

namespace {

const bool kFrameHostHookSet = [] {
  CInternalSlot::SetFrameHostHook([](CSelvantisDoc& doc, int frameKind) {
    if (!IsValidHostFrameKind(frameKind)) return false;
    CFrameHostDialog::Run(&doc, static_cast<HostFrameKind>(frameKind), QApplication::activeWindow());
    // The host has no OK: once it has run, the properties were shown.
    return true;
  });
  return true;
}();

}  // namespace
