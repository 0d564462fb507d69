#include "model/carchive.h"

#include "model/cobject.h"
#include "model/cschemareading.h"

#include <QCoreApplication>
#include <QIODevice>
#include <QLoggingCategory>
#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace {

Q_LOGGING_CATEGORY(lcArchive, "sx.model.archive")

constexpr uint16_t kNullTag = 0;
constexpr uint16_t kNewClassTag = 0xFFFF;
constexpr uint16_t kClassIndexFlag = 0x8000;
constexpr uint16_t kMaxClassIndex = 0x7FFE;
constexpr uint8_t kLongStringByte = 0xFF;
constexpr uint16_t kLongerStringWord = 0xFFFF;
constexpr uint16_t kLongCountWord = 0xFFFF;
// A QByteArray holds at most INT_MAX bytes; no real text comes near this.
constexpr uint32_t kMaxStringBytes = 0x7FFFFFF0;

QString Tr(const char* text) { return QCoreApplication::translate("CArchive", text); }

// A class name from a damaged file may be anything; keep the message readable.
QString Printable(const QString& name) {
  QString out;
  for (QChar c : name.left(60)) out += c.isPrint() ? c : QChar(u'?');
  if (name.size() > 60) out += QStringLiteral("...");
  return out;
}

}  // namespace

CArchive::CArchive(QIODevice* device, Mode mode) : m_device(device), m_mode(mode) { Q_ASSERT(device); }

CArchive::~CArchive() {
  if (UnresolvedReferenceCount() > 0)
    qCWarning(lcArchive) << UnresolvedReferenceCount() << "references point to objects that were never stored";
}

void CArchive::Fail(CArchiveException::Cause cause, const QString& message) const {
  const qint64 at = m_device ? m_device->pos() : 0;
  throw CArchiveException(
      cause, message + QLatin1Char(' ') + Tr(QT_TRANSLATE_NOOP("CArchive", "(at byte %1)")).arg(QString::number(at)));
}

qint64 CArchive::BytesLeft() const {
  if (!m_device) return 0;
  return std::max<qint64>(0, m_device->bytesAvailable());
}

void CArchive::Need(qint64 bytes) const {
  if (!m_device || !m_device->isReadable())
    Fail(CArchiveException::Cause::Generic, Tr(QT_TRANSLATE_NOOP("CArchive", "The file cannot be read.")));
  if (bytes < 0 || BytesLeft() < bytes)
    Fail(CArchiveException::Cause::EndOfFile, Tr(QT_TRANSLATE_NOOP("CArchive", "The file ends too early.")));
}

void CArchive::Read(void* data, qint64 size) {
  Need(size);
  if (size == 0) return;
  if (m_device->read(static_cast<char*>(data), size) != size)
    Fail(CArchiveException::Cause::EndOfFile, Tr(QT_TRANSLATE_NOOP("CArchive", "The file ends too early.")));
}

void CArchive::Write(const void* data, qint64 size) {
  if (!m_device || !m_device->isWritable())
    Fail(CArchiveException::Cause::Generic, Tr(QT_TRANSLATE_NOOP("CArchive", "The file cannot be written.")));
  if (size == 0) return;
  if (m_device->write(static_cast<const char*>(data), size) != size)
    Fail(CArchiveException::Cause::Generic,
         Tr(QT_TRANSLATE_NOOP("CArchive", "Writing the file failed: %1")).arg(m_device->errorString()));
}

void CArchive::Patch(qint64 position, uint32_t value) {
  const qint64 here = m_device->pos();
  const uint32_t le = qToLittleEndian(value);
  if (!m_device->seek(position) ||
      m_device->write(reinterpret_cast<const char*>(&le), sizeof le) != qint64(sizeof le) || !m_device->seek(here))
    Fail(CArchiveException::Cause::Generic,
         Tr(QT_TRANSLATE_NOOP("CArchive", "Writing the file failed: %1")).arg(m_device->errorString()));
}

// Primitives: fixed-size little-endian values.

#define SELV_ARCHIVE_PRIMITIVE(T)        \
  CArchive& CArchive::operator<<(T v) {  \
    const T le = qToLittleEndian(v);     \
    Write(&le, sizeof le);               \
    return *this;                        \
  }                                      \
  CArchive& CArchive::operator>>(T& v) { \
    T le;                                \
    Read(&le, sizeof le);                \
    v = qFromLittleEndian(le);           \
    return *this;                        \
  }

SELV_ARCHIVE_PRIMITIVE(uint8_t)
SELV_ARCHIVE_PRIMITIVE(uint16_t)
SELV_ARCHIVE_PRIMITIVE(uint32_t)
SELV_ARCHIVE_PRIMITIVE(int32_t)
SELV_ARCHIVE_PRIMITIVE(int16_t)
#undef SELV_ARCHIVE_PRIMITIVE

CArchive& CArchive::operator<<(float v) {
  uint32_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  return *this << bits;
}

CArchive& CArchive::operator>>(float& v) {
  uint32_t bits;
  *this >> bits;
  std::memcpy(&v, &bits, sizeof v);
  return *this;
}

