#include "amps/crelaistopology.h"

#include "amps/ccollectioncall.h"
#include "amps/cgroup.h"
#include "amps/crelais.h"
#include "amps/crelaismanager.h"
#include "amps/czone.h"
#include "link/linkmode.h"
#include "macros/rangelist.h"
#include "model/carchive.h"
#include "model/ccmdui.h"
#include "model/cfreeplace.h"
#include "model/cmessagesink.h"
#include "model/commandids.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"
#include "model/errorfile.h"
#include "model/ipainter.h"
#include "model/modelstrings.h"

#include <QCoreApplication>

#include <algorithm>
#include <memory>

SELV_IMPLEMENT_SERIAL(CRelaisTopology, CRelaisTopology::kSchema)

namespace {

constexpr unsigned kZoneBits = 100;
constexpr uint32_t kSSeriesBit = 1u << 28;
// Canvas size of a zone the topology makes at its output pin.
constexpr int kZoneSize = 32;
// Room between the block and the column of its zones, for the wires.
constexpr int kZoneColumnGap = 40;
// The block's inside: too small a block shows just the frame.
constexpr int kMinDecoratedWidth = 60;
constexpr int kMinDecoratedHeight = 20;
constexpr int kContactRise = 6;
constexpr PaintColor kFillColour = MakePaintColor(236, 240, 248);

// Rows: index, kind, inputs, picture; ended by the "Not used" row.
constexpr CRelaisTopology::KindRow kKindTable[CRelaisTopology::kKindRows] = {
    {0, CRelaisTopology::KIND_DIRECT, 1, 2},
    {1, CRelaisTopology::KIND_1INN, 1, 3},
    {2, CRelaisTopology::KIND_PROGPAGE, 2, 4},
    {3, CRelaisTopology::KIND_END, 0, 0},
};

// Rows 7 and 8 are accepted indexes without a text.
constexpr CRelaisTopology::InputTypeRow kInputTypeTable[CRelaisTopology::kInputTypeRows] = {
    {0, 32788},  // "Not used"
    {1, 32787},  // "Collection call"
    {2, 32784},  // "common P-relay"
    {3, 32785},  // "seperate P-relay"
    {4, 32786},  // "D+ E relay"
    {5, 32792},  // "D relay"
    {6, 32793},  // "E relay"
    {7, 0},     {8, 0},
};

bool IsTopologyKind(int kind) {
  return kind == CRelaisTopology::KIND_DIRECT || kind == CRelaisTopology::KIND_1INN ||
         kind == CRelaisTopology::KIND_NIN1 || kind == CRelaisTopology::KIND_PROGPAGE;
}

// The amplifier's context menu adds topologies through this factory, with
// the command id as the kind and one zone.
const bool g_factoryRegistered = [] {
  CSelvantisDoc::RegisterObjectFactory(DT_RELAYTOPOLOGY,
                                       [](CSelvantisDoc& doc, int kind) -> std::unique_ptr<CBaseDevice> {
                                         if (!IsTopologyKind(kind)) return nullptr;
                                         auto topology = std::make_unique<CRelaisTopology>();
                                         if (!topology->Create(kind, CRelaisTopology::InputCountOfKind(kind), 1,
                                                               QString(), QRect(), CAT_TOPOLOGIES, 0, 3, &doc))
                                           return nullptr;
                                         return topology;
                                       });
  return true;
}();

int LowNumber(uint32_t entry) { return static_cast<int>(entry & 0xFFFF); }
bool IsRSeries(uint32_t entry) { return (entry & kSSeriesBit) == 0; }

}  // namespace

CRelaisTopology::CRelaisTopology() {
  (void)g_factoryRegistered;
  SetType(DT_RELAYTOPOLOGY);
  m_nMenuID = kMenuId;
}

CRelaisTopology::~CRelaisTopology() {
  if (CRelaisManager* manager = CRelaisManager::Of(m_pDoc)) {
    manager->RemoveRelayR(this);
    manager->RemoveTopology(this);
    manager->RemoveRelayS(this);
  }
}

