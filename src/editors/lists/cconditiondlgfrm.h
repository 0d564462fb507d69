#ifndef SELV_EDITORS_LISTS_CCONDITIONDLGFRM_H
#define SELV_EDITORS_LISTS_CCONDITIONDLGFRM_H

#include "editors/lists/centrylistframe.h"

class CConditionDlgView;

// The frame of the plain condition list in the editor host dialog.
class CConditionDlgFrm final : public CEntryListFrame {
  Q_OBJECT

 public:
  CConditionDlgFrm(const HostFrameContext& context, QWidget* parent = nullptr);

  CConditionDlgView* GetConditionView() const noexcept { return m_conditionView; }

 private:
  CConditionDlgView* m_conditionView;
};

#endif
