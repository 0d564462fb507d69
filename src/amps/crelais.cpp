#include "amps/crelais.h"

#include "amps/crelaismanager.h"
#include "model/carchive.h"
#include "model/cmessagesink.h"
#include "model/commandids.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"
#include "model/modelstrings.h"
#include "unit/ckcm.h"

#include <memory>

SELV_IMPLEMENT_SERIAL(CRelais, CRelais::kSchema)

namespace {

constexpr uint32_t kSeriesMask = 0xFFFF;

bool IsRelayKind(int kind) {
  return kind == CRelais::KIND_COLLCALL || kind == CRelais::KIND_ZONE || kind == CRelais::KIND_PRELAY ||
         kind == CRelais::KIND_CONTROL;
}

// Creates a card with the pins of its model, adds it to the document;
// null when the pool is full or the document refuses it.
CKCM* CreateCard(CSelvantisDoc* doc, int cardKind) {
  auto card = std::make_unique<CKCM>();
  const int pins = CKCM::InputCountOfKind(cardKind);
  if (!card->Create(cardKind, pins, pins, ModelString(static_cast<uint32_t>(cardKind)), QRect(), CAT_ENTRIES, 0, 3,
                    doc))
    return nullptr;
  return doc->Adopt(std::move(card));
}

}  // namespace

CRelais::CRelais() { SetType(DT_RELAY); }

CRelais::~CRelais() {
  if (CRelaisManager* manager = Manager()) {
    manager->RemoveRelayR(this);
    manager->RemoveRelayS(this);
  }
}

CRelaisManager* CRelais::Manager() const { return CRelaisManager::Of(m_pDoc); }

void CRelais::Serialize(CArchive& ar) {
  CBaseDevice::Serialize(ar);
  if (ar.IsStoring()) {
    ar << uint32_t(m_nNumber);
    return;
  }
  m_nNumber = 0;
  if (GetSchema() >= 2) {
    uint32_t number = 0;
    ar >> number;
    m_nNumber = number;
  }
}

bool CRelais::CreateOnCanvas(int kind, int nInputs, int nOutputs, const QString& name, const QRect& rect, int category,
                             int bitmapId, int textFlags, CSelvantisDoc* doc) {
  if (!CBaseDevice::CreateOnCanvas(kind, nInputs, nOutputs, name, rect, category, bitmapId, textFlags, doc))
    return false;
  m_nNumber = 0;
  if (CRelaisManager* manager = Manager()) {
    if (kind == KIND_COLLCALL || kind == KIND_ZONE || kind == KIND_PRELAY)
      m_nNumber = manager->AddRelayR(this);
    else if (kind == KIND_KCM209)
      m_nNumber = manager->AddRelayS(this);
  }
  return true;
}

int CRelais::OnAfterLoad() {
  CRelaisManager* manager = Manager();
  const int cardKind = GetCardKind();
  if (manager != nullptr) {
    // A number another relay already holds stays in this relay's field only.
    if (cardKind == KIND_KCM208)
      manager->ClaimRelayR(this, m_nNumber);
    else if (cardKind == KIND_KCM209)
      manager->ClaimRelayS(this, m_nNumber);
  }
  return 1;
}

int CRelais::GetCardKind() const {
  const ConnectionRecord* r = FindOutputConnection(0);
  return (r != nullptr && r->pPeer != nullptr) ? r->pPeer->GetKind() : 0;
}

bool CRelais::IsSSeries() const { return GetCardKind() == KIND_KCM209; }

QString CRelais::GetName() const {
  const int cardKind = GetCardKind();
  if (cardKind != KIND_KCM208 && cardKind != KIND_KCM209) return m_strName;
  QString name = Fmt(cardKind == KIND_KCM209 ? "s%u " : "r%u ", m_nNumber);
  if (m_nKind != KIND_ZONE && m_nKind != KIND_KCM209) name += ModelString(static_cast<uint32_t>(m_nKind));
  // The rebuilt name is kept, so the project file and name searches see it.
  // Relays are always made on the heap, never const.
  const_cast<CRelais*>(this)->m_strName = name;
  return name;
}

bool CRelais::OnCommand(int id) {
  if (id != ID_DELETE_OBJECT) return false;
  // Something still switches through this relay: it stays.
  if (!m_inputs.empty()) return false;
  return CBaseDevice::OnCommand(id);
}

