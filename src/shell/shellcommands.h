#ifndef SELV_SHELL_SHELLCOMMANDS_H
#define SELV_SHELL_SHELLCOMMANDS_H

// Command identifiers of the main window. The standard frame commands keep
// the numbers the rest of the program sends (57603 saves the active
// document); the shell's own commands sit above the string-table ids, and the
// object commands 33000-33333 belong to the current object of a drawing.
namespace ShellCmd {
enum : int {
  // File
  kFileNew = 57600,
  kFileOpen = 57601,
  kFileClose = 57602,
  kFileSave = 57603,
  kFileSaveAs = 57604,
  kFilePrintSetup = 57606,
  kFilePrint = 57607,
  kFilePrintPreview = 57609,
  kFileMru1 = 57616,  // kFileMru1 + n opens recent file n
  kFileMruLast = 57619,
  kAppExit = 57665,
  kAppAbout = 57664,
  // Window
  kWindowArrange = 57649,
  kWindowCascade = 57650,
  kWindowTile = 57651,
  // View
  kViewToolbar = 59392,
  kViewStatusBar = 59393,
  kViewProject = 32876,  // "Common project data"
  // Communication
  kSaveVmxSettings = 32852,
  // The shell's own commands.
  kViewZoomBar = 35000,
  kViewProtocolMonitor = 35001,
  kViewPreferences = 35002,
  kFileExportPdf = 35003,
  kZoomIn = 35010,
  kZoomOut = 35011,
  kZoom100 = 35012,
  kZoomFit = 35013,
  kEditDelete = 35020,
  kEditProperties = 35021,
  kEditSelectNone = 35022,
  kCommConnect = 35030,
  kCommDisconnect = 35031,
  kCommDownload = 35032,
  kCommUpload = 35033,
  kCommExport = 35034,
  kCommSendFile = 35035,
  kCommShowErrorFile = 35036,
  kCommCompare = 35037,
  kPlaceFirst = 35100,  // "place new object": kPlaceFirst + registry index
  kPlaceLast = 35399,
  // Commands of the current object of a drawing.
  kObjectFirst = 33000,
  kObjectLast = 33333,
  kObjectDelete = 33001,
  kObjectProperties = 33002,
};
}  // namespace ShellCmd

#endif
