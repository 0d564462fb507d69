#ifndef SELV_SHELL_CFRAMECOMMANDSTATE_H
#define SELV_SHELL_CFRAMECOMMANDSTATE_H

// Which commands of the main window are enabled and checked, decided from a
// snapshot of the window's state. The frame fills the snapshot whenever
// something changes and applies the answers to its actions.
struct FrameState {
  bool hasDocument = false;
  bool documentModified = false;
  bool connected = false;
  bool reconnecting = false;  // the program tries to connect again by itself
  bool transferRunning = false;
  // A modal window may open (CModalGuard::MayOpen): no transfer runs and
  // the program is not ending.
  bool modalWindowsAllowed = true;
  bool currentObjectDeletable = false;
  bool currentObjectHasProperties = false;
  bool hasSelection = false;
  bool canZoomIn = false;
  bool canZoomOut = false;
  bool toolbarVisible = true;
  bool zoomBarVisible = true;
  bool statusBarVisible = true;
  bool monitorVisible = false;
  bool hasErrorFile = false;
  int childWindowCount = 0;
  int placeableClassCount = 0;
};

class CFrameCommandState final {
 public:
  static bool IsEnabled(int command, const FrameState& state);
  static bool IsChecked(int command, const FrameState& state);
  // The command opens a modal window (a dialog, a file chooser, a question,
  // a print dialog, an object's properties or editor): it is disabled while
  // no modal window may open.
  static bool OpensModalWindow(int command);
};

#endif
