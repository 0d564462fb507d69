#ifndef SELV_ONLINE_CEVENTLOGFRM_H
#define SELV_ONLINE_CEVENTLOGFRM_H

#include "online/conlineframe.h"

class CEventLogView;

// The event-log window of the editor host: the on-line frame with the
// event-log bar ("Upload settings for event logging", "Download settings
// for event logging", "Change view" between the settings and the entries)
// and the event-log form.
class CEventLogFrm final : public COnlineFrame {
  Q_OBJECT

 public:
  static constexpr int kBarId = 541;
  static constexpr uint32_t kUploadSettings = 34612;
  static constexpr uint32_t kDownloadSettings = 34613;
  static constexpr uint32_t kChangeView = 34643;

  CEventLogFrm(const HostFrameContext& context, QWidget* parent);

  CEventLogView* GetEventLogView() const;
  bool OnCommand(uint32_t command) override;

 protected:
  COnlineView* CreateView() override;
  int OwnBarId() const override { return kBarId; }
  std::vector<BarButton> OwnBarButtons() const override;
  std::vector<uint32_t> OnlineOnlyCommands() const override;
};

#endif
