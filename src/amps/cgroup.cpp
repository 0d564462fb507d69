#include "amps/cgroup.h"

#include "model/carchive.h"
#include "model/ccmdui.h"
#include "model/cmessagesink.h"
#include "model/commandids.h"
#include "model/cselvantisdoc.h"

#include <QCoreApplication>

#include <memory>

SELV_IMPLEMENT_SERIAL(CGroup, CGroup::kSchema)

namespace {

// Among the fixed objects: before the objects that point at the root group.
constexpr int kFixedObjectOrder = 510;
// Level is kept in this per-input value of the base record.
constexpr int kLevelValue = 0;
// Canvas size of a new group and of the root group.
constexpr int kBlockWidth = 40;
constexpr int kBlockHeight = 30;
constexpr int kZoneBits = 100;
// After every fixed object of a new project is on the canvas.
constexpr int kPlaceRootOrder = 900;
// How far above the unit's blocks the root group of a new project stands:
// level with the amplifiers, topologies and zones placed above the slots.
constexpr int kRootRiseUnits = 240;

// A loaded project keeps its root group where it was.
void PlaceNewRoot(CSelvantisDoc& doc, CSelvantisDoc::FixedObjectOccasion occasion) {
  if (occasion == CSelvantisDoc::FixedObjectOccasion::NewDocument) CGroup::PlaceRootBesideUnit(doc);
}

const bool g_registered = [] {
  // Every project has its root group, also one loaded from a file that
  // lacks it.
  CSelvantisDoc::RegisterFixedObjectProvider(kFixedObjectOrder, [](CSelvantisDoc& doc) { CGroup::EnsureRoot(doc); });
  CSelvantisDoc::RegisterFixedObjectProvider(kPlaceRootOrder, PlaceNewRoot);
  return true;
}();

}  // namespace

CGroup::CGroup() {
  (void)g_registered;
  SetType(DT_GROUP);
  m_nMenuID = kMenuId;
}

CGroup* CGroup::CreateIn(CSelvantisDoc& doc, const QRect& rect, int level) {
  auto group = std::make_unique<CGroup>();
  const QRect at(rect.topLeft(), QSize(kBlockWidth, kBlockHeight));
  if (!group->Create(0, 1, 1, QString(), at, CAT_GROUPS, kBitmap, 3, &doc)) return nullptr;
  group->SetLevel(level);
  return doc.Adopt(std::move(group));
}

CGroup* CGroup::FindRoot(const CSelvantisDoc& doc) {
  return dynamic_cast<CGroup*>(doc.GetIDManager().FindBaseDevice(kRootId, DT_GROUP));
}

CGroup* CGroup::EnsureRoot(CSelvantisDoc& doc) {
  if (CGroup* root = FindRoot(doc)) return root;
  auto group = std::make_unique<CGroup>();
  if (!group->CreateWithID(0, QString(), kRootId, CAT_GROUPS, &doc)) return nullptr;
  group->m_nBitmapID = kBitmap;
  group->m_nTextFlags = 3;
  group->SetPinCount(1, 1);
  group->SetRect(QRect(QPoint(kPlaceOffsetX, 0), QSize(kBlockWidth, kBlockHeight)));
  group->ShowPins(true);
  group->SetLevel(kLevelRoot);
  CGroup* root = doc.Adopt(std::move(group));
  if (root != nullptr) doc.MoveInList(root, 0);
  return root;
}

void CGroup::PlaceRootBesideUnit(CSelvantisDoc& doc) {
  CGroup* root = FindRoot(doc);
  if (root == nullptr) return;
  // In a new project every other block on the canvas is one of the unit's.
  QRect unit;
  for (const CBaseDevice* object : doc.GetAllObjects()) {
    if (object == root || object->GetRect().isEmpty()) continue;
    unit |= object->GetBoundingRect().isEmpty() ? object->GetRect() : object->GetBoundingRect();
  }
  if (unit.isEmpty()) return;
  const QRect own = root->GetBoundingRect().isEmpty() ? root->GetRect() : root->GetBoundingRect();
  root->Move(unit.right() - own.right(), unit.top() - kRootRiseUnits - own.top(), false);
  root->AvoidOverlap();
}

int CGroup::GetLevel() const { return GetInputValue(kLevelValue); }

