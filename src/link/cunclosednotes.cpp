#include "link/cunclosednotes.h"

#include "link/linkprofile.h"
#include "model/cprofile.h"

#include <algorithm>

namespace {

QString Section() { return QString::fromLatin1(LinkProfile::kComSection); }
QString Key() { return QString::fromLatin1(LinkProfile::kUnclosedPorts); }

}  // namespace

QString CUnclosedNotes::Format(const Note& note) {
  if (note.unit.IsEmpty()) return note.port;
  return note.port + QStringLiteral(" [") + note.unit.Key() + QLatin1Char(']');
}

bool CUnclosedNotes::Parse(const QString& entry, Note* note) {
  const QString text = entry.trimmed();
  if (text.isEmpty()) return false;
  const qsizetype open = text.lastIndexOf(QStringLiteral(" ["));
  CUnitIdentity unit;
  if (open > 0 && text.endsWith(QLatin1Char(']')) &&
      CUnitIdentity::Parse(text.mid(open + 2, text.size() - open - 3), &unit)) {
    *note = Note{text.left(open), unit};
    return true;
  }
  *note = Note{text, CUnitIdentity()};
  return true;
}

std::vector<CUnclosedNotes::Note> CUnclosedNotes::All() {
  std::vector<Note> notes;
  for (const QString& entry : CProfile::GetString(Section(), Key()).split(QLatin1Char('|'), Qt::SkipEmptyParts)) {
    Note note;
    if (Parse(entry, &note)) notes.push_back(note);
  }
  return notes;
}

std::vector<CUnclosedNotes::Note> CUnclosedNotes::OfPort(const QString& port) {
  std::vector<Note> notes;
  for (const Note& note : All())
    if (note.port == port) notes.push_back(note);
  return notes;
}

QStringList CUnclosedNotes::Ports() {
  QStringList ports;
  for (const Note& note : All())
    if (!ports.contains(note.port)) ports << note.port;
  return ports;
}

bool CUnclosedNotes::Has(const QString& port, const CUnitIdentity& unit) {
  const std::vector<Note> notes = All();
  return std::any_of(notes.begin(), notes.end(),
                     [&](const Note& note) { return note.port == port && note.unit == unit; });
}

bool CUnclosedNotes::Add(const QString& port, const CUnitIdentity& unit) {
  if (port.isEmpty()) return false;
  std::vector<Note> notes = All();
  if (std::any_of(notes.begin(), notes.end(), [&](const Note& n) { return n.port == port && n.unit == unit; }))
    return true;
  notes.push_back(Note{port, unit});
  Write(notes);
  return Has(port, unit);
}

void CUnclosedNotes::Remove(const QString& port, const CUnitIdentity& unit) {
  std::vector<Note> notes = All();
  const auto end =
      std::remove_if(notes.begin(), notes.end(), [&](const Note& n) { return n.port == port && n.unit == unit; });
  if (end == notes.end()) return;
  notes.erase(end, notes.end());
  Write(notes);
}

void CUnclosedNotes::Write(const std::vector<Note>& notes) {
  if (notes.empty()) {
    CProfile::Remove(Section(), Key());
    return;
  }
  QStringList entries;
  for (const Note& note : notes) entries << Format(note);
  CProfile::WriteString(Section(), Key(), entries.join(QLatin1Char('|')));
}
