#ifndef SELV_ONLINE_CPOWERFRM_H
#define SELV_ONLINE_CPOWERFRM_H

#include "online/conlineframe.h"

class CPowerView;

// The power-management window of the editor host: the on-line frame with the
// power-management bar ("Upload powermanagement data",
// "Download powermanagement data") and the power-management form.
class CPowerFrm final : public COnlineFrame {
  Q_OBJECT

 public:
  static constexpr int kBarId = 529;
  static constexpr uint32_t kUploadPowerData = 33172;
  static constexpr uint32_t kDownloadPowerData = 33171;

  CPowerFrm(const HostFrameContext& context, QWidget* parent);

  CPowerView* GetPowerView() const;
  bool OnCommand(uint32_t command) override;

 protected:
  COnlineView* CreateView() override;
  int OwnBarId() const override { return kBarId; }
  std::vector<BarButton> OwnBarButtons() const override;
  std::vector<uint32_t> OnlineOnlyCommands() const override;
};

#endif
