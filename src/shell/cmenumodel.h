#ifndef SELV_SHELL_CMENUMODEL_H
#define SELV_SHELL_CMENUMODEL_H

#include <QString>

#include <vector>

// What the main window's menus and tool bars hold, as data: the frame builds
// its actions from it, tests read it. Texts are the untranslated source texts
// of the "CMainFrame" translation context.
struct ShellMenuItem {
  enum class Kind {
    Command,
    Separator,
    RecentFiles,   // the recent-file entries go here
    WindowList,    // the open child windows go here
    PlaceObjects,  // the "place new object" entries go here
  };
  Kind kind = Kind::Command;
  int command = 0;
  const char* text = nullptr;      // with '&' mnemonic
  const char* shortcut = nullptr;  // portable key text ("Ctrl+S") or null
  const char* icon = nullptr;      // CIconFactory name or null
  bool checkable = false;
};

struct ShellMenu {
  const char* title = nullptr;
  std::vector<ShellMenuItem> items;
};

class CMenuModel final {
 public:
  static constexpr const char* kContext = "CMainFrame";

  // File, Edit, View, Communication, Window, Help.
  static const std::vector<ShellMenu>& MainMenus();
  // Command ids of the tool bars; 0 stands for a separator.
  static const std::vector<int>& StandardToolbar();
  static const std::vector<int>& ZoomToolbar();
  // The item of a command, or null.
  static const ShellMenuItem* Find(int command);
  // The translated text of a command without '&', for tool tips.
  static QString ToolTip(int command);
};

#endif
