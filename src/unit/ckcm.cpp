#include "unit/ckcm.h"

#include "amps/crelais.h"
#include "amps/crelaismanager.h"
#include "model/carchive.h"
#include "model/cmessagesink.h"
#include "model/commandids.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"
#include "model/modelstrings.h"

#include <QCoreApplication>

#include <algorithm>
#include <memory>

SELV_IMPLEMENT_SERIAL(CKCM, CKCM::kSchema)

namespace {

struct CardModel {
  int kind;
  int type;
  int pins;  // inputs = outputs
};

constexpr CardModel kModels[] = {
    {CKCM::KIND_KCM201, DT_KCM201, CKCM::kBusInputs},
    {CKCM::KIND_KCM208, DT_KCM208, 5},
    {CKCM::KIND_KCM209, DT_KCM209, 5},
    {CKCM::KIND_KCM212, DT_KCM212, 5},
    {CKCM::KIND_KCM216, DT_KCM216, 8},
};

const CardModel* FindModel(int kind) {
  for (const CardModel& m : kModels)
    if (m.kind == kind) return &m;
  return nullptr;
}

// Editors create cards by (type, kind) through the document.
const bool g_factoriesRegistered = [] {
  for (const CardModel& m : kModels) {
    CSelvantisDoc::RegisterObjectFactory(m.type, [model = m](CSelvantisDoc& doc, int) -> std::unique_ptr<CBaseDevice> {
      auto card = std::make_unique<CKCM>();
      if (!card->Create(model.kind, model.pins, model.pins, ModelString(static_cast<uint32_t>(model.kind)), QRect(),
                        CAT_ENTRIES, 0, 3, &doc))
        return nullptr;
      return card;
    });
  }
  return true;
}();

}  // namespace

CKCM::CKCM() { (void)g_factoriesRegistered; }

int CKCM::TypeOfKind(int kind) {
  const CardModel* m = FindModel(kind);
  return m != nullptr ? m->type : 0;
}

int CKCM::InputCountOfKind(int kind) {
  const CardModel* m = FindModel(kind);
  return m != nullptr ? m->pins : 0;
}

void CKCM::Serialize(CArchive& ar) {
  CBaseDevice::Serialize(ar);
  if (ar.IsStoring()) return;
  const int type = TypeOfKind(m_nKind);
  if (type != 0)
    SetType(type);
  else
    AfxMessageBox(QCoreApplication::translate("CKCM", "Internal Message kcm:1"), MB_OK | MB_ICONEXCLAMATION);
  if (m_strName.isEmpty()) m_strName = ModelString(static_cast<uint32_t>(m_nKind));
  // Identifiers of schema-1 records are not reused: the card takes the next
  // free one of its pool when it is registered.
  if (GetSchema() == 1) RequestFreshID();
}

bool CKCM::Create(int kind, int nInputs, int nOutputs, const QString& name, const QRect& rect, int category,
                  int bitmapId, int textFlags, CSelvantisDoc* doc) {
  // The type code decides the pool, so it is set before the creation.
  const int type = TypeOfKind(kind);
  if (type != 0)
    SetType(type);
  else
    AfxMessageBox(QCoreApplication::translate("CKCM", "Internal Message kcm:2"), MB_OK | MB_ICONEXCLAMATION);
  // Each KCM209 card owns five "s" relays and the series ends at 100.
  if (m_nType == DT_KCM209 && doc != nullptr) {
    const int next = doc->GetIDManager().GetNextID(DT_KCM209);
    if (next == 0 || next > kMaxKCM209) {
      AfxMessageBox(ModelString(IDS_POOL_FULL), MB_OK | MB_ICONEXCLAMATION, IDS_POOL_FULL);
      return false;
    }
  }
  return CBaseDevice::Create(kind, nInputs, nOutputs, name, rect, category, bitmapId, textFlags, doc);
}

int CKCM::OnAfterLoad() {
  // Records before schema 2 stored no bus link for the input card.
  if (m_nType != DT_KCM212 || GetSchema() < 0 || GetSchema() >= 2 || m_pDoc == nullptr) return 0;
  if (FindOutputConnection(0) != nullptr) return 1;
  CSelvantisDoc* doc = m_pDoc;
  std::vector<CBaseDevice*> buses;
  doc->GetIDManager().GetBaseDeviceList(buses, DT_KCM201);
  if (buses.empty()) {
    auto bus = std::make_unique<CKCM>();
    if (bus->Create(KIND_KCM201, kBusInputs, kBusInputs, ModelString(KIND_KCM201), QRect(), CAT_ENTRIES, 0, 3, doc)) {
      doc->Adopt(std::move(bus));
      doc->GetIDManager().GetBaseDeviceList(buses, DT_KCM201);
    }
  }
  // Its place by its identifier on the first bus card: card n on input
  // n + 11. That place may be taken or, from card 6 on, lie beyond the
  // input cards' places: then the first free input-card place of the bus
  // cards, in identifier order; without one the card stays off the bus.
  const int own = m_nID + kInputCardFirst - 1;
  if (!buses.empty() && own >= kInputCardFirst && own <= kInputCardLast &&
      buses.front()->FindInputConnection(own) == nullptr) {
    Connect(this, 0, buses.front(), own);
    return 0;
  }
  for (CBaseDevice* bus : buses) {
    for (int in = kInputCardFirst; in <= kInputCardLast; ++in) {
      if (bus->FindInputConnection(in) == nullptr) {
        Connect(this, 0, bus, in);
        return 0;
      }
    }
  }
  return 0;
}

