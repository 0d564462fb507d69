#include "shell/crecoverystore.h"

#include "model/cfilename.h"
#include "model/coutputfile.h"
#include "model/cprofile.h"
#include "model/cselvantisdoc.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QUrl>

#include <algorithm>

namespace {

constexpr const char* kOriginalKey = "Original=";
constexpr const char* kTitleKey = "Title=";
constexpr const char* kKeptKey = "Kept=";

// A file name made of name: no folder separators, no bytes that are not
// text (the copy's name must come back from the folder as it went in).
QString SafeName(QString name) {
  for (QChar& c : name)
    if (c == QLatin1Char('/') || c == QChar(0) || (c.unicode() >= 0xDC80 && c.unicode() <= 0xDCFF))
      c = QLatin1Char('_');
  name = name.trimmed();
  if (name.isEmpty() || name.startsWith(QLatin1Char('.'))) name.prepend(QStringLiteral("Project"));
  return name;
}

bool MakeFolder(QString* reason) {
  const QString folder = CRecoveryStore::Folder();
  if (!QDir().mkpath(folder)) {
    if (reason)
      *reason = QCoreApplication::translate("CRecoveryStore", "The folder \"%1\" cannot be made.").arg(folder);
    return false;
  }
  // The projects hold the unit's password.
  QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  return true;
}

bool WriteWhole(const QString& path, const QByteArray& bytes, QString* reason) {
  COutputFile file(path);
  file.SetPermissions(0600);
  if (file.Open() && file.Write(bytes) && file.Commit()) return true;
  if (reason) *reason = file.ErrorString();
  return false;
}

}  // namespace

CRecoveryStore::CRecoveryStore(QObject* parent) : QObject(parent) {}

CRecoveryStore::~CRecoveryStore() = default;

QString CRecoveryStore::Folder() {
  const QString ini = CProfile::IniFile();
  if (!ini.isEmpty()) return QFileInfo(ini).absolutePath() + QStringLiteral("/Recovery");
  return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/Recovery");
}

QString CRecoveryStore::NewCopyPath(const CSelvantisDoc& doc) {
  const QString base =
      SafeName(doc.GetPathName().isEmpty() ? doc.GetTitle() : QFileInfo(doc.GetPathName()).completeBaseName());
  const QDir folder(Folder());
  QString name = base + QStringLiteral(".sxm");
  for (int n = 2; COutputFile::Exists(folder.filePath(name)) ||
                  COutputFile::Exists(folder.filePath(name + QLatin1String(kNoteSuffix)));
       ++n)
    name = QStringLiteral("%1 (%2).sxm").arg(base).arg(n);
  return folder.filePath(name);
}

bool CRecoveryStore::Keep(CSelvantisDoc& doc, QString* reason) {
  QByteArray bytes;
  {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const ProjectFileResult result = doc.SaveTo(buffer);
    if (!result.ok) {
      if (reason) *reason = result.message;
      return false;
    }
  }
  if (!MakeFolder(reason)) return false;
  auto known = m_copies.find(&doc);
  Entry entry = known != m_copies.end() ? known->second : Entry{NewCopyPath(doc), {}, {}, {}};
  entry.original = doc.GetPathName();
  entry.title = doc.GetTitle();
  entry.kept = QDateTime::currentDateTime();
  // The copy first: a note always names a whole copy.
  if (!WriteWhole(entry.copy, bytes, reason) || !WriteNote(entry, reason)) return false;
  m_copies[&doc] = entry;
  return true;
}

void CRecoveryStore::Drop(CSelvantisDoc& doc) {
  auto known = m_copies.find(&doc);
  if (known == m_copies.end()) return;
  Discard(known->second);
  m_copies.erase(known);
}

bool CRecoveryStore::WriteNote(const Entry& entry, QString* reason) {
  QByteArray note;
  note += kOriginalKey + QUrl::toPercentEncoding(CFileName::ToSystem(entry.original)) + '\n';
  note += kTitleKey + QUrl::toPercentEncoding(entry.title) + '\n';
  note += kKeptKey + entry.kept.toString(Qt::ISODateWithMs).toLatin1() + '\n';
  return WriteWhole(entry.copy + QLatin1String(kNoteSuffix), note, reason);
}

