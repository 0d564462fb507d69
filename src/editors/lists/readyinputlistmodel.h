#ifndef SELV_EDITORS_LISTS_READYINPUTLISTMODEL_H
#define SELV_EDITORS_LISTS_READYINPUTLISTMODEL_H

#include "editors/lists/entrylistkind.h"
#include "macros/rangelist.h"

#include <QString>
#include <QStringList>
#include <Qt>

#include <cstdint>
#include <vector>

class CGlobalReadyInput;
class CReadyInput;
class CSelvantisDoc;

// What the ready-input editor shows and how it changes the ready inputs and
// their shared settings: one row per ready input in identifier order (the
// input chosen from a selection, level and masked flag toggled, the fault
// text chosen, the number typed in place), the five user texts and the mask
// time of the global ready-input object, the states the unit reports, and
// the steps of the global object that carry one ready input.
class ReadyInputListModel final {
 public:
  enum Column : int { kName = 0, kId, kInput, kLevel, kMasked, kText, kNumber, kState };
  static constexpr int kColumnCount = 8;
  static constexpr int kImage = 18;
  static constexpr int kOptionsImage = 28;
  static constexpr unsigned kStateBits = 800;
  static constexpr uint32_t kSelectInput = 34282;  // "READYINP": the inputs a ready input can watch
  static constexpr uint32_t kSelectText = 32954;   // "Error texts"
  // The list's commands; the whole list goes through the global object (one
  // entry's steps: FirstStep / EndStep below).
  static constexpr EntryListKind kKind{38, 40, -1, 33169, 33148, 33149, 33150, 0, 1};

  enum class Edit { None, Select, Toggle, InPlace };

  static QStringList ColumnTitles();
  static int ColumnWidth(int column);
  static Qt::Alignment ColumnAlignment(int column);

  static CGlobalReadyInput* Global(const CSelvantisDoc& doc);
  static std::vector<CReadyInput*> ReadyInputs(const CSelvantisDoc& doc);
  // global may be null (the text cell is then empty).
  static QStringList RowTexts(const CReadyInput& input, const CGlobalReadyInput* global);

  static Edit EditOf(int column);
  static uint32_t SelectionKindOf(int column);
  static bool CanEditLabel(int column) { return column == kName; }

  // A choice of the selection: the control pad of "Input" (0 unlinks) or
  // the 0-based index of the fault text. False for other columns.
  static bool ApplyChoice(CReadyInput& input, int column, int choice);
  // Flips level or masked flag. False for other columns.
  static bool Toggle(CReadyInput& input, int column);
  // The end of a text edit: the name (made unique, the user told) or the
  // number (kept within 0..255; no number: no change).
  static bool ApplyText(CReadyInput& input, int column, const QString& text);

  // "READY", "FAULT", "READY+FAULT" or "" for identifier id.
  static QString StateText(const BitSet& ready, const BitSet& fault, int id);
  static BitSet ParseStates(const QString& reply);
  static QString ReadyQuery() { return QStringLiteral("/READYINP/READY ?"); }
  static QString FaultQuery() { return QStringLiteral("/READYINP/FAULT ?"); }

  // Steps [first, end) of the global object for the ready input with
  // identifier id; id 0 (no selected row) is the mask time and the user
  // texts.
  static int FirstStep(int id) { return 6 * id + 1; }
  static int EndStep(int id) { return 6 * id + 7; }

  // ---- Shared settings -----------------------------------------------------------------
  static QStringList OptionTitles();
  static int OptionWidth(int column);
  // One row per user text: text and "%d" of its number.
  static std::vector<QStringList> OptionRows(const CGlobalReadyInput& global);
  static void SetUserText(CGlobalReadyInput& global, int row, const QString& text);
  static QString MaskTimeText(const CGlobalReadyInput& global);
  // An unparsable text leaves the stored value.
  static void SetMaskTime(CGlobalReadyInput& global, const QString& text);

  // A new ready input in doc under its default name, or null when the pool
  // is full (the user told).
  static CReadyInput* NewReadyInput(CSelvantisDoc& doc);
};

#endif
