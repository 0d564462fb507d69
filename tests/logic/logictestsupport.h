#ifndef SELV_TESTS_LOGIC_LOGICTESTSUPPORT_H
#define SELV_TESTS_LOGIC_LOGICTESTSUPPORT_H

#include "model/cbasedevice.h"
#include "model/cselvantisdoc.h"

#include <QBuffer>
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
// default system, objects made the way the lists make them, and project-file
// round trips.

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

// Saves doc and loads the bytes into a fresh document.
inline std::unique_ptr<CSelvantisDoc> RoundTrip(const CSelvantisDoc& doc) {
  QByteArray bytes;
  {
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    const ProjectFileResult saved = doc.SaveTo(out);
    EXPECT_TRUE(saved.ok) << saved.message.toStdString();
  }
  auto loaded = std::make_unique<CSelvantisDoc>();
  QBuffer in(&bytes);
  in.open(QIODevice::ReadOnly);
  const ProjectFileResult result = loaded->LoadFrom(in);
  EXPECT_TRUE(result.ok) << result.message.toStdString();
  return loaded;
}

template <class T>
T* Find(const CSelvantisDoc& doc, int type, int id) {
  return dynamic_cast<T*>(doc.GetIDManager().FindBaseDevice(id, type));
}

#endif
