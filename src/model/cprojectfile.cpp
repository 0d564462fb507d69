#include "model/cprojectfile.h"

#include "model/carchive.h"
#include "model/carchiveexception.h"
#include "model/cbasedevice.h"
#include "model/cidmanager.h"
#include "model/ctext.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QIODevice>
#include <QLoggingCategory>

#include <cstring>
#include <map>
#include <new>
#include <tuple>
#include <unordered_map>

namespace {

Q_LOGGING_CATEGORY(lcProjectFile, "sx.model.projectfile")

constexpr uint16_t kProjectDataVersion = 1;
// Every connection record takes four 32-bit values.
constexpr uint32_t kConnectionRecordBytes = 16;
// The smallest object record: a class tag.
constexpr uint32_t kMinObjectRecordBytes = 2;

// Messages for the user, in the language of the user interface.
QString Tr(const char* text) { return QCoreApplication::translate("CProjectFile", text); }

// Classes convert old records by the version of the file being read.
int g_loadingFileVersion = 0;

class LoadingVersionScope final {
 public:
  explicit LoadingVersionScope(int version) : m_previous(g_loadingFileVersion) { g_loadingFileVersion = version; }
  ~LoadingVersionScope() { g_loadingFileVersion = m_previous; }
  LoadingVersionScope(const LoadingVersionScope&) = delete;
  LoadingVersionScope& operator=(const LoadingVersionScope&) = delete;

 private:
  int m_previous;
};

[[noreturn]] void Damaged(CArchiveException::Cause cause, const QString& message) {
  throw CArchiveException(cause, message);
}

void WriteRecords(CArchive& ar, const std::vector<ConnectionRecord>& records,
                  const std::unordered_map<const CBaseDevice*, uint32_t>& index) {
  // A record whose peer is not part of the document cannot be written;
  // storing it as index 0 would turn it into the "no object" mark.
  std::vector<std::pair<uint32_t, const ConnectionRecord*>> kept;
  kept.reserve(records.size());
  for (const ConnectionRecord& r : records) {
    if (r.pPeer == nullptr) {
      kept.emplace_back(0, &r);
      continue;
    }
    auto it = index.find(r.pPeer);
    if (it == index.end()) {
      qCWarning(lcProjectFile) << "connection to an object outside the document left out";
      continue;
    }
    kept.emplace_back(it->second, &r);
  }
  ar.WriteCount(static_cast<uint32_t>(kept.size()));
  for (const auto& [peerIndex, r] : kept)
    ar << peerIndex << int32_t(r->nPeerPin) << int32_t(r->nOwnPin) << int32_t(r->nPeerCategory);
}

void ReadRecords(CArchive& ar, CBaseDevice* owner, std::vector<ConnectionRecord>& list,
                 const std::vector<CBaseDevice*>& objects) {
  const uint32_t count = ar.ReadCount(kConnectionRecordBytes);
  list.reserve(list.size() + count);
  for (uint32_t i = 0; i < count; ++i) {
    uint32_t peerIndex = 0;
    int32_t peerPin = 0, ownPin = 0, peerCategory = 0;
    ar >> peerIndex >> peerPin >> ownPin >> peerCategory;
    if (peerIndex > objects.size())
      Damaged(CArchiveException::Cause::BadReference,
              Fmt("A connection refers to object %u of %u.", peerIndex, unsigned(objects.size())));
    CBaseDevice* peer = peerIndex == 0 ? kNoObjectMark : objects[peerIndex - 1];
    list.push_back(ConnectionRecord{peer, peerPin, owner, ownPin, peerCategory});
  }
}

QByteArray ChecksumOf(const char* data, qsizetype size) {
  return QCryptographicHash::hash(QByteArrayView(data, size), QCryptographicHash::Sha256);
}

QByteArray TrailerFor(const QByteArray& content) {
  QByteArray trailer(4, '\0');
  const uint32_t marker = CProjectFile::kChecksumMarker;
  for (int i = 0; i < 4; ++i) trailer[i] = static_cast<char>((marker >> (8 * i)) & 0xFF);
  return trailer + ChecksumOf(content.constData(), content.size());
}

QString DamagedMessage() {
  return Tr(QT_TRANSLATE_NOOP("CProjectFile",
                              "The project file is damaged: its contents no longer match the checksum written with "
                              "them."));
}

QString Describe(const CBaseDevice* object) {
  return Fmt("%s \"", object->GetClassName()) + object->GetName() +
         Fmt("\" (type %d, identifier %d)", object->GetType(), object->GetID());
}

}  // namespace

int CSelvantisDoc::GetLoadingFileVersion() { return g_loadingFileVersion; }

CProjectFile::Contents::~Contents() {
  // Records may point between these objects in any direction (and a damaged
  // file may leave one end only): drop them all before anything is freed.
  for (auto& list : lists)
    for (auto& object : list) object->DropConnectionsUnchecked();
}

