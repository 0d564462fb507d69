#include "link/ccommandinputs.h"

void CCommandInputs::Add(Kind kind, const QString& path) {
  if (const std::optional<CFileIdentity> identity = CFileIdentity::Of(path)) m_inputs.emplace_back(kind, *identity);
}

std::optional<CCommandInputs::Kind> CCommandInputs::Find(const QString& output) const {
  const std::optional<CFileIdentity> identity = CFileIdentity::Of(output);
  if (!identity) return std::nullopt;
  for (const auto& [kind, input] : m_inputs)
    if (input == *identity) return kind;
  return std::nullopt;
}
