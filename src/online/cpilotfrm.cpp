#include "online/cpilotfrm.h"

#include "online/cpilotview.h"

CPilotFrm::CPilotFrm(const HostFrameContext& context, QWidget* parent) : COnlineFrame(context, parent) {
  setObjectName(QStringLiteral("CPilotFrm"));
  Create();
}

COnlineView* CPilotFrm::CreateView() { return new CPilotView(GetDocument(), this); }

std::vector<COnlineFrame::BarButton> CPilotFrm::OwnBarButtons() const {
  return {{kUploadPilotData, "upload"}, {kDownloadPilotData, "download"}};
}

std::vector<uint32_t> CPilotFrm::OnlineOnlyCommands() const { return {kUploadPilotData, kDownloadPilotData}; }

CPilotView* CPilotFrm::GetPilotView() const { return qobject_cast<CPilotView*>(GetActiveView()); }

bool CPilotFrm::OnCommand(uint32_t command) {
  if (command == kUploadPilotData || command == kDownloadPilotData) {
    if (CPilotView* view = GetPilotView()) view->TransferSettings(command == kUploadPilotData);
    return true;
  }
  return COnlineFrame::OnCommand(command);
}

SELV_REGISTER_HOST_FRAME(HostFrameKind::PilotTone, CPilotFrm)
