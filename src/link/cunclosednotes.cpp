#include "link/cunclosednotes.h"

#include "link/cportlock.h"
#include "link/cunitclosing.h"
#include "link/linkprofile.h"
#include "model/cfilename.h"
#include "model/coutputfile.h"
#include "model/cprofile.h"
#include "model/csystemerror.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace {

QString Section() { return QString::fromLatin1(LinkProfile::kComSection); }
QString OlderKey() { return QString::fromLatin1(LinkProfile::kUnclosedPorts); }

// Another program changes the notes for a moment only: one that holds the
// lock longer than this has stopped, and the change fails with a reason.
constexpr int kLockWaitMs = 5000;
constexpr char kLocked[] = "locked";
constexpr char kUnprotected[] = "unprotected";

bool Plain(unsigned char c) { return c > 0x20 && c < 0x7f && c != '%' && c != '#' && c != '[' && c != ']' && c != ','; }

QByteArray Escaped(const QByteArray& bytes) {
  static const char kHex[] = "0123456789ABCDEF";
  QByteArray text;
  text.reserve(bytes.size());
  for (const char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    if (Plain(c)) {
      text += ch;
    } else {
      text += '%';
      text += kHex[c >> 4];
      text += kHex[c & 0x0f];
    }
  }
  return text;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// A "%" not followed by two hexadecimal digits is itself (a file changed by
// hand).
QByteArray Unescaped(const QByteArray& text) {
  QByteArray bytes;
  bytes.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
      bytes += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
      i += 2;
    } else {
      bytes += text[i];
    }
  }
  return bytes;
}

// The unit's words are Latin-1, as everything it sends.
QByteArray UnitBytes(const QString& text) { return text.toLatin1(); }
QString UnitText(const QByteArray& bytes) { return QString::fromLatin1(bytes); }

QString Reason(int code) { return CSystemError::Text(code != 0 ? code : EIO); }

// Makes the folder of path and those above it; false with errno set.
bool MakeFolderOf(const QByteArray& path) {
  const qsizetype slash = path.lastIndexOf('/');
  if (slash <= 0) return true;
  const QByteArray folder = path.left(slash);
  struct stat st {};
  if (::stat(folder.constData(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) return true;
    errno = ENOTDIR;
    return false;
  }
  if (errno != ENOENT) return false;
  if (!MakeFolderOf(folder)) return false;
  return ::mkdir(folder.constData(), 0700) == 0 || errno == EEXIST;
}

// The lock of the notes while it lives: every program of the user takes
// the same file, and the system drops it with the process.
class NotesLock final {
 public:
  NotesLock() {
    const QByteArray path = CFileName::ToSystem(CUnclosedNotes::LockPath());
    if (!MakeFolderOf(path)) {
      m_error = errno;
      return;
    }
    m_fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_fd < 0) {
      m_error = errno;
      return;
    }
    QElapsedTimer waited;
    waited.start();
    while (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
      if ((errno != EWOULDBLOCK && errno != EINTR) || waited.elapsed() > kLockWaitMs) {
        m_error = errno == EWOULDBLOCK ? EBUSY : errno;
        ::close(m_fd);
        m_fd = -1;
        return;
      }
      const timespec pause{0, 2'000'000};
      ::nanosleep(&pause, nullptr);
    }
  }
  ~NotesLock() {
    if (m_fd >= 0) ::close(m_fd);
  }
  NotesLock(const NotesLock&) = delete;
  NotesLock& operator=(const NotesLock&) = delete;

  bool Held() const { return m_fd >= 0; }
  int Error() const { return m_error; }

 private:
  int m_fd = -1;
  int m_error = 0;
};

// The notes of the file; false with errno set when it cannot be read (a
// missing file holds none, nor does a folder that is none).
bool ReadFile(std::vector<CUnclosedNotes::Note>* notes) {
  notes->clear();
  const int fd = ::open(CFileName::ToSystem(CUnclosedNotes::FilePath()).constData(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT || errno == ENOTDIR;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    const int code = S_ISDIR(st.st_mode) ? EISDIR : errno != 0 ? errno : EINVAL;
    ::close(fd);
    errno = code;
    return false;
  }
  QByteArray bytes;
  char buffer[4096];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      const int code = errno;
      ::close(fd);
      errno = code;
      return false;
    }
    bytes.append(buffer, n);
  }
  ::close(fd);
  *notes = CUnclosedNotes::ParseFile(bytes);
  return true;
}

// Writes the notes as the whole file (none: no file); false with the
// reason.
bool WriteFile(const std::vector<CUnclosedNotes::Note>& notes, QString* reason) {
  const QString path = CUnclosedNotes::FilePath();
  if (notes.empty()) {
    if (::unlink(CFileName::ToSystem(path).constData()) == 0 || errno == ENOENT) return true;
    *reason = Reason(errno);
    return false;
  }
  return COutputFile::WriteFile(path, CUnclosedNotes::FormatFile(notes), reason);
}

