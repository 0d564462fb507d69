#include "support/archivesamples.h"

#include "model/carchive.h"

#include <QBuffer>

SELV_IMPLEMENT_SERIAL(CSampleNode, 2)
SELV_IMPLEMENT_SERIAL(CSampleLeaf, 1)

void CSampleNode::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << m_name;
    if (ar.GetObjectSchema() >= 2) ar << m_value;
    ar.WriteReference(m_peer);
    ar.WriteCount(static_cast<uint32_t>(m_children.size()));
    for (const auto& child : m_children) ar.WriteObject(child.get());
    ar << m_tags;
    return;
  }
  m_loadedSchema = ar.GetObjectSchema();
  ar >> m_name;
  if (m_loadedSchema >= 2)
    ar >> m_value;
  else
    m_value = kOldValue;
  ar.ReadReference(&m_peer);
  const uint32_t count = ar.ReadCount(2);  // every record has at least its class tag
  m_children.clear();
  m_children.reserve(count);
  for (uint32_t i = 0; i < count; ++i) m_children.emplace_back(ar.ReadObject());
  ar >> m_tags;
}

void CSampleLeaf::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << m_double << m_float << m_word << m_byte << m_short;
    ar << static_cast<uint32_t>(m_bytes.size());
    ar.WriteBytes(m_bytes.constData(), static_cast<uint32_t>(m_bytes.size()));
    return;
  }
  uint32_t size = 0;
  ar >> m_double >> m_float >> m_word >> m_byte >> m_short >> size;
  if (size > ar.BytesLeft() || size > 0x7FFFFFF0u)
    throw CArchiveException(CArchiveException::Cause::BadCount, QStringLiteral("byte count"));
  m_bytes.resize(static_cast<int>(size));
  ar.ReadBytes(m_bytes.data(), size);
}

std::vector<std::unique_ptr<CObject>> ReadSampleArchive(const QByteArray& data) {
  QByteArray copy(data);
  QBuffer buffer(&copy);
  buffer.open(QIODevice::ReadOnly);
  CArchive ar(&buffer, CArchive::load);
  std::vector<std::unique_ptr<CObject>> roots;
  const uint32_t count = ar.ReadCount(2);
  for (uint32_t i = 0; i < count; ++i) roots.emplace_back(ar.ReadObject());
  if (ar.BytesLeft() != 0)
    throw CArchiveException(CArchiveException::Cause::Generic, QStringLiteral("data after the end"));
  ar.ResolveReferences();
  return roots;
}

QByteArray WriteSampleArchive(const std::vector<const CObject*>& roots) {
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  {
    CArchive ar(&buffer, CArchive::store);
    ar.WriteCount(static_cast<uint32_t>(roots.size()));
    for (const CObject* root : roots) ar.WriteObject(root);
  }
  buffer.close();
  return data;
}
