#include "editors/signals/cchimepage.h"

#include "editors/signals/csignallistdlg.h"
#include "macros/caudiosignal.h"

CChimePage::CChimePage(CSelvantisDoc& doc, QWidget* parent)
    : CSignalKindPage(doc, CAudioSignal::kKindChime, tr("Chime"), parent) {}

void CChimePage::OnKillActive(bool bKeepSelection) {
  CSignalKindPage::OnKillActive(bKeepSelection);
  if (List()) List()->SetButtonsVisible(true);
}
