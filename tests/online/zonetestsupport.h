#ifndef SELV_TESTS_ONLINE_ZONETESTSUPPORT_H
#define SELV_TESTS_ONLINE_ZONETESTSUPPORT_H

#include "amps/czonetestsupport.h"
#include "onlinetestsupport.h"

#include <vector>

// A project with an amplifier on the bus feeding the first `fed` of
// `count` zones (zones 1..count, the rest unfed), on a recording link.
class ZoneListTest : public OnlineTest {
 protected:
  void MakeZones(int count, int fed) {
    auto* amp = zonetest::AddAmplifier(m_doc, zonetest::kAmpBus4);
    ASSERT_NE(amp, nullptr);
    for (int i = 0; i < count; ++i) {
      CZone* zone = zonetest::AddZone(m_doc);
      ASSERT_NE(zone, nullptr);
      m_zones.push_back(zone);
    }
    for (int i = 0; i < fed; ++i) CBaseDevice::Connect(amp, i, m_zones[i], 0);
  }
  std::vector<CZone*> m_zones;
};

#endif
