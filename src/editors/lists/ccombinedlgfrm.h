#ifndef SELV_EDITORS_LISTS_CCOMBINEDLGFRM_H
#define SELV_EDITORS_LISTS_CCOMBINEDLGFRM_H

#include "editors/lists/centrylistframe.h"

class CCombineDlgView;

// The frame of the combination list in the editor host dialog.
class CCombineDlgFrm final : public CEntryListFrame {
  Q_OBJECT

 public:
  CCombineDlgFrm(const HostFrameContext& context, QWidget* parent = nullptr);

  CCombineDlgView* GetCombineView() const noexcept { return m_combineView; }

 private:
  CCombineDlgView* m_combineView;
};

#endif
