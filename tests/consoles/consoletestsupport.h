#ifndef SELV_TESTS_CONSOLES_CONSOLETESTSUPPORT_H
#define SELV_TESTS_CONSOLES_CONSOLETESTSUPPORT_H

// Fixtures of the console tests: the objects keys point at, made the way the
// program makes them (the recording link comes from support/recordinglink.h).

#include "amps/cgroup.h"
#include "amps/czone.h"
#include "consoles/cconskey.h"
#include "consoles/cconsole.h"
#include "macros/caudiosignal.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"
#include "support/recordinglink.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <ostream>
#include <vector>

inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& list, std::ostream* os) {
  *os << "{";
  for (int i = 0; i < list.size(); ++i) *os << (i ? ", \"" : "\"") << list.at(i).toStdString() << '"';
  *os << "}";
}

namespace constest {

inline CZone* AddZone(CSelvantisDoc& doc, const QString& name = QString()) {
  auto zone = std::make_unique<CZone>();
  if (!zone->Create(0, 1, 1, name, QRect(0, 0, 32, 32), CAT_ZONES, CZone::kBitmap, 3, &doc)) return nullptr;
  return doc.Adopt(std::move(zone));
}

// Zones 1..count (the first free identifiers).
inline std::vector<CZone*> AddZones(CSelvantisDoc& doc, int count) {
  std::vector<CZone*> zones;
  for (int i = 0; i < count; ++i) zones.push_back(AddZone(doc));
  return zones;
}

// A group fed by the zones.
inline CGroup* AddGroup(CSelvantisDoc& doc, const std::vector<CZone*>& zones) {
  CGroup* group = CGroup::CreateIn(doc, QRect(0, 0, 32, 32), CGroup::kLevelFromZone);
  for (CZone* zone : zones) CBaseDevice::Connect(zone, CZone::kGroupPin, group, 0);
  return group;
}

inline CGroup* AddRoot(CSelvantisDoc& doc, const std::vector<CZone*>& zones) {
  CGroup* root = CGroup::EnsureRoot(doc);
  for (CZone* zone : zones) CBaseDevice::Connect(zone, CZone::kGroupPin, root, 0);
  return root;
}

// A signal of kind (CAudioSignal::kKindAlarm, kKindChime, kKindMessage).
inline CAudioSignal* AddSignal(CSelvantisDoc& doc, int kind, const QString& name = QString()) {
  CAudioSignal* signal = CAudioSignal::CreateSignal(kind, doc);
  if (signal != nullptr && !name.isEmpty()) signal->SetName(name);
  return signal;
}

// Macros 1..count.
inline void AddMacros(CSelvantisDoc& doc, int count) {
  for (int i = 0; i < count; ++i) doc.CreateObject(DT_MACRO, 0);
}

inline CConsole* AddConsole(CSelvantisDoc& doc, int model = CConsProp::RCX6010, int x = 1000) {
  return CConsole::CreateIn(doc, model, QRect(x, 600, 64, 48));
}

// The input records of a console at key port (either sign form, any slot).
inline std::vector<ConnectionRecord> LinksOnPort(const CConsole& console, int port) {
  std::vector<ConnectionRecord> records;
  for (const ConnectionRecord& r : console.GetInputConnections())
    if (ConsolePinPort(r.nOwnPin) == port) records.push_back(r);
  return records;
}

// Output records of peer that point at the console.
inline int MirrorCount(const CBaseDevice& peer, const CConsole& console) {
  int n = 0;
  for (const ConnectionRecord& r : peer.GetOutputConnections())
    if (r.pPeer == &console && r.nPeerCategory == CAT_CONSOLES) ++n;
  return n;
}

}  // namespace constest

#endif
