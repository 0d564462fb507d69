#ifndef SELV_TESTS_EDITORS_LISTS_CONDITIONLISTSTESTSUPPORT_H
#define SELV_TESTS_EDITORS_LISTS_CONDITIONLISTSTESTSUPPORT_H

#include "editors/lists/listchoice.h"
#include "model/cselvantisdoc.h"

#include <QString>

#include <memory>
#include <optional>
#include <vector>

// An object of class T with kind and identifier, added to doc.
template <typename T>
T* AddListEntry(CSelvantisDoc& doc, int kind, int id, const QString& name) {
  auto object = std::make_unique<T>();
  if (!object->CreateWithID(kind, name, id, CAT_ENTRIES, &doc)) return nullptr;
  return static_cast<T*>(doc.AddObject(std::move(object)));
}

// Answers every selection with a scripted choice (none: cancelled) and
// keeps the requests.
class ScriptedChooser final {
 public:
  ListChooser Chooser() {
    return [this](const ListChoiceRequest& request) -> std::optional<ListChoice> {
      requests.push_back(request);
      return answer;
    };
  }
  std::optional<ListChoice> answer;
  std::vector<ListChoiceRequest> requests;
};

#endif