void CRelais::SetNumber(uint32_t number) {
  CRelaisManager* manager = Manager();
  const bool sSeries = IsSSeries();
  if (manager != nullptr) {
    if (sSeries)
      manager->ReleaseRelayS(this, m_nNumber & kSeriesMask);
    else
      manager->ReleaseRelayR(this, m_nNumber & kSeriesMask);
  }
  m_nNumber = number;
  if (manager != nullptr) {
    if (sSeries)
      manager->ClaimRelayS(this, number);
    else
      manager->ClaimRelayR(this, number);
  }
  SetModified();
}

int CRelais::Renumber(uint32_t number, bool bRSeries) {
  CRelaisManager* manager = Manager();
  m_nNumber = number;
  SetModified();
  if (manager == nullptr) return 0;
  manager->RemoveRelayR(this);
  manager->RemoveRelayS(this);
  return bRSeries ? manager->ClaimRelayR(this, number) : manager->ClaimRelayS(this, number);
}

int CRelais::AttachToCard(int kind, bool bRSeries) {
  const int cardKind = bRSeries ? KIND_KCM208 : KIND_KCM209;
  const int cardType = bRSeries ? DT_KCM208 : DT_KCM209;
  if (!IsRelayKind(kind) && kind != cardKind) return 1;
  CSelvantisDoc* doc = m_pDoc;
  if (doc == nullptr) return 0;
  // Without a number inside its series the relay has no card: nothing is
  // built.
  const uint32_t number = m_nNumber & kSeriesMask;
  const uint32_t seriesEnd = bRSeries ? CRelaisManager::kMaxRelayR : CRelaisManager::kMaxRelayS;
  if (number < 1 || number > seriesEnd) return 1;

  CIDManager& ids = doc->GetIDManager();
  const int lastCard = static_cast<int>((number - 1) / kRelaysPerCard) + 1;
  const int ownPin = static_cast<int>((number - 1) % kRelaysPerCard);
  // A relay whose card the pool cannot hold is refused before anything is
  // built, instead of after every card below it.
  if (lastCard > CIDManager::GetPoolMaxID(cardType) || (!bRSeries && lastCard > CKCM::kMaxKCM209)) {
    AfxMessageBox(ModelString(IDS_POOL_FULL), MB_OK | MB_ICONEXCLAMATION, IDS_POOL_FULL);
    return 0;
  }
  for (int k = 1; k <= lastCard; ++k) {
    if (CBaseDevice* existing = ids.FindBaseDevice(k, cardType)) {
      // The relay's card exists (its former relay was deleted): put this
      // relay on its input when that is free.
      if (k == lastCard && FindOutputConnection(0) == nullptr && existing->FindInputConnection(ownPin) == nullptr)
        Connect(this, 0, existing, ownPin);
      continue;
    }
    CKCM* card = CreateCard(doc, cardKind);
    if (card == nullptr) return 0;
    for (int p = 0; p < kRelaysPerCard; ++p) {
      const uint32_t m = static_cast<uint32_t>((k - 1) * kRelaysPerCard + p + 1);
      CRelais* relay = this;
      if (m != number) {
        auto fresh = std::make_unique<CRelais>();
        if (!fresh->Create(kind, 1, 1, QString(), QRect(), CAT_MISC, kBitmap, 3, doc)) continue;
        relay = doc->Adopt(std::move(fresh));
        if (relay == nullptr) continue;
        relay->Renumber(m, bRSeries);
      }
      if (relay->FindOutputConnection(0) == nullptr) Connect(relay, 0, card, p);
    }

    // The card goes on the first free relay input of a KCM201, filling the
    // bus cards in order; KCM208 cards continue on the bus card that holds
    // the previous KCM208.
    int first = 1;
    if (bRSeries) {
      const int maxId = ids.GetMaxID(DT_KCM208);
      if (maxId > 1) {
        CBaseDevice* previous = ids.FindBaseDevice(maxId - 1, DT_KCM208);
        const ConnectionRecord* link = previous != nullptr ? previous->FindOutputConnection(0) : nullptr;
        if (link != nullptr && link->pPeer != nullptr && link->pPeer->GetType() == DT_KCM201)
          first = link->pPeer->GetID();
      }
    }
    for (int b = first; b <= CKCM::kMaxBusCards; ++b) {
      CBaseDevice* bus = ids.FindBaseDevice(b, DT_KCM201);
      if (bus == nullptr) bus = CreateCard(doc, CKCM::KIND_KCM201);
      if (bus == nullptr) break;
      bool placed = false;
      for (int in = CKCM::kRelayInputFirst; in <= CKCM::kRelayInputLast; ++in) {
        if (bus->FindInputConnection(in) == nullptr) {
          Connect(card, 0, bus, in);
          placed = true;
          break;
        }
      }
      if (placed) break;
    }
  }
  return 1;
}
