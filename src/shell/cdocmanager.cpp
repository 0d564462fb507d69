#include "shell/cdocmanager.h"

#include "model/cfilename.h"
#include "model/cmessagesink.h"
#include "model/cselvantisdoc.h"
#include "shell/crecentfilelist.h"
#include "shell/idocmanagerhost.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

CDocManager::CDocManager(IDocManagerHost& host, CRecentFileList& recent) : m_host(host), m_recent(recent) {}

CDocManager::~CDocManager() {
  // Windows go before their documents.
  CloseAll();
}

CSelvantisDoc* CDocManager::At(int index) const {
  return index >= 0 && index < Count() ? m_docs[static_cast<size_t>(index)].get() : nullptr;
}

bool CDocManager::Contains(const CSelvantisDoc* doc) const {
  for (const auto& d : m_docs)
    if (d.get() == doc) return true;
  return false;
}

CSelvantisDoc* CDocManager::FindByPath(const QString& path) const {
  for (const auto& d : m_docs)
    if (!d->GetPathName().isEmpty() && CRecentFileList::SameFile(d->GetPathName(), path)) return d.get();
  return nullptr;
}

CSelvantisDoc* CDocManager::NewDocument() {
  auto doc = std::make_unique<CSelvantisDoc>();
  if (!doc->OnNewDocument()) return nullptr;
  doc->SetTitle(QCoreApplication::translate("CDocManager", "Project%1").arg(++m_untitledCount));
  CSelvantisDoc* result = doc.get();
  m_docs.push_back(std::move(doc));
  m_host.DocumentOpened(*result);
  return result;
}

CSelvantisDoc* CDocManager::OpenDocumentFile(const QString& path) {
  if (path.isEmpty()) return nullptr;
  const QString absolute = CFileName::Absolute(path);
  if (CSelvantisDoc* open = FindByPath(absolute)) {
    m_host.ActivateDocument(*open);
    return open;
  }
  auto doc = std::make_unique<CSelvantisDoc>();
  if (!doc->OnOpenDocument(absolute)) return nullptr;
  CSelvantisDoc* result = doc.get();
  m_docs.push_back(std::move(doc));
  AddRecent(absolute);
  m_host.DocumentOpened(*result);
  return result;
}

CSelvantisDoc* CDocManager::OpenRecoveryCopy(const QString& copy, const QString& original, const QString& title) {
  if (!original.isEmpty()) {
    if (CSelvantisDoc* open = FindByPath(original)) {
      m_host.ActivateDocument(*open);
      return nullptr;
    }
  }
  QFile file;
  QString reason;
  ProjectFileResult result;
  if (CFileName::OpenForReading(file, copy, &reason)) {
    QByteArray bytes = file.readAll();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    auto doc = std::make_unique<CSelvantisDoc>();
    result = doc->LoadFrom(buffer);
    if (result.ok) {
      // The project file is not the copy: it is written on the user's save
      // only, with its backup as every save.
      if (original.isEmpty()) {
        doc->SetTitle(title.isEmpty() ? QFileInfo(copy).completeBaseName() : title);
      } else {
        doc->SetPathName(CFileName::Absolute(original));
      }
      doc->SetModifiedFlag(true);
      CSelvantisDoc* opened = doc.get();
      m_docs.push_back(std::move(doc));
      m_host.DocumentOpened(*opened);
      return opened;
    }
    reason = result.message;
  }
  AfxMessageBox(QCoreApplication::translate("CDocManager", "The recovery copy \"%1\" cannot be opened:\n%2")
                    .arg(QDir::toNativeSeparators(CFileName::Display(copy)), reason),
                MB_OK | MB_ICONSTOP);
  return nullptr;
}

CSelvantisDoc* CDocManager::PromptAndOpen() {
  const QString path = m_host.PromptOpenFileName();
  return path.isEmpty() ? nullptr : OpenDocumentFile(path);
}

CSelvantisDoc* CDocManager::OpenRecentFile(int index) {
  const QString path = m_recent.At(index);
  if (path.isEmpty()) return nullptr;
  CSelvantisDoc* doc = OpenDocumentFile(path);
  if (!doc && !CFileName::Exists(path)) {
    m_recent.Remove(path);
    m_recent.Save();
    m_host.RecentFilesChanged();
  }
  return doc;
}

QString CDocManager::WithExtension(const QString& path) {
  if (path.isEmpty() || QFileInfo(path).suffix().compare(QLatin1String("sxm"), Qt::CaseInsensitive) == 0) return path;
  return path + QLatin1String(kExtension);
}

QString CDocManager::ProposedPath(const CSelvantisDoc& doc) {
  if (!doc.GetPathName().isEmpty()) return doc.GetPathName();
  QString name = doc.GetTitle();
  // Characters no file system takes become underscores.
  for (QChar& c : name)
    if (QStringLiteral("/\\:*?\"<>|").contains(c)) c = QLatin1Char('_');
  return WithExtension(name.isEmpty() ? QStringLiteral("Project") : name);
}

