#include "amps/camplifier.h"
#include "amps/crelaistopology.h"
#include "amps/czone.h"

#include "model/carchive.h"
#include "model/ccmdui.h"
#include "model/cfreeplace.h"
#include "model/commandids.h"
#include "model/cselectionprovider.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"
#include "model/modelstrings.h"

#include <array>
#include <memory>

SELV_IMPLEMENT_SERIAL(CAmplifier, CAmplifier::kSchema)

namespace {
// Room between the amplifier and a relay topology made from its menu.
constexpr int kTopologyGapUnits = 60;

constexpr uint32_t kStrAddress = 34550;  // "Address"

const AmpTypeInfo& EndRow() { return g_AmpTypes[kAmpTypeRows - 1]; }

// The amplifiers' properties and the canvas create amplifiers by model.
const bool g_factoryRegistered = [] {
  CSelvantisDoc::RegisterObjectFactory(DT_AMPLIFIER, [](CSelvantisDoc& doc, int kind) -> std::unique_ptr<CBaseDevice> {
    return CAmplifier::Make(doc, kind, QPoint(0, 0));
  });
  return true;
}();

// The address choice of the properties dialog: every bus address with the
// amplifier that holds it.
SELV_REGISTER_SELECTION(kStrAddress, [](const CSelvantisDoc* doc, const SelectionRequest&) {
  SelectionList list;
  list.titles << ModelString(kStrAddress) << ModelString(IDS_NAME);
  std::array<QString, CAmplifier::kAddressCount> holders;
  if (doc != nullptr) {
    std::vector<CBaseDevice*> amps;
    doc->GetIDManager().GetAmplifiersByTableRow(amps);
    for (const CBaseDevice* amp : amps) {
      const int a = amp->GetAmplifierBusAddress();
      if (a >= 0 && a < CAmplifier::kAddressCount) holders[static_cast<size_t>(a)] = amp->GetName();
    }
  }
  for (int a = 0; a < CAmplifier::kAddressCount; ++a) {
    SelectionChoice choice;
    choice.columns << Fmt("%x", a) << holders[static_cast<size_t>(a)];
    choice.number = a;
    choice.value = a;
    list.choices.push_back(choice);
  }
  return list;
})

}  // namespace

CAmplifier::CAmplifier() {
  (void)g_factoryRegistered;
  SetType(DT_AMPLIFIER);
  m_nMenuID = kMenuId;
}

std::unique_ptr<CAmplifier> CAmplifier::Make(CSelvantisDoc& doc, int kind, const QPoint& at) {
  const AmpTypeInfo* row = FindTypeRow(kind);
  if (row->kind == kAmpKindNotUsed) return nullptr;
  auto amp = std::make_unique<CAmplifier>();
  if (!amp->Create(kind, row->outputs, row->outputs, QString(), QRect(at, QSize(kBlockWidth, kBlockHeight)),
                   CAT_AMPLIFIERS, row->bitmap, TF_NAME | TF_BELOW, &doc))
    return nullptr;
  return amp;
}

// ---- The amplifier-type table ---------------------------------------------------

const AmpTypeInfo* CAmplifier::FindTypeRow(int kind) {
  for (const AmpTypeInfo& row : g_AmpTypes) {
    if (row.kind == kAmpKindNotUsed) break;
    if (row.kind == kind) return &row;
  }
  return &EndRow();
}

const AmpTypeInfo* CAmplifier::GetTypeRow(int index) {
  if (index < 0 || index >= kAmpTypeRows) return nullptr;
  const AmpTypeInfo* row = &g_AmpTypes[index];
  return row->kind == kAmpKindNotUsed ? nullptr : row;
}

const AmpTypeInfo* CAmplifier::GetTypeInfo() const { return FindTypeRow(m_nKind); }

int CAmplifier::GetTypeIndex() const {
  const AmpTypeInfo* row = GetTypeInfo();
  return row->kind == kAmpKindNotUsed ? 0 : row->index;
}

bool CAmplifier::IsAddressable() const { return GetTypeInfo()->addressable != 0; }

int CAmplifier::GetModelOutputCount() const { return GetTypeInfo()->outputs; }

