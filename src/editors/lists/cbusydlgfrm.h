#ifndef SELV_EDITORS_LISTS_CBUSYDLGFRM_H
#define SELV_EDITORS_LISTS_CBUSYDLGFRM_H

#include "editors/lists/centrylistframe.h"

class CBusyDlgView;

// The frame of the busy condition list in the editor host dialog.
class CBusyDlgFrm final : public CEntryListFrame {
  Q_OBJECT

 public:
  CBusyDlgFrm(const HostFrameContext& context, QWidget* parent = nullptr);

  CBusyDlgView* GetBusyView() const noexcept { return m_busyView; }

 private:
  CBusyDlgView* m_busyView;
};

#endif