ProjectFileResult CProjectFile::Write(const CSelvantisDoc& doc, QIODevice& device) {
  ProjectFileResult result;
  try {
    // In memory first: the checksum covers everything before it.
    QByteArray content;
    QBuffer memory(&content);
    memory.open(QIODevice::WriteOnly);
    {
      CArchive ar(&memory, CArchive::store);
      WriteContent(doc, ar);
    }
    memory.close();
    content += TrailerFor(content);
    if (device.write(content) != content.size()) Damaged(CArchiveException::Cause::Generic, device.errorString());
  } catch (const CArchiveException& e) {
    result.ok = false;
    result.message = e.Message();
  } catch (const std::bad_alloc&) {
    result.ok = false;
    result.message = Tr(QT_TRANSLATE_NOOP("CProjectFile", "Out of memory while writing the project."));
  }
  return result;
}

void CProjectFile::WriteContent(const CSelvantisDoc& doc, CArchive& ar) {
  ar.WriteBytes(kSignature, sizeof(kSignature));
  ar << uint32_t(CSelvantisDoc::kFileVersion);

  ar << kProjectDataVersion << int32_t(doc.m_nUpgradeFlag) << doc.m_projectData << doc.m_strPassword;

  std::unordered_map<const CBaseDevice*, uint32_t> index;
  std::vector<const CBaseDevice*> order;
  index.reserve(static_cast<size_t>(doc.GetTotalObjectCount()));
  for (int category = CAT_FIRST; category <= CAT_LAST; ++category) {
    const auto& list = doc.m_lists[static_cast<size_t>(category)];
    ar.WriteCount(static_cast<uint32_t>(list.size()));
    for (const auto& object : list) {
      ar.WriteObject(object.get());
      order.push_back(object.get());
      index.emplace(object.get(), static_cast<uint32_t>(order.size()));
    }
  }

  ar << kConnectionsMarker;
  for (const CBaseDevice* object : order) {
    WriteRecords(ar, object->m_inputs, index);
    WriteRecords(ar, object->m_outputs, index);
  }
  ar << kEndMarker;
}

bool CProjectFile::HasChecksumTrailer(const QByteArray& bytes) {
  if (bytes.size() < qsizetype(sizeof(kSignature)) + kTrailerBytes) return false;
  const auto* tail = reinterpret_cast<const uint8_t*>(bytes.constData() + bytes.size() - kTrailerBytes);
  const uint32_t marker =
      uint32_t(tail[0]) | uint32_t(tail[1]) << 8 | uint32_t(tail[2]) << 16 | uint32_t(tail[3]) << 24;
  return marker == kChecksumMarker;
}

QByteArray CProjectFile::WithMatchingChecksum(QByteArray bytes) {
  if (!HasChecksumTrailer(bytes)) return bytes;
  bytes.chop(kTrailerBytes);
  return bytes + TrailerFor(bytes);
}

