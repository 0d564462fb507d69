#ifndef SELV_TESTS_AMPS_AMPSTESTSUPPORT_H
#define SELV_TESTS_AMPS_AMPSTESTSUPPORT_H

// Helpers of the amplifier and relay tests: project-file round trips, old
// records made by patching the schema of a class tag, and stand-in objects.

#include "model/cbasedevice.h"
#include "model/cselvantisdoc.h"

#include <QBuffer>
#include <QByteArray>
#include <QString>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace ampstest {

inline QByteArray SaveBytes(const CSelvantisDoc& doc) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  const ProjectFileResult result = doc.SaveTo(buffer);
  EXPECT_TRUE(result.ok) << result.message.toStdString();
  return bytes;
}

inline std::unique_ptr<CSelvantisDoc> LoadBytes(QByteArray bytes) {
  auto doc = std::make_unique<CSelvantisDoc>();
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  const ProjectFileResult result = doc->LoadFrom(buffer);
  EXPECT_TRUE(result.ok) << result.message.toStdString();
  return doc;
}

inline std::unique_ptr<CSelvantisDoc> RoundTrip(const CSelvantisDoc& doc) { return LoadBytes(SaveBytes(doc)); }

// Rewrites the schema in the class tag of className (new-class tag 0xFFFF,
// schema WORD, name as a length-prefixed string), as an older program
// version would have written it. Returns false when the tag is not found.
inline bool PatchSchema(QByteArray& bytes, const char* className, int schema) {
  const QByteArray name(className);
  QByteArray needle;
  needle.append(char(name.size()));
  needle.append(name);
  int at = bytes.indexOf(needle);
  while (at >= 4) {
    if (uchar(bytes[at - 4]) == 0xFF && uchar(bytes[at - 3]) == 0xFF) {
      bytes[at - 2] = char(schema & 0xFF);
      bytes[at - 1] = char((schema >> 8) & 0xFF);
      return true;
    }
    at = bytes.indexOf(needle, at + 1);
  }
  return false;
}

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
