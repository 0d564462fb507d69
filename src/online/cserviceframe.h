#ifndef SELV_ONLINE_CSERVICEFRAME_H
#define SELV_ONLINE_CSERVICEFRAME_H

#include "editors/lists/framebars.h"
#include "shell/controls/chostframeregistry.h"

#include <QMainWindow>

#include <cstdint>
#include <vector>

class CLineStateBar;
class QAction;
class QToolBar;

// The frame of a service form inside the editor host (fault, clock, volume
// windows): the editors' switch bar, optionally a bar of its own, the
// connection's state above the form (a lost line disables the form and
// offers Connect), a status bar and the form. Switch, save and "Save VMX settings" commands go the
// way of the entry-list frames; a derived frame handles its own bar in
// OnCommand. The host owns the frame; the frame owns bars and form.
class CServiceFrame : public QMainWindow {
  Q_OBJECT

 public:
  static constexpr int kSwitchBarId = 507;

  CServiceFrame(const HostFrameContext& context, QWidget* parent);
  ~CServiceFrame() override;

  CSelvantisDoc* GetDocument() const { return m_context.doc; }
  QToolBar* SwitchBar() const { return m_switchBar; }
  QToolBar* OwnBar() const { return m_ownBar; }
  CLineStateBar* LineBar() const { return m_lineBar; }
  // The button of a command on either bar, or null.
  QAction* Action(uint32_t command) const { return m_bars.Action(command); }

  // A command of the bars (also callable directly). True when handled.
  virtual bool OnCommand(uint32_t command);
  bool RouteEntryFrameCommand(uint32_t command);
  // The same routing for any frame of the host (the hardware window uses
  // the editors' switch bar too).
  static bool RouteEntryFrameCommand(QWidget* frame, const HostFrameContext& context, uint32_t command);

 protected:
  // Builds the switch bar, the own bar when ownBarId is not 0 (its buttons
  // in commands, enabled only while on line when listed in onlineOnly), the
  // connection's state and the status bar.
  void CreateBars(int ownBarId, const std::vector<uint32_t>& commands, const std::vector<uint32_t>& onlineOnly);
  // Puts the form in; the frame owns it.
  void SetForm(QWidget* form);

 private:
  HostFrameContext m_context;
  FrameBars m_bars;
  QToolBar* m_switchBar = nullptr;
  QToolBar* m_ownBar = nullptr;
  CLineStateBar* m_lineBar = nullptr;
};

#endif