// Writes the notes and reads them back: what is on the disk afterwards is
// what counts.
bool WriteBack(const std::vector<CUnclosedNotes::Note>& notes, QString* reason) {
  if (!WriteFile(notes, reason)) return false;
  std::vector<CUnclosedNotes::Note> back;
  if (!ReadFile(&back)) {
    *reason = Reason(errno);
    return false;
  }
  if (back == notes) return true;
  *reason = QCoreApplication::translate("CUnclosedNotes", "the file does not hold the notes after they were written");
  return false;
}

std::vector<CUnclosedNotes::Note> OlderNotes() {
  return CUnclosedNotes::ParseOlder(CProfile::GetString(Section(), OlderKey()));
}

void Insert(std::vector<CUnclosedNotes::Note>* notes, const CUnclosedNotes::Note& note) {
  for (const CUnclosedNotes::Note& known : *notes)
    if (known.SameAs(note)) return;
  notes->push_back(note);
}

bool Contains(const std::vector<CUnclosedNotes::Note>& notes, const CUnclosedNotes::Note& note) {
  return std::any_of(notes.begin(), notes.end(), [&](const CUnclosedNotes::Note& n) { return n.SameAs(note); });
}

}  // namespace

QString CUnclosedNotes::FilePath() { return CProfile::FilePath() + QStringLiteral(".unclosed"); }

QString CUnclosedNotes::LockPath() { return FilePath() + QStringLiteral(".lock"); }

QByteArray CUnclosedNotes::Format(const Note& note) {
  QByteArray line = Escaped(CFileName::ToSystem(note.port));
  // An empty name still takes its place on the line: a "%" alone, which no
  // name gives ("%" itself is "%25").
  if (line.isEmpty()) line = "%";
  if (!note.unit.IsEmpty())
    line += " [" + Escaped(UnitBytes(note.unit.DeviceId())) + ',' + Escaped(UnitBytes(note.unit.Version())) + ']';
  if (note.locked) line += QByteArray(" ") + kLocked;
  if (note.unprotected) line += QByteArray(" ") + kUnprotected;
  return line;
}

bool CUnclosedNotes::Parse(const QByteArray& line, Note* note) {
  const QList<QByteArray> words = line.simplified().split(' ');
  if (words.isEmpty() || words[0].isEmpty() || words[0].startsWith('#')) return false;
  Note read;
  read.port = words[0] == "%" ? QString() : CFileName::FromSystem(Unescaped(words[0]));
  qsizetype next = 1;
  if (next < words.size() && words[next].startsWith('[') && words[next].endsWith(']') && words[next].size() >= 2) {
    const QByteArray inner = words[next].mid(1, words[next].size() - 2);
    const qsizetype comma = inner.indexOf(',');
    const QByteArray id = comma < 0 ? inner : inner.left(comma);
    const QByteArray version = comma < 0 ? QByteArray() : inner.mid(comma + 1);
    read.unit = CUnitIdentity(UnitText(Unescaped(id)), UnitText(Unescaped(version)));
    ++next;
  }
  // Words it does not know say nothing; a note that says nothing of what is
  // open was written by hand: both may be.
  bool said = false;
  read.locked = read.unprotected = false;
  for (; next < words.size(); ++next) {
    if (words[next] == kLocked) read.locked = said = true;
    if (words[next] == kUnprotected) read.unprotected = said = true;
  }
  if (!said) read.locked = read.unprotected = true;
  *note = read;
  return true;
}

QByteArray CUnclosedNotes::FormatFile(const std::vector<Note>& notes) {
  QByteArray bytes =
      "# Units that may have been left open: the port, [device id,version], what may be open.\n"
      "# Written by Selvantis; the next connect to the unit closes it.\n";
  for (const Note& note : notes) bytes += Format(note) + '\n';
  return bytes;
}

std::vector<CUnclosedNotes::Note> CUnclosedNotes::ParseFile(const QByteArray& bytes) {
  std::vector<Note> notes;
  for (const QByteArray& line : bytes.split('\n')) {
    Note note;
    if (Parse(line, &note)) Insert(&notes, note);
  }
  return notes;
}

std::vector<CUnclosedNotes::Note> CUnclosedNotes::ParseOlder(const QString& value) {
  std::vector<Note> notes;
  for (const QString& entry : value.split(QLatin1Char('|'), Qt::SkipEmptyParts)) {
    const QString text = entry.trimmed();
    if (text.isEmpty()) continue;
    Note note;
    const qsizetype open = text.lastIndexOf(QStringLiteral(" ["));
    CUnitIdentity unit;
    if (open > 0 && text.endsWith(QLatin1Char(']')) &&
        CUnitIdentity::Parse(text.mid(open + 2, text.size() - open - 3), &unit)) {
      note.port = text.left(open);
      note.unit = unit;
    } else {
      note.port = text;
    }
    Insert(&notes, note);
  }
  return notes;
}

