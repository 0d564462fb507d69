#ifndef SELV_EDITORS_LISTS_CSPLITLISTFRAME_H
#define SELV_EDITORS_LISTS_CSPLITLISTFRAME_H

#include "editors/lists/framebars.h"
#include "shell/controls/chostframeregistry.h"

#include <QMainWindow>
#include <QSplitter>

#include <cstdint>
#include <functional>
#include <vector>

class CSelvantisDoc;
class QAction;
class QProgressBar;
class QToolBar;

// The frame of an entry list made of two side-by-side lists: the editor
// toolbar (switches to the other editors), one command toolbar, a splitter
// with the two panes and a status bar that carries the progress of a
// whole-list transfer. Owns its bars and panes (as children).
class CSplitListFrame : public QMainWindow {
  Q_OBJECT

 public:
  CSplitListFrame(const HostFrameContext& context, QWidget* parent = nullptr);
  ~CSplitListFrame() override;

  CSelvantisDoc* GetDocument() const noexcept { return m_doc; }
  QSplitter* Splitter() const noexcept { return m_splitter; }
  // The action of a toolbar command, or null.
  QAction* Action(uint32_t id) const { return m_bars.Action(id); }

  // Commands of the toolbars and keys; false for one the frame does not
  // handle. The frame's own commands are the derived frame's. The bars and
  // the lists give them through Dispatch.
  virtual bool OnCommand(uint32_t id);
  // Editor switches, Save and "Save VMX settings"; true when handled.
  bool RouteEntryFrameCommand(uint32_t id);

  // The progress bar while a transfer runs, else null.
  QProgressBar* Progress() const { return m_bars.Progress(); }
  // total 0 removes the bar.
  void ShowProgress(int done, int total) { m_bars.ShowProgress(done, total); }
  // ShowProgress for a transfer, inert once the frame has gone.
  std::function<void(int done, int total)> ProgressReporter() { return m_bars.ProgressReporter(); }

  // The tool tip of a command's string: the part after the line break when
  // there is one, at most 80 characters.
  static QString ToolTipOf(const QString& text) { return FrameBars::ToolTipOf(text); }

 protected:
  // The command toolbar: ids in bar order, 0 for a separator.
  QToolBar* CreateCommandBar(const std::vector<uint32_t>& ids);
  // Download/Upload-like commands follow the link state of this moment.
  void EnableWithLink(const std::vector<uint32_t>& ids);
  // The commands that add or remove entries (New, Delete): refused with a
  // word while the line to the unit is in use, since a transfer may still
  // use the entries.
  void SetEntryCommands(std::vector<uint32_t> ids) { m_entryCommands = std::move(ids); }
  // Puts the two lists side by side at the given widths; the left one
  // carries the whole-list transfers and reports their progress. The
  // commands of both lists come to OnCommand.
  template <class Left, class Right>
  void SetLists(Left* left, Right* right, int leftWidth, int rightWidth) {
    AddList(left);
    AddList(right);
    Splitter()->setSizes({leftWidth, rightWidth});
    left->SetProgressHandler(ProgressReporter());
  }
  template <class List>
  void AddList(List* list) {
    Splitter()->addWidget(list);
    connect(list, &List::command, this, [this](uint32_t id) { Dispatch(id); });
  }
  // Runs a whole-list transfer under the wait cursor, the frame's other
  // transfer button other disabled meanwhile (CFrameTransfer), and removes
  // the progress bar when it ends. False when it was refused (the line is
  // in use) or the frame went meanwhile: the caller touches nothing then.
  bool RunTransfer(uint32_t other, const std::function<void()>& transfer);

 private:
  // A command of the bars or the lists.
  void Dispatch(uint32_t id);

  CSelvantisDoc* m_doc;
  QSplitter* m_splitter;
  FrameBars m_bars;
  std::vector<uint32_t> m_entryCommands;
};

#endif
