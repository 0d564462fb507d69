#include "model/cidmanager.h"

#include "model/cbasedevice.h"
#include "model/cmessagesink.h"
#include "model/ctext.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

struct PoolInfo {
  int maxId;       // highest identifier; 0: no pool
  int maxDevices;  // project limit without the project-size flag (0: none)
  int maxDevicesBig;
};

// Pool sizes and project limits by type code.
constexpr PoolInfo kPools[DT_COUNT] = {
    /* 0 none */ {0, 0, 0},
    /* 1 alarm generator */ {64, 0, 0},
    /* 2 amplifier */ {64, 0, 0},
    /* 3 appointment */ {50, 20, 50},
    /* 4 audio input device */ {64, 0, 0},
    /* 5 audio input slot */ {4, 0, 0},
    /* 6 audio output slot */ {4, 0, 0},
    /* 7 console */ {16, 0, 0},
    /* 8 control pad */ {512, 0, 0},
    /* 9 day program */ {20, 10, 20},
    /* 10 digital slot */ {1, 0, 0},
    /* 11 gong */ {64, 0, 0},
    /* 12 group (from 0) */ {100, 0, 0},
    /* 13 holiday */ {50, 20, 50},
    /* 14 info slot */ {1, 0, 0},
    /* 15 interface slot */ {1, 0, 0},
    /* 16 internal slot */ {16, 0, 0},
    /* 17 macro */ {250, 80, 250},
    /* 18 monitor */ {1, 0, 0},
    /* 19 relay topology */ {100, 0, 0},
    /* 20 reserved */ {0, 0, 0},
    /* 21 trigger */ {100, 0, 0},
    /* 22 week */ {1, 0, 0},
    /* 23 zone */ {100, 0, 0},
    /* 24 collection call */ {10, 0, 0},
    /* 25 message */ {64, 0, 0},
    /* 26 reserved */ {0, 0, 0},
    /* 27 miscellaneous audio */ {1, 0, 0},
    /* 28 alarm signal */ {64, 0, 0},
    /* 29 chime signal */ {64, 0, 0},
    /* 30 message signal */ {64, 0, 0},
    /* 31 clock */ {1, 0, 0},
    /* 32 fuse */ {1, 0, 0},
    /* 33 condition */ {250, 0, 0},
    /* 34 memo flag */ {200, 0, 0},
    /* 35 KCM201 */ {8, 0, 0},
    /* 36 relay */ {960, 0, 0},
    /* 37 reserved */ {0, 0, 0},
    /* 38 ready input */ {50, 0, 0},
    /* 39 virtual controller */ {1, 0, 0},
    /* 40 global ready input */ {1, 0, 0},
    /* 41 KCM208 */ {96, 0, 0},
    /* 42 KCM209 */ {96, 0, 0},
    /* 43 KCM212 */ {40, 0, 0},
    /* 44 KCM216 */ {8, 0, 0},
    /* 45 spare amplifier */ {1, 0, 0},
    /* 46 extended card data */ {1, 0, 0},
    /* 47 amplifier table */ {1, 0, 0},
    /* 48 logic output */ {250, 30, 250},
    /* 49 virtual-controller item */ {40, 40, 40},
    /* 50 trigger block */ {1, 0, 0},
    /* 51 calendar block */ {1, 0, 0},
    /* 52 condition block */ {1, 0, 0},
    /* 53 analog condition */ {20, 0, 0},
    /* 54 combine condition */ {50, 0, 0},
    /* 55 busy condition */ {50, 0, 0},
    /* 56 logic-output block */ {1, 0, 0},
    /* 57 macro block */ {1, 0, 0},
    /* 58 reserved */ {0, 0, 0},
    /* 59 fault */ {1, 0, 0},
    /* 60 internal message signal */ {64, 0, 0},
    /* 61 power management */ {1, 0, 0},
    /* 62 pilot-tone generator */ {1, 0, 0},
    /* 63 message recorder */ {1, 0, 0},
    /* 64 LAN group */ {64, 0, 0},
    /* 65 event log */ {1, 0, 0},
    /* 66 zone test */ {1, 0, 0},
    /* 67 console object */ {1, 0, 0},
};

