#ifndef SELV_EDITORS_LISTS_CLOGICOUTDLGFRM_H
#define SELV_EDITORS_LISTS_CLOGICOUTDLGFRM_H

#include "editors/lists/centrylistframe.h"

class CLogicOutDlgView;

// The frame of the logic-output list (editor kind 17).
class CLogicOutDlgFrm final : public CEntryListFrame {
  Q_OBJECT

 public:
  static constexpr int kToolBar = 515;

  CLogicOutDlgFrm(const HostFrameContext& context, QWidget* parent = nullptr);

  CLogicOutDlgView* GetLogicOutView() const noexcept { return m_logicOutView; }

 private:
  CLogicOutDlgView* m_logicOutView;
};

#endif
