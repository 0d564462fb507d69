#ifndef SELV_EDITORS_LISTS_CTRIGGERDLGFRM_H
#define SELV_EDITORS_LISTS_CTRIGGERDLGFRM_H

#include "editors/lists/centrylistframe.h"

class CTriggerDlgView;

// The frame of the trigger list (editor kind 5).
class CTriggerDlgFrm final : public CEntryListFrame {
  Q_OBJECT

 public:
  CTriggerDlgFrm(const HostFrameContext& context, QWidget* parent = nullptr);

  CTriggerDlgView* GetTriggerView() const noexcept { return m_triggerView; }

 private:
  CTriggerDlgView* m_triggerView;
};

#endif