ProjectFileResult CProjectFile::Read(QIODevice& device, Contents& contents) {
  ProjectFileResult result;
  try {
    QByteArray bytes = device.readAll();
    // A file with a trailer is checked before any record is read, so a
    // changed byte is reported as damage and not as whatever it makes of the
    // record it falls in. Older files have no trailer and end at the end
    // marker.
    const bool sealed = HasChecksumTrailer(bytes);
    if (sealed) {
      const qsizetype contentSize = bytes.size() - kTrailerBytes;
      if (ChecksumOf(bytes.constData(), contentSize) != bytes.mid(contentSize + 4)) {
        result.damaged = true;
        Damaged(CArchiveException::Cause::Generic, DamagedMessage());
      }
      bytes.truncate(contentSize);
    }
    QBuffer memory(&bytes);
    memory.open(QIODevice::ReadOnly);
    CArchive ar(&memory, CArchive::load);
    char signature[sizeof(kSignature)] = {};
    if (ar.BytesLeft() < qint64(sizeof(kSignature) + 4))
      Damaged(CArchiveException::Cause::BadSignature,
              Tr(QT_TRANSLATE_NOOP("CProjectFile", "The file is not a project file of this program.")));
    ar.ReadBytes(signature, sizeof(signature));
    if (std::memcmp(signature, kSignature, sizeof(kSignature)) != 0)
      Damaged(CArchiveException::Cause::BadSignature,
              Tr(QT_TRANSLATE_NOOP("CProjectFile", "The file is not a project file of this program.")));
    uint32_t version = 0;
    ar >> version;
    if (version == 0 || version > uint32_t(CSelvantisDoc::kFileVersion))
      Damaged(CArchiveException::Cause::BadSchema,
              Fmt("The project file has version %u; this program reads versions up to %d.", version,
                  CSelvantisDoc::kFileVersion));
    contents.fileVersion = static_cast<int>(version);
    LoadingVersionScope versionScope(contents.fileVersion);

    uint16_t dataVersion = 0;
    ar >> dataVersion;
    if (dataVersion == 0 || dataVersion > kProjectDataVersion)
      Damaged(CArchiveException::Cause::BadSchema,
              Fmt("The project data record has the unknown version %u.", unsigned(dataVersion)));
    int32_t upgrade = 0;
    ar >> upgrade >> contents.projectData >> contents.password;
    contents.upgradeFlag = upgrade;

    std::vector<CBaseDevice*> objects;
    for (int category = CAT_FIRST; category <= CAT_LAST; ++category) {
      auto& list = contents.lists[static_cast<size_t>(category)];
      const uint32_t count = ar.ReadCount(kMinObjectRecordBytes);
      list.reserve(count);
      for (uint32_t i = 0; i < count; ++i) {
        std::unique_ptr<CObject> record(ar.ReadObject());
        if (!record)
          Damaged(CArchiveException::Cause::Generic,
                  Tr(QT_TRANSLATE_NOOP("CProjectFile", "An object list holds an empty record.")));
        auto* object = dynamic_cast<CBaseDevice*>(record.get());
        if (object == nullptr)
          Damaged(CArchiveException::Cause::BadClass,
                  Fmt("An object list holds a record of the class %s, which is no project object.",
                      record->GetClassName()));
        record.release();
        list.emplace_back(object);
        // The list a record stands in is its category.
        object->m_nCategory = category;
        objects.push_back(object);
      }
    }
    ar.ResolveReferences();

    uint32_t marker = 0;
    ar >> marker;
    if (marker != kConnectionsMarker)
      Damaged(CArchiveException::Cause::Generic,
              Tr(QT_TRANSLATE_NOOP("CProjectFile", "The connection table of the project is missing.")));
    for (CBaseDevice* object : objects) {
      ReadRecords(ar, object, object->m_inputs, objects);
      ReadRecords(ar, object, object->m_outputs, objects);
    }
    ar >> marker;
    if (marker != kEndMarker)
      Damaged(CArchiveException::Cause::Generic,
              Tr(QT_TRANSLATE_NOOP("CProjectFile", "The project file is damaged at its end.")));
    // After the end marker there is only the trailer, which was taken off
    // above; anything else is a damaged trailer.
    if (ar.BytesLeft() != 0) {
      result.damaged = true;
      Damaged(CArchiveException::Cause::Generic, DamagedMessage());
    }

    // Every object needs an identifier of its own in its type's pool.
    CIDManager pools;
    for (CBaseDevice* object : objects) {
      if (CIDManager::GetPoolMaxID(object->m_nType) == 0)
        Damaged(CArchiveException::Cause::Generic,
                Tr(QT_TRANSLATE_NOOP("CProjectFile", "The project holds an object without a valid type: ")) +
                    Describe(object));
      if (object->m_bFreshID) continue;
      if (!pools.AddID(object, object->m_nType, object->m_nID))
        Damaged(CArchiveException::Cause::Generic,
                Tr(QT_TRANSLATE_NOOP("CProjectFile",
                                     "The project holds an object whose identifier is invalid or used twice: ")) +
                    Describe(object));
    }

    const int repaired = RepairHalfConnections(objects);
    if (repaired > 0) qCWarning(lcProjectFile) << repaired << "one-sided connections completed";
  } catch (const CArchiveException& e) {
    result.ok = false;
    result.message = e.Message();
  } catch (const std::bad_alloc&) {
    result.ok = false;
    result.message = Tr(QT_TRANSLATE_NOOP("CProjectFile", "Out of memory while reading the project."));
  }
  return result;
}

int CProjectFile::RepairHalfConnections(const std::vector<CBaseDevice*>& objects) {
  // A connection from output outPin of "from" to input inPin of "to" is
  // recorded once in each list; count both sides and add what is missing.
  using Key = std::tuple<CBaseDevice*, CBaseDevice*, int, int>;
  std::map<Key, std::pair<int, int>> counts;  // (output records, input records)
  for (CBaseDevice* object : objects) {
    for (const ConnectionRecord& r : object->m_outputs)
      if (r.pPeer != nullptr) ++counts[Key(object, r.pPeer, r.nOwnPin, r.nPeerPin)].first;
    for (const ConnectionRecord& r : object->m_inputs)
      if (r.pPeer != nullptr) ++counts[Key(r.pPeer, object, r.nPeerPin, r.nOwnPin)].second;
  }
  int added = 0;
  for (const auto& [key, count] : counts) {
    auto [from, to, outPin, inPin] = key;
    for (int n = count.second; n < count.first; ++n, ++added)
      to->m_inputs.push_back(ConnectionRecord{from, outPin, to, inPin, from->m_nCategory});
    for (int n = count.first; n < count.second; ++n, ++added)
      from->m_outputs.push_back(ConnectionRecord{to, inPin, from, outPin, to->m_nCategory});
  }
  return added;
}
