#ifndef SELV_EDITORS_LISTS_FRAMEBARS_H
#define SELV_EDITORS_LISTS_FRAMEBARS_H

#include <QPointer>
#include <QString>

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

class QAction;
class QMainWindow;
class QProgressBar;
class QToolBar;

// The bars of a frame in the editor host, the same in every frame: bars of
// pictures with tool tips whose buttons send their commands to the frame,
// the button of each command for the frame to enable, and the progress of
// a whole-list transfer in the frame's status bar. The frame owns the bars,
// the buttons and the progress bar (as children).
class FrameBars final {
 public:
  // One button of a bar; command 0 is a separator.
  struct Button {
    uint32_t command;
    const char* icon = nullptr;  // icon factory name, or null for the command's own picture
  };
  using CommandHandler = std::function<void(uint32_t id)>;

  // The wait cursor of a transfer, restored however the transfer ends.
  class WaitCursor final {
   public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
  };

  // Makes frame a widget inside the host (a main window is a top-level
  // window of its own otherwise); commands go to onCommand.
  FrameBars(QMainWindow* frame, CommandHandler onCommand);

  // The buttons that switch to the other editors.
  static std::vector<Button> EditorSwitchButtons();
  // Buttons with their commands' own pictures; 0 for a separator.
  static std::vector<Button> ButtonsOf(const std::vector<uint32_t>& ids);
  // The tool tip of a command's string: the part after the line break when
  // there is one, at most 80 characters.
  static QString ToolTipOf(const QString& text);

  // A bar across the top of the frame.
  QToolBar* AddBar(const QString& name, const std::vector<Button>& buttons);
  // A bar of switch buttons down the left side of the frame; in the editor
  // host it stands in the host's own column (CFrameHostDialog).
  QToolBar* AddSwitchBar(const QString& name, const std::vector<Button>& buttons);

  // The button of a command on any bar, or null.
  QAction* Action(uint32_t id) const;
  void Enable(const std::vector<uint32_t>& ids, bool enabled);

  // The progress bar while a transfer runs, else null.
  QProgressBar* Progress() const;
  // Shows and updates the progress of a transfer; total 0 removes the bar.
  void ShowProgress(int done, int total);
  // ShowProgress as a transfer's progress handler. A transfer keeps its
  // copy of the handler while it lets events in: the copy does nothing
  // once the frame has gone.
  std::function<void(int done, int total)> ProgressReporter();

 private:
  QToolBar* MakeBar(const QString& name, const std::vector<Button>& buttons);

  QMainWindow* m_frame;
  CommandHandler m_onCommand;
  std::map<uint32_t, QAction*> m_actions;
  QPointer<QProgressBar> m_progress;
};

#endif
