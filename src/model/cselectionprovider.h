#ifndef SELV_MODEL_CSELECTIONPROVIDER_H
#define SELV_MODEL_CSELECTIONPROVIDER_H

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

class CSelvantisDoc;

// What the caller of the selection dialog asks for.
struct SelectionRequest {
  uint32_t kind = 0;      // string id naming what is chosen (32806 "Macro", ...)
  bool multiple = false;  // several choices allowed
  int current = 0;        // the caller's current number (an ID, a kind id, ...)
  int request = 0;        // second request field; its meaning belongs to the kind
  QString selection;      // the caller's current text
};

// One row the dialog offers, and what choosing it gives the caller.
struct SelectionChoice {
  QStringList columns;       // texts shown; columns[0] names the choice
  int number = 0;            // result number: an ID, a string id, a code or an index
  int type = 0;              // for targets: the object type code
  int value = 0;             //   its value (ID, address, number)
  int channel = 0;           //   and channel
  uint32_t bits = 0;         // for bit sets: the bits this choice stands for
  QString text;              // text for GetSelection; columns[0] when empty
  bool preselected = false;  // set by providers that decide it themselves

  QString SelectionText() const { return text.isEmpty() ? columns.value(0) : text; }
};

// Everything the dialog shows for a request.
struct SelectionList {
  QStringList titles;  // column titles; empty: one column named by the kind
  std::vector<SelectionChoice> choices;
  // With several choices the results combine: the number and bits are the OR
  // of the chosen bits, the text joins the choices' texts with separator.
  QString separator = QStringLiteral(",");
  // Overrides the joined text (e.g. a range list of the chosen IDs).
  std::function<QString(const std::vector<const SelectionChoice*>& chosen)> formatSelection;
  // Text for several choices of which none is chosen ("NONE"); empty: "".
  QString noneText;
  // The kind always allows several choices, whatever the request says (a
  // list of amplifiers or channels).
  bool multiple = false;
};

// The choice providers of the selection dialog, one per kind. Model classes
// register the kinds they can be chosen by from their own source file:
//
//   SELV_REGISTER_SELECTION(kStrMacro, [](const CSelvantisDoc* doc, const SelectionRequest& r) {
//     SelectionList list;
//     ... one SelectionChoice per macro: columns {name}, number = ID ...
//     return list;
//   })
//
// A provider is given the document (null when no project is open) and must
// not keep pointers into it.
class CSelectionProvider final {
 public:
  using Provider = std::function<SelectionList(const CSelvantisDoc* doc, const SelectionRequest& request)>;

  CSelectionProvider() = default;
  CSelectionProvider(const CSelectionProvider&) = delete;
  CSelectionProvider& operator=(const CSelectionProvider&) = delete;

  // The registry the program's classes register in.
  static CSelectionProvider& Global();

  // False (and nothing changed) for an empty provider or a kind that already
  // has one.
  bool Register(uint32_t kind, Provider provider);
  bool Has(uint32_t kind) const;
  // The choices for the request; an empty list for a kind without provider.
  SelectionList ListChoices(const CSelvantisDoc* doc, const SelectionRequest& request) const;
  std::vector<uint32_t> Kinds() const;

 private:
  std::map<uint32_t, Provider> m_providers;
};

#define SELV_SELECTION_CONCAT2(a, b) a##b
#define SELV_SELECTION_CONCAT(a, b) SELV_SELECTION_CONCAT2(a, b)
#define SELV_REGISTER_SELECTION(kind, ...)                                                               \
  namespace {                                                                                            \
  const bool SELV_SELECTION_CONCAT(selectionRegistered_,                                                 \
                                   __LINE__) = CSelectionProvider::Global().Register(kind, __VA_ARGS__); \
  }

#endif
