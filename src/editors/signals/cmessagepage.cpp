#include "editors/signals/cmessagepage.h"

#include "macros/caudiosignal.h"

CMessagePage::CMessagePage(CSelvantisDoc& doc, QWidget* parent)
    : CSignalKindPage(doc, CAudioSignal::kKindMessage, tr("Text"), parent) {}
