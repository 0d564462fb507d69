#include "shell/cplaceobjectregistry.h"

#include "model/cbasedevice.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"

#include <algorithm>

namespace {
struct Stored {
  CPlaceObjectRegistry::Entry entry;
  int sequence;
};

std::vector<Stored>& Store() {
  static std::vector<Stored> store;
  return store;
}
}  // namespace

bool CPlaceObjectRegistry::Register(Entry entry) {
  Store().push_back({std::move(entry), static_cast<int>(Store().size())});
  return true;
}

std::vector<CPlaceObjectRegistry::Entry> CPlaceObjectRegistry::Entries() {
  std::vector<Stored> sorted = Store();
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const Stored& a, const Stored& b) { return a.entry.order < b.entry.order; });
  std::vector<Entry> entries;
  entries.reserve(sorted.size());
  for (Stored& s : sorted) {
    if (s.entry.groupTextId != 0) {
      const QString group = LoadString(s.entry.groupTextId);
      if (!group.isEmpty()) s.entry.group = group;
    }
    entries.push_back(std::move(s.entry));
  }
  return entries;
}

int CPlaceObjectRegistry::Count() { return static_cast<int>(Store().size()); }

void CPlaceObjectRegistry::Clear() { Store().clear(); }

QString CPlaceObjectRegistry::TextOf(const Entry& entry) {
  if (entry.textId != 0) {
    const QString text = LoadString(entry.textId);
    if (!text.isEmpty()) return text;
  }
  return entry.text;
}

bool CPlaceObjectRegistry::CanPlace(int index, const CSelvantisDoc& doc) {
  const std::vector<Entry> entries = Entries();
  if (index < 0 || index >= static_cast<int>(entries.size())) return false;
  const Entry& entry = entries[static_cast<size_t>(index)];
  return entry.type == 0 || doc.CanCreate(entry.type);
}

CBaseDevice* CPlaceObjectRegistry::Place(int index, CSelvantisDoc& doc, const QPoint& at) {
  const std::vector<Entry> entries = Entries();
  if (index < 0 || index >= static_cast<int>(entries.size())) return nullptr;
  const Entry& entry = entries[static_cast<size_t>(index)];
  CBaseDevice* object = entry.make ? entry.make(doc, at) : doc.CreateObject(entry.type, entry.kind);
  if (!object) return nullptr;
  // Classes put a new object where they put new ones (some a fixed distance
  // right of the point they are given); bring it to the point the user
  // chose (a program move: the move lock does not hold).
  const QPoint topLeft = object->GetRect().topLeft();
  object->Move(at.x() - topLeft.x(), at.y() - topLeft.y(), false);
  // Never onto another block: the nearest free place beside the point.
  object->AvoidOverlap();
  return object;
}
