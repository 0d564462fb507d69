// The LAN group's context menu (resource 295) and the choice of identifier
// behind its "Change ID".
#include "amps/clangroup.h"
#include "model/cmenudata.h"
#include "model/cmessagesink.h"
#include "model/commandids.h"
#include "model/cstringtable.h"
#include "model/ctext.h"
#include "model/ui/cselectiondlg.h"
#include "shell/cmainframe.h"
#include "shell/cmenuresources.h"

#include <QApplication>
#include <QCoreApplication>

namespace {

const bool g_registered = CMenuResources::Register(CLANGroup::kMenuId, [](CMenuData& menu) {
  menu.AddItem(CLANGroup::ID_CHANGE_ID, LoadString(CLANGroup::ID_CHANGE_ID));
  menu.AddSeparator();
  menu.AddItem(ID_DEVICE_DOWNLOAD, LoadString(ID_DEVICE_DOWNLOAD));
  menu.AddItem(ID_DEVICE_UPLOAD, LoadString(ID_DEVICE_UPLOAD));
  menu.AddSeparator();
  menu.AddItem(ID_DELETE_OBJECT, QCoreApplication::translate("CAmpsMenu", "Delete"));
  menu.AddItem(CLANGroup::ID_LANGROUP_PROPERTIES, LoadString(CLANGroup::ID_LANGROUP_PROPERTIES));
});

// The identifiers are offered with the LAN groups holding them, the
// group's own one chosen.
const bool g_chooserInstalled = [] {
  CLANGroup::SetIdChooser([](CLANGroup& group) {
    CSelectionDlg dlg(AfxGetDialogParent());
    dlg.SetKind(CLANGroup::kKind);
    dlg.SetDocument(group.GetDocument());
    dlg.SetCurrent(group.GetID());
    dlg.SetSelection(Fmt("%d", group.GetID()));
    return dlg.DoModal() == IDOK ? dlg.GetResult() : 0;
  });
  return true;
}();

}  // namespace
