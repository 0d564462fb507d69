#ifndef SELV_LINK_CUNCLOSEDNOTES_H
#define SELV_LINK_CUNCLOSEDNOTES_H

#include "link/cunitidentity.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// The notes of units that may have been left open: the port, who the unit
// is and what it may still have (its macros locked, its settings
// unprotected). A note is on the disk before the first line that unlocks
// or unprotects a unit goes to it, follows what the unit takes, and goes
// once the unit has taken both closing lines: a crash, a kill or a power
// cut leaves it, and the next connect to the unit finds it.
//
// The notes have a file of their own beside the profile's
// ("Selvantis.conf.unclosed"), one note a line:
//   /dev/ttyUSB0 [10337,V1.0] locked unprotected
// The port's bytes and the unit's words are written with every blank,
// control character, byte beyond ASCII and "%", "#", "[", "]" and "," as
// "%XX", so that any name reads back as it was. Every change is one
// read-change-write under an flock of "Selvantis.conf.unclosed.lock",
// which every program of the user takes, and is read back before the call
// returns. An older program kept its notes in the profile
// ("COMSECTION"/"Unclosed Ports", "port [device id,version]" separated by
// "|", or the port alone): they are read as well, as notes of a unit that
// may have both open, and go from there when they are closed.
class CUnclosedNotes final {
  Q_DECLARE_TR_FUNCTIONS(CUnclosedNotes)

 public:
  struct Note {
    QString port;
    CUnitIdentity unit;  // empty for a note of an older program
    bool locked = true;
    bool unprotected = true;
    // The same note (the port and the unit), whatever it says is open.
    bool SameAs(const Note& other) const { return port == other.port && unit == other.unit; }
    bool operator==(const Note& other) const {
      return SameAs(other) && locked == other.locked && unprotected == other.unprotected;
    }
  };

  // The file of the notes, and the lock every change takes.
  static QString FilePath();
  static QString LockPath();

  // Every note; false with the system's reason when they cannot be read.
  static bool Read(std::vector<Note>* notes, QString* reason);
  // Every note that can be read.
  static std::vector<Note> All();
  // The ports with a note.
  static QStringList Ports();
  static bool Has(const QString& port, const CUnitIdentity& unit);

  // Writes the note, or what it says now over the note of the same port and
  // unit. False with the system's reason when it is not on the disk
  // afterwards.
  static bool Put(const Note& note, QString* reason);
  // A note that the unit may have both open.
  static bool Add(const QString& port, const CUnitIdentity& unit, QString* reason = nullptr);
  // Removes the notes of these ports and units; false with the reason when
  // one may still be there.
  static bool Remove(const std::vector<Note>& notes, QString* reason = nullptr);
  static bool Remove(const QString& port, const CUnitIdentity& unit);

  // The notes that concern the unit that answers on port: those of the
  // same terminal under any name (a link, a by-id name, a second device
  // node), and those whose port names nothing any more (an adapter that
  // came back under another name). Of these, mine are the unit's (the same
  // device id; a note of an older program on the same terminal names no
  // unit and may be this one's), the others another unit's.
  struct Concern {
    std::vector<Note> mine;
    std::vector<Note> others;
  };
  static Concern Concerning(const std::vector<Note>& notes, const QString& port, const CUnitIdentity& unit);

  // One line of the file (without its line end), and back: false for a
  // line that holds no note (empty, a comment).
  static QByteArray Format(const Note& note);
  static bool Parse(const QByteArray& line, Note* note);
  // A whole file.
  static QByteArray FormatFile(const std::vector<Note>& notes);
  static std::vector<Note> ParseFile(const QByteArray& bytes);
  // The notes of an older program in the profile's value.
  static std::vector<Note> ParseOlder(const QString& value);

  // What a note says may be open, in words ("its macros locked and its
  // settings unprotected").
  static QString OpenText(bool locked, bool unprotected);
  // The lines that close it ("\"/MACRO/LOCK OFF\" and \"/PROTECT ON\"").
  static QString ClosingText(bool locked, bool unprotected);

 private:
  // One change of the notes: read, changed and written back, under the
  // lock; false with the reason when they are not on the disk so.
  static bool Change(const std::function<void(std::vector<Note>* notes)>& change, QString* reason);
};

#endif
