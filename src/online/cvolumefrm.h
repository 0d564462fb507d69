#ifndef SELV_ONLINE_CVOLUMEFRM_H
#define SELV_ONLINE_CVOLUMEFRM_H

#include "online/cserviceframe.h"

class CVolumeView;

// The volume window of the editor host: the editors' switch bar, a status
// bar and the volume form; no bar of its own, no transfers.
class CVolumeFrm final : public CServiceFrame {
  Q_OBJECT

 public:
  CVolumeFrm(const HostFrameContext& context, QWidget* parent);

  CVolumeView* GetView() const { return m_view; }

 private:
  CVolumeView* m_view = nullptr;
};

#endif
