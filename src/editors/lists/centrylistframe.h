#ifndef SELV_EDITORS_LISTS_CENTRYLISTFRAME_H
#define SELV_EDITORS_LISTS_CENTRYLISTFRAME_H

#include "editors/lists/entrylistkind.h"
#include "editors/lists/framebars.h"
#include "shell/controls/chostframeregistry.h"

#include <QMainWindow>
#include <QProgressBar>

#include <cstdint>
#include <memory>
#include <vector>

class CCalendarWindowReference;
class CEBListView;
class CSelvantisDoc;
class QAction;
class QToolBar;

// The frame around one entry list inside the editor host dialog: the editor
// toolbar (switches to the other editors), the list toolbar (New, Delete,
// Upload, Download), the list view and a status bar that carries the
// progress of a whole-list transfer. Download and Upload follow the link
// state of the moment the frame is made (or, in the frames that ask for it,
// the link itself); New and Delete follow the entry count, and wait while
// the line to the unit is in use (a transfer may still use the entries).
// The frame owns its bars and the view (as children).
class CEntryListFrame : public QMainWindow {
  Q_OBJECT

 public:
  static constexpr int kEditorToolBar = 507;

  CEntryListFrame(const HostFrameContext& context, const EntryListKind& kind, QWidget* parent = nullptr);
  ~CEntryListFrame() override;

  CSelvantisDoc* GetDocument() const noexcept { return m_doc; }
  const EntryListKind& Kind() const noexcept { return m_kind; }
  CEBListView* GetView() const noexcept { return m_view; }
  // The action of a toolbar command, or null.
  QAction* Action(uint32_t id) const { return m_bars.Action(id); }

  // Commands as the toolbars, the host and the keys send them; false for a
  // command the frame does not handle.
  bool OnCommand(uint32_t id);
  // The shared router of switch, save and "Save VMX settings" commands;
  // true when the command was handled.
  bool RouteEntryFrameCommand(uint32_t id);

  void OnNew();
  // Deletes the selected entry and selects the one below it (or above).
  void DeleteSelectedEntry();
  void OnTransfer(bool bUpload);
  void UpdateNewDelete();

  // The progress bar while a transfer runs, else null.
  QProgressBar* Progress() const { return m_bars.Progress(); }
  // Shows and updates the progress of a transfer; total 0 removes the bar.
  void ShowProgress(int done, int total) { m_bars.ShowProgress(done, total); }

 protected:
  // Called once from the derived constructor: puts the view in and fills it.
  void SetView(CEBListView* view);
  // Download and Upload follow the link while the frame is open, instead of
  // keeping the state of the moment the frame was made.
  void FollowLinkWithTransfers();
  // New stays enabled when the list is full; choosing it then tells the
  // user that no more can be made, instead of a button that only greys out.
  void KeepNewEnabled() { m_bKeepNewEnabled = true; }
  // Delete stays enabled with no entry left; choosing it then deletes
  // nothing, as with no entry selected.
  void KeepDeleteEnabled() { m_bKeepDeleteEnabled = true; }

 private:
  void EnableTransfers(bool online);
  std::vector<FrameBars::Button> ListButtons() const;

  CSelvantisDoc* m_doc;
  EntryListKind m_kind;
  CEBListView* m_view = nullptr;
  FrameBars m_bars;
  bool m_bKeepNewEnabled = false;
  bool m_bKeepDeleteEnabled = false;
  // A calendar list's window, for the Calendar block while it is shown.
  std::unique_ptr<CCalendarWindowReference> m_calendarWindow;
};

#endif