bool CDocManager::SaveTo(CSelvantisDoc& doc, const QString& path) {
  const bool ownFile = path == doc.GetPathName();
  // A file that is gone is no other program's version to keep: the project
  // is saved anew under its name.
  const bool gone = ownFile && doc.GoneFromDisk();
  if (ownFile && !gone && doc.ChangedOnDisk() && !ResolveChangedFile(doc)) return false;
  if (!doc.OnSaveDocument(path)) return false;
  if (gone) TellSavedAnew(doc);
  AddRecent(doc.GetPathName());
  return true;
}

void CDocManager::TellSavedAnew(const CSelvantisDoc& doc) {
  AfxMessageBox(QCoreApplication::translate("CDocManager",
                                            "The project file \"%1\" was no longer there: another program deleted or "
                                            "moved it after it was opened here.\n\nThe project has been saved anew "
                                            "under its name.")
                    .arg(QDir::toNativeSeparators(CFileName::Display(doc.GetPathName()))),
                MB_OK | MB_ICONINFORMATION);
}

bool CDocManager::ResolveChangedFile(CSelvantisDoc& doc) {
  const QString path = doc.GetPathName();
  const QString other = CSelvantisDoc::OtherVersionPathFor(path);
  const int answer = AfxMessageBox(
      QCoreApplication::translate("CDocManager",
                                  "The project file \"%1\" was changed by another program after it was opened here.\n\n"
                                  "Yes: save this version; the other program's version is kept as \"%2\".\n"
                                  "No: load the other program's version; the changes made here are dropped.\n"
                                  "Cancel: save nothing.")
          .arg(QDir::toNativeSeparators(CFileName::Display(path)), QFileInfo(other).fileName()),
      MB_YESNOCANCEL | MB_ICONEXCLAMATION | MB_DEFBUTTON3);
  if (answer == IDNO) {
    // The file as it is now; a file that cannot be loaded says why and the
    // document stays as it was.
    doc.OnOpenDocument(path);
    return false;
  }
  if (answer != IDYES) return false;
  const QString reason = CSelvantisDoc::WriteBackup(path, other);
  if (reason.isEmpty()) return true;
  AfxMessageBox(QCoreApplication::translate("CDocManager",
                                            "The other program's version cannot be kept as \"%1\":\n%2\n\n"
                                            "Nothing was saved.")
                    .arg(QDir::toNativeSeparators(CFileName::Display(other)), reason),
                MB_OK | MB_ICONSTOP);
  return false;
}

bool CDocManager::Save(CSelvantisDoc& doc) {
  if (doc.GetPathName().isEmpty()) return SaveAs(doc);
  return SaveTo(doc, doc.GetPathName());
}

bool CDocManager::SaveAs(CSelvantisDoc& doc) {
  const QString chosen = m_host.PromptSaveFileName(ProposedPath(doc));
  if (chosen.isEmpty()) return false;
  const QString path = WithExtension(chosen);
  CSelvantisDoc* other = FindByPath(path);
  if (other && other != &doc) {
    // Two windows on one file would overwrite each other's work.
    AfxMessageBox(
        QCoreApplication::translate(
            "CDocManager", "The project \"%1\" is open in another window.\nClose it first or choose another name.")
            .arg(QDir::toNativeSeparators(path)),
        MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  return SaveTo(doc, CFileName::Absolute(path));
}

bool CDocManager::SaveModified(CSelvantisDoc& doc) {
  if (!doc.IsModified()) return true;
  const int answer =
      AfxMessageBox(QCoreApplication::translate("CDocManager", "Save changes to %1?").arg(doc.GetTitle()),
                    MB_YESNOCANCEL | MB_ICONEXCLAMATION);
  if (answer == IDCANCEL) return false;
  if (answer == IDNO) return true;
  return Save(doc);
}

bool CDocManager::CloseDocument(CSelvantisDoc& doc, bool ask) {
  if (!Contains(&doc)) return false;
  if (ask && !SaveModified(doc)) return false;
  m_host.DocumentClosing(doc);
  for (auto it = m_docs.begin(); it != m_docs.end(); ++it) {
    if (it->get() != &doc) continue;
    std::unique_ptr<CSelvantisDoc> closing = std::move(*it);
    m_docs.erase(it);
    if (GetActiveDoc() == closing.get()) SetActiveDoc(nullptr);
    closing.reset();
    break;
  }
  return true;
}

bool CDocManager::SaveAllModified() {
  for (const auto& d : m_docs)
    if (!SaveModified(*d)) return false;
  return true;
}

void CDocManager::CloseAll() {
  while (!m_docs.empty()) CloseDocument(*m_docs.back(), false);
}

void CDocManager::AddRecent(const QString& path) {
  if (path.isEmpty()) return;
  m_recent.Add(path);
  m_recent.Save();
  m_host.RecentFilesChanged();
}
