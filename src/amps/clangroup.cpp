#include "amps/clangroup.h"

#include "amps/cgroup.h"
#include "link/ctransfer.h"
#include "link/linkmode.h"
#include "macros/rangelist.h"
#include "model/carchive.h"
#include "model/ccmdui.h"
#include "model/commandids.h"
#include "model/cselectionprovider.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"
#include "model/modelstrings.h"
#include "model/replytext.h"

#include <QStringList>

#include <algorithm>
#include <memory>

SELV_IMPLEMENT_SERIAL(CLANGroup, CLANGroup::kSchema)

namespace {

constexpr uint32_t kStrAll = 34487;      // "All"
constexpr uint32_t kStrNoEntry = 34471;  // "No entry"
constexpr unsigned kZoneBits = 100;
constexpr int kBlockWidth = 40;
constexpr int kBlockHeight = 30;
const QString kEmptyList = QStringLiteral("0");
const QString kAllText = QStringLiteral("ALL");

CLANGroup::IdChooser& Chooser() {
  static CLANGroup::IdChooser chooser;
  return chooser;
}

bool IsZoneOrGroup(const CBaseDevice* object) {
  return object != nullptr && (object->GetType() == DT_ZONE || object->GetType() == DT_GROUP);
}

// "Change ID" offers every LAN group identifier with the LAN group that
// holds it; a taken one is refused when the move is tried.
SELV_REGISTER_SELECTION(CLANGroup::kKind, [](const CSelvantisDoc* doc, const SelectionRequest&) {
  SelectionList list;
  list.titles << ModelString(IDS_ID) << ModelString(IDS_NAME);
  for (int id = 1; id <= CIDManager::GetPoolMaxID(DT_LANGROUP); ++id) {
    const CBaseDevice* holder = doc != nullptr ? doc->GetIDManager().FindBaseDevice(id, DT_LANGROUP) : nullptr;
    SelectionChoice choice;
    choice.columns << Fmt("%d", id) << (holder != nullptr ? holder->GetName() : QString());
    choice.number = id;
    choice.value = id;
    list.choices.push_back(choice);
  }
  return list;
})

}  // namespace

CLANGroup::CLANGroup() : m_strMembers(kEmptyList) {
  SetType(DT_LANGROUP);
  m_nMenuID = kMenuId;
}

CLANGroup* CLANGroup::CreateIn(CSelvantisDoc& doc, const QRect& rect) {
  auto group = std::make_unique<CLANGroup>();
  const QRect at(rect.topLeft(), QSize(kBlockWidth, kBlockHeight));
  if (!group->Create(kKind, 2, 0, QString(), at, CAT_MISC, kBitmap, 3, &doc)) return nullptr;
  return doc.Adopt(std::move(group));
}

void CLANGroup::SetLevel(int level) {
  if (GetLevel() == level) return;
  SetInputValue(kLevelValue, level);
  SetModified();
}

CLANGroup::IdChooser CLANGroup::SetIdChooser(IdChooser chooser) {
  IdChooser previous = std::move(Chooser());
  Chooser() = std::move(chooser);
  return previous;
}

// ---- Members -------------------------------------------------------------------

QString CLANGroup::GetMemberText(int which) const {
  if (which == 0) return m_strMembers;
  if (which != 1) return QString();
  if (m_strMembers == kAllText) return ModelString(kStrAll);
  if (m_strMembers == QLatin1String("NONE") || m_strMembers == kEmptyList) return ModelString(kStrNoEntry);
  return m_strMembers;
}

void CLANGroup::SetMemberText(int which, const QString& text) {
  if (which != 0 || text == m_strMembers) return;
  m_strMembers = text;
  SetModified();
}

bool CLANGroup::BuildMemberText(bool bStore) {
  BitSet zones = MakeBitSet(kZoneBits);
  bool all = false;
  for (const ConnectionRecord& r : m_inputs) {
    if (r.nOwnPin != kMemberPin || r.pPeer == nullptr) continue;
    const CBaseDevice* member = r.pPeer;
    if (member->GetType() == DT_ZONE) {
      if (member->GetID() >= 1 && member->GetID() <= static_cast<int>(kZoneBits))
        SetBit(zones, static_cast<unsigned>(member->GetID() - 1), true);
    } else if (member->GetType() == DT_GROUP) {
      if (member->GetID() == CGroup::kRootId) all = true;
      CGroup::AddZonesOf(*member, zones);
    }
  }
  if (bStore) SetMemberText(0, FormatRangeList(zones, kZoneBits));
  return all;
}

void CLANGroup::RefreshMemberText() {
  if (BuildMemberText(true)) SetMemberText(0, kAllText);
}

std::vector<CBaseDevice*> CLANGroup::GetMembers() const {
  std::vector<CBaseDevice*> members;
  for (const ConnectionRecord& r : m_inputs) {
    if (r.nOwnPin == kOwnerPin || !IsZoneOrGroup(r.pPeer)) continue;
    if (std::find(members.begin(), members.end(), r.pPeer) == members.end()) members.push_back(r.pPeer);
  }
  return members;
}

