#ifndef SELV_EDITORS_LISTS_ENTRYFRAMECOMMANDS_H
#define SELV_EDITORS_LISTS_ENTRYFRAMECOMMANDS_H

#include <QString>

#include <cstdint>

class CFrameHostDialog;
class QMainWindow;
class QToolBar;
class QWidget;

// What the frames of the editor host do with the editors' switch bar:
// the button texts and the routing of switch, Save and "Save VMX settings".
class EntryFrameCommands final {
 public:
  // The text of a switch button: the command's string, else the title of
  // the window it opens.
  static QString SwitchText(uint32_t id);
  // Switch commands give the frame the focus and go to the host (host, or
  // the dialog that holds frame), which swaps the frame once this call has
  // returned; Save goes to the main window, "Save VMX settings" over the
  // link. False for any other command.
  static bool Route(QWidget* frame, CFrameHostDialog* host, uint32_t id);
  // Puts the bar of switch buttons down the left side of frame, one button
  // under the other, so that it never takes the width of the frame's own
  // commands and every button stays in view, whatever its text or picture.
  static void PlaceSwitchBar(QMainWindow* frame, QToolBar* bar);
};

#endif
