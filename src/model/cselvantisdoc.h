#ifndef SELV_MODEL_CSELVANTISDOC_H
#define SELV_MODEL_CSELVANTISDOC_H

#include "model/cbasedevice.h"
#include "model/cidmanager.h"
#include "model/devicetype.h"
#include "model/idocumentextension.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class QIODevice;

// The outcome of reading or writing a project file: on failure a message for
// the user that says what went wrong and with which file.
struct ProjectFileResult {
  bool ok = true;
  QString message;
  // The file changed after it was written: its checksum does not match its
  // contents (or something other than the checksum follows the end marker).
  bool damaged = false;
};

// The project document: owns every model object in 16 lists (one per
// category), the identifier pools, the map from command path to object and
// the project data, and reads and writes the project file (".sxm").
//
// Views, editors and the link hold plain pointers to objects and must drop
// them when objectAboutToBeRemoved or aboutToClear arrives; a deleted object
// is freed only after the announcement, on the next turn of the event loop
// (or PurgeDeleted).
class CSelvantisDoc final : public QObject {
  Q_OBJECT

 public:
  // Version written into project files. Files from version 1 on are read;
  // classes convert older records by GetFileVersion and their schemas.
  static constexpr int kFileVersion = 1000;
  static constexpr int kCategoryCount = CAT_COUNT;

  explicit CSelvantisDoc(QObject* parent = nullptr);
  ~CSelvantisDoc() override;
  CSelvantisDoc(const CSelvantisDoc&) = delete;
  CSelvantisDoc& operator=(const CSelvantisDoc&) = delete;

  // ---- Objects ----------------------------------------------------------------
  // Takes an object set up by Create/CreateOnCanvas/CreateWithID and appends
  // it to the list of its category. An object not yet registered in this
  // document is registered (RegisterPath) first. Returns the object, or null
  // (the object freed) when its category is not 1..16 or it cannot be
  // registered.
  CBaseDevice* AddObject(std::unique_ptr<CBaseDevice> object);
  template <class T>
  T* Adopt(std::unique_ptr<T> object) {
    return static_cast<T*>(AddObject(std::unique_ptr<CBaseDevice>(object.release())));
  }
  // Deletes an object of this document: announces it, removes every
  // connection with its mirror (and any record elsewhere that still points at
  // it), frees its identifier and path, takes it out of its list and marks
  // the document modified. The object itself is freed later (PurgeDeleted),
  // so a caller that is one of its member functions may still read members.
  // False when the object is not in this document.
  bool DeleteObject(CBaseDevice* object);
  // As DeleteObject, but the caller receives the object (for undo); its
  // connections are gone and it belongs to no document.
  std::unique_ptr<CBaseDevice> DetachObject(CBaseDevice* object);
  // Frees the objects deleted so far.
  void PurgeDeleted();
  bool Contains(const CBaseDevice* object) const;

  // A copy of list category (1..16) in list order; empty for another number.
  std::vector<CBaseDevice*> GetObjectList(int category) const;
  int GetObjectCount(int category) const;
  CBaseDevice* GetFirstObject(int category) const;
  // Every object, lists 1..16 in list order.
  std::vector<CBaseDevice*> GetAllObjects() const;
  int GetTotalObjectCount() const;
  // Moves an object to position index of its list (clamped).
  bool MoveInList(CBaseDevice* object, int index);
  // The object of list category with the identifier, or null.
  CBaseDevice* FindObjectById(int category, int id) const;
  // The first object with that name (exact), other than except; or null.
  CBaseDevice* FindObjectByName(const QString& name, const CBaseDevice* except = nullptr) const;

  CIDManager& GetIDManager() noexcept { return m_ids; }
  const CIDManager& GetIDManager() const noexcept { return m_ids; }
  // The limit of New commands of a type for this document's project size.
  int GetMaxDevices(int type) const;
  bool CanCreate(int type) const;

  // ---- Creation by kind ----------------------------------------------------------
  // Classes that editors create by (type, kind) register a factory that
  // makes and sets up one object (Create with the class's defaults) in the
  // document, or returns null.
  using ObjectFactory = std::function<std::unique_ptr<CBaseDevice>(CSelvantisDoc& doc, int kind)>;
  // Returns the factory registered before, if any.
  static ObjectFactory RegisterObjectFactory(int type, ObjectFactory factory);
  static bool HasObjectFactory(int type);
  // Makes an object through the type's factory and adds it; null when there
  // is no factory or it failed.
  CBaseDevice* CreateObject(int type, int kind);

