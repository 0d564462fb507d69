#ifndef SELV_TESTS_SUPPORT_ARCHIVESAMPLES_H
#define SELV_TESTS_SUPPORT_ARCHIVESAMPLES_H

#include "model/cobject.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <vector>

// A small set of archive classes for archive tests, the fuzz harness and the
// damaged-file corpus (tools/fuzz/make-archive-corpus.py writes the same
// layout). A sample file is: a count of top-level records, the records, and
// nothing after them.

// Schema 2: name (string), value (int32, from schema 2 on; older records get
// kOldValue), peer (reference), children (count, then object records), tags
// (string list).
class CSampleNode final : public CObject {
  SELV_DECLARE_SERIAL(CSampleNode)
 public:
  static constexpr int32_t kOldValue = -1;
  void Serialize(CArchive& ar) override;

  QString m_name;
  int32_t m_value = 0;
  CObject* m_peer = nullptr;
  std::vector<std::unique_ptr<CObject>> m_children;
  QStringList m_tags;
  int m_loadedSchema = -1;
};

// Schema 1: double, float, uint16, uint8, int16, uint32 byte count and bytes.
class CSampleLeaf final : public CObject {
  SELV_DECLARE_SERIAL(CSampleLeaf)
 public:
  void Serialize(CArchive& ar) override;

  double m_double = 0.0;
  float m_float = 0.0f;
  uint16_t m_word = 0;
  uint8_t m_byte = 0;
  int16_t m_short = 0;
  QByteArray m_bytes;
};

// Reads a sample file; throws CArchiveException.
std::vector<std::unique_ptr<CObject>> ReadSampleArchive(const QByteArray& data);
QByteArray WriteSampleArchive(const std::vector<const CObject*>& roots);

#endif
