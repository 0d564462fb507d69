#ifndef SELV_LINK_CUNCLOSEDNOTES_H
#define SELV_LINK_CUNCLOSEDNOTES_H

#include "link/cunitidentity.h"

#include <QString>
#include <QStringList>

#include <vector>

// The profile's notes of units that may have been left open: the port and
// who the unit is ("COMSECTION"/"Unclosed Ports", entries separated by "|",
// each "port [device id,version]"; an older program wrote the port alone).
// A note is written before the first line that unlocks or unprotects a unit
// goes to it, and goes only once the unit has taken the closing lines: a
// crash, a kill or a power cut leaves it, and the next connect to the port
// finds it. Every write is on disk before the call returns.
class CUnclosedNotes final {
 public:
  struct Note {
    QString port;
    CUnitIdentity unit;  // empty for a note of an older program
  };

  static std::vector<Note> All();
  // The notes of a port.
  static std::vector<Note> OfPort(const QString& port);
  // The ports with a note.
  static QStringList Ports();
  static bool Has(const QString& port, const CUnitIdentity& unit);
  // Adds the note (once); false when the profile could not keep it.
  static bool Add(const QString& port, const CUnitIdentity& unit);
  // Removes the note of the unit on the port; an empty unit removes the
  // port's notes that name no unit.
  static void Remove(const QString& port, const CUnitIdentity& unit);

  static QString Format(const Note& note);
  static bool Parse(const QString& entry, Note* note);

 private:
  static void Write(const std::vector<Note>& notes);
};

#endif
