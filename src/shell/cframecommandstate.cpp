#include "shell/cframecommandstate.h"

#include "shell/shellcommands.h"

bool CFrameCommandState::IsEnabled(int command, const FrameState& s) {
  using namespace ShellCmd;
  const bool idle = !s.transferRunning;
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
