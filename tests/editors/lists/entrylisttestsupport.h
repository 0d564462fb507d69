#ifndef SELV_TESTS_EDITORS_LISTS_ENTRYLISTTESTSUPPORT_H
#define SELV_TESTS_EDITORS_LISTS_ENTRYLISTTESTSUPPORT_H

#include "logic/ctrigger.h"
#include "model/cselvantisdoc.h"
#include "shell/ifilechooser.h"

#include <QString>

#include <memory>

// A new project with its fixed blocks (the trigger and condition
// containers among them).
inline std::unique_ptr<CSelvantisDoc> NewListProject() {
  auto doc = std::make_unique<CSelvantisDoc>();
  doc->OnNewDocument();
  return doc;
}

// A trigger under an identifier, added to doc.
inline CTrigger* AddTrigger(CSelvantisDoc& doc, int id, const QString& name = QString()) {
  auto trigger = std::make_unique<CTrigger>();
  const QString text = name.isEmpty() ? QStringLiteral("Trigger %1").arg(id) : name;
  if (!trigger->CreateWithID(CTrigger::kKindTrigger, text, id, CAT_ENTRIES, &doc)) return nullptr;
  return static_cast<CTrigger*>(doc.AddObject(std::move(trigger)));
}

// Answers every save question with one path (empty: cancelled) and counts.
class FixedFileChooser final : public IFileChooser {
 public:
  explicit FixedFileChooser(QString path) : m_path(std::move(path)) {}
  QString OpenFileName(QWidget*, const QString&, const QString&) override { return m_path; }
  QString SaveFileName(QWidget*, const QString&, const QString&, const QString& filter) override {
    ++asked;
    lastFilter = filter;
    return m_path;
  }
  int asked = 0;
  QString lastFilter;

 private:
  QString m_path;
};

#endif
