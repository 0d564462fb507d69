#ifndef SELV_MODEL_CIDMANAGER_H
#define SELV_MODEL_CIDMANAGER_H

#include "model/devicetype.h"

#include <QString>

#include <array>
#include <vector>

class CBaseDevice;

// The document's per-type identifier pools: which object holds which
// identifier of its type. Holds pointers to the document's objects, owns
// none. Identifiers of a type run from 1 (groups from 0, the root group) to
// the pool's highest identifier (GetPoolMaxID).
class CIDManager final {
 public:
  CIDManager();
  CIDManager(const CIDManager&) = delete;
  CIDManager& operator=(const CIDManager&) = delete;

  // ---- The pools (fixed per type) --------------------------------------------
  // Lowest identifier of the type: 0 for groups, else 1.
  static int GetFirstID(int type);
  // Highest identifier of the type; 0 for a type without a pool.
  static int GetPoolMaxID(int type);
  // How many identifiers the pool holds.
  static int GetPoolCapacity(int type);
  // The most objects of the type a project may hold, 0 = no limit; the
  // project-size (upgrade) flag raises some limits.
  static int GetMaxDevices(int type, bool bigProject);
  // The limit a New command works against: GetMaxDevices, or the pool's
  // capacity where that is 0 (no limit) or larger than the pool.
  static int GetCreateLimit(int type, bool bigProject);

  // ---- Identifiers --------------------------------------------------------------
  // The lowest free identifier from 1 (not taken); 0 when none is free or the
  // type has no pool.
  int GetNextID(int type) const;
  bool IsIDFree(int type, int id) const;
  bool IsInPool(int type, int id) const;
  // Registers an object under an identifier; false when the identifier is
  // outside the pool or another object holds it (re-adding the same object
  // is fine).
  bool AddID(CBaseDevice* object, int type, int id);
  // Frees the identifier; false when it was free or outside the pool.
  bool RemoveID(int type, int id);
  // Frees the identifier when it is held by object.
  bool RemoveID(const CBaseDevice* object, int type, int id);
  // Moves an object to another free identifier of its pool, tells it
  // (SetID) and re-registers its path. False when the identifier is outside
  // the pool or taken, or the object is not in the pool.
  bool MoveID(CBaseDevice* object, int newId);
  // Closes the gap at id (which must be free): every higher object of the
  // type moves down by one, in ascending order, told through SetID, its path
  // re-registered. False when id is outside the pool or still taken.
  bool RemoveIDAndShift(int type, int id);

  // ---- Look-ups ------------------------------------------------------------------
  // The object of the type with the identifier, or null. A bad type or an
  // identifier outside the pool shows "IDManager: GetBaseDevice %d,%d\n"
  // (identifier, type); identifier 0 of a type numbered from 1 gives null
  // without a message.
  CBaseDevice* GetBaseDevice(int id, int type) const;
  // The same without any message (range-checked uploads).
  CBaseDevice* FindBaseDevice(int id, int type) const;
  // Appends the objects of the type in identifier order.
  void GetBaseDeviceList(std::vector<CBaseDevice*>& out, int type) const;
  void GetBaseDeviceListByKind(std::vector<CBaseDevice*>& out, int type, int kind) const;
  // Number of objects of the type; -1 for a bad type.
  int GetCount(int type) const;
  // Highest identifier in use; 0 when none (-1 for a bad type).
  int GetMaxID(int type) const;
  // True while a New command of the type may create one more object.
  bool CanCreate(int type, bool bigProject) const;

  // ---- Amplifiers and control pads -------------------------------------------------
  // Appends the addressable amplifiers in order of their bus address.
  void GetAmplifiersByTableRow(std::vector<CBaseDevice*>& out) const;
  // The addressable amplifiers number their outputs consecutively from 1 in
  // bus-address order. The name of the amplifier that holds the global
  // channel followed by " CH%d" with the channel within it, or "%d *" with
  // the number when no amplifier holds it.
  QString GetAmpChannelName(int globalChannel) const;
  // The amplifier holding the global channel and the channel within it
  // (from 1); null when none.
  CBaseDevice* FindAmpChannel(int globalChannel, int* channelInAmp) const;
  // The control pad whose keyword and number match, in identifier order, or
  // null.
  CBaseDevice* FindControlPadByKeyword(const QString& keyword, int number) const;

  // Forgets every entry.
  void Clear();
  // Every object held, type by type in identifier order.
  std::vector<CBaseDevice*> GetAll() const;

 private:
  std::array<std::vector<CBaseDevice*>, DT_COUNT> m_pools;
  std::array<int, DT_COUNT> m_counts{};
};

#endif
