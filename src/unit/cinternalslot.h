#ifndef SELV_UNIT_CINTERNALSLOT_H
#define SELV_UNIT_CINTERNALSLOT_H

#include "model/cbasedevice.h"

#include <QRect>
#include <QString>

#include <functional>

class CSelvantisDoc;

// One function of the central unit on the canvas (macros, clock, triggers,
// calendar, audio signals, system) or hidden behind it (fuses, monitor,
// service): a fixed block whose properties open that function's editor. The
// kind is the function. The editors are widgets: they are reached through
// hooks the widget library sets, and without a hook nothing opens. The
// "Service" slot owns the command path "/SERVICE" and hands the replies under
// it to the service window while one is open.
class CInternalSlot final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CInternalSlot)

 public:
  static constexpr int kMenuId = 110;
  static constexpr int kIconSize = 32;

  enum Kind : int {
    KIND_MACRO = 32806,     // "Macro"
    KIND_CLOCK = 33011,     // "Clock"
    KIND_TRIGGER = 33085,   // "Trigger"
    KIND_CALENDAR = 33088,  // "Calendar"
    KIND_AUDIO = 34077,     // "Audio"
    KIND_SYSTEM = 34078,    // "System"
    KIND_FUSE = 33084,      // "Fuse"
    KIND_MONITOR = 33086,   // "Monitor"
    KIND_SERVICE = 33087,   // "Service"
  };
  // The kinds in the order a new project gets them (identifiers 1..9).
  static constexpr int kKindCount = 9;
  static const int kKinds[kKindCount];

  // What the properties of a kind open.
  enum class Opens { Nothing, FrameHost, AudioEditor, ServiceDialog };
  struct Target {
    Opens opens = Opens::Nothing;
    int frameKind = 0;  // for FrameHost: the editor frame hosted
  };
  static Target TargetOfKind(int kind);
  // The picture drawn for a kind; 0 for the kinds that draw nothing.
  static int IconOfKind(int kind);

  // Receives the reply lines the service slot routes while it is open.
  class IServiceWindow {
   public:
    virtual ~IServiceWindow() = default;
    virtual void ParseReply(const QString& line) = 0;
  };

  // The hooks of the widget library; each returns the one set before.
  // The modal host of one editor frame for a document.
  using FrameHostHook = std::function<bool(CSelvantisDoc& doc, int frameKind)>;
  // The audio-signal editor for a document.
  using AudioEditorHook = std::function<bool(CSelvantisDoc& doc)>;
  // The service dialog for the slot; the dialog announces itself with
  // SetServiceWindow while it is open.
  using ServiceDialogHook = std::function<bool(CInternalSlot& slot)>;
  static FrameHostHook SetFrameHostHook(FrameHostHook hook);
  static AudioEditorHook SetAudioEditorHook(AudioEditorHook hook);
  static ServiceDialogHook SetServiceDialogHook(ServiceDialogHook hook);

  CInternalSlot();
  ~CInternalSlot() override;

  void Serialize(CArchive& ar) override;

  // Icon kinds: the base drawing and the picture at the left; the hidden
  // kinds draw nothing at all.
  void Draw(IPainter& painter) override;
  QPoint IconPos() const;

  // Opens what the kind's table names, for this slot's own document. False
  // when there is no hook or the kind opens nothing.
  bool ShowProperties() override;
  // 33002 opens the properties; every other command does nothing.
  bool OnCommand(int id) override;
  // Only 33002 is enabled, while something can open: the block cannot be
  // deleted.
  void OnUpdateCommandUI(CCmdUI& cmdUI) override;
  // Whether a hook for what the kind opens is set.
  bool CanShowProperties() const;

  // The service slot hands the line to the open service window; any other
  // slot, or the service slot without a window, drops it.
  bool Upload(const QString& line, QString& errorFilePath, int mode) override;

  void SetServiceWindow(IServiceWindow* window) { m_pServiceWindow = window; }
  IServiceWindow* GetServiceWindow() const noexcept { return m_pServiceWindow; }

  // The project's slot of a kind, or null.
  static CInternalSlot* FindByKind(const CSelvantisDoc* doc, int kind);
  // Creates the slots of the kinds the project lacks.
  static void EnsureIn(CSelvantisDoc& doc);
  // The place of a kind's block on a new project's canvas; empty for the
  // hidden kinds.
  static QRect DefaultRect(int kind);

 private:
  IServiceWindow* m_pServiceWindow = nullptr;
};

#endif
