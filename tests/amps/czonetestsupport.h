#ifndef SELV_TESTS_AMPS_CZONETESTSUPPORT_H
#define SELV_TESTS_AMPS_CZONETESTSUPPORT_H

// Fixtures of the zone, group, LAN-group, collection-call and topology
// tests: objects made the way the program makes them, and a recording
// stand-in for the consoles.

#include "amps/camplifier.h"
#include "amps/cgroup.h"
#include "amps/clangroup.h"
#include "amps/crelais.h"
#include "amps/crelaismanager.h"
#include "amps/czone.h"
#include "amps/izoneconsolehooks.h"
#include "ampstestsupport.h"
#include "model/cselvantisdoc.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <ostream>
#include <utility>
#include <vector>

// Readable failures for Qt texts.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& list, std::ostream* os) {
  *os << "{";
  for (int i = 0; i < list.size(); ++i) *os << (i ? ", \"" : "\"") << list.at(i).toStdString() << '"';
  *os << "}";
}

namespace zonetest {

// Amplifier models: AMV 5411 (4x1) and (2x2) are on the bus, the plain
// 2-channel amplifier is not.
constexpr int kAmpBus4 = 33074;
constexpr int kAmpBus2 = 33078;
constexpr int kAmpPlain2 = 33035;

inline CZone* AddZone(CSelvantisDoc& doc) {
  auto zone = std::make_unique<CZone>();
  if (!zone->Create(0, 1, 1, QString(), QRect(0, 0, 32, 32), CAT_ZONES, CZone::kBitmap, 3, &doc)) return nullptr;
  return doc.Adopt(std::move(zone));
}

// Zones 1..count.
inline std::vector<CZone*> AddZones(CSelvantisDoc& doc, int count) {
  std::vector<CZone*> zones;
  for (int i = 0; i < count; ++i) zones.push_back(AddZone(doc));
  return zones;
}

inline CAmplifier* AddAmplifier(CSelvantisDoc& doc, int kind) {
  return dynamic_cast<CAmplifier*>(doc.CreateObject(DT_AMPLIFIER, kind));
}

// A stand-in object of a type in a list (an audio output slot in list 5, a
// digital slot, a console, a control pad).
inline ampstest::PeerStandIn* AddObject(CSelvantisDoc& doc, int type, int category, int pins = 4) {
  auto peer = std::make_unique<ampstest::PeerStandIn>(type);
  if (!peer->Create(0, pins, pins, QString(), QRect(), category, 0, 0, &doc)) return nullptr;
  return doc.Adopt(std::move(peer));
}

// A relay placed the way the canvas places one (it takes a number by kind).
inline CRelais* AddRelay(CSelvantisDoc& doc, int kind) {
  auto relay = std::make_unique<CRelais>();
  if (!relay->Create(kind, 1, 1, QString(), QRect(), CAT_MISC, CRelais::kBitmap, 3, &doc)) return nullptr;
  return doc.Adopt(std::move(relay));
}

inline CRelais* RelayR(CSelvantisDoc& doc, int n) { return CRelaisManager::Of(&doc)->GetRelayR(uint32_t(n)); }
inline CRelais* RelayS(CSelvantisDoc& doc, int n) { return CRelaisManager::Of(&doc)->GetRelayS(uint32_t(n)); }

// True when some record of some object of the document points at object.
inline bool AnyRecordPointsAt(const CSelvantisDoc& doc, const CBaseDevice* object) {
  for (CBaseDevice* other : doc.GetAllObjects()) {
    for (const ConnectionRecord& r : other->GetInputConnections())
      if (r.pPeer == object) return true;
    for (const ConnectionRecord& r : other->GetOutputConnections())
      if (r.pPeer == object) return true;
  }
  return false;
}

// Records what zones ask of the consoles; installed while it lives.
class RecordingConsoleHooks final : public IZoneConsoleHooks {
 public:
  RecordingConsoleHooks() : m_previous(IZoneConsoleHooks::Install(this)) {}
  ~RecordingConsoleHooks() override { IZoneConsoleHooks::Install(m_previous); }
  RecordingConsoleHooks(const RecordingConsoleHooks&) = delete;
  RecordingConsoleHooks& operator=(const RecordingConsoleHooks&) = delete;

  void ProgramSelectionKeys(CZone& zone) override { programmed.push_back(zone.GetID()); }
  void DisableKey(CBaseDevice& console, int port) override { disabled.emplace_back(&console, port); }

  std::vector<int> programmed;
  std::vector<std::pair<CBaseDevice*, int>> disabled;

 private:
  IZoneConsoleHooks* m_previous;
};

}  // namespace zonetest

#endif