CArchive& CArchive::operator<<(double v) {
  uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  const uint64_t le = qToLittleEndian(bits);
  Write(&le, sizeof le);
  return *this;
}

CArchive& CArchive::operator>>(double& v) {
  uint64_t le;
  Read(&le, sizeof le);
  const uint64_t bits = qFromLittleEndian(le);
  std::memcpy(&v, &bits, sizeof v);
  return *this;
}

// Strings: a length prefix that grows with the text, then Latin-1 bytes.

CArchive& CArchive::operator<<(const QString& v) {
  const QByteArray bytes = v.toLatin1();
  const uint32_t size = static_cast<uint32_t>(bytes.size());
  if (size < kLongStringByte) {
    *this << static_cast<uint8_t>(size);
  } else if (size < 0xFFFE) {
    *this << kLongStringByte << static_cast<uint16_t>(size);
  } else {
    *this << kLongStringByte << kLongerStringWord << size;
  }
  Write(bytes.constData(), size);
  return *this;
}

CArchive& CArchive::operator>>(QString& v) {
  uint8_t b = 0;
  *this >> b;
  uint32_t size = b;
  if (b == kLongStringByte) {
    uint16_t w = 0;
    *this >> w;
    size = w;
    if (w == kLongerStringWord) *this >> size;
  }
  // Checked before the allocation: a damaged length must not reserve gigabytes.
  if (qint64(size) > BytesLeft() || size > kMaxStringBytes)
    Fail(CArchiveException::Cause::BadCount,
         Tr(QT_TRANSLATE_NOOP("CArchive", "A text is longer than the rest of the file.")));
  QByteArray bytes(static_cast<int>(size), Qt::Uninitialized);
  Read(bytes.data(), size);
  v = QString::fromLatin1(bytes);
  return *this;
}

CArchive& CArchive::operator<<(const QStringList& v) {
  WriteCount(static_cast<uint32_t>(v.size()));
  for (const QString& s : v) *this << s;
  return *this;
}

CArchive& CArchive::operator>>(QStringList& v) {
  const uint32_t count = ReadCount(1);  // every string takes at least its length byte
  QStringList list;
  list.reserve(static_cast<int>(count));
  for (uint32_t i = 0; i < count; ++i) {
    QString s;
    *this >> s;
    list << s;
  }
  v = list;
  return *this;
}

void CArchive::WriteCount(uint32_t count) {
  if (count < kLongCountWord) {
    *this << static_cast<uint16_t>(count);
  } else {
    *this << kLongCountWord << count;
  }
}

uint32_t CArchive::ReadCount(uint32_t minBytesPerItem) {
  uint16_t w = 0;
  *this >> w;
  uint32_t count = w;
  if (w == kLongCountWord) *this >> count;
  const qint64 needed = qint64(count) * std::max<uint32_t>(1, minBytesPerItem);
  if (needed > BytesLeft())
    Fail(CArchiveException::Cause::BadCount,
         Tr(QT_TRANSLATE_NOOP("CArchive", "A count of %1 items does not fit in the rest of the file.")).arg(count));
  return count;
}

void CArchive::WriteBytes(const char* data, uint32_t size) { Write(data, size); }

void CArchive::ReadBytes(char* data, uint32_t size) { Read(data, size); }

// Object records.

void CArchive::SetStoreSchemaOverride(const QString& className, int schema) { m_schemaOverride[className] = schema; }

void CArchive::WriteObject(const CObject* object) {
  if (!object) {
    *this << kNullTag;
    return;
  }
  const QString name = QString::fromLatin1(object->GetClassName());
  int schema = CRuntimeClass::GetSchema(name);
  if (schema < 0)
    Fail(CArchiveException::Cause::BadClass,
         Tr(QT_TRANSLATE_NOOP("CArchive", "The class %1 cannot be stored: it is not registered.")).arg(name));
  auto over = m_schemaOverride.find(name);
  if (over != m_schemaOverride.end()) schema = over->second;

  auto known = m_storeClassIndex.find(name);
  if (known != m_storeClassIndex.end()) {
    *this << static_cast<uint16_t>(kClassIndexFlag | known->second);
  } else {
    if (m_storeClassIndex.size() > kMaxClassIndex)
      Fail(CArchiveException::Cause::BadClass, Tr(QT_TRANSLATE_NOOP("CArchive", "Too many classes in one file.")));
    const uint16_t index = static_cast<uint16_t>(m_storeClassIndex.size());
    m_storeClassIndex.emplace(name, index);
    *this << kNewClassTag << static_cast<uint16_t>(schema) << name;
  }

  const uint32_t objectIndex = ++m_storeObjectCount;
  m_storeObjectIndex.emplace(object, objectIndex);  // a second record keeps the first index
  auto pending = m_pendingReferences.find(object);
  if (pending != m_pendingReferences.end()) {
    for (qint64 position : pending->second) Patch(position, objectIndex);
    m_pendingReferences.erase(pending);
  }

  const int outerSchema = m_currentSchema;
  m_currentSchema = schema;
  try {
    const_cast<CObject*>(object)->Serialize(*this);
  } catch (...) {
    m_currentSchema = outerSchema;
    throw;
  }
  m_currentSchema = outerSchema;
}