bool CUnclosedNotes::Read(std::vector<Note>* notes, QString* reason) {
  std::vector<Note> read;
  if (!ReadFile(&read)) {
    if (reason) *reason = Reason(errno);
    notes->clear();
    return false;
  }
  for (const Note& note : OlderNotes()) Insert(&read, note);
  *notes = read;
  return true;
}

std::vector<CUnclosedNotes::Note> CUnclosedNotes::All() {
  std::vector<Note> notes;
  Read(&notes, nullptr);
  return notes;
}

QStringList CUnclosedNotes::Ports() {
  QStringList ports;
  for (const Note& note : All())
    if (!ports.contains(note.port)) ports << note.port;
  return ports;
}

bool CUnclosedNotes::Has(const QString& port, const CUnitIdentity& unit) {
  Note wanted;
  wanted.port = port;
  wanted.unit = unit;
  return Contains(All(), wanted);
}

bool CUnclosedNotes::Change(const std::function<void(std::vector<Note>* notes)>& change, QString* reason) {
  QString why;
  const NotesLock lock;
  std::vector<Note> notes;
  if (!lock.Held()) {
    why = Reason(lock.Error());
  } else if (!ReadFile(&notes)) {
    why = Reason(errno);
  } else {
    const std::vector<Note> before = notes;
    change(&notes);
    if (notes == before || WriteBack(notes, &why)) return true;
  }
  if (reason) *reason = why;
  return false;
}

bool CUnclosedNotes::Put(const Note& note, QString* reason) {
  return Change(
      [&note](std::vector<Note>* notes) {
        const auto same = std::find_if(notes->begin(), notes->end(), [&](const Note& n) { return n.SameAs(note); });
        if (same == notes->end())
          notes->push_back(note);
        else
          *same = note;
      },
      reason);
}

bool CUnclosedNotes::Add(const QString& port, const CUnitIdentity& unit, QString* reason) {
  if (port.isEmpty()) {
    if (reason) *reason = Reason(ENOENT);
    return false;
  }
  Note note;
  note.port = port;
  note.unit = unit;
  return Put(note, reason);
}

bool CUnclosedNotes::Remove(const std::vector<Note>& gone, QString* reason) {
  if (gone.empty()) return true;
  QString why;
  if (!Change(
          [&gone](std::vector<Note>* notes) {
            notes->erase(std::remove_if(notes->begin(), notes->end(), [&](const Note& n) { return Contains(gone, n); }),
                         notes->end());
          },
          &why)) {
    if (reason) *reason = why;
    return false;
  }
  // An older program's notes, where one of them goes.
  const std::vector<Note> older = OlderNotes();
  QStringList kept;
  for (const Note& note : older)
    if (!Contains(gone, note))
      kept << (note.unit.IsEmpty() ? note.port : note.port + QStringLiteral(" [") + note.unit.Key() + QLatin1Char(']'));
  if (kept.size() == static_cast<qsizetype>(older.size())) return true;
  if (kept.isEmpty() ? CProfile::Remove(Section(), OlderKey())
                     : CProfile::WriteString(Section(), OlderKey(), kept.join(QLatin1Char('|'))))
    return true;
  if (reason) *reason = tr("the settings file cannot be written");
  return false;
}

bool CUnclosedNotes::Remove(const QString& port, const CUnitIdentity& unit) {
  Note note;
  note.port = port;
  note.unit = unit;
  return Remove(std::vector<Note>{note}, nullptr);
}

CUnclosedNotes::Concern CUnclosedNotes::Concerning(const std::vector<Note>& notes, const QString& port,
                                                   const CUnitIdentity& unit) {
  Concern concern;
  const QString terminal = CPortLock::DeviceKey(port);
  for (const Note& note : notes) {
    const QString noted = CPortLock::DeviceKey(note.port);
    const bool sameTerminal = note.port == port || (!noted.isEmpty() && noted == terminal);
    const bool gone = noted.isEmpty() && note.port != port;
    if (!sameTerminal && !gone) continue;
    // The device id tells the unit; its version changes with an update of
    // its operating system.
    const bool sameUnit = note.unit.SameDevice(unit);
    if (sameUnit || (sameTerminal && note.unit.IsEmpty()))
      concern.mine.push_back(note);
    else
      concern.others.push_back(note);
  }
  return concern;
}

QString CUnclosedNotes::OpenText(bool locked, bool unprotected) {
  if (locked && unprotected) return tr("its macros locked and its settings unprotected");
  if (locked) return tr("its macros locked");
  return tr("its settings unprotected");
}

QString CUnclosedNotes::ClosingText(bool locked, bool unprotected) {
  const QString lockOff = QLatin1Char('"') + CUnitClosing::LockOff() + QLatin1Char('"');
  const QString protectOn = QLatin1Char('"') + CUnitClosing::ProtectOn() + QLatin1Char('"');
  if (locked && unprotected) return tr("%1 and %2").arg(lockOff, protectOn);
  return locked ? lockOff : protectOn;
}
