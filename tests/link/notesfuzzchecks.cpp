#include "link/notesfuzzchecks.h"

#include "link/cunclosednotes.h"

#include <vector>

QString CheckNotesFile(const QByteArray& bytes) {
  const std::vector<CUnclosedNotes::Note> notes = CUnclosedNotes::ParseFile(bytes);
  for (const CUnclosedNotes::Note& note : notes) {
    const QByteArray line = CUnclosedNotes::Format(note);
    if (line.contains('\n') || line.contains('\r')) return QStringLiteral("a note wrote a line end: ") + line;
    CUnclosedNotes::Note back;
    if (!CUnclosedNotes::Parse(line, &back)) return QStringLiteral("a note wrote no note: ") + line;
    if (!(back == note)) return QStringLiteral("a note read back as another: ") + line;
    if (!note.locked && !note.unprotected) return QStringLiteral("a note says nothing is open: ") + line;
  }
  if (CUnclosedNotes::ParseFile(CUnclosedNotes::FormatFile(notes)) != notes)
    return QStringLiteral("the notes did not read back as they were written");
  // The same bytes as an older program's value in the profile.
  for (const CUnclosedNotes::Note& note : CUnclosedNotes::ParseOlder(QString::fromLatin1(bytes))) {
    CUnclosedNotes::Note back;
    if (!CUnclosedNotes::Parse(CUnclosedNotes::Format(note), &back) || !(back == note))
      return QStringLiteral("an older note read back as another: ") + note.port;
  }
  return QString();
}
