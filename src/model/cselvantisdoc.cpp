#include "model/cselvantisdoc.h"

#include "model/cfilename.h"
#include "model/cmessagesink.h"
#include "model/coutputfile.h"
#include "model/cprojectfile.h"
#include "model/cprojectfolder.h"
#include "model/csystemerror.h"
#include "model/ctext.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

Q_LOGGING_CATEGORY(lcDocument, "sx.model.document")

// A regular file, by the bytes of its name (a link followed).
bool IsRegularFile(const QString& path) {
  struct stat st {};
  return ::stat(CFileName::ToSystem(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

QByteArray DigestOfBytes(const QByteArray& bytes) {
  return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

// The digest of a regular file's contents; empty for anything else (a
// device or a FIFO is never read for it) and for a file that cannot be read.
QByteArray DigestOfFile(const QString& path) {
  const int fd = ::open(CFileName::ToSystem(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return {};
  struct stat st {};
  QFile file;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
      !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    return {};
  }
  QCryptographicHash hash(QCryptographicHash::Sha256);
  if (!hash.addData(&file) || file.error() != QFileDevice::NoError) return {};
  return hash.result();
}

CSelvantisDoc* g_activeDoc = nullptr;

std::map<int, CSelvantisDoc::ObjectFactory>& Factories() {
  static std::map<int, CSelvantisDoc::ObjectFactory> factories;
  return factories;
}

struct ProviderEntry {
  int order;
  CSelvantisDoc::FixedObjectProvider provider;
};

std::vector<ProviderEntry>& Providers() {
  static std::vector<ProviderEntry> providers;
  return providers;
}

std::map<QString, CSelvantisDoc::ExtensionFactory>& ExtensionFactories() {
  static std::map<QString, CSelvantisDoc::ExtensionFactory> factories;
  return factories;
}

// Messages for the user, in the language of the user interface.
QString Tr(const char* text) { return QCoreApplication::translate("CSelvantisDoc", text); }

QString PathKey(const QString& path) { return path.startsWith(QLatin1Char('/')) ? path : QLatin1Char('/') + path; }

}  // namespace

CSelvantisDoc::CSelvantisDoc(QObject* parent) : QObject(parent) {}

CSelvantisDoc::~CSelvantisDoc() {
  DeleteContents();
  m_extensions.clear();
  if (g_activeDoc == this) g_activeDoc = nullptr;
}

// ---- Objects ------------------------------------------------------------------------

CSelvantisDoc::ObjectList* CSelvantisDoc::ListOf(int category) {
  return IsValidCategory(category) ? &m_lists[static_cast<size_t>(category)] : nullptr;
}

const CSelvantisDoc::ObjectList* CSelvantisDoc::ListOf(int category) const {
  return IsValidCategory(category) ? &m_lists[static_cast<size_t>(category)] : nullptr;
}

CBaseDevice* CSelvantisDoc::AddObject(std::unique_ptr<CBaseDevice> object) {
  if (!object) return nullptr;
  ObjectList* list = ListOf(object->m_nCategory);
  if (list == nullptr) {
    qCWarning(lcDocument) << "object" << object->GetName() << "has no list (category" << object->m_nCategory << ")";
    return nullptr;
  }
  if (object->m_pDoc != this) {
    object->Unregister();
    object->m_pDoc = this;
  }
  if (m_ids.FindBaseDevice(object->m_nID, object->m_nType) != object.get() && !object->RegisterPath()) {
    qCWarning(lcDocument) << "object" << object->GetName() << "cannot be registered";
    return nullptr;
  }
  CBaseDevice* raw = object.get();
  list->push_back(std::move(object));
  SetModifiedFlag(true);
  emit objectAdded(raw);
  return raw;
}

std::unique_ptr<CBaseDevice> CSelvantisDoc::TakeOut(CBaseDevice* object) {
  if (!Contains(object)) return nullptr;
  emit objectAboutToBeRemoved(object);
  for (auto& [key, extension] : m_extensions) {
    (void)key;
    if (extension) extension->OnObjectRemoved(*object);
  }
  const int type = object->m_nType;
  const int id = object->m_nID;
  object->RemoveAllInputConnections();
  object->RemoveAllOutputConnections();
  // A record elsewhere that lost its mirror must not keep pointing here.
  for (ObjectList& list : m_lists) {
    for (auto& other : list) {
      auto points = [object](const ConnectionRecord& r) { return r.pPeer == object; };
      other->m_inputs.erase(std::remove_if(other->m_inputs.begin(), other->m_inputs.end(), points),
                            other->m_inputs.end());
      other->m_outputs.erase(std::remove_if(other->m_outputs.begin(), other->m_outputs.end(), points),
                             other->m_outputs.end());
    }
  }
  ForgetObject(object);
  // A slot of the announcement may have moved things: look the object up now.
  std::unique_ptr<CBaseDevice> owned;
  for (ObjectList& list : m_lists) {
    auto it = std::find_if(list.begin(), list.end(), [object](const auto& p) { return p.get() == object; });
    if (it != list.end()) {
      owned = std::move(*it);
      list.erase(it);
      break;
    }
  }
  emit objectRemoved(type, id);
  SetModifiedFlag(true);
  return owned;
}

bool CSelvantisDoc::DeleteObject(CBaseDevice* object) {
  std::unique_ptr<CBaseDevice> owned = TakeOut(object);
  if (!owned) return false;
  m_deleted.push_back(std::move(owned));
  SchedulePurge();
  return true;
}

std::unique_ptr<CBaseDevice> CSelvantisDoc::DetachObject(CBaseDevice* object) {
  std::unique_ptr<CBaseDevice> owned = TakeOut(object);
  if (owned) owned->m_pDoc = nullptr;
  return owned;
}

void CSelvantisDoc::SchedulePurge() {
  if (m_bPurgeScheduled) return;
  m_bPurgeScheduled = true;
  QMetaObject::invokeMethod(
      this,
      [this]() {
        m_bPurgeScheduled = false;
        PurgeDeleted();
      },
      Qt::QueuedConnection);
}

void CSelvantisDoc::PurgeDeleted() {
  std::vector<std::unique_ptr<CBaseDevice>> deleted;
  deleted.swap(m_deleted);
  for (auto& object : deleted) object->m_pDoc = nullptr;
  deleted.clear();
}

bool CSelvantisDoc::Contains(const CBaseDevice* object) const {
  if (object == nullptr) return false;
  const ObjectList* list = ListOf(object->m_nCategory);
  if (list != nullptr && std::any_of(list->begin(), list->end(), [object](const auto& p) { return p.get() == object; }))
    return true;
  // The category may have been changed after the object was added.
  for (const ObjectList& other : m_lists)
    if (std::any_of(other.begin(), other.end(), [object](const auto& p) { return p.get() == object; })) return true;
  return false;
}

void CSelvantisDoc::ForgetObject(const CBaseDevice* object) {
  m_ids.RemoveID(object, object->m_nType, object->m_nID);
  if (!object->m_strPath.isEmpty()) UnregisterObjectPath(object->m_strPath, object);
}

std::vector<CBaseDevice*> CSelvantisDoc::GetObjectList(int category) const {
  std::vector<CBaseDevice*> out;
  if (const ObjectList* list = ListOf(category)) {
    out.reserve(list->size());
    for (const auto& object : *list) out.push_back(object.get());
  }
  return out;
}

int CSelvantisDoc::GetObjectCount(int category) const {
  const ObjectList* list = ListOf(category);
  return list != nullptr ? static_cast<int>(list->size()) : 0;
}

CBaseDevice* CSelvantisDoc::GetFirstObject(int category) const {
  const ObjectList* list = ListOf(category);
  return list != nullptr && !list->empty() ? list->front().get() : nullptr;
}

std::vector<CBaseDevice*> CSelvantisDoc::GetAllObjects() const {
  std::vector<CBaseDevice*> out;
  out.reserve(static_cast<size_t>(GetTotalObjectCount()));
  for (int category = CAT_FIRST; category <= CAT_LAST; ++category)
    for (const auto& object : m_lists[static_cast<size_t>(category)]) out.push_back(object.get());
  return out;
}

int CSelvantisDoc::GetTotalObjectCount() const {
  size_t total = 0;
  for (const ObjectList& list : m_lists) total += list.size();
  return static_cast<int>(total);
}

bool CSelvantisDoc::MoveInList(CBaseDevice* object, int index) {
  ObjectList* list = object != nullptr ? ListOf(object->m_nCategory) : nullptr;
  if (list == nullptr) return false;
  auto it = std::find_if(list->begin(), list->end(), [object](const auto& p) { return p.get() == object; });
  if (it == list->end()) return false;
  std::unique_ptr<CBaseDevice> owned = std::move(*it);
  list->erase(it);
  const size_t at = static_cast<size_t>(std::clamp(index, 0, static_cast<int>(list->size())));
  list->insert(list->begin() + static_cast<std::ptrdiff_t>(at), std::move(owned));
  return true;
}

CBaseDevice* CSelvantisDoc::FindObjectById(int category, int id) const {
  const ObjectList* list = ListOf(category);
  if (list == nullptr) return nullptr;
  for (const auto& object : *list)
    if (object->m_nID == id) return object.get();
  return nullptr;
}

CBaseDevice* CSelvantisDoc::FindObjectByName(const QString& name, const CBaseDevice* except) const {
  for (const ObjectList& list : m_lists)
    for (const auto& object : list)
      if (object.get() != except && object->GetName() == name) return object.get();
  return nullptr;
}

int CSelvantisDoc::GetMaxDevices(int type) const { return CIDManager::GetMaxDevices(type, IsBigProject()); }

bool CSelvantisDoc::CanCreate(int type) const { return m_ids.CanCreate(type, IsBigProject()); }

// ---- Registries ---------------------------------------------------------------------

CSelvantisDoc::ObjectFactory CSelvantisDoc::RegisterObjectFactory(int type, ObjectFactory factory) {
  ObjectFactory previous = std::move(Factories()[type]);
  Factories()[type] = std::move(factory);
  return previous;
}

bool CSelvantisDoc::HasObjectFactory(int type) {
  auto it = Factories().find(type);
  return it != Factories().end() && it->second;
}

CBaseDevice* CSelvantisDoc::CreateObject(int type, int kind) {
  auto it = Factories().find(type);
  if (it == Factories().end() || !it->second) return nullptr;
  std::unique_ptr<CBaseDevice> object = it->second(*this, kind);
  if (!object) return nullptr;
  return AddObject(std::move(object));
}

void CSelvantisDoc::RegisterFixedObjectProvider(int order, FixedObjectProvider provider) {
  auto& providers = Providers();
  auto at = std::upper_bound(providers.begin(), providers.end(), order,
                             [](int o, const ProviderEntry& entry) { return o < entry.order; });
  providers.insert(at, ProviderEntry{order, std::move(provider)});
}

void CSelvantisDoc::RegisterFixedObjectProvider(int order, std::function<void(CSelvantisDoc& doc)> provider) {
  RegisterFixedObjectProvider(order, [provider = std::move(provider)](CSelvantisDoc& doc, FixedObjectOccasion) {
    if (provider) provider(doc);
  });
}

void CSelvantisDoc::RunFixedObjectProviders(FixedObjectOccasion occasion) {
  // A provider registered while the providers run takes part next time.
  const std::vector<ProviderEntry> providers = Providers();
  for (const ProviderEntry& entry : providers)
    if (entry.provider) entry.provider(*this, occasion);
}

void CSelvantisDoc::RegisterExtension(const QString& key, ExtensionFactory factory) {
  ExtensionFactories()[key] = std::move(factory);
}

IDocumentExtension* CSelvantisDoc::GetExtension(const QString& key) {
  auto it = m_extensions.find(key);
  if (it != m_extensions.end()) return it->second.get();
  auto factory = ExtensionFactories().find(key);
  if (factory == ExtensionFactories().end() || !factory->second) return nullptr;
  std::unique_ptr<IDocumentExtension> extension = factory->second(*this);
  IDocumentExtension* raw = extension.get();
  m_extensions[key] = std::move(extension);
  return raw;
}

void CSelvantisDoc::ResetExtensions() {
  for (auto& [key, extension] : m_extensions) {
    (void)key;
    if (extension) extension->Reset();
  }
}

// ---- Paths and routing ----------------------------------------------------------------

void CSelvantisDoc::RegisterObjectPath(const QString& path, CBaseDevice* object) {
  if (path.isEmpty() || object == nullptr) return;
  const QString key = PathKey(path);
  auto it = m_paths.find(key);
  if (it != m_paths.end() && it.value() != object)
    qCWarning(lcDocument) << "path" << key << "moves from" << it.value()->GetName() << "to" << object->GetName();
  m_paths.insert(key, object);
}

void CSelvantisDoc::UnregisterObjectPath(const QString& path, const CBaseDevice* object) {
  if (path.isEmpty()) return;
  auto it = m_paths.find(PathKey(path));
  if (it != m_paths.end() && it.value() == object) m_paths.erase(it);
}

CBaseDevice* CSelvantisDoc::FindObjectByPath(const QString& path) const {
  return m_paths.value(PathKey(path), nullptr);
}

CBaseDevice* CSelvantisDoc::FindPathOwner(const QString& line) const {
  int end = 0;
  while (end < line.size() && line[end] != QLatin1Char(' ') && line[end] != QLatin1Char('\r') &&
         line[end] != QLatin1Char('\n') && line[end] != QLatin1Char('\t'))
    ++end;
  QString path = line.left(end);
  if (!path.startsWith(QLatin1Char('/'))) path.prepend(QLatin1Char('/'));
  // Longest registered prefix that ends at a "/" of the line's path.
  while (path.size() > 1) {
    auto it = m_paths.constFind(path);
    if (it != m_paths.constEnd()) return it.value();
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash <= 0) break;
    path.truncate(slash);
  }
  return nullptr;
}

bool CSelvantisDoc::RouteReplyLine(const QString& line, QString& errorFilePath, int mode) {
  if (!line.startsWith(QLatin1Char('/'))) return false;
  CBaseDevice* object = FindPathOwner(line);
  if (object == nullptr) return false;
  return object->Upload(line.mid(1), errorFilePath, mode);
}

// ---- State ------------------------------------------------------------------------------

void CSelvantisDoc::SetModifiedFlag(bool modified) {
  if (m_bModified == modified) return;
  m_bModified = modified;
  emit modifiedChanged(modified);
  emit titleChanged(GetDisplayTitle());
}

void CSelvantisDoc::SetTitle(const QString& title) {
  m_strTitle = title;
  emit titleChanged(GetDisplayTitle());
}

QString CSelvantisDoc::GetDisplayTitle() const { return m_bModified ? m_strTitle + QStringLiteral(" *") : m_strTitle; }

void CSelvantisDoc::SetPathName(const QString& path) {
  m_strPathName = path;
  if (!path.isEmpty()) SetTitle(QFileInfo(path).fileName());
}

void CSelvantisDoc::SetUpgradeFlag(int flag) {
  if (m_nUpgradeFlag == flag) return;
  m_nUpgradeFlag = flag;
  SetModifiedFlag(true);
}

QString CSelvantisDoc::GetProjectData(int index) const { return m_projectData.value(index); }

void CSelvantisDoc::SetProjectData(int index, const QString& text) {
  // Project data texts are few; an absurd index is a caller's error.
  if (index < 0 || index >= 256) return;
  while (m_projectData.size() <= index) m_projectData.append(QString());
  if (m_projectData[index] == text) return;
  m_projectData[index] = text;
  SetModifiedFlag(true);
}

void CSelvantisDoc::SetPassword(const QString& password) {
  if (m_strPassword == password) return;
  m_strPassword = password;
  SetModifiedFlag(true);
}

void CSelvantisDoc::SetConnected(bool connected) {
  m_bConnected = connected;
  for (CBaseDevice* object : GetAllObjects()) object->OnLinkStateChanged(connected);
  emit connectedChanged(connected);
}

bool CSelvantisDoc::IsConnected() const {
  if (const CBaseDevice* info = m_ids.FindBaseDevice(1, DT_INFOSLOT)) {
    const int flag = info->GetConnectedFlag();
    if (flag >= 0) return flag != 0;
  }
  return m_bConnected;
}

void CSelvantisDoc::NotifyObjectChanged(CBaseDevice* object) { emit objectChanged(object); }

// ---- Life cycle ------------------------------------------------------------------------

void CSelvantisDoc::DeleteContents() {
  emit aboutToClear();
  ResetExtensions();
  PurgeDeleted();
  // Records point in every direction: drop them all before any object goes.
  for (ObjectList& list : m_lists)
    for (auto& object : list) {
      object->DropConnectionsUnchecked();
      object->m_pDoc = nullptr;
    }
  // Objects created in this document but never added must not reach back
  // into it once it is gone.
  for (CBaseDevice* object : m_ids.GetAll()) {
    object->DropConnectionsUnchecked();
    object->m_pDoc = nullptr;
  }
  m_ids.Clear();
  m_paths.clear();
  for (ObjectList& list : m_lists) list.clear();
}

bool CSelvantisDoc::OnNewDocument() {
  DeleteContents();
  m_strPathName.clear();
  m_nFileVersion = kFileVersion;
  m_nUpgradeFlag = 0;
  m_projectData.clear();
  m_strPassword.clear();
  RunFixedObjectProviders(FixedObjectOccasion::NewDocument);
  SetModifiedFlag(true);
  SetModifiedFlag(false);
  return true;
}

ProjectFileResult CSelvantisDoc::SaveTo(QIODevice& device) const { return CProjectFile::Write(*this, device); }

ProjectFileResult CSelvantisDoc::LoadFrom(QIODevice& device) {
  CProjectFile::Contents contents;
  ProjectFileResult result = CProjectFile::Read(device, contents);
  if (!result.ok) return result;

  DeleteContents();
  m_nFileVersion = contents.fileVersion;
  m_nUpgradeFlag = contents.upgradeFlag;
  m_projectData = contents.projectData;
  m_strPassword = contents.password;
  for (int category = CAT_FIRST; category <= CAT_LAST; ++category) {
    ObjectList& list = m_lists[static_cast<size_t>(category)];
    list = std::move(contents.lists[static_cast<size_t>(category)]);
    for (auto& object : list) object->m_pDoc = this;
  }
  const std::vector<CBaseDevice*> objects = GetAllObjects();
  // Objects that keep their stored identifier first, so one that asks for a
  // fresh identifier cannot take an identifier stored in the file.
  for (int pass = 0; pass < 2; ++pass) {
    for (CBaseDevice* object : objects) {
      if (object->m_bFreshID != (pass == 1)) continue;
      if (!object->RegisterPath())
        qCWarning(lcDocument) << "object" << object->GetName() << "could not be registered after loading";
    }
  }
  for (CBaseDevice* object : objects) object->OnAfterLoad();
  RunFixedObjectProviders(FixedObjectOccasion::AfterLoad);
  PurgeDeleted();
  SetModifiedFlag(true);
  SetModifiedFlag(false);
  emit documentLoaded();
  return result;
}

bool CSelvantisDoc::OnOpenDocument(const QString& path) {
  QFile file;
  QString reason;
  if (!CFileName::OpenForReading(file, path, &reason)) {
    AfxMessageBox(Tr(QT_TRANSLATE_NOOP("CSelvantisDoc", "The project \"%1\" cannot be opened:\n%2"))
                      .arg(CFileName::Display(path), reason),
                  MB_OK | MB_ICONSTOP);
    return false;
  }
  const DiskStamp stamp = StampOf(path);
  // Reading from memory is faster and lets a damaged file fail before anything changes.
  QByteArray bytes = file.readAll();
  file.close();
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  const ProjectFileResult result = LoadFrom(buffer);
  if (!result.ok) {
    QString text = Tr(QT_TRANSLATE_NOOP("CSelvantisDoc", "The project \"%1\" cannot be loaded:\n%2"))
                       .arg(CFileName::Display(path), result.message);
    // The backup is the project as it was before its last save.
    const QString backup = BackupPathFor(path);
    if (IsRegularFile(backup))
      text +=
          QLatin1String("\n\n") +
          Tr(QT_TRANSLATE_NOOP("CSelvantisDoc", "The backup \"%1\" holds the project as it was before its last save."))
              .arg(backup);
    AfxMessageBox(text, MB_OK | MB_ICONSTOP);
    return false;
  }
  SetPathName(path);
  m_diskStamp = stamp;
  m_diskStamp.digest = DigestOfBytes(bytes);
  return true;
}

QString CSelvantisDoc::BackupPathFor(const QString& path) {
  const QFileInfo info(path);
  if (info.suffix().compare(QLatin1String("sxm"), Qt::CaseInsensitive) == 0)
    return path.left(path.size() - info.suffix().size()) + QStringLiteral("bak");
  return path + QStringLiteral(".bak");
}

QString CSelvantisDoc::WriteBackup(const QString& path, const QString& backup) {
  QFile source;
  QString reason;
  if (!CFileName::OpenForReading(source, path, &reason)) return reason;
  const QByteArray bytes = source.readAll();
  if (source.error() != QFileDevice::NoError) return CSystemError::Translate(source.errorString());
  struct stat st {};
  if (::fstat(source.handle(), &st) != 0) return CSystemError::Text(errno);
  source.close();
  // The backup holds what the project holds: no one may read it who may not
  // read the project (a new file would get the usual permissions).
  COutputFile target(backup);
  target.SetPermissions(st.st_mode & 07777);
  if (!target.Open() || !target.Write(bytes) || !target.Commit()) return target.ErrorString();
  return {};
}

bool CSelvantisDoc::OnSaveDocument(const QString& path, BackupFailure whenNoBackup) {
  QByteArray bytes;
  {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const ProjectFileResult result = SaveTo(buffer);
    if (!result.ok) {
      AfxMessageBox(
          Tr(QT_TRANSLATE_NOOP("CSelvantisDoc", "The project \"%1\" cannot be saved:\n%2")).arg(path, result.message),
          MB_OK | MB_ICONSTOP);
      return false;
    }
  }
  // Looked for while the project file still has its only name: a second
  // name (a hard link) would look like a leftover once the file is replaced.
  const QStringList leftovers = CProjectFolder::StaleTemporaryFiles(path);
  COutputFile file(path);
  if (!file.Open() || !file.Write(bytes)) {
    AfxMessageBox(Tr(QT_TRANSLATE_NOOP("CSelvantisDoc", "The project \"%1\" cannot be saved:\n%2"))
                      .arg(CFileName::Display(path), file.ErrorString()),
                  MB_OK | MB_ICONSTOP);
    return false;
  }
  // The old file stays in place until the new one replaces it; its copy is
  // the backup, which replaces the previous backup only once it is complete.
  // When it cannot be written the user decides whether to save without it.
  if (!file.InPlace() && IsRegularFile(path)) {
    const QString backup = BackupPathFor(path);
    const QString reason = WriteBackup(path, backup);
    if (!reason.isEmpty() && whenNoBackup == BackupFailure::DontSave) {
      qCWarning(lcDocument) << "no backup" << backup << reason;
      AfxMessageBox(Tr(QT_TRANSLATE_NOOP("CSelvantisDoc",
                                         "The backup \"%1\" cannot be written.\n( %2 )\n\nThe project was not saved: "
                                         "\"%3\" stays as it was."))
                        .arg(CFileName::Display(backup), reason, CFileName::Display(path)),
                    MB_OK | MB_ICONSTOP);
      file.Cancel();
      return false;
    }
    if (!reason.isEmpty()) {
      qCWarning(lcDocument) << "no backup" << backup << reason;
      const int answer = AfxMessageBox(
          Tr(QT_TRANSLATE_NOOP("CSelvantisDoc",
                               "The backup \"%1\" cannot be written:\n%2\n\nSave the project without a new backup? "
                               "The previous backup, if any, stays as it was."))
              .arg(CFileName::Display(backup), reason),
          MB_OKCANCEL | MB_ICONEXCLAMATION | MB_DEFBUTTON2);
      if (answer != IDOK) {
        file.Cancel();
        return false;
      }
    }
  }
  if (!file.Commit()) {
    AfxMessageBox(Tr(QT_TRANSLATE_NOOP("CSelvantisDoc", "The project \"%1\" cannot be saved:\n%2"))
                      .arg(CFileName::Display(path), file.ErrorString()),
                  MB_OK | MB_ICONSTOP);
    return false;
  }
  // What a save killed half-way left beside the project is of no use now.
  CProjectFolder::Remove(leftovers);
  SetPathName(path);
  m_diskStamp = StampOf(path);
  m_diskStamp.digest = DigestOfBytes(bytes);
  SetModifiedFlag(false);
  return true;
}

CSelvantisDoc::DiskStamp CSelvantisDoc::StampOf(const QString& path) {
  DiskStamp stamp;
  struct stat st {};
  if (path.isEmpty() || ::stat(CFileName::ToSystem(path).constData(), &st) != 0) return stamp;
  stamp.known = true;
  stamp.size = st.st_size;
  stamp.modifiedNs = static_cast<qint64>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  stamp.device = st.st_dev;
  stamp.inode = st.st_ino;
  return stamp;
}

bool CSelvantisDoc::ChangedOnDisk() const {
  if (m_strPathName.isEmpty() || !m_diskStamp.known) return false;
  if (!StampOf(m_strPathName).Same(m_diskStamp)) return true;
  // Size, time and identity as they were: a program that writes in place
  // and sets the time back is seen only in the contents.
  const QByteArray digest = DigestOfFile(m_strPathName);
  return !digest.isEmpty() && !m_diskStamp.digest.isEmpty() && digest != m_diskStamp.digest;
}

bool CSelvantisDoc::GoneFromDisk() const {
  if (m_strPathName.isEmpty() || !m_diskStamp.known) return false;
  struct stat st {};
  return ::stat(CFileName::ToSystem(m_strPathName).constData(), &st) != 0 && errno == ENOENT;
}

QString CSelvantisDoc::OtherVersionPathFor(const QString& path) {
  const int slash = static_cast<int>(path.lastIndexOf(QLatin1Char('/')));
  const QString folder = path.left(slash + 1);
  QString name = path.mid(slash + 1);
  QString extension;
  const int dot = static_cast<int>(name.lastIndexOf(QLatin1Char('.')));
  if (dot > 0) {
    extension = name.mid(dot);
    name.truncate(dot);
  }
  const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HHmm"));
  const QString base = Tr(QT_TRANSLATE_NOOP("CSelvantisDoc", "%1 (other version %2)")).arg(name, stamp);
  QString candidate = folder + base + extension;
  for (int n = 2; COutputFile::Exists(candidate) && n < 1000; ++n)
    candidate = folder + base + QStringLiteral(" %1").arg(n) + extension;
  return candidate;
}

// ---- Globals -----------------------------------------------------------------------------

CSelvantisDoc* GetActiveDoc() { return g_activeDoc; }

void SetActiveDoc(CSelvantisDoc* doc) { g_activeDoc = doc; }

bool IsOnline() { return g_activeDoc != nullptr && g_activeDoc->IsConnected(); }

int GetMaxDevices(int type) {
  return g_activeDoc != nullptr ? g_activeDoc->GetMaxDevices(type) : CIDManager::GetMaxDevices(type, false);
}

void GetActiveDocDeviceList(std::vector<CBaseDevice*>& out, int type) {
  if (g_activeDoc != nullptr) g_activeDoc->GetIDManager().GetBaseDeviceList(out, type);
}
