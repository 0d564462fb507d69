#include "amps/crelaismanager.h"

#include "amps/crelais.h"
#include "model/cselvantisdoc.h"

#include <QString>

#include <memory>

namespace {

const bool g_registered = [] {
  CSelvantisDoc::RegisterExtension(QString::fromLatin1(CRelaisManager::kExtensionKey),
                                   [](CSelvantisDoc&) { return std::make_unique<CRelaisManager>(); });
  return true;
}();

// The tables share their rules; lastFree is the highest number AddRelay*
// hands out.
template <class T, std::size_t N>
uint32_t LowestFree(const std::array<T*, N>& table, uint32_t lastFree) {
  for (uint32_t n = 1; n <= lastFree && n < N; ++n) {
    if (table[n] == nullptr) return n;
  }
  return 0;
}

template <class T, std::size_t N>
int Claim(std::array<T*, N>& table, T* object, uint32_t number) {
  if (object == nullptr || number < 1 || number >= N || table[number] != nullptr) return 0;
  table[number] = object;
  return 1;
}

template <class T, std::size_t N>
int Release(std::array<T*, N>& table, const T* object, uint32_t number) {
  if (number < 1 || number >= N || object == nullptr || table[number] != object) return 0;
  table[number] = nullptr;
  return 1;
}

template <class T, std::size_t N>
int RemoveAll(std::array<T*, N>& table, const CBaseDevice* object) {
  for (std::size_t n = 1; n < N; ++n) {
    if (object != nullptr && static_cast<const CBaseDevice*>(table[n]) == object) table[n] = nullptr;
  }
  return 1;
}

template <class T, std::size_t N>
T* Get(const std::array<T*, N>& table, uint32_t number) {
  return (number >= 1 && number < N) ? table[number] : nullptr;
}

}  // namespace

CRelaisManager::CRelaisManager() { (void)g_registered; }

CRelaisManager* CRelaisManager::Of(CSelvantisDoc* doc) {
  return doc != nullptr ? doc->GetExtension<CRelaisManager>() : nullptr;
}

uint32_t CRelaisManager::AddRelayR(CRelais* relay) {
  const uint32_t number = GetFreeRelayR();
  if (number != 0 && relay != nullptr) m_relaysR[number] = relay;
  return relay != nullptr ? number : 0;
}

uint32_t CRelaisManager::GetFreeRelayR() const { return LowestFree(m_relaysR, kMaxRelayR - 1); }

int CRelaisManager::ReleaseRelayR(const CRelais* relay, uint32_t number) { return Release(m_relaysR, relay, number); }

int CRelaisManager::ClaimRelayR(CRelais* relay, uint32_t number) { return Claim(m_relaysR, relay, number); }

CRelais* CRelaisManager::GetRelayR(uint32_t number) const { return Get(m_relaysR, number); }

int CRelaisManager::RemoveRelayR(const CBaseDevice* object) { return RemoveAll(m_relaysR, object); }

void CRelaisManager::ListRelaysR(std::vector<CRelais*>& out) const {
  for (uint32_t n = 1; n <= kMaxRelayR; ++n) {
    if (m_relaysR[n] != nullptr) out.push_back(m_relaysR[n]);
  }
}

int CRelaisManager::CountFreeRelaysR(int first, uint32_t count) const {
  if (first < 0) return 0;
  if (count == 0) return 1;
  uint32_t found = 0;
  for (uint32_t n = first < 1 ? 1u : static_cast<uint32_t>(first); n <= kMaxRelayR; ++n) {
    if (m_relaysR[n] == nullptr && ++found == count) return 1;
  }
  return 0;
}

uint32_t CRelaisManager::AddRelayS(CRelais* relay) {
  const uint32_t number = GetFreeRelayS();
  if (number != 0 && relay != nullptr) m_relaysS[number] = relay;
  return relay != nullptr ? number : 0;
}

uint32_t CRelaisManager::GetFreeRelayS() const { return LowestFree(m_relaysS, kMaxRelayS - 1); }

int CRelaisManager::ReleaseRelayS(const CRelais* relay, uint32_t number) { return Release(m_relaysS, relay, number); }

int CRelaisManager::ClaimRelayS(CRelais* relay, uint32_t number) { return Claim(m_relaysS, relay, number); }

CRelais* CRelaisManager::GetRelayS(uint32_t number) const { return Get(m_relaysS, number); }

int CRelaisManager::RemoveRelayS(const CBaseDevice* object) { return RemoveAll(m_relaysS, object); }

void CRelaisManager::ListRelaysS(std::vector<CRelais*>& out) const {
  for (uint32_t n = 1; n <= kMaxRelayS; ++n) {
    if (m_relaysS[n] != nullptr) out.push_back(m_relaysS[n]);
  }
}

int CRelaisManager::ClaimTopology(CBaseDevice* topology, uint32_t number) {
  return Claim(m_topologies, topology, number);
}

int CRelaisManager::RemoveTopology(const CBaseDevice* object) { return RemoveAll(m_topologies, object); }

CBaseDevice* CRelaisManager::GetTopology(uint32_t number) const { return Get(m_topologies, number); }

void CRelaisManager::Reset() {
  m_relaysR.fill(nullptr);
  m_relaysS.fill(nullptr);
  m_topologies.fill(nullptr);
}

void CRelaisManager::OnObjectRemoved(CBaseDevice& object) {
  // A deleted object is freed later; its numbers must be free at once, so a
  // renumbering that follows (card removal) can claim them.
  RemoveRelayR(&object);
  RemoveRelayS(&object);
  RemoveTopology(&object);
}
