#ifndef SELV_ONLINE_CHARDWAREDLGFRM_H
#define SELV_ONLINE_CHARDWAREDLGFRM_H

#include "online/conlineframe.h"
#include "online/cserviceframe.h"

class CHardwareDlgTreeView;

// The hardware window of the editor host: the scan bar ("VMX Slots",
// "Consoles", "Amplifier", "KCM cards") and the device tree. Opened on line
// it scans the slots at once; off line it explains why nothing is shown.
class CHardwareDlgFrm final : public COnlineFrame {
  Q_OBJECT

 public:
  static constexpr int kBarId = 524;
  static constexpr uint32_t kScanConsoles = 34520;
  static constexpr uint32_t kScanSlots = 34521;
  static constexpr uint32_t kScanAmplifiers = 34522;
  static constexpr uint32_t kScanCards = 34523;

  CHardwareDlgFrm(const HostFrameContext& context, QWidget* parent);

  CHardwareDlgTreeView* GetTreeView() const;
  bool OnCommand(uint32_t command) override;

 protected:
  COnlineView* CreateView() override;
  int OwnBarId() const override { return kBarId; }
  // The hardware window sits with the editors: their switch bar and routing.
  int SwitchBarId() const override { return CServiceFrame::kSwitchBarId; }
  std::vector<BarButton> OwnBarButtons() const override;
  std::vector<uint32_t> OnlineOnlyCommands() const override;
  void OnLineChanged(bool online) override;
};

#endif