void CLANGroup::ApplyMembers(const std::vector<CBaseDevice*>& chosen) {
  const std::vector<CBaseDevice*> current = GetMembers();
  for (CBaseDevice* object : chosen) {
    if (!IsZoneOrGroup(object) || object->GetDocument() != m_pDoc) continue;
    if (std::find(current.begin(), current.end(), object) == current.end()) Connect(object, 0, this, kMemberPin);
  }
  // A copy: records go while we walk.
  const std::vector<ConnectionRecord> inputs = m_inputs;
  for (const ConnectionRecord& r : inputs) {
    if (r.nOwnPin == kOwnerPin || !IsZoneOrGroup(r.pPeer)) continue;
    if (std::find(chosen.begin(), chosen.end(), r.pPeer) == chosen.end()) DisconnectInput(r);
  }
  RefreshMemberText();
  Invalidate();
}

bool CLANGroup::ChangeLanGroupID(int newId) {
  if (newId == m_nID) return true;
  // The identifier manager re-registers the path: "/VMX/LANGRP<old>" no
  // longer leads here.
  return ChangeID(newId) == newId;
}

// ---- Base operations -------------------------------------------------------------

void CLANGroup::Serialize(CArchive& ar) {
  CBaseDevice::Serialize(ar);
  if (ar.IsStoring()) {
    const int schema = ar.GetObjectSchema() >= 0 ? ar.GetObjectSchema() : kSchema;
    if (schema >= 2) ar << m_strMembers;
    return;
  }
  m_strMembers = kEmptyList;
  if (GetSchema() >= 2) {
    ar >> m_strMembers;
    if (m_strMembers.isEmpty()) m_strMembers = kEmptyList;
  }
}

bool CLANGroup::CreateOnCanvas(int kind, int nInputs, int nOutputs, const QString& name, const QRect& rect,
                               int category, int bitmapId, int textFlags, CSelvantisDoc* doc) {
  if (!CBaseDevice::CreateOnCanvas(kind, nInputs, nOutputs, name, rect.translated(kPlaceOffsetX, 0), category, bitmapId,
                                   textFlags, doc))
    return false;
  ShowPins(true);
  return true;
}

bool CLANGroup::OnCommand(int id) {
  switch (id) {
    case ID_DELETE_OBJECT:
      if (m_pDoc == nullptr) return false;
      Invalidate();
      return m_pDoc->DeleteObject(this);
    case ID_LANGROUP_PROPERTIES:
      if (ShowProperties()) Invalidate();
      return true;
    case ID_CHANGE_ID:
      if (Chooser()) {
        const int chosen = Chooser()(*this);
        if (chosen > 0) ChangeLanGroupID(chosen);
      }
      return true;
    case ID_DEVICE_DOWNLOAD: {
      CTransfer transfer;
      transfer.DownloadObject(*this);
      return true;
    }
    case ID_DEVICE_UPLOAD: {
      CTransfer transfer;
      transfer.UploadObject(*this);
      return true;
    }
    default: return CBaseDevice::OnCommand(id);
  }
}

void CLANGroup::OnUpdateCommandUI(CCmdUI& cmdUI) {
  if (cmdUI.GetID() == ID_DEVICE_DOWNLOAD || cmdUI.GetID() == ID_DEVICE_UPLOAD) cmdUI.Enable(IsOnline());
}

QString CLANGroup::GetToolTipText() const { return QStringLiteral("Zones: ") + GetMemberText(1); }

int CLANGroup::GetReportColumns(std::vector<ReportColumn>& columns) const {
  columns.push_back(ReportColumn{2, 0});
  columns.push_back(ReportColumn{40, 0});
  columns.push_back(ReportColumn{60, 0});
  return 1;
}

int CLANGroup::GetReportLine(QStringList& cells, bool bHeader) const {
  if (bHeader)
    cells << ModelString(IDS_NAME) << ModelString(IDS_ID) << QStringLiteral("Zones");
  else
    cells << GetName() << GetIDString() << m_strMembers;
  return static_cast<int>(cells.size());
}

int CLANGroup::Download(bool bQuery, int nStep) {
  const bool upgrade = m_pDoc != nullptr && m_pDoc->GetUpgradeFlag() != 0;
  // No step rather than -1 for the smaller unit: a stepping loop that
  // runs until the step it gets back reaches the count never reaches -1
  // (step 1 comes back as itself, which reads as a step to repeat).
  if (nStep == -1) return upgrade ? 1 : 0;
  if (nStep != 0) return nStep;
  // The smaller unit has no LAN groups: nothing to send, the step is done.
  if (!upgrade) return 1;
  return SendStep(bQuery, nStep, m_strPath, QString(), ReplyText::Field(m_strMembers, ReplyText::TextField::RangeList),
                  true);
}

bool CLANGroup::Upload(const QString& line, QString& errorFilePath, int mode) {
  (void)errorFilePath;
  if (mode == LINKMODE_DOWNLOAD || !line.contains(QLatin1Char(' '))) return false;
  QString key;
  QString value;
  if (!SplitUploadLine(line, &key, &value)) return false;
  // Only the group's own path, nothing between it and the blank.
  if (!key.isEmpty() || value.isEmpty()) return false;
  SetMemberText(0, ReplyText::Field(value, ReplyText::TextField::RangeList));
  return true;
}
