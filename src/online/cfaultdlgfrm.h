#ifndef SELV_ONLINE_CFAULTDLGFRM_H
#define SELV_ONLINE_CFAULTDLGFRM_H

#include "online/cserviceframe.h"

#include <QPointer>

class CFaultDlgView;
class QProgressBar;

// The fault window of the editor host: the editors' switch bar, the fault
// bar ("Upload FAULT properties", "Download FAULT properties", usable only
// when the window opens on line) and the fault form.
class CFaultDlgFrm final : public CServiceFrame {
  Q_OBJECT

 public:
  static constexpr int kBarId = 518;
  static constexpr uint32_t kDownloadFault = 34500;
  static constexpr uint32_t kUploadFault = 34501;

  CFaultDlgFrm(const HostFrameContext& context, QWidget* parent);

  CFaultDlgView* GetView() const { return m_view; }
  bool OnCommand(uint32_t command) override;
  // The progress bar while a transfer runs, else null.
  QProgressBar* Progress() const;

 private:
  void OnTransfer(bool bUpload);

  CFaultDlgView* m_view = nullptr;
  QPointer<QProgressBar> m_progress;
};

#endif
