#ifndef SELV_ONLINE_CONLINEFRAME_H
#define SELV_ONLINE_CONLINEFRAME_H

#include "editors/lists/framebars.h"
#include "online/conlinecommandroute.h"
#include "shell/controls/chostframeregistry.h"

#include <QMainWindow>

#include <cstdint>
#include <vector>

class CLineStateBar;
class COnlineView;
class QAction;
class QToolBar;

// The frame of an on-line window inside the editor host: the window-switch
// bar (the other on-line windows, "Save VMX settings", "Save"), the
// window's own bar, the connection's state above the view (a lost line
// disables the view and offers Connect), a status bar and the view. Commands of the switch bar
// go through RouteOnlineFrameCommand; a derived frame handles its own bar's
// commands in OnCommand. The host owns the frame; the frame owns its bars
// and view.
class COnlineFrame : public QMainWindow {
  Q_OBJECT

 public:
  // One button of a bar; command 0 is a separator.
  using BarButton = FrameBars::Button;
  static constexpr int kSwitchBarId = 526;

  COnlineFrame(const HostFrameContext& context, QWidget* parent);
  ~COnlineFrame() override;

  CSelvantisDoc* GetDocument() const { return m_context.doc; }
  COnlineView* GetActiveView() const { return m_view; }
  QToolBar* SwitchBar() const { return m_switchBar; }
  QToolBar* OwnBar() const { return m_ownBar; }
  CLineStateBar* LineBar() const { return m_lineBar; }
  // The button of a command on either bar, or null.
  QAction* Action(uint32_t command) const { return m_bars.Action(command); }

  // A command of the bars (also callable directly). True when handled.
  virtual bool OnCommand(uint32_t command);
  // The command routing shared by the on-line frames.
  bool RouteOnlineFrameCommand(uint32_t command);
  // The switch bar: the on-line windows (526), or the editors' bar (507)
  // with their routing for a window that belongs with the editors.
  virtual int SwitchBarId() const { return kSwitchBarId; }

 protected:
  // Derived constructors call this last: creates the bars, the view, and
  // runs the view's OnInitialUpdate. False when the view could not be made.
  bool Create();
  virtual COnlineView* CreateView() = 0;
  virtual int OwnBarId() const = 0;
  virtual std::vector<BarButton> OwnBarButtons() const = 0;
  // The own bar's buttons that ask the unit: enabled only while on line.
  virtual std::vector<uint32_t> OnlineOnlyCommands() const = 0;
  // The connection changed (the view and the buttons have followed it).
  virtual void OnLineChanged(bool online) { (void)online; }

 private:
  HostFrameContext m_context;
  FrameBars m_bars;
  QToolBar* m_switchBar = nullptr;
  QToolBar* m_ownBar = nullptr;
  COnlineView* m_view = nullptr;
  CLineStateBar* m_lineBar = nullptr;
};

#endif
