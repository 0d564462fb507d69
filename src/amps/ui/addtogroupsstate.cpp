#include "amps/ui/addtogroupsstate.h"

#include "amps/cgroup.h"
#include "model/cbasedevice.h"
#include "model/cselvantisdoc.h"
#include "model/devicetype.h"

#include <algorithm>

void AddToGroupsState::Fill(CSelvantisDoc* doc) {
  m_doc = doc;
  m_base.clear();
  if (doc == nullptr) return;
  doc->GetIDManager().GetBaseDeviceList(m_base, DT_ZONE);
  doc->GetIDManager().GetBaseDeviceList(m_base, DT_GROUP);
  // The root group stands for all zones: it is nobody's member.
  for (auto it = m_base.rbegin(); it != m_base.rend(); ++it) {
    if ((*it)->GetType() == DT_GROUP && (*it)->GetID() == CGroup::kRootId) {
      m_base.erase(std::next(it).base());
      break;
    }
  }
}

AddToGroupsState::Member AddToGroupsState::MemberOf(CBaseDevice* peer, int peerCategory) {
  Member member;
  member.object = peer;
  member.image = peerCategory == CAT_ZONES ? IMAGE_ZONE : peerCategory == CAT_GROUPS ? IMAGE_GROUP : IMAGE_OTHER;
  return member;
}

int AddToGroupsState::RowImage(const CBaseDevice* object) {
  return object != nullptr && object->GetType() == DT_GROUP ? IMAGE_GROUP : IMAGE_ZONE;
}

std::vector<AddToGroupsState::GroupNode> AddToGroupsState::BuildTree() const {
  std::vector<GroupNode> tree;
  if (m_doc == nullptr) return tree;
  for (CBaseDevice* object : m_doc->GetObjectList(CAT_GROUPS)) {
    auto* group = dynamic_cast<CGroup*>(object);
    if (group == nullptr) continue;
    GroupNode node;
    node.group = group;
    for (const ConnectionRecord& r : group->GetInputConnections())
      if (r.pPeer != nullptr) node.members.push_back(MemberOf(r.pPeer, r.nPeerCategory));
    tree.push_back(std::move(node));
  }
  return tree;
}

bool AddToGroupsState::IsMember(const CGroup* group, const CBaseDevice* object) {
  if (group == nullptr || object == nullptr) return false;
  for (const ConnectionRecord& r : group->GetInputConnections())
    if (r.pPeer == object) return true;
  return false;
}

bool AddToGroupsState::IsCandidate(const CGroup* group, const CBaseDevice* object) const {
  if (group == nullptr || object == nullptr || object == group) return false;
  if (std::find(m_base.begin(), m_base.end(), object) == m_base.end()) return false;
  if (IsMember(group, object)) return false;
  if (const auto* other = dynamic_cast<const CGroup*>(object)) {
    if (other->GetLevel() >= group->GetLevel()) return false;
  }
  return true;
}

std::vector<CBaseDevice*> AddToGroupsState::CandidatesFor(const CBaseDevice* object) const {
  std::vector<CBaseDevice*> candidates;
  const auto* group = dynamic_cast<const CGroup*>(object);
  if (group == nullptr) return candidates;
  for (CBaseDevice* candidate : m_base)
    if (IsCandidate(group, candidate)) candidates.push_back(candidate);
  return candidates;
}

bool AddToGroupsState::AddMember(CGroup* group, CBaseDevice* object) {
  if (!IsCandidate(group, object)) return false;
  if (!CBaseDevice::Connect(object, 0, group, 0)) return false;
  group->Invalidate();
  return true;
}

void AddToGroupsState::RemoveMember(CGroup* group, CBaseDevice* member) {
  if (group == nullptr || member == nullptr) return;
  member->DisconnectOutputsTo(group);
  group->Invalidate();
}

bool AddToGroupsState::Rename(CBaseDevice* object, const QString& text) {
  return object != nullptr && object->SetUniqueName(text, true);
}

void AddToGroupsState::Forget(const CBaseDevice* object) {
  m_base.erase(std::remove(m_base.begin(), m_base.end(), object), m_base.end());
}