bool CKCM::OnCommand(int id) {
  if (id != ID_DELETE_OBJECT) return CBaseDevice::OnCommand(id);
  // The deletion ends this object's part in the document: work from copies.
  const int type = m_nType;
  const int ownId = m_nID;
  CSelvantisDoc* const doc = m_pDoc;
  std::vector<CBaseDevice*> relays;
  if (type == DT_KCM208 || type == DT_KCM209) {
    for (const ConnectionRecord& r : m_inputs)
      if (r.pPeer != nullptr && r.pPeer->GetType() == DT_RELAY) relays.push_back(r.pPeer);
  }
  if (!CBaseDevice::OnCommand(id) || doc == nullptr) return false;
  // Relays left behind lose their numbers, so the higher cards' relays can
  // take them over when they are renumbered.
  if (CRelaisManager* manager = CRelaisManager::Of(doc)) {
    for (CBaseDevice* relay : relays) {
      manager->RemoveRelayR(relay);
      manager->RemoveRelayS(relay);
    }
  }
  doc->GetIDManager().RemoveIDAndShift(type, ownId);
  return true;
}

void CKCM::SetID(int id) {
  CBaseDevice::SetID(id);
  if (m_nType == DT_KCM201) return;
  MoveBusLinkDown();
  if (m_nType == DT_KCM208 || m_nType == DT_KCM209) RenumberRelays();
}

bool CKCM::GetBusRange(int* first, int* last) const {
  int a = 0, b = 0;
  switch (m_nType) {
    case DT_KCM208:
    case DT_KCM209:
      a = kRelayInputFirst;
      b = kRelayInputLast;
      break;
    case DT_KCM212:
      a = kInputCardFirst;
      b = kInputCardLast;
      break;
    case DT_KCM216:
      a = kAnalogCardFirst;
      b = kAnalogCardLast;
      break;
    default: return false;
  }
  if (first != nullptr) *first = a;
  if (last != nullptr) *last = b;
  return true;
}

bool CKCM::IsBusInputFree(const CBaseDevice* bus, int pin) const {
  return bus != nullptr && bus->FindInputConnection(pin) == nullptr;
}

void CKCM::MoveBusLinkDown() {
  int first = 0, last = 0;
  if (!GetBusRange(&first, &last)) return;
  const ConnectionRecord* link = FindOutputConnection(0);
  if (link == nullptr || link->pPeer == nullptr) return;
  const CBaseDevice* bus = link->pPeer;
  const int pin = link->nPeerPin;

  // A card only ever moves onto a free place of its own module group.
  if (m_nType == DT_KCM212) {
    if (pin - 1 >= first && pin - 1 <= last && IsBusInputFree(bus, pin - 1)) MoveOutputPeerPin(0, pin - 1);
    return;
  }
  if (m_nType == DT_KCM216 && pin != first && pin - 1 >= first && pin - 1 <= last && IsBusInputFree(bus, pin - 1))
    MoveOutputPeerPin(0, pin - 1);

  // The highest free place below the card; place 0 is never taken.
  link = FindOutputConnection(0);
  if (link == nullptr || link->pPeer == nullptr) return;
  const int from = std::min(link->nPeerPin - 1, last);
  const int lowest = std::max(first, 1);
  for (int q = from; q >= lowest; --q) {
    if (IsBusInputFree(bus, q)) {
      MoveOutputPeerPin(0, q);
      break;
    }
  }
}

void CKCM::RenumberRelays() {
  for (int i = 0; i < CRelais::kRelaysPerCard; ++i) {
    const ConnectionRecord* r = FindInputConnection(i);
    if (r == nullptr) continue;
    if (auto* relay = dynamic_cast<CRelais*>(r->pPeer))
      relay->SetNumber(static_cast<uint32_t>(CRelais::kRelaysPerCard * (m_nID - 1) + i + 1));
  }
}

int CKCM::GetConnectedInputNumber(const CBaseDevice* peer) const {
  for (const ConnectionRecord& r : m_inputs)
    if (r.pPeer != nullptr && r.pPeer == peer) return m_nID * m_nInputs + r.nOwnPin + 1;
  return 0;
}

int CKCM::GetReportColumns(std::vector<ReportColumn>& columns) const {
  columns.push_back(ReportColumn{2, 0});
  columns.push_back(ReportColumn{30, 0});
  return 1;
}

int CKCM::GetReportLine(QStringList& cells, bool bHeader) const {
  if (bHeader) {
    cells << ModelString(IDS_NAME) << ModelString(IDS_ID);
  } else {
    cells << GetName() << Fmt("%d", m_nID);
  }
  return static_cast<int>(cells.size());
}
