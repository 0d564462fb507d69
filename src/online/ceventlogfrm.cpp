#include "online/ceventlogfrm.h"

#include "online/ceventlogview.h"

CEventLogFrm::CEventLogFrm(const HostFrameContext& context, QWidget* parent) : COnlineFrame(context, parent) {
  setObjectName(QStringLiteral("CEventLogFrm"));
  Create();
}

COnlineView* CEventLogFrm::CreateView() { return new CEventLogView(GetDocument(), this); }

std::vector<COnlineFrame::BarButton> CEventLogFrm::OwnBarButtons() const {
  return {{kUploadSettings, "upload"}, {kDownloadSettings, "download"}, {0, nullptr}, {kChangeView, nullptr}};
}

std::vector<uint32_t> CEventLogFrm::OnlineOnlyCommands() const { return {kUploadSettings, kDownloadSettings}; }

CEventLogView* CEventLogFrm::GetEventLogView() const { return qobject_cast<CEventLogView*>(GetActiveView()); }

bool CEventLogFrm::OnCommand(uint32_t command) {
  if (command == kUploadSettings || command == kDownloadSettings) {
    if (CEventLogView* view = GetEventLogView()) view->TransferSettings(command == kUploadSettings);
    return true;
  }
  if (command == kChangeView) {
    if (CEventLogView* view = GetEventLogView()) view->TogglePage();
    return true;
  }
  return COnlineFrame::OnCommand(command);
}

SELV_REGISTER_HOST_FRAME(HostFrameKind::EventLog, CEventLogFrm)
