#include "editors/signals/calarmpage.h"

#include "macros/caudiosignal.h"

CAlarmPage::CAlarmPage(CSelvantisDoc& doc, QWidget* parent)
    : CSignalKindPage(doc, CAudioSignal::kKindAlarm, tr("Alarm"), parent) {}