// ---- Tables ---------------------------------------------------------------------

const CRelaisTopology::KindRow* CRelaisTopology::TopologyKindTable() { return kKindTable; }

const CRelaisTopology::KindRow* CRelaisTopology::FindKindRow(int kind) {
  for (const KindRow& row : kKindTable) {
    if (row.kind == KIND_END || row.kind == kind) return &row;
  }
  return &kKindTable[kKindRows - 1];
}

const CRelaisTopology::KindRow* CRelaisTopology::GetKindRow(int index) {
  // Bounded by the table, not by the nine input types it was once sized for.
  if (index < 0 || index >= kKindRows || kKindTable[index].kind == KIND_END) return nullptr;
  return &kKindTable[index];
}

const CRelaisTopology::InputTypeRow* CRelaisTopology::RelayInputTypeTable() { return kInputTypeTable; }

const CRelaisTopology::InputTypeRow* CRelaisTopology::GetInputTypeRow(int index) {
  if (index < 0 || index >= kInputTypeRows) return nullptr;
  return &kInputTypeTable[index];
}

int CRelaisTopology::InputCountOfKind(int kind) {
  switch (kind) {
    case KIND_NIN1: return 4;
    case KIND_PROGPAGE: return 2;
    default: return 1;
  }
}

// ---- State ------------------------------------------------------------------------

bool CRelaisTopology::IsCollCallInput() const {
  const InputTypeRow* row = GetInputTypeRow(m_nInputType);
  return row != nullptr && row->stringId == kInputTypeTable[INPUT_COLLCALL].stringId;
}

void CRelaisTopology::SetFirstRelays(int firstRelay, int firstPageRelay) {
  m_nFirstRelay = firstRelay;
  m_nFirstPageRelay = firstPageRelay;
}

CZone* CRelaisTopology::GetZoneOnPin(int pin) const {
  for (const ConnectionRecord& r : m_outputs) {
    if (r.nOwnPin != pin) continue;
    if (auto* zone = dynamic_cast<CZone*>(r.pPeer)) return zone;
  }
  return nullptr;
}

std::vector<CZone*> CRelaisTopology::GetZones() const {
  std::vector<CZone*> zones;
  for (int pin = 0; pin < m_nOutputs; ++pin)
    if (CZone* zone = GetZoneOnPin(pin)) zones.push_back(zone);
  return zones;
}

QString CRelaisTopology::GetRelayText() const {
  // The relay of the collection call with the same number, as that object
  // sends it itself.
  const CBaseDevice* call = (m_pDoc != nullptr && m_nCollCall != 0)
                                ? m_pDoc->GetIDManager().FindBaseDevice(m_nCollCall, DT_COLLCALL)
                                : nullptr;
  if (const auto* collCall = dynamic_cast<const CCollectionCall*>(call)) return collCall->GetRelayText();
  return QStringLiteral("0");
}

QString CRelaisTopology::GetZonesText() const {
  BitSet zones = MakeBitSet(kZoneBits);
  for (const ConnectionRecord& r : m_outputs) {
    const CBaseDevice* zone = r.pPeer;
    if (zone != nullptr && zone->GetType() == DT_ZONE && zone->GetID() >= 1 && zone->GetID() <= int(kZoneBits))
      SetBit(zones, static_cast<unsigned>(zone->GetID() - 1), true);
  }
  return FormatRangeList(zones, kZoneBits);
}

// ---- Operations ------------------------------------------------------------------

