#pragma once
#include <QMainWindow>
#include <QPointer>
#include <map>

class CKeyView;
class QAction;
class QScrollArea;
class QToolBar;

// The key frame of the key programming page: a tool bar with the key
// programming, print and on-line commands above a scroll area that holds
// the key view. Commands go to the active key view first, then to the
// frame. Owns its tool bar, the scroll area and the view inside it.
class CConsoleFrame final : public QMainWindow {
  Q_OBJECT

 public:
  static constexpr int kToolBarId = 385;

  // bOnline: whether the unit is on line; without it the on-line commands
  // (download, upload, version) start disabled.
  explicit CConsoleFrame(bool bOnline, QWidget* parent = nullptr);
  ~CConsoleFrame() override;
  CConsoleFrame(const CConsoleFrame&) = delete;
  CConsoleFrame& operator=(const CConsoleFrame&) = delete;

  bool IsOnline() const noexcept { return m_bOnline; }
  QToolBar* GetToolBar() const noexcept { return m_toolBar; }
  // The tool-bar action of a command id, or null.
  QAction* GetAction(int id) const;
  QScrollArea* GetScrollArea() const noexcept { return m_scroll; }

  // Puts view into the scroll area as the active view (the frame owns it
  // from now on); the view shown before is deleted. Null removes it.
  void SetActiveView(CKeyView* view);
  CKeyView* GetActiveView() const;

  // A tool-bar command: the active view first, then the frame. True when
  // someone handled it.
  bool OnCommand(int id);

  // True for the commands that talk to the unit.
  static bool IsOnlineCommand(int id);

 private:
  bool m_bOnline;
  QToolBar* m_toolBar = nullptr;
  QScrollArea* m_scroll = nullptr;
  QPointer<CKeyView> m_view;
  std::map<int, QAction*> m_actions;
};
