#ifndef SELV_EDITORS_MACROS_MACROLISTMODEL_H
#define SELV_EDITORS_MACROS_MACROLISTMODEL_H

#include "editors/lists/entrylistkind.h"

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

class CMacro;
class CSelvantisDoc;

// The decisions of the macro list: what its rows show, which step editor a
// kind gets, what "Create new macro" makes and what the toolbar enables.
// Plain functions over the document; the list and frame only display them.
namespace MacroListModel {

inline constexpr int kColumnCount = 3;
enum Column : int { kName = 0, kKind = 1, kId = 2 };
inline constexpr int kDefaultListWidth = 290;
inline constexpr std::array<int, 3> kDefaultColumnWidths{160, 60, 30};
inline constexpr const char* kSection = "Settings";
inline constexpr const char* kListWidthKey = "MacroListWidth";
inline constexpr const char* kColumnWidthKey = "MacroListColumnWidth";

// The macro block steps one macro per identifier.
inline constexpr EntryListKind kMacroTransfer{17, 57, -1, 33143, 33144, 32917, 32916, 0, 1};

// The step editors by the kinds they edit.
enum class Editor {
  Empty,
  Monitor,
  MemoFlag,
  Power,
  Background,
  Page,
  Chime,
  Alarm,
  DigitalIO,
  Volume,
  AuxSwitch,
  LCDText,
  Sequence,
  Message,
  VirtCtrl,
  Stop,
  AmpSupply,
  AmpMute,
  Record,
  Erase,
  Repeat,
  SlaveClock,
  LineTest,
  Buzzer
};
Editor EditorFor(int kind);
// The editor class name ("CAlarmMacroView").
const char* EditorClassName(Editor editor);

struct Row {
  CMacro* macro = nullptr;
  QStringList cells;
};
// The project's macros in identifier order.
std::vector<Row> Rows(const CSelvantisDoc& doc);
// The row to select: the one of the current identifier, else row 0.
int RowOfId(const std::vector<Row>& rows, int currentId);

// "%d,%d,%d" over the defaults; a missing or malformed value keeps its default.
std::array<int, 3> ParseColumnWidths(const QString& text);
QString FormatColumnWidths(const std::array<int, 3>& widths);

// How "Create new macro" creates a kind.
enum class Shape { None, Single, OnOff, UpDown };
Shape ShapeOf(int kind);

struct NewResult {
  std::vector<CMacro*> created;
  // A message the user must see (empty: none).
  QString message;
};
// Creates the macro (or pair) of a kind with the parameters a new step
// starts with. The first new macro is created[0].
NewResult NewMacro(CSelvantisDoc& doc, int kind);

// Toolbar state.
bool CanCreate(const CSelvantisDoc& doc);
bool CanDelete(const CSelvantisDoc& doc);

// The line that starts a macro on the unit.
QString ExecuteLine(int id);

}  // namespace MacroListModel

#endif