CZone* CRelaisTopology::CreateZone(int pin) {
  if (m_pDoc == nullptr) return nullptr;
  auto fresh = std::make_unique<CZone>();
  const QPoint at = GetOutputPinPoint(pin);
  if (!fresh->Create(0, 1, 1, QString(), QRect(at.x(), at.y() - kZoneSize / 2, kZoneSize, kZoneSize), CAT_ZONES,
                     CZone::kBitmap, 3, m_pDoc))
    return nullptr;
  CZone* zone = m_pDoc->Adopt(std::move(fresh));
  if (zone == nullptr) return nullptr;
  Connect(this, pin, zone, 0);
  PlaceZone(*zone, pin);
  CBaseDevice* first = m_pDoc->GetFirstObject(CAT_GROUPS);
  if (first != nullptr && first->GetType() == DT_GROUP && first->GetID() == CGroup::kRootId)
    Connect(zone, CZone::kGroupPin, first, 0);
  zone->Invalidate();
  return zone;
}

void CRelaisTopology::PlaceZone(CZone& zone, int pin) {
  const QRect bound = zone.GetBoundingRect().isEmpty() ? zone.GetRect() : zone.GetBoundingRect();
  const QRect own = GetBoundingRect().isEmpty() ? m_rect : GetBoundingRect();
  // The zone's name may be wider than its picture: the column starts where
  // the name leaves room for the wire from the pin.
  const int left = own.left() + own.width() + kZoneColumnGap;
  const int top = GetOutputPinPoint(pin).y() - zone.GetRect().height() / 2 - (zone.GetRect().top() - bound.top());
  zone.Move(left - bound.left(), top - bound.top(), false);
  // The zones of the other pins are placed on their own turn.
  std::vector<const CBaseDevice*> later;
  for (int other = pin + 1; other < m_nOutputs; ++other)
    if (const CZone* z = GetZoneOnPin(other)) later.push_back(z);
  CFreePlace::MoveToFree(zone, CFreePlace::Direction::Down, later);
}

void CRelaisTopology::PlaceZones() {
  for (int pin = 0; pin < m_nOutputs; ++pin)
    if (CZone* zone = GetZoneOnPin(pin)) PlaceZone(*zone, pin);
}

void CRelaisTopology::ChangeKind(int kind, int zoneCount) {
  zoneCount = std::clamp(zoneCount, 0, kMaxZones);
  const int current = m_nOutputs;
  if (kind == m_nKind && zoneCount == current) return;
  if (m_pDoc != nullptr && m_pDoc->GetObjectCount(CAT_ZONES) - current + zoneCount > kMaxZones) {
    AfxMessageBox(ModelString(kStrZoneLimit), MB_OK | MB_ICONEXCLAMATION, kStrZoneLimit);
    zoneCount = current;
  }
  Invalidate();
  CBaseDevice::SetKind(kind);
  const int inputs = InputCountOfKind(kind);
  for (int pin = inputs; pin < m_nInputs; ++pin) DisconnectInputPin(pin);

  // The zones to go are found through the records, whatever the pins say.
  std::vector<CZone*> doomed;
  for (const ConnectionRecord& r : m_outputs) {
    auto* zone = dynamic_cast<CZone*>(r.pPeer);
    if (r.nOwnPin >= zoneCount && zone != nullptr && std::find(doomed.begin(), doomed.end(), zone) == doomed.end())
      doomed.push_back(zone);
  }

  SetPinCount(inputs, zoneCount);
  m_rect.setHeight(kHeightPerZone * zoneCount);
  LayoutPins();
  CalcBoundingRect();
  RefreshPath();
  AvoidOverlap();

  for (CZone* zone : doomed) zone->OnCommand(ID_DELETE_OBJECT);
  for (int pin = zoneCount; pin < current; ++pin) DisconnectOutputPin(pin);
  for (int pin = 0; pin < zoneCount; ++pin)
    if (GetZoneOnPin(pin) == nullptr) CreateZone(pin);
  m_nZoneCount = zoneCount;
  SetModified();
  Invalidate();
}

void CRelaisTopology::SetKind(int kind) { ChangeKind(kind, m_nOutputs); }