CRecoveryStore::Entry CRecoveryStore::ReadNote(const QString& copy) {
  Entry entry;
  entry.copy = copy;
  entry.title = QFileInfo(copy).completeBaseName();
  entry.kept = QFileInfo(copy).lastModified();
  QFile file(copy + QLatin1String(kNoteSuffix));
  if (!file.open(QIODevice::ReadOnly)) return entry;
  for (const QByteArray& line : file.readAll().split('\n')) {
    if (line.startsWith(kOriginalKey)) {
      entry.original =
          CFileName::FromSystem(QByteArray::fromPercentEncoding(line.mid(static_cast<int>(qstrlen(kOriginalKey)))));
    } else if (line.startsWith(kTitleKey)) {
      const QString title =
          QString::fromUtf8(QByteArray::fromPercentEncoding(line.mid(static_cast<int>(qstrlen(kTitleKey)))));
      if (!title.isEmpty()) entry.title = title;
    } else if (line.startsWith(kKeptKey)) {
      const QDateTime kept =
          QDateTime::fromString(QString::fromLatin1(line.mid(static_cast<int>(qstrlen(kKeptKey)))), Qt::ISODateWithMs);
      if (kept.isValid()) entry.kept = kept;
    }
  }
  return entry;
}

std::vector<CRecoveryStore::Entry> CRecoveryStore::Entries() const {
  std::vector<Entry> entries;
  const QDir folder(Folder());
  // Temporary files of a write that was cut short are no copies.
  for (const QString& name : folder.entryList({QStringLiteral("*.sxm")}, QDir::Files)) {
    if (name.contains(QLatin1String(COutputFile::kTemporaryMark))) continue;
    entries.push_back(ReadNote(folder.filePath(name)));
  }
  std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.kept < b.kept; });
  return entries;
}

bool CRecoveryStore::Discard(const Entry& entry) {
  const QString note = entry.copy + QLatin1String(kNoteSuffix);
  bool ok = !QFileInfo::exists(entry.copy) || QFile::remove(entry.copy);
  if (QFileInfo::exists(note)) ok = QFile::remove(note) && ok;
  return ok;
}

void CRecoveryStore::Adopt(CSelvantisDoc& doc, const Entry& entry) {
  m_copies[&doc] = entry;
  const CSelvantisDoc* key = &doc;
  // Saved: the changes are in the project file. Closed: the user has
  // decided about them.
  connect(&doc, &CSelvantisDoc::modifiedChanged, this, [this, key](bool modified) {
    auto known = m_copies.find(key);
    if (modified || m_holding || known == m_copies.end()) return;
    Discard(known->second);
    m_copies.erase(known);
  });
  connect(&doc, &QObject::destroyed, this, [this, key] {
    auto known = m_copies.find(key);
    if (known == m_copies.end()) return;
    if (!m_holding) Discard(known->second);
    m_copies.erase(known);
  });
}

QString CRecoveryStore::OfferText(const Entry& entry) {
  const QString kept = QLocale().toString(entry.kept, QLocale::ShortFormat);
  QString text =
      entry.original.isEmpty()
          ? tr("The new project \"%1\" had changes that were not saved when the program was ended on %2. They were "
               "kept in a recovery copy.")
                .arg(entry.title, kept)
          : tr("The project \"%1\" had changes that were not saved when the program was ended on %2. They were "
               "kept in a recovery copy; the project file \"%3\" is as it was saved last.")
                .arg(entry.title, kept, QDir::toNativeSeparators(CFileName::Display(entry.original)));
  text += QLatin1String("\n\n");
  text +=
      tr("Yes: open the recovery copy. The project file stays as it is until you save.\n"
         "No: delete the recovery copy.\n"
         "Cancel: keep the recovery copy and ask again at the next start.");
  return text;
}
