#ifndef SELV_EDITORS_LISTS_CWEEKDLGFRM_H
#define SELV_EDITORS_LISTS_CWEEKDLGFRM_H

#include "editors/lists/centrylistframe.h"

class CWeekDlgView;

// The frame of the week-program list (editor kind 11): only Upload and
// Download on its list toolbar.
class CWeekDlgFrm final : public CEntryListFrame {
  Q_OBJECT

 public:
  static constexpr int kListToolBar = 516;

  explicit CWeekDlgFrm(const HostFrameContext& context, QWidget* parent = nullptr);

  CWeekDlgView* GetWeekView() const noexcept { return m_weekView; }

 private:
  CWeekDlgView* m_weekView;
};

#endif
