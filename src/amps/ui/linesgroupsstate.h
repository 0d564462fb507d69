#ifndef SELV_AMPS_UI_LINESGROUPSSTATE_H
#define SELV_AMPS_UI_LINESGROUPSSTATE_H

#include <vector>

class CBaseDevice;
class CSelvantisDoc;

// What the "Lines and Groups" selection dialog shows and hands back: the
// zones and groups still free and those chosen, as two ordered rows of
// objects. It changes no model object. Holds plain pointers into the
// document; Forget drops an object the document removes.
class LinesGroupsState final {
 public:
  enum class Side { Unused, Selected };

  // The rows to select in the source side after a move (ascending), and
  // how many rows went over.
  struct MoveResult {
    int moved = 0;
    std::vector<int> reselect;
  };

  static bool IsZoneOrGroup(const CBaseDevice* object);
  // Image of a row: 1 for a group, 0 otherwise.
  static int ImageOf(const CBaseDevice* object);

  // Unused: every zone of doc then every group, each in identifier order,
  // without those chosen. Selected: the zones and groups of chosen in its
  // order, each once; other objects are left out. A null doc gives no
  // unused rows.
  void Fill(const CSelvantisDoc* doc, const std::vector<CBaseDevice*>& chosen);

  const std::vector<CBaseDevice*>& Rows(Side side) const;
  static Side Other(Side side) { return side == Side::Unused ? Side::Selected : Side::Unused; }

  // A completed drop: the rows of from (indexes, any order, duplicates and
  // indexes out of range ignored) go to the end of the other side in
  // ascending order and leave from. When they leave the unused side, the
  // row that takes the place of each removed one is reselected. Sets the
  // changed flag when a row moved.
  MoveResult Move(Side from, const std::vector<int>& rows);

  bool IsChanged() const noexcept { return m_changed; }

  // OK: when something was moved, list becomes the selected rows in order;
  // otherwise it stays as it was (whatever it holds).
  void Apply(std::vector<CBaseDevice*>& list) const;

  // The object is going away: its rows go (the choice counts as changed
  // when it was selected).
  void Forget(const CBaseDevice* object);

 private:
  std::vector<CBaseDevice*>& RowsOf(Side side) { return side == Side::Unused ? m_unused : m_selected; }

  std::vector<CBaseDevice*> m_unused;
  std::vector<CBaseDevice*> m_selected;
  bool m_changed = false;
};

#endif
