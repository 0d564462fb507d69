#ifndef SELV_EDITORS_MACROS_CALARMMACROVIEW_H
#define SELV_EDITORS_MACROS_CALARMMACROVIEW_H

#include "editors/macros/czoneswitchmacroview.h"

// Alarm (an ON/OFF pair): an alarm signal switched to zones and groups.
class CAlarmMacroView final : public CZoneSwitchMacroView {
  Q_OBJECT

 public:
  explicit CAlarmMacroView(CMacroDlgFrm* frame, QWidget* parent = nullptr);
};

#endif
