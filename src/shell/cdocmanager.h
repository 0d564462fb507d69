#ifndef SELV_SHELL_CDOCMANAGER_H
#define SELV_SHELL_CDOCMANAGER_H

#include <QString>

#include <memory>
#include <vector>

class CRecentFileList;
class CSelvantisDoc;
class IDocManagerHost;

// Owns the open project documents and runs the file commands on them: new,
// open (an already open file is brought to the front instead), save, save
// as, close with the question about unsaved changes, and the recent-file
// list. Windows are the host's business.
class CDocManager final {
 public:
  static constexpr const char* kExtension = ".sxm";

  CDocManager(IDocManagerHost& host, CRecentFileList& recent);
  CDocManager(const CDocManager&) = delete;
  CDocManager& operator=(const CDocManager&) = delete;
  ~CDocManager();

  // A new project with the default system; null when it cannot be made.
  CSelvantisDoc* NewDocument();
  // Opens the project file, or activates it when it is open already. Null
  // when it cannot be read (the document has told the user why).
  CSelvantisDoc* OpenDocumentFile(const QString& path);
  // Opens the recovery copy of a project as that project with its unsaved
  // changes: named after original (title for a project never saved), and
  // modified, so that nothing is written until the user saves. A project of
  // that file already open is brought to the front instead; a copy that
  // cannot be read says why. Null when nothing was opened.
  CSelvantisDoc* OpenRecoveryCopy(const QString& copy, const QString& original, const QString& title);
  // Asks for a file and opens it; null when cancelled or failed.
  CSelvantisDoc* PromptAndOpen();
  // Opens entry index of the recent-file list; an entry that cannot be
  // opened any more leaves the list.
  CSelvantisDoc* OpenRecentFile(int index);

  // Saves under the document's path, or asks for one when it has none.
  bool Save(CSelvantisDoc& doc);
  // Asks for a path (".sxm" added when missing) and saves there.
  bool SaveAs(CSelvantisDoc& doc);
  // For a modified document asks whether to save: Yes saves (a failed save
  // keeps the document open), No discards, Cancel keeps it. True when the
  // document may be closed.
  bool SaveModified(CSelvantisDoc& doc);
  // Closes the document (asking first when ask is set); true when closed.
  bool CloseDocument(CSelvantisDoc& doc, bool ask = true);
  // SaveModified for every document; false as soon as one says Cancel.
  bool SaveAllModified();
  void CloseAll();

  int Count() const noexcept { return static_cast<int>(m_docs.size()); }
  CSelvantisDoc* At(int index) const;
  bool Contains(const CSelvantisDoc* doc) const;
  CSelvantisDoc* FindByPath(const QString& path) const;

  // The path to save a new document under: the title with ".sxm".
  static QString ProposedPath(const CSelvantisDoc& doc);
  static QString WithExtension(const QString& path);

 private:
  bool SaveTo(CSelvantisDoc& doc, const QString& path);
  // The document's file was changed by another program since it was loaded
  // or saved: asks whether to save this version (the other one is kept
  // under its own name), to load the other one, or to do nothing. True
  // when the save goes on.
  bool ResolveChangedFile(CSelvantisDoc& doc);
  // Tells that the document's file was gone and has been saved anew.
  static void TellSavedAnew(const CSelvantisDoc& doc);
  void AddRecent(const QString& path);

  IDocManagerHost& m_host;
  CRecentFileList& m_recent;
  std::vector<std::unique_ptr<CSelvantisDoc>> m_docs;
  int m_untitledCount = 0;
};

#endif
