#ifndef SELV_SHELL_CONTROLS_CHOSTFRAMEREGISTRY_H
#define SELV_SHELL_CONTROLS_CHOSTFRAMEREGISTRY_H

#include "shell/controls/hostframekind.h"

#include <functional>
#include <map>

class CFrameHostDialog;
class CSelvantisDoc;
class QWidget;

// Everything a hosted frame is created with.
struct HostFrameContext {
  CSelvantisDoc* doc = nullptr;
  CFrameHostDialog* host = nullptr;
  HostFrameKind kind = HostFrameKind::VirtualControllers;
};

// The frames of the editor host dialog by kind. Each editor registers its
// frame from its own source file, so the host never names the editors:
//
//   SELV_REGISTER_HOST_FRAME(HostFrameKind::Triggers, CTriggerDlgFrm)
//
// where CTriggerDlgFrm has a constructor (const HostFrameContext&, QWidget*
// parent). The host owns the frame through its parent.
class CHostFrameRegistry final {
 public:
  using Factory = std::function<QWidget*(const HostFrameContext& context, QWidget* parent)>;

  CHostFrameRegistry() = default;
  CHostFrameRegistry(const CHostFrameRegistry&) = delete;
  CHostFrameRegistry& operator=(const CHostFrameRegistry&) = delete;

  // The registry the program's frames register in.
  static CHostFrameRegistry& Global();

  // False (and nothing changed) for an invalid kind, an empty factory or a
  // kind that already has a frame.
  bool Register(HostFrameKind kind, Factory factory);
  bool Has(HostFrameKind kind) const;
  // The frame of the kind as a child of parent, or null when no frame is
  // registered for it or the factory gave none.
  QWidget* Create(const HostFrameContext& context, QWidget* parent) const;

 private:
  std::map<int, Factory> m_factories;
};

#define SELV_REGISTER_HOST_FRAME(kind, cls)                                                                         \
  namespace {                                                                                                       \
  const bool cls##_hostFrameRegistered = CHostFrameRegistry::Global().Register(                                     \
      kind, [](const HostFrameContext& context, QWidget* parent) -> QWidget* { return new cls(context, parent); }); \
  }

#endif
