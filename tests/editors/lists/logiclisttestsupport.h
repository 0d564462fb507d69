#ifndef SELV_TESTS_EDITORS_LISTS_LOGICLISTTESTSUPPORT_H
#define SELV_TESTS_EDITORS_LISTS_LOGICLISTTESTSUPPORT_H

#include "model/cbasedevice.h"
#include "model/cselvantisdoc.h"
#include "unit/ccontrolpad.h"

#include <QLineEdit>
#include <QString>
#include <QTest>
#include <QWidget>

#include <memory>

// An entry of type T under identifier id, named "<prefix> <id>", added to doc.
template <typename T>
T* AddLogicEntry(CSelvantisDoc& doc, int kind, int id, const QString& prefix) {
  auto entry = std::make_unique<T>();
  if (!entry->CreateWithID(kind, QStringLiteral("%1 %2").arg(prefix).arg(id), id, CAT_ENTRIES, &doc)) return nullptr;
  return static_cast<T*>(doc.AddObject(std::move(entry)));
}

// A control pad (a digital output) of doc.
inline CBaseDevice* AddPad(CSelvantisDoc& doc, int kind = CControlPad::kKindDigitalOutput) {
  auto pad = std::make_unique<CControlPad>();
  if (!pad->Create(kind, 1, 1, QString(), QRect(), CAT_ENTRIES, 0, 3, &doc)) return nullptr;
  return doc.AddObject(std::move(pad));
}

// Types text into an open in-place edit and presses Enter.
inline bool TypeInto(QWidget* editor, const QString& text) {
  auto* edit = qobject_cast<QLineEdit*>(editor);
  if (!edit) return false;
  edit->setText(text);
  QTest::keyClick(edit, Qt::Key_Return);
  return true;
}

#endif