CObject* CArchive::ReadObject() {
  uint16_t tag = 0;
  *this >> tag;
  if (tag == kNullTag) return nullptr;

  QString name;
  int schema = 0;
  if (tag == kNewClassTag) {
    uint16_t storedSchema = 0;
    *this >> storedSchema >> name;
    schema = storedSchema;
    if (!CRuntimeClass::IsRegistered(name))
      Fail(CArchiveException::Cause::BadClass,
           Tr(QT_TRANSLATE_NOOP("CArchive", "The file holds an object of the unknown class \"%1\"."))
               .arg(Printable(name)));
    if (m_loadClasses.size() > kMaxClassIndex)
      Fail(CArchiveException::Cause::BadClass, Tr(QT_TRANSLATE_NOOP("CArchive", "Too many classes in one file.")));
    m_loadClasses.emplace_back(name, schema);
  } else if (tag & kClassIndexFlag) {
    const size_t index = tag & ~kClassIndexFlag;
    if (index >= m_loadClasses.size())
      Fail(CArchiveException::Cause::BadClass,
           Tr(QT_TRANSLATE_NOOP("CArchive", "An object refers to a class not defined before.")));
    name = m_loadClasses[index].first;
    schema = m_loadClasses[index].second;
  } else {
    Fail(CArchiveException::Cause::BadClass,
         Tr(QT_TRANSLATE_NOOP("CArchive", "The file holds an invalid object record.")));
  }

  const int current = CSchemaReading::Newest(name, CRuntimeClass::GetSchema(name));
  if (schema > current)
    Fail(CArchiveException::Cause::BadSchema,
         Tr(QT_TRANSLATE_NOOP("CArchive",
                              "The file was written by a newer program version (%1, version %2; this program reads "
                              "up to %3)."))
             .arg(name)
             .arg(schema)
             .arg(current));
  if (m_loadDepth >= kMaxObjectDepth)
    Fail(CArchiveException::Cause::BadCount, Tr(QT_TRANSLATE_NOOP("CArchive", "Objects are nested too deeply.")));

  CObject* object = CRuntimeClass::CreateObject(name);
  if (!object)
    Fail(CArchiveException::Cause::BadClass,
         Tr(QT_TRANSLATE_NOOP("CArchive", "An object of the class \"%1\" cannot be created.")).arg(Printable(name)));

  // On failure the object and whatever it read are gone: forget them, so
  // nothing points at freed memory afterwards.
  const size_t objectsBefore = m_loadObjects.size();
  const size_t fixupsBefore = m_fixups.size();
  m_loadObjects.push_back(object);
  const int outerSchema = m_currentSchema;
  m_currentSchema = schema;
  ++m_loadDepth;
  try {
    object->Serialize(*this);
  } catch (...) {
    --m_loadDepth;
    m_currentSchema = outerSchema;
    m_loadObjects.resize(objectsBefore);
    m_fixups.resize(fixupsBefore);
    delete object;
    throw;
  }
  --m_loadDepth;
  m_currentSchema = outerSchema;
  return object;
}

// References.

void CArchive::WriteReference(const CObject* object) {
  if (!object) {
    *this << uint32_t(0);
    return;
  }
  auto known = m_storeObjectIndex.find(object);
  if (known != m_storeObjectIndex.end()) {
    *this << known->second;
    return;
  }
  if (!m_device || m_device->isSequential())
    Fail(CArchiveException::Cause::Generic,
         Tr(QT_TRANSLATE_NOOP("CArchive", "A forward reference cannot be written to a sequential device.")));
  m_pendingReferences[object].push_back(m_device->pos());
  *this << uint32_t(0);
}

void CArchive::ReadReference(CObject** slot) {
  uint32_t index = 0;
  *this >> index;
  *slot = nullptr;
  if (index != 0) m_fixups.emplace_back(slot, index);
}

void CArchive::ResolveReferences() {
  for (const auto& fixup : m_fixups) {
    if (fixup.second > m_loadObjects.size())
      Fail(CArchiveException::Cause::BadReference,
           Tr(QT_TRANSLATE_NOOP("CArchive", "A reference points to object %1, but the file holds only %2."))
               .arg(fixup.second)
               .arg(m_loadObjects.size()));
  }
  for (const auto& fixup : m_fixups) *fixup.first = m_loadObjects[fixup.second - 1];
  m_fixups.clear();
}

uint32_t CArchive::ObjectCount() const noexcept {
  return IsStoring() ? m_storeObjectCount : static_cast<uint32_t>(m_loadObjects.size());
}

int CArchive::UnresolvedReferenceCount() const noexcept {
  int n = 0;
  for (const auto& p : m_pendingReferences) n += static_cast<int>(p.second.size());
  return n;
}
