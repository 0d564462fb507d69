#ifndef SELV_SHELL_CRECOVERYSTORE_H
#define SELV_SHELL_CRECOVERYSTORE_H

#include <QDateTime>
#include <QObject>
#include <QString>

#include <map>
#include <vector>

class CSelvantisDoc;

// The recovery copies of projects whose changes were not saved when the
// program was ended by a signal (a kill, a desktop's logout): nobody could
// be asked "Save changes?", and the project file is not written behind the
// user's back. Each copy is a project file named after its project
// ("Plant.sxm", "Plant (2).sxm" when taken) in the folder of recovery
// copies, with a note beside it ("Plant.sxm.origin") that names the
// project's file and title and when the copy was kept. Both are written
// whole or not at all, readable by the user alone (the project holds the
// unit's password). The next start offers each copy: open it (the project
// file stays as it is until the user saves) or discard it.
class CRecoveryStore final : public QObject {
  Q_OBJECT

 public:
  static constexpr const char* kNoteSuffix = ".origin";

  struct Entry {
    QString copy;      // the recovery copy
    QString original;  // the project's file; empty for a project never saved
    QString title;     // the project's title
    QDateTime kept;    // when the copy was written
  };

  explicit CRecoveryStore(QObject* parent = nullptr);
  CRecoveryStore(const CRecoveryStore&) = delete;
  CRecoveryStore& operator=(const CRecoveryStore&) = delete;
  ~CRecoveryStore() override;

  // The folder of the copies: "Recovery" in the user's data folder, or
  // beside the profile's file when the program runs on a file of its own
  // (CProfile::UseIniFile), so that such a profile never meets the user's
  // copies.
  static QString Folder();

  // Writes doc's copy and its note; a document kept before (or opened from
  // a copy) keeps its copy, which is replaced whole. False with the reason.
  bool Keep(CSelvantisDoc& doc, QString* reason);
  // doc's changes no longer need keeping (undone, saved): the copy this
  // store wrote for it goes.
  void Drop(CSelvantisDoc& doc);
  // The copies on disk, oldest first. A copy whose note is missing is
  // listed with its file's name as title and no project file.
  std::vector<Entry> Entries() const;
  // Removes a copy and its note.
  static bool Discard(const Entry& entry);
  // doc was opened from entry: the copy goes once doc is saved or closed,
  // unless the program is ending (Hold).
  void Adopt(CSelvantisDoc& doc, const Entry& entry);
  // The program ends: copies stay, whatever happens to their documents.
  void Hold() noexcept { m_holding = true; }

  // What the next start asks about entry.
  static QString OfferText(const Entry& entry);

 private:
  // A name for doc's new copy that no copy has.
  static QString NewCopyPath(const CSelvantisDoc& doc);
  static bool WriteNote(const Entry& entry, QString* reason);
  static Entry ReadNote(const QString& copy);

  std::map<const CSelvantisDoc*, Entry> m_copies;
  bool m_holding = false;
};

#endif