int CAmplifier::GetOutputPower(int output) const {
  if (output < 0 || output >= 4) return 0;
  return GetTypeInfo()->power[output];
}

// ---- Bus address and channels -------------------------------------------------------

int CAmplifier::GetAddress(bool bOther) const { return bOther ? 1 : m_nAddress; }

int CAmplifier::SetAddress(int column, int address) {
  if (column == 0 && address >= 0 && address < kAddressCount && address != m_nAddress) {
    m_nAddress = address;
    SetModified();
    Invalidate();
  }
  return 1;
}

void CAmplifier::GetColumnText(QString& out, int column) const {
  if (column == 0) out = Fmt("%x", static_cast<unsigned>(m_nAddress));
}

int CAmplifier::GetGlobalChannel(int channelIndex) const {
  if (m_pDoc == nullptr) return -1;
  std::vector<CBaseDevice*> amps;
  m_pDoc->GetIDManager().GetAmplifiersByTableRow(amps);
  int counter = 1;
  for (const CBaseDevice* amp : amps) {
    if (amp == this) return counter + channelIndex;
    counter += amp->GetAmplifierChannelCount();
  }
  return -1;
}

int CAmplifier::FindFreeAddress(const CSelvantisDoc* doc, const CBaseDevice* except) {
  std::array<bool, kAddressCount> used{};
  if (doc != nullptr) {
    std::vector<CBaseDevice*> amps;
    doc->GetIDManager().GetAmplifiersByTableRow(amps);
    for (const CBaseDevice* amp : amps) {
      const int a = amp->GetAmplifierBusAddress();
      if (amp != except && a >= 0 && a < kAddressCount) used[static_cast<size_t>(a)] = true;
    }
  }
  for (int a = 0; a < kAddressCount; ++a)
    if (!used[static_cast<size_t>(a)]) return a;
  return kNoAddress;
}

bool CAmplifier::IsAddressableAmplifier() const { return IsAddressable(); }

int CAmplifier::GetAmplifierBusAddress() const { return m_nAddress; }

int CAmplifier::GetAmplifierChannelCount() const { return GetModelOutputCount(); }

// ---- Base operations ---------------------------------------------------------------------

void CAmplifier::Serialize(CArchive& ar) {
  CBaseDevice::Serialize(ar);
  if (ar.IsStoring()) {
    ar << static_cast<uint32_t>(m_nAddress);
    return;
  }
  m_nAddress = kNoAddress;
  if (GetSchema() >= 3) {
    uint32_t stored = 0;
    ar >> stored;
    const int address = static_cast<int32_t>(stored);
    // Anything but a bus address reads as "none".
    m_nAddress = (address >= 0 && address < kAddressCount) ? address : kNoAddress;
  }
}

bool CAmplifier::CreateOnCanvas(int kind, int nInputs, int nOutputs, const QString& name, const QRect& rect,
                                int category, int bitmapId, int textFlags, CSelvantisDoc* doc) {
  const AmpTypeInfo* row = FindTypeRow(kind);
  const int address = FindFreeAddress(doc, this);
  if (row->kind != kAmpKindNotUsed) {
    nInputs = nOutputs = row->outputs;
    bitmapId = row->bitmap;
  }
  if (!CBaseDevice::CreateOnCanvas(kind, nInputs, nOutputs, name, rect.translated(kPlaceOffsetX, 0), category, bitmapId,
                                   textFlags, doc))
    return false;
  m_nAddress = row->addressable ? address : kNoAddress;
  return true;
}

int CAmplifier::OnAfterLoad() {
  const int schema = GetSchema();
  if (schema == 0 || schema == 1) Move(kOldRecordShiftX, 0, false);
  return 1;
}

void CAmplifier::LayoutPins() {
  const int n = GetModelOutputCount();
  if (n < 1 || n > 4) return;
  const int top = m_rect.top();
  const int height = m_rect.height();
  for (int k = 1; k <= n; ++k) {
    const int y = top + k * height / (n + 1);
    if (k <= m_nInputs) m_inPinPoints[static_cast<size_t>(k - 1)] = QPoint(m_rect.left() - kPinSize / 2, y);
    if (k <= m_nOutputs)
      m_outPinPoints[static_cast<size_t>(k - 1)] = QPoint(m_rect.left() + m_rect.width() + kPinSize / 2, y);
  }
}

