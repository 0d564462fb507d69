#ifndef SELV_TESTS_AMPS_AMPSTESTSUPPORT_H
#define SELV_TESTS_AMPS_AMPSTESTSUPPORT_H

// Helpers of the amplifier and relay tests: stand-in objects (project-file
// round trips and patched class tags come from support/projectbytes.h).

#include "model/cbasedevice.h"
#include "model/cselvantisdoc.h"
#include "support/projectbytes.h"

#include <QRect>
#include <QString>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace ampstest {

// Stands in for a class's record as another program version wrote it: it
// stores under className and writes the base record and then what extra
// writes.
class RecordStandIn final : public CBaseDevice {
 public:
  RecordStandIn(const char* className, int type, std::function<void(CArchive&)> extra = {})
      : m_className(className), m_extra(std::move(extra)) {
    SetType(type);
  }
  const char* GetClassName() const override { return m_className; }
  void Serialize(CArchive& ar) override {
    CBaseDevice::Serialize(ar);
    if (m_extra) m_extra(ar);
  }

 private:
  const char* m_className;
  std::function<void(CArchive&)> m_extra;
};

// A plain peer object (a zone, an audio output, a label) for wiring tests.
class PeerStandIn final : public CBaseDevice {
 public:
  explicit PeerStandIn(int type = DT_MEMOFLAG) { SetType(type); }
  const char* GetClassName() const override { return "PeerStandIn"; }
};

// Makes a peer in the document (category 12, no path).
inline PeerStandIn* AddPeer(CSelvantisDoc& doc, int pins = 4, int type = DT_MEMOFLAG) {
  auto peer = std::make_unique<PeerStandIn>(type);
  if (!peer->Create(0, pins, pins, QStringLiteral("peer"), QRect(), CAT_ENTRIES, 0, 0, &doc)) return nullptr;
  return doc.Adopt(std::move(peer));
}

}  // namespace ampstest

#endif