void CRelaisTopology::AssignRelays(int first) {
  const std::vector<CZone*> zones = GetZones();
  constexpr int kZoneRelay = CRelais::KIND_ZONE;
  if (first < 0) {
    switch (m_nKind) {
      case KIND_DIRECT:
        for (CZone* zone : zones) zone->ConnectRelays(kZoneRelay, 0, 0);
        break;
      case KIND_1INN:
        for (CZone* zone : zones) zone->ConnectRelays(kZoneRelay, 1, 0);
        break;
      case KIND_NIN1:
        for (CZone* zone : zones) zone->ConnectRelays(kZoneRelay, 4, 0);
        break;
      case KIND_PROGPAGE:
        for (CZone* zone : zones) zone->ConnectRelays(kZoneRelay, 1, 0);
        for (CZone* zone : zones) zone->ConnectRelays(kZoneRelay, 2, 0);
        break;
      default: break;
    }
    return;
  }
  m_nFirstRelay = first;
  for (CZone* zone : zones) zone->ConnectRelays(kZoneRelay, 0, 0);
  int n = first;
  switch (m_nKind) {
    case KIND_1INN:
      for (CZone* zone : zones)
        for (int pin = CZone::kFirstRelayPin; pin <= CZone::kLastRelayPin; ++pin) zone->DisconnectOutputPin(pin);
      for (CZone* zone : zones) n = zone->ConnectFreeRelay(kZoneRelay, n, 1);
      break;
    case KIND_NIN1:
      for (CZone* zone : zones)
        for (int pin = CZone::kFirstRelayPin; pin <= CZone::kLastRelayPin; ++pin)
          n = zone->ConnectFreeRelay(kZoneRelay, n, pin);
      break;
    case KIND_PROGPAGE: {
      for (CZone* zone : zones) n = zone->ConnectFreeRelay(kZoneRelay, n, 1);
      int m = m_nFirstPageRelay;
      for (CZone* zone : zones) m = zone->ConnectFreeRelay(kZoneRelay, m, 2);
      break;
    }
    default: break;
  }
}

CRelais* CRelaisTopology::EnsureRelayBlock(int number, int kind, bool bRSeries) {
  if (m_pDoc == nullptr) return nullptr;
  return CZone::EnsureRelayBlock(*m_pDoc, number, kind, bRSeries);
}

// ---- Collection-call path ------------------------------------------------------------

QString CRelaisTopology::BuildCommandPath() const {
  // Every topology with the number sends under it, also one that shares it
  // with another: its zones would otherwise never reach the unit.
  if (m_nCollCall == 0) return QString();
  return ModelString(IDS_COLLCALL_PATH) + Fmt("%d", m_nCollCall);
}

