// The info slot's properties: the project data dialog of the slot's own
// document (which need not be the active one).
#include "model/cbasedevice.h"
#include "model/cselvantisdoc.h"
#include "shell/cprojectdatadlg.h"

#include <QApplication>
#include <QDialog>
#include <QWidget>

namespace {

const bool g_registered = [] {
  CBaseDevice::SetPropertiesHandler(DT_INFOSLOT, [](CBaseDevice& slot) {
    CSelvantisDoc* doc = slot.GetDocument();
    if (doc == nullptr) return false;
    CProjectDataDlg dialog(*doc, QApplication::activeWindow());
    return dialog.exec() == QDialog::Accepted;
  });
  return true;
}();

}  // namespace
