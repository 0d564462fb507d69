#ifndef SELV_MODEL_CARCHIVE_H
#define SELV_MODEL_CARCHIVE_H

#include "model/carchiveexception.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <map>
#include <vector>

class CObject;
class QIODevice;

// Binary archive of project files. Little-endian; text is 8-bit Latin-1.
//   BYTE, WORD, DWORD, int, float, double: 1, 2, 4, 4, 4, 8 bytes.
//   string: length as BYTE; or 0xFF then WORD; or 0xFF, 0xFFFF then DWORD;
//           then the Latin-1 bytes.
//   count:  WORD; or 0xFFFF then DWORD.
//   object record: WriteObject writes a class tag (0 for null; a new class
//           as 0xFFFF, schema WORD, name as string; a class seen before as
//           0x8000|class index) and then the object's Serialize record.
//   reference: WriteReference writes the 1-based index of an object among
//           the object records of this archive (0 for null); ReadReference
//           records a slot that ResolveReferences fills once the whole file
//           has been read, so a reference may point forward.
// Every reading error throws CArchiveException; no count read from the file
// sizes an allocation before it has been checked against the bytes left.
class CArchive final {
 public:
  enum Mode { load, store };

  CArchive(QIODevice* device, Mode mode);
  CArchive(const CArchive&) = delete;
  CArchive& operator=(const CArchive&) = delete;
  ~CArchive();

  bool IsLoading() const noexcept { return m_mode == load; }
  bool IsStoring() const noexcept { return m_mode == store; }

  // Primitives.
  CArchive& operator<<(uint8_t v);
  CArchive& operator<<(uint16_t v);
  CArchive& operator<<(uint32_t v);
  CArchive& operator<<(int32_t v);
  CArchive& operator<<(int16_t v);
  CArchive& operator<<(float v);
  CArchive& operator<<(double v);
  CArchive& operator<<(const QString& v);
  CArchive& operator<<(const QStringList& v);
  CArchive& operator>>(uint8_t& v);
  CArchive& operator>>(uint16_t& v);
  CArchive& operator>>(uint32_t& v);
  CArchive& operator>>(int32_t& v);
  CArchive& operator>>(int16_t& v);
  CArchive& operator>>(float& v);
  CArchive& operator>>(double& v);
  CArchive& operator>>(QString& v);
  CArchive& operator>>(QStringList& v);

  void WriteCount(uint32_t count);
  // Reads a count and checks that at least count * minBytesPerItem bytes
  // are left; throws BadCount otherwise.
  uint32_t ReadCount(uint32_t minBytesPerItem = 1);

  void WriteBytes(const char* data, uint32_t size);
  void ReadBytes(char* data, uint32_t size);

  // Object records.
  void WriteObject(const CObject* object);
  // Creates the object through CRuntimeClass; null for a null record. The
  // caller owns the result. Throws BadClass for an unknown class name and
  // BadSchema when the record's schema is newer than the class's.
  CObject* ReadObject();
  // While an object's Serialize runs during ReadObject: the schema written
  // with its record. Classes convert older records by it.
  int GetObjectSchema() const noexcept { return m_currentSchema; }
  // Lets tests write records of older schemas: the schema written for the
  // next WriteObject of that class instead of the registered one.
  void SetStoreSchemaOverride(const QString& className, int schema);

  // References between objects. A reference to an object whose record comes
  // later is patched in when that record is written, so storing needs a
  // seekable device (a file or a buffer).
  void WriteReference(const CObject* object);
  // Sets *slot to null now and records it for ResolveReferences. Every object
  // read must live until ResolveReferences has run.
  void ReadReference(CObject** slot);
  // Fills every slot recorded by ReadReference; throws BadReference for an
  // index beyond the objects read.
  void ResolveReferences();
  // Objects written (storing) or read (loading) so far.
  uint32_t ObjectCount() const noexcept;
  // Storing: references written to objects that were never written as
  // records; they read back as null.
  int UnresolvedReferenceCount() const noexcept;

  // Nested object records deeper than this are refused while loading, so a
  // hostile file cannot exhaust the stack.
  static constexpr int kMaxObjectDepth = 200;

  // Bytes not yet read (loading).
  qint64 BytesLeft() const;
  QIODevice* Device() const noexcept { return m_device; }

 private:
  void Need(qint64 bytes) const;
  void Write(const void* data, qint64 size);
  void Read(void* data, qint64 size);
  void Patch(qint64 position, uint32_t value);
  [[noreturn]] void Fail(CArchiveException::Cause cause, const QString& message) const;

  QIODevice* m_device;
  Mode m_mode;
  int m_currentSchema = -1;
  std::map<QString, int> m_schemaOverride;
  // storing: class name -> class index; object -> 1-based record index
  std::map<QString, uint16_t> m_storeClassIndex;
  std::map<const CObject*, uint32_t> m_storeObjectIndex;
  // loading: class index -> (name, schema); objects in record order
  std::vector<std::pair<QString, int>> m_loadClasses;
  std::vector<CObject*> m_loadObjects;
  std::vector<std::pair<CObject**, uint32_t>> m_fixups;
  // storing: objects referenced before their record -> placeholder positions
  std::map<const CObject*, std::vector<qint64>> m_pendingReferences;
  uint32_t m_storeObjectCount = 0;
  int m_loadDepth = 0;
};

#endif
