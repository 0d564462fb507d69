#include "editors/macros/ampstepselection.h"

#include "model/cmessagesink.h"
#include "model/ui/cselectiondlg.h"

std::optional<QString> RunAmpSelection(QWidget* parent, const CSelvantisDoc* doc, unsigned kind,
                                       const QString& preset) {
  CSelectionDlg dlg(parent);
  dlg.SetKind(kind);
  dlg.SetRequest(1);
  dlg.SetSelection(preset);
  if (doc) dlg.SetDocument(doc);
  if (dlg.DoModal() != IDOK) return std::nullopt;
  return dlg.GetSelection();
}
