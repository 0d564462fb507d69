#include "consoles/ui/ckeydialoghost.h"

#include "consoles/ui/ccopykeydlg.h"
#include "consoles/ui/ckeyrangedlg.h"

bool CKeyDialogHost::AskKeyRange(int* first, int* stop, int* startLine) {
  if (first == nullptr || stop == nullptr || startLine == nullptr) return false;
  CKeyRangeDlg dlg(m_parent);
  dlg.SetFields(*first, *stop, *startLine);
  if (dlg.exec() != QDialog::Accepted) return false;
  *first = dlg.GetFirstKey();
  *stop = dlg.GetStopKey();
  *startLine = dlg.GetFirstZone();
  return true;
}

bool CKeyDialogHost::AskCopyDestination(const std::vector<CBaseDevice*>& consoles, CConsole* source,
                                        const QString& sourceText, CConsole** destination) {
  if (destination == nullptr) return false;
  *destination = nullptr;
  CCopyKeyDlg dlg(m_parent);
  dlg.SetConsoles(consoles);
  dlg.SetSource(source);
  dlg.SetNameText(sourceText);
  if (dlg.exec() != QDialog::Accepted) return false;
  *destination = dlg.GetDestination();
  return true;
}
