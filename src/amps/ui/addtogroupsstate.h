#ifndef SELV_AMPS_UI_ADDTOGROUPSSTATE_H
#define SELV_AMPS_UI_ADDTOGROUPSSTATE_H

#include <QString>

#include <vector>

class CBaseDevice;
class CGroup;
class CSelvantisDoc;

// The decisions of the "Lines and groups" dialog in which the user builds
// the group membership: which groups the tree shows with which members,
// which zones and groups a group may still take, and the model changes of a
// drop or a rename, which take effect at once. Holds plain pointers into
// the document; Forget drops an object the document removes.
class AddToGroupsState final {
 public:
  // Pictures: 0 zone, 1 group, 2 anything else.
  enum Image : int { IMAGE_ZONE = 0, IMAGE_GROUP = 1, IMAGE_OTHER = 2 };

  struct Member {
    CBaseDevice* object = nullptr;
    int image = IMAGE_OTHER;
  };
  struct GroupNode {
    CGroup* group = nullptr;
    std::vector<Member> members;
  };

  AddToGroupsState() = default;
  // The candidate base list: every zone, then every group, in identifier
  // order, without the root group. A null doc gives nothing.
  void Fill(CSelvantisDoc* doc);

  const std::vector<CBaseDevice*>& BaseList() const noexcept { return m_base; }

  // One node per group of the document's group list, in list order, with
  // one member per input connection (its peer, the picture by the peer's
  // category).
  std::vector<GroupNode> BuildTree() const;
  static Member MemberOf(CBaseDevice* peer, int peerCategory);
  // The picture of a candidate row: 1 for a group, 0 otherwise.
  static int RowImage(const CBaseDevice* object);

  // What group may still take, in base-list order: not itself, not its
  // members, no group of its own level or above. Empty when object is not a
  // group.
  std::vector<CBaseDevice*> CandidatesFor(const CBaseDevice* object) const;
  bool IsCandidate(const CGroup* group, const CBaseDevice* object) const;

  // Connects object's output pin 0 to group's input pin 0 (both ends) and
  // redraws the group. Refused (false, nothing changed) when object is not
  // a candidate of group: a drop must not give a group itself, a member
  // twice or a group of its own level.
  bool AddMember(CGroup* group, CBaseDevice* object);
  // Removes every connection of member's outputs to group and redraws the
  // group.
  void RemoveMember(CGroup* group, CBaseDevice* member);

  // Takes an edited label as the object's name (made unique, with
  // messages). True when the name was set.
  static bool Rename(CBaseDevice* object, const QString& text);

  void Forget(const CBaseDevice* object);

  static bool IsMember(const CGroup* group, const CBaseDevice* object);

 private:
  CSelvantisDoc* m_doc = nullptr;
  std::vector<CBaseDevice*> m_base;
};

#endif
