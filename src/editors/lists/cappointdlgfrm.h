#ifndef SELV_EDITORS_LISTS_CAPPOINTDLGFRM_H
#define SELV_EDITORS_LISTS_CAPPOINTDLGFRM_H

#include "editors/lists/centrylistframe.h"

class CAppointDlgView;

// The frame of the appointment list (editor kind 8).
class CAppointDlgFrm final : public CEntryListFrame {
  Q_OBJECT

 public:
  static constexpr int kListToolBar = 510;

  explicit CAppointDlgFrm(const HostFrameContext& context, QWidget* parent = nullptr);

  CAppointDlgView* GetAppointView() const noexcept { return m_appointView; }

 private:
  CAppointDlgView* m_appointView;
};

#endif
