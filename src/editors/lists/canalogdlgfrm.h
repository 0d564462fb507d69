#ifndef SELV_EDITORS_LISTS_CANALOGDLGFRM_H
#define SELV_EDITORS_LISTS_CANALOGDLGFRM_H

#include "editors/lists/centrylistframe.h"

class CAnalogDlgView;

// The frame of the range check (analog condition) list in the editor host dialog.
class CAnalogDlgFrm final : public CEntryListFrame {
  Q_OBJECT

 public:
  CAnalogDlgFrm(const HostFrameContext& context, QWidget* parent = nullptr);

  CAnalogDlgView* GetAnalogView() const noexcept { return m_analogView; }

 private:
  CAnalogDlgView* m_analogView;
};

#endif
