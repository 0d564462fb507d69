#include "online/cpowerfrm.h"

#include "online/cpowerview.h"

CPowerFrm::CPowerFrm(const HostFrameContext& context, QWidget* parent) : COnlineFrame(context, parent) {
  setObjectName(QStringLiteral("CPowerFrm"));
  Create();
}

COnlineView* CPowerFrm::CreateView() { return new CPowerView(GetDocument(), this); }

std::vector<COnlineFrame::BarButton> CPowerFrm::OwnBarButtons() const {
  return {{kUploadPowerData, "upload"}, {kDownloadPowerData, "download"}};
}

std::vector<uint32_t> CPowerFrm::OnlineOnlyCommands() const { return {kUploadPowerData, kDownloadPowerData}; }

CPowerView* CPowerFrm::GetPowerView() const { return qobject_cast<CPowerView*>(GetActiveView()); }

bool CPowerFrm::OnCommand(uint32_t command) {
  if (command == kUploadPowerData || command == kDownloadPowerData) {
    if (CPowerView* view = GetPowerView()) view->TransferSettings(command == kUploadPowerData);
    return true;
  }
  return COnlineFrame::OnCommand(command);
}

SELV_REGISTER_HOST_FRAME(HostFrameKind::PowerManagement, CPowerFrm)