bool CAmplifier::OnCommand(int id) {
  switch (id) {
    case ID_TOPOLOGY_DIRECT:
    case ID_TOPOLOGY_1INN:
    case ID_TOPOLOGY_ADD:
    case ID_TOPOLOGY_PROGPAGE: AddRelayTopology(id); return true;
    case ID_SHOW_PROPERTIES:
      if (ShowProperties()) Invalidate();
      return true;
    default: return CBaseDevice::OnCommand(id);
  }
}

void CAmplifier::OnUpdateCommandUI(CCmdUI& cmdUI) { (void)cmdUI; }

int CAmplifier::TopologyModeOfCommand(int commandId) { return commandId == ID_TOPOLOGY_PROGPAGE ? 2 : 1; }

bool CAmplifier::AddRelayTopology(int commandId) {
  CSelvantisDoc* doc = m_pDoc;
  if (doc == nullptr || m_nOutputs <= 0) return false;
  int pin = m_nOutputs - 1;
  for (int k = 0; k < m_nOutputs; ++k) {
    if (FindOutputConnection(k) == nullptr) {
      pin = k;
      break;
    }
  }
  CBaseDevice* topology = doc->CreateObject(DT_RELAYTOPOLOGY, commandId);
  if (topology == nullptr) return false;
  // The topology stands right of the amplifier, level with it, its zones in
  // a column right of it; made where the factory puts new ones, they all
  // move there.
  const QRect own = GetBoundingRect().isEmpty() ? m_rect : GetBoundingRect();
  const QRect placed = topology->GetBoundingRect().isEmpty() ? topology->GetRect() : topology->GetBoundingRect();
  topology->Move(own.left() + own.width() + kTopologyGapUnits - placed.left(), m_rect.top() - topology->GetRect().top(),
                 false);
  std::vector<const CBaseDevice*> zones;
  auto* relays = dynamic_cast<CRelaisTopology*>(topology);
  if (relays != nullptr)
    for (const CZone* zone : relays->GetZones()) zones.push_back(zone);
  CFreePlace::MoveToFree(*topology, CFreePlace::Direction::Down, zones);
  if (relays != nullptr) relays->PlaceZones();
  Connect(this, pin, topology, 0);
  topology->Invalidate();
  Invalidate();
  topology->ShowProperties();
  return true;
}

void CAmplifier::SetKind(int kind) {
  const AmpTypeInfo* row = FindTypeRow(kind);
  if (row->kind == kAmpKindNotUsed) return;

  for (const ConnectionRecord& r : m_outputs)
    if (r.pPeer != nullptr) r.pPeer->Invalidate();
  Invalidate();
  RemoveAllInputConnections();

  const int oldPinY = GetOutputPinPoint(0).y();
  CBaseDevice::SetKind(kind);
  SetPinCount(row->outputs, row->outputs);
  m_nBitmapID = row->bitmap;
  for (int k = row->outputs; k <= 3; ++k) DisconnectOutputPin(k);

  RefreshPath();
  LayoutPins();
  // Keep the first output where it was, so its wiring does not jump.
  Move(0, oldPinY - GetOutputPinPoint(0).y(), false);
  AvoidOverlap();

  if (row->addressable) {
    const int address = FindFreeAddress(m_pDoc, this);
    if (address != kNoAddress) m_nAddress = address;
  }
  SetModified();
  Invalidate();
}

int CAmplifier::GetReportColumns(std::vector<ReportColumn>& columns) const {
  columns.push_back(ReportColumn{2, 0});
  columns.push_back(ReportColumn{30, 0});
  columns.push_back(ReportColumn{50, 0});
  return 1;
}

int CAmplifier::GetReportLine(QStringList& cells, bool bHeader) const {
  if (bHeader)
    cells << ModelString(IDS_NAME) << ModelString(IDS_ID) << ModelString(IDS_TYPE);
  else
    cells << GetName() << GetIDString() << ModelString(static_cast<uint32_t>(m_nKind));
  return static_cast<int>(cells.size());
}
