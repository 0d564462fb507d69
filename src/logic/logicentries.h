#ifndef SELV_LOGIC_LOGICENTRIES_H
#define SELV_LOGIC_LOGICENTRIES_H

#include "logic/logiclinks.h"
#include "logic/logicstrings.h"
#include "model/cselvantisdoc.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>

// Entries of the logic blocks: the conditions, triggers, logic outputs,
// ready inputs and calendar entries that a block (one object per project)
// transfers under its own path, numbered by their identifiers. The block's
// download steps and upload replies find them here.

// Entry id of class Entry (type code type) in doc; null when there is no
// document or the project lacks the entry.
template <class Entry>
Entry* FindEntry(const CSelvantisDoc* doc, int type, int id) {
  return doc != nullptr ? dynamic_cast<Entry*>(doc->GetIDManager().FindBaseDevice(id, type)) : nullptr;
}

// The lines of entry id under prefix: the entry's own; for an entry the
// project lacks, its query lines, or when sending the lines that switch it
// off on the unit (none with bSkipMissing: a cleared unit holds nothing to
// switch off).
template <class Entry>
QStringList EntryLines(const CSelvantisDoc* doc, int type, int id, const QString& prefix, bool bQuery,
                       bool bSkipMissing) {
  if (const Entry* entry = FindEntry<const Entry>(doc, type, id)) return entry->GetLines(prefix, bQuery);
  if (bQuery) return Entry::QueryLines(prefix);
  return bSkipMissing ? QStringList() : Entry::UnusedLines(prefix);
}

// The entry an upload reply names: the project's entry id or, when the
// project lacks it and bCreate (the reply shows the entry in use on the
// unit), a new entry of kind in category named after string nameId. Null
// when there is neither.
template <class Entry>
Entry* FindOrAdoptEntry(CSelvantisDoc* doc, int type, int id, bool bCreate, int kind, int category, uint32_t nameId) {
  Entry* entry = FindEntry<Entry>(doc, type, id);
  if (entry == nullptr && bCreate) {
    entry = static_cast<Entry*>(
        AdoptUploadedEntry(doc, std::make_unique<Entry>(), kind, id, category, LogicString(nameId)));
  }
  return entry;
}

// A reply value that says an entry is not in use ("OFF", in any case).
inline bool IsOffValue(const QString& value) {
  return value.trimmed().compare(QLatin1String("OFF"), Qt::CaseInsensitive) == 0;
}

#endif
