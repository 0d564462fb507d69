#ifndef SELV_EDITORS_LISTS_LISTCHOICE_H
#define SELV_EDITORS_LISTS_LISTCHOICE_H

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

class CSelvantisDoc;
class QWidget;

// One question to the selection dialog of an entry list and its answer:
// the number the dialog returns and the text of what was chosen (several
// choices when the request allows them).
struct ListChoiceRequest {
  uint32_t kind = 0;
  QString selection;
  int current = 0;
  bool multiple = false;
};

struct ListChoice {
  int number = 0;
  QString selection;
};

// Asks for a choice; nothing when cancelled. Views take one so that tests
// answer in place of the dialog.
using ListChooser = std::function<std::optional<ListChoice>(const ListChoiceRequest& request)>;

// The shared selection dialog over doc's objects.
std::optional<ListChoice> RunSelectionDialog(QWidget* parent, CSelvantisDoc* doc, const ListChoiceRequest& request);

#endif