bool HasPool(int type) { return IsValidDeviceType(type) && kPools[type].maxId > 0; }

}  // namespace

CIDManager::CIDManager() {
  for (int type = 0; type < DT_COUNT; ++type) {
    if (HasPool(type)) m_pools[type].assign(static_cast<size_t>(kPools[type].maxId) + 1, nullptr);
  }
}

int CIDManager::GetFirstID(int type) { return type == DT_GROUP ? 0 : 1; }

int CIDManager::GetPoolMaxID(int type) { return HasPool(type) ? kPools[type].maxId : 0; }

int CIDManager::GetPoolCapacity(int type) { return HasPool(type) ? kPools[type].maxId - GetFirstID(type) + 1 : 0; }

int CIDManager::GetMaxDevices(int type, bool bigProject) {
  if (!IsValidDeviceType(type)) return 0;
  return bigProject ? kPools[type].maxDevicesBig : kPools[type].maxDevices;
}

int CIDManager::GetCreateLimit(int type, bool bigProject) {
  const int capacity = GetPoolCapacity(type);
  const int limit = GetMaxDevices(type, bigProject);
  // 0 means "no limit": the pool decides.
  return (limit <= 0 || limit > capacity) ? capacity : limit;
}

bool CIDManager::IsInPool(int type, int id) const {
  return HasPool(type) && id >= GetFirstID(type) && id <= kPools[type].maxId;
}

int CIDManager::GetNextID(int type) const {
  if (!HasPool(type)) return 0;
  const std::vector<CBaseDevice*>& pool = m_pools[type];
  for (size_t id = 1; id < pool.size(); ++id) {
    if (pool[id] == nullptr) return static_cast<int>(id);
  }
  return 0;
}

bool CIDManager::IsIDFree(int type, int id) const {
  return IsInPool(type, id) && m_pools[type][static_cast<size_t>(id)] == nullptr;
}

bool CIDManager::AddID(CBaseDevice* object, int type, int id) {
  if (object == nullptr || !IsInPool(type, id)) return false;
  CBaseDevice*& slot = m_pools[type][static_cast<size_t>(id)];
  if (slot == object) return true;
  if (slot != nullptr) return false;
  slot = object;
  ++m_counts[type];
  return true;
}

bool CIDManager::RemoveID(int type, int id) {
  if (!IsInPool(type, id)) return false;
  CBaseDevice*& slot = m_pools[type][static_cast<size_t>(id)];
  if (slot == nullptr) return false;
  slot = nullptr;
  --m_counts[type];
  return true;
}

bool CIDManager::RemoveID(const CBaseDevice* object, int type, int id) {
  if (object == nullptr || FindBaseDevice(id, type) != object) return false;
  return RemoveID(type, id);
}

bool CIDManager::MoveID(CBaseDevice* object, int newId) {
  if (object == nullptr) return false;
  const int type = object->GetType();
  const int oldId = object->GetID();
  if (FindBaseDevice(oldId, type) != object) return false;
  if (newId == oldId) return true;
  if (!IsIDFree(type, newId)) return false;
  m_pools[type][static_cast<size_t>(oldId)] = nullptr;
  m_pools[type][static_cast<size_t>(newId)] = object;
  object->SetID(newId);
  object->RefreshPath();
  return true;
}

bool CIDManager::RemoveIDAndShift(int type, int id) {
  if (!IsInPool(type, id) || m_pools[type][static_cast<size_t>(id)] != nullptr) return false;
  std::vector<CBaseDevice*>& pool = m_pools[type];
  // Ascending: the slot below is always free when an object moves into it.
  for (size_t k = static_cast<size_t>(id) + 1; k < pool.size(); ++k) {
    CBaseDevice* object = pool[k];
    if (object == nullptr) continue;
    pool[k - 1] = object;
    pool[k] = nullptr;
    object->SetID(static_cast<int>(k - 1));
    object->RefreshPath();
  }
  return true;
}

CBaseDevice* CIDManager::FindBaseDevice(int id, int type) const {
  if (!IsInPool(type, id)) return nullptr;
  return m_pools[type][static_cast<size_t>(id)];
}

