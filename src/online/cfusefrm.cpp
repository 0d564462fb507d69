#include "online/cfusefrm.h"

#include "online/cfuseview.h"

CFuseFrm::CFuseFrm(const HostFrameContext& context, QWidget* parent) : COnlineFrame(context, parent) {
  setObjectName(QStringLiteral("CFuseFrm"));
  Create();
}

COnlineView* CFuseFrm::CreateView() { return new CFuseView(GetDocument(), this); }

std::vector<COnlineFrame::BarButton> CFuseFrm::OwnBarButtons() const {
  return {{kUploadFuseData, "upload"}, {kDownloadFuseData, "download"}};
}

std::vector<uint32_t> CFuseFrm::OnlineOnlyCommands() const { return {kDownloadFuseData, kUploadFuseData}; }

CFuseView* CFuseFrm::GetFuseView() const { return qobject_cast<CFuseView*>(GetActiveView()); }

bool CFuseFrm::OnCommand(uint32_t command) {
  if (command == kUploadFuseData || command == kDownloadFuseData) {
    if (CFuseView* view = GetFuseView()) view->OnFuseTransfer(command == kUploadFuseData);
    return true;
  }
  return COnlineFrame::OnCommand(command);
}

SELV_REGISTER_HOST_FRAME(HostFrameKind::Fuses, CFuseFrm)
