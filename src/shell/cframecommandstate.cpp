#include "shell/cframecommandstate.h"

#include "shell/shellcommands.h"

bool CFrameCommandState::IsEnabled(int command, const FrameState& s) {
  using namespace ShellCmd;
  const bool idle = !s.transferRunning;
  if (!s.modalWindowsAllowed && OpensModalWindow(command)) return false;
  if (command >= kFileMru1 && command <= kFileMruLast) return idle;
  if (command >= kPlaceFirst && command <= kPlaceLast) return s.hasDocument && idle;
  switch (command) {
    case kFileNew:
    case kFileOpen:
    case kAppExit: return idle;
    case kFileClose:
    case kFileSave:
    case kFileSaveAs: return s.hasDocument && idle;
    case kFilePrint:
    case kFilePrintPreview:
    case kFileExportPdf: return s.hasDocument;
    case kFilePrintSetup:
    case kAppAbout:
    case kViewToolbar:
    case kViewZoomBar:
    case kViewStatusBar:
    case kViewProtocolMonitor: return true;
    case kViewPreferences: return idle;
    case kViewProject: return s.hasDocument && idle;
    case kEditDelete: return s.hasDocument && s.currentObjectDeletable && idle;
    case kEditProperties: return s.hasDocument && s.currentObjectHasProperties && idle;
    case kEditSelectNone: return s.hasSelection;
    case kZoomIn: return s.hasDocument && s.canZoomIn;
    case kZoomOut: return s.hasDocument && s.canZoomOut;
    case kZoom100:
    case kZoomFit: return s.hasDocument;
    case kCommConnect: return !s.connected && idle;
    case kCommDisconnect: return (s.connected || s.reconnecting) && idle;
    case kCommDownload:
    case kCommUpload:
    case kCommCompare: return s.connected && s.hasDocument && idle;
    case kCommExport: return s.hasDocument && idle;
    case kCommSendFile:
    case kSaveVmxSettings: return s.connected && idle;
    case kCommShowErrorFile: return s.hasErrorFile;
    case kWindowArrange:
    case kWindowCascade:
    case kWindowTile: return s.childWindowCount > 0;
    default: return false;
  }
}

bool CFrameCommandState::OpensModalWindow(int command) {
  using namespace ShellCmd;
  // An object's commands open its properties or its editor, or run a
  // transfer of their own.
  if (command >= kObjectFirst && command <= kObjectLast) return true;
  if (command >= kPlaceFirst && command <= kPlaceLast) return true;
  if (command >= kFileMru1 && command <= kFileMruLast) return true;
  switch (command) {
    case kFileNew:           // a project that cannot be made says so
    case kFileOpen:          // the file chooser
    case kFileClose:         // "Save changes?", the file chooser of a new project
    case kFileSave:          // the file chooser of a new project, a file changed by another program
    case kFileSaveAs:        // the file chooser
    case kFilePrintSetup:    // the page setup
    case kFilePrint:         // the print dialog
    case kFilePrintPreview:  // the preview
    case kFileExportPdf:     // the file chooser
    case kAppExit:           // "Save changes?"
    case kAppAbout:
    case kViewPreferences:
    case kViewProject:
    case kEditDelete:  // the question before an object goes
    case kEditProperties:
    case kCommExport:    // the file chooser
    case kCommSendFile:  // the file chooser
    case kCommCompare:   // a transfer of its own
    case kCommConnect:   // what the unit answered, or why it did not
    case kCommDownload:
    case kCommUpload: return true;
    default: return false;
  }
}

bool CFrameCommandState::IsChecked(int command, const FrameState& s) {
  using namespace ShellCmd;
  switch (command) {
    case kViewToolbar: return s.toolbarVisible;
    case kViewZoomBar: return s.zoomBarVisible;
    case kViewStatusBar: return s.statusBarVisible;
    case kViewProtocolMonitor: return s.monitorVisible;
    default: return false;
  }
}
