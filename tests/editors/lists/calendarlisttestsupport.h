#ifndef SELV_TESTS_EDITORS_LISTS_CALENDARLISTTESTSUPPORT_H
#define SELV_TESTS_EDITORS_LISTS_CALENDARLISTTESTSUPPORT_H

#include "editors/lists/entrylisttestsupport.h"
#include "logic/cappoint.h"
#include "logic/cdayprog.h"
#include "logic/choliday.h"
#include "shell/controls/cinplacedatetimectrl.h"

#include <QString>
#include <QTest>

#include <memory>

// A calendar entry of class Entry under an identifier, added to doc.
template <class Entry>
Entry* AddCalendarEntry(CSelvantisDoc& doc, int kind, int id, const QString& name) {
  auto entry = std::make_unique<Entry>();
  if (!entry->CreateWithID(kind, name, id, CAT_CALENDAR, &doc)) return nullptr;
  return static_cast<Entry*>(doc.AddObject(std::move(entry)));
}

inline CAppoint* AddAppoint(CSelvantisDoc& doc, int id) {
  return AddCalendarEntry<CAppoint>(doc, CAppoint::kKindEvent, id, QStringLiteral("Event %1").arg(id));
}
inline CDayprog* AddDayprog(CSelvantisDoc& doc, int id) {
  return AddCalendarEntry<CDayprog>(doc, CDayprog::kKindDayprog, id, QStringLiteral("Daily Program %1").arg(id));
}
inline CHoliday* AddHoliday(CSelvantisDoc& doc, int id) {
  return AddCalendarEntry<CHoliday>(doc, CHoliday::kKindHoliday, id, QStringLiteral("Holiday program %1").arg(id));
}

// The open picker of a view, or null.
inline CInPlaceDateTimeCtrl* OpenPickerOf(QWidget* editor) { return qobject_cast<CInPlaceDateTimeCtrl*>(editor); }

// Commits the picker with Enter.
inline void CommitPicker(CInPlaceDateTimeCtrl* picker) { QTest::keyClick(picker, Qt::Key_Return); }

#endif
