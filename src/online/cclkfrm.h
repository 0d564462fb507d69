#ifndef SELV_ONLINE_CCLKFRM_H
#define SELV_ONLINE_CCLKFRM_H

#include "online/cserviceframe.h"

class CClkView;

// The clock window of the editor host: the editors' switch bar, a status
// bar and the clock form; no bar of its own.
class CClkFrm final : public CServiceFrame {
  Q_OBJECT

 public:
  CClkFrm(const HostFrameContext& context, QWidget* parent);

  CClkView* GetView() const { return m_view; }

 private:
  CClkView* m_view = nullptr;
};

#endif