  // ---- Fixed objects and the default system ---------------------------------------
  enum class FixedObjectOccasion { NewDocument, AfterLoad };
  // Each class whose objects every project has registers a provider that
  // creates them (when they are missing). Providers run in ascending order
  // (equal orders in registration order): on a new document, and after a
  // project file was loaded (to add what the file lacks).
  using FixedObjectProvider = std::function<void(CSelvantisDoc& doc, FixedObjectOccasion occasion)>;
  static void RegisterFixedObjectProvider(int order, FixedObjectProvider provider);
  static void RegisterFixedObjectProvider(int order, std::function<void(CSelvantisDoc& doc)> provider);

  // ---- Extensions -----------------------------------------------------------------
  using ExtensionFactory = std::function<std::unique_ptr<IDocumentExtension>(CSelvantisDoc& doc)>;
  static void RegisterExtension(const QString& key, ExtensionFactory factory);
  // The document's instance of the extension, or null when none is
  // registered under the key.
  IDocumentExtension* GetExtension(const QString& key);
  template <class T>
  T* GetExtension() {
    return dynamic_cast<T*>(GetExtension(QString::fromLatin1(T::kExtensionKey)));
  }

  // ---- Command paths and reply routing ------------------------------------------------
  // Paths are kept with a leading "/" ("CONS/ADR3" is entered as
  // "/CONS/ADR3").
  void RegisterObjectPath(const QString& path, CBaseDevice* object);
  // Removes the entry when it belongs to object.
  void UnregisterObjectPath(const QString& path, const CBaseDevice* object);
  CBaseDevice* FindObjectByPath(const QString& path) const;
  // The object with the longest registered path that equals the line's path
  // (the text before the first blank) or is followed in it by "/".
  CBaseDevice* FindPathOwner(const QString& line) const;
  // Hands a reply line that begins with "/" to the object it addresses
  // (Upload with the line without its leading "/"). False when no object
  // takes the line.
  bool RouteReplyLine(const QString& line, QString& errorFilePath, int mode);
  int GetPathCount() const { return m_paths.size(); }

  // ---- Document state -----------------------------------------------------------------
  bool IsModified() const noexcept { return m_bModified; }
  void SetModifiedFlag(bool modified = true);
  // The title: the file's name, or the title given for a new project.
  QString GetTitle() const { return m_strTitle; }
  void SetTitle(const QString& title);
  // The title with " *" while modified.
  QString GetDisplayTitle() const;
  QString GetPathName() const { return m_strPathName; }
  void SetPathName(const QString& path);
  // The version of the project file loaded (kFileVersion for a new project).
  int GetFileVersion() const noexcept { return m_nFileVersion; }
  // The unit variant: 0 "VMX 7000", 1 "VMX 7000 Upgrade" (the larger
  // project limits and settings).
  int GetUpgradeFlag() const noexcept { return m_nUpgradeFlag; }
  bool IsBigProject() const noexcept { return m_nUpgradeFlag != 0; }
  void SetUpgradeFlag(int flag);
  // Project data texts (project name, customer, installer and so on) by
  // index; an index without a text gives "".
  QString GetProjectData(int index) const;
  void SetProjectData(int index, const QString& text);
  const QStringList& GetProjectDataList() const noexcept { return m_projectData; }
  QString GetPassword() const { return m_strPassword; }
  void SetPassword(const QString& password);

  // The link to the unit connected or disconnected: the document keeps the
  // state and tells its objects, the info slot among them.
  void SetConnected(bool connected);
  // The connected flag of the project's info slot (identifier 1); the state
  // kept by the document for a project without one.
  bool IsConnected() const;
  // The state the link last reported, whatever the objects show (for an
  // info slot made or loaded while the link is up).
  bool GetLinkState() const noexcept { return m_bConnected; }

  // Asks the views to redraw an object (its bounding rectangle).
  void NotifyObjectChanged(CBaseDevice* object);

