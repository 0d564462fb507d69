#ifndef SELV_TESTS_LINK_NOTESFUZZCHECKS_H
#define SELV_TESTS_LINK_NOTESFUZZCHECKS_H

#include <QByteArray>
#include <QString>

// Arbitrary bytes as the file of the notes of units that may have been left
// open (and as an older program's notes in the profile), shared by the fuzz
// harness (tools/fuzz/notes_fuzz.cpp) and the replay of its corpus
// (tests/data/notes-corpus). Every note read writes back as one line that
// reads as the same note, and the whole file as the same notes. Returns an
// empty string when all went well, else what was wrong; a crash or a
// sanitizer report is a fault too.
QString CheckNotesFile(const QByteArray& bytes);

#endif
