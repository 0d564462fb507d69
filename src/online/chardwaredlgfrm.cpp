#include "online/chardwaredlgfrm.h"

#include "model/cselvantisdoc.h"
#include "online/chardwaredlgtreeview.h"

CHardwareDlgFrm::CHardwareDlgFrm(const HostFrameContext& context, QWidget* parent) : COnlineFrame(context, parent) {
  setObjectName(QStringLiteral("CHardwareDlgFrm"));
  if (!Create()) return;
  // The window shows at once; the slots fill in when the unit has answered,
  // so the program never stands still for the whole exchange.
  if (CHardwareDlgTreeView* view = GetTreeView()) {
    if (IsOnline())
      view->ScanSlotsInBackground();
    else
      view->ShowOffline();
  }
}

void CHardwareDlgFrm::OnLineChanged(bool online) {
  // The unit that came back may hold other cards: its slots are read anew.
  if (CHardwareDlgTreeView* view = GetTreeView(); view && online) view->ScanSlotsInBackground();
}

COnlineView* CHardwareDlgFrm::CreateView() { return new CHardwareDlgTreeView(GetDocument(), this); }

std::vector<COnlineFrame::BarButton> CHardwareDlgFrm::OwnBarButtons() const {
  return {{kScanSlots, nullptr}, {kScanConsoles, nullptr}, {kScanAmplifiers, nullptr}, {kScanCards, nullptr}};
}

std::vector<uint32_t> CHardwareDlgFrm::OnlineOnlyCommands() const {
  return {kScanAmplifiers, kScanCards, kScanConsoles, kScanSlots};
}

CHardwareDlgTreeView* CHardwareDlgFrm::GetTreeView() const {
  return qobject_cast<CHardwareDlgTreeView*>(GetActiveView());
}

bool CHardwareDlgFrm::OnCommand(uint32_t command) {
  CHardwareDlgTreeView* view = GetTreeView();
  switch (command) {
    case kScanSlots:
      if (view) view->ScanSlots();
      return true;
    case kScanConsoles:
      if (view) view->ScanConsoles();
      return true;
    case kScanAmplifiers:
      if (view) view->ScanAmplifiers();
      return true;
    case kScanCards:
      if (view) view->ScanCards();
      return true;
    default: return COnlineFrame::OnCommand(command);
  }
}

SELV_REGISTER_HOST_FRAME(HostFrameKind::Hardware, CHardwareDlgFrm)
