#include "editors/lists/listchoice.h"

#include "model/cselvantisdoc.h"
#include "model/ui/cselectiondlg.h"

#include <QDialog>

std::optional<ListChoice> RunSelectionDialog(QWidget* parent, CSelvantisDoc* doc, const ListChoiceRequest& request) {
  CSelectionDlg dialog(parent);
  dialog.SetKind(request.kind);
  dialog.SetMultiple(request.multiple);
  if (request.current != 0) dialog.SetCurrent(request.current);
  dialog.SetSelection(request.selection);
  if (doc) dialog.SetDocument(doc);
  if (dialog.DoModal() != QDialog::Accepted) return std::nullopt;
  return ListChoice{dialog.GetResult(), dialog.GetSelection()};
}