CBaseDevice* CIDManager::GetBaseDevice(int id, int type) const {
  if (IsValidDeviceType(type) && id == 0 && GetFirstID(type) == 1) return nullptr;
  if (!IsInPool(type, id)) {
    AfxMessageBox(QCoreApplication::translate("CIDManager", "IDManager: GetBaseDevice %1,%2\n").arg(id).arg(type),
                  MB_OK | MB_ICONSTOP);
    return nullptr;
  }
  return m_pools[type][static_cast<size_t>(id)];
}

void CIDManager::GetBaseDeviceList(std::vector<CBaseDevice*>& out, int type) const {
  if (!HasPool(type)) return;
  for (CBaseDevice* object : m_pools[type]) {
    if (object != nullptr) out.push_back(object);
  }
}

void CIDManager::GetBaseDeviceListByKind(std::vector<CBaseDevice*>& out, int type, int kind) const {
  if (!HasPool(type)) return;
  for (CBaseDevice* object : m_pools[type]) {
    if (object != nullptr && object->GetKind() == kind) out.push_back(object);
  }
}

int CIDManager::GetCount(int type) const {
  if (!IsValidDeviceType(type)) return -1;
  return m_counts[type];
}

int CIDManager::GetMaxID(int type) const {
  if (!IsValidDeviceType(type)) return -1;
  const std::vector<CBaseDevice*>& pool = m_pools[type];
  for (size_t id = pool.size(); id-- > 0;) {
    if (pool[id] != nullptr) return static_cast<int>(id);
  }
  return 0;
}

bool CIDManager::CanCreate(int type, bool bigProject) const {
  if (!HasPool(type)) return false;
  return m_counts[type] < GetCreateLimit(type, bigProject) && GetNextID(type) != 0;
}

void CIDManager::GetAmplifiersByTableRow(std::vector<CBaseDevice*>& out) const {
  std::vector<CBaseDevice*> amps;
  for (CBaseDevice* object : m_pools[DT_AMPLIFIER]) {
    if (object != nullptr && object->IsAddressableAmplifier()) amps.push_back(object);
  }
  std::stable_sort(amps.begin(), amps.end(), [](const CBaseDevice* a, const CBaseDevice* b) {
    return a->GetAmplifierBusAddress() < b->GetAmplifierBusAddress();
  });
  out.insert(out.end(), amps.begin(), amps.end());
}

CBaseDevice* CIDManager::FindAmpChannel(int globalChannel, int* channelInAmp) const {
  if (globalChannel < 1) return nullptr;
  std::vector<CBaseDevice*> amps;
  GetAmplifiersByTableRow(amps);
  int first = 1;
  for (CBaseDevice* amp : amps) {
    const int count = std::max(0, amp->GetAmplifierChannelCount());
    if (globalChannel < first + count) {
      if (channelInAmp != nullptr) *channelInAmp = globalChannel - first + 1;
      return amp;
    }
    first += count;
  }
  return nullptr;
}

QString CIDManager::GetAmpChannelName(int globalChannel) const {
  int channel = 0;
  if (CBaseDevice* amp = FindAmpChannel(globalChannel, &channel)) return amp->GetName() + Fmt(" CH%d", channel);
  return Fmt("%d *", globalChannel);
}

CBaseDevice* CIDManager::FindControlPadByKeyword(const QString& keyword, int number) const {
  for (CBaseDevice* object : m_pools[DT_CONTROLPAD]) {
    if (object != nullptr && object->MatchesPadKeyword(keyword, number)) return object;
  }
  return nullptr;
}

void CIDManager::Clear() {
  for (int type = 0; type < DT_COUNT; ++type) {
    std::fill(m_pools[type].begin(), m_pools[type].end(), nullptr);
    m_counts[type] = 0;
  }
}

std::vector<CBaseDevice*> CIDManager::GetAll() const {
  std::vector<CBaseDevice*> all;
  for (int type = 0; type < DT_COUNT; ++type) GetBaseDeviceList(all, type);
  return all;
}
