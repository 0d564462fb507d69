#ifndef SELV_TESTS_LOGIC_LOGICTESTSUPPORT_H
#define SELV_TESTS_LOGIC_LOGICTESTSUPPORT_H

#include "model/cbasedevice.h"
#include "model/cselvantisdoc.h"
#include "support/projectbytes.h"
#include "unit/ccontrolpad.h"

#include <QByteArray>
#include <QRect>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

// Readable failures for Qt texts.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& list, std::ostream* os) {
  *os << "{";
  for (int i = 0; i < list.size(); ++i) *os << (i ? ", \"" : "\"") << list.at(i).toStdString() << '"';
  *os << "}";
}

// A stand-in for the objects the logic objects are wired to (slots, cards,
// consoles, zones): any type code, nothing of its own.
class CLogicTestTerminal final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CLogicTestTerminal)

 public:
  CLogicTestTerminal() = default;
  explicit CLogicTestTerminal(int type) { SetType(type); }
};

inline CLogicTestTerminal* MakeTerminal(CSelvantisDoc& doc, int type, int id, int category, const QString& name) {
  auto object = std::make_unique<CLogicTestTerminal>(type);
  if (!object->CreateWithID(0, name, id, category, &doc)) return nullptr;
  return doc.Adopt<CLogicTestTerminal>(std::move(object));
}

// Helpers of the control-logic and calendar tests: documents with the
// default system and objects made the way the lists make them (project-file
// round trips come from support/projectbytes.h).

inline std::unique_ptr<CSelvantisDoc> NewProject() {
  auto doc = std::make_unique<CSelvantisDoc>();
  doc->OnNewDocument();
  return doc;
}

// An object of class T under the next free identifier (kind, one input and
// one output, the category), added to doc.
template <class T>
T* MakeObject(CSelvantisDoc& doc, int kind, int category = CAT_ENTRIES, const QString& name = QString()) {
  auto object = std::make_unique<T>();
  if (!object->Create(kind, 1, 1, name, QRect(), category, 0, CBaseDevice::TF_NAME, &doc)) return nullptr;
  return doc.Adopt<T>(std::move(object));
}

// The same under a given identifier.
template <class T>
T* MakeObjectWithID(CSelvantisDoc& doc, int kind, int id, int category = CAT_ENTRIES, const QString& name = QString()) {
  auto object = std::make_unique<T>();
  if (!object->CreateWithID(kind, name.isEmpty() ? QStringLiteral("obj %1").arg(id) : name, id, category, &doc)) {
    return nullptr;
  }
  return doc.Adopt<T>(std::move(object));
}

// The text object shows in list column column.
template <class T>
QString Column(const T& object, int column) {
  QString text;
  object.GetColumnText(text, column);
  return text;
}

// A digital-slot output pad on output pin 4: the unit calls it "DIGOUT 5".
inline CControlPad* MakeOutputPad(CSelvantisDoc& doc) {
  // A new project holds the digital slot already.
  CBaseDevice* slot = doc.GetIDManager().FindBaseDevice(1, DT_DIGITALSLOT);
  if (slot == nullptr) slot = MakeTerminal(doc, DT_DIGITALSLOT, 1, CAT_SLOTS, QStringLiteral("Slot5"));
  auto* pad = MakeObject<CControlPad>(doc, CControlPad::kKindDigitalOutput, CAT_ENTRIES, QStringLiteral("Siren"));
  CBaseDevice::Connect(slot, 4, pad, 0);
  return pad;
}

template <class T>
T* Find(const CSelvantisDoc& doc, int type, int id) {
  return dynamic_cast<T*>(doc.GetIDManager().FindBaseDevice(id, type));
}

#endif
