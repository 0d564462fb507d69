#ifndef SELV_EDITORS_LISTS_MEMOFLAGLISTMODEL_H
#define SELV_EDITORS_LISTS_MEMOFLAGLISTMODEL_H

#include "editors/lists/entrylistkind.h"
#include "macros/rangelist.h"

#include <QString>
#include <QStringList>
#include <Qt>

#include <cstdint>
#include <optional>
#include <vector>

class CMemoFlag;
class CSelvantisDoc;

// What the memo-flag list shows and how it changes the memo flags: one row
// per flag in identifier order, the name edited as the label, the
// identifier typed in place, and the flags' states from the unit's reply to
// "/CONDITION/MEMOFLAG/ON ?". Memo flags have no settings to transfer.
class MemoFlagListModel final {
 public:
  enum Column : int { kName = 0, kId = 1, kState = 2 };
  static constexpr int kColumnCount = 3;
  static constexpr int kImage = 30;
  static constexpr unsigned kStateBits = 200;
  // New and Delete only: no transfer commands.
  static constexpr EntryListKind kKind{34, 0, 0, 32973, 32972, 0, 0, 0, 1};

  static QString StateQuery() { return QStringLiteral("/CONDITION/MEMOFLAG/ON ?"); }

  static QStringList ColumnTitles();
  static int ColumnWidth(int column);
  static Qt::Alignment ColumnAlignment(int column);

  static std::vector<CMemoFlag*> MemoFlags(const CSelvantisDoc& doc);
  // Name and ID; the state stays empty until a poll.
  static QStringList RowTexts(const CMemoFlag& flag);

  static bool CanEditLabel(int column) { return column == kName; }
  static bool CanEditInPlace(int column) { return column == kId; }

  // The name (made unique, the user told); true when it was set.
  static bool Rename(CMemoFlag& flag, const QString& text);
  // The identifier typed into the ID cell: the new identifier, or nothing
  // when the text is no number or the identifier is taken or outside the
  // pool (the flag keeps its identifier; no message).
  static std::optional<int> Renumber(CMemoFlag& flag, const QString& text);

  // The flags that are on, from one reply.
  static BitSet ParseStates(const QString& reply);
  // "ON" or "OFF" for the flag with identifier id.
  static QString StateText(const BitSet& states, int id);

  // A new memo flag in doc under its default name, or null when the pool is
  // full (the user told).
  static CMemoFlag* NewMemoFlag(CSelvantisDoc& doc);
};

#endif
