#ifndef SELV_ONLINE_CFUSEFRM_H
#define SELV_ONLINE_CFUSEFRM_H

#include "online/conlineframe.h"

class CFuseView;

// The fuse window of the editor host: the on-line frame with the fuse bar
// ("Upload fuse data", "Download fuse data") and the fuse form.
class CFuseFrm final : public COnlineFrame {
  Q_OBJECT

 public:
  static constexpr int kBarId = 527;
  static constexpr uint32_t kUploadFuseData = 33173;
  static constexpr uint32_t kDownloadFuseData = 33174;

  CFuseFrm(const HostFrameContext& context, QWidget* parent);

  CFuseView* GetFuseView() const;
  bool OnCommand(uint32_t command) override;

 protected:
  COnlineView* CreateView() override;
  int OwnBarId() const override { return kBarId; }
  std::vector<BarButton> OwnBarButtons() const override;
  std::vector<uint32_t> OnlineOnlyCommands() const override;
};

#endif
