#ifndef SELV_MODEL_COUTPUTFILE_H
#define SELV_MODEL_COUTPUTFILE_H

#include <QByteArray>
#include <QString>

#include <sys/types.h>

// A file the program writes (a project, its backup, a command file, a PDF, a
// table), whole or not at all:
// - a regular file, or a name not yet taken, is written to a new file in the
//   same folder that has no name while it is written (where the file system
//   allows, else a temporary name), gets its temporary name beside the
//   target ("Plant.sxm.sxtmp-k3Zq9A") when every byte is on the disk and
//   then takes the old file's place; the old file goes only once the folder
//   holds the new one on the disk. Until then the old file stays as it was,
//   and a failure of any step (the temporary file, a write, the file's or
//   the folder's flush to the disk, the rename) removes the new file and
//   says the system's reason;
// - a symbolic link is followed to the end of its chain: the file it names
//   is written (created when the link leads nowhere yet, as the shell's ">"
//   does) and the link stays a link;
// - a file with other names (hard links) is refused: replaced, its other
//   names would keep the old contents, and written in place it could be
//   lost half-way;
// - a character device or a FIFO is written in place (a FIFO only while a
//   program reads from it), never renamed over;
// - a folder, a block device or anything else is refused.
// A new file gets its permissions from the system as the shell's ">" gives
// them (0666 less the user's mask, or the folder's default access list); a
// replaced one keeps its own. Every write is checked to its end: a short
// write, a failed flush or close is a failure with the system's reason ("No
// space left on device", "File too large").
class COutputFile final {
 public:
  // The mark between a file's name and the random part of its temporary
  // file's name.
  static constexpr const char* kTemporaryMark = ".sxtmp-";

  explicit COutputFile(QString path);
  ~COutputFile();
  COutputFile(const COutputFile&) = delete;
  COutputFile& operator=(const COutputFile&) = delete;

  // A replaced file keeps its permissions; a new one gets the usual ones
  // unless these are set before Open.
  void SetPermissions(mode_t mode) {
    m_mode = mode;
    m_modeSet = true;
  }

  bool Open();
  // Everything or false.
  bool Write(const QByteArray& bytes);
  // Puts the file in place; false when it could not (the old file stays).
  bool Commit();
  // Drops what was written; the old file stays.
  void Cancel();

  // Written in place (a device, a FIFO).
  bool InPlace() const noexcept { return m_inPlace; }
  // Why the last step failed, in the user's language.
  QString ErrorString() const { return m_error; }
  QString Path() const { return m_path; }

  // Writes bytes to path as a whole; false with the reason.
  static bool WriteFile(const QString& path, const QByteArray& bytes, QString* reason);
  // Whether two names reach the same file or device (both exist).
  static bool SameFile(const QString& first, const QString& second);
  // Whether name exists as anything (a dangling link included).
  static bool Exists(const QString& path);

  // The system's write for the program's outputs. Tests put a failing one
  // in its place to see a full disk; returns the previous one.
  using WriteCall = ssize_t (*)(int fd, const void* data, size_t size);
  static WriteCall SetWriteCall(WriteCall call);
  // Writes bytes to fd to the end through the write call; false with
  // errno set when it stops short.
  static bool WriteAll(int fd, const QByteArray& bytes);

  // The steps of writing a regular file. Tests make one of them fail, as the
  // system would, where no real failure of that step can be had (a flush to
  // the disk that fails); the program never does.
  enum class Step { Temporary, Write, Sync, Rename, FolderSync };
  static void FailStepForTests(Step step, int errnoValue);
  static void ClearFailedStepForTests();

 private:
  bool Fail(int code);
  // Gives the file its temporary name beside the target (or creates it
  // under one when the folder takes no unnamed files).
  bool CreateNamed(mode_t createMode);
  // Puts the complete temporary file in the target's place.
  bool Replace();
  void CloseAndRemove();

  QString m_path;
  QByteArray m_target;     // the file replaced: the path, links followed
  QByteArray m_temporary;  // empty while unnamed and when written in place
  bool m_unnamed = false;  // not yet in the folder
  bool m_replacing = false;  // the target exists and is taken over
  int m_fd = -1;
  bool m_inPlace = false;
  bool m_modeSet = false;
  mode_t m_mode = 0;
  QString m_error;
};

#endif
