#ifndef SELV_ONLINE_CRECORDERFRM_H
#define SELV_ONLINE_CRECORDERFRM_H

#include "online/conlineframe.h"

#include <array>

class CRecorderView;
class QLabel;

// The message-recorder window of the editor host: the on-line frame with
// only the window-switch bar (the recorder's settings are not transferred
// as a whole) and a status bar of four panes for what the unit reports: its
// INFO text, what the recorder is doing, its time and its free memory.
class CRecorderFrm final : public COnlineFrame {
  Q_OBJECT

 public:
  static constexpr int kPaneCount = 4;
  static constexpr int kIndicatorText = 34242;

  CRecorderFrm(const HostFrameContext& context, QWidget* parent);

  CRecorderView* GetRecorderView() const;
  // The text of a status pane (0..3); "" for another index.
  QString PaneText(int pane) const;
  void SetPaneText(int pane, const QString& text);

 protected:
  COnlineView* CreateView() override;
  int OwnBarId() const override { return 0; }
  std::vector<BarButton> OwnBarButtons() const override { return {}; }
  std::vector<uint32_t> OnlineOnlyCommands() const override { return {}; }

 private:
  std::array<QLabel*, kPaneCount> m_panes{};
};

#endif
