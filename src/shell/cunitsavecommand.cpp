#include "shell/cunitsavecommand.h"

#include "link/idevicelink.h"
#include "shell/clinkpanel.h"
#include "shell/cmainframe.h"

#include <QMainWindow>
#include <QPointer>
#include <QStatusBar>

void CUnitSaveCommand::Run(QWidget* frame) {
  CMainFrame* main = AfxGetMainWnd();
  if (main == nullptr) {
    // A window shown without the program's main window (a test of the
    // window alone) has no link panel: the line goes as it is.
    GetDeviceLink()->OnSaveVmxSettings();
    return;
  }
  // The wait for the unit may let the window go.
  const QPointer<QMainWindow> window(qobject_cast<QMainWindow*>(frame));
  const QString said = main->Link().SaveVmxSettings();
  if (window && !said.isEmpty()) window->statusBar()->showMessage(said);
}