void CGroup::SetLevel(int level) {
  if (GetLevel() == level) return;
  SetInputValue(kLevelValue, level);
  SetModified();
}

bool CGroup::CanAddGroup() const {
  if (IsRoot()) return false;
  for (const ConnectionRecord& r : m_inputs)
    if (r.pPeer != nullptr && r.pPeer->GetCategory() == m_nCategory) return false;
  return true;
}

CGroup* CGroup::AddSubGroup() {
  if (m_pDoc == nullptr) return nullptr;
  if (GetLevel() == kLevelAdded) {
    AfxMessageBox(QCoreApplication::translate("CGroup", "You cannot add an additional group level !"),
                  MB_OK | MB_ICONEXCLAMATION);
    return nullptr;
  }
  // The states the menu shows disabled.
  if (!CanAddGroup()) return nullptr;
  const QPoint pin = GetOutputPinPoint(0);
  CGroup* group = CreateIn(*m_pDoc, QRect(pin, QSize(kBlockWidth, kBlockHeight)), kLevelAdded);
  if (group == nullptr) return nullptr;
  Connect(this, 0, group, 0);
  group->Invalidate();
  return group;
}

void CGroup::AddZonesOf(const CBaseDevice& group, BitSet& zones, int depth) {
  for (const ConnectionRecord& r : group.GetInputConnections()) {
    const CBaseDevice* member = r.pPeer;
    if (member == nullptr) continue;
    if (member->GetType() == DT_ZONE && member->GetID() >= 1 && member->GetID() <= kZoneBits)
      SetBit(zones, static_cast<unsigned>(member->GetID() - 1), true);
    else if (member->GetType() == DT_GROUP && depth > 1 && member != &group)
      AddZonesOf(*member, zones, depth - 1);
  }
}

// ---- Base operations -------------------------------------------------------------

void CGroup::Serialize(CArchive& ar) {
  // The level travels in the base record.
  CBaseDevice::Serialize(ar);
}

bool CGroup::CreateOnCanvas(int kind, int nInputs, int nOutputs, const QString& name, const QRect& rect, int category,
                            int bitmapId, int textFlags, CSelvantisDoc* doc) {
  if (!CBaseDevice::CreateOnCanvas(kind, nInputs, nOutputs, name, rect.translated(kPlaceOffsetX, 0), category, bitmapId,
                                   textFlags, doc))
    return false;
  ShowPins(true);
  if (IsRoot())
    SetLevel(kLevelRoot);
  else
    AvoidOverlap();
  return true;
}

int CGroup::OnAfterLoad() {
  // "/VMX/CLEAR" goes to the root group, whatever held it before.
  if (IsRoot()) RefreshPath();
  return 1;
}

bool CGroup::OnCommand(int id) {
  switch (id) {
    case ID_DELETE_OBJECT:
      // The root group stays.
      if (IsRoot() || m_pDoc == nullptr) return true;
      Invalidate();
      for (const ConnectionRecord& r : m_outputs)
        if (r.pPeer != nullptr) r.pPeer->Invalidate();
      return m_pDoc->DeleteObject(this);
    case ID_ADD_GROUP: AddSubGroup(); return true;
    case ID_GROUP_PROPERTIES:
      if (ShowProperties()) Invalidate();
      return true;
    default: return CBaseDevice::OnCommand(id);
  }
}

void CGroup::OnUpdateCommandUI(CCmdUI& cmdUI) {
  if (cmdUI.GetID() == ID_ADD_GROUP) cmdUI.Enable(CanAddGroup());
}

int CGroup::Download(bool bQuery, int nStep) {
  static const char* const kKeys[] = {"/ZONE", "/COLLCALL", "/LANGRP"};
  const int count = !IsRoot() ? 0 : (m_pDoc != nullptr && m_pDoc->GetUpgradeFlag() != 0) ? 3 : 2;
  if (nStep == -1) return count;
  if (nStep < 0 || nStep >= count) return nStep;
  // A query of the clear commands leaves the value out.
  return SendStep(false, nStep, m_strPath, QLatin1String(kKeys[nStep]), bQuery ? QString() : QStringLiteral("ALL"),
                  true);
}

bool CGroup::Upload(const QString& line, QString& errorFilePath, int mode) {
  (void)errorFilePath;
  (void)mode;
  return SplitUploadLine(line, nullptr, nullptr);
}