bool CRelaisTopology::ClaimCollCall() {
  CRelaisManager* manager = CRelaisManager::Of(m_pDoc);
  if (manager == nullptr || m_nCollCall == 0) return false;
  CBaseDevice* holder = manager->GetTopology(static_cast<uint32_t>(m_nCollCall));
  if (holder != this && !manager->ClaimTopology(this, static_cast<uint32_t>(m_nCollCall))) {
    // Both send to the same collection call, and the unit keeps what came
    // last: the user has to give one of them another number.
    if (holder != nullptr)
      AfxMessageBox(QCoreApplication::translate("CRelaisTopology",
                                                "The relay topologies \"%1\" and \"%2\" have the same collection "
                                                "call number %3.\nThe unit keeps the zones of the one sent last.")
                        .arg(holder->GetName(), GetName())
                        .arg(m_nCollCall),
                    MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  RefreshPath();
  return true;
}

void CRelaisTopology::HandOverCollCall(CSelvantisDoc* doc, int number) {
  CRelaisManager* manager = CRelaisManager::Of(doc);
  if (manager == nullptr || number == 0) return;
  // The holder of the number answers the unit's replies; without one,
  // another topology of the number takes it over, else the collection call.
  if (CBaseDevice* holder = manager->GetTopology(static_cast<uint32_t>(number))) {
    holder->RefreshPath();
    return;
  }
  std::vector<CBaseDevice*> topologies;
  doc->GetIDManager().GetBaseDeviceList(topologies, DT_RELAYTOPOLOGY);
  for (CBaseDevice* object : topologies) {
    auto* topology = dynamic_cast<CRelaisTopology*>(object);
    if (topology != nullptr && topology->m_nCollCall == number && topology->ClaimCollCall()) return;
  }
  if (CBaseDevice* call = doc->GetIDManager().FindBaseDevice(number, DT_COLLCALL)) call->RefreshPath();
}

// ---- Project file ---------------------------------------------------------------------

void CRelaisTopology::Serialize(CArchive& ar) {
  CBaseDevice::Serialize(ar);
  if (ar.IsStoring()) {
    const int schema = ar.GetObjectSchema() >= 0 ? ar.GetObjectSchema() : kSchema;
    ar << uint32_t(m_nZoneCount) << uint32_t(m_nInputType) << uint32_t(m_nReserved) << uint32_t(m_nCollCall);
    if (schema < 2) {
      for (const std::vector<uint32_t>* list : {&m_legacyRelays, &m_legacySecond}) {
        ar.WriteCount(static_cast<uint32_t>(list->size()));
        for (uint32_t v : *list) ar << v;
      }
    }
    return;
  }
  uint32_t zones = 0, inputType = 0, reserved = 0, collCall = 0;
  ar >> zones >> inputType >> reserved >> collCall;
  m_nZoneCount = static_cast<int>(std::min<uint32_t>(zones, kMaxZones));
  // An input type outside the table reads as "Not used".
  m_nInputType = inputType < uint32_t(kInputTypeRows) ? static_cast<int>(inputType) : INPUT_NOT_USED;
  m_nReserved = static_cast<int>(reserved);
  m_nCollCall =
      (IsCollCallInput() && collCall >= 1 && collCall <= CRelaisManager::kMaxTopology) ? static_cast<int>(collCall) : 0;
  m_legacyRelays.clear();
  m_legacySecond.clear();
  if (GetSchema() < 2) {
    for (std::vector<uint32_t>* list : {&m_legacyRelays, &m_legacySecond}) {
      const uint32_t count = ar.ReadCount(4);
      list->reserve(count);
      for (uint32_t i = 0; i < count; ++i) {
        uint32_t v = 0;
        ar >> v;
        list->push_back(v);
      }
    }
  }
}

int CRelaisTopology::OnAfterLoad() {
  const int schema = GetSchema();
  if (schema >= 0 && schema < 2) {
    const int number = m_nCollCall;
    ConvertLegacy();
    // The number went with the input type: so does the path it registered.
    if (number != 0 && m_nCollCall == 0) {
      RefreshPath();
      HandOverCollCall(m_pDoc, number);
    }
  }
  m_legacyRelays.clear();
  m_legacyRelays.shrink_to_fit();
  m_legacySecond.clear();
  m_legacySecond.shrink_to_fit();
  if (m_nCollCall != 0) ClaimCollCall();
  return 1;
}

void CRelaisTopology::ConvertLegacy() {
  if (m_pDoc == nullptr) return;
  CZone::ClaimRelayNumbers(*m_pDoc);
  const uint32_t first = m_legacyRelays.empty() ? 0 : m_legacyRelays.front();
  const std::vector<CZone*> zones = GetZones();
  auto pRelayKind = [](uint32_t entry) { return IsRSeries(entry) ? CRelais::KIND_PRELAY : CRelais::KIND_KCM209; };
  switch (m_nInputType) {
    case INPUT_COLLCALL: {
      if (first == 0) break;
      CRelais* relay = EnsureRelayBlock(
          LowNumber(first), IsRSeries(first) ? CRelais::KIND_COLLCALL : CRelais::KIND_KCM209, IsRSeries(first));
      if (relay == nullptr) break;
      CCollectionCall::EnsureAll(*m_pDoc);
      std::vector<CBaseDevice*> calls;
      m_pDoc->GetIDManager().GetBaseDeviceList(calls, DT_COLLCALL);
      CBaseDevice* free = nullptr;
      for (CBaseDevice* call : calls) {
        if (call->FindOutputConnection(0) == nullptr) {
          free = call;
          break;
        }
      }
      // Every collection call has its relay already: nothing to hand over.
      if (free == nullptr) break;
      Connect(free, 0, relay, 0);
      for (CZone* zone : zones) Connect(zone, CZone::kLegacyCollCallPin, free, 0);
      break;
    }
    case INPUT_COMMON_P: {
      if (first == 0) break;
      CRelais* relay = EnsureRelayBlock(LowNumber(first), pRelayKind(first), IsRSeries(first));
      if (relay == nullptr) break;
      for (CZone* zone : zones)
        if (zone->FindOutputConnection(CZone::kPrioCallPin) == nullptr) Connect(zone, CZone::kPrioCallPin, relay, 0);
      break;
    }
    case INPUT_SEPARATE_P:
      for (size_t i = 0; i < m_legacyRelays.size(); ++i) {
        const uint32_t entry = m_legacyRelays[i];
        if (entry == 0) continue;
        // More entries than zones: the extra ones have no zone to go to.
        CZone* zone = GetZoneOnPin(static_cast<int>(i));
        if (zone == nullptr || zone->FindOutputConnection(CZone::kPrioCallPin) != nullptr) continue;
        CRelais* relay = EnsureRelayBlock(LowNumber(entry), pRelayKind(entry), IsRSeries(entry));
        if (relay != nullptr) Connect(zone, CZone::kPrioCallPin, relay, 0);
      }
      break;
    case INPUT_D_E:
    case INPUT_D:
    case INPUT_E:
      AfxMessageBox(GetName() + QStringLiteral(": ") +
                        QStringLiteral("\nD and E relay are no more supported!\nReplace them with priocall- or "
                                       "allcall relay!"),
                    MB_OK | MB_ICONEXCLAMATION);
      break;
    default: break;
  }
  m_legacyRelays.clear();
  m_legacySecond.clear();
  m_nInputType = INPUT_NOT_USED;
  // The number belonged to the input type: keeping it would claim the path
  // of the collection call that just got the relay.
  m_nCollCall = 0;
}

// ---- Creation and commands --------------------------------------------------------------

bool CRelaisTopology::CreateOnCanvas(int kind, int nInputs, int nOutputs, const QString& name, const QRect& rect,
                                     int category, int bitmapId, int textFlags, CSelvantisDoc* doc) {
  (void)nInputs;
  const int zones = std::clamp(nOutputs, 0, kMaxZones);
  const QRect block(rect.left() + kPlaceOffsetX, rect.top(), kWidth, kHeightPerZone * zones);
  if (!CBaseDevice::CreateOnCanvas(kind, InputCountOfKind(kind), zones, name, block, category, bitmapId, textFlags,
                                   doc))
    return false;
  if (doc->GetObjectCount(CAT_ZONES) + zones > kMaxZones) {
    AfxMessageBox(ModelString(kStrZoneLimit), MB_OK | MB_ICONEXCLAMATION, kStrZoneLimit);
    return false;
  }
  AvoidOverlap();
  for (int pin = 0; pin < zones; ++pin) CreateZone(pin);
  m_nZoneCount = zones;
  AssignRelays(-1);
  return true;
}

void CRelaisTopology::Draw(IPainter& painter) {
  // The base draws the white block, the pins, the selection, the name and
  // the wiring, all on or outside the block's edges; the inside is ours.
  CBaseDevice::Draw(painter);
  const QRect inside = m_rect.adjusted(1, 1, -1, -1);
  if (inside.width() < kMinDecoratedWidth || inside.height() < kMinDecoratedHeight) return;
  painter.Save();
  painter.FillRect(inside, kFillColour);
  const QSize picture = painter.BitmapSize(kBitmap);
  if (!picture.isEmpty() && picture.width() < inside.width() / 2 && picture.height() <= inside.height()) {
    const int y = m_rect.top() + (std::min(m_rect.height(), kHeightPerZone) - picture.height()) / 2;
    painter.DrawBitmap(kBitmap, QPoint(inside.left() + 2, std::max(inside.top(), y)));
  }
  // A bus feeding one switching contact per zone, each ending at the
  // zone's output pin on the right edge.
  const int width = m_rect.width();
  const int busX = m_rect.left() + width * 44 / 100;
  const int pivotX = m_rect.left() + width * 56 / 100;
  const int contactX = m_rect.left() + width * 74 / 100;
  const int right = inside.right();
  painter.SetPen(PaintColors::kBlack, 1);
  painter.SetBrush(PaintColors::kBlack);
  bool any = false;
  int busTop = 0, busBottom = 0;
  for (int pin = 0; pin < m_nOutputs; ++pin) {
    const int y = GetOutputPinPoint(pin).y();
    if (y <= inside.top() + kContactRise || y >= inside.bottom()) continue;  // no room for it
    busTop = any ? std::min(busTop, y) : y;
    busBottom = any ? std::max(busBottom, y) : y;
    any = true;
    painter.DrawLine(QPoint(busX, y), QPoint(pivotX, y));
    painter.DrawLine(QPoint(pivotX, y), QPoint(contactX - 2, y - kContactRise));
    painter.DrawEllipse(QRect(pivotX - 2, y - 2, 5, 5));
    painter.DrawEllipse(QRect(contactX - 2, y - 2, 5, 5));
    painter.DrawLine(QPoint(contactX + 2, y), QPoint(right, y));
  }
  if (any && busBottom > busTop) painter.DrawLine(QPoint(busX, busTop), QPoint(busX, busBottom));
  painter.Restore();
}

bool CRelaisTopology::OnCommand(int id) {
  switch (id) {
    case ID_DELETE_OBJECT: {
      if (m_pDoc == nullptr) return false;
      Invalidate();
      for (CZone* zone : GetZones()) zone->OnCommand(ID_DELETE_OBJECT);
      RemoveAllInputConnections();
      CSelvantisDoc* doc = m_pDoc;
      const bool deleted = doc->DeleteObject(this);
      // The relay manager has forgotten the topology: the number and its
      // path go to whoever speaks for them now.
      if (deleted) HandOverCollCall(doc, m_nCollCall);
      return deleted;
    }
    case ID_SHOW_PROPERTIES:
      if (ShowProperties()) Invalidate();
      return true;
    default: return CBaseDevice::OnCommand(id);
  }
}

void CRelaisTopology::OnUpdateCommandUI(CCmdUI& cmdUI) { (void)cmdUI; }

// ---- Command lines ------------------------------------------------------------------------

int CRelaisTopology::Download(bool bQuery, int nStep) {
  // Without a collection-call number there is no path, and lines without one would name no collection call.
  const bool sends = IsCollCallInput() && m_nKind == KIND_1INN && m_nCollCall != 0 && !m_strPath.isEmpty();
  if (nStep == -1) return sends ? 2 : 0;
  if (nStep != 0 && nStep != 1) return nStep;
  if (!sends) return nStep + 1;
  if (nStep == 0) return SendStep(bQuery, nStep, m_strPath, QStringLiteral("/RELAY"), GetRelayText(), true);
  return SendStep(bQuery, nStep, m_strPath, QStringLiteral("/ZONES"), GetZonesText(), true);
}

bool CRelaisTopology::Upload(const QString& line, QString& errorFilePath, int mode) {
  if (mode != LINKMODE_UPLOAD || !line.contains(QLatin1Char(' '))) return false;
  QString key;
  QString value;
  if (!SplitUploadLine(line, &key, &value)) return false;
  QString project;
  if (key == QLatin1String("/RELAY"))
    project = GetRelayText();
  else if (key == QLatin1String("/ZONES"))
    project = GetZonesText();
  else
    return false;
  // The unit is compared with the project; the topology stays as it is.
  if (value != project) AppendMismatchLine(errorFilePath, m_strPath + key, project, value);
  return true;
}
