#ifndef SELV_EDITORS_LISTS_CHOLIDAYDLGFRM_H
#define SELV_EDITORS_LISTS_CHOLIDAYDLGFRM_H

#include "editors/lists/centrylistframe.h"

class CHolidayDlgView;

// The frame of the holiday list (editor kind 10).
class CHolidayDlgFrm final : public CEntryListFrame {
  Q_OBJECT

 public:
  static constexpr int kListToolBar = 514;

  explicit CHolidayDlgFrm(const HostFrameContext& context, QWidget* parent = nullptr);

  CHolidayDlgView* GetHolidayView() const noexcept { return m_holidayView; }

 private:
  CHolidayDlgView* m_holidayView;
};

#endif
