#ifndef SELV_SHELL_CONTROLS_CFRAMEHOSTDIALOG_H
#define SELV_SHELL_CONTROLS_CFRAMEHOSTDIALOG_H

#include "link/lineuse.h"
#include "shell/controls/chostframeregistry.h"
#include "shell/controls/cresizabledialog.h"
#include "shell/controls/hostframekind.h"

#include <QPointer>

#include <cstdint>
#include <optional>

class CCloseWhileLineInUse;
class CSelvantisDoc;
class QHBoxLayout;
class QMessageBox;
class QRect;
class QSize;
class QToolBar;

// The modal editor host: shows one editor frame at a time, filling its
// client area. The frames' switch bars post a switch command to the host,
// which then replaces the shown frame by the frame of that command's kind;
// the old frame is gone before the new one is created, so two editors never
// work on the same objects at once. A kind without a registered frame shows
// a placeholder. The rectangle is kept in "Settings"/"DlgSize".
//
// A frame's bar of switch buttons (a tool bar with kSwitchColumnProperty
// set) stands in the host's own column down its left edge, from the top,
// whatever bars the frame has above its contents: a switch button is at the
// same place in every window. The column goes with its frame.
//
// A frame's transfer keeps the program's events flowing, and the frame may
// be used until the transfer's call has returned. So while the line to the
// unit is in use the switch column is disabled, and a switch that still
// comes (a posted command) is kept and carried out once the line is free:
// a frame is never replaced under a transfer. Closing the host (Esc, the
// window manager, reject) during a transfer asks whether to stop it; on Yes
// the transfer is cancelled and the host closes once its call has
// returned. The host never just hides while the line is in use.
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
  // Replaces the frame now (or once the line is free). A command that is
  // not a switch command changes nothing and returns false.
  bool OnSwitchCommand(uint32_t command);
  // Shows the frame of kind, replacing the current one; while the line is
  // in use the switch is kept until it is free. False for an invalid kind.
  bool ShowFrame(HostFrameKind kind);
  // The kind a kept switch will show, while one waits for the line.
  std::optional<HostFrameKind> PendingKind() const { return m_pendingKind; }
  // The question asked when the host is closed during a transfer, while it
  // is open (null otherwise).
  QMessageBox* StopQuestion() const;

  // Closing goes through here, however it is asked for: not while the line
  // is in use (see the class comment).
  void done(int result) override;

  // A command of a frame (or of a widget in it) that would destroy or
  // replace what the user of the line may still use (an entry's New or
  // Delete): while the line is in use it is refused with the word in the
  // frame's status bar, and true is returned.
  static bool RefusesWhileLineInUse(QWidget* frame);

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
  // The height the host opens at from a stored height: at least its switch
  // column's (columnHint), within the work area.
  static int TallEnoughFor(int height, int columnHint, const QRect& available);

 protected:
  bool OnInitDialog() override;
  // The switch buttons' status tips go to the frame's status bar.
  bool event(QEvent* event) override;

 private:
  void TakeSwitchColumn(QWidget* frame);
  void OnLineUseChanged(LineUse use);
  // A word in the shown frame's status bar.
  void ShowStatus(const QString& text);

  CSelvantisDoc* m_doc;
  HostFrameKind m_kind;
  const CHostFrameRegistry& m_frames;
  QHBoxLayout* m_layout;
  QPointer<QWidget> m_frame;
  QPointer<QToolBar> m_switchColumn;
  CCloseWhileLineInUse* m_lineUse;
  std::optional<HostFrameKind> m_pendingKind;
  bool m_placeholder = false;
};

#endif
