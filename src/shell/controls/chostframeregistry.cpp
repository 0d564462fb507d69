#include "shell/controls/chostframeregistry.h"

#include <QWidget>

#include <utility>

CHostFrameRegistry& CHostFrameRegistry::Global() {
  static CHostFrameRegistry registry;
  return registry;
}

bool CHostFrameRegistry::Register(HostFrameKind kind, Factory factory) {
  const int key = static_cast<int>(kind);
  if (!IsValidHostFrameKind(key) || !factory || m_factories.count(key) != 0) {
    return false;
  }
  m_factories.emplace(key, std::move(factory));
  return true;
}

bool CHostFrameRegistry::Has(HostFrameKind kind) const { return m_factories.count(static_cast<int>(kind)) != 0; }

QWidget* CHostFrameRegistry::Create(const HostFrameContext& context, QWidget* parent) const {
  const auto it = m_factories.find(static_cast<int>(context.kind));
  if (it == m_factories.end()) {
    return nullptr;
  }
  return it->second(context, parent);
}
