#ifndef SELV_ONLINE_CZONETESTFRM_H
#define SELV_ONLINE_CZONETESTFRM_H

#include "online/conlineframe.h"

class CZoneListView;
class CZonetestPane;
class CZonetestView;
class QLabel;
class QProgressBar;

// The line-test window of the editor host: the on-line frame with the zone
// bar (transfers, properties, refresh, export, print), a status bar with
// the zone-test mode, and the zone list above the zone test form.
class CZonetestFrm final : public COnlineFrame {
  Q_OBJECT

 public:
  static constexpr int kBarId = 542;
  static constexpr uint32_t kUploadZoneData = 34611;
  static constexpr uint32_t kDownloadZoneData = 34614;
  static constexpr uint32_t kLineTestProperties = 34618;
  static constexpr uint32_t kExportList = 34624;
  static constexpr uint32_t kPrintList = 34625;
  static constexpr uint32_t kRefreshDisplay = 34626;

  CZonetestFrm(const HostFrameContext& context, QWidget* parent);

  CZonetestPane* Pane() const;
  CZoneListView* ListView() const;
  CZonetestView* FormView() const;
  QLabel* ModePane() const { return m_modePane; }
  bool OnCommand(uint32_t command) override;

 protected:
  COnlineView* CreateView() override;
  int OwnBarId() const override { return kBarId; }
  std::vector<BarButton> OwnBarButtons() const override;
  std::vector<uint32_t> OnlineOnlyCommands() const override;

 private:
  void ShowProgress(int done, int total);

  QLabel* m_modePane = nullptr;
  QProgressBar* m_progress = nullptr;
};

#endif
