#ifndef SELV_SHELL_CONTROLS_CFRAMEHOSTDIALOG_H
#define SELV_SHELL_CONTROLS_CFRAMEHOSTDIALOG_H

#include "shell/controls/chostframeregistry.h"
#include "shell/controls/cresizabledialog.h"
#include "shell/controls/hostframekind.h"

#include <QPointer>

#include <cstdint>

class CSelvantisDoc;
class QHBoxLayout;
class QRect;
class QSize;
class QToolBar;

// The modal editor host: shows one editor frame at a time, filling its
// client area. The frames' switch bars post a switch command to the host,
// which then replaces the shown frame by the frame of that command's kind;
// the old frame is gone before the new one is created, so two editors never
// work on the same objects at once. A kind without a registered frame shows
// a placeholder. The rectangle is kept per kind the host opens with, in
// "Settings"/"DlgSizeHost<kind>".
//
// A frame's bar of switch buttons (a tool bar with kSwitchColumnProperty
// set) stands in the host's own column down its left edge, from the top,
// whatever bars the frame has above its contents: a switch button is at the
// same place in every window. The column goes with its frame.
class CFrameHostDialog : public CResizableDialog {
  Q_OBJECT

 public:
  static constexpr unsigned kTemplateId = 469;
  static constexpr const char* kSwitchColumnProperty = "hostSwitchColumn";

  CFrameHostDialog(CSelvantisDoc* doc, HostFrameKind kind, QWidget* parent = nullptr,
                   const CHostFrameRegistry& frames = CHostFrameRegistry::Global());
  ~CFrameHostDialog() override;

  CSelvantisDoc* GetDocument() const noexcept { return m_doc; }
  HostFrameKind GetKind() const noexcept { return m_kind; }
  // The frame shown now (null before the dialog is first shown).
  QWidget* GetFrame() const { return m_frame.data(); }
  // The frame's bar of switch buttons in the host's left column, or null.
  QToolBar* GetSwitchColumn() const;
  // Whether the shown frame is the placeholder of a kind without frame.
  bool IsPlaceholder() const noexcept { return m_placeholder; }

  // Posts a switch command to the host; it is carried out once the caller
  // (usually the frame that is about to be replaced) has returned. Returns
  // false for a command that is not a switch command.
  bool PostSwitchCommand(uint32_t command);
  // Replaces the frame now. A command that is not a switch command changes
  // nothing and returns false.
  bool OnSwitchCommand(uint32_t command);
  // Shows the frame of kind, replacing the current one. False for an
  // invalid kind.
  bool ShowFrame(HostFrameKind kind);

  // Opens a host for doc with the frame of kind over parent and runs it
  // modally; returns DoModal's result.
  static int Run(CSelvantisDoc* doc, HostFrameKind kind, QWidget* parent = nullptr);

  // The window title of a kind: the text of its switch command.
  static QString KindTitle(HostFrameKind kind);
  // The host that shows frame (walking up its parents), or null.
  static CFrameHostDialog* HostOf(QWidget* frame);

  // How many rows of its list a frame shows when the host opens.
  static constexpr int kRowsOnOpening = 15;
  // The size the host opens at when the profile holds none: the frame's
  // own size, grown so that its list (whose size hint is listHint) shows
  // listNeed, at least kMinOpeningWidth wide, within the work area.
  static constexpr int kMinOpeningWidth = 960;
  static QSize OpeningSize(const QSize& frameHint, int listHint, int listNeed, const QRect& available);
  // OpeningSize for the frame shown now on a work area of available.
  QSize OpeningSizeOn(const QRect& available) const;

 protected:
  bool OnInitDialog() override;
  // The switch buttons' status tips go to the frame's status bar.
  bool event(QEvent* event) override;

 private:
  void TakeSwitchColumn(QWidget* frame);

  CSelvantisDoc* m_doc;
  HostFrameKind m_kind;
  const CHostFrameRegistry& m_frames;
  QHBoxLayout* m_layout;
  QPointer<QWidget> m_frame;
  QPointer<QToolBar> m_switchColumn;
  bool m_placeholder = false;
};

#endif
