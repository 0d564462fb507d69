#ifndef SELV_TESTS_MODEL_PARSERFUZZCHECKS_H
#define SELV_TESTS_MODEL_PARSERFUZZCHECKS_H

#include <QByteArray>
#include <QString>

// Arbitrary bytes for the parsers of text that comes from outside the
// program, shared by the fuzz harnesses (tools/fuzz) and the replay of their
// corpora (tests/data/<target>-corpus). Each check returns an empty string
// when all went well, else what was wrong; a crash or a sanitizer report is
// a fault too. The profile's values are in profilefuzzchecks.h.

// A project file: it is refused with a message, or it loads into a
// consistent document that saves and loads again. A trailer checksum is made
// to match first, so that changed bytes reach the records.
QString CheckProjectFile(const QByteArray& bytes);

// A command file: its lines are non-empty, carry no line end, and written
// back they read as the same lines.
QString CheckCommandFile(const QByteArray& bytes);

// A range list: bytes 0 and 1 give the number of bits (1..2048), byte 2 the
// form (bit 0 hexadecimal, bit 1 also read with base 0), the rest is the
// text. Any text is read or refused; a list that is read sets no bit beyond
// the count, and formatted it reads back as the same set.
QString CheckRangeList(const QByteArray& bytes);

#endif
