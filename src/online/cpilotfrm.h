#ifndef SELV_ONLINE_CPILOTFRM_H
#define SELV_ONLINE_CPILOTFRM_H

#include "online/conlineframe.h"

class CPilotView;

// The pilot-tone window of the editor host: the on-line frame with the
// pilot-tone bar ("Upload pilot tone data", "Download Pilot tone data") and
// the pilot-tone form.
class CPilotFrm final : public COnlineFrame {
  Q_OBJECT

 public:
  static constexpr int kBarId = 528;
  static constexpr uint32_t kUploadPilotData = 33170;
  static constexpr uint32_t kDownloadPilotData = 33175;

  CPilotFrm(const HostFrameContext& context, QWidget* parent);

  CPilotView* GetPilotView() const;
  bool OnCommand(uint32_t command) override;

 protected:
  COnlineView* CreateView() override;
  int OwnBarId() const override { return kBarId; }
  std::vector<BarButton> OwnBarButtons() const override;
  std::vector<uint32_t> OnlineOnlyCommands() const override;
};

#endif
