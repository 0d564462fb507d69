#ifndef SELV_AMPS_CRELAISMANAGER_H
#define SELV_AMPS_CRELAISMANAGER_H

#include "model/idocumentextension.h"

#include <array>
#include <cstdint>
#include <vector>

class CBaseDevice;
class CRelais;
class CSelvantisDoc;

// The document's second numbering of relays: the "r" series (relays on
// KCM208 cards, 1..500), the "s" series (KCM209 cards, 1..100) and the
// collection-call numbers (1..10) of relay topologies. One per document,
// attached as a document extension. It points at objects of its document and
// owns none; an object leaving the document leaves the tables with it.
//
// Numbers outside a table's range are refused by every operation. Claims
// never overwrite a taken slot, and a release frees a slot only when it holds
// exactly the relay named.
class CRelaisManager final : public IDocumentExtension {
 public:
  static constexpr const char* kExtensionKey = "RelaisManager";
  static constexpr uint32_t kMaxRelayR = 500;
  static constexpr uint32_t kMaxRelayS = 100;
  static constexpr uint32_t kMaxTopology = 10;

  CRelaisManager();
  CRelaisManager(const CRelaisManager&) = delete;
  CRelaisManager& operator=(const CRelaisManager&) = delete;

  // The manager of a document; null for a null document.
  static CRelaisManager* Of(CSelvantisDoc* doc);

  // ---- "r" series -----------------------------------------------------------
  // Stores the relay under the lowest free number 1..499 and returns it; 0
  // when all are taken (500 is only given by an explicit claim).
  uint32_t AddRelayR(CRelais* relay);
  uint32_t GetFreeRelayR() const;
  int ReleaseRelayR(const CRelais* relay, uint32_t number);
  int ClaimRelayR(CRelais* relay, uint32_t number);
  CRelais* GetRelayR(uint32_t number) const;
  int RemoveRelayR(const CBaseDevice* object);
  // Appends the relays of the used slots in number order.
  void ListRelaysR(std::vector<CRelais*>& out) const;
  // 1 when count free slots (not necessarily adjacent) are met walking up
  // from first; 0 when the end of the series comes first or first is
  // negative; 1 for a count of 0. There is no slot 0: a first number of 0
  // starts at 1.
  int CountFreeRelaysR(int first, uint32_t count) const;

  // ---- "s" series -----------------------------------------------------------
  // Lowest free number 1..99; 0 when none.
  uint32_t AddRelayS(CRelais* relay);
  uint32_t GetFreeRelayS() const;
  int ReleaseRelayS(const CRelais* relay, uint32_t number);
  int ClaimRelayS(CRelais* relay, uint32_t number);
  CRelais* GetRelayS(uint32_t number) const;
  int RemoveRelayS(const CBaseDevice* object);
  void ListRelaysS(std::vector<CRelais*>& out) const;

  // ---- Collection-call numbers ------------------------------------------------
  int ClaimTopology(CBaseDevice* topology, uint32_t number);
  int RemoveTopology(const CBaseDevice* object);
  // The topology holding the number; null when free or out of range.
  CBaseDevice* GetTopology(uint32_t number) const;

  // ---- Document extension -------------------------------------------------------
  void Reset() override;
  void OnObjectRemoved(CBaseDevice& object) override;

 private:
  // Index 0 is never used, so a slot's index is its number.
  std::array<CRelais*, kMaxRelayR + 1> m_relaysR{};
  std::array<CRelais*, kMaxRelayS + 1> m_relaysS{};
  std::array<CBaseDevice*, kMaxTopology + 1> m_topologies{};
};

#endif
