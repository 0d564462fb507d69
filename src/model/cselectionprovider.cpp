#include "model/cselectionprovider.h"

#include <utility>

CSelectionProvider& CSelectionProvider::Global() {
  static CSelectionProvider registry;
  return registry;
}

bool CSelectionProvider::Register(uint32_t kind, Provider provider) {
  if (!provider || m_providers.count(kind) != 0) {
    return false;
  }
  m_providers.emplace(kind, std::move(provider));
  return true;
}

bool CSelectionProvider::Has(uint32_t kind) const { return m_providers.count(kind) != 0; }

SelectionList CSelectionProvider::ListChoices(const CSelvantisDoc* doc, const SelectionRequest& request) const {
  const auto it = m_providers.find(request.kind);
  if (it == m_providers.end()) {
    return SelectionList{};
  }
  return it->second(doc, request);
}

std::vector<uint32_t> CSelectionProvider::Kinds() const {
  std::vector<uint32_t> kinds;
  kinds.reserve(m_providers.size());
  for (const auto& entry : m_providers) {
    kinds.push_back(entry.first);
  }
  return kinds;
}