  // ---- Life cycle and project file ---------------------------------------------------
  // Empties the document and builds the default system through the fixed-
  // object providers. Not modified afterwards.
  bool OnNewDocument();
  // Loads a project file in place of the current contents. A file that
  // cannot be read, is damaged or is not a project file is refused with a
  // message and the document stays as it was.
  bool OnOpenDocument(const QString& path);
  // Writes the project to a temporary file and renames it over path; the
  // old file is kept as a backup (".bak" in place of the extension, with the
  // project file's permissions), itself written to a temporary file first. A
  // backup that cannot be written is reported before the project file is
  // replaced, and the user may cancel the save. A failed save shows a
  // message and leaves the old file as it was; a saved one removes what
  // earlier saves killed half-way left beside it (CProjectFolder).
  // Where nobody can be asked (the command line), a backup that cannot be
  // written stops the save with a message that says so.
  enum class BackupFailure { Ask, DontSave };
  bool OnSaveDocument(const QString& path, BackupFailure whenNoBackup = BackupFailure::Ask);
  // The same without messages and without the file system.
  ProjectFileResult LoadFrom(QIODevice& device);
  ProjectFileResult SaveTo(QIODevice& device) const;
  // Removes every object (announced through aboutToClear).
  void DeleteContents();

  // While a project file is read, the version of that file (classes
  // convert by it in Serialize); 0 otherwise.
  static int GetLoadingFileVersion();
  // The backup path of a project path: ".bak" in place of ".sxm".
  static QString BackupPathFor(const QString& path);
  // Copies path to backup, with path's permissions, through a temporary file
  // that replaces backup only when complete. Empty when it worked, else the
  // system's reason.
  static QString WriteBackup(const QString& path, const QString& backup);

  // Whether another program changed, replaced or removed the project file
  // since this document loaded or saved it: its time, size or identity
  // differ, or its contents (a digest of them is kept). False for a project
  // without a file.
  bool ChangedOnDisk() const;
  // Whether the project file is no longer there at all (deleted or moved
  // away since this document loaded or saved it).
  bool GoneFromDisk() const;
  // The name under which the other program's version of the project file
  // is kept when this version is saved over it: "Plant (other version
  // 2026-12-07 1540).sxm" beside it, a number added when that is taken.
  static QString OtherVersionPathFor(const QString& path);

 signals:
  void objectAdded(CBaseDevice* object);
  void objectAboutToBeRemoved(CBaseDevice* object);
  void objectRemoved(int type, int id);
  void objectChanged(CBaseDevice* object);
  void modifiedChanged(bool modified);
  void titleChanged(const QString& title);
  // Every object is about to go (new project, load, destruction).
  void aboutToClear();
  void documentLoaded();
  void connectedChanged(bool connected);

 private:
  friend class CBaseDevice;
  friend class CProjectFile;

  using ObjectList = std::vector<std::unique_ptr<CBaseDevice>>;

  ObjectList* ListOf(int category);
  const ObjectList* ListOf(int category) const;
  std::unique_ptr<CBaseDevice> TakeOut(CBaseDevice* object);
  void ForgetObject(const CBaseDevice* object);
  void RunFixedObjectProviders(FixedObjectOccasion occasion);
  void ResetExtensions();
  void SchedulePurge();

  std::array<ObjectList, CAT_COUNT + 1> m_lists;  // index 0 unused
  std::vector<std::unique_ptr<CBaseDevice>> m_deleted;
  CIDManager m_ids;
  QHash<QString, CBaseDevice*> m_paths;
  std::map<QString, std::unique_ptr<IDocumentExtension>> m_extensions;
  bool m_bModified = false;
  bool m_bConnected = false;
  bool m_bPurgeScheduled = false;
  int m_nFileVersion = kFileVersion;
  int m_nUpgradeFlag = 0;
  QString m_strTitle;
  QString m_strPathName;
  QStringList m_projectData;
  QString m_strPassword;
  // The project file as it was when loaded or saved (its stat data, and the
  // digest of the contents read or written).
  struct DiskStamp {
    bool known = false;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    quint64 device = 0;
    quint64 inode = 0;
    QByteArray digest;
    // The stat data alike (the digest is compared only when they are).
    bool Same(const DiskStamp& other) const {
      return known == other.known && size == other.size && modifiedNs == other.modifiedNs && device == other.device &&
             inode == other.inode;
    }
  };
  static DiskStamp StampOf(const QString& path);
  DiskStamp m_diskStamp;
};

// The active project document (the main window's active frame's document),
// or null. A document that is destroyed stops being the active one.
CSelvantisDoc* GetActiveDoc();
void SetActiveDoc(CSelvantisDoc* doc);
// True while the active document's link to the unit is connected.
bool IsOnline();
// The limit of New commands of a type for the active document (0 = no
// limit), as the entry lists compare it with CIDManager::GetCount.
int GetMaxDevices(int type);
// CIDManager::GetBaseDeviceList on the active document.
void GetActiveDocDeviceList(std::vector<CBaseDevice*>& out, int type);

#endif
