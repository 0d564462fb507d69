#include "editors/lists/entryframecommands.h"

#include "editors/lists/entrylistrules.h"
#include "link/idevicelink.h"
#include "model/cstringtable.h"
#include "shell/cmainframe.h"
#include "shell/controls/cframehostdialog.h"
#include "shell/controls/hostframekind.h"
#include "shell/cunitsavecommand.h"

#include <QMainWindow>
#include <QToolBar>

QString EntryFrameCommands::SwitchText(uint32_t id) {
  QString text = LoadString(id);
  if (text.isEmpty()) {
    if (const HostFrameSwitch* entry = FindHostFrameSwitchByCommand(id)) text = QString::fromLatin1(entry->title);
  }
  return text;
}

bool EntryFrameCommands::Route(QWidget* frame, CFrameHostDialog* host, uint32_t id) {
  switch (EntryListRules::RouteOf(id)) {
    case EntryListRules::Route::SwitchEditor:
      frame->setFocus();
      if (host == nullptr) host = CFrameHostDialog::HostOf(frame);
      if (host) host->PostSwitchCommand(id);
      return true;
    case EntryListRules::Route::SaveProject:
      if (CMainFrame* main = AfxGetMainWnd()) main->OnCommand(static_cast<int>(id));
      return true;
    case EntryListRules::Route::SaveVmx: CUnitSaveCommand::Run(frame); return true;
    case EntryListRules::Route::Default: return false;
  }
  return false;
}

void EntryFrameCommands::PlaceSwitchBar(QMainWindow* frame, QToolBar* bar) {
  // Adding a bar that is already in place moves it.
  frame->addToolBar(Qt::LeftToolBarArea, bar);
}
